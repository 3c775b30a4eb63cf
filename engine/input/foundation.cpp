#include "input/foundation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "input/group_read.h"
#include "numerics/pi.h"
#include "report/message.h"
#include "run/state.h"

namespace zrv {

using namespace detail;

namespace {

bool echo_on(const RunState& s) { return s.flags.echo == 1; }

// An echo line of the group reader, underlined by `stars` asterisks.
void group_line(RunState& s, std::string_view text, int stars) {
  if (echo_on(s)) underlined_message(s, text, stars);
}

void invalid_keyword(RunState& s, const Word& w, std::string_view what) {
  refuse(s, " INVALID KEYWORD - " + std::string(w.view()) + std::string(what));
}

// Reads the word that must open the next block of the group. False (the
// group ends) when the deck ended or the word is another, which is refused
// as `what`.
bool expect_word(RunState& s, int slot, std::string_view what) {
  Word w;
  if (!read_word(s, w)) return false;
  if (slot_of(s, w) == slot) return true;
  invalid_keyword(s, w, what);
  return false;
}

// LAYERS n or PARABOLIC (PILE, MULT). False when the group must end.
bool soil_media(RunState& s) {
  FoundationData& f = s.foundation;
  Word w;
  if (!read_word(s, w)) return false;
  const int slot = slot_of(s, w);
  if (slot == slot_laye) {
    float n = 0.0f;
    if (!read_number(s, n)) {
      if (!s.deck_ended) refuse(s, " ERROR ENCOUNTERED WHILE READING NUMBER OF LAYERS");
      return false;
    }
    if (!(n <= static_cast<float>(kMaxLayers))) {
      refuse(s, " ERROR - NUMBER OF LAYERS EXCEEDS 30");
      return false;
    }
    if (rounded(n) < 1) {
      refuse(s, " ERROR - NUMBER OF LAYERS MUST BE AT LEAST 1");
      return false;
    }
    f.layer_count = n;
    s.flags.soil_profile = 1;
    if (echo_on(s))
      s.report().write_fmt("(/,/,1X,'NUMBER OF LAYERS OR ELEMENTS - ',I3,/,1X,28('*'))",
                           rounded(n));
    return true;
  }
  if (slot == slot_para) {
    if (s.flags.foundation_type == FoundationSystem::multilayer) {
      refuse(s, " MULTILAYER FOUNDATION IS NOT ALLOWED A PARABOLIC SOIL MEDIA");
      return false;
    }
    s.flags.soil_profile = 2;
    group_line(s, "SOIL MEDIA IS PARABOLIC", 23);
    return true;
  }
  invalid_keyword(s, w, " FOR SOIL MEDIA TYPE");
  return false;
}

// FIXED or PINNED (PILE).
bool head_fixity(RunState& s) {
  FoundationData& f = s.foundation;
  Word w;
  if (!read_word(s, w)) return false;
  const int slot = slot_of(s, w);
  if (slot == slot_fixe) {
    f.head_fixed = 1;
    f.head_restraint = 1.0f;
    return true;
  }
  if (slot == slot_pinn) {
    f.head_fixed = 0;
    f.head_restraint = 0.0f;
    group_line(s, "PILES ARE PINNED AT BUTT", 24);
    return true;
  }
  invalid_keyword(s, w, " FOR FIXED OR PINNED INFORMATION");
  return false;
}

// The pile count and one row (number, x, y) per pile, then the location table.
bool pile_locations(RunState& s) {
  FoundationData& f = s.foundation;
  float count = 0.0f;
  if (!read_number(s, count)) {
    if (!s.deck_ended) refuse(s, " ERROR ENCOUNTERED WHILE READING NUMBER OF PILES");
    return false;
  }
  if (!(count <= static_cast<float>(kMaxPiles))) {
    refuse(s, " ERROR - NUMBER OF PILES EXCEEDS 500");
    return false;
  }
  f.pile_count = count;
  const int n = std::max(0, rounded(count));
  for (int k = 0; k < n; ++k) {
    PileLocation& p = f.piles[static_cast<std::size_t>(k)];
    static constexpr const char* what[3] = {" ERROR ENCOUNTERED WHILE READING PILE NUMBER",
                                            " ERROR ENCOUNTERED WHILE READING PILE X-LOCATOR",
                                            " ERROR ENCOUNTERED WHILE READING PILE Y-LOCATOR"};
    float* field[3] = {&p.number, &p.x, &p.y};
    for (int i = 0; i < 3; ++i) {
      if (!read_number(s, *field[i])) {
        if (!s.deck_ended) refuse(s, what[i]);
        return false;
      }
    }
  }
  if (echo_on(s)) {
    const std::string& len = label(s, lbl_length);
    s.report().write_fmt(
        "(/,/,1X,'LOCATION OF PILES',/,1X,17('*'),/,/,1X,'PILE       X           Y',/,"
        "1X,' NO.     LOCATION    LOCATION',/,13X,A2,11X,A2)",
        len, len);
    for (int k = 0; k < n; ++k) {
      const PileLocation& p = f.piles[static_cast<std::size_t>(k)];
      s.report().write_fmt("(1X,I3,6X,F7.3,5X,F7.3)", k + 1, p.x, p.y);
    }
  }
  // Two piles at one place make the group's interaction singular.
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      const PileLocation& a = f.piles[static_cast<std::size_t>(i)];
      const PileLocation& b = f.piles[static_cast<std::size_t>(j)];
      if (a.x == b.x && a.y == b.y) {
        refuse(s, with_i3(with_i3(" ERROR - PILES", i + 1) + " AND", j + 1) +
                      " ARE AT THE SAME LOCATION");
        return true;
      }
    }
  }
  return true;
}

void bad_geometry(RunState& s) {
  s.report().write_fmt(
      "(/,1X,' *** BAD DATA IN GEOMETRY DESCRIPTION ***',/,1X,'        - WILL CONTINUE TO "
      "PROCESS DATA',/,1X,'     - CANNOT EXECUTE  THIS PROBLEM SET')");
  s.flags.fatal = 1;
}

}  // namespace

void FNDKEY(RunState& s) {
  FoundationData& f = s.foundation;
  RunFlags& fl = s.flags;
  Word w;

  f.group_begun = 1;
  if (!read_word(s, w)) return;
  switch (slot_of(s, w)) {
    case slot_pile:
      fl.foundation_type = FoundationSystem::pile;
      group_line(s, "FOUNDATION TYPE - PILE", 15);
      break;
    case slot_half:
      fl.foundation_type = FoundationSystem::half_space;
      group_line(s, "FOUNDATION TYPE - HALF-SPACE", 15);
      break;
    case slot_stra:
      fl.foundation_type = FoundationSystem::stratum;
      group_line(s, "FOUNDATION TYPE - STRATUM", 15);
      break;
    case slot_mult:
      fl.foundation_type = FoundationSystem::multilayer;
      group_line(s, "FOUNDATION TYPE - MULTILAYER", 15);
      break;
    default:
      invalid_keyword(s, w, " FOR FOUNDATION TYPE");
      return;
  }
  const FoundationSystem type = fl.foundation_type;
  const bool footing =
      type == FoundationSystem::half_space || type == FoundationSystem::stratum;

  if (!read_word(s, w)) return;
  switch (slot_of(s, w)) {
    case slot_circ:
      fl.shape = 1;
      break;
    case slot_rect:
      fl.shape = 2;
      break;
    default:
      invalid_keyword(s, w, " FOR GEOMETRY TYPE");
      return;
  }
  if (footing) fl.soil_profile = 1;
  GEORED(s);
  if (s.deck_ended) return;

  if (!expect_word(s, slot_mass, " FOR MASS INFORMATION")) return;
  MASRED(s);
  if (s.deck_ended) return;

  if (!footing) {
    if (!soil_media(s)) return;
    if (type == FoundationSystem::pile) {
      if (!head_fixity(s)) return;
      if (!pile_locations(s)) return;
    } else {
      f.head_fixed = 1;
      f.head_restraint = 1.0f;
    }
  }

  if (!expect_word(s, slot_cons, " FOR CONSTANT INFORMATION")) return;
  CONRED(s);
  if (s.deck_ended || footing) return;

  if (!expect_word(s, slot_elem, " FOR ELEMENT INFORMATION")) return;
  ELMRED(s);
  if (s.deck_ended) return;
  fl.elements_given = 1;

  // Tip condition: optional; any other word belongs to what follows.
  if (!read_word(s, w, false)) return;
  const int tip = slot_of(s, w);
  if (tip == slot_end) {
    fl.pile_tip = 1;
    group_line(s, "PILE TIP CONDITION : END-BEARING", 32);
  } else if (tip != slot_floa) {
    hand_back(s);
  }
  if (type == FoundationSystem::multilayer) return;

  // BATTERED and INTERACTION, in either order, each at most until the other
  // has been given too.
  for (;;) {
    if (!read_word(s, w, false)) return;
    const int slot = slot_of(s, w);
    if (slot == slot_batt) {
      fl.battered = 1;
      BATRED(s);
      if (s.deck_ended || fl.interaction) return;
    } else if (slot == slot_inte) {
      fl.interaction = 1;
      if (!read_word(s, w, false)) return;
      const int next = slot_of(s, w);
      if (next != slot_floa && next != slot_end) hand_back(s);
      if (fl.battered) return;
    } else {
      hand_back(s);
      return;
    }
  }
}

void GEORED(RunState& s) {
  FoundationData& f = s.foundation;
  if (s.flags.shape == 1) {
    float r = 0.0f;
    if (!read_number(s, r)) {
      if (!s.deck_ended) bad_geometry(s);
      return;
    }
    f.radius = r;
    f.radii = EquivalentRadii{r, r, r, r};
    f.stratum_radii = StratumRadii{r, r, r, r, r, r};
    if (!(r > 0.0f)) refuse(s, " ERROR - RADIUS OF FOUNDATION MUST BE GREATER THAN 0");
    if (echo_on(s))
      s.report().write_fmt("(/,/,1X,'CIRCULAR FOUNDATION  -  RADIUS = ',F8.3,1X,A2,/,1X,19('*'))",
                           r, label(s, lbl_length));
    return;
  }

  float a = 0.0f;
  float b = 0.0f;
  if (!read_number(s, a) || !read_number(s, b)) {
    if (!s.deck_ended) bad_geometry(s);
    return;
  }
  f.side_a = a;
  f.side_b = b;
  const float translation = std::sqrt(a * b / kPiFiveDecimals);
  const float rocking_x = std::pow(a * (b * b * b) / (3.0f * kPiFiveDecimals), 0.25f);
  const float rocking_y = std::pow((a * a * a) * b / (3.0f * kPiFiveDecimals), 0.25f);
  const float torsion = std::pow((a * a + b * b) * a * b / (6.0f * kPiFiveDecimals), 0.25f);
  f.radii = EquivalentRadii{translation, rocking_x, rocking_y, torsion};
  StratumRadii& st = f.stratum_radii;
  st = StratumRadii{translation, translation, rocking_x, rocking_y, torsion, 0.0f};
  st.mean = (st.vertical + st.horizontal + st.rocking_x + st.rocking_y + st.torsion) / 5.0f;
  if (!(a > 0.0f && b > 0.0f)) refuse(s, " ERROR - SIDES OF FOUNDATION MUST BE GREATER THAN 0");
  if (echo_on(s)) {
    const std::string& len = label(s, lbl_length);
    s.report().write_fmt(
        "(/,/,1X,'RECTANGULAR FOUNDATION  -  ',F8.3,1X,A2,2X,'BY ',F8.3,1X,A2,/,1X,22('*'))", a,
        len, b, len);
  }
}

void CONRED(RunState& s) {
  FoundationData& f = s.foundation;
  const FoundationSystem type = s.flags.foundation_type;
  const bool element = type == FoundationSystem::pile || type == FoundationSystem::multilayer;
  bool ok = true;

  float cg[3] = {0.0f, 0.0f, 0.0f};
  for (float& v : cg) {
    if (!read_number(s, v)) {
      if (s.deck_ended) return;
      report_message(s, " ERROR ENCOUNTERED WHILE READING CENTRE OF GRAVITY VARIABLES");
      s.report().write(" PROGRAM WILL NOT EXECUTE");
      s.flags.fatal = 1;
      ok = false;
      break;
    }
  }
  if (ok) {
    f.cg_x = cg[0];
    f.cg_y = cg[1];
    f.cg_height = cg[2];
    f.constants_read = 1;
  }

  const auto constants_error = [&] {
    report_message(s, " ERROR ENCOUNTERED WHILE READING FOUNDATION CONSTANTS");
    s.report().write(" PROGRAM WILL NOT EXECUTE");
    s.flags.fatal = 1;
    ok = false;
  };
  if (ok && element) {
    ElementMaterial& m = f.material;
    float* field[7] = {&m.total_length,  &m.unit_weight,      &m.static_load,
                       &m.poisson_ratio, &m.material_damping, &m.rigidity_coefficient,
                       &m.youngs_modulus};
    for (float* v : field) {
      if (!read_number(s, *v)) {
        if (s.deck_ended) return;
        constants_error();
        break;
      }
    }
    if (ok && !(m.total_length > 0.0f)) refuse(s, " ERROR - TOTAL LENGTH MUST BE GREATER THAN 0");
  } else if (ok && type == FoundationSystem::stratum) {
    if (!read_number(s, f.embedment_depth) || !read_number(s, f.stratum_depth)) {
      if (s.deck_ended) return;
      constants_error();
    }
    const float e = f.embedment_depth;
    const float h = f.stratum_depth;
    const float r = f.stratum_radii.mean;
    if (ok && !(h > 0.0f)) {
      refuse(s, " ERROR - DEPTH OF LAYER MUST BE GREATER THAN 0");
    } else if (ok && e < 0.0f) {
      // A footing cannot stand above the surface; the embedment factors of
      // the stratum turn NaN once E/R falls far enough below zero.
      refuse(s, " ERROR - DEPTH OF EMBEDMENT MUST NOT BE NEGATIVE");
    } else if (ok && !(e < h)) {
      refuse(s, " ERROR - DEPTH OF EMBEDMENT MUST BE LESS THAN DEPTH OF LAYER");
    } else if (ok && r > 0.0f) {
      f.e_over_r = e / r;
      f.e_over_h = e / h;
      f.r_over_h = r / h;
      if (f.e_over_r > 1.5f || f.e_over_h > 0.75f) {
        report_message(s, " THE STRATUM OPTION IS NOT GOOD FOR THIS CASE");
        s.report().write(" CHECK YOUR E/R,E/H,R/H VALUES");
        s.flags.fatal = 1;
      }
    }
  }

  if (!echo_on(s)) return;
  fio::Unit& out = s.report();
  const std::string& len = label(s, lbl_length);
  if (element) {
    const ElementMaterial& m = f.material;
    if (type == FoundationSystem::pile)
      out.write_fmt("(/,/,1X,'PILE PROPERTIES',/,1X,15('*'))");
    else
      out.write_fmt("(/,/,1X,'FOUNDATION PROPERTIES',/,1X,21('*'))");
    out.write("");
    out.write_fmt(
        "(1X,'X-LOCATION CENTRE OF GRAV.  ....',F12.5,1X,A2,/,"
        "1X,'Y-LOCATION CENTRE OF GRAV.  ....',F12.5,1X,A2,/,"
        "1X,'HEIGHT OF CENTRE OF GRAV.  .....',F12.5,1X,A2,/,"
        "1X,'TOTAL LENGTH  ..................',F12.5,1X,A2,/,"
        "1X,'UNIT WEIGHT  ...................',F12.5,1X,A8,/,"
        "1X,'STATIC LOAD ON BODY  ...........',1P,E12.5,1X,A3,/,"
        "1X,'POISSONS RATIO  ............... ',F12.5,/,"
        "1X,'MATERIAL DAMPING  ..............',F12.5,/,"
        "1X,'COEFF. OF RIGIDITY  ............',F12.5,/,"
        "1X,'YOUNGS MODULUS  ............... ',E12.5,1X,A3)",
        f.cg_x, len, f.cg_y, len, f.cg_height, len, m.total_length, len, m.unit_weight,
        label(s, lbl_unit_weight), m.static_load, label(s, lbl_force), m.poisson_ratio,
        m.material_damping, m.rigidity_coefficient, m.youngs_modulus, label(s, lbl_pressure));
    return;
  }
  if (type == FoundationSystem::half_space)
    out.write_fmt("(/,/,1X,'HALF-SPACE FOUNDATION',/,1X,21('*'))");
  else
    out.write_fmt("(/,/,1X,'STRATUM PROPERTIES',/,1X,18('*'))");
  out.write("");
  out.write_fmt(
      "(1X,'X-LOCATION CENTRE OF GRAV  .....',F12.5,1X,A2,/,"
      "1X,'Y-LOCATION CENTRE OF GRAV  .....',F12.5,1X,A2,/,"
      "1X,'HEIGHT OF CENTRE OF GRAV  ......',F12.5,1X,A2)",
      f.cg_x, len, f.cg_y, len, f.cg_height, len);
  if (type == FoundationSystem::stratum)
    out.write_fmt(
        "(1X,'DEPTH OF EMBEDMENT  ............',F12.5,1X,A2,/,"
        "1X,'DEPTH OF LAYER  ................',F12.5,1X,A2)",
        f.embedment_depth, len, f.stratum_depth, len);
}

void ELMRED(RunState& s) {
  FoundationData& f = s.foundation;
  fio::Unit& out = s.report();
  const auto element_error = [&] {
    report_message(s, " ERROR ENCOUNTERED WHILE READING ELEMENT DATA PROGRAM WILL NOT EXECUTE");
    s.flags.fatal = 1;
  };

  if (s.flags.soil_profile == 2) {
    ElementLayer& e = f.parabolic_section;
    float* field[6] = {&e.radius_x,  &e.radius_y,  &e.area,
                       &e.inertia_x, &e.inertia_y, &e.torsional_stiffness};
    bool ok = true;
    for (float* v : field) {
      if (!read_number(s, *v)) {
        if (s.deck_ended) return;
        element_error();
        ok = false;
        break;
      }
    }
    if (ok && !(e.radius_x > 0.0f && e.radius_y > 0.0f))
      refuse(s, " ERROR - PILE RADIUS MUST BE GREATER THAN 0");
    if (!echo_on(s)) return;
    out.write_fmt("(/,/,1X,'ELEMENT',/,1X,7('*'))");
    out.write("");
    out.write_fmt(
        "(1X,'RADIUS OF PILE (X)  ............',F12.5,/,"
        "1X,'RADIUS OF PILE (Y)  ............',F12.5,/,"
        "1X,'CROSS SECTIONAL AREA  ..........',F12.5,/,"
        "1X,'MOMENT OF INERTIA (X)  .........',F12.5,/,"
        "1X,'MOMENT OF INERTIA (Y)  .........',F12.5,/,"
        "1X,'TORSIONAL STIFFNESS  ...........',F12.5)",
        e.radius_x, e.radius_y, e.area, e.inertia_x, e.inertia_y, e.torsional_stiffness);
    return;
  }

  const int n = std::clamp(rounded(f.layer_count), 0, kMaxLayers);
  bool ok = true;
  for (int k = 0; k < n && ok; ++k) {
    ElementLayer& e = f.layers[static_cast<std::size_t>(k)];
    float number = 0.0f;
    float* field[8] = {&number, &e.thickness, &e.radius_x,  &e.radius_y,
                       &e.area, &e.inertia_x, &e.inertia_y, &e.torsional_stiffness};
    for (float* v : field) {
      if (!read_number(s, *v)) {
        if (s.deck_ended) return;
        element_error();
        ok = false;
        break;
      }
    }
  }
  for (int k = 0; k < n && ok; ++k) {
    const ElementLayer& e = f.layers[static_cast<std::size_t>(k)];
    if (!(e.radius_x > 0.0f && e.radius_y > 0.0f)) {
      refuse(s, with_i3(" ERROR - PILE RADIUS OF LAYER", k + 1) + " MUST BE GREATER THAN 0");
      break;
    }
    if (!(e.thickness >= 0.0f)) {
      refuse(s, with_i3(" ERROR - THICKNESS OF LAYER", k + 1) + " MUST NOT BE NEGATIVE");
      break;
    }
  }
  if (!echo_on(s)) return;
  const std::string& len = label(s, lbl_length);
  const std::string& i4 = label(s, lbl_second_moment);
  out.write_fmt("(/,/,1X,'ELEMENT',/,1X,7('*'))");
  out.write("");
  out.write_fmt(
      "(1X,'LAYER  LAYER   PILE    PILE     CROSS    MOMENT OF  MOMENT OF','  TORSIONAL',/,"
      "1X,' NO.   DEPTH  RADIUS  RADIUS  SECTIONAL   INERTIA    INERTIA ','  STIFFNESS',/,"
      "1X,'                (X)     (Y)      AREA       ','(X)      (Y)',/,"
      "10X,A2,6X,A2,5X,A2,5X,A7,3(2X,A9))",
      len, len, len, label(s, lbl_area), i4, i4, i4);
  for (int k = 0; k < n; ++k) {
    const ElementLayer& e = f.layers[static_cast<std::size_t>(k)];
    out.write_fmt("(1X,I3,2X,F7.3,1X,F6.3,1X,F7.3,3X,1P,E9.3,2X,E9.3,2X,E9.3,2X,E9.2)", k + 1,
                  e.thickness, e.radius_x, e.radius_y, e.area, e.inertia_x, e.inertia_y,
                  e.torsional_stiffness);
  }
}

}  // namespace zrv
