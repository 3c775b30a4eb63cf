// Fixed table limits and the inputs that would otherwise give a division by
// zero or a hang: each is tried just past its bound and refused with a framed
// fatal message (result 3); the bound itself is accepted.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deck_fixture.h"

namespace zrv::test {
namespace {

std::string n(int v) { return std::to_string(v); }

std::string rows(int count, const std::string& row) {
  std::string out;
  for (int k = 1; k <= count; ++k) out += n(k) + " " + row + "\n";
  return out;
}

// A pile group on a grid of 25 by 20 places, with `layers` soil layers.
std::string piles(int count, int layers = 1, const std::string& layer_count = "") {
  std::string d = "GRAVITY=9.8\nFOUNDATION=PILE\nRECTANGULAR=10 8\nMASS\n100 1 1 1 0 0 0\n";
  d += "LAYERS=" + (layer_count.empty() ? n(layers) : layer_count) + "\nFIXED=" + n(count) + "\n";
  for (int k = 1; k <= count; ++k) d += n(k) + " " + n(k % 25) + " " + n(k / 25) + "\n";
  d += "CONSTANTS\n0 0 1\n10 24 0 0.2 0.02 1 3E7\nELEMENT\n";
  d += rows(layers, "1 0.3 0.3 0.28 0.006 0.006 0.012");
  return d;
}

std::string pile_soil(int layers, const std::string& layer = "150 18 0.3 0.05",
                      const std::string& below = "300 20 0.3 0.03") {
  return "SOIL\nCONSTANTS\n" + rows(layers, layer) + "BELOW=" + below + "\n";
}

const std::string kHalf =
    "GRAVITY=9.8\nFOUNDATION=HALF-SPACE\nCIRCULAR=2\nMASS\n100 50 50 80 0 0 0\n"
    "CONSTANTS\n0 0 1\n";

std::string half_soil(int side, const std::string& row = "1 150 18 0.3 0.05") {
  return "SOIL\nCONSTANTS=" + n(side) + "\n" + rows(side, row) + "BELOW=200 18 0.3 0.05\n";
}

const std::string kFooting = kHalf + half_soil(0);

std::string stratum(const std::string& shape, const std::string& depths,
                    const std::string& soil = "500 120 0.3 0.05") {
  return "GRAVITY=9.8\nFOUNDATION=STRATUM\n" + shape +
         "\nMASS\n10 1 1 1 0 0 0\nCONSTANTS\n0 0 0\n" + depths + "\nSOIL\nCONSTANTS\n" + soil +
         "\n";
}

std::string multilayer(int adjacent, const std::string& layer = "150 18 0.3 0.05") {
  return "GRAVITY=9.8\nFOUNDATION=MULTILAYER\nCIRCULAR=3\nMASS\n1 1 1 1 0 0 0\nLAYERS=30\n"
         "CONSTANTS\n0 0 1\n4 24 0 0.2 0.02 1 3E7\nELEMENT\n" +
         rows(30, "1 3 3 28.3 63.6 63.6 127") + "SOIL\nCONSTANTS\n" + n(adjacent) + "\n" +
         rows(adjacent, layer) + "BELOW=300 20 0.3 0.03\n";
}

std::string transient(int points, const std::string& step = "0.01") {
  std::string d = "LOAD\nTRANSIENT\nCONSTANTS\n" + n(points) + "\n" + step + "\n1\n3\n";
  for (int k = 0; k < points; ++k) d += (k % 2 ? "1\n" : "0\n");
  return d;
}

std::string random_load(int points, const std::string& fmax = "62.8") {
  std::string d = "LOAD\nRANDOM\nCONSTANTS\n" + fmax + " 6.28 " + n(points) + " 100 1\n3 3\n";
  for (int k = 0; k < points; ++k) d += "1\n";
  return d;
}

// A random load of three points whose spectrum (3, 3) holds `values`.
std::string spectrum(const std::string& values) {
  return "LOAD\nRANDOM\nCONSTANTS\n62.8 6.28 3 100 1\n3 3\n" + values;
}

// One pile in a parabolic soil whose velocity at the tip is `tip`.
std::string parabolic(const std::string& tip) {
  return "GRAVITY=9.8\nFOUNDATION=PILE\nCIRCULAR=1\nMASS\n1 1 1 1 0 0 0\nPARABOLIC\nFIXED=1\n"
         "1 0 0\nCONSTANTS\n0 0 1\n10 24 0 0.2 0.02 1 3E7\nELEMENT\n"
         "0.3 0.3 0.28 0.006 0.006 0.012\nSOIL\nCONSTANTS\n" +
         tip + " 18 0.3 0.05\nBELOW=300 20 0.3 0.03\n";
}

// 101 piles on the grid of `piles`, the last at the place of the one before:
// pile numbers of three digits in the refusal.
std::string hundred_and_one_piles() {
  std::string d = "FOUNDATION=PILE\nCIRCULAR=1\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=101\n";
  for (int k = 1; k <= 100; ++k) d += n(k) + " " + n(k % 25) + " " + n(k / 25) + "\n";
  return d + "101 0 4\n";
}

// A random load of 120 points whose cross spectrum (2, 5) exceeds its auto
// spectra at point 105 only.
std::string cross_beyond_at_105() {
  std::string d = "LOAD\nRANDOM\nCONSTANTS\n628 6.28 120 100 3\n";
  for (const char* pair : {"2 2", "5 5", "2 5"}) {
    d += std::string(pair) + "\n";
    for (int k = 1; k <= 120; ++k) d += std::string(pair) == "2 5" && k == 105 ? "2\n" : "1\n";
  }
  return d;
}

std::string harmonic(const std::string& frequencies) {
  return "LOAD\nHARMONIC\nCONSTANTS\nNONQ\n" + frequencies + "\n1 0 0 0 0 0\n0 0 0\n0\n";
}

struct Refusal {
  const char* what;
  std::string deck;
  std::string message;
};

TEST(Limits, RefusedJustPastTheBound) {
  const std::vector<Refusal> cases = {
      {"31 layers", piles(2, 31) + pile_soil(31), " ERROR - NUMBER OF LAYERS EXCEEDS 30"},
      {"30.5 layers", piles(2, 30, "30.5") + pile_soil(30), " ERROR - NUMBER OF LAYERS EXCEEDS 30"},
      {"no layer", piles(2, 0, "0") + pile_soil(0), " ERROR - NUMBER OF LAYERS MUST BE AT LEAST 1"},
      {"501 piles", piles(501) + pile_soil(1), " ERROR - NUMBER OF PILES EXCEEDS 500"},
      {"31 side layers", kHalf + half_soil(31), " ERROR - NUMBER OF SIDE LAYERS EXCEEDS 30"},
      {"31 embedded layers",
       piles(2) + pile_soil(1) + "EMBEDDED\n31\n" + rows(31, "1 150 18 0.3 0.05"),
       " ERROR - NUMBER OF SIDE LAYERS EXCEEDS 30"},
      {"31 adjacent layers", multilayer(31), " ERROR - NUMBER OF ADJACENT LAYERS EXCEEDS 30"},
      {"1000 time points", kFooting + transient(1000),
       " ERROR - NUMBER OF TIME POINTS EXCEEDS 999"},
      {"1 time point", kFooting + transient(1),
       " ERROR - NUMBER OF TIME POINTS MUST BE AT LEAST 2"},
      {"zero time step", kFooting + transient(4, "0"),
       " ERROR - TIME INTERVAL BETWEEN POINTS MUST BE GREATER THAN 0"},
      {"501 random points", kFooting + random_load(501), " ERROR - NUMBER OF POINTS EXCEEDS 500"},
      {"2 random points", kFooting + random_load(2),
       " ERROR - NUMBER OF POINTS MUST BE AT LEAST 3"},
      {"random fmax < fmin", kFooting + random_load(4, "6.2"),
       " ERROR - MAXIMUM FREQUENCY IS LESS THAN MINIMUM FREQUENCY"},
      {"harmonic fmax < fmin", kFooting + harmonic("6 6.28 1"),
       " ERROR - MAXIMUM FREQUENCY IS LESS THAN MINIMUM FREQUENCY"},
      {"501 frequencies", kFooting + harmonic("501 1 1"),
       " ERROR - NUMBER OF FREQUENCIES EXCEEDS 500"},
      {"501 frequencies, zero step", kFooting + harmonic("500 0 0"),
       " ERROR - NUMBER OF FREQUENCIES EXCEEDS 500"},
      {"layer Poisson 0.6", piles(2, 2) + pile_soil(2, "150 18 0.6 0.05"),
       " ERROR - POISSONS RATIO OF LAYER  1 MUST NOT BE GREATER THAN 0.5"},
      {"below Poisson 0.6", piles(2) + pile_soil(1, "150 18 0.3 0.05", "300 20 0.6 0.03"),
       " ERROR - POISSONS RATIO OF SOIL BELOW MUST NOT BE GREATER THAN 0.5"},
      {"side-layer Poisson 0.6", kHalf + half_soil(1, "1 150 18 0.6 0.05"),
       " ERROR - POISSONS RATIO OF SIDE LAYER  1 MUST NOT BE GREATER THAN 0.5"},
      {"side-layer Poisson 0.5 with a zone",
       kHalf + "SOIL\nWEAK\nCONSTANTS=1\n1 1 150 18 0.5 0.05 0.7 0.3 0.1 0.1\n"
               "BELOW=200 18 0.3 0.05\n",
       " ERROR - POISSONS RATIO OF SIDE LAYER  1 MUST BE LESS THAN 0.5 WITH A WEAKENED ZONE"},
      {"layer Poisson 0.5 with a zone",
       piles(2, 2) + "SOIL\nWEAK\nCONSTANTS\n1 150 18 0.3 0.05 0.5 0.3 0.05 0.2\n"
                     "2 150 18 0.5 0.05 0.5 0.3 0.05 0.2\nBELOW=300 20 0.3 0.03\n",
       " ERROR - POISSONS RATIO OF LAYER  2 MUST BE LESS THAN 0.5 WITH A WEAKENED ZONE"},
      {"stratum Poisson 0.5", stratum("CIRCULAR=1", "0 5", "500 120 0.5 0.05"),
       " ERROR - POISSONS RATIO OF STRATUM MUST BE LESS THAN 0.5"},
      {"stratum velocity 0", stratum("CIRCULAR=1", "0 5", "0 120 0.3 0.05"),
       " ERROR - SHEAR WAVE VELOCITY OF STRATUM MUST BE GREATER THAN 0"},
      {"pile tip velocity 0", piles(2) + pile_soil(1, "150 18 0.3 0.05", "0 20 0.3 0.03"),
       " ERROR - SHEAR WAVE VELOCITY OF SOIL BELOW MUST BE GREATER THAN 0"},
      {"radius 0",
       "GRAVITY=9.8\nFOUNDATION=HALF-SPACE\nCIRCULAR=0\nMASS\n100 50 50 80 0 0 0\n"
       "CONSTANTS\n0 0 1\n" +
           half_soil(0),
       " ERROR - RADIUS OF FOUNDATION MUST BE GREATER THAN 0"},
      {"side -1", stratum("RECTANGULAR=2 -1", "0 5"),
       " ERROR - SIDES OF FOUNDATION MUST BE GREATER THAN 0"},
      {"stratum depth 0", stratum("CIRCULAR=1", "0 0"),
       " ERROR - DEPTH OF LAYER MUST BE GREATER THAN 0"},
      {"embedment at depth", stratum("CIRCULAR=10", "5 5"),
       " ERROR - DEPTH OF EMBEDMENT MUST BE LESS THAN DEPTH OF LAYER"},
      {"negative embedment", stratum("CIRCULAR=10", "-1 20"),
       " ERROR - DEPTH OF EMBEDMENT MUST NOT BE NEGATIVE"},
      {"pile length 0",
       "FOUNDATION=PILE\nCIRCULAR=1\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=1\n1 0 0\n"
       "CONSTANTS\n0 0 1\n0 24 0 0.2 0.02 1 3E7\n",
       " ERROR - TOTAL LENGTH MUST BE GREATER THAN 0"},
      {"element radius 0",
       "FOUNDATION=PILE\nCIRCULAR=1\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=1\n1 0 0\n"
       "CONSTANTS\n0 0 1\n10 24 0 0.2 0.02 1 3E7\nELEMENT\n1 10 0 0.3 0.28 0.006 0.006 0.01\n",
       " ERROR - PILE RADIUS OF LAYER  1 MUST BE GREATER THAN 0"},
      {"coincident piles",
       "FOUNDATION=PILE\nCIRCULAR=1\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=3\n"
       "1 0 0\n2 1.5 0\n3 0 0\n",
       " ERROR - PILES  1 AND  3 ARE AT THE SAME LOCATION"},
      // A number of three digits keeps its blank after the word.
      {"coincident piles 100 and 101", hundred_and_one_piles(),
       " ERROR - PILES 100 AND 101 ARE AT THE SAME LOCATION"},
      {"cross spectrum beyond at point 105", kFooting + cross_beyond_at_105(),
       " ERROR - CROSS SPECTRUM  2  5 AT POINT 105 EXCEEDS WHAT ITS AUTO SPECTRA ALLOW"},
      // Values that no soil or load has: a negative velocity, thickness or
      // power spectral density, and a random load with one frequency.
      {"random fmax = fmin", kFooting + random_load(4, "6.28"),
       " ERROR - MAXIMUM AND MINIMUM FREQUENCY GIVE  1 FREQUENCIES, AT LEAST 3 ARE NEEDED"},
      {"negative spectral value", kFooting + spectrum("1\n-1\n1\n"),
       " ERROR - SPECTRAL VALUE  2 OF LOCATION  3 MUST NOT BE NEGATIVE"},
      // |S(i,j)|^2 may not exceed S(i,i) S(j,j): a cross spectrum alone, and
      // one that is too large at its second point only.
      {"cross spectrum alone",
       kFooting + "LOAD\nRANDOM\nCONSTANTS\n62.8 6.28 3 100 1\n1 5\n1\n1\n1\n",
       " ERROR - CROSS SPECTRUM  1  5 AT POINT  1 EXCEEDS WHAT ITS AUTO SPECTRA ALLOW"},
      {"cross spectrum beyond its auto spectra",
       kFooting + "LOAD\nRANDOM\nCONSTANTS\n62.8 6.28 3 100 3\n2 2\n4\n4\n4\n"
                  "6 6\n1\n1\n1\n6 2\n2\n2.0001\n2\n",
       " ERROR - CROSS SPECTRUM  2  6 AT POINT  2 EXCEEDS WHAT ITS AUTO SPECTRA ALLOW"},
      {"letter as spectral value", kFooting + spectrum("1\n2\nH\n"),
       " ERROR - SPECTRAL VALUE  3 OF LOCATION  3 MUST NOT BE NEGATIVE"},
      {"pile layer velocity -500", piles(2, 2) + pile_soil(2, "-500 18 0.3 0.05"),
       " ERROR - SHEAR WAVE VELOCITY OF LAYER  1 MUST NOT BE NEGATIVE"},
      {"parabolic tip velocity -400", parabolic("-400"),
       " ERROR - SHEAR WAVE VELOCITY OF SOIL MUST NOT BE NEGATIVE"},
      {"multilayer velocity -150", multilayer(2, "-150 18 0.3 0.05"),
       " ERROR - SHEAR WAVE VELOCITY OF LAYER  1 MUST NOT BE NEGATIVE"},
      {"side-layer velocity -150", kHalf + half_soil(1, "1 -150 18 0.3 0.05"),
       " ERROR - SHEAR WAVE VELOCITY OF SIDE LAYER  1 MUST NOT BE NEGATIVE"},
      {"side-layer thickness -1", kHalf + half_soil(2, "-1 150 18 0.3 0.05"),
       " ERROR - THICKNESS OF SIDE LAYER  1 MUST NOT BE NEGATIVE"},
      {"side-cap layer velocity -150",
       piles(2) + pile_soil(1) + "EMBEDDED\n2\n1 1 150 18 0.3 0.05\n2 1 -150 18 0.3 0.05\n",
       " ERROR - SHEAR WAVE VELOCITY OF SIDE LAYER  2 MUST NOT BE NEGATIVE"},
      {"side-cap layer thickness -1",
       piles(2) + pile_soil(1) + "EMBEDDED\n1\n1 -1 150 18 0.3 0.05\n",
       " ERROR - THICKNESS OF SIDE LAYER  1 MUST NOT BE NEGATIVE"},
      {"element layer thickness -1",
       "FOUNDATION=PILE\nCIRCULAR=1\nMASS\n1 1 1 1 0 0 0\nLAYERS=1\nFIXED=1\n1 0 0\n"
       "CONSTANTS\n0 0 1\n10 24 0 0.2 0.02 1 3E7\nELEMENT\n1 -1 0.3 0.3 0.28 0.006 0.006 0.01\n",
       " ERROR - THICKNESS OF LAYER  1 MUST NOT BE NEGATIVE"},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.what);
    const DeckRun run = run_deck(c.deck + "STOP\n", "0\n");
    EXPECT_EQ(run.result, 3);
    EXPECT_EQ(framed(run, c.message), framed_text(c.message));
  }
}

TEST(Limits, AcceptedAtTheBound) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"30 layers", piles(2, 30) + pile_soil(30)},
      {"500 piles", piles(500) + pile_soil(1)},
      {"30 side layers", kHalf + half_soil(30)},
      {"30 embedded layers",
       piles(2) + pile_soil(1) + "EMBEDDED\n30\n" + rows(30, "1 150 18 0.3 0.05")},
      {"30 adjacent layers", multilayer(30)},
      // Saturated soil wherever the impedance has a form for it.
      {"Poisson 0.5 in layers and below", piles(2, 2) + pile_soil(2, "150 18 0.5 0.05",
                                                                  "300 20 0.5 0.03")},
      {"Poisson 0.5 in a side layer and the half-space",
       kHalf + "SOIL\nCONSTANTS=1\n1 1 150 18 0.5 0.05\nBELOW=200 18 0.5 0.05\n"},
      {"Poisson 0.5 where the zone ratio means no zone",
       kHalf + "SOIL\nWEAK\nCONSTANTS=1\n1 1 150 18 0.5 0.05 1 0.5 0.05 0.1\n"
               "BELOW=200 18 0.3 0.05\n"},
      {"999 time points", kFooting + transient(999)},
      {"2 time points", kFooting + transient(2)},
      {"500 random points", kFooting + random_load(500)},
      {"3 random points", kFooting + random_load(3)},
      {"500 frequencies", kFooting + harmonic("500 1 1")},
      {"one frequency", kFooting + harmonic("6.28 6.28 0")},
      // 0 is a side layer without reaction or a free length.
      {"side layer of velocity and thickness 0", kHalf + half_soil(1, "0 0 18 0.3 0.05")},
      {"pile layer of velocity 0", piles(2, 2) + pile_soil(2, "0 18 0.3 0.05")},
      {"spectral value 0", kFooting + spectrum("0\n1\n0\n")},
      {"cross spectrum at its bound within rounding",
       kFooting + "LOAD\nRANDOM\nCONSTANTS\n62.8 6.28 3 100 3\n2 2\n4\n4\n4\n"
                  "6 6\n1\n1\n1\n2 6\n2\n2.000005\n-2\n"},
  };
  for (const auto& [what, deck] : cases) {
    SCOPED_TRACE(what);
    const DeckState d = read_deck(deck + "STOP\n", "0\n");
    EXPECT_EQ(d.state->flags.fatal, 0);
    for (const std::string& l : d.run.lines) EXPECT_EQ(l.find("ERROR"), std::string::npos) << l;
  }
}

// A deck that ends where a number or a word is still expected.
TEST(Limits, DeckEndingInsideAGroup) {
  const std::string ended =
      " *** INPUT ERROR ***    THE DECK ENDED BEFORE ITS LAST GROUP WAS COMPLETE";
  for (const std::string& deck :
       {std::string("FOUNDATION=PILE\nCIRCULAR=1\nMASS\n1 2 3\n"),
        std::string("FOUNDATION=HALF-SPACE\nCIRCULAR=1\nMASS\n1 1 1 1 0 0 0\n"),
        kFooting + "LOAD\nTRANSIENT\nCONSTANTS\n8 0.01 1\n3\n1 2 3\n", kHalf + "SOIL\nWEAK\n",
        piles(3) + "BATTERED\n1 XZ\n5\n2\n"}) {
    SCOPED_TRACE(deck);
    const DeckRun run = run_deck(deck, "0\n");
    EXPECT_EQ(run.result, 3);
    EXPECT_TRUE(has_line(run, ended));
    EXPECT_FALSE(has_line(run, " *** RUN TERMINATED BY 'STOP' KEYWORD ***"));
    EXPECT_FALSE(has_line(run, " END OF FILE ENCOUNTERED - PROGRAM STOP EXECUTED"));
  }
}

}  // namespace
}  // namespace zrv::test
