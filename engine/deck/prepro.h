#pragma once
// The deck preprocessor: copies the deck (unit 4) into the scratch deck
// TAPE7 (unit 7), one keyword, word or number per record, through the token
// file TAPE8 (unit 8), and switches the deck role to the scratch deck.

namespace zrv {

struct RunState;

// Item list of one deck record after repeat expansion.
inline constexpr int prepro_item_limit = 500;

void PREPRO(RunState& s);

}  // namespace zrv
