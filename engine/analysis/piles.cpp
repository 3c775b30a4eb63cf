#include "analysis/piles.h"

#include "report/message.h"
#include "run/state.h"

namespace zrv {

bool SOLAVG(RunState& s, int /*tip*/, ElementSystem& /*system*/) {
  report_lines(s,
               "(1X,'*** PILE GROUP AND MULTILAYER SYSTEMS ARE NOT ANALYSED BY THIS VERSION ***',"
               "/,1X,'***PROGRAM WILL NOT EXECUTE***')");
  s.flags.fatal = 1;
  return false;
}

void GRPSTA(RunState& /*s*/, const ElementSystem& /*system*/) {}

ElementHead PILIMP(RunState& /*s*/, const ElementSystem& /*system*/, ElementSection /*section*/,
                   int /*profile*/, float /*omega*/) {
  return ElementHead{};
}

Matrix6 GRPDYN(RunState& /*s*/, const ElementSystem& /*system*/, const Matrix6& single,
               float /*omega*/) {
  return single;
}

}  // namespace zrv
