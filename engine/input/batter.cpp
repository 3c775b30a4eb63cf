// BATTERED: the plane and the angle from the vertical of every pile.

#include <algorithm>
#include <string>
#include <vector>

#include "input/foundation.h"
#include "input/group_read.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

using namespace detail;

namespace {

struct BatterRow {
  Word plane;
  float angle = 0.0f;
};

bool plane_is(const Word& w, char first) { return w.c[0] == first && w.c[1] == 'Z'; }

void ignore_batter(RunState& s, const std::string& line) {
  report_message(s, line);
  s.report().write(" BATTERED OPTION WILL BE IGNORED.");
  s.flags.battered = 0;
}

}  // namespace

void BATRED(RunState& s) {
  FoundationData& f = s.foundation;
  const int n = std::clamp(rounded(f.pile_count), 0, kMaxPiles);

  // All rows are read first, so that a dropped option leaves no row behind
  // for the dispatcher. A number that cannot be read counts as 0.
  std::vector<BatterRow> rows(static_cast<std::size_t>(n));
  for (BatterRow& row : rows) {
    float number = 0.0f;
    read_number(s, number);
    if (s.deck_ended) return;
    if (!read_word(s, row.plane)) return;
    read_number(s, row.angle);
    if (s.deck_ended) return;
  }

  for (int k = 0; k < n; ++k) {
    const BatterRow& row = rows[static_cast<std::size_t>(k)];
    const float t = row.angle;
    if (n == 1 && t == 0.0f) {
      ignore_batter(s,
                    " ANGLE BETWEEN PILE AND VERTICAL IS ZERO, THEREFORE THE PILE IS NOT "
                    "BATTERED.");
      return;
    }
    PileBatter& b = f.batter[static_cast<std::size_t>(k)];
    const char* plane = nullptr;
    if (plane_is(row.plane, 'X')) {
      b.axis_angles = {t, 90.0f, 90.0f + t, 90.0f, 0.0f, 90.0f, 90.0f - t, 90.0f, t};
      plane = " BATTERED IN XZ PLANE";
    } else if (plane_is(row.plane, 'Y')) {
      b.axis_angles = {0.0f, 90.0f, 90.0f, 90.0f, t, 90.0f + t, 90.0f, 90.0f - t, t};
      plane = " BATTERED IN YZ PLANE";
    } else {
      ignore_batter(s,
                    " UNRECOGNIZED PLANE" + std::string(row.plane.view()) + "FOR BATTERED PILES");
      return;
    }
    b.angle = t;
    if (s.flags.echo != 1) continue;
    fio::Unit& out = s.report();
    if (k == 0) {
      report_message(s, " BATTERED PILES");
      out.write(" " + std::string(14, '*'));
      out.write("");
      out.write("");
    }
    out.write_fmt("(1X,'PILE NO.',I3,A,/,1X,'ANGLE BETWEEN PILE AND VERTICAL = ',F7.2,1X,'deg.')",
                  k + 1, plane, t);
  }
}

}  // namespace zrv
