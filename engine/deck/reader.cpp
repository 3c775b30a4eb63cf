#include "deck/reader.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "deck/keywords.h"
#include "input/foundation.h"
#include "input/load.h"
#include "input/soil.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

const std::array<Word, keyword_slots> KEYTAB{
    Word("    "), Word("WIDE"), Word("NARR"), Word("ECHO"), Word("NOEC"), Word("PILE"),
    Word("HALF"), Word("STRA"), Word("MULT"), Word("LOAD"), Word("HARM"), Word("TRAN"),
    Word("RAND"), Word("PLOT"), Word("CIRC"), Word("RECT"), Word("SOIL"), Word("PARA"),
    Word("LAYE"), Word("GRAV"), Word("DIME"), Word("BELO"), Word("ELEM"), Word("FOUN"),
    Word("WEAK"), Word("BATT"), Word("INTE"), Word("RUN "), Word("STOP"), Word("TITL"),
    Word("MATR"), Word("FIXE"), Word("PINN"), Word("FLOA"), Word("END-"), Word("CONS"),
    Word("MASS"), Word("EMBE"), Word("SIDE"), Word("HAMM"), Word("LONG"), Word("SHOR"),
    Word("VELO"), Word("PULS"), Word("PAD "), Word("SPRI"), Word("STAT"), Word("DYNA"),
    Word("    "), Word("    "), Word("QUAD"), Word("NONQ")};

namespace {

std::string padded(std::string_view text, std::size_t width) {
  std::string r(text);
  if (r.size() < width) r.append(width - r.size(), ' ');
  return r;
}

// A single number longer than the 20-column field (the preprocessor writes
// such a token whole): parsed in full rather than cut at column 20. Like the
// field read, a value beyond the float range is no number.
bool parse_long_token(std::string_view t, float& value) {
  std::string s;
  for (char c : t) s += (c == 'd' || c == 'D' || c == 'E') ? 'e' : c;
  std::string_view v(s);
  if (!v.empty() && v.front() == '+') v.remove_prefix(1);
  double d = 0.0;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), d);
  if (ec != std::errc() || end != v.data() + v.size()) return false;
  if (!(std::fabs(d) <= std::numeric_limits<float>::max())) return false;
  value = static_cast<float>(d);
  return true;
}

bool read_number(std::string_view record, float& value) {
  const auto last = record.find_last_not_of(' ');
  if (last == std::string_view::npos || last < 20) return fio::read_real20(record, value);
  const auto first = record.find_first_not_of(' ');
  const std::string_view token = record.substr(first, last + 1 - first);
  if (token.find(' ') != std::string_view::npos) return fio::read_real20(record, value);
  value = 0.0f;
  return parse_long_token(token, value);
}

bool is_keyword(const RunState& s, const Word& w) {
  for (int i = 0; i < s.keyword_count && i < keyword_slots; ++i)
    if (KEYTAB[static_cast<std::size_t>(i)] == w) return true;
  return false;
}

}  // namespace

void report_deck_ended(RunState& s) {
  s.flags.fatal = 1;
  if (s.deck_end_reported) return;
  s.deck_end_reported = true;
  report_message(s, " *** INPUT ERROR ***    THE DECK ENDED BEFORE ITS LAST GROUP WAS COMPLETE");
}

void READIT(RunState& s, int count, float& value, Word& word, int& status) {
  fio::Unit& deck = s.deck();
  std::string record;
  if (count == 1) {
    value = 0.0f;
    status = 1;
    if (deck.read(record) != fio::Status::ok) {
      s.deck_ended = true;
      report_message(s, " *** INPUT ERROR ***    END OF FILE ENCOUNTERED WHILE READING");
      s.report().write(std::string(24, ' ') + "NUMBER " + fio::edit_i(1, 3) + " OF " +
                       fio::edit_i(1, 3) + " NUMBERS TO BE READ");
      report_deck_ended(s);
      return;
    }
    if (read_number(record, value)) return;
    value = 0.0f;
    status = -1;
    const std::string text = padded(record, 80);
    for (std::size_t part = 0; part < 4; ++part)
      report_message(s, " *** INPUT ERROR ***    ALPHANUMERIC ENCOUNTERED - \"" +
                            text.substr(part * 20, 20) + "\",");
    if (is_keyword(s, Word(text))) deck.backspace();
    return;
  }
  if (count == -1) {
    word = Word("    ");
    status = 1;
    if (deck.read(record) != fio::Status::ok) {
      s.deck_ended = true;
      report_message(s, " *** INPUT ERROR ***    END OF FILE ENCOUNTERED WHILE");
      s.report().write(std::string(24, ' ') + "READING " + fio::edit_i(1, 3) +
                       " ALPHANUMERIC WORDS");
      status = 0;
      return;
    }
    word = Word(record);
    return;
  }
  if (count == 0) {
    deck.backspace();
    status = 1;
    return;
  }
  report_message(s, " *** INVALID CALL TO READIT, BACKSPACE ASSUMED ***");
  s.report().write("");
  deck.backspace();
}

void KEYFND(RunState& s, const Word& word, int& index, int& status) {
  status = 1;
  s.keyword_count = keyword_slots;
  for (int i = 0; i < keyword_slots; ++i) {
    if (KEYTAB[static_cast<std::size_t>(i)] == word) {
      index = i + 1;
      return;
    }
  }
  index = 999;
  report_message(s, std::string(" UNRECOGNIZED KEYWORD - ") + std::string(word.view()));
}

namespace {

void misplaced(RunState& s, const Word& w, std::string_view group) {
  report_message(s, " " + std::string(w.view()) + " SUBKEYWORD MUST BE PRECEEDED BY " +
                        std::string(group));
}

}  // namespace

void KEYDSP(RunState& s, int& status, int& stop) {
  for (;;) {
    // A deck that ended inside a group has been reported as such (fatal):
    // there is nothing left to read, and it did not stop as at STOP.
    if (s.deck_end_reported) {
      stop = 1;
      return;
    }
    Word word;
    float value = 0.0f;
    READIT(s, -1, value, word, status);
    if (status == 0) {
      report_message(s, " END OF FILE ENCOUNTERED - PROGRAM STOP EXECUTED");
      stop = 1;
      return;
    }
    int index = 0;
    KEYFND(s, word, index, status);
    if (status <= 0 || index < 1 || index > keyword_slots) continue;
    switch (index) {
      case 2:
        s.flags.print_width = 2;
        underlined_message(s, "WIDE PRINTOUT FOR HARMONIC RESPONSE CURVE", 41);
        break;
      case 3: s.flags.print_width = 1; break;
      case 4: s.flags.echo = 1; break;
      case 5: s.flags.echo = 0; break;
      case 6: case 7: case 8: case 9: case 14: case 15: case 16: case 18: case 19:
      case 23: case 26: case 27: case 32: case 33: case 34: case 35: case 36:
        misplaced(s, word, "FOUNDATION KEYWORD");
        break;
      case 22: case 25: case 38: case 39:
        misplaced(s, word, "SOIL KEYWORD");
        break;
      case 11: case 12: case 13: case 40: case 43: case 44: case 45: case 46: case 51: case 52:
        misplaced(s, word, "LOAD KEYWORD");
        break;
      case 37:
        misplaced(s, word, "ONE OF FOUNDATION, SOIL OR LOAD KEYWORDS");
        break;
      case 10: LODKEY(s); break;
      case 17: SOLKEY(s); break;
      case 24: FNDKEY(s); break;
      case 20:
        s.flags.gravity_given = 1;
        GRVRED(s);
        break;
      case 21:
        s.flags.dimensionless = 1;
        if (s.flags.echo == 1) underlined_message(s, "DIMENSIONLESS RESPONSE", 22);
        break;
      case 28: return;
      case 29:
        stop = 1;
        return;
      case 30: TITLRD(s, status); break;
      case 31:
        s.flags.matrix_print = 1;
        if (s.flags.echo == 1)
          underlined_message(s, "STIFFNESS AND DAMPING CONSTANTS TO BE PRINTED", 45);
        break;
      default: break;  // blank word, LONG, SHOR, STAT, DYNA: no effect
    }
  }
}

}  // namespace zrv
