#include "impedance/side.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

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

double relative(cf got, cd want) {
  const double size = std::abs(want);
  return size == 0.0 ? std::abs(cd(got)) : std::abs(cd(got) - want) / size;
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
    EXPECT_LT(relative(got.horizontal, r.h), 2e-6);
    EXPECT_LT(relative(got.vertical, r.v), 2e-6);
    EXPECT_LT(relative(got.rocking_x, r.rx), 2e-6);
    EXPECT_LT(relative(got.rocking_y, r.ry), 2e-6);
    EXPECT_LT(relative(got.torsion, r.t), 2e-6);
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
      EXPECT_LT(relative(same.rocking_x, cd(base.rocking_x)), 2e-6);
      EXPECT_LT(relative(same.rocking_y, cd(base.rocking_y)), 2e-6);
      EXPECT_LT(relative(same.torsion, cd(base.torsion)), 2e-6);
      // The vertical reaction with a zone is not subject to the low-frequency blend.
      if (a0 >= 0.3f) {
        EXPECT_LT(relative(same.vertical, cd(base.vertical)), 2e-6);
      }
      // A nearly equal zone is continuous with it.
      const SideReactions near = reactions(with_zone(plain, 0.99999f, 0.05f, t));
      EXPECT_LT(relative(near.vertical, cd(same.vertical)), 1e-4);
      EXPECT_LT(relative(near.torsion, cd(same.torsion)), 1e-4);
    }
  }
  // The horizontal form treats the zone as a ring with a fixed outer edge in
  // series with the soil outside it, which is exact only as the ring vanishes.
  const SideSoil plain = layer(1.0f, 0.3f, 0.05f);
  const cf base = reactions(plain).horizontal;
  for (float t : {1e-2f, 1e-3f, 1e-4f}) {
    EXPECT_LT(relative(reactions(with_zone(plain, 1.0f, 0.05f, t)).horizontal, cd(base)), 3.0 * t);
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
    EXPECT_LT(relative(reactions(layer(2e4f, 0.3f, d)).vertical, expected), 1e-6);
  }
}

TEST(side, zone_without_stiffness_transmits_nothing) {
  const SideReactions v = reactions(with_zone(layer(1.0f, 0.3f, 0.05f), 0.0f, 0.05f, 0.5f));
  for (cf x : {v.horizontal, v.vertical, v.rocking_x, v.rocking_y, v.torsion})
    EXPECT_EQ(x, cf(0.0f, 0.0f));
}
