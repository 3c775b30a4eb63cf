// Low-frequency impedance about the centre of gravity against the closed-form
// static stiffnesses of a rigid disc (and its equivalent circles) on a
// half-space and on a stratum over a rigid base.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analysis_fixture.h"
#include "expect.h"

namespace zrv::test {
namespace {

constexpr double pi = 3.14159265358979;
constexpr double g = 9.81;

struct Printed {
  double kxx, kyy, kww, kppx, kppy, kzt, kxp, kyp;
};

// The constants of the first frequency's full table.
Printed first_table(const std::string& report) {
  return {value_after(report, "(KXX) .."),
          value_after(report, "(KYY) .."),
          value_after(report, "(KWW)  ..."),
          value_after(report, "(KPPX) .............. "),
          value_after(report, "(KPPY)  .............."),
          value_after(report, "(KZT)  ................"),
          value_after(report, "(KXP)  ........"),
          value_after(report, "(KYP) ........ ")};
}

TEST(AnalysisStatics, HalfspaceDiscAtZeroFrequencyGivesStaticStiffness) {
  // Also for saturated soil (nu = 0.5), which the closed forms admit.
  for (const double nu : {0.3, 0.5}) {
    SCOPED_TRACE(nu);
    const double vs = 200, gamma = 18, r = 2, h = 1.5;
    const Outcome out =
        run(deck_head("HALF-SPACE", "CIRCULAR=2", "100 200 200 300 0 0 0", "0 0 1.5", true) +
            "SOIL\nCONSTANTS=0\nBELOW=200 18 " + std::to_string(nu) + " 0\n" +
            harmonic_load("NONQUADRATIC", 10, 0, 10, "1 0 0", "0 0 0"));
    ASSERT_EQ(out.result, 0) << out.report;
    const double G = vs * vs * gamma / g;
    const double kh = 8 * G * r / (2 - nu);
    const double kr = 8 * G * r * r * r / (3 * (1 - nu));
    const Printed p = first_table(out.report);
    EXPECT_TRUE(zrv::test::near_rel(p.kxx, kh, 1e-3)) << "KXX";
    EXPECT_TRUE(zrv::test::near_rel(p.kyy, kh, 1e-3)) << "KYY";
    EXPECT_TRUE(zrv::test::near_rel(p.kww, 4 * G * r / (1 - nu), 1e-3)) << "KWW";
    // Rocking about the centre of gravity: the base value plus the sway arm.
    EXPECT_TRUE(zrv::test::near_rel(p.kppx, kr + h * h * kh, 1e-3)) << "KPPX";
    EXPECT_TRUE(zrv::test::near_rel(p.kppy, kr + h * h * kh, 1e-3)) << "KPPY";
    EXPECT_TRUE(zrv::test::near_rel(p.kzt, 16 * G * r * r * r / 3, 1e-3)) << "KZT";
    EXPECT_TRUE(zrv::test::near_rel(p.kxp, h * kh, 1e-3)) << "KXP";
    EXPECT_TRUE(zrv::test::near_rel(p.kyp, -h * kh, 1e-3)) << "KYP";
    // The first matrix record carries the floored frequency and the same
    // constants, to the three digits of its fields.
    ASSERT_GE(out.plot.size(), 2u);
    EXPECT_EQ(out.plot[1].substr(0, 11), "  0.100E-03");
    const std::vector<double> rec = numbers(out.plot[1]);
    ASSERT_EQ(rec.size(), 9u);
    const double want[8] = {kh, kh, 4 * G * r / (1 - nu), kr + h * h * kh, kr + h * h * kh,
                            16 * G * r * r * r / 3, h * kh, -h * kh};
    for (int i = 0; i < 8; ++i)
      EXPECT_TRUE(zrv::test::near_rel(rec[i + 1], want[i], 5e-3)) << "matrix record";
  }
  // A side layer of saturated soil takes the incompressible horizontal
  // reaction, the limit of the compressible one as nu tends to 0.5.
  const auto embedded = [](const std::string& nu) {
    return run(deck_head("HALF-SPACE", "CIRCULAR=2", "100 200 200 300 0 0 0", "0 0 0", true) +
               "SOIL\nCONSTANTS=1\n1 1 150 18 " + nu + " 0.05\nBELOW=200 18 0.5 0.05\n" +
               harmonic_load("NONQUADRATIC", 60, 20, 40, "1 0 0", "0 0 0"));
  };
  const Outcome saturated = embedded("0.5"), nearly = embedded("0.49999");
  ASSERT_EQ(saturated.result, 0) << saturated.report;
  ASSERT_EQ(nearly.result, 0) << nearly.report;
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(zrv::test::near_rel(value_after(saturated.report, "(KXX) ..", i),
                                    value_after(nearly.report, "(KXX) ..", i), 2e-4))
        << "KXX";
    EXPECT_TRUE(zrv::test::near_rel(value_after(saturated.report, "(CXX) ..", i),
                                    value_after(nearly.report, "(CXX) ..", i), 2e-4))
        << "CXX";
  }
}

TEST(AnalysisStatics, HalfspaceRectangleUsesEquivalentRadiiAndEccentricCentre) {
  const double a = 6, b = 4, vs = 150, gamma = 19, nu = 0.25;
  const double x = 0.3, y = -0.2, h = 1.2;
  const Outcome out = run(
      deck_head("HALF-SPACE", "RECTANGULAR=6,4", "100 200 200 300 0 0 0", "0.3 -0.2 1.2", true) +
      "SOIL\nCONSTANTS=0\nBELOW=150 19 0.25 0\n" +
      harmonic_load("NONQUADRATIC", 10, 0, 10, "1 0 0", "0 0 0"));
  ASSERT_EQ(out.result, 0) << out.report;
  const double G = vs * vs * gamma / g;
  const double r = std::sqrt(a * b / pi);
  const double r4 = std::pow(a * b * b * b / (3 * pi), 0.25);
  const double r5 = std::pow(a * a * a * b / (3 * pi), 0.25);
  const double rt = std::pow((a * a + b * b) * a * b / (6 * pi), 0.25);
  const double kh = 8 * G * r / (2 - nu);
  const double kv = 4 * G * r / (1 - nu);
  const double k4 = 8 * G * std::pow(r4, 3) / (3 * (1 - nu));
  const double k5 = 8 * G * std::pow(r5, 3) / (3 * (1 - nu));
  const double kt = 16 * G * std::pow(rt, 3) / 3;
  const Printed p = first_table(out.report);
  EXPECT_TRUE(zrv::test::near_rel(p.kxx, kh, 1e-3)) << "KXX";
  EXPECT_TRUE(zrv::test::near_rel(p.kww, kv, 1e-3)) << "KWW";
  EXPECT_TRUE(zrv::test::near_rel(p.kppx, k4 + h * h * kh + y * y * kv, 1e-3)) << "KPPX";
  EXPECT_TRUE(zrv::test::near_rel(p.kppy, k5 + h * h * kh + x * x * kv, 1e-3)) << "KPPY";
  EXPECT_TRUE(zrv::test::near_rel(p.kzt, kt + y * y * kh + x * x * kh, 1e-3)) << "KZT";
}

// Stratum deck of a surface disc of radius 2 on a layer of depth `depth`.
Outcome stratum_run(double depth) {
  return run(deck_head("STRATUM", "CIRCULAR=2", "100 200 200 300 0 0 0",
                       "0 0 0 0 " + std::to_string(depth), true) +
             "SOIL\nCONSTANTS\n200 18 0.3 0\n" +
             harmonic_load("NONQUADRATIC", 10, 0, 10, "1 0 0", "0 0 0"));
}

TEST(AnalysisStatics, StratumAtZeroFrequencyGivesLayerFactorsAndTendsToHalfspace) {
  const double vs = 200, gamma = 18, nu = 0.3, r = 2;
  const double G = vs * vs * gamma / g;
  const double kh = 8 * G * r / (2 - nu);
  const double kv = 4 * G * r / (1 - nu);
  const double kr = 8 * G * r * r * r / (3 * (1 - nu));
  const double kt = 16 * G * r * r * r / 3;
  {
    const double H = 10;
    const Outcome out = stratum_run(H);
    ASSERT_EQ(out.result, 0) << out.report;
    const Printed p = first_table(out.report);
    const double khs = kh * (1 + r / (2 * H));
    EXPECT_TRUE(zrv::test::near_rel(p.kxx, khs, 1e-3)) << "KXX";
    EXPECT_TRUE(zrv::test::near_rel(p.kww, kv * (1 + 1.28 * r / H), 1e-3)) << "KWW";
    EXPECT_TRUE(zrv::test::near_rel(p.kppx, kr * (1 + r / (6 * H)), 1e-3)) << "KPPX";
    EXPECT_TRUE(zrv::test::near_rel(p.kppy, kr * (1 + r / (6 * H)), 1e-3)) << "KPPY";
    EXPECT_TRUE(zrv::test::near_rel(p.kzt, kt, 1e-3)) << "KZT";
    // Surface footing: the horizontal-rocking couplings are 3 % of r KH.
    EXPECT_TRUE(zrv::test::near_rel(p.kxp, -0.03 * r * khs, 1e-3)) << "KXP";
    EXPECT_TRUE(zrv::test::near_rel(p.kyp, 0.03 * r * khs, 1e-3)) << "KYP";
  }
  {
    const Outcome out = stratum_run(1.0e4);
    ASSERT_EQ(out.result, 0) << out.report;
    const Printed p = first_table(out.report);
    EXPECT_TRUE(zrv::test::near_rel(p.kxx, kh, 1e-3)) << "KXX deep";
    EXPECT_TRUE(zrv::test::near_rel(p.kww, kv, 1e-3)) << "KWW deep";
    EXPECT_TRUE(zrv::test::near_rel(p.kppy, kr, 1e-3)) << "KPPY deep";
    EXPECT_TRUE(zrv::test::near_rel(p.kzt, kt, 1e-3)) << "KZT deep";
  }
}

TEST(AnalysisStatics, StratumTorsionDampingBelowResonanceAndRockingAboveTheSwitch) {
  // A surface disc on a stratum 10 m deep (shear resonance at Vs / 4H = 5 Hz)
  // at 30 rad/s, below it, and at 270 rad/s, where a0 = 2.7 lies past the
  // rocking factor's switch at 2.5; the closed forms in double, with the
  // damping reduction 0.7 and the hertz printed as omega / (2 x 3.14).
  const double vs = 200, gamma = 18, nu = 0.3, d = 0.05, r = 2, H = 10;
  const Outcome out = run(deck_head("STRATUM", "CIRCULAR=2", "100 200 200 300 0 0 0",
                                    "0 0 0 0 10", true) +
                          "SOIL\nCONSTANTS\n200 18 0.3 0.05\n" +
                          harmonic_load("NONQUADRATIC", 270, 30, 240, "1 0 0", "0 0 0"));
  ASSERT_EQ(out.result, 0) << out.report;
  const double G = vs * vs * gamma / g;
  const double kt = 16 * G * r * r * r / 3;
  const double kr = 8 * G * r * r * r / (3 * (1 - nu)) * (1 + r / (6 * H));
  const cd material(1, d);
  {
    const double w = 30, a = w * r / vs;
    const double fs = vs / (4 * H), f = w * 0.5 / 3.14159;  // Fs = 0.95
    const double ch = 0.65 * (d / 2) * (f / fs) / (1 - (1 - d) * (f / fs) * (f / fs));
    const cd z = kt * cd(1 - 0.133 * a, a * 0.2307692 * ch) * material;
    EXPECT_TRUE(zrv::test::near_rel(value_after(out.report, "(KZT)  ................"), z.real(), 1e-4))
        << "KZT";
    EXPECT_TRUE(
        zrv::test::near_rel(value_after(out.report, "(CZT)  ................"), 0.7 * z.imag() / w, 1e-4))
        << "CZT";
    EXPECT_NEAR(value_after(out.report, "FREQUENCY  -  "), w / (2 * 3.14), 6e-5);  // F12.4
  }
  {
    const double w = 270, a = w * r / vs;  // above both stratum frequencies
    const cd z = kr * cd(0.5, a * 0.3 * a * a / (1 + a * a)) * material;
    EXPECT_TRUE(zrv::test::near_rel(value_after(out.report, "(KPPX) .............. ", 1), z.real(), 1e-4))
        << "KPPX";
    EXPECT_TRUE(
        zrv::test::near_rel(value_after(out.report, "(CPPX)  ..............", 1), 0.7 * z.imag() / w, 1e-4))
        << "CPPX";
    EXPECT_NEAR(value_after(out.report, "FREQUENCY  -  ", 1), w / (2 * 3.14), 6e-5);
  }
}

}  // namespace
}  // namespace zrv::test
