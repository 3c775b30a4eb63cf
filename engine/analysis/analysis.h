#pragma once
// The analysis driver: frequency loop, impedance assembly, result tables,
// plot data and footing response.

namespace zrv {

struct RunState;

// Runs the analysis of a complete deck.
void ANALYS(RunState& s);

}  // namespace zrv
