#pragma once
// Data of the LOAD keyword group.

namespace zrv {

struct RunState;

struct LoadData {};

// Reads the LOAD group; the dispatcher calls it after the LOAD keyword.
void LODKEY(RunState& s);

}  // namespace zrv
