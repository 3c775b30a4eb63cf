#include "input/group_read.h"

#include "deck/reader.h"
#include "fio/fio.h"
#include "numerics/small.h"
#include "report/message.h"

namespace zrv::detail {

bool read_number(RunState& s, float& value) {
  Word unused;
  int status = 0;
  READIT(s, 1, value, unused, status);
  return status == 1 && !s.deck_ended;
}

bool read_word(RunState& s, Word& word, bool required) {
  float unused = 0.0f;
  int status = 0;
  READIT(s, -1, unused, word, status);
  if (status != 0) return true;
  if (required) report_deck_ended(s);
  return false;
}

void hand_back(RunState& s) {
  float value = 0.0f;
  Word word;
  int status = 0;
  READIT(s, 0, value, word, status);
}

int slot_of(RunState& s, const Word& word) {
  int index = 999;
  int status = 0;
  KEYFND(s, word, index, status);
  return index;
}

void refuse(RunState& s, std::string_view line) {
  report_message(s, line);
  s.report().write(" PROGRAM WILL NOT EXECUTE");
  s.flags.fatal = 1;
}

int rounded(float x) { return NEARIN(x); }

std::string with_i3(std::string_view text, int value) {
  // A number that fills its three columns, or needs more, would run into the
  // word before it: it gets a blank of its own and all its digits.
  std::string number = fio::edit_i(value, 3);
  if (number.front() != ' ') number = " " + std::to_string(value);
  return std::string(text) + number;
}

}  // namespace zrv::detail
