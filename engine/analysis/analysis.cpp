#include "analysis/analysis.h"

#include "run/state.h"

namespace zrv {

// Placeholder until the analysis lands.
void ANALYS(RunState&) {}

}  // namespace zrv
