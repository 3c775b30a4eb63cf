#include "impedance/side.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "expect.h"

namespace {

using cd = std::complex<double>;
using cf = std::complex<float>;
using zrv::SideReactions;
using zrv::SideSoil;

struct Reference {
  float in[11];
  int fs_in;
  int fp;
  int fs_out;
  cd h, v, rx, ry, t;
};

// Values from bessel_reference.py: closed forms in mpmath, and the zone's
// equation of motion integrated numerically.
const Reference kReferences[] = {
#include "side_reference.inc"
};

SideSoil layer(float a0, float nu, float d) {
  SideSoil s;
  s.a0 = a0;
  s.nu = nu;
  s.damping = d;
  s.r = s.rx = s.ry = s.rt = 1.0f;
  return s;
}

SideSoil with_zone(SideSoil s, float modulus, float damping, float thickness) {
  s.zone_modulus = modulus;
  s.zone_damping = damping;
  s.zone_thickness = thickness;
  return s;
}

SideReactions reactions(const SideSoil& s, int fs = 0, int fp = 0) {
  return zrv::SIDIMP(s, fs, fp);
}

bool finite(cf v) { return std::isfinite(v.real()) && std::isfinite(v.imag()); }

constexpr double kPi = 3.14159265358979324;

}  // namespace

TEST(side, reactions_match_the_reference) {
  for (const Reference& r : kReferences) {
    const SideSoil s{r.in[0], r.in[1], r.in[2], r.in[3], r.in[4], r.in[5],
                     r.in[6], r.in[7], r.in[8], r.in[9], r.in[10]};
    SCOPED_TRACE(testing::Message()
                 << "a0 " << s.a0 << " nu " << s.nu << " zone " << s.zone_modulus << "/"
                 << s.zone_thickness << " fs " << r.fs_in << " fp " << r.fp);
    int fs = r.fs_in;
    const SideReactions got = zrv::SIDIMP(s, fs, r.fp);
    EXPECT_EQ(fs, r.fs_out);
    EXPECT_LT(zrv::test::relative_error(got.horizontal, r.h), 2e-6);
    EXPECT_LT(zrv::test::relative_error(got.vertical, r.v), 2e-6);
    EXPECT_LT(zrv::test::relative_error(got.rocking_x, r.rx), 2e-6);
    EXPECT_LT(zrv::test::relative_error(got.rocking_y, r.ry), 2e-6);
    EXPECT_LT(zrv::test::relative_error(got.torsion, r.t), 2e-6);
  }
}

TEST(side, plane_strain_reactions_reach_their_exact_limits) {
  // Rigid rotation of the cylinder: rocking pi and torsion 4 pi at rest.
  const SideReactions low = reactions(layer(1e-4f, 0.3f, 0.0f));
  EXPECT_NEAR(low.rocking_x.real(), kPi, 1e-5 * kPi);
  EXPECT_NEAR(low.rocking_y.real(), kPi, 1e-5 * kPi);
  EXPECT_NEAR(low.torsion.real(), 4.0 * kPi, 1e-5 * 4.0 * kPi);
  // At high frequency the soil radiates as plane waves: a dashpot of
  // pi a0 (1 + Vp/Vs) horizontally and 2 pi a0 vertically.
  for (float nu : {0.25f, 0.4f}) {
    const double vp_over_vs = std::sqrt(2.0 * (1.0 - nu) / (1.0 - 2.0 * nu));
    for (float a0 : {300.0f, 3000.0f}) {
      const SideReactions high = reactions(layer(a0, nu, 0.0f));
      EXPECT_NEAR(high.horizontal.imag() / (kPi * a0 * (1.0 + vp_over_vs)), 1.0, 20.0 / a0);
      EXPECT_NEAR(high.vertical.imag() / (2.0 * kPi * a0), 1.0, 1.0 / a0);
    }
  }
}

TEST(side, zone_equal_to_the_layer_changes_nothing) {
  for (float a0 : {0.1f, 0.5f, 2.0f, 7.0f}) {
    for (float t : {0.1f, 0.5f, 2.0f}) {
      SCOPED_TRACE(testing::Message() << "a0 " << a0 << " t " << t);
      const SideSoil plain = layer(a0, 0.3f, 0.05f);
      const SideReactions base = reactions(plain);
      // Vertical, rocking and torsion: the zone is the layer's own soil.
      const SideReactions same = reactions(with_zone(plain, 1.0f, 0.05f, t));
      EXPECT_LT(zrv::test::relative_error(same.rocking_x, cd(base.rocking_x)), 2e-6);
      EXPECT_LT(zrv::test::relative_error(same.rocking_y, cd(base.rocking_y)), 2e-6);
      EXPECT_LT(zrv::test::relative_error(same.torsion, cd(base.torsion)), 2e-6);
      // The vertical reaction with a zone is not subject to the low-frequency blend.
      if (a0 >= 0.3f) {
        EXPECT_LT(zrv::test::relative_error(same.vertical, cd(base.vertical)), 2e-6);
      }
      // A nearly equal zone is continuous with it.
      const SideReactions near = reactions(with_zone(plain, 0.99999f, 0.05f, t));
      EXPECT_LT(zrv::test::relative_error(near.vertical, cd(same.vertical)), 1e-4);
      EXPECT_LT(zrv::test::relative_error(near.torsion, cd(same.torsion)), 1e-4);
    }
  }
  // The horizontal form treats the zone as a ring with a fixed outer edge in
  // series with the soil outside it, which is exact only as the ring vanishes.
  const SideSoil plain = layer(1.0f, 0.3f, 0.05f);
  const cf base = reactions(plain).horizontal;
  for (float t : {1e-2f, 1e-3f, 1e-4f}) {
    EXPECT_LT(zrv::test::relative_error(reactions(with_zone(plain, 1.0f, 0.05f, t)).horizontal, cd(base)),
              3.0 * t);
  }
}

TEST(side, zone_ignores_the_separate_radii_and_the_compression_cut_off) {
  SideSoil s = with_zone(layer(1.2f, 0.3f, 0.05f), 0.5f, 0.08f, 0.4f);
  const SideReactions base = reactions(s);
  EXPECT_EQ(base.rocking_x, base.rocking_y);
  s.rx = 2.0f;
  s.ry = 3.0f;
  s.rt = 0.5f;
  s.zone_nu = 0.45f;
  const SideReactions other = reactions(s, 0, 1);
  EXPECT_EQ(other.horizontal, base.horizontal);
  EXPECT_EQ(other.vertical, base.vertical);
  EXPECT_EQ(other.rocking_x, base.rocking_x);
  EXPECT_EQ(other.torsion, base.torsion);
}

TEST(side, zero_frequency_and_cut_off_flag) {
  int fs = -1;
  const SideReactions zero = zrv::SIDIMP(layer(0.0f, 0.3f, 0.05f), fs, 1);
  EXPECT_EQ(fs, -1);
  for (cf v : {zero.horizontal, zero.vertical, zero.rocking_x, zero.rocking_y, zero.torsion}) {
    EXPECT_EQ(v, cf(0.0f, 0.0f));
  }
  // The cut-off rule acts once: the flag comes back -1 and a second call with
  // it behaves as without the flag.
  fs = 1;
  const SideReactions first = zrv::SIDIMP(layer(1.5f, 0.3f, 0.05f), fs, 0);
  EXPECT_EQ(fs, -1);
  const SideReactions second = zrv::SIDIMP(layer(1.5f, 0.3f, 0.05f), fs, 0);
  EXPECT_EQ(fs, 0);
  EXPECT_EQ(second.horizontal, reactions(layer(1.5f, 0.3f, 0.05f)).horizontal);
  EXPECT_EQ(first.horizontal.real(), second.horizontal.real());
  // Below the floor the damping tends to material damping alone.
  const cf low = reactions(layer(1e-4f, 0.3f, 0.05f)).horizontal;
  EXPECT_NEAR(low.imag(), 0.05 * low.real(), 1e-3 * low.real());
}

TEST(side, values_stay_finite_across_the_bessel_switch) {
  // The kernels switch method at |z| = 9 (a0 of about 9 without a zone, and of
  // 9 / 1.87 for the compression wave at nu = 0.3).
  for (float a0 = 4.0f; a0 <= 12.5f; a0 += 0.05f) {
    for (const SideSoil& s :
         {layer(a0, 0.3f, 0.05f), with_zone(layer(a0, 0.3f, 0.05f), 0.5f, 0.05f, 0.2f)}) {
      const SideReactions v = reactions(s);
      EXPECT_TRUE(finite(v.horizontal) && finite(v.vertical) && finite(v.rocking_x) &&
                  finite(v.torsion))
          << "a0 " << a0;
    }
  }
  // Far above, K0 and K1 underflow and I0, I1 overflow; their ratios and
  // scaled forms do not. There V = 2 pi (1 + iD) s K1(s)/K0(s) tends to
  // 2 pi (i a0 k + k^2 / 2), k = sqrt(1 + iD), s = i a0 / k.
  for (float d : {0.05f, 0.5f}) {
    const SideReactions v = reactions(with_zone(layer(2e4f, 0.3f, d), 0.5f, d, 0.2f));
    EXPECT_TRUE(finite(v.horizontal) && finite(v.vertical) && finite(v.rocking_x) &&
                finite(v.torsion));
    const cd k = std::sqrt(cd(1.0, d));
    const cd expected = 2.0 * kPi * (cd(0.0, 2e4) * k + 0.5 * k * k);
    EXPECT_LT(zrv::test::relative_error(reactions(layer(2e4f, 0.3f, d)).vertical, expected), 1e-6);
  }
}

TEST(side, zone_without_stiffness_transmits_nothing) {
  const SideReactions v = reactions(with_zone(layer(1.0f, 0.3f, 0.05f), 0.0f, 0.05f, 0.5f));
  for (cf x : {v.horizontal, v.vertical, v.rocking_x, v.rocking_y, v.torsion})
    EXPECT_EQ(x, cf(0.0f, 0.0f));
}

namespace {

using ld = long double;
using cld = std::complex<long double>;

// K0 and K1 of a complex argument of modulus below about 3, by their power
// series about 0.
void bessel_k_series(cld z, cld& k0, cld& k1) {
  const ld euler = 0.577215664901532860606512090082402431L;
  const cld q = z * z / 4.0L;
  const cld log_half = std::log(z / 2.0L);
  cld i0 = 0, i1 = 0, sum0 = 0, sum1 = 0, term0 = 1, term1 = 1;  // q^k/(k!)^2, q^k/(k!(k+1)!)
  ld harmonic = 0;                                                // H_k
  for (int k = 0; k < 60; ++k) {
    if (k > 0) {
      term0 *= q / static_cast<ld>(k * k);
      term1 *= q / static_cast<ld>(k * (k + 1));
      harmonic += 1.0L / k;
    }
    i0 += term0;
    i1 += term1;
    sum0 += term0 * harmonic;
    // psi(k + 1) + psi(k + 2) = 2 H_k + 1 / (k + 1) - 2 euler
    sum1 += term1 * (2.0L * harmonic + 1.0L / (k + 1) - 2.0L * euler);
  }
  i1 *= z / 2.0L;
  k0 = -(log_half + euler) * i0 + sum0;
  k1 = 1.0L / z + log_half * i1 - z / 4.0L * sum1;
}

enum class Zone { vertical, rocking, torsion };

// -u'(1)/u(1) of the zone's radial equation, integrated from the outer radius
// rho inwards in the unknowns u and the flux P (xi m u', torsion
// xi^2 m (u' - u/xi)) with many fourth-order steps in long double, starting
// from the outer soil's solution K0(sigma xi) (vertical) or K1(sigma xi).
cld zone_slope_integrated(Zone motion, cld sigma, ld rho, cld w) {
  const auto m = [&](ld xi) {
    const ld f = (rho - xi) / (rho - 1.0L);
    return 1.0L - w * f * f;
  };
  cld k0, k1;
  bessel_k_series(sigma * rho, k0, k1);
  cld u = motion == Zone::vertical ? k0 : k1;
  const cld du = motion == Zone::vertical ? -sigma * k1 : -sigma * k0 - k1 / rho;
  cld p = motion == Zone::torsion ? rho * rho * (du - u / rho) : rho * du;
  const auto rate = [&](ld xi, cld u, cld p, cld& du_dxi, cld& dp_dxi) {
    const cld s2u = sigma * sigma * u;
    switch (motion) {
      case Zone::vertical:
        du_dxi = p / (xi * m(xi));
        dp_dxi = xi * s2u;
        break;
      case Zone::rocking:
        du_dxi = p / (xi * m(xi));
        dp_dxi = xi * s2u + m(xi) * u / xi;
        break;
      case Zone::torsion:
        du_dxi = p / (xi * xi * m(xi)) + u / xi;
        dp_dxi = xi * xi * s2u;
        break;
    }
  };
  const int steps = 40000;
  const ld h = (1.0L - rho) / steps;
  for (int i = 0; i < steps; ++i) {
    const ld xi = rho + i * h;
    cld a1, b1, a2, b2, a3, b3, a4, b4;
    rate(xi, u, p, a1, b1);
    rate(xi + h / 2, u + h / 2 * a1, p + h / 2 * b1, a2, b2);
    rate(xi + h / 2, u + h / 2 * a2, p + h / 2 * b2, a3, b3);
    rate(xi + h, u + h * a3, p + h * b3, a4, b4);
    u += h / 6 * (a1 + 2.0L * a2 + 2.0L * a3 + a4);
    p += h / 6 * (b1 + 2.0L * b2 + 2.0L * b3 + b4);
  }
  const cld du1 = motion == Zone::torsion ? p / m(1.0L) + u : p / m(1.0L);
  return -du1 / u;
}

}  // namespace

TEST(side, soft_zones_match_the_integrated_equation_of_motion) {
  // Zone 0.3 r thick, shear-modulus ratios down to 0.01: the recurrence's
  // coefficients grow like (sqrt(w) / X)^n while X^n shrinks, and a soft zone
  // needs thousands of terms.
  const float a0 = 1.0f, d = 0.05f, dz = 0.1f, t = 0.3f;
  for (float ratio : {0.3f, 0.05f, 0.01f}) {
    SCOPED_TRACE(ratio);
    const SideReactions got = reactions(with_zone(layer(a0, 0.3f, d), ratio, dz, t));
    const ld rho = 1.0L + t;
    const cld modulus(1.0L, d), zone(ratio, static_cast<ld>(ratio) * dz);
    const cld kappa = std::sqrt(modulus);
    const cld w = 1.0L - zone / modulus;
    const cld sigma = cld(0.0L, a0) / kappa;  // a0 rho above the vertical floor of 0.05
    const ld pi = 3.141592653589793238462643383279502884L;
    const cld v = 2.0L * pi * zone * zone_slope_integrated(Zone::vertical, sigma, rho, w);
    const cld rx = pi * zone * zone_slope_integrated(Zone::rocking, sigma, rho, w);
    const cld tz = 2.0L * pi * zone * (1.0L + zone_slope_integrated(Zone::torsion, sigma, rho, w));
    EXPECT_LT(zrv::test::relative_error(got.vertical, cd(v)), 2e-6);
    EXPECT_LT(zrv::test::relative_error(got.rocking_x, cd(rx)), 2e-6);
    EXPECT_LT(zrv::test::relative_error(got.torsion, cd(tz)), 2e-6);
  }
}
