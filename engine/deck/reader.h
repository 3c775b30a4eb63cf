#pragma once
// The record reader and the keyword dispatcher of the deck. After
// preprocessing, the scratch deck holds one item per record: a word is read
// as the first four characters of a record, a number from a 20-column field.

#include <array>
#include <string_view>

#include "run/word.h"

namespace zrv {

struct RunState;

// The keyword table: 52 words, slot numbers from 1 (KEYTAB[0] is slot 1).
inline constexpr int keyword_slots = 52;
extern const std::array<Word, keyword_slots> KEYTAB;

// Reads one item of the deck (the deck role's unit).
//   count  1: one number into `value` (0 when none could be read);
//   count -1: the first four characters of the next record into `word`;
//   count  0: hands the last record back, so that the next read gets it again;
//   other counts: writes the invalid-call message and hands the record back.
// status on return: 1 read as asked (also for count 0); -1 a word stood where
// a number was wanted (reported; a keyword is handed back so that the next
// word read gets it); 0 the end of the deck met while reading a word.
// Meeting the end of the deck while a number is wanted means the deck ended
// inside a group: reported once with `report_deck_ended`, fatal.
void READIT(RunState& s, int count, float& value, Word& word, int& status);

// Looks `word` up in the keyword table: `index` is its slot (1..52), or 999
// with the unknown-keyword message. Sets `status` to 1 and the keyword count
// to 52.
void KEYFND(RunState& s, const Word& word, int& index, int& status);

// Reads keywords until RUN, STOP or the end of the deck and hands each
// group to its reader. `stop` is set by STOP and by the end of the deck.
void KEYDSP(RunState& s, int& status, int& stop);

// For readers that meet the end of the deck inside their group (a number or
// a word still expected): writes the "deck ended early" message once per run
// and sets the fatal-input flag.
void report_deck_ended(RunState& s);

}  // namespace zrv
