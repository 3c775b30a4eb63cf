#pragma once
// Framed messages of the readers: each message is preceded by two empty
// records of the report.

#include <string_view>

#include "run/state.h"

namespace zrv {

// Two empty records, then `line` as it stands.
void report_message(RunState& s, std::string_view line);

// Two empty records, a blank and `text`, then a blank and `stars` asterisks
// under it.
void underlined_message(RunState& s, std::string_view text, int stars);

// Two empty records, then the records that the format list makes.
template <class... A>
void report_lines(RunState& s, std::string_view fmt, const A&... a) {
  s.report().write("");
  s.report().write("");
  s.report().write_fmt(fmt, a...);
}

}  // namespace zrv
