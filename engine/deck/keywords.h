#pragma once
// The small top-level readers: GRAVITY, the unit labels it selects, and TITLE.

namespace zrv {

struct RunState;

// Reads the gravitational constant after GRAVITY; with the echo on it chooses
// the unit system (English above 10.0, SI otherwise), fills the labels and
// echoes the constant.
void GRVRED(RunState& s);

// Fills the eighteen labels for `s.unit_system`: 1 English, anything else SI.
void UNITLB(RunState& s);

// Reads the title record after TITLE into `s.title` (its first 80
// characters, blank-padded) and, with the echo on, opens the data-echo page.
// `status`: 1 a title was read, -1 the deck ended first.
void TITLRD(RunState& s, int& status);

}  // namespace zrv
