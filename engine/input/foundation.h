#pragma once
// Data of the FOUNDATION keyword group.

namespace zrv {

struct RunState;

struct FoundationData {};

// Reads the FOUNDATION group; the dispatcher calls it after the FOUNDATION keyword.
void FNDKEY(RunState& s);

}  // namespace zrv
