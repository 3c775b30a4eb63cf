#pragma once
// Data of the SOIL keyword group.

namespace zrv {

struct RunState;

struct SoilData {};

// Reads the SOIL group; the dispatcher calls it after the SOIL keyword.
void SOLKEY(RunState& s);

}  // namespace zrv
