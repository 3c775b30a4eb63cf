#pragma once
// Reading helpers shared by the FOUNDATION, SOIL and LOAD group readers: one
// number or word through the record reader, keyword slots, framed fatal
// messages and count rounding.

#include <string>
#include <string_view>

#include "run/state.h"
#include "run/word.h"

namespace zrv::detail {

// Keyword-table slots the groups look for.
enum Slot : int {
  slot_pile = 6,
  slot_half = 7,
  slot_stra = 8,
  slot_mult = 9,
  slot_harm = 11,
  slot_tran = 12,
  slot_rand = 13,
  slot_circ = 15,
  slot_rect = 16,
  slot_para = 18,
  slot_laye = 19,
  slot_belo = 22,
  slot_elem = 23,
  slot_weak = 25,
  slot_batt = 26,
  slot_inte = 27,
  slot_fixe = 32,
  slot_pinn = 33,
  slot_floa = 34,
  slot_end = 35,
  slot_cons = 36,
  slot_mass = 37,
  slot_embe = 38,
  slot_side = 39,
  slot_quad = 51,
  slot_nonq = 52,
};

// Reads one number. False when a word stood there (reported by the record
// reader) or the deck ended (reported and fatal; `s.deck_ended` tells).
bool read_number(RunState& s, float& value);

// Reads one word. False at the end of the deck; with `required` the deck is
// reported as ended inside its group (fatal).
bool read_word(RunState& s, Word& word, bool required = true);

// Hands the last record back to the record reader.
void hand_back(RunState& s);

// Slot of `word` in the keyword table, 999 (reported) when it has none.
int slot_of(RunState& s, const Word& word);

// Two empty records, `line`, then " PROGRAM WILL NOT EXECUTE"; sets the
// fatal-input flag.
void refuse(RunState& s, std::string_view line);

// Nearest integer of a count held as a real, halves away from zero; a value
// beyond the int range gives the int limit of its sign, not a number gives 0.
int rounded(float x);

// A label text of the report (blank until GRAVITY chose a unit system).
inline const std::string& label(const RunState& s, Label l) { return s.labels[l]; }

// `text` followed by its value as a three-column integer, as the refusals
// that name a layer or pile write it; a value of three digits or more is
// written whole after one blank.
std::string with_i3(std::string_view text, int value);

}  // namespace zrv::detail
