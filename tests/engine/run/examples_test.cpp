// The example projects in examples/: each runs through the whole engine with no
// input message, and the results keep their physical sense.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "output_oracle.h"
#include "run_fixture.h"

namespace zrv::test {
namespace {

struct Example {
  const char* name;
  int frequencies;  // count record of the plot data: from the load data of the deck
  int masses;       // mass components in the mass file
};

// Words of the input messages, warnings and refusals that a report can hold.
const char* const kComplaints[] = {
    "ERROR",       "INVALID",  "UNRECOGNIZED", "PRECEEDED", "WARNING",      "NOT GOOD",
    "IGNORE",      "FATAL",    "TERMINATED",   "BAD DATA",  "INADMISSABLE", "END OF FILE",
    "NOT ALLOWED", "EXCEEDS",  "IMPROPER",     "MISSING",   "NOT SET",      "INSUFFICIENT",
    "NOT EXECUTE", "CANNOT",   "TOO LONG",
};

std::string example(const std::string& file) {
  return read_file(std::string(ZRV_EXAMPLES_DIR) + "/" + file);
}

int run_example(const TempDir& dir, const std::string& name) {
  write_file(dir / "job.zvm", example(name + ".zvm"));
  return run_deck(dir, example(name + ".zvd"));
}

TEST(Examples, EveryDeckRunsWithoutAnInputMessage) {
  const Example examples[] = {
      // Harmonic: (FMAX − FMIN)/FSTEP + 1 from the hertz values of examples/README.md.
      {"halfspace-harmonic", 99, 3},   // 1 to 50 Hz by 0.5
      {"stratum-harmonic", 153, 3},    // 2 to 40 Hz by 0.25
      {"multilayer-harmonic", 77, 2},  // 2 to 40 Hz by 0.5
      {"pilegroup-harmonic", 111, 4},  // 5 to 60 Hz by 0.5
      {"halfspace-transient", 129, 2}, // 256 points: 256/2 + 1
      {"stratum-random", 39, 2},       // 39 points
  };
  for (const Example& e : examples) {
    SCOPED_TRACE(e.name);
    TempDir dir;
    EXPECT_EQ(run_example(dir, e.name), 0);
    const std::string report = read_file(dir / "job.zvo");
    for (const char* word : kComplaints) {
      EXPECT_EQ(report.find(word), std::string::npos) << word;
    }
    // The mass file was read: its count stands in I3 after the heading.
    EXPECT_NE(report.find("MASS COMPONENTS  NUMBER OF DEFINED MASSES -  " + std::to_string(e.masses)),
              std::string::npos);
    // Clean by the fuzzer's check: no NaN, infinity or overflow field.
    const std::string plot_data = read_file(dir / "job.zvp");
    EXPECT_EQ(fuzz::output_fault(report), "");
    EXPECT_EQ(fuzz::output_fault(plot_data), "");
    std::istringstream plot(plot_data);
    int count = 0;
    plot >> count;
    EXPECT_EQ(count, e.frequencies);
  }
}

TEST(Examples, FuzzCheckTellsNumbersThatAreNotFromTheReportsFraming) {
  using fuzz::output_fault;
  // Framing the report uses: banner, underlines, message frames, units.
  const std::string clean =
      " *************************************************\n"
      " *             RUN DATE -  2026-12-09            *\n"
      "                                 RESULTS\n"
      "                                 *******\n"
      "************** SPECIAL OUTPUT OPTION **************\n"
      " *** INPUT ERROR ***    ALPHANUMERIC ENCOUNTERED - \"H\"\n"
      " *** NUMBER OF FREQUENCIES (        600) MUST LIE BETWEEN 1 AND 500 ***\n"
      " ***PROGRAM WILL NOT EXECUTE***\n"
      "     0.63     3.95    *** NO SOLUTION AT THIS FREQUENCY ***\n"
      " UNIT WEIGHT  ....... 1.90000E+01 kN/m**3\n"
      "    6.28    1.0000E-05  2.0000E-05\n";
  EXPECT_EQ(output_fault(clean), "");
  EXPECT_NE(output_fault(clean + "    6.28           NaN  2.0000E-05\n"), "");
  EXPECT_NE(output_fault(clean + "    6.28     -Infinity  2.0000E-05\n"), "");
  EXPECT_NE(output_fault("  0.628E+01  inf  0.120E+07\n"), "");
  EXPECT_NE(output_fault(clean + " *******    1.0000E-05  2.0000E-05\n"), "");
  EXPECT_NE(output_fault(" FREQUENCY  -        2.0000 Hz (************ rad./sec.)\n"), "");
  // Text the deck holds may come back in its report: its title here.
  EXPECT_EQ(output_fault(" NAN ** 12\n", "TITLE=NAN ** 12\n"), "");
  EXPECT_EQ(output_fault(" UNRECOGNIZED KEYWORD - 0inf\n", "0infinite\n"), "");
}

// Decks kept from fuzzing runs (fuzz-inputs/, each a small deck of one
// finding). Each ends as every run must: refused with its message, or with
// result 0 and clean outputs. Those whose finding was a value that must be
// refused are listed with the words of their message.
const std::map<std::string, std::string> kRefused = {
    {"pile-damping-star.zvd", " ERROR - MATERIAL DAMPING OF SOIL BELOW MUST NOT BE NEGATIVE"},  // '*' read as -999
    {"pile-poisson-star.zvd", " ERROR - POISSONS RATIO OF SOIL BELOW MUST NOT BE NEGATIVE"},    // '*' read as -999
};

TEST(Examples, DecksFromFuzzingEndRefusedOrClean) {
  namespace fs = std::filesystem;
  std::vector<fs::path> decks;
  const fs::path folder = fs::path(ZRV_SOURCE_DIR) / "tests/engine/run/fuzz-inputs";
  for (const auto& e : fs::directory_iterator(folder))
    if (e.path().extension() == ".zvd") decks.push_back(e.path());
  std::sort(decks.begin(), decks.end());
  ASSERT_FALSE(decks.empty());
  for (const fs::path& deck : decks) {
    const std::string name = deck.filename().string();
    SCOPED_TRACE(name);
    TempDir dir;
    const fs::path mass = fs::path(deck).replace_extension(".zvm");
    if (fs::exists(mass)) write_file(dir / "job.zvm", read_file(mass));
    const int result = run_deck(dir, read_file(deck));
    if (const auto refused = kRefused.find(name); refused != kRefused.end()) {
      EXPECT_EQ(result, 3);
      EXPECT_NE(read_file(dir / "job.zvo").find(refused->second), std::string::npos);
      continue;
    }
    EXPECT_TRUE(result == 0 || result == 2 || result == 3) << result;
    if (result != 0) continue;
    EXPECT_EQ(fuzz::output_fault(read_file(dir / "job.zvo")), "");
    EXPECT_EQ(fuzz::output_fault(read_file(dir / "job.zvp")), "");
  }
}

TEST(Examples, HalfSpaceBlockMovesLikeTheStaticSolutionAtLowFrequency) {
  // At 1 Hz (a0 below 0.1) the vertical amplitude of the compressor block, set
  // on the surface (its side layer taken out), is the static one of a rigid
  // disk on a half-space, u = Fz·(1 − ν)/(4·G·r), to a few per cent (radiation
  // and material damping add about 0.5 % to |K|). With its side layer the
  // block responds to the embedded impedance, about 3.5 % stiffer.
  const double vs = 250, gamma = 19, nu = 0.33, g = 9.8, fz = 6;
  const double r = std::sqrt(6.0 * 4.0 / 3.14159);
  const double shear = vs * vs * gamma / g;
  const double expected = fz * (1 - nu) / (4 * shear * r);

  TempDir dir;
  std::string deck = example("halfspace-harmonic.zvd");
  const std::string side = "SOIL \nWEAK \nCONSTANTS=1\n1 1 150 18 0.33 0.05 0.7 0.33 0.1 0.1\n";
  ASSERT_NE(deck.find(side), std::string::npos);
  deck.replace(deck.find(side), side.size(), "SOIL \nCONSTANTS=0\n");
  write_file(dir / "job.zvm", example("halfspace-harmonic.zvm"));
  ASSERT_EQ(run_deck(dir, deck), 0);
  std::istringstream plot(read_file(dir / "job.zvp"));
  int count = 0;
  plot >> count;
  ASSERT_EQ(count, 99);
  // Two matrix records of nine values per frequency come first (MATRIX is on).
  double skip = 0;
  for (int i = 0; i < 2 * count * 9; ++i) plot >> skip;
  double omega = 0, uox = 0, uoy = 0, uoz = 0;
  plot >> omega >> uox >> uoy >> uoz;
  EXPECT_NEAR(omega, 6.28, 0.005);
  EXPECT_NEAR(uoz, expected, 0.02 * expected);
}

TEST(Examples, HammerBlockRespondsAfterTheBlowAndInItsDirection) {
  // The half-sine blow acts over the first 0.04 s of the 1.024 s record; the
  // block must move the way the force pushes, and after it.
  TempDir dir;
  ASSERT_EQ(run_example(dir, "halfspace-transient"), 0);
  const std::vector<std::string> lines = lines_of(read_file(dir / "job.zvo"));
  std::size_t row = 0;
  while (row < lines.size() && lines[row].find("FOOTING RESPONSE AMPLITUDES") == std::string::npos) {
    ++row;
  }
  std::vector<double> vertical;
  for (; row < lines.size() && vertical.size() < 256; ++row) {
    std::istringstream in(lines[row]);
    double v[7];
    int read = 0;
    while (read < 7 && in >> v[read]) ++read;
    if (read == 7) vertical.push_back(v[3]);
  }
  ASSERT_EQ(vertical.size(), 256u);
  std::size_t peak = 0;
  for (std::size_t k = 1; k < vertical.size(); ++k) {
    if (std::abs(vertical[k]) > std::abs(vertical[peak])) peak = k;
  }
  // vertical[k] is sample k (report row k + 1); the force peaks at sample 5. The soil's
  // damping makes the block lag behind the force: a causal response peaks after
  // it, one computed with the conjugate transfer function before it.
  EXPECT_GT(vertical[peak], 0.0);
  EXPECT_GT(peak, 5u);
  EXPECT_LT(peak, 25u);
  // 800 kN on a 5 x 4 m block: static settlement 800·(1 − ν)/(4·G·r); a short
  // blow moves the block by the same order, less than twice the static value.
  const double shear = 220.0 * 220.0 * 19.0 / 9.8;
  const double r = std::sqrt(5.0 * 4.0 / 3.14159);
  const double settlement = 800.0 * (1 - 0.3) / (4 * shear * r);
  EXPECT_GT(vertical[peak], 0.5 * settlement);
  EXPECT_LT(vertical[peak], 2.0 * settlement);
}

}  // namespace
}  // namespace zrv::test
