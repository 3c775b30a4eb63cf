// The LOAD group read from whole decks: echo text, the harmonic load moved to
// the centre of gravity, the transient load spectrum, the random spectral
// matrix.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
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

// A complete half-space with its centre of gravity at (0.2, -0.1), height 1.5.
const std::string kFooting =
    "GRAVITY=9.8\n"
    "FOUNDATION=HALF-SPACE\n"
    "CIRCULAR=2\n"
    "MASS\n"
    "100 50 50 80 0 0 0\n"
    "CONSTANTS\n"
    "0.2 -0.1 1.5\n"
    "SOIL\n"
    "CONSTANTS=0\n"
    "BELOW=200 18 0.3 0.05\n";

const std::string kHarmonic =
    "LOAD\n"
    "HARMONIC\n"
    "CONSTANTS\n"
    "NONQUADRATIC\n"
    "62.8 6.28 3.14\n"
    "10 20 30 40 50 60\n"
    "1 2 3\n"
    "1\n"
    "0.5 0.25 -1\n";

TEST(LODRED, HarmonicLoadMovedToCentreOfGravity) {
  const DeckRun run = run_deck(kFooting + kHarmonic + "STOP\n", "0\n");
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(joined(echo_of(run, " HARMONIC LOAD")),
            "\n"
            "\n"
            " HARMONIC LOAD, NON QUADRATIC\n"
            " ****************************\n"
            "\n"
            " MAXIMUM FREQUENCY .............. 1.000E+01 Hz\n"
            " MINIMUM FREQUENCY .............. 1.000E+00 Hz\n"
            " STEP FREQUENCY ................. 5.000E-01 Hz\n"
            " FORCE IN X-DIRECTION  .......... 1.000E+01 kN.\n"
            " FORCE IN Y-DIRECTION  .......... 2.000E+01 kN.\n"
            " FORCE IN Z-DIRECTION  .......... 3.000E+01 kN.\n"
            " MOMENT ABOUT X-AXIS  ...........-1.950E+01 kN-m \n"
            " MOMENT ABOUT Y-AXIS  ........... 7.600E+01 kN-m \n"
            " MOMENT ABOUT Z-AXIS  ........... 6.250E+01 kN-m \n");

  // The load point relative to the centre of gravity, global Z down: the
  // reference point (0.5, 0.25, -1) is the origin of the local axes, z up.
  const DeckState d = read_deck(kFooting + kHarmonic + "STOP\n");
  const HarmonicLoad& h = d.state->load.harmonic;
  const double e[3] = {1 - (0.5 - 0.2), 2 - (0.25 - -0.1), -3 - (-1 - 1.5)};
  const double F[3] = {10, 20, 30}, M[3] = {40, 50, 60};
  for (int i = 0; i < 3; ++i) {
    // M' = M - e x F
    const int j = (i + 1) % 3, k = (i + 2) % 3;
    const double cross = e[j] * F[k] - e[k] * F[j];
    EXPECT_NEAR(h.at_cg[3 + i], M[i] - cross, 1e-4) << i;
    EXPECT_EQ(h.at_cg[i], static_cast<float>(F[i]));
  }
  EXPECT_NEAR(h.point_z, -0.5, 1e-6);
  EXPECT_EQ(h.fmax, 62.8f);
  EXPECT_EQ(d.state->flags.load_type, LoadKind::harmonic);
  EXPECT_EQ(d.state->flags.harmonic_form, 1);
  EXPECT_EQ(d.state->flags.fatal, 0);
}

// Quadratic form, with the load point taken as given (no reference point).
TEST(LODRED, QuadraticEchoAndPointAsGiven) {
  const std::string load =
      "LOAD\nHARMONIC\nCONSTANTS\nQUADRATIC\n"
      "31.4 0 3.14\n"
      "0 0.5 2 0 0 0\n"
      "1 0 0\n"
      "0\n";
  const DeckRun run = run_deck(kFooting + load + "STOP\n", "0\n");
  EXPECT_EQ(joined(echo_of(run, " HARMONIC LOAD")),
            "\n"
            "\n"
            " HARMONIC LOAD, QUADRATIC\n"
            " ************************\n"
            "\n"
            " MAXIMUM FREQUENCY .............. 5.000E+00 Hz\n"
            " MINIMUM FREQUENCY .............. 0.000E+00 Hz\n"
            " STEP FREQUENCY ................. 5.000E-01 Hz\n"
            " FORCE COEFF. IN X-DIRECTION  ... 0.000E+00 Mg-m   \n"
            " FORCE COEFF. IN Y-DIRECTION  ... 5.000E-01 Mg-m   \n"
            " FORCE COEFF. IN Z-DIRECTION  ... 2.000E+00 Mg-m   \n"
            " MOMENT COEFF. ABOUT X-AXIS  .... 0.000E+00 Mg-m**2   \n"
            " MOMENT COEFF. ABOUT Y-AXIS  .... 2.000E+00 Mg-m**2   \n"
            " MOMENT COEFF. ABOUT Z-AXIS  ....-5.000E-01 Mg-m**2   \n");
  const DeckState d = read_deck(kFooting + load + "STOP\n");
  EXPECT_EQ(d.state->flags.harmonic_form, 2);
}

// A word that is neither QUAD nor NONQ is the first number of the group: it
// is reported as a keyword and handed back, and the form is non-quadratic.
TEST(LODRED, NeitherFormWordIsHandedBack) {
  const std::string load =
      "LOAD\nHARMONIC\nCONSTANTS\n"
      "62.8 6.28 3.14\n"
      "1 0 0 0 0 0\n"
      "0 0 0\n"
      "0\n";
  const DeckState d = read_deck(kFooting + load + "STOP\n");
  EXPECT_TRUE(has_line(d.run, " UNRECOGNIZED KEYWORD - 62.8"));
  EXPECT_FALSE(has_line(d.run, "  ERROR ENCOUNTERED IN LOAD DESCRIPTION"));
  const HarmonicLoad& h = d.state->load.harmonic;
  EXPECT_EQ(h.fmax, 62.8f);
  EXPECT_EQ(h.fstep, 3.14f);
  EXPECT_EQ(h.at_cg[0], 1.0f);
  EXPECT_EQ(d.state->flags.harmonic_form, 1);
  EXPECT_EQ(d.state->flags.fatal, 0);
}

// Independent DFT in double: P(k) = conj(sum_j p(j) e^{+2 pi i jk/n}) / n.
std::vector<std::complex<double>> load_spectrum(const std::vector<double>& p) {
  const std::size_t n = p.size();
  const double pi = 3.141592653589793;
  std::vector<std::complex<double>> out(n);
  for (std::size_t k = 0; k < n; ++k) {
    std::complex<double> sum = 0;
    for (std::size_t j = 0; j < n; ++j)
      sum +=
          p[j] * std::polar(1.0, 2 * pi * static_cast<double>(j * k % n) / static_cast<double>(n));
    out[k] = std::conj(sum) / static_cast<double>(n);
  }
  return out;
}

TEST(LODRED, TransientEchoAndSpectrum) {
  const std::string load =
      "LOAD\nTRANSIENT\nCONSTANTS\n"
      "8\n0.01\n3\n"
      "3\n0 1 2 3 2 1 0 -1\n"
      "4\n0.5 0 0 0 0 0 0 0\n"
      "5\n1 0 0 0 0 0 0 0\n";
  const DeckRun run = run_deck(kFooting + load + "STOP\n", "0\n");
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(joined(echo_of(run, " TRANSIENT LOAD")),
            "\n\n"
            " TRANSIENT LOAD\n"
            " **************\n"
            "\n"
            " NUMBER OF POINTS  ..............     8\n"
            " TIME INTERVAL BETWEEN POINTS  ..  0.010\n"
            " NUMBER OF LOADS  ...............  3\n"
            "\n"
            " LOAD TYPE CODE - 3 (FORCE IN Z-DIRECTION)\n"
            "\n"
            " LOAD AMPLITUDES kN.\n"
            "\n"
            "    0.000E+00\n    1.000E+00\n    2.000E+00\n    3.000E+00\n"
            "    2.000E+00\n    1.000E+00\n    0.000E+00\n   -1.000E+00\n"
            "\n"
            " LOAD TYPE CODE - 4 (ROTATION ABOUT X-AXIS)\n"
            "\n"
            " LOAD AMPLITUDES\n"
            " kN-m \n"
            "    5.000E-01\n    0.000E+00\n    0.000E+00\n    0.000E+00\n"
            "    0.000E+00\n    0.000E+00\n    0.000E+00\n    0.000E+00\n"
            "\n"
            " LOAD TYPE CODE - 5 (ROTATION ABOUT Y-AXIS)\n"
            "\n"
            " LOAD AMPLITUDES kN-m \n"
            "\n"
            "    1.000E+00\n    0.000E+00\n    0.000E+00\n    0.000E+00\n"
            "    0.000E+00\n    0.000E+00\n    0.000E+00\n    0.000E+00\n");

  // Even and odd point counts against the direct sum.
  for (const std::vector<double>& p : {std::vector<double>{0, 1, 2, 3, 2, 1, 0, -1},
                                       std::vector<double>{0.5, -1, 4, 2.5, 0, 3, 1}}) {
    const int n = static_cast<int>(p.size());
    std::string deck =
        kFooting + "LOAD\nTRANSIENT\nCONSTANTS\n" + std::to_string(n) + "\n0.02\n1\n2\n";
    for (double v : p) deck += std::to_string(v) + "\n";
    const DeckState d = read_deck(deck + "STOP\n");
    const TransientLoad& t = d.state->load.transient;
    const auto ref = load_spectrum(p);
    for (int k = 0; k < n; ++k) {
      for (int c = 0; c < 6; ++c) {
        const std::complex<double> want = c == 1 ? ref[k] : 0.0;
        EXPECT_NEAR(t.spectrum[k][c].real(), want.real(), 1e-6) << n << " " << k << " " << c;
        EXPECT_NEAR(t.spectrum[k][c].imag(), want.imag(), 1e-6) << n << " " << k << " " << c;
      }
    }
    // Rows completed by conjugate symmetry start after the last solved
    // frequency, floor(n/2) + 1: row 6 of 8, row 5 of 7 (from 1).
    EXPECT_EQ(t.symmetric_start, n == 8 ? 6.0f : 5.0f);
    EXPECT_EQ(t.point_count, static_cast<float>(n));
    EXPECT_EQ(t.time_step, 0.02f);
    EXPECT_EQ(d.state->flags.fatal, 0);
  }
}

TEST(LODRED, RandomEchoAndCrossSpectrumFillsBothOrders) {
  // The cross spectrum (6, 4) equals the square root of the product of its
  // two auto spectra: the largest a possible load allows.
  const std::string load =
      "LOAD\nRANDOM\nCONSTANTS\n"
      "62.8 6.28 4 100 3\n"
      "4 4\n1 2 3 4\n"
      "6 6\n1 2 3 4\n"
      "6 4\n-1 -2 -3 -4\n";
  const DeckRun run = run_deck(kFooting + load + "STOP\n", "0\n");
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(joined(echo_of(run, " RANDOM LOAD")),
            "\n\n"
            " RANDOM LOAD\n"
            " ***********\n"
            "\n"
            " MAXIMUM FREQUENCY (Hz)  ........ 10.000\n"
            " MINIMUM FREQUENCY (Hz) .........  1.000\n"
            " NUMBER OF POINTS  ..............   4\n"
            " NUMBER OF SPECTRA  .............   3\n"
            "\n"
            " LOCATION OF SPECTRA  -    4    4\n"
            "\n"
            " LOAD AMPLITUDES kN.\n"
            "\n"
            "   0.100E+01\n   0.200E+01\n   0.300E+01\n   0.400E+01\n"
            "\n"
            " LOCATION OF SPECTRA  -    6    6\n"
            "\n"
            " LOAD AMPLITUDES kN.\n"
            "\n"
            "   0.100E+01\n   0.200E+01\n   0.300E+01\n   0.400E+01\n"
            "\n"
            " LOCATION OF SPECTRA  -    6    4\n"
            "\n"
            " LOAD AMPLITUDES kN.\n"
            "\n"
            "  -0.100E+01\n  -0.200E+01\n  -0.300E+01\n  -0.400E+01\n");

  const DeckState d = read_deck(kFooting + load + "STOP\n");
  const RandomLoad& r = d.state->load.random;
  EXPECT_FLOAT_EQ(r.fstep, (62.8f - 6.28f) / 3.0f);
  const auto at = [&](int p, int i, int j) {
    return r.matrix[p][static_cast<std::size_t>((i - 1) + 6 * (j - 1))];
  };
  for (int p = 0; p < 4; ++p) {
    int nonzero = 0;
    for (int i = 1; i <= 6; ++i)
      for (int j = 1; j <= 6; ++j) nonzero += at(p, i, j) != std::complex<float>(0, 0);
    EXPECT_EQ(nonzero, 4) << p;
    EXPECT_EQ(at(p, 4, 4), std::complex<float>(static_cast<float>(p + 1), 0));
    EXPECT_EQ(at(p, 6, 6), std::complex<float>(static_cast<float>(p + 1), 0));
    EXPECT_EQ(at(p, 4, 6), std::complex<float>(static_cast<float>(-p - 1), 0));
    EXPECT_EQ(at(p, 6, 4), std::complex<float>(static_cast<float>(-p - 1), 0));
  }
  EXPECT_EQ(d.state->flags.load_type, LoadKind::random);
}

TEST(LODKEY, MessagesOfTheGroup) {
  // A load group before the foundation constants is refused, and read through.
  const DeckRun early =
      run_deck("GRAVITY=9.8\n" + kHarmonic + kFooting.substr(12) + "RUN\n", "0\n");
  EXPECT_EQ(early.result, 3);
  EXPECT_EQ(joined(message(early, " ERROR - THE LOAD GROUP MUST FOLLOW THE FOUNDATION CONSTANTS")),
            " ERROR - THE LOAD GROUP MUST FOLLOW THE FOUNDATION CONSTANTS\n"
            " PROGRAM WILL NOT EXECUTE\n");
  for (const std::string& l : early.lines)
    EXPECT_EQ(l.find("UNRECOGNIZED"), std::string::npos) << l;
  // A foundation group that ends early for another reason says why; the load
  // does follow it, so no load message points the user the wrong way.
  std::string shape = kFooting;
  shape.replace(shape.find("CIRCULAR"), 8, "SQUARE");
  const DeckRun late = run_deck(shape + kHarmonic + "RUN\n", "0\n");
  EXPECT_EQ(late.result, 3);
  EXPECT_TRUE(has_line(late, " INVALID KEYWORD - SQUA FOR GEOMETRY TYPE"));
  EXPECT_FALSE(has_prefix(late, " ERROR - THE LOAD GROUP"));

  const DeckRun type = run_deck(kFooting + "LOAD\nPULSE\nSTOP\n", "0\n");
  EXPECT_EQ(type.result, 3);
  EXPECT_EQ(joined(message(type, " INVALID OR UNRECOGNIZED KEYWORD - PULS FOR LOAD    TYPE")),
            " INVALID OR UNRECOGNIZED KEYWORD - PULS FOR LOAD    TYPE\n"
            " PROGRAM WILL NOT EXECUTE\n");

  const DeckRun cons = run_deck(kFooting + "LOAD\nRANDOM\nSTOP\n", "0\n");
  EXPECT_EQ(cons.result, 3);
  EXPECT_EQ(joined(message(cons, " 'CONSTANT' KEYWORD MISSING FOR LOAD DESCRIPTION")),
            " 'CONSTANT' KEYWORD MISSING FOR LOAD DESCRIPTION\n PROGRAM WILL NOT EXECUTE\n");

  const DeckRun code = run_deck(kFooting + "LOAD\nTRANSIENT\nCONSTANTS\n4 0.1 1\n7\nSTOP\n", "0\n");
  EXPECT_EQ(code.result, 3);
  EXPECT_EQ(joined(section(code, " ERROR - LOAD TYPE INDICATOR (   7 ) CANNOT BE ", "1")),
            " ERROR - LOAD TYPE INDICATOR (   7 ) CANNOT BE \n"
            "         LESS THAN 1 OR EXCEED A VALUE OF 6\n"
            "\n"
            "\n"
            "  ERROR ENCOUNTERED IN LOAD DESCRIPTION\n"
            "         - WILL CONTINUE TO PROCESS DATA\n"
            "      - CANNOT EXECUTE T HIS PROBLEM SET\n");

  const DeckRun spot =
      run_deck(kFooting + "LOAD\nRANDOM\nCONSTANTS\n10 1 3 5 1\n0 1\n1 2 3\nSTOP\n", "0\n");
  EXPECT_EQ(spot.result, 3);
  EXPECT_TRUE(has_line(spot, " ERROR - LOCATION OF SPECTRA (   0 ) CANNOT BE "));
  EXPECT_TRUE(has_line(spot, "  ERROR ENCOUNTERED IN LOAD DESCRIPTION"));

  // Echo off: everything is read and stored, nothing printed by the group.
  const DeckState quiet = read_deck(kFooting + "NOECHO\n" + kHarmonic + "STOP\n");
  EXPECT_FALSE(has_line(quiet.run, " HARMONIC LOAD, NON QUADRATIC"));
  EXPECT_EQ(quiet.state->load.harmonic.reference_z, -1.0f);
}

}  // namespace
}  // namespace zrv::test
