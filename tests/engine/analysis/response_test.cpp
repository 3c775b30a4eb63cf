// Footing response through whole runs against independent computations in
// double: the half-space impedance from its closed form, moved to the centre
// of gravity, the 0.7 damping reduction, the rigid mass, and a direct complex
// solve, discrete Fourier sums and the three-point rule.

#include "analysis/response.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "analysis_fixture.h"

namespace zrv::test {
namespace {

constexpr double pi = 3.14159265358979;
constexpr double g = 9.81;

// A surface disc on the half-space and the rigid body on it.
struct Model {
  double r = 2, vs = 200, gamma = 18, nu = 0.3, d = 0.05;
  double x = 0, y = 0, h = 0;                       // centre of gravity
  double m = 150, ixx = 300, iyy = 350, izz = 400;  // mass and moments
  double ixy = 0, ixz = 0, iyz = 0;                 // products of inertia

  std::string deck_head(bool matrix) const {
    std::ostringstream mass, cg, soil;
    mass.precision(10);
    mass << m << " " << ixx << " " << iyy << " " << izz << " " << ixy << " " << ixz << " " << iyz;
    cg << x << " " << y << " " << h;
    soil << "SOIL\nCONSTANTS=0\nBELOW=" << vs << " " << gamma << " " << nu << " " << d << "\n";
    return test::deck_head("HALF-SPACE", "CIRCULAR=" + std::to_string(r), mass.str(), cg.str(),
                           matrix) +
           soil.str();
  }

  // Resonant correction of the closed form.
  static cd resonant(double c, double b, double a, double S, double p, double q) {
    const double Q = (b * a) * (b * a);
    const double E = S + 2 * p * b * a + Q;
    return {c * (S + p * b * a) * Q / E, c * b * q * Q / E};
  }

  // Dynamic stiffness K - w^2 M about the centre of gravity, row-major 6 x 6.
  std::vector<cd> dynamic(double w) const {
    const bool high = nu >= 0.4;
    const double c1 = high ? 0.6 : 0.65, c2 = high ? 0.4 : 0.5, c3 = 0.8, c4 = high ? 0.027 : 0;
    const double c5 = high ? 0 : 0.35, c6 = high ? 0 : 0.8, c7 = high ? 0.17 : 0;
    const double c8 = high ? 0.85 : 0.75;
    const double S = std::sqrt(1 + d * d), p = std::sqrt((S - 1) / 2), q = std::sqrt((S + 1) / 2);
    const double a = w * r / vs;
    const double G = vs * vs * gamma / g;
    const cd kh = 8 / (2 - nu) * cd(1 - c1 * p * a, c1 * q * a + d);
    const cd rv = resonant(c5, c6, a, S, p, q);
    const cd kv =
        4 / (1 - nu) * cd(1 - rv.real() - c8 * p * a - c7 * a * a, a * (c8 * q + rv.imag()) + d);
    const cd rr = resonant(c2, c3, a, S, p, q);
    const cd kr = 8 / (3 * (1 - nu)) * cd(1 - rr.real() - c4 * a * a, a * rr.imag() + d);
    const cd rt = resonant(0.425, 0.687, a, S, p, q);
    const cd kt = 16.0 / 3 * cd(1 - rt.real(), a * rt.imag() + d);
    const double r3 = r * r * r;
    std::array<cd, 6> base{G * r * kh,  G * r * kh,  G * r * kv,
                           G * r3 * kr, G * r3 * kr, G * r3 * kt};
    // Motion at the base = T times the motion at the centre of gravity.
    double T[6][6] = {};
    for (int i = 0; i < 6; ++i) T[i][i] = 1;
    T[0][4] = -h, T[0][5] = y, T[1][3] = h, T[1][5] = -x, T[2][3] = -y, T[2][4] = x;
    std::vector<cd> k(36);
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < 6; ++j)
        for (int l = 0; l < 6; ++l) k[i * 6 + j] += T[l][i] * base[l] * T[l][j];
    for (cd& v : k) v = {v.real(), 0.7 * v.imag()};
    const double w2 = w * w;
    const double M[6][6] = {{m, 0, 0, 0, 0, 0},         {0, m, 0, 0, 0, 0},
                            {0, 0, m, 0, 0, 0},         {0, 0, 0, ixx, -ixy, -ixz},
                            {0, 0, 0, -ixy, iyy, -iyz}, {0, 0, 0, -ixz, -iyz, izz}};
    for (int i = 0; i < 6; ++i)
      for (int j = 0; j < 6; ++j) k[i * 6 + j] -= w2 * M[i][j];
    return k;
  }
};

TEST(AnalysisResponse, HarmonicAmplitudesEqualDirectSolve) {
  Model md;
  md.x = 0.3, md.y = -0.2, md.h = 1.5;
  md.ixy = 20, md.ixz = -15, md.iyz = 10;
  const std::array<double, 6> f0{2, 1, 3, 0.5, -0.4, 0.2};
  for (const bool quadratic : {false, true}) {
    SCOPED_TRACE(quadratic ? "quadratic" : "constant");
    const Outcome out =
        run(md.deck_head(false) + harmonic_load(quadratic ? "QUADRATIC" : "NONQUADRATIC", 205, 10,
                                                15, "2 1 3", "0.5 -0.4 0.2"));
    ASSERT_EQ(out.result, 0) << out.report;
    ASSERT_EQ(out.plot.size(), 1u + 14u);
    for (int i = 0; i < 14; ++i) {
      const double w = 10 + 15 * i;
      std::vector<cd> f(6);
      for (int k = 0; k < 6; ++k)
        f[static_cast<std::size_t>(k)] =
            f0[static_cast<std::size_t>(k)] * (quadratic ? w * w : 1.0);
      const auto u = solve(md.dynamic(w), f);
      const auto rec = numbers(out.plot[static_cast<std::size_t>(1 + i)]);
      ASSERT_EQ(rec.size(), 7u);
      EXPECT_NEAR(rec[0], w, 1e-3);
      for (std::size_t k = 0; k < 6; ++k)
        EXPECT_NEAR(rec[k + 1], std::abs(u[k]), 1e-4 * std::abs(u[k]))
            << "w " << w << " dof " << k + 1;
    }
  }
}

TEST(AnalysisResponse, SlidingRockingFollowsFromThePrintedConstants) {
  // Centre of gravity above the base centre: sway x with rocking about y and
  // sway y with rocking about x, each pair coupled by the printed cross terms.
  // The response rebuilt from the printed stiffness and damping, with the
  // coupling in both mirror entries, must be the one the report prints.
  Model md;
  md.h = 1.5;
  const int n = 10;
  const Outcome out = run(md.deck_head(true) +
                          harmonic_load("NONQUADRATIC", 120, 30, 10, "2 1 0", "0 0 0"));
  ASSERT_EQ(out.result, 0) << out.report;
  const std::size_t pass2 = out.report.find("SPECIAL OUTPUT OPTION");
  ASSERT_NE(pass2, std::string::npos);
  const std::string first = out.report.substr(0, pass2);
  for (int i = 0; i < n; ++i) {
    const double w = 30 + 10 * i;
    const auto at = [&](const std::string& label) { return value_after(first, label, i); };
    const cd kxx(at("(KXX) .."), w * at("(CXX) ..")), kyy(at("(KYY) .."), w * at("(CYY) .."));
    const cd kppx(at("(KPPX) .............. "), w * at("(CPPX)  .............."));
    const cd kppy(at("(KPPY)  .............."), w * at("(CPPY)  .............."));
    const cd kxp(at("(KXP)  ........"), w * at("(CXP)  ........"));
    const cd kyp(at("(KYP) ........ "), w * at("(CYP)  ........"));
    const double w2 = w * w;
    // x sway and rocking about y under Fx = 2; y sway and rocking about x under Fy = 1.
    const auto x = solve({kxx - w2 * md.m, kyp, kyp, kppy - w2 * md.iyy}, {2.0, 0.0});
    const auto y = solve({kyy - w2 * md.m, kxp, kxp, kppx - w2 * md.ixx}, {1.0, 0.0});
    const auto rec = numbers(out.plot[static_cast<std::size_t>(1 + 2 * n + i)]);
    ASSERT_EQ(rec.size(), 7u);
    const std::array<std::pair<double, double>, 4> pairs{
        {{rec[1], std::abs(x[0])}, {rec[5], std::abs(x[1])},
         {rec[2], std::abs(y[0])}, {rec[4], std::abs(y[1])}}};
    for (const auto& [got, want] : pairs) EXPECT_NEAR(got, want, 3e-4 * want) << "w " << w;
  }
}

TEST(AnalysisResponse, EccentricCentreRespondsAsTheBaseImpedanceMovedToIt) {
  // A 4 x 3 m footing with its centre of gravity at (0.3, -0.2, 0.75): the
  // response must be that of the impedance printed for the same footing about
  // its base centre, moved to the centre of gravity by T^T Z T, with the mass
  // there. Sway, vertical motion, rocking and torsion are all coupled.
  const double x = 0.3, y = -0.2, h = 0.75;
  const std::string mass = "120 260 300 380 12 -8 5";
  const std::string soil = "SOIL\nCONSTANTS=0\nBELOW=180 18 0.3 0.05\n";
  const std::string load = harmonic_load("NONQUADRATIC", 200, 20, 20, "2 1 3", "0.5 -0.4 0.8");
  const Outcome base =
      run(deck_head("HALF-SPACE", "RECTANGULAR=4,3", mass, "0 0 0", true) + soil + load);
  const Outcome cg =
      run(deck_head("HALF-SPACE", "RECTANGULAR=4,3", mass, "0.3 -0.2 0.75", false) + soil + load);
  ASSERT_EQ(base.result, 0) << base.report;
  ASSERT_EQ(cg.result, 0) << cg.report;
  const int n = 10;
  ASSERT_EQ(cg.plot.size(), 1u + n);
  const std::string first = base.report.substr(0, base.report.find("SPECIAL OUTPUT OPTION"));
  double T[6][6] = {};
  for (int i = 0; i < 6; ++i) T[i][i] = 1;
  T[0][4] = -h, T[0][5] = y, T[1][3] = h, T[1][5] = -x, T[2][3] = -y, T[2][4] = x;
  const double M[6][6] = {{120, 0, 0, 0, 0, 0},     {0, 120, 0, 0, 0, 0},
                          {0, 0, 120, 0, 0, 0},     {0, 0, 0, 260, -12, 8},
                          {0, 0, 0, -12, 300, -5},  {0, 0, 0, 8, -5, 380}};
  for (int i = 0; i < n; ++i) {
    const double w = 20 + 20 * i;
    const auto at = [&](const char* k, const char* c) {
      return cd(value_after(first, k, i), w * value_after(first, c, i));
    };
    // The printed constants about the base centre, couplings in both mirrors.
    cd zb[6][6] = {};
    zb[0][0] = at("(KXX) ..", "(CXX) ..");
    zb[1][1] = at("(KYY) ..", "(CYY) ..");
    zb[2][2] = at("(KWW)  ...", "(CWW)  ...");
    zb[3][3] = at("(KPPX) .............. ", "(CPPX)  ..............");
    zb[4][4] = at("(KPPY)  ..............", "(CPPY)  ..............");
    zb[5][5] = at("(KZT)  ................", "(CZT)  ................");
    zb[1][3] = zb[3][1] = at("(KXP)  ........", "(CXP)  ........");
    zb[4][0] = zb[0][4] = at("(KYP) ........ ", "(CYP)  ........");
    std::vector<cd> d(36);
    for (int r = 0; r < 6; ++r)
      for (int c = 0; c < 6; ++c) {
        for (int k = 0; k < 6; ++k)
          for (int l = 0; l < 6; ++l) d[r * 6 + c] += T[k][r] * zb[k][l] * T[l][c];
        d[r * 6 + c] -= w * w * M[r][c];
      }
    const auto u = solve(d, {2, 1, 3, 0.5, -0.4, 0.8});
    const auto rec = numbers(cg.plot[static_cast<std::size_t>(1 + i)]);
    ASSERT_EQ(rec.size(), 7u);
    for (std::size_t k = 0; k < 6; ++k)
      EXPECT_NEAR(rec[k + 1], std::abs(u[k]), 2e-4 * std::abs(u[k])) << "w " << w << " dof " << k + 1;
  }
}

std::string transient_load(int n, double dt,
                           const std::vector<std::pair<int, std::vector<double>>>& loads) {
  std::ostringstream d;
  d.precision(10);
  d << "LOAD\nTRANSIENT\nCONSTANTS\n" << n << "\n" << dt << "\n" << loads.size() << "\n";
  for (const auto& [code, values] : loads) {
    d << code << "\n";
    for (double v : values) d << v << "\n";
  }
  d << "RUN\n";
  return d.str();
}

// Histories by a second pipeline: spectrum, division by the dynamic stiffness,
// conjugate completion and inverse sums, all in double.
std::vector<std::array<double, 6>> pipeline(
    const Model& md, int n, double dt,
    const std::vector<std::pair<int, std::vector<double>>>& loads) {
  const int N = n / 2 + 1;
  std::vector<std::array<cd, 6>> u(static_cast<std::size_t>(n));
  for (int k = 0; k < N; ++k) {
    std::vector<cd> f(6);
    for (const auto& [code, values] : loads) {
      cd sum = 0;
      for (int j = 0; j < n; ++j)
        sum += values[static_cast<std::size_t>(j)] * std::polar(1.0, -2 * pi * j * k / n);
      f[static_cast<std::size_t>(code - 1)] = sum / static_cast<double>(n);
    }
    const double w = k == 0 ? 0.01 : 2 * pi * k / (n * dt);
    const auto x = solve(md.dynamic(w), f);
    for (std::size_t l = 0; l < 6; ++l) u[static_cast<std::size_t>(k)][l] = x[l];
  }
  for (int k = N; k < n; ++k)
    for (std::size_t l = 0; l < 6; ++l)
      u[static_cast<std::size_t>(k)][l] = std::conj(u[static_cast<std::size_t>(n - k)][l]);
  for (std::size_t l = 0; l < 6; ++l) {
    u[0][l] = u[0][l].real();
    if (n % 2 == 0)
      u[static_cast<std::size_t>(N - 1)][l] = u[static_cast<std::size_t>(N - 1)][l].real();
  }
  std::vector<std::array<double, 6>> out(static_cast<std::size_t>(n));
  for (int j = 0; j < n; ++j)
    for (std::size_t l = 0; l < 6; ++l) {
      cd sum = 0;
      for (int k = 0; k < n; ++k)
        sum += u[static_cast<std::size_t>(k)][l] * std::polar(1.0, 2 * pi * j * k / n);
      out[static_cast<std::size_t>(j)][l] = sum.real();
    }
  return out;
}

TEST(AnalysisResponse, TransientHistoriesEqualIndependentPipeline) {
  Model md;
  md.x = 0.2, md.h = 1.2;
  md.ixy = 10;
  for (const int n : {64, 63}) {
    SCOPED_TRACE(n);
    const double dt = 0.005;
    std::vector<double> pulse(static_cast<std::size_t>(n)), push(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
      pulse[static_cast<std::size_t>(j)] = j < 10 ? 500 * std::sin(pi * j / 10) : 0;
      push[static_cast<std::size_t>(j)] = j >= 5 && j < 20 ? 80 : 0;
    }
    const std::vector<std::pair<int, std::vector<double>>> loads{{3, pulse}, {1, push}};
    const Outcome out = run(md.deck_head(true) + transient_load(n, dt, loads));
    ASSERT_EQ(out.result, 0) << out.report;
    EXPECT_EQ(out.plot.size(), 1u + 2u * static_cast<std::size_t>(n / 2 + 1));
    const auto expected = pipeline(md, n, dt, loads);
    const auto rows = rows_after(out.report, " -------   ---------", n);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(n));
    std::array<double, 6> peak{};
    for (const auto& e : expected)
      for (std::size_t l = 0; l < 6; ++l) peak[l] = std::max(peak[l], std::fabs(e[l]));
    for (int j = 0; j < n; ++j) {
      const auto& row = rows[static_cast<std::size_t>(j)];
      ASSERT_EQ(row.size(), 7u);
      EXPECT_NEAR(row[0], (j + 1) * dt, 0.006);
      for (std::size_t l = 0; l < 6; ++l)
        EXPECT_NEAR(row[l + 1], expected[static_cast<std::size_t>(j)][l], 1e-4 * peak[l] + 1e-30)
            << "sample " << j + 1 << " dof " << l + 1;
    }
  }
}

TEST(AnalysisResponse, StepLoadOvershootsLikeLightlyDampedOscillator) {
  // Vertical motion alone (centre of gravity above the base centre); for
  // nu >= 0.4 the vertical impedance is K (1 - 0.17 a^2) + i 0.85 a K.
  Model md;
  md.r = 1, md.vs = 100, md.nu = 0.45, md.d = 0;
  const double G = md.vs * md.vs * md.gamma / g;
  const double K = 4 * G * md.r / (1 - md.nu);
  const double target_a = 0.168;  // light damping: zeta = 0.7 0.85 a / 2
  md.m = K / std::pow(target_a * md.vs / md.r, 2);
  double wn = std::sqrt(K / md.m);
  for (int it = 0; it < 20; ++it)
    wn = std::sqrt(K * (1 - 0.17 * std::pow(wn * md.r / md.vs, 2)) / md.m);
  const double keff = md.m * wn * wn;
  const double zeta = 0.7 * 0.85 * K * md.r / md.vs / (2 * std::sqrt(keff * md.m));
  ASSERT_LT(zeta, 0.06);
  const int n = 998;
  const double dt = 2 * pi / wn / 25;  // 25 samples a period, 20 periods on, 20 off
  std::vector<double> step(static_cast<std::size_t>(n), 0.0);
  for (int j = 0; j < n / 2; ++j) step[static_cast<std::size_t>(j)] = 1000;
  const Outcome out = run(md.deck_head(false) + transient_load(n, dt, {{3, step}}));
  ASSERT_EQ(out.result, 0) << out.report;
  EXPECT_EQ(out.plot.size(), 1u);
  const auto rows = rows_after(out.report, " -------   ---------", n);
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(n));
  double peak = 0;
  for (const auto& row : rows) peak = std::max(peak, row[3]);
  const double overshoot = 1 + std::exp(-pi * zeta / std::sqrt(1 - zeta * zeta));
  EXPECT_NEAR(peak / (1000 / K), overshoot, 0.02 * overshoot);
}

// Row k of a time column whose step is m units of the d-th decimal, by
// integer arithmetic: k m with at least `least` decimals while they are ten
// or fewer, else a mantissa whose last digit in the largest row (n m) is the
// step's last decimal, and its exponent.
std::string time_text(long m, int d, long k, long n, int least) {
  const std::string v = std::to_string(k * m);
  if (d <= 10) {
    const int shown = std::max(d, least);
    std::string digits = v + std::string(static_cast<std::size_t>(shown - d), '0');
    if (digits.size() < static_cast<std::size_t>(shown) + 1)
      digits.insert(0, static_cast<std::size_t>(shown) + 1 - digits.size(), '0');
    return digits.insert(digits.size() - static_cast<std::size_t>(shown), ".");
  }
  const std::size_t q = std::max<std::size_t>(1, std::to_string(n * m).size() - 1);
  std::string mantissa = v.substr(1);
  mantissa.resize(q, '0');
  const int exponent = static_cast<int>(v.size()) - 1 - d;
  char tail[16];
  std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
  return v.substr(0, 1) + "." + mantissa + tail;
}

TEST(AnalysisResponse, TransientTimeColumnShowsEveryMultipleOfTheStep) {
  // Row k shows k dt with the decimals the step needs (two at least), so no
  // two rows print alike; the echo shows dt itself with three at least.
  const Model md;
  const int n = 64;
  std::vector<double> pulse(static_cast<std::size_t>(n), 0.0);
  pulse[1] = pulse[2] = 100;
  const struct {
    const char* dt;
    long m;  // dt = m 10^-d
    int d;
  } steps[] = {{"0.01", 1, 2},    {"0.001", 1, 3}, {"0.0025", 25, 4},
               {"4E-7", 4, 7},    {"1E-12", 1, 12}, {"0.3", 3, 1}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.dt);
    const Outcome out =
        run(md.deck_head(false) + transient_load(n, std::stod(step.dt), {{3, pulse}}));
    ASSERT_EQ(out.result, 0) << out.report;
    const std::string label = "TIME INTERVAL BETWEEN POINTS  ..";
    const std::size_t echo = out.report.find(label);
    ASSERT_NE(echo, std::string::npos);
    std::string interval;
    std::istringstream(out.report.substr(echo + label.size())) >> interval;
    EXPECT_EQ(interval, time_text(step.m, step.d, 1, 1, 3));
    const auto lines = lines_of(out.report);
    auto at = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
      return l.rfind(" -------   ---------", 0) == 0;
    });
    ASSERT_NE(at, lines.end());
    std::string previous;
    for (long k = 1; k <= n; ++k) {
      do ++at;
      while (at != lines.end() && at->find_first_not_of(' ') == std::string::npos);
      ASSERT_NE(at, lines.end());
      std::string time;
      std::istringstream(*at) >> time;
      EXPECT_EQ(time, time_text(step.m, step.d, k, n, 2)) << "row " << k;
      EXPECT_NE(time, previous) << "row " << k;
      previous = time;
    }
  }
}

TEST(AnalysisResponse, HarmonicFrequencyColumnsShowEveryStep) {
  // Rows a step apart print differently: the columns take the decimals whose
  // last digit is not larger than the step, here 1E-7 rad/s and its hertz
  // omega 0.5 / 3.14 = 1.6E-8.
  const Model md;
  const Outcome out =
      run(md.deck_head(false) + harmonic_load("NONQ", 4e-7, 0, 1e-7, "1 0 0", "0 0 0"));
  ASSERT_EQ(out.result, 0) << out.report;
  const auto lines = lines_of(out.report);
  auto at = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("   ------  -------", 0) == 0;
  });
  ASSERT_NE(at, lines.end());
  ++at;
  for (int k = 0; k <= 4; ++k) {
    ASSERT_NE(++at, lines.end());
    char hz[32], rad[32];
    std::snprintf(hz, sizeof hz, "%.8f", k * 1e-7 * 0.5 / 3.14);
    std::snprintf(rad, sizeof rad, "%.7f", k * 1e-7);
    std::string f, w;
    std::istringstream(*at) >> f >> w;
    EXPECT_EQ(f, hz) << "row " << k;
    EXPECT_EQ(w, rad) << "row " << k;
  }
}

// Three-point rule in double: weights 1, 4, 2, ..., 4, 1 over h/3.
double simpson(const std::vector<double>& y, double h) {
  double s = y.front() + y.back();
  for (std::size_t i = 1; i + 1 < y.size(); ++i) s += (i % 2 == 1 ? 4 : 2) * y[i];
  return s * h / 3;
}

TEST(AnalysisResponse, RandomResponseOfOneDegreeOfFreedom) {
  // Sway alone: the centre of gravity on the base centre, no material damping,
  // so dof 1 has a constant stiffness kh and dashpot 0.7 0.65 kh r / Vs.
  Model md;
  md.r = 1, md.vs = 100, md.d = 0, md.nu = 0.3;
  const double G = md.vs * md.vs * md.gamma / g;
  const double kh = 8 * G * md.r / (2 - md.nu);
  const double c = 0.7 * 0.65 * kh * md.r / md.vs;
  const double wn = 22;
  md.m = kh / (wn * wn);
  const double fmin = 2, fmax = 62, time = 100, s0 = 1.5;
  const int np = 301;
  std::ostringstream load;
  load << "LOAD\nRANDOM\nCONSTANTS\n"
       << fmax << "\n"
       << fmin << "\n"
       << np << "\n"
       << time << "\n1\n1 1\n";
  for (int i = 0; i < np; ++i) load << s0 << "\n";
  load << "RUN\n";
  const Outcome out = run(md.deck_head(false) + load.str());
  ASSERT_EQ(out.result, 0) << out.report;
  EXPECT_EQ(out.plot.size(), 1u);

  const double h = (fmax - fmin) / (np - 1);
  std::vector<double> su(np), su2(np);
  std::vector<float> su_f(np);
  // The frequencies of the loop are a running single-precision sum.
  const float step = static_cast<float>(fmax - fmin) / static_cast<float>(np - 1);
  float running = static_cast<float>(fmin) - step;
  for (int i = 0; i < np; ++i) {
    running += step;
    const double w = running;
    su[i] = s0 / std::norm(cd(kh - w * w * md.m, w * c));
    su2[i] = w * w * su[i];
    su_f[i] = static_cast<float>(su[i]);
  }
  const auto curve = rows_after(out.report, "IN X DIRECTION", np);
  ASSERT_EQ(curve.size(), static_cast<std::size_t>(np));
  for (int i = 0; i < np; ++i) {
    EXPECT_NEAR(curve[i][0], fmin + i * h, 0.006);
    EXPECT_NEAR(curve[i][1], su[i], 1e-5 * su[i]) << i;
  }
  const double m0 = simpson(su, h), m2 = simpson(su2, h);
  const double nu0 = std::sqrt(m2 / m0) / (2 * pi);
  const double s = std::sqrt(2 * std::log(nu0 * time));
  const double factor = s + 0.5772 / s;
  EXPECT_NEAR(nu0, wn / (2 * pi), 0.05 * wn / (2 * pi));  // a narrow band round resonance

  const RandomPeak p = random_peak(su_f.data(), np, static_cast<float>(fmin), static_cast<float>(h),
                                   static_cast<float>(time));
  EXPECT_NEAR(p.m0, m0, 1e-5 * m0);
  EXPECT_NEAR(p.m2, m2, 1e-5 * m2);
  EXPECT_NEAR(p.nu0, nu0, 1e-5 * nu0);
  EXPECT_NEAR(p.factor, factor, 1e-5 * factor);
  EXPECT_NEAR(p.maximum, std::sqrt(m0) * factor, 1e-5 * std::sqrt(m0) * factor);

  const auto table = rows_after(out.report, "--------------------", 6);
  ASSERT_EQ(table.size(), 6u);
  EXPECT_EQ(table[0][0], 1);
  EXPECT_NEAR(table[0][1], factor, 0.05);
  EXPECT_NEAR(table[0][2], std::sqrt(m0) * factor, 1e-3 * std::sqrt(m0) * factor);
  // No load on the other degrees of freedom: zero moments, factor 0, maximum 0.
  for (std::size_t l = 1; l < 6; ++l) EXPECT_EQ(table[l][2], 0.0) << l + 1;
}

TEST(AnalysisResponse, CrossSpectrumGivenOnceActsInBothOrders) {
  // Sway and vertical loads, correlated through a cross spectrum given only as
  // (3, 1); the eccentric centre of gravity couples them into the sway. The
  // sway density is sum_jk H1j conj(H1k) S(j, k), formed here in double.
  Model md;
  md.x = 0.4, md.h = 1.5;
  const double fmin = 5, fmax = 95, time = 60, s11 = 2, s33 = 3, s31 = 1.5;
  const int np = 31;
  std::ostringstream load;
  load << "LOAD\nRANDOM\nCONSTANTS\n" << fmax << "\n" << fmin << "\n" << np << "\n" << time
       << "\n3\n";
  for (const auto& [code, v] : {std::pair{"1 1", s11}, {"3 3", s33}, {"3 1", s31}}) {
    load << code << "\n";
    for (int i = 0; i < np; ++i) load << v << "\n";
  }
  load << "RUN\n";
  const Outcome out = run(md.deck_head(false) + load.str());
  ASSERT_EQ(out.result, 0) << out.report;
  const auto curve = rows_after(out.report, "IN X DIRECTION", np);
  ASSERT_EQ(curve.size(), static_cast<std::size_t>(np));
  const float step = static_cast<float>(fmax - fmin) / static_cast<float>(np - 1);
  float running = static_cast<float>(fmin) - step;
  for (int i = 0; i < np; ++i) {
    running += step;
    const double w = running;
    std::vector<cd> e1(6), e3(6);
    e1[0] = 1, e3[2] = 1;
    // Row 1 of the inverse from its columns 1 and 3 (the matrix is symmetric).
    const cd h11 = solve(md.dynamic(w), e1)[0], h13 = solve(md.dynamic(w), e3)[0];
    const double want =
        std::norm(h11) * s11 + std::norm(h13) * s33 + 2 * s31 * (h11 * std::conj(h13)).real();
    EXPECT_NEAR(curve[static_cast<std::size_t>(i)][1], want, 1e-4 * want) << "w " << w;
  }
}

}  // namespace
}  // namespace zrv::test
