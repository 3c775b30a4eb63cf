#include "report/message.h"

#include <string>

namespace zrv {

void report_message(RunState& s, std::string_view line) {
  fio::Unit& r = s.report();
  r.write("");
  r.write("");
  r.write(line);
}

void underlined_message(RunState& s, std::string_view text, int stars) {
  report_message(s, " " + std::string(text));
  s.report().write(" " + std::string(static_cast<std::size_t>(stars), '*'));
}

}  // namespace zrv
