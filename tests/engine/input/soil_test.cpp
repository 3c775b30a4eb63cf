// The SOIL group's messages and options, and the mass-file echo of the
// FOUNDATION group, read from whole decks.

#include <gtest/gtest.h>

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

const std::string kPile =
    "GRAVITY=9.8\nFOUNDATION=PILE\nCIRCULAR=1.5\nMASS\n5 1 1 1 0 0 0\nLAYERS=2\nFIXED=1\n1 0 0\n"
    "CONSTANTS\n0 0 0.5\n10 24 100 0.25 0.02 1 3E7\nELEMENT\n"
    "1 4 0.4 0.4 0.5 0.02 0.02 0.04\n2 6 0.4 0.4 0.5 0.02 0.02 0.04\n";

const std::string kHalf =
    "GRAVITY=9.8\nFOUNDATION=HALF-SPACE\nCIRCULAR=2\nMASS\n100 50 50 80 0 0 0\n"
    "CONSTANTS\n0 0 1\n";

TEST(SOLKEY, SideCapWithoutEmbedmentIsDropped) {
  const DeckState d = read_deck(kPile +
                                    "SOIL\nCONSTANTS\n1 150 18 0.3 0.05\n2 180 18 0.3 0.05\n"
                                    "BELOW=300 20 0.3 0.03\nSIDE\nSTOP\n",
                                "0\n");
  EXPECT_EQ(joined(message(d.run,
                           " SIDE-CAP KEYWORD WAS INPUT WITHOUT THE EMBEDDED KEYWORD - "
                           "THE SIDE-CAP OPTION WILL BE IGNORED")),
            " SIDE-CAP KEYWORD WAS INPUT WITHOUT THE EMBEDDED KEYWORD - THE SIDE-CAP OPTION WILL "
            "BE IGNORED\n");
  EXPECT_EQ(d.state->flags.side_cap_weak, 0);
  EXPECT_EQ(d.state->flags.fatal, 0);
  // Without WEAK a layer's zone is its own soil with ratio 1 and no thickness.
  const LayerWeakZone& z = d.state->soil.weak[1];
  EXPECT_EQ(z.shear_modulus_ratio, 1.0f);
  EXPECT_EQ(z.poisson_ratio, 0.3f);
  EXPECT_EQ(z.damping, 0.05f);
  EXPECT_EQ(z.thickness_ratio, 0.0f);
  EXPECT_EQ(d.state->soil.modulus_ratio_in_out[29], 1.0f);
}

TEST(SOLKEY, FatalMessagesOfTheGroup) {
  const DeckRun stra = run_deck(
      "FOUNDATION=STRATUM\nCIRCULAR=1\nMASS\n1 1 1 1 0 0 0\nCONSTANTS\n0 0 0\n0.5 5\n"
      "SOIL\nWEAK\nSTOP\n",
      "0\n");
  EXPECT_EQ(stra.result, 3);
  EXPECT_EQ(joined(message(stra, " WEAK IS AN IMPROPER KEYWORD FOR THIS FOUNDATION   TYPE")),
            " WEAK IS AN IMPROPER KEYWORD FOR THIS FOUNDATION   TYPE\n"
            " PROGRAM WILL NOT EXECUTE\n");

  const DeckRun first = run_deck(kHalf + "SOIL\nBELOW\nSTOP\n", "0\n");
  EXPECT_EQ(first.result, 3);
  EXPECT_EQ(joined(message(first,
                           " WEAK OR CONSTANT SUBKEYWORDS ARE EXPECTED TO FOLLOW SOIL "
                           "KEYWORD")),
            " WEAK OR CONSTANT SUBKEYWORDS ARE EXPECTED TO FOLLOW SOIL KEYWORD\n"
            " PROGRAM WILL NOT EXECUTE\n");

  const DeckRun below = run_deck(kHalf + "SOIL\nCONSTANTS=0\nSTOP\n", "0\n");
  EXPECT_EQ(below.result, 3);
  EXPECT_EQ(joined(message(below, " BELOW SUBKEYWORD IS EXPECTED TO FOLLOW SOIL CONSTANT DATA")),
            " BELOW SUBKEYWORD IS EXPECTED TO FOLLOW SOIL CONSTANT DATA\n"
            " PROGRAM WILL NOT EXECUTE\n");

  const DeckRun early = run_deck("SOIL\nCONSTANTS\n1 2 3 4\nSTOP\n", "0\n");
  EXPECT_EQ(early.result, 3);
  EXPECT_EQ(joined(message(early, " THE FOUNDATION TYPE HAS NOT BEEN ESTABLISHED")),
            " THE FOUNDATION TYPE HAS NOT BEEN ESTABLISHED\n"
            "    THE PROGRAM SHOULD NEVER ENCOUNTER THIS ERROR (SOLCST)\n");

  const DeckRun bad = run_deck(kHalf + "SOIL\nCONSTANTS=0\nBELOW=200 18 STOP\n", "0\n");
  EXPECT_EQ(bad.result, 3);
  EXPECT_EQ(joined(message(bad, "  *** BAD DATA IN SOIL DESCRIPTION BELOW PILE ***")),
            "  *** BAD DATA IN SOIL DESCRIPTION BELOW PILE ***\n"
            "      - WILL CONTINUE TO PROCESS DATA\n"
            "      - CANNOT    EXECUTE THIS PROBLEM SET\n");

  const DeckRun constants = run_deck(kHalf + "SOIL\nCONSTANTS=1\n1 0.5 LOAD\n", "0\n");
  EXPECT_EQ(constants.result, 3);
  EXPECT_EQ(joined(message(constants, " ERROR ENCOUNTERED WHILE READING SOIL CONSTANTS")),
            " ERROR ENCOUNTERED WHILE READING SOIL CONSTANTS\n PROGRAM WILL NOT EXECUTE\n");
}

// A read error in the embedded layers drops the options without ending the run.
TEST(EMBRED, ReadErrorIgnoresTheOptions) {
  const DeckState d = read_deck(kPile +
                                    "SOIL\nCONSTANTS\n1 150 18 0.3 0.05\n2 180 18 0.3 0.05\n"
                                    "BELOW=300 20 0.3 0.03\nSIDE\nEMBEDDED\n1\n1 2 STOP\n",
                                "0\n");
  EXPECT_EQ(joined(message(d.run, " ERROR ENCOUNTERED WHILE READING EMBEDDED OR ISOLATION DATA")),
            " ERROR ENCOUNTERED WHILE READING EMBEDDED OR ISOLATION DATA\n"
            " PROGRAM WILL IGNORE THESE OPTIONS\n");
  EXPECT_EQ(d.state->flags.embedment, 0);
  EXPECT_EQ(d.state->flags.side_cap_weak, 0);
  EXPECT_EQ(d.state->flags.fatal, 0);
  EXPECT_FALSE(has_line(d.run, " EMBEDDED OPTION"));
}

TEST(SOLCST, WeakTableRowsOnlyWithAZoneInTheFirstLayers) {
  // Half-space side layers whose first two have no zone (ratio 0): the table
  // heads are written, the rows are not.
  const DeckRun run = run_deck(kHalf +
                                   "SOIL\nWEAK\nCONSTANTS=3\n"
                                   "1 0.5 150 18 0.3 0.05 0 0.3 0.05 0\n"
                                   "2 0.5 150 18 0.3 0.05 0 0.3 0.05 0\n"
                                   "3 0.5 150 18 0.3 0.05 0.5 0.3 0.05 0.1\n"
                                   "BELOW=200 18 0.3 0.05\nSTOP\n",
                               "0\n");
  EXPECT_EQ(joined(section(run, " NONLINEARITY OF SOIL (WEAKENED ZONE)", " HALF-SPACE SOIL")),
            " NONLINEARITY OF SOIL (WEAKENED ZONE)\n"
            " ************************************\n"
            "\n"
            " LAYER  SHEAR MODULUS  \n"
            "  NO.   RATIO          \n"
            "\n"
            "\n"
            "\n");
  // No side layers: nothing is echoed for them.
  const DeckRun none = run_deck(kHalf + "SOIL\nCONSTANTS=0\nBELOW=200 18 0.3 0.05\nSTOP\n", "0\n");
  EXPECT_FALSE(has_prefix(none, " SOIL CONSTANTS"));
  EXPECT_TRUE(has_line(none, " HALF-SPACE SOIL"));

  // Multilayer adjacent layers in a weakened zone.
  const DeckState mult = read_deck(
      "GRAVITY=9.8\nFOUNDATION=MULTILAYER\nCIRCULAR=3\nMASS\n1 1 1 1 0 0 0\nLAYERS=2\n"
      "CONSTANTS\n0 0 1\n4 24 0 0.2 0.02 1 3E7\nELEMENT\n1 1 3 3 28 64 64 127\n"
      "2 2 3 3 28 64 64 127\nSOIL\nWEAK\nCONSTANTS\n1\n1 150 18 0.3 0.05 0.7 0.3 0.05 0.25\n"
      "2 200 19 0.35 0.04 0.9 1.1\nBELOW=300 20 0.3 0.03\nSTOP\n");
  EXPECT_EQ(joined(section(mult.run, " NONLINEARITY OF SOIL (WEAKENED ZONE)",
                           " SOIL PROPERTIES BELOW FOUNDATION")),
            " NONLINEARITY OF SOIL (WEAKENED ZONE)\n"
            " ************************************\n"
            "\n"
            " LAYER  SHEAR MODULUS  \n"
            "  NO.   RATIO          \n"
            "\n"
            "   1       0.700\n"
            "\n"
            "\n");
  const SoilData& soil = mult.state->soil;
  EXPECT_EQ(soil.weak[0].thickness_ratio, 0.25f);
  EXPECT_EQ(soil.weak[1].shear_modulus_ratio, 1.0f);
  EXPECT_EQ(soil.weak[1].poisson_ratio, 0.35f);
  EXPECT_EQ(soil.modulus_ratio_in_out[1], 0.9f);
  EXPECT_EQ(soil.damping_ratio_in_out[1], 1.1f);
  EXPECT_EQ(soil.adjacent_layer_count, 1.0f);
  EXPECT_EQ(soil.reference_velocity, 200.0f);
  EXPECT_EQ(soil.below.shear_velocity, 300.0f);
  EXPECT_EQ(mult.state->flags.fatal, 0);
}

// The mass components are listed from the mass file; a missing or short file
// only skips the list, with a warning.
TEST(MASRED, MassFileListOrWarning) {
  const std::string deck = kHalf + "SOIL\nCONSTANTS=0\nBELOW=200 18 0.3 0.05\nSTOP\n";
  const std::string warning =
      " WARNING - MASS FILE MISSING OR INCOMPLETE, MASS COMPONENTS NOT LISTED";
  const DeckRun missing = run_deck(deck);
  EXPECT_EQ(missing.result, 2);
  EXPECT_EQ(joined(section(missing, " CROSS PRODUCT Y-Z  ............. 0.00000E+00 Mg-m**2   ",
                           " HALF-SPACE FOUNDATION")),
            " CROSS PRODUCT Y-Z  ............. 0.00000E+00 Mg-m**2   \n\n\n" + warning + "\n\n\n");

  const DeckRun short_file = run_deck(deck, "2\n10, 1, 2, 3, 1, 1, 1\n20 1 2\n");
  EXPECT_EQ(short_file.result, 2);
  EXPECT_TRUE(has_line(short_file, warning));
  EXPECT_FALSE(has_line(short_file, " MASS COMPONENTS  NUMBER OF DEFINED MASSES -  2"));

  const DeckRun words = run_deck(deck, "1\n10 1 2 x 1 1 1\n");
  EXPECT_TRUE(has_line(words, warning));

  const DeckRun none = run_deck(deck, "0\n");
  EXPECT_FALSE(has_line(none, warning));
  EXPECT_FALSE(has_prefix(none, " MASS COMPONENTS"));

  // Free format: values may run across lines and be separated by commas.
  const DeckRun spread = run_deck(deck, "1 10,1,2\n3 1\n1 1\n");
  EXPECT_EQ(joined(section(spread, " MASS COMPONENTS  NUMBER OF DEFINED MASSES -  1",
                           " HALF-SPACE FOUNDATION")),
            " MASS COMPONENTS  NUMBER OF DEFINED MASSES -  1\n"
            " ***************\n"
            "\n"
            "   NO.     MASS     x-local   y-local   z-local  LENGTH-X  LENGTH-Y  LENGTH-Z \n"
            "           Mg         m         m         m         m         m         m \n"
            "   1      10.000     1.000     2.000     3.000     1.000     1.000     1.000\n"
            "\n"
            "\n");

  // With the echo off the mass file is not read at all.
  const DeckRun quiet = run_deck("NOECHO\n" + deck);
  EXPECT_FALSE(has_line(quiet, warning));
}

}  // namespace
}  // namespace zrv::test
