// Pile and multilayer decks through the whole engine: the element and group
// results against closed forms, the refusals of data the kernels cannot use,
// and decks at the limits of the tables.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis_fixture.h"
#include "expect.h"
#include "impedance/group.h"

namespace zrv::test {
namespace {

constexpr double pi = 3.14159265358979;

// A pile (or element) of three layers of 4 m in SI units: E = 3e7 kPa,
// nu = 0.2, radius 0.25 m.
struct Element {
  double e = 3.0e7, nu = 0.2, r = 0.25;
  double area = pi * 0.25 * 0.25, inertia = pi * std::pow(0.25, 4) / 4;
  double inertia_y = inertia;  // second moment about y
  double torsion = pi * std::pow(0.25, 4) / 2;
  double layer = 4.0;
  int layers = 3;
  double length() const { return layer * layers; }
};

std::string element_rows(const Element& el, double torsion) {
  std::ostringstream d;
  d.precision(9);
  for (int k = 1; k <= el.layers; ++k)
    d << k << " " << el.layer << " " << el.r << " " << el.r << " " << el.area << " "
      << el.inertia << " " << el.inertia_y << " " << torsion << "\n";
  return d.str();
}

// Pile deck: `piles` rows "n x y", then what follows the element rows
// (tip, batter, interaction) and the soil rows.
std::string pile_deck(const Element& el, const std::string& head, const std::string& piles,
                      const std::string& after_elements, const std::string& soil,
                      const std::string& load, double cg_height = 0.0, double torsion = -1) {
  std::ostringstream d;
  d.precision(9);
  const int count = static_cast<int>(lines_of(piles).size());
  d << "TITLE=pile test\nMATRIX\nGRAVITY=9.81\nFOUNDATION=PILE\nCIRCULAR=2\nMASS\n"
    << "50 100 100 100 0 0 0\nLAYERS=" << el.layers << "\n"
    << head << "=" << count << "\n"
    << piles << "CONSTANTS\n0 0 " << cg_height << " " << el.length() << " 24\n0 " << el.nu
    << " 0.02 0 " << el.e << "\nELEMENT\n"
    << element_rows(el, torsion < 0 ? el.torsion : torsion) << after_elements << "SOIL\n"
    << soil << load;
  return d.str();
}

std::string layered_soil(int layers, double vs, const std::string& below) {
  std::ostringstream d;
  d << "CONSTANTS\n";
  for (int k = 1; k <= layers; ++k) d << k << " " << vs << " 18 0.3 0.05\n";
  d << "BELOW=" << below << "\n";
  return d.str();
}

// Held tip: a base of great velocity and weight.
const std::string rigid_base = "1000000 10000 0.3 0";

std::string low_frequency() {
  return harmonic_load("NONQUADRATIC", 0.01, 0.01, 1, "1 0 1", "0 0 0");
}

double stiffness(const std::string& report, const std::string& label) {
  return value_after(report, label);
}

TEST(PileSystems, ElementWithoutSoilOnARigidBaseIsTheFixedFixedMember) {
  // A section twice as stiff about y: x motions bend about y.
  Element el;
  el.inertia_y = 2 * el.inertia;
  const double l = el.length();
  const double ei = el.e * el.inertia, eiy = el.e * el.inertia_y, ea = el.e * el.area;
  const double gj = el.e / (2 * (1 + el.nu)) * el.torsion;
  {
    // One fixed-head pile in layers of no stiffness (Vs = 0).
    const Outcome out = run(pile_deck(el, "FIXED", "1 0 0\n", "END-BEARING\n",
                                      layered_soil(el.layers, 0, rigid_base), low_frequency()));
    ASSERT_EQ(out.result, 0) << out.report;
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KXX) .."), 12 * ei / (l * l * l)), 2e-5);
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KYY) .."), 12 * eiy / (l * l * l)), 2e-5);
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KWW)  ..."), ea / l), 2e-5);
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KPPX) .............."), 4 * eiy / l), 2e-5);
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KPPY)  .............."), 4 * ei / l), 2e-5);
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KZT)  ................"), gj / l), 2e-5);
  }
  {
    // Pinned head: the moment-free sway of a member held at its foot.
    const Outcome out = run(pile_deck(el, "PINNED", "1 0 0\n", "END-BEARING\n",
                                      layered_soil(el.layers, 0, rigid_base), low_frequency()));
    ASSERT_EQ(out.result, 0) << out.report;
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KXX) .."), 3 * ei / (l * l * l)), 2e-5);
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KYY) .."), 3 * eiy / (l * l * l)), 2e-5);
  }
  {
    // The multilayer body with all layers beside it: the same member, moved to
    // a centre of gravity 1.5 m above its base; KWW and KXX do not move.
    std::ostringstream d;
    d.precision(9);
    d << "TITLE=multilayer test\nMATRIX\nGRAVITY=9.81\nFOUNDATION=MULTILAYER\nCIRCULAR=2\nMASS\n"
      << "50 100 100 100 0 0 0\nLAYER=" << el.layers << "\nCONSTANTS\n0 0 1.5 " << l
      << " 24\n0 " << el.nu << " 0.02 0 " << el.e << "\nELEMENT\n"
      << element_rows(el, el.torsion) << "END-BEARING\nSOIL\nCONSTANTS=" << el.layers << "\n";
    for (int k = 1; k <= el.layers; ++k) d << k << " 0 18 0.3 0.05\n";
    d << "BELOW=" << rigid_base << "\n" << low_frequency();
    const Outcome out = run(d.str());
    ASSERT_EQ(out.result, 0) << out.report;
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KWW)  ..."), ea / l), 2e-5);
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KXX) .."), 12 * ei / (l * l * l)), 2e-5);
    // About the centre of gravity: 4EI/L + h^2 Kxx + 2 h 6EI/L^2 (h = 1.5),
    // and the same about x with the member's other bending stiffness: the
    // sway-rocking coupling acts with the same sense in both planes.
    const double h = 1.5;
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KPPY)  .............."),
                  4 * ei / l + h * h * 12 * ei / (l * l * l) + 2 * h * 6 * ei / (l * l)),
              2e-5);
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KPPX) .............. "),
                  4 * eiy / l + h * h * 12 * eiy / (l * l * l) + 2 * h * 6 * eiy / (l * l)),
              2e-5);
  }
  {
    // The single fixed-head pile under a cap 1.5 m high: the same transfer.
    const double h = 1.5;
    const Outcome out =
        run(pile_deck(el, "FIXED", "1 0 0\n", "END-BEARING\n",
                      layered_soil(el.layers, 0, rigid_base), low_frequency(), h));
    ASSERT_EQ(out.result, 0) << out.report;
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KPPY)  .............."),
                  4 * ei / l + h * h * 12 * ei / (l * l * l) + 2 * h * 6 * ei / (l * l)),
              2e-5);
    EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KPPX) .............. "),
                  4 * eiy / l + h * h * 12 * eiy / (l * l * l) + 2 * h * 6 * eiy / (l * l)),
              2e-5);
  }
}

TEST(PileSystems, TipDiscTakesTheTipLayersOwnRadius) {
  // A floating member in layers without stiffness, its last layer widened to
  // radii 0.35 and 0.45 (mean 0.4) at the same section properties: at low
  // frequency the head sees the bar or shaft in series with the static disc
  // of the tip layer's radius on the soil below, 4 Gb rt / (1 - nu) axially
  // and 16 Gb rt^3 / 3 in torsion.
  const Element el;
  std::string deck = pile_deck(el, "FIXED", "1 0 0\n", "FLOATING\n",
                               layered_soil(el.layers, 0, "300 20 0.3 0"), low_frequency());
  const std::string tip = "\n3 4 0.25 0.25 ";
  ASSERT_NE(deck.find(tip), std::string::npos);
  deck.replace(deck.find(tip), tip.size(), "\n3 4 0.35 0.45 ");
  const Outcome out = run(deck);
  ASSERT_EQ(out.result, 0) << out.report;
  const double gb = 300.0 * 300.0 * 20 / 9.81, rt = 0.4, l = el.length();
  const cd damped(1, 0.02);  // the member's material damping
  const cd axial = 1.0 / (l / (el.e * el.area * damped) + (1 - 0.3) / (4 * gb * rt));
  const double gj = el.e / (2 * (1 + el.nu)) * el.torsion;
  const cd torsion = 1.0 / (l / (gj * damped) + 3 / (16 * gb * rt * rt * rt));
  EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KWW)  ..."), axial.real()), 1e-4);
  EXPECT_LT(zrv::test::relative_error(stiffness(out.report, "(KZT)  ................"), torsion.real()), 1e-4);
}

TEST(PileSystems, TwoPileGroupFollowsTheStaticInteractionFactor) {
  // Two fixed-head piles 2 m apart (S = 4 diameters) in two soils; at
  // 0.5 rad/s the static factors apply: KWW = 2 Kz / (1 + alpha_v), Kz the
  // single pile's.
  const Element el;
  const std::string soil = "CONSTANTS\n1 120 18 0.3 0.05\n2 160 18 0.35 0.05\n3 200 19 0.4 0.05\n"
                           "BELOW=300 20 0.3 0.05\n";
  const Outcome single =
      run(pile_deck(el, "FIXED", "1 0 0\n", "FLOATING\n", soil, low_frequency()));
  const Outcome pair = run(pile_deck(el, "FIXED", "1 -1 0\n2 1 0\n", "FLOATING\nINTERACTION\n",
                                     soil, low_frequency()));
  ASSERT_EQ(single.result, 0) << single.report;
  ASSERT_EQ(pair.result, 0) << pair.report;

  // The fit's parameters from the deck, in double.
  const double g = 9.81, d = 2 * el.r, l = el.length();
  const double h[3] = {4, 4, 4}, vs[3] = {120, 160, 200}, gam[3] = {18, 18, 19},
               nu[3] = {0.3, 0.35, 0.4};
  double sum_e = 0, sum_nu = 0;
  for (int k = 0; k < 3; ++k) {
    sum_e += h[k] * 2 * (1 + nu[k]) * gam[k] / g * vs[k] * vs[k];
    sum_nu += h[k] * nu[k];
  }
  const double e_mean = sum_e / 12, nu_mean = sum_nu / 12;
  const double k_ratio = el.e * el.area / (e_mean * pi * d * d / 4);
  const double eb = 2 * (1 + 0.3) * 20 / g * 300 * 300 / e_mean;
  const double alpha = zrv::ALFVER(4.0f, static_cast<float>(l / d), static_cast<float>(k_ratio),
                                   static_cast<float>(eb), static_cast<float>(nu_mean), 1.0f);
  EXPECT_GT(alpha, 0.1);
  EXPECT_LT(alpha, 1.0);
  const double kz = stiffness(single.report, "(KWW)  ...");
  EXPECT_LT(zrv::test::relative_error(stiffness(pair.report, "(KWW)  ..."), 2 * kz / (1 + alpha)), 1e-4);
  // Without interaction the two piles simply add.
  const Outcome apart =
      run(pile_deck(el, "FIXED", "1 -1 0\n2 1 0\n", "FLOATING\n", soil, low_frequency()));
  ASSERT_EQ(apart.result, 0);
  EXPECT_LT(zrv::test::relative_error(stiffness(apart.report, "(KWW)  ..."), 2 * kz), 2e-5);
}

// The report's framed messages, each line as written.
bool has(const std::string& report, const std::string& text) {
  return report.find(text) != std::string::npos;
}

TEST(PileSystems, BatteredPileRespondsAsTheVerticalPileTurnedAndMoved) {
  // One fixed-head pile battered 15 degrees in the XZ plane under a cap 1 m
  // high: its response must be that of the vertical pile's printed head
  // impedance turned into the global axes (direction cosines of the pile
  // axes) and moved to the centre of gravity, with the mass there.
  const Element el;
  const std::string soil = layered_soil(el.layers, 150, "300 20 0.3 0.05");
  const std::string load = harmonic_load("NONQUADRATIC", 200, 20, 20, "1 0 2", "0 0.5 0");
  const Outcome vertical = run(pile_deck(el, "FIXED", "1 0 0\n", "FLOATING\n", soil, load));
  const Outcome battered =
      run(pile_deck(el, "FIXED", "1 0 0\n", "FLOATING\nBATTERED\n1 XZ\n15\n", soil, load, 1.0));
  ASSERT_EQ(vertical.result, 0) << vertical.report;
  ASSERT_EQ(battered.result, 0) << battered.report;
  const int n = 10;
  ASSERT_EQ(battered.plot.size(), 1u + 2 * n + n);
  const std::string first =
      vertical.report.substr(0, vertical.report.find("SPECIAL OUTPUT OPTION"));
  // Global motion = R times the pile-axis motion, for translations and
  // rotations alike; then the cap offset to the centre of gravity.
  const double t = 15 * pi / 180, c = std::cos(t), sn = std::sin(t), h = 1.0;
  const double rot[3][3] = {{c, 0, -sn}, {0, 1, 0}, {sn, 0, c}};
  double T[6][6] = {};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) T[i][j] = T[i + 3][j + 3] = rot[i][j];
  double cap[6][6] = {};
  for (int i = 0; i < 6; ++i) cap[i][i] = 1;
  cap[0][4] = -h, cap[1][3] = h;
  double A[6][6] = {};  // the whole transfer: T then the cap offset
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j)
      for (int k = 0; k < 6; ++k) A[i][j] += T[i][k] * cap[k][j];
  for (int i = 0; i < n; ++i) {
    const double w = 20 + 20 * i;
    const auto at = [&](const char* k, const char* d) {
      return cd(value_after(first, k, i), w * value_after(first, d, i));
    };
    cd z[6][6] = {};
    z[0][0] = at("(KXX) ..", "(CXX) ..");
    z[1][1] = at("(KYY) ..", "(CYY) ..");
    z[2][2] = at("(KWW)  ...", "(CWW)  ...");
    z[3][3] = at("(KPPX) .............. ", "(CPPX)  ..............");
    z[4][4] = at("(KPPY)  ..............", "(CPPY)  ..............");
    z[5][5] = at("(KZT)  ................", "(CZT)  ................");
    z[1][3] = z[3][1] = at("(KXP)  ........", "(CXP)  ........");
    z[4][0] = z[0][4] = at("(KYP) ........ ", "(CYP)  ........");
    std::vector<cd> d(36);
    for (int r = 0; r < 6; ++r)
      for (int col = 0; col < 6; ++col) {
        for (int k = 0; k < 6; ++k)
          for (int l = 0; l < 6; ++l) d[r * 6 + col] += A[k][r] * z[k][l] * A[l][col];
        d[r * 6 + col] -= w * w * (r == col ? (r < 3 ? 50.0 : 100.0) : 0.0);
      }
    const auto u = solve(d, {1, 0, 2, 0, 0.5, 0});
    const auto rec = numbers(battered.plot[static_cast<std::size_t>(1 + 2 * n + i)]);
    ASSERT_EQ(rec.size(), 7u);
    for (std::size_t k : {0u, 2u, 4u})
      EXPECT_NEAR(rec[k + 1], std::abs(u[k]), 5e-4 * std::abs(u[k])) << "w " << w << " dof " << k + 1;
  }
}

TEST(PileSystems, BatteredGroupWithInteractionSaysWhatItLeavesOut) {
  const Element el;
  const std::string soil = layered_soil(el.layers, 150, "300 20 0.3 0.05");
  const std::string note =
      "\n\n\n NOTE - WITH INTERACTION, THE AXIAL-LATERAL COUPLING OF BATTERED PILES IS NOT "
      "CARRIED INTO THE GROUP\n";
  const Outcome battered = run(pile_deck(el, "FIXED", "1 0 0\n2 3 0\n",
                                         "FLOATING\nBATTERED\n1 XZ\n10\n2 XZ\n0\nINTERACTION\n",
                                         soil, low_frequency()));
  ASSERT_EQ(battered.result, 0) << battered.report;
  const std::size_t at = battered.report.find(note);
  ASSERT_NE(at, std::string::npos) << battered.report;
  EXPECT_EQ(battered.report.find(note, at + 1), std::string::npos);
  EXPECT_LT(at, battered.report.find("FREQUENCY  -"));
  const Outcome vertical = run(
      pile_deck(el, "FIXED", "1 0 0\n2 3 0\n", "FLOATING\nINTERACTION\n", soil, low_frequency()));
  ASSERT_EQ(vertical.result, 0) << vertical.report;
  EXPECT_EQ(vertical.report.find(" NOTE - "), std::string::npos);
}

TEST(PileSystems, DataTheKernelsCannotUseEndTheRunWithAMessage) {
  const Element el;
  const std::string soil = layered_soil(el.layers, 150, "300 20 0.3 0.05");
  const std::string refusal = " ***PROGRAM WILL NOT EXECUTE***\n";
  {
    const Outcome out = run(pile_deck(el, "FIXED", "1 0 0\n2 0 0\n", "FLOATING\nINTERACTION\n",
                                      soil, low_frequency()));
    EXPECT_EQ(out.result, 3);
    EXPECT_TRUE(has(out.report, " ERROR - PILES  1 AND  2 ARE AT THE SAME LOCATION")) << out.report;
  }
  {
    // Two piles leaning towards each other meet a third of their length down.
    const float shift = std::tan(std::acos(-1.0f) * 10.0f / 180.0f) *
                        static_cast<float>(el.length()) / 3.0f;
    char piles[80];
    std::snprintf(piles, sizeof piles, "1 %.9g 0\n2 %.9g 0\n", -shift, shift);
    const Outcome out = run(pile_deck(el, "FIXED", piles,
                                      "FLOATING\nBATTERED\n1 XZ\n10\n2 XZ\n-10\nINTERACTION\n",
                                      soil, low_frequency()));
    EXPECT_EQ(out.result, 3);
    EXPECT_TRUE(has(out.report,
                    "\n\n\n *** PILES   1 AND   2 MEET AT THE SAME POSITION (AT ONE THIRD OF "
                    "THEIR LENGTH FOR BATTERED PILES) ***\n" + refusal))
        << out.report;
  }
  {
    // Interaction with a tip layer without shear-wave velocity.
    const Outcome out = run(pile_deck(el, "FIXED", "1 0 0\n2 2 0\n", "FLOATING\nINTERACTION\n",
                                      "CONSTANTS\n1 150 18 0.3 0.05\n2 150 18 0.3 0.05\n"
                                      "3 0 18 0.3 0.05\nBELOW=300 20 0.3 0.05\n",
                                      low_frequency()));
    EXPECT_EQ(out.result, 3);
    EXPECT_TRUE(has(out.report,
                    "\n\n\n *** PILE INTERACTION NEEDS A SHEAR WAVE VELOCITY GREATER THAN 0 IN "
                    "THE TIP LAYER ***\n" + refusal))
        << out.report;
    EXPECT_TRUE(out.plot.empty());
  }
  {
    // A free first layer of 8 diameters (4 m) is the end of the fit; 10 m is beyond it.
    Element free = el;
    free.layer = 10;
    const Outcome out = run(pile_deck(free, "FIXED", "1 0 0\n2 2 0\n", "FLOATING\nINTERACTION\n",
                                      "CONSTANTS\n1 0 18 0.3 0.05\n2 150 18 0.3 0.05\n"
                                      "3 150 18 0.3 0.05\nBELOW=300 20 0.3 0.05\n",
                                      low_frequency()));
    EXPECT_EQ(out.result, 3);
    EXPECT_TRUE(has(out.report,
                    " *** FREE LENGTH OF THE PILES EXCEEDS 8 DIAMETERS: THE INTERACTION FACTORS "
                    "DO NOT APPLY ***\n" + refusal))
        << out.report;
  }
  {
    const Outcome out = run(
        pile_deck(el, "FIXED", "1 0 0\n", "FLOATING\n", soil, low_frequency(), 0.0, 0.0));
    EXPECT_EQ(out.result, 3);
    EXPECT_TRUE(has(out.report,
                    "\n\n\n *** TORSIONAL CONSTANT OF EVERY ELEMENT LAYER MUST BE GREATER THAN 0 "
                    "***\n" + refusal))
        << out.report;
    // The count record only: no table, no NaN.
    EXPECT_EQ(out.plot, (std::vector<std::string>{"           1"}));
  }
  {
    const Outcome out = run(pile_deck(el, "FIXED", "1 0 0\n", "FLOATING\n",
                                      layered_soil(el.layers, 150, "0 20 0.3 0.05"),
                                      low_frequency()));
    EXPECT_EQ(out.result, 3);
    EXPECT_TRUE(has(out.report, "SHEAR WAVE VELOCITY OF SOIL BELOW MUST BE GREATER THAN 0"));
  }
}

// Side layers of a pile cap, `n` of them 0.1 m thick, of velocity vs.
std::string cap_soil(int n, double vs) {
  std::ostringstream d;
  d << "EMBEDDED\n" << n << "\n";
  for (int k = 1; k <= n; ++k) d << k << " 0.1 " << vs << " 18 0.3 0.05\n";
  return d.str();
}

bool all_finite(const Outcome& out) {
  for (const std::string& line : out.plot)
    for (const char* bad : {"NaN", "nan", "Inf", "inf", "*"})
      if (line.find(bad) != std::string::npos) return false;
  return out.report.find("NaN") == std::string::npos &&
         out.report.find("nan") == std::string::npos && out.report.find("Inf") == std::string::npos;
}

TEST(PileSystems, DecksAtTheLimitsRunToFiniteResultsOrAreRefused) {
  const Element el;
  const std::string soil = layered_soil(el.layers, 150, "300 20 0.3 0.05");
  const std::string piles = "1 -1 -1\n2 1 -1\n3 -1 1\n4 1 1\n";
  {
    // 30 side layers run; 31 are refused by the reader.
    const Outcome out = run(pile_deck(el, "FIXED", piles, "FLOATING\nINTERACTION\n",
                                      soil + cap_soil(30, 120), low_frequency()));
    EXPECT_EQ(out.result, 0) << out.report;
    EXPECT_TRUE(all_finite(out));
    const Outcome over = run(pile_deck(el, "FIXED", piles, "FLOATING\nINTERACTION\n",
                                       soil + cap_soil(31, 120), low_frequency()));
    EXPECT_EQ(over.result, 3);
    EXPECT_TRUE(has(over.report, " ERROR - NUMBER OF SIDE LAYERS EXCEEDS 30"));
  }
  {
    // 500 frequencies run; 501 are refused.
    const Outcome out = run(pile_deck(el, "FIXED", piles, "FLOATING\nINTERACTION\n", soil,
                                      harmonic_load("NONQUADRATIC", 500, 1, 1, "1 0 1", "0 0 0")));
    EXPECT_EQ(out.result, 0) << out.report;
    EXPECT_TRUE(all_finite(out));
    EXPECT_EQ(out.plot[0], "         500");
    const Outcome over = run(pile_deck(el, "FIXED", piles, "FLOATING\nINTERACTION\n", soil,
                                       harmonic_load("NONQUADRATIC", 501, 1, 1, "1 0 1", "0 0 0")));
    EXPECT_EQ(over.result, 3);
    EXPECT_TRUE(has(over.report, " ERROR - NUMBER OF FREQUENCIES EXCEEDS 500"));
  }
  {
    // Cap side soil of 20 m/s under a cap of radius 2 m: a0 = 2 w / 20 runs
    // from 9 to 12 over w = 90..120, with the soil column cut-offs below.
    const Outcome out = run(pile_deck(el, "FIXED", piles, "END-BEARING\nINTERACTION\n",
                                      soil + cap_soil(3, 20),
                                      harmonic_load("QUADRATIC", 120, 90, 0.5, "0 0.01 0.01",
                                                    "0 0 0")));
    EXPECT_EQ(out.result, 0) << out.report;
    EXPECT_TRUE(all_finite(out));
    EXPECT_EQ(out.plot[0], "          61");
    // The same range along the piles: layers of 2.5 m/s round piles of
    // radius 0.25 m.
    const Outcome soft = run(pile_deck(el, "FIXED", piles, "FLOATING\nINTERACTION\n",
                                       layered_soil(el.layers, 2.5, "300 20 0.3 0.05"),
                                       harmonic_load("QUADRATIC", 120, 90, 0.5, "0 0.01 0.01",
                                                     "0 0 0")));
    EXPECT_EQ(soft.result, 0) << soft.report;
    EXPECT_TRUE(all_finite(soft));
  }
}

// The report without what differs between two runs of one deck: the run's
// date, time and folder.
std::string comparable(const std::string& report) {
  std::string out;
  for (const std::string& line : lines_of(masked(report)))
    if (line.find("Path to file locations") == std::string::npos) out += line + "\n";
  return out;
}

TEST(PileSystems, ResultsDoNotDependOnTheThreadCount) {
  const Element el;
  std::string piles;
  for (int k = 0; k < 16; ++k)
    piles += std::to_string(k + 1) + " " + std::to_string(1.5 * (k % 4)) + " " +
             std::to_string(1.5 * (k / 4)) + "\n";
  const std::string deck =
      pile_deck(el, "FIXED", piles, "FLOATING\nINTERACTION\n",
                "WEAK\nCONSTANTS\n1 120 18 0.3 0.05 0.6 0.3 0.1 1\n2 160 18 0.35 0.05 1 0.35 "
                "0.1 0\n3 200 19 0.4 0.05 1 0.4 0.1 0\nBELOW=300 20 0.3 0.05\n" +
                    cap_soil(2, 150),
                harmonic_load("NONQUADRATIC", 120, 2, 1, "1 1 1", "1 1 1"), 1.0);
  std::vector<Outcome> outs;
  for (const char* threads : {"1", "8", "3"}) {
    ASSERT_EQ(setenv("ZORVIN_THREADS", threads, 1), 0);
    outs.push_back(run(deck));
  }
  unsetenv("ZORVIN_THREADS");
  // The benchmark's phase timer: its times go to the sink, never to the report.
  PhaseTimes times;
  set_phase_timing(&times);
  outs.push_back(run(deck));
  set_phase_timing(nullptr);
  EXPECT_GT(times.pass1, 0.0);
  EXPECT_GT(times.response, 0.0);
  ASSERT_EQ(outs[0].result, 0) << outs[0].report;
  EXPECT_TRUE(all_finite(outs[0]));
  for (std::size_t k = 1; k < outs.size(); ++k) {
    EXPECT_EQ(outs[k].result, 0);
    EXPECT_TRUE(comparable(outs[k].report) == comparable(outs[0].report));
    EXPECT_TRUE(outs[k].plot == outs[0].plot);
  }
}

}  // namespace
}  // namespace zrv::test
