#include "report/message.h"

namespace zrv {

void report_message(RunState& s, std::string_view line) {
  fio::Unit& r = s.report();
  r.write("");
  r.write("");
  r.write(line);
}

}  // namespace zrv
