#include "impedance/batter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

namespace {

using cf = std::complex<float>;

// Angle rows of a pile battered by t degrees in the XZ or YZ plane.
zrv::BatterAngles battered(bool xz, float t) {
  zrv::BatterAngles b;
  const float xz_rows[9] = {t, 90, 90 + t, 90, 0, 90, 90 - t, 90, t};
  const float yz_rows[9] = {0, 90, 90, 90, t, 90 + t, 90, 90 - t, t};
  for (int i = 0; i < 9; ++i) b.angle[i] = xz ? xz_rows[i] : yz_rows[i];
  return b;
}

TEST(battrn, vertical_pile_keeps_its_impedance) {
  std::vector<cf> z(36);
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i <= j; ++i) z[i + 6 * j] = z[j + 6 * i] = cf(1000.0f + 10 * i + j, 50.0f * (i + 1));
  std::vector<cf> out(36, cf(-1.0f));
  zrv::BATTRN(zrv::BatterAngles{}, z.data(), out.data());
  for (int i = 0; i < 36; ++i) EXPECT_LT(std::abs(out[i] - z[i]), 1e-3f) << i;
}

TEST(battrn, axial_stiffness_follows_the_pile_axis) {
  // A pile that only resists along its own axis (local z) at t degrees from the
  // vertical: globally K = ka n n^T with n the axis direction.
  const float ka = 5.0e6f;
  const double t = 15.0 * std::acos(-1.0) / 180.0, s = std::sin(t), c = std::cos(t);
  std::vector<cf> z(36);
  z[2 + 6 * 2] = cf(ka, 0.1f * ka);
  std::vector<cf> out(36);

  zrv::BATTRN(battered(true, 15.0f), z.data(), out.data());
  EXPECT_NEAR(out[0 + 6 * 0].real(), ka * s * s, 1e-5 * ka);
  EXPECT_NEAR(out[0 + 6 * 2].real(), ka * s * c, 1e-5 * ka);
  EXPECT_NEAR(out[2 + 6 * 0].real(), ka * s * c, 1e-5 * ka);
  EXPECT_NEAR(out[2 + 6 * 2].real(), ka * c * c, 1e-5 * ka);
  EXPECT_NEAR(out[2 + 6 * 2].imag(), 0.1 * ka * c * c, 1e-5 * ka);
  EXPECT_NEAR(std::abs(out[1 + 6 * 1]), 0.0, 1e-5 * ka);

  zrv::BATTRN(battered(false, 15.0f), z.data(), out.data());
  EXPECT_NEAR(out[1 + 6 * 1].real(), ka * s * s, 1e-5 * ka);
  EXPECT_NEAR(out[1 + 6 * 2].real(), ka * s * c, 1e-5 * ka);
  EXPECT_NEAR(out[2 + 6 * 2].real(), ka * c * c, 1e-5 * ka);
  EXPECT_NEAR(std::abs(out[0 + 6 * 0]), 0.0, 1e-5 * ka);

  // A rotation keeps the trace of each 3x3 block.
  for (int i = 0; i < 6; ++i) z[i + 6 * i] = cf(1.0e6f * (i + 1), 1.0e4f * (i + 2));
  zrv::BATTRN(battered(true, 20.0f), z.data(), out.data());
  cf trans = out[0] + out[7] + out[14], rot = out[21] + out[28] + out[35];
  EXPECT_LT(std::abs(trans - (z[0] + z[7] + z[14])), 1.0f);
  EXPECT_LT(std::abs(rot - (z[21] + z[28] + z[35])), 1.0f);
}

TEST(battrn, full_matrix_turns_by_the_direction_cosines) {
  // A full symmetric impedance turned by a pile battered 12 degrees in the YZ
  // plane, against T^T Z T formed in double from the rotation itself.
  const double t = 12.0 * std::acos(-1.0) / 180.0, s = std::sin(t), c = std::cos(t);
  const double r[3][3] = {{1, 0, 0}, {0, c, -s}, {0, s, c}};  // cos of the angle rows
  std::vector<cf> z(36);
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i <= j; ++i)
      z[i + 6 * j] = z[j + 6 * i] =
          cf(1.0e5f * (1 + i + j) + (i == j ? 1.0e6f : 0.0f), 3.0e3f * (i - j + 7));
  std::vector<cf> out(36);
  zrv::BATTRN(battered(false, 12.0f), z.data(), out.data());
  auto tm = [&](int i, int j) { return (i < 3) == (j < 3) ? r[i % 3][j % 3] : 0.0; };
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) {
      std::complex<double> want = 0.0;
      for (int k = 0; k < 6; ++k)
        for (int l = 0; l < 6; ++l)
          want += tm(k, i) * std::complex<double>(z[k + 6 * l]) * tm(l, j);
      EXPECT_LT(std::abs(std::complex<double>(out[i + 6 * j]) - want), 1.0) << i << "," << j;
    }
}

}  // namespace
