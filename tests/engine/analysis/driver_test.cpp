// The driver's refusals, the plot-data file, the two passes and the solver
// failure path, through whole runs and through the driver's parts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <complex>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/assembly.h"
#include "analysis/tables.h"
#include "analysis_fixture.h"
#include "deck/prepro.h"
#include "deck/reader.h"
#include "impedance/side.h"
#include "input/foundation.h"
#include "input/soil.h"
#include "run/state.h"

namespace zrv::test {
namespace {

constexpr double pi = 3.14159265358979;

const std::string disc = "SOIL\nCONSTANTS=0\nBELOW=200 18 0.3 0.05\n";

std::string halfspace(bool matrix, double gravity = 9.81) {
  return deck_head("HALF-SPACE", "CIRCULAR=2", "150 300 350 400 0 0 0", "0 0 1.5", matrix,
                   gravity) +
         disc;
}

std::string random_load(int np) {
  std::string d = "LOAD\nRANDOM\nCONSTANTS\n62\n2\n" + std::to_string(np) + "\n100\n1\n3 3\n";
  for (int i = 0; i < np; ++i) d += "1\n";
  return d + "RUN\n";
}

std::string transient_load(int n) {
  std::string d = "LOAD\nTRANSIENT\nCONSTANTS\n" + std::to_string(n) + "\n0.01\n1\n3\n";
  for (int i = 0; i < n; ++i) d += (i < 3 ? "100\n" : "0\n");
  return d + "RUN\n";
}

// A run state with its report and plot-data units open in `dir`.
std::unique_ptr<RunState> open_state(const TempDir& dir) {
  auto s = std::make_unique<RunState>();
  s->unit_table[16] = 16;
  EXPECT_TRUE(s->units[16].open((dir / "r.zvo").string(), fio::Unit::Mode::output));
  EXPECT_TRUE(s->units[6].open((dir / "r.zvp").string(), fio::Unit::Mode::output));
  return s;
}

TEST(AnalysisDriver, RefusalsEndTheRunWithTheirMessage) {
  {
    const Outcome out =
        run(halfspace(true, 0.0) + harmonic_load("NONQUADRATIC", 20, 10, 10, "1 0 0", "0 0 0"));
    EXPECT_EQ(out.result, 3);
    EXPECT_NE(out.report.find(
                  "\n\n\n *** INADMISSABLE VALUE FOR GRAVITATIONAL CONSTANT ( 0.000E+00) ***\n"
                  " ***PROGRAM WILL NOT EXECUTE***\n"),
              std::string::npos);
    EXPECT_TRUE(out.plot.empty());
  }
  {
    TempDir dir;
    auto s = open_state(dir);
    s->gravity = 9.81f;
    s->flags.foundation_type = FoundationSystem::half_space;
    s->flags.load_type = LoadKind::harmonic;
    s->load.harmonic = {20.0f, 10.0f, 10.0f};
    s->soil.below.shear_velocity = -5.0f;
    ANALYS(*s);
    EXPECT_EQ(s->flags.fatal, 1);
    EXPECT_EQ(s->units[6].records(), (std::vector<std::string>{"           2"}));
    EXPECT_EQ(
        s->units[16].records(),
        (std::vector<std::string>{
            "", "", " ***INADMISSABLE VALUE FOR SHEAR WAVE VELOCITY OF HALF-SPACE (-5.00E+00) ***",
            " ***PROGRAM WILL NOT EXECUTE***"}));
  }
  {
    TempDir dir;
    auto s = open_state(dir);
    s->gravity = 9.81f;
    s->flags.foundation_type = FoundationSystem::half_space;
    s->flags.load_type = LoadKind::harmonic;
    s->load.harmonic = {0.0f, 10.0f, 5.0f};  // FMAX below FMIN: N = -1
    s->soil.below.shear_velocity = 200.0f;
    ANALYS(*s);
    EXPECT_EQ(s->flags.fatal, 1);
    EXPECT_EQ(s->units[6].records(), (std::vector<std::string>{"          -1"}));
    EXPECT_EQ(s->units[16].records(),
              (std::vector<std::string>{
                  "", "", " *** NUMBER OF FREQUENCIES (         -1) MUST LIE BETWEEN 1 AND 500 ***",
                  " ***PROGRAM WILL NOT EXECUTE***"}));
  }
}

TEST(AnalysisDriver, PlotDataRecordsAndLayouts) {
  {
    const Outcome out =
        run(halfspace(true) + harmonic_load("NONQUADRATIC", 30, 0, 10, "1 0 2", "0 0 0"));
    ASSERT_EQ(out.result, 0) << out.report;
    ASSERT_EQ(out.plot.size(), 1u + 2u * 4u + 4u);
    EXPECT_EQ(out.plot[0], "           4");
    for (int i = 1; i <= 8; ++i) {
      EXPECT_EQ(out.plot[static_cast<std::size_t>(i)].size(), 99u);
      EXPECT_EQ(numbers(out.plot[static_cast<std::size_t>(i)]).size(), 9u);
    }
    // FMIN = 0: the first frequency computed at 1.0E-4, the next at FSTEP.
    EXPECT_EQ(out.plot[1].substr(0, 11), "  0.100E-03");
    EXPECT_EQ(out.plot[2].substr(0, 11), "  0.100E-03");
    EXPECT_EQ(out.plot[3].substr(0, 11), "  0.100E+02");
    for (int i = 9; i <= 12; ++i) EXPECT_EQ(out.plot[static_cast<std::size_t>(i)].size(), 82u);
    EXPECT_EQ(out.plot[9].substr(0, 8), "    0.00");
    EXPECT_EQ(out.plot[12].substr(0, 8), "   30.00");
  }
  {
    const Outcome out =
        run(halfspace(false) + harmonic_load("NONQUADRATIC", 30, 0, 10, "1 0 2", "0 0 0"));
    ASSERT_EQ(out.result, 0);
    EXPECT_EQ(out.plot.size(), 1u + 4u);
  }
  // Transient: 0.01 rad/s first, then 2 pi i / (n dt), here 2 pi / 0.16 =
  // 39.27 rad/s apart.
  {
    const Outcome out = run(halfspace(true) + transient_load(16));
    ASSERT_EQ(out.result, 0) << out.report;
    ASSERT_EQ(out.plot.size(), 1u + 2u * 9u);
    EXPECT_EQ(out.plot[0], "           9");
    EXPECT_EQ(out.plot[1].substr(0, 11), "  0.100E-01");
    EXPECT_EQ(out.plot[3].substr(0, 11), "  0.393E+02");
    EXPECT_EQ(out.plot[17].substr(0, 11), "  0.314E+03");
  }
  // A frequency step of 0 stands for 1: 10, 11, 12 and 13 rad/s.
  {
    const Outcome out =
        run(halfspace(false) + harmonic_load("NONQUADRATIC", 13, 10, 0, "1 0 2", "0 0 0"));
    ASSERT_EQ(out.result, 0) << out.report;
    ASSERT_EQ(out.plot.size(), 1u + 4u);
    EXPECT_EQ(out.plot[0], "           4");
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(numbers(out.plot[static_cast<std::size_t>(1 + i)]).front(), 10.0 + i);
  }
  {
    const Outcome out = run(halfspace(false) + random_load(31));
    ASSERT_EQ(out.result, 0) << out.report;
    EXPECT_EQ(out.plot, (std::vector<std::string>{"          31"}));
  }
  // Frequencies from 10000 rad/s on fill more than F7.2: the report's response
  // table, like the plot data, writes them wider instead of as asterisks.
  {
    const Outcome out =
        run(halfspace(false) + harmonic_load("NONQUADRATIC", 20000, 9000, 5500, "1 0 2", "0 0 0"));
    ASSERT_EQ(out.result, 0) << out.report;
    const auto rows = rows_after(out.report, "---------   ---------   ---------", 3);
    ASSERT_EQ(rows.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      const double w = 9000 + 5500 * i;
      ASSERT_EQ(rows[static_cast<std::size_t>(i)].size(), 8u);
      EXPECT_NEAR(rows[static_cast<std::size_t>(i)][0], w * 0.5 / 3.14, 0.01);
      EXPECT_EQ(rows[static_cast<std::size_t>(i)][1], w);
    }
  }
  // A frequency too wide for F7.2 takes a wider field instead of asterisks.
  const std::array<float, 6> u{1.0f, 2.0f, 0.0f, -3.5e-6f, 4.0f, 5.0f};
  EXPECT_EQ(response_record(6.28f, u),
            "    6.28    1.0000E+00  2.0000E+00  0.0000E+00 -3.5000E-06  4.0000E+00  5.0000E+00");
  EXPECT_EQ(response_record(12345.5f, u),
            " 12345.50    1.0000E+00  2.0000E+00  0.0000E+00 -3.5000E-06  4.0000E+00  5.0000E+00");
  EXPECT_EQ(numbers(response_record(-123456.0f, u)).front(), -123456.0);
}

TEST(AnalysisDriver, SecondPassPrintsFactoredTableWithoutSideSoil) {
  // The special block is written once even without the matrix print.
  {
    const Outcome out =
        run(halfspace(false) + harmonic_load("NONQUADRATIC", 30, 10, 10, "1 0 2", "0 0 0"));
    EXPECT_NE(out.report.find("\n\n\n************** SPECIAL OUTPUT OPTION **************\n\n"
                              " CONCENTRATED HORIZONTAL AND ROCKING STIFFNESS \n"
                              " WITHOUT SEPARATED COUPLING TERMS\n"
                              " ---------------------------------------------\n"),
              std::string::npos);
    EXPECT_EQ(out.report.find("FREQUENCY  -"), std::string::npos);
  }
  // Stratum with embedment: the pass-2 horizontal and rocking stiffnesses are
  // those of pass 1 times A = 1 + 0.55 (2 - nu) e and C = 1 + 1.2 (1 - nu) e
  // + 0.2 (2 - nu) e^3 with e = E / r; the vertical is unchanged.
  {
    const std::string deck =
        deck_head("STRATUM", "CIRCULAR=2", "150 300 350 400 0 0 0", "0 0 0 1 10", true) +
        "SOIL\nCONSTANTS\n200 18 0.3 0.05\n" +
        harmonic_load("NONQUADRATIC", 10, 10, 1, "1 0 0", "0 0 0");
    const Outcome out = run(deck);
    ASSERT_EQ(out.result, 0) << out.report;
    const double nu = 0.3, e = 1.0 / 2.0;
    const double A = 1 + 0.55 * (2 - nu) * e;
    const double C = 1 + 1.2 * (1 - nu) * e + 0.2 * (2 - nu) * e * e * e;
    const std::size_t pass2 = out.report.find("SPECIAL OUTPUT OPTION");
    ASSERT_NE(pass2, std::string::npos);
    const std::string first = out.report.substr(0, pass2), second = out.report.substr(pass2);
    EXPECT_NEAR(value_after(second, "(KXX) .."), A * value_after(first, "(KXX) .."),
                2e-5 * A * value_after(first, "(KXX) .."));
    EXPECT_NEAR(value_after(second, "(KPPY)  .............."),
                C * value_after(first, "(KPPY)  .............."),
                2e-5 * C * value_after(first, "(KPPY)  .............."));
    EXPECT_EQ(value_after(second, "(KWW)  ..."), value_after(first, "(KWW)  ..."));
    EXPECT_EQ(second.find("CROSS-STIFFNESS"), std::string::npos);
  }
  // Half-space with a side layer: pass 1 stiffer than without it; the pass-2
  // table is the one without the side soil. The response, embedded or not, is
  // that of the printed pass-1 constants: under a vertical load alone (centre
  // of gravity above the base centre) |F / (KWW - m w^2 + i w CWW)|.
  {
    const std::string load = harmonic_load("NONQUADRATIC", 30, 10, 10, "0 0 2", "0 0 0");
    const std::string head =
        deck_head("HALF-SPACE", "CIRCULAR=2", "150 300 350 400 0 0 0", "0 0 1.5", true);
    const Outcome bare = run(head + disc + load);
    const Outcome side =
        run(head + "SOIL\nCONSTANTS=1\n1 1 150 18 0.3 0.05\nBELOW=200 18 0.3 0.05\n" + load);
    ASSERT_EQ(bare.result, 0) << bare.report;
    ASSERT_EQ(side.result, 0) << side.report;
    EXPECT_GT(value_after(side.report, "(KXX) .."), 1.1 * value_after(bare.report, "(KXX) .."));
    const auto second = [](const std::string& r) {
      return r.substr(r.find("SPECIAL OUTPUT OPTION"));
    };
    EXPECT_EQ(value_after(second(side.report), "(KWW)  ..."),
              value_after(second(bare.report), "(KWW)  ..."));
    for (const Outcome* out : {&bare, &side}) {
      ASSERT_EQ(out->plot.size(), 1u + 2u * 3u + 3u);
      const auto rows = rows_after(out->report, "---------   ---------   ---------", 3);
      ASSERT_EQ(rows.size(), 3u);
      for (int i = 0; i < 3; ++i) {
        const double w = 10.0 * (i + 1);
        const cd kzz(value_after(out->report, "(KWW)  ...", i),
                     w * value_after(out->report, "(CWW)  ...", i));
        const double want = std::abs(2.0 / (kzz - 150.0 * w * w));
        const auto rec = numbers(out->plot[static_cast<std::size_t>(7 + i)]);
        ASSERT_EQ(rec.size(), 7u);
        EXPECT_NEAR(rec[3], want, 2e-4 * want) << (out == &side ? "side" : "bare") << " w " << w;
        EXPECT_NEAR(rows[static_cast<std::size_t>(i)][4], want, 2e-4 * want);
      }
    }
  }
}

// Each side layer's reactions per unit length act over its whole thickness:
// about the centre of gravity the horizontal one rocks with the integral of
// the squared lever, (z - h)^2 over the layer's depths z (counted from the
// first layer's top, h the height of the centre of gravity), the vertical one
// with the plan offset squared, and the layer's own rocking reaction adds.
TEST(AnalysisDriver, SideLayersRockWithTheIntegralOfTheSquaredLever) {
  const float gravity = 9.81f, omega = 30.0f;
  EquivalentRadii radii;
  radii.translation = 1.0f;
  radii.rocking_x = 1.1f;
  radii.rocking_y = 0.9f;
  radii.torsion = 1.0f;
  const CentreOfGravity cg{0.3f, -0.2f, 1.0f};
  SideLayer layers[2];
  layers[0].thickness = 1.5f;
  layers[0].soil = {150.0f, 18.0f, 0.3f, 0.05f};
  layers[1].thickness = 2.5f;
  layers[1].soil = {250.0f, 19.0f, 0.35f, 0.04f};
  const SideWeakZone zones[2] = {};
  Matrix6 result{};
  add_side_layers(result, omega, 2, layers, zones, gravity, radii, cg, 0, 0);

  std::complex<double> kxx = 0.0, kppx = 0.0, kppy = 0.0;
  double top = 0.0;
  for (const SideLayer& layer : layers) {
    SideSoil in;
    in.a0 = radii.translation * omega / layer.soil.shear_velocity;
    in.nu = layer.soil.poisson_ratio;
    in.damping = layer.soil.damping;
    in.r = radii.translation;
    in.rx = radii.rocking_x;
    in.ry = radii.rocking_y;
    in.rt = radii.torsion;
    int no_cutoff = 0;
    const SideReactions s = SIDIMP(in, no_cutoff, 0);
    const double v = layer.soil.shear_velocity;
    const double G = v * v * layer.soil.unit_weight / gravity;
    const double d = layer.thickness, h = cg.h;
    const double lever = (std::pow(top + d - h, 3) - std::pow(top - h, 3)) / 3.0;
    const std::complex<double> hz(s.horizontal), vz(s.vertical);
    kxx += G * d * hz;
    kppx += G * (lever * hz + d * (cg.y * cg.y) * vz +
                 d * (radii.rocking_x * radii.rocking_x) * std::complex<double>(s.rocking_x));
    kppy += G * (lever * hz + d * (cg.x * cg.x) * vz +
                 d * (radii.rocking_y * radii.rocking_y) * std::complex<double>(s.rocking_y));
    top += d;
  }
  const auto close = [](Complex got, std::complex<double> want) {
    return std::abs(std::complex<double>(got) - want) < 1e-5 * std::abs(want);
  };
  EXPECT_TRUE(close(result[at6(1, 1)], kxx)) << result[at6(1, 1)] << " " << kxx;
  EXPECT_TRUE(close(result[at6(4, 4)], kppx)) << result[at6(4, 4)] << " " << kppx;
  EXPECT_TRUE(close(result[at6(5, 5)], kppy)) << result[at6(5, 5)] << " " << kppy;
}

TEST(AnalysisDriver, UnsolvableFrequencyIsReportedNotPrintedAsDisplacement) {
  TempDir dir;
  auto s = open_state(dir);
  s->flags.load_type = LoadKind::harmonic;
  s->load.harmonic.at_cg = {1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 0.0f};
  FrequencyPlan plan;
  plan.count = 1;
  plan.fmin = 10.0f;
  plan.fstep = 1.0f;
  ResponseData r;
  Matrix6 zero{};  // no stiffness and no mass: singular
  respond(*s, r, 0, 10.0f, zero);
  EXPECT_TRUE(r.failed[0]);
  EXPECT_EQ(s->units[16].records(),
            (std::vector<std::string>{" ERROR ENCOUNTERED IN LEQ2C SUBROUTINE",
                                      " *** NO RESPONSE AT FREQUENCY  1.00000E+01 rad/sec ***"}));
  write_response(*s, plan, r);
  EXPECT_EQ(s->units[16].records().back(),
            "     1.59    10.00    *** NO SOLUTION AT THIS FREQUENCY ***");
  // No zero response in the plot data: the record says there is none.
  EXPECT_EQ(s->units[6].records().back(), "   10.00    NO SOLUTION");
}

TEST(AnalysisDriver, RandomPeakRowsWithoutAValue) {
  TempDir dir;
  auto s = open_state(dir);
  s->flags.load_type = LoadKind::random;
  s->load.random.observation_time = 0.01f;  // nu0 T far below 1
  FrequencyPlan plan;
  plan.count = 3;
  plan.fmin = 1.0f;
  plan.fstep = 1.0f;
  plan.omega = {1.0f, 2.0f, 3.0f};
  ResponseData r;
  for (auto& row : r.density) row[0] = 1.0f;
  write_response(*s, plan, r);
  const auto& rec = s->units[16].records();
  const auto row = [&](const std::string& start) {
    return std::find_if(rec.begin(), rec.end(),
                        [&](const std::string& l) { return l.rfind(start, 0) == 0; });
  };
  ASSERT_NE(row("                  1"), rec.end());
  EXPECT_EQ(*row("                  1"),
            "                  1            NOT DEFINED: MEAN FREQUENCY TIMES OBSERVATION TIME IS "
            "NOT ABOVE 1");
  // No response at all: zero moments, factor and maximum 0.
  EXPECT_EQ(*row("                  2"),
            "                  2             0.0             0.0000E+00");
  const float zero[3] = {0.0f, 0.0f, 0.0f};
  const RandomPeak p = random_peak(zero, 3, 1.0f, 1.0f, 100.0f);
  EXPECT_EQ(p.factor, 0.0f);
  EXPECT_EQ(p.maximum, 0.0f);
  EXPECT_TRUE(p.defined);
}

// The words of the last `count` records of a unit.
std::vector<std::vector<std::string>> last_rows(const fio::Unit& u, std::size_t count) {
  std::vector<std::vector<std::string>> out;
  const auto& rec = u.records();
  for (std::size_t k = rec.size() - count; k < rec.size(); ++k) {
    std::istringstream in(rec[k]);
    out.emplace_back();
    for (std::string w; in >> w;) out.back().push_back(w);
  }
  return out;
}

std::size_t decimals_of(const std::string& word) { return word.size() - word.find('.') - 1; }

TEST(AnalysisDriver, StepColumnsShowEveryRowApart) {
  // Transient time column: row k shows k dt with the decimals dt needs.
  for (const auto& [dt, decimals] : {std::pair{0.01f, 2u}, {0.004f, 3u}, {0.0005f, 4u}}) {
    SCOPED_TRACE(dt);
    TempDir dir;
    auto s = open_state(dir);
    s->flags.load_type = LoadKind::transient;
    FrequencyPlan plan;
    plan.points = 6;
    plan.time_step = dt;
    plan.count = 4;
    write_response(*s, plan, ResponseData{});
    const auto rows = last_rows(s->units[16], 6);
    for (std::size_t k = 0; k < rows.size(); ++k) {
      EXPECT_EQ(decimals_of(rows[k][0]), decimals) << rows[k][0];
      EXPECT_NEAR(std::stod(rows[k][0]), static_cast<double>(k + 1) * dt, 1e-7);
    }
  }
  {
    TempDir dir;
    auto s = open_state(dir);
    s->flags.load_type = LoadKind::transient;
    FrequencyPlan plan;
    plan.points = 2;
    plan.time_step = 0.004f;
    plan.count = 2;
    write_response(*s, plan, ResponseData{});
    EXPECT_EQ(s->units[16].records().back().substr(0, 10), "    0.008 ");
  }
  // Harmonic frequency columns 0.005 rad/s (0.0008 Hz) apart.
  TempDir dir;
  auto s = open_state(dir);
  s->flags.load_type = LoadKind::harmonic;
  FrequencyPlan plan;
  plan.count = 3;
  plan.fmin = 1.0f;
  plan.fstep = 0.005f;
  write_response(*s, plan, ResponseData{});
  const auto rows = last_rows(s->units[16], 3);
  for (std::size_t k = 0; k < 3; ++k) {
    const double w = 1.0 + 0.005 * static_cast<double>(k);
    EXPECT_NEAR(std::stod(rows[k][1]), w, 1e-6) << rows[k][1];
    EXPECT_NEAR(std::stod(rows[k][0]), w * 0.5 / 3.14, 0.6e-4) << rows[k][0];
    if (k > 0) {
      EXPECT_NE(rows[k][0], rows[k - 1][0]);
    }
  }
}

TEST(AnalysisDriver, TransientHistoriesInvertTheSpectrumOfARealSignal) {
  for (const int n : {8, 9, 15, 16}) {
    SCOPED_TRACE(n);
    std::vector<double> x(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j)
      x[static_cast<std::size_t>(j)] = std::sin(0.7 * j) + 0.3 * j - 0.01 * j * j;
    std::array<std::array<Complex, 6>, kMaxFrequencies> spectrum{};
    for (int k = 0; k <= n / 2; ++k) {
      std::complex<double> sum = 0;
      for (int j = 0; j < n; ++j)
        sum += x[static_cast<std::size_t>(j)] * std::polar(1.0, -2 * pi * j * k / n);
      spectrum[static_cast<std::size_t>(k)][2] = Complex(sum / static_cast<double>(n));
    }
    const auto h = transient_histories(spectrum, n);
    ASSERT_EQ(h.size(), static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
      EXPECT_NEAR(h[static_cast<std::size_t>(j)][2], x[static_cast<std::size_t>(j)], 1e-5) << j;
      EXPECT_EQ(h[static_cast<std::size_t>(j)][0], 0.0f);
    }
  }
}

TEST(AnalysisDriver, ExampleDecksRunCleanly) {
  for (const char* name :
       {"halfspace-harmonic", "stratum-harmonic", "halfspace-transient", "stratum-random",
        "multilayer-harmonic", "pilegroup-harmonic"}) {
    SCOPED_TRACE(name);
    const std::string base = std::string(ZRV_EXAMPLES_DIR) + "/" + name;
    TempDir dir;
    write_file(dir / "job.zvm", read_file(base + ".zvm"));
    EXPECT_EQ(run_deck(dir, read_file(base + ".zvd")), 0);
    for (const char* file : {"job.zvo", "job.zvp"}) {
      std::string text = read_file(dir / file);
      std::transform(text.begin(), text.end(), text.begin(),
                     [](unsigned char c) { return std::tolower(c); });
      EXPECT_EQ(text.find("nan"), std::string::npos) << file;
      EXPECT_EQ(text.find("inf"), std::string::npos) << file;
      EXPECT_EQ(text.find("leq2c"), std::string::npos) << file;
    }
    for (const std::string& line : lines_of(read_file(dir / "job.zvp")))
      EXPECT_EQ(line.find('*'), std::string::npos) << line;
  }
}

// The analysis derives its element system from the deck's data and leaves
// them as read: the weakened zones of the multilayer example keep their
// thickness ratios, and its pile count stays as it was.
TEST(AnalysisDriver, DeckDataStayAsRead) {
  TempDir dir;
  write_job(dir, read_file(std::string(ZRV_EXAMPLES_DIR) + "/multilayer-harmonic.zvd"));
  ChangeDir here(dir.path());
  auto s = std::make_unique<RunState>();
  for (int role : {4, 7, 8, 16}) s->unit_table[static_cast<std::size_t>(role)] = role;
  ASSERT_EQ(OPNFIL(*s), 0);
  PREPRO(*s);
  int status = 0;
  INIDEF(*s, status);
  KEYDSP(*s, status, s->stop);
  CHKDAT(*s);
  ASSERT_EQ(s->flags.fatal, 0);
  ASSERT_GT(s->soil.weak[0].thickness_ratio, 0.0f);
  const auto soil = std::make_unique<SoilData>(s->soil);
  const auto foundation = std::make_unique<FoundationData>(s->foundation);
  ANALYS(*s);
  CLSFIL(*s);
  EXPECT_EQ(s->flags.fatal, 0);
  EXPECT_EQ(std::memcmp(soil.get(), &s->soil, sizeof(SoilData)), 0);
  EXPECT_EQ(std::memcmp(foundation.get(), &s->foundation, sizeof(FoundationData)), 0);
}

}  // namespace
}  // namespace zrv::test
