#include "input/load.h"

#include "run/state.h"

namespace zrv {

// Placeholder until the group reader lands: the group's words are left to the
// dispatcher, which reports what it does not know.
void LODKEY(RunState&) {}

}  // namespace zrv
