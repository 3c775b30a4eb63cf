// The FOUNDATION group read from whole decks: echo text, stored data and
// refusals.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "deck_fixture.h"

namespace zrv::test {
namespace {

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

// A pile group with every optional part of both groups.
const char* const kPileDeck =
    "GRAVITY=32.2\n"
    "FOUNDATION=PILE\n"
    "RECTANGULAR=10,8\n"
    "MASS\n"
    "600 4000 6700 7000 0 -155 0\n"
    "LAYERS=2\n"
    "PINNED=2\n"
    "1 -3 0\n"
    "2 3 0\n"
    "CONSTANTS\n"
    "0.5 -0.25 2\n"
    "30 150 20000 0.25 0.02 1 4.32E8\n"
    "ELEMENT\n"
    "1 10 0.5 0.5 0.785 0.049 0.049 0.098\n"
    "2 20 0.5 0.6 0.785 0.049 0.049 0.098\n"
    "END-BEARING\n"
    "INTERACTION\n"
    "FLOATING\n"
    "BATTERED\n"
    "1 XZ\n"
    "10\n"
    "2 YZ\n"
    "-5\n"
    "SOIL\n"
    "WEAK\n"
    "CONSTANTS\n"
    "1 400 110 0.3 0.05 0.5 0.3 0.05 0.4\n"
    "2 600 120 0.35 0.04 1.0 0.35 0.04 0.4\n"
    "BELOW=800 125 0.35 0.03\n"
    "SIDE\n"
    "EMBEDDED\n"
    "2\n"
    "1 2 300 100 0.3 0.05 0.5 0.3 0.05 0.2\n"
    "2 3 350 105 0.3 0.05 0.7 0.3 0.05 0.3\n"
    "STOP\n";

const char* const kMassFile =
    "2\n"
    "100 1 2 3 4 5 6\n"
    "50 -1 -2 0.5 1 1 1\n";

TEST(FNDKEY, PileGroupEchoOfBothGroups) {
  const DeckRun run = run_deck(kPileDeck, kMassFile);
  EXPECT_EQ(run.result, 2);
  const std::vector<std::string> expected = {
      "",
      "",
      " FOUNDATION TYPE - PILE",
      " ***************",
      "",
      "",
      " RECTANGULAR FOUNDATION  -    10.000 ft  BY    8.000 ft",
      " **********************",
      "",
      "",
      " MASS CONSTANTS",
      " **************",
      "",
      " TOTAL MASS OF FOOTING  ......... 6.00000E+02 slug",
      " MASS MOMENT ABOUT X-AXIS  ...... 4.00000E+03 slug-ft**2",
      " MASS MOMENT ABOUT Y-AXIS  ...... 6.70000E+03 slug-ft**2",
      " MASS MOMENT ABOUT Z-AXIS  ...... 7.00000E+03 slug-ft**2",
      " CROSS PRODUCT X-Y  ............. 0.00000E+00 slug-ft**2",
      " CROSS PRODUCT X-Z  .............-1.55000E+02 slug-ft**2",
      " CROSS PRODUCT Y-Z  ............. 0.00000E+00 slug-ft**2",
      "",
      "",
      " MASS COMPONENTS  NUMBER OF DEFINED MASSES -  2",
      " ***************",
      "",
      "   NO.     MASS     x-local   y-local   z-local  LENGTH-X  LENGTH-Y  LENGTH-Z ",
      "           slug       ft        ft        ft        ft        ft        ft",
      "   1     100.000     1.000     2.000     3.000     4.000     5.000     6.000",
      "   2      50.000    -1.000    -2.000     0.500     1.000     1.000     1.000",
      "",
      "",
      " NUMBER OF LAYERS OR ELEMENTS -   2",
      " ****************************",
      "",
      "",
      " PILES ARE PINNED AT BUTT",
      " ************************",
      "",
      "",
      " LOCATION OF PILES",
      " *****************",
      "",
      " PILE       X           Y",
      "  NO.     LOCATION    LOCATION",
      "             ft           ft",
      "   1       -3.000       0.000",
      "   2        3.000       0.000",
      "",
      "",
      " PILE PROPERTIES",
      " ***************",
      "",
      " X-LOCATION CENTRE OF GRAV.  ....     0.50000 ft",
      " Y-LOCATION CENTRE OF GRAV.  ....    -0.25000 ft",
      " HEIGHT OF CENTRE OF GRAV.  .....     2.00000 ft",
      " TOTAL LENGTH  ..................    30.00000 ft",
      " UNIT WEIGHT  ...................   150.00000 lb/ft**3",
      " STATIC LOAD ON BODY  ........... 2.00000E+04 lb ",
      " POISSONS RATIO  ...............      0.25000",
      " MATERIAL DAMPING  ..............     0.02000",
      " COEFF. OF RIGIDITY  ............     1.00000",
      " YOUNGS MODULUS  ...............  4.32000E+08 psf",
      "",
      "",
      " ELEMENT",
      " *******",
      "",
      " LAYER  LAYER   PILE    PILE     CROSS    MOMENT OF  MOMENT OF  TORSIONAL",
      "  NO.   DEPTH  RADIUS  RADIUS  SECTIONAL   INERTIA    INERTIA   STIFFNESS",
      "                 (X)     (Y)      AREA       (X)      (Y)",
      "          ft      ft     ft       ft**2      ft**4      ft**4      ft**4",
      "   1   10.000  0.500   0.500   7.850E-01  4.900E-02  4.900E-02   9.80E-02",
      "   2   20.000  0.500   0.600   7.850E-01  4.900E-02  4.900E-02   9.80E-02",
      "",
      "",
      " PILE TIP CONDITION : END-BEARING",
      " ********************************",
      "",
      "",
      " BATTERED PILES",
      " **************",
      "",
      "",
      " PILE NO.  1 BATTERED IN XZ PLANE",
      " ANGLE BETWEEN PILE AND VERTICAL =   10.00 deg.",
      " PILE NO.  2 BATTERED IN YZ PLANE",
      " ANGLE BETWEEN PILE AND VERTICAL =   -5.00 deg.",
      "",
      "",
      " SOIL CONSTANTS",
      " **************",
      "",
      " LAYER  SHEAR WAVE    UNIT   POISSONS  MATERIAL",
      "  NO.    VELOCITY    WEIGHT    RATIO    DAMPING",
      "           ft/s      lb/ft**3",
      "   1      400.000     110.000   0.300     0.050",
      "   2      600.000     120.000   0.350     0.040",
      "",
      "",
      " NONLINEARITY OF SOIL (WEAKENED ZONE)",
      " ************************************",
      "",
      " LAYER  SHEAR MODULUS  ",
      "  NO.   RATIO          ",
      "",
      "   1       0.500",
      "   2       1.000",
      "",
      "",
      " SOIL BELOW PILE",
      " ***************",
      "",
      " SHEAR WAVE    UNIT    POISSON'S   MATERIAL",
      "  VELOCITY    WEIGHT     RATIO     DAMPING",
      "     ft/s      lb/ft**3",
      "  8.00E+02    125.0000   0.350     0.030",
      "",
      "",
      " EMBEDDED OPTION",
      " ***************",
      "",
      " NUMBER OF SIDE LAYERS  -    2",
      "",
      " LAYER  THICKNESS  SHEAR WAVE   UNIT    POISSONS  MATERIAL",
      "  NO.    OF LAYER   VELOCITY   WEIHT    RATIO     DAMPING",
      "           ft        ft/s      lb/ft**3",
      "   1      2.000    300.00     100.000    0.300     0.050",
      "   2      3.000    350.00     105.000    0.300     0.050",
      "",
      "",
      " SIDE-CAP (WEAKENING) OF SIDE LAYERS",
      " ************************************",
      "",
      " LAYER  SHEAR MODULUS  ",
      "  NO.       RATIO        ",
      "",
      "   1       0.500",
      "   2       0.700",
  };
  EXPECT_EQ(joined(echo_of(run)), joined(expected));
}

TEST(FNDKEY, PileGroupData) {
  const DeckState d = read_deck(kPileDeck, kMassFile);
  const RunState& s = *d.state;
  EXPECT_EQ(s.flags.fatal, 0);
  EXPECT_EQ(s.flags.foundation_type, FoundationSystem::pile);
  EXPECT_EQ(s.flags.shape, 2);
  EXPECT_EQ(s.flags.pile_tip, 1);
  EXPECT_EQ(s.flags.interaction, 1);
  EXPECT_EQ(s.flags.battered, 1);
  EXPECT_EQ(s.flags.elements_given, 1);
  EXPECT_EQ(s.flags.soil_given, 1);
  const FoundationData& f = s.foundation;
  EXPECT_EQ(f.head_fixed, 0);
  EXPECT_EQ(f.head_restraint, 0.0f);
  EXPECT_EQ(f.pile_count, 2.0f);
  EXPECT_EQ(f.piles[1].x, 3.0f);
  EXPECT_EQ(f.layers[1].thickness, 20.0f);
  EXPECT_EQ(f.layers[1].radius_y, 0.6f);
  EXPECT_EQ(f.material.youngs_modulus, 4.32e8f);

  // Equivalent radii of the 10 x 8 rectangle, in double with the same pi.
  const double pi = 3.14159, a = 10, b = 8;
  EXPECT_NEAR(f.radii.translation, std::sqrt(a * b / pi), 1e-5);
  EXPECT_NEAR(f.radii.rocking_x, std::pow(a * b * b * b / (3 * pi), 0.25), 1e-5);
  EXPECT_NEAR(f.radii.rocking_y, std::pow(a * a * a * b / (3 * pi), 0.25), 1e-5);
  EXPECT_NEAR(f.radii.torsion, std::pow((a * a + b * b) * a * b / (6 * pi), 0.25), 1e-5);

  // Direction angles: the cosines make an orthonormal frame whose third axis
  // leans by the batter angle in its plane.
  const std::array<float, 9> xz = {10, 90, 100, 90, 0, 90, 80, 90, 10};
  const std::array<float, 9> yz = {0, 90, 90, 90, -5, 85, 90, 95, -5};
  EXPECT_EQ(f.batter[0].axis_angles, xz);
  EXPECT_EQ(f.batter[1].axis_angles, yz);
  EXPECT_EQ(f.batter[1].angle, -5.0f);
  for (const PileBatter& p : {f.batter[0], f.batter[1]}) {
    double c[9];
    for (int i = 0; i < 9; ++i) c[i] = std::cos(p.axis_angles[i] * 3.141592653589793 / 180);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) {
        const double dot =
            c[3 * i] * c[3 * j] + c[3 * i + 1] * c[3 * j + 1] + c[3 * i + 2] * c[3 * j + 2];
        EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 1e-12);
      }
  }

  // Weakened zone of the layers: a modulus ratio of 1.0 has no zone.
  EXPECT_EQ(s.soil.weak[0].thickness_ratio, 0.4f);
  EXPECT_EQ(s.soil.weak[1].thickness_ratio, 0.0f);
  EXPECT_EQ(s.soil.reference_velocity, 600.0f);
  // Side-cap zone: the ratio read times the translation radius, once.
  const float r = f.radii.translation;
  EXPECT_EQ(s.soil.side_layer_count, 2.0f);
  EXPECT_FLOAT_EQ(s.soil.side_weak[0].thickness, 0.2f * r);
  EXPECT_FLOAT_EQ(s.soil.side_weak[1].thickness, 0.3f * r);
  EXPECT_EQ(s.soil.side[1].soil.unit_weight, 105.0f);
}

// A half-space on a circle, with side layers in a weakened zone.
TEST(FNDKEY, HalfSpaceEchoWithSideLayers) {
  const DeckRun run = run_deck(
      "GRAVITY=9.81\n"
      "FOUNDATION=HALF-SPACE\n"
      "CIRCULAR=2.5\n"
      "MASS\n"
      "120 40 40 60 0 0 0\n"
      "CONSTANTS\n"
      "0 0 0.75\n"
      "SOIL\n"
      "WEAK\n"
      "CONSTANTS=2\n"
      "1 0.5 150 17.5 0.3 0.05 0.6 0.3 0.05 0.2\n"
      "2 1.0 180 18 0.33 0.04 0.8 0.33 0.04 0.1\n"
      "BELOW=250 19 0.35 0.03\n"
      "STOP\n",
      "0\n");
  EXPECT_EQ(run.result, 2);
  const std::vector<std::string> expected = {
      "",
      "",
      " FOUNDATION TYPE - HALF-SPACE",
      " ***************",
      "",
      "",
      " CIRCULAR FOUNDATION  -  RADIUS =    2.500 m ",
      " *******************",
      "",
      "",
      " MASS CONSTANTS",
      " **************",
      "",
      " TOTAL MASS OF FOOTING  ......... 1.20000E+02 Mg  ",
      " MASS MOMENT ABOUT X-AXIS  ...... 4.00000E+01 Mg-m**2   ",
      " MASS MOMENT ABOUT Y-AXIS  ...... 4.00000E+01 Mg-m**2   ",
      " MASS MOMENT ABOUT Z-AXIS  ...... 6.00000E+01 Mg-m**2   ",
      " CROSS PRODUCT X-Y  ............. 0.00000E+00 Mg-m**2   ",
      " CROSS PRODUCT X-Z  ............. 0.00000E+00 Mg-m**2   ",
      " CROSS PRODUCT Y-Z  ............. 0.00000E+00 Mg-m**2   ",
      "",
      "",
      " HALF-SPACE FOUNDATION",
      " *********************",
      "",
      " X-LOCATION CENTRE OF GRAV  .....     0.00000 m ",
      " Y-LOCATION CENTRE OF GRAV  .....     0.00000 m ",
      " HEIGHT OF CENTRE OF GRAV  ......     0.75000 m ",
      "",
      "",
      " SOIL CONSTANTS  NUMBER OF SIDE LAYERS -   2",
      " **************",
      "",
      " LAYER  LAYER  SHEAR WAVE   UNIT   POISSON'S  MATERIAL",
      "  NO.   DEPTH   VELOCITY   WEIGHT    RATIO     DAMPING",
      "          m        m/s      kN/m**3 ",
      "   1     0.500   150.000     17.500    0.300     0.050",
      "   2     1.000   180.000     18.000    0.330     0.040",
      "",
      "",
      " NONLINEARITY OF SOIL (WEAKENED ZONE)",
      " ************************************",
      "",
      " LAYER  SHEAR MODULUS  ",
      "  NO.   RATIO          ",
      "",
      "   1       0.600",
      "   2       0.800",
      "",
      "",
      " HALF-SPACE SOIL",
      " ***************",
      "",
      " SHEAR WAVE    UNIT    POISSON'S   MATERIAL",
      "  VELOCITY    WEIGHT     RATIO     DAMPING",
      "     m/s       kN/m**3 ",
      "  2.50E+02     19.0000   0.350     0.030",
  };
  EXPECT_EQ(joined(echo_of(run)), joined(expected));

  const DeckState d = read_deck(
      "FOUNDATION=HALF-SPACE\nCIRCULAR=2.5\nMASS\n1 1 1 1 0 0 0\nCONSTANTS\n0 0 0.75\n"
      "SOIL\nWEAK\nCONSTANTS=1\n1 0.5 150 17.5 0.3 0.05 0.6 0.3 0.05 0.2\nBELOW=250 19 0.35 "
      "0.03\nSTOP\n");
  // The zone's thickness ratio becomes a thickness by one multiplication.
  EXPECT_FLOAT_EQ(d.state->soil.side_weak[0].thickness, 0.2f * 2.5f);
  EXPECT_EQ(d.state->foundation.radii.rocking_y, 2.5f);
  EXPECT_EQ(d.state->foundation.stratum_radii.mean, 2.5f);
}

TEST(FNDKEY, StratumEchoAndRatioCheck) {
  const char* deck =
      "GRAVITY=32.2\n"
      "FOUNDATION=STRATUM\n"
      "RECTANGULAR=2 2\n"
      "MASS\n"
      "10 1 1 1 0 0 0\n"
      "CONSTANTS\n"
      "0.1 0.2 0.3\n"
      "0.5 10\n"
      "SOIL\n"
      "CONSTANTS\n"
      "500 120 0.3 0.05\n"
      "STOP\n";
  const DeckRun run = run_deck(deck, "0\n");
  EXPECT_EQ(run.result, 2);
  const std::vector<std::string> expected = {
      "",
      "",
      " FOUNDATION TYPE - STRATUM",
      " ***************",
      "",
      "",
      " RECTANGULAR FOUNDATION  -     2.000 ft  BY    2.000 ft",
      " **********************",
      "",
      "",
      " MASS CONSTANTS",
      " **************",
      "",
      " TOTAL MASS OF FOOTING  ......... 1.00000E+01 slug",
      " MASS MOMENT ABOUT X-AXIS  ...... 1.00000E+00 slug-ft**2",
      " MASS MOMENT ABOUT Y-AXIS  ...... 1.00000E+00 slug-ft**2",
      " MASS MOMENT ABOUT Z-AXIS  ...... 1.00000E+00 slug-ft**2",
      " CROSS PRODUCT X-Y  ............. 0.00000E+00 slug-ft**2",
      " CROSS PRODUCT X-Z  ............. 0.00000E+00 slug-ft**2",
      " CROSS PRODUCT Y-Z  ............. 0.00000E+00 slug-ft**2",
      "",
      "",
      " STRATUM PROPERTIES",
      " ******************",
      "",
      " X-LOCATION CENTRE OF GRAV  .....     0.10000 ft",
      " Y-LOCATION CENTRE OF GRAV  .....     0.20000 ft",
      " HEIGHT OF CENTRE OF GRAV  ......     0.30000 ft",
      " DEPTH OF EMBEDMENT  ............     0.50000 ft",
      " DEPTH OF LAYER  ................    10.00000 ft",
      "",
      "",
      " SOIL CONSTANTS",
      " **************",
      "",
      " SHEAR WAVE VELOCITY  ...........   500.00000 ft/s",
      " UNIT WEIGHT  ...................   120.00000 lb/ft**3",
      " POISSONS RATIO  ................     0.30000",
      " MATERIAL DAMPING  ..............     0.05000",
  };
  EXPECT_EQ(joined(echo_of(run)), joined(expected));

  // The five radii of a 2 x 2 rectangle and their mean, in double: the polar
  // moment a b (a^2 + b^2) / 12 = 32/12 gives the torsion radius.
  const DeckState d = read_deck(deck);
  const StratumRadii& r = d.state->foundation.stratum_radii;
  const double pi = 3.14159;
  const double t = std::sqrt(4 / pi), k = std::pow(16 / (3 * pi), 0.25),
               q = std::pow(32 / (6 * pi), 0.25);
  EXPECT_NEAR(r.vertical, t, 1e-6);
  EXPECT_NEAR(r.horizontal, t, 1e-6);
  EXPECT_NEAR(r.rocking_x, k, 1e-6);
  EXPECT_NEAR(r.torsion, q, 1e-6);
  EXPECT_NEAR(r.mean, (2 * t + 2 * k + q) / 5, 1e-6);
  EXPECT_NEAR(d.state->foundation.e_over_r, 0.5 / ((2 * t + 2 * k + q) / 5), 1e-6);
  EXPECT_FLOAT_EQ(d.state->foundation.e_over_h, 0.05f);
  EXPECT_EQ(d.state->flags.soil_given, 1);

  // Circle of radius 1 embedded 2 in a layer 5 deep: E/R = 2 > 1.5.
  const DeckRun bad = run_deck(
      "FOUNDATION=STRATUM\nCIRCULAR=1\nMASS\n1 1 1 1 0 0 0\nCONSTANTS\n0 0 0\n2 5\nSTOP\n");
  EXPECT_EQ(bad.result, 3);
  EXPECT_EQ(joined(message(bad, " THE STRATUM OPTION IS NOT GOOD FOR THIS CASE")),
            " THE STRATUM OPTION IS NOT GOOD FOR THIS CASE\n CHECK YOUR E/R,E/H,R/H VALUES\n");
}

TEST(FNDKEY, MultilayerEcho) {
  const DeckRun run = run_deck(
      "NOECHO\nGRAVITY=9.8\nECHO\n"
      "FOUNDATION=MULTILAYER\n"
      "CIRCULAR=3\n"
      "MASS\n"
      "1 1 1 1 0 0 0\n"
      "LAYERS=3\n"
      "CONSTANTS\n"
      "0 0 1\n"
      "4 24 0 0.2 0.02 1 3E7\n"
      "ELEMENT\n"
      "1 1 3 3 28.3 63.6 63.6 127\n"
      "2 1 3 3 28.3 63.6 63.6 127\n"
      "3 2 3 3 28.3 63.6 63.6 127\n"
      "SOIL\n"
      "CONSTANTS\n"
      "2\n"
      "1 150 18 0.3 0.05\n"
      "2 160 18 0.3 0.05\n"
      "3 200 19 0.35 0.04 0.9 1.1\n"
      "BELOW=300 20 0.3 0.03\n"
      "STOP\n",
      "0\n");
  EXPECT_EQ(run.result, 2);
  // NOECHO before GRAVITY: the labels stay blank.
  const std::vector<std::string> expected = {
      "",
      "",
      " FOUNDATION TYPE - MULTILAYER",
      " ***************",
      "",
      "",
      " CIRCULAR FOUNDATION  -  RADIUS =    3.000   ",
      " *******************",
      "",
      "",
      " MASS CONSTANTS",
      " **************",
      "",
      " TOTAL MASS OF FOOTING  ......... 1.00000E+00     ",
      " MASS MOMENT ABOUT X-AXIS  ...... 1.00000E+00           ",
      " MASS MOMENT ABOUT Y-AXIS  ...... 1.00000E+00           ",
      " MASS MOMENT ABOUT Z-AXIS  ...... 1.00000E+00           ",
      " CROSS PRODUCT X-Y  ............. 0.00000E+00           ",
      " CROSS PRODUCT X-Z  ............. 0.00000E+00           ",
      " CROSS PRODUCT Y-Z  ............. 0.00000E+00           ",
      "",
      "",
      " NUMBER OF LAYERS OR ELEMENTS -   3",
      " ****************************",
      "",
      "",
      " FOUNDATION PROPERTIES",
      " *********************",
      "",
      " X-LOCATION CENTRE OF GRAV.  ....     0.00000   ",
      " Y-LOCATION CENTRE OF GRAV.  ....     0.00000   ",
      " HEIGHT OF CENTRE OF GRAV.  .....     1.00000   ",
      " TOTAL LENGTH  ..................     4.00000   ",
      " UNIT WEIGHT  ...................    24.00000         ",
      " STATIC LOAD ON BODY  ........... 0.00000E+00    ",
      " POISSONS RATIO  ...............      0.20000",
      " MATERIAL DAMPING  ..............     0.02000",
      " COEFF. OF RIGIDITY  ............     1.00000",
      " YOUNGS MODULUS  ...............  3.00000E+07    ",
      "",
      "",
      " ELEMENT",
      " *******",
      "",
      " LAYER  LAYER   PILE    PILE     CROSS    MOMENT OF  MOMENT OF  TORSIONAL",
      "  NO.   DEPTH  RADIUS  RADIUS  SECTIONAL   INERTIA    INERTIA   STIFFNESS",
      "                 (X)     (Y)      AREA       (X)      (Y)",
      std::string(72, ' '),
      "   1    1.000  3.000   3.000   2.830E+01  6.360E+01  6.360E+01   1.27E+02",
      "   2    1.000  3.000   3.000   2.830E+01  6.360E+01  6.360E+01   1.27E+02",
      "   3    2.000  3.000   3.000   2.830E+01  6.360E+01  6.360E+01   1.27E+02",
      "",
      "",
      " SOIL CONSTANTS      NUMBER OF ADJACENT LAYERS -    2",
      " **************",
      "",
      " LAYER  SHEAR WAVE   UNIT    POISSONS  MATERIAL",
      "  NO.    VELOCITY   WEIGHT    RATIO     DAMPING",
      std::string(29, ' '),
      "   1      150.000      18.000   0.300     0.050",
      "   2      160.000      18.000   0.300     0.050",
      "",
      "",
      " SOIL PROPERTIES BELOW FOUNDATION",
      " ********************************",
      "",
      " LAYER  SHEAR WAVE   UNIT   POISSON'S  MATERIAL  SHEAR MODULUS  DAMPING RATIO",
      "  NO.    VELOCITY   WEIGHT    RATIO     DAMPING  RATIO(IN/OUT)      (IN/OUT)",
      std::string(30, ' '),
      "   3     200.000     19.000   0.350     0.040        0.900          1.100",
      "",
      "",
      " SOIL BELOW MULTILAYER SYSTEM",
      " ****************************",
      "",
      " SHEAR WAVE    UNIT    POISSON'S   MATERIAL",
      "  VELOCITY    WEIGHT     RATIO     DAMPING",
      std::string(23, ' '),
      "  3.00E+02     20.0000   0.300     0.030",
  };
  EXPECT_EQ(joined(echo_of(run)), joined(expected));
}

// Parabolic soil, fixed heads, a single pile whose zero batter drops the
// option, and the rows of the batter still read in full.
TEST(FNDKEY, ParabolicSinglePileAndZeroBatter) {
  const char* deck =
      "GRAVITY=9.8\n"
      "FOUNDATION=PILE\n"
      "CIRCULAR=1\n"
      "MASS\n"
      "5 1 1 1 0 0 0\n"
      "PARABOLIC\n"
      "FIXED=1\n"
      "1 0 0\n"
      "CONSTANTS\n"
      "0 0 0.5\n"
      "40 24 100 0.25 0.02 1 3E7\n"
      "ELEMENT\n"
      "0.4 0.4 0.5 0.02 0.02 0.04\n"
      "FLOATING\n"
      "BATTERED\n"
      "1 XZ\n"
      "0\n"
      "SOIL\n"
      "WEAK\n"
      "CONSTANTS\n"
      "400 19 0.3 0.05\n"
      "0.5 0.3 0.05 0.2\n"
      "BELOW=500 20 0.3 0.03\n"
      "STOP\n";
  const DeckRun run = run_deck(deck, "0\n");
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(joined(section(run, " SOIL MEDIA IS PARABOLIC", " LOCATION OF PILES")),
            " SOIL MEDIA IS PARABOLIC\n ***********************\n\n\n");
  EXPECT_EQ(joined(section(run, " ELEMENT", " BATTERED OPTION WILL BE IGNORED.")),
            " ELEMENT\n"
            " *******\n"
            "\n"
            " RADIUS OF PILE (X)  ............     0.40000\n"
            " RADIUS OF PILE (Y)  ............     0.40000\n"
            " CROSS SECTIONAL AREA  ..........     0.50000\n"
            " MOMENT OF INERTIA (X)  .........     0.02000\n"
            " MOMENT OF INERTIA (Y)  .........     0.02000\n"
            " TORSIONAL STIFFNESS  ...........     0.04000\n"
            "\n"
            "\n"
            " ANGLE BETWEEN PILE AND VERTICAL IS ZERO, THEREFORE THE PILE IS NOT BATTERED.\n");
  EXPECT_FALSE(has_line(run, " BATTERED PILES"));
  EXPECT_EQ(joined(section(run, " SOIL CONSTANTS", " SOIL BELOW PILE")),
            " SOIL CONSTANTS\n"
            " **************\n"
            "\n"
            " SHEAR WAVE VELOCITY  ...........   400.00000 m/s \n"
            " UNIT WEIGHT  ...................    19.00000 kN/m**3 \n"
            " POISSONS RATIO  ................     0.30000\n"
            " MATERIAL DAMPING  ..............     0.05000\n"
            " WEAK SHEAR RATIO  ..............     0.50000\n"
            " WEAKPOISSONS RATIO  ..........     0.30000\n"
            " WEAK MATERIAL DAMPING  .........     0.05000\n"
            " WEAK THICKNESS RATIO  ..........     0.20000\n"
            "\n"
            "\n");

  const DeckState d = read_deck(deck);
  const RunState& s = *d.state;
  EXPECT_EQ(s.flags.battered, 0);
  EXPECT_EQ(s.flags.fatal, 0);
  EXPECT_EQ(s.foundation.head_fixed, 1);
  EXPECT_EQ(s.foundation.head_restraint, 1.0f);
  EXPECT_EQ(s.flags.soil_profile, 2);
  // 30 layers down the 40 long pile: 20 of 1, then 10 of 2; velocity grows
  // with the fourth root of the depth of the layer's middle.
  EXPECT_EQ(s.foundation.layer_count, 30.0f);
  double depth = 0;
  for (int k = 0; k < 30; ++k) {
    const double h = k < 20 ? 1.0 : 2.0;
    EXPECT_FLOAT_EQ(s.foundation.layers[k].thickness, static_cast<float>(h)) << k;
    EXPECT_EQ(s.foundation.layers[k].area, 0.5f);
    EXPECT_NEAR(s.soil.layers[k].shear_velocity, 400 * std::pow((depth + h / 2) / 40, 0.25), 4e-4)
        << k;
    EXPECT_EQ(s.soil.weak[k].thickness_ratio, 0.2f);
    depth += h;
  }
  EXPECT_NEAR(s.soil.layers[0].shear_velocity, 400 * std::pow(0.5 / 40, 0.25), 1e-4);
  EXPECT_NEAR(s.soil.layers[29].shear_velocity, 400 * std::pow(39.0 / 40, 0.25), 1e-4);

  // Two piles with angles 0 and 10 keep the option; a plane word is known by
  // its first two characters.
  const DeckState two = read_deck(
      "FOUNDATION=PILE\nCIRCULAR=1\nMASS\n5 1 1 1 0 0 0\nLAYERS=1\nFIXED=2\n1 0 0\n2 2 0\n"
      "CONSTANTS\n0 0 0.5\n10 24 100 0.25 0.02 1 3E7\nELEMENT\n1 10 0.4 0.4 0.5 0.02 0.02 "
      "0.04\nBATTERED\n1 XZ-PLANE\n0\n2 YZ\n10\nSTOP\n");
  EXPECT_EQ(two.state->flags.battered, 1);
  EXPECT_EQ(two.state->foundation.batter[1].angle, 10.0f);
  EXPECT_EQ(two.state->flags.fatal, 0);
}

// A wrong word or an unreadable number ends the group with its framed message.
TEST(FNDKEY, GroupRefusals) {
  const std::string pile = "FOUNDATION=PILE\nCIRCULAR=1\nMASS\n5 1 1 1 0 0 0\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"FOUNDATION=CIRCULAR\n", " INVALID KEYWORD - CIRC FOR FOUNDATION TYPE"},
      {"FOUNDATION=PILE\nSQUARE=1\n", " INVALID KEYWORD - SQUA FOR GEOMETRY TYPE"},
      {"FOUNDATION=PILE\nCIRCULAR=1\nCONSTANTS\n", " INVALID KEYWORD - CONS FOR MASS INFORMATION"},
      {pile + "FIXED\n", " INVALID KEYWORD - FIXE FOR SOIL MEDIA TYPE"},
      {pile + "LAYERS=MANY\n", " ERROR ENCOUNTERED WHILE READING NUMBER OF LAYERS"},
      {"FOUNDATION=MULTILAYER\nCIRCULAR=1\nMASS\n5 1 1 1 0 0 0\nPARABOLIC\n",
       " MULTILAYER FOUNDATION IS NOT ALLOWED A PARABOLIC SOIL MEDIA"},
      {pile + "LAYERS=1\nHINGED\n", " INVALID KEYWORD - HING FOR FIXED OR PINNED INFORMATION"},
      {pile + "LAYERS=1\nFIXED\nSOIL\n", " ERROR ENCOUNTERED WHILE READING NUMBER OF PILES"},
      {pile + "LAYERS=1\nFIXED=2\n1 0 0\nTWO\n", " ERROR ENCOUNTERED WHILE READING PILE NUMBER"},
      {pile + "LAYERS=1\nFIXED=2\n1 0 0\n2 X\n", " ERROR ENCOUNTERED WHILE READING PILE X-LOCATOR"},
      {pile + "LAYERS=1\nFIXED=2\n1 0 0\n2 1 Y\n",
       " ERROR ENCOUNTERED WHILE READING PILE Y-LOCATOR"},
      {pile + "LAYERS=1\nFIXED=1\n1 0 0\nELEMENT\n",
       " INVALID KEYWORD - ELEM FOR CONSTANT INFORMATION"},
      {pile + "LAYERS=1\nFIXED=1\n1 0 0\nCONSTANTS\n0 0 1\n10 24 0 0.2 0.02 1 3E7\nSOIL\n",
       " INVALID KEYWORD - SOIL FOR ELEMENT INFORMATION"},
      {"FOUNDATION=PILE\nCIRCULAR=1\nMASS\n5 1 1 SOIL\n",
       " ERROR ENCOUNTERED IN FOUNDATION MASS DESCRIPTION"},
      {pile + "LAYERS=1\nFIXED=1\n1 0 0\nCONSTANTS\n0 A 1\n",
       " ERROR ENCOUNTERED WHILE READING CENTRE OF GRAVITY VARIABLES"},
      {pile + "LAYERS=1\nFIXED=1\n1 0 0\nCONSTANTS\n0 0 1\n10 24 0 0.2 B\n",
       " ERROR ENCOUNTERED WHILE READING FOUNDATION CONSTANTS"},
  };
  for (const auto& [deck, line] : cases) {
    SCOPED_TRACE(deck);
    const DeckRun run = run_deck(deck + "STOP\n", "0\n");
    EXPECT_EQ(run.result, 3);
    EXPECT_EQ(framed(run, line), framed_text(line));
  }

  // The shape reader's error is fatal but lets the group go on.
  const DeckRun shape =
      run_deck("FOUNDATION=HALF-SPACE\nCIRCULAR\nMASS\n1 1 1 1 0 0 0\nSTOP\n", "0\n");
  EXPECT_EQ(shape.result, 3);
  EXPECT_EQ(joined(message(shape, "  *** BAD DATA IN GEOMETRY DESCRIPTION ***")),
            "  *** BAD DATA IN GEOMETRY DESCRIPTION ***\n"
            "         - WILL CONTINUE TO PROCESS DATA\n"
            "      - CANNOT EXECUTE  THIS PROBLEM SET\n");
  EXPECT_TRUE(has_line(shape, " MASS CONSTANTS"));

  // The element reader's message stands on one line and its echo follows.
  const DeckRun element =
      run_deck(pile +
                   "LAYERS=1\nFIXED=1\n1 0 0\nCONSTANTS\n0 0 1\n10 24 0 0.2 0.02 1 3E7\n"
                   "ELEMENT\n1 10 0.3 STOP\n",
               "0\n");
  EXPECT_EQ(element.result, 3);
  EXPECT_TRUE(
      has_line(element, " ERROR ENCOUNTERED WHILE READING ELEMENT DATA PROGRAM WILL NOT EXECUTE"));
  EXPECT_TRUE(has_line(element, " ELEMENT"));
}

// An unknown plane drops the option, and the rows after it are still read:
// the dispatcher meets STOP, not the numbers of the later piles.
TEST(BATRED, UnknownPlaneReadsEveryRow) {
  const DeckRun run = run_deck(
      "FOUNDATION=PILE\nCIRCULAR=1\nMASS\n5 1 1 1 0 0 0\nLAYERS=1\nFIXED=3\n1 0 0\n2 2 0\n3 4 0\n"
      "CONSTANTS\n0 0 0.5\n10 24 100 0.25 0.02 1 3E7\nELEMENT\n1 10 0.4 0.4 0.5 0.02 0.02 "
      "0.04\nBATTERED\n1 XZ\n5\n2 XY\n5\n3 YZ\n5\nSTOP\n",
      "0\n");
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(joined(section(run, " UNRECOGNIZED PLANEXY  FOR BATTERED PILES", "1")),
            " UNRECOGNIZED PLANEXY  FOR BATTERED PILES\n BATTERED OPTION WILL BE IGNORED.\n");
  for (const std::string& l : run.lines)
    EXPECT_EQ(l.find("UNRECOGNIZED KEYWORD"), std::string::npos) << l;
}

}  // namespace
}  // namespace zrv::test
