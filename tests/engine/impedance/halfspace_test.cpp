#include "impedance/halfspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "expect.h"

namespace {

using cf = std::complex<float>;
using cd = std::complex<double>;

TEST(hspimp, low_frequency_gives_the_static_disc_stiffnesses) {
  const double g = 2.0e7, r = 1.8;
  for (float nu : {0.0f, 0.25f, 0.4f, 0.45f}) {
    const zrv::HalfspaceImpedance z = zrv::HSPIMP(1e-6f, nu, 0.0f, r, r, r, r);
    EXPECT_NEAR(g * r * z.horizontal.real(), 8 * g * r / (2 - nu), 1e-5 * g * r) << nu;
    EXPECT_NEAR(g * r * z.vertical.real(), 4 * g * r / (1 - nu), 1e-5 * g * r) << nu;
    const double r3 = r * r * r;
    EXPECT_NEAR(g * r3 * z.rocking4.real(), 8 * g * r3 / (3 * (1 - nu)), 1e-5 * g * r3) << nu;
    EXPECT_NEAR(g * r3 * z.rocking5.real(), 8 * g * r3 / (3 * (1 - nu)), 1e-5 * g * r3) << nu;
    EXPECT_NEAR(g * r3 * z.torsion.real(), 16 * g * r3 / 3, 1e-5 * g * r3) << nu;
  }

  // A 3 x 1.2 rectangle through its equivalent radii; each mode runs on its
  // own radius, a0 being given on the translation radius.
  const double pi = 3.14159, a = 3.0, b = 1.2;
  const double rr = std::sqrt(a * b / pi);
  const double r4 = std::pow(a * b * b * b / (3 * pi), 0.25);
  const double r5 = std::pow(a * a * a * b / (3 * pi), 0.25);
  const double rt = std::pow((a * a + b * b) * a * b / (6 * pi), 0.25);
  const float nu = 0.3f;
  const zrv::HalfspaceImpedance s = zrv::HSPIMP(1e-6f, nu, 0.0f, rr, r4, r5, rt);
  EXPECT_NEAR(g * rr * s.horizontal.real() / (8 * g * rr / (2 - nu)), 1.0, 1e-6);
  EXPECT_NEAR(g * std::pow(r4, 3) * s.rocking4.real() / (8 * g * std::pow(r4, 3) / (3 * (1 - nu))), 1.0, 1e-6);
  EXPECT_NEAR(g * std::pow(rt, 3) * s.torsion.real() / (16 * g * std::pow(rt, 3) / 3), 1.0, 1e-6);
  const float a0 = 1.1f;
  const zrv::HalfspaceImpedance d = zrv::HSPIMP(a0, nu, 0.05f, rr, r4, r5, rt);
  const zrv::HalfspaceImpedance c4 = zrv::HSPIMP(a0 * r4 / rr, nu, 0.05f, r4, r4, r4, r4);
  const zrv::HalfspaceImpedance c5 = zrv::HSPIMP(a0 * r5 / rr, nu, 0.05f, r5, r5, r5, r5);
  const zrv::HalfspaceImpedance ct = zrv::HSPIMP(a0 * rt / rr, nu, 0.05f, rt, rt, rt, rt);
  EXPECT_TRUE(zrv::test::near_rel(d.rocking4, cd(c4.rocking4), 1e-6)) << "rocking 4";
  EXPECT_TRUE(zrv::test::near_rel(d.rocking5, cd(c5.rocking5), 1e-6)) << "rocking 5";
  EXPECT_TRUE(zrv::test::near_rel(d.torsion, cd(ct.torsion), 1e-6)) << "torsion";
}

// Elastic lumped forms f(a) of the disc; damping enters by the correspondence
// principle: the damped impedance is (1 + i d) f(a / sqrt(1 + i d)).
cd damped(double a, double d, auto f) {
  const cd m(1.0, d);
  return m * f(a / std::sqrt(m));
}
cd resonant(double c, double b, cd a) {
  const cd iba = cd(0, b) * a;
  return c * iba * iba / (1.0 + iba);
}

TEST(hspimp, damping_follows_the_correspondence_principle) {
  for (float nu : {0.2f, 0.4f, 0.48f}) {
    const bool low = nu < 0.4;  // nu = 0.4 takes the second column of the table
    const double c1 = low ? 0.65 : 0.6, c2 = low ? 0.5 : 0.4, c3 = 0.8, c4 = low ? 0.0 : 0.027;
    const double c5 = low ? 0.35 : 0.0, c6 = low ? 0.8 : 0.0, c7 = low ? 0.0 : 0.17, c8 = low ? 0.75 : 0.85;
    for (float d : {0.0f, 0.05f, 0.3f}) {
      for (float a0 : {0.2f, 1.0f, 2.7f}) {
        const double r = 2.0, r4 = 1.6, r5 = 2.5, rt = 2.2;
        const zrv::HalfspaceImpedance z = zrv::HSPIMP(a0, nu, d, r, r4, r5, rt);
        EXPECT_TRUE(zrv::test::near_rel(
            z.horizontal, damped(a0, d, [&](cd a) { return 8 / (2 - double(nu)) * (1.0 + cd(0, c1) * a); }),
            1e-6))
            << "horizontal";
        EXPECT_TRUE(zrv::test::near_rel(
            z.vertical,
            damped(a0, d,
                   [&](cd a) {
                     return 4 / (1 - double(nu)) * (1.0 + cd(0, c8) * a + resonant(c5, c6, a) - c7 * a * a);
                   }),
            1e-6))
            << "vertical";
        auto rocking = [&](cd a) { return 8 / (3 * (1 - double(nu))) * (1.0 + resonant(c2, c3, a) - c4 * a * a); };
        EXPECT_TRUE(zrv::test::near_rel(z.rocking4, damped(a0 * r4 / r, d, rocking), 1e-6)) << "rocking 4";
        EXPECT_TRUE(zrv::test::near_rel(z.rocking5, damped(a0 * r5 / r, d, rocking), 1e-6)) << "rocking 5";
        EXPECT_TRUE(zrv::test::near_rel(
            z.torsion,
            damped(a0 * rt / r, d, [&](cd a) { return 16.0 / 3 * (1.0 + resonant(0.425, 0.687, a)); }), 1e-6))
            << "torsion";
      }
    }
  }
}

zrv::StratumInput stratum(float e, float h) {
  zrv::StratumInput in;
  in.embedment = e;
  in.depth = h;
  in.nu = 1.0f / 3.0f;
  in.damping = 0.1f;
  in.unit_weight = 19.6f;
  in.gravity = 9.8f;
  in.vs = 400.0f;
  in.rh = 2.0f;
  in.rv = 2.1f;
  in.r4 = 1.7f;
  in.r5 = 2.4f;
  in.rt = 2.2f;
  return in;
}

TEST(strimp, low_frequency_without_embedment) {
  const zrv::StratumInput in = stratum(0.0f, 10.0f);
  const double g = 2.0 * 400.0 * 400.0, nu = 1.0 / 3.0, h = 10.0, d = 0.1;
  const zrv::StratumImpedance z = zrv::STRIMP(1e-4f, in);
  const double kh = 8 * g * 2.0 / (2 - nu) * (1 + 2.0 / (2 * h));
  const double kv = 4 * g * 2.1 / (1 - nu) * (1 + 1.28 * 2.1 / h);
  const double k4 = 8 * g * std::pow(1.7, 3) / (3 * (1 - nu)) * (1 + 1.7 / (6 * h));
  const double k5 = 8 * g * std::pow(2.4, 3) / (3 * (1 - nu)) * (1 + 2.4 / (6 * h));
  const double kt = 16 * g * std::pow(2.2, 3) / 3;
  // Near zero frequency only material damping is left: K (1 + i d).
  EXPECT_TRUE(zrv::test::near_rel(z.horizontal, kh * cd(1, d), 1e-5)) << "horizontal";
  EXPECT_TRUE(zrv::test::near_rel(z.vertical, kv * cd(1, d), 1e-5)) << "vertical";
  EXPECT_TRUE(zrv::test::near_rel(z.rocking4, k4 * cd(1, d), 1e-5)) << "rocking 4";
  EXPECT_TRUE(zrv::test::near_rel(z.rocking5, k5 * cd(1, d), 1e-5)) << "rocking 5";
  EXPECT_TRUE(zrv::test::near_rel(z.torsion, kt * cd(1, d), 1e-5)) << "torsion";
  // A surface footing: coupling -0.03 r4 KH on (2,4), and +0.03 r5 KH on (1,5).
  EXPECT_TRUE(zrv::test::near_rel(z.coupling4, -0.03 * 1.7 * kh * cd(1, d), 1e-5)) << "coupling 4";
  EXPECT_TRUE(zrv::test::near_rel(z.coupling5, 0.03 * 2.4 * kh * cd(1, d), 1e-5)) << "coupling 5";

  // A very deep stratum tends to the half-space.
  zrv::StratumInput deep = stratum(0.0f, 1.0e6f);
  deep.rv = deep.rh;
  const zrv::StratumImpedance s = zrv::STRIMP(1e-4f, deep);
  const zrv::HalfspaceImpedance hs = zrv::HSPIMP(1e-4f * 2.0f / 400.0f, deep.nu, 0.0f, 2.0f, 1.7f, 2.4f, 2.2f);
  EXPECT_NEAR(s.horizontal.real() / (g * 2.0 * hs.horizontal.real()), 1.0, 1e-5);
  EXPECT_NEAR(s.vertical.real() / (g * 2.0 * hs.vertical.real()), 1.0, 1e-5);
  EXPECT_NEAR(s.rocking4.real() / (g * std::pow(1.7, 3) * hs.rocking4.real()), 1.0, 1e-5);
  EXPECT_NEAR(s.rocking5.real() / (g * std::pow(2.4, 3) * hs.rocking5.real()), 1.0, 1e-5);
  EXPECT_NEAR(s.torsion.real() / (g * std::pow(2.2, 3) * hs.torsion.real()), 1.0, 1e-5);
}

TEST(strimp, damping_below_and_above_the_stratum_frequencies) {
  // Vs = 400 over H = 100: shear frequency 1 Hz; with nu = 1/3 the dilatational
  // velocity is twice Vs, so the compression frequency is 2 Hz.
  zrv::StratumInput in = stratum(0.0f, 100.0f);
  const double d = 0.1, beta = 0.05;
  auto damping_ratio = [&](cf z) { return z.imag() / z.real(); };
  // Im/Re of (1 + i a c)(1 + i d).
  auto ratio = [&](double a, double c) { return (a * c + d) / (1 - a * c * d); };

  // Exactly at the shear frequency (omega = 2 pi with the 3.14159 of the
  // frequency conversion) the below-resonance formula holds.
  const float w1 = 2.0f * 3.14159f;
  zrv::StratumImpedance z = zrv::STRIMP(w1, in);
  const double ah = w1 * 2.0 / 400.0;
  const double ch = 0.65 * beta / (1 - (1 - d));
  EXPECT_NEAR(damping_ratio(z.horizontal), ratio(ah, ch), 1e-6);
  // Between the shear and compression frequencies (1.5 Hz).
  const float w15 = 1.5f * w1;
  z = zrv::STRIMP(w15, in);
  const double ah15 = w15 * 2.0 / 400.0, fp = 0.75;
  const double cv = 1.34 * 0.5 * beta * fp / (1 - (1 - d) * fp * fp);
  EXPECT_NEAR(damping_ratio(z.horizontal), ratio(ah15, 0.6), 1e-6);
  EXPECT_NEAR(damping_ratio(z.vertical), ratio(ah15, cv), 1e-6);

  // Without material damping the resonance term is zero, also exactly at the
  // shear frequency (no 0/0).
  in.damping = 0.0f;
  z = zrv::STRIMP(w1, in);
  EXPECT_EQ(z.horizontal.imag(), 0.0f);
  EXPECT_EQ(z.torsion.imag(), 0.0f);
  EXPECT_TRUE(std::isfinite(z.horizontal.real()));

  // Torsion stiffness factor: 1 - 0.133 at below at = 3, 0.6 from there on.
  const double kt = 16 * 2.0 * 400.0 * 400.0 * std::pow(2.2, 3) / 3;
  const float w_at3 = 3.0f * 400.0f / 2.2f;
  ASSERT_EQ(w_at3 * 2.2f / 400.0f, 3.0f);
  EXPECT_NEAR(zrv::STRIMP(w_at3, in).torsion.real() / kt, 0.6, 1e-6);
  const float w_below = std::nextafter(w_at3, 0.0f);
  EXPECT_NEAR(zrv::STRIMP(w_below, in).torsion.real() / kt, 1 - 0.133 * 3.0, 1e-6);
}

TEST(strimp, embedment_couplings_act_above_the_base) {
  // Soil reaction on the embedded sides acts above the base centre, so the
  // (2,4) coupling is positive and the (1,5) coupling negative once
  // 0.4 E / r exceeds 0.03.
  const zrv::StratumImpedance z = zrv::STRIMP(1e-4f, stratum(1.0f, 10.0f));
  EXPECT_GT(z.coupling4.real(), 0.0f);
  EXPECT_LT(z.coupling5.real(), 0.0f);
}

}  // namespace
