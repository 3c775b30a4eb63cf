#include "numerics/small.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

namespace {

using cf = std::complex<float>;
using cd = std::complex<double>;

TEST(nearin, rounds_halves_away_from_zero) {
  EXPECT_EQ(zrv::NEARIN(2.5f), 3);
  EXPECT_EQ(zrv::NEARIN(-2.5f), -3);
  EXPECT_EQ(zrv::NEARIN(1.5f), 2);
  EXPECT_EQ(zrv::NEARIN(0.5f), 1);
  EXPECT_EQ(zrv::NEARIN(-0.5f), -1);
  // The largest float below 0.5: adding 0.5 in float would round up to 1.
  EXPECT_EQ(zrv::NEARIN(0.49999997f), 0);
  EXPECT_EQ(zrv::NEARIN(-0.49999997f), 0);
  EXPECT_EQ(zrv::NEARIN(-0.0f), 0);
  EXPECT_EQ(zrv::NEARIN(29.6f), 30);
  EXPECT_EQ(zrv::NEARIN(30.4999f), 30);
  // Odd integers above 2^23 are exact in float and must stay as they are.
  EXPECT_EQ(zrv::NEARIN(8388609.0f), 8388609);
  EXPECT_EQ(zrv::NEARIN(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(zrv::NEARIN(1e10f), INT_MAX);
  EXPECT_EQ(zrv::NEARIN(-1e10f), INT_MIN);
}

TEST(simpsn, matches_integrals_of_polynomials) {
  EXPECT_FLOAT_EQ(zrv::SIMPSN(std::vector<float>{1, 1, 1}.data(), 3, 1.0f), 2.0f);
  EXPECT_FLOAT_EQ(zrv::SIMPSN(std::vector<float>{1, 1, 1, 1}.data(), 4, 1.0f), 8.0f / 3.0f);

  // Odd counts integrate cubics exactly: p(x) = 2x^3 - 3x^2 + x + 5 over [1, 1 + (n-1)h].
  auto p = [](double x) { return 2 * x * x * x - 3 * x * x + x + 5; };
  auto prim = [](double x) { return 0.5 * x * x * x * x - x * x * x + 0.5 * x * x + 5 * x; };
  for (int n : {3, 5, 11, 101}) {
    const double h = 2.0 / (n - 1);
    std::vector<float> y(n);
    for (int i = 0; i < n; ++i) y[i] = static_cast<float>(p(1 + i * h));
    const double exact = prim(3.0) - prim(1.0);
    EXPECT_NEAR(zrv::SIMPSN(y.data(), n, static_cast<float>(h)), exact, 1e-5 * exact) << n;
  }

  // An even count keeps the weights 1, 4, 2, ..., 4, 2, 1: the odd-count rule over
  // the first n - 1 samples plus h/3 of the last two.
  std::vector<float> y(10);
  for (int i = 0; i < 10; ++i) y[i] = static_cast<float>(p(0.3 * i));
  const float odd = zrv::SIMPSN(y.data(), 9, 0.3f);
  EXPECT_NEAR(zrv::SIMPSN(y.data(), 10, 0.3f), odd + 0.1 * (y[8] + y[9]), 1e-4);

  // Fewer samples than the rule needs.
  EXPECT_FLOAT_EQ(zrv::SIMPSN(std::vector<float>{2, 4}.data(), 2, 0.5f), 1.5f);
  EXPECT_EQ(zrv::SIMPSN(std::vector<float>{2}.data(), 1, 0.5f), 0.0f);
}

// T^T K T in double, written out independently of the kernel.
std::vector<cd> congruence(const std::vector<cf>& k, const float* t) {
  std::vector<cd> r(36);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) {
      cd s = 0;
      for (int a = 0; a < 6; ++a)
        for (int b = 0; b < 6; ++b) s += double(t[a + 6 * i]) * cd(k[a + 6 * b]) * double(t[b + 6 * j]);
      r[i + 6 * j] = s;
    }
  return r;
}

std::vector<cf> random_symmetric(std::mt19937& gen) {
  std::uniform_real_distribution<float> u(-1.0f, 1.0f);
  std::vector<cf> k(36);
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i <= j; ++i) k[i + 6 * j] = k[j + 6 * i] = cf(u(gen), u(gen));
  for (int i = 0; i < 6; ++i) k[i + 6 * i] += cf(4.0f, 0.5f);
  return k;
}

TEST(ctran6, moves_an_impedance_between_reference_points) {
  std::mt19937 gen(7);
  const std::vector<cf> k = random_symmetric(gen);

  // Against T^T K T formed in the test.
  float t[36];
  zrv::rigid_offset(0.7f, -1.3f, 2.1f, t);
  std::vector<cf> r(36);
  zrv::CTRAN6(k.data(), t, r.data());
  const std::vector<cd> ref = congruence(k, t);
  for (int i = 0; i < 36; ++i) EXPECT_LT(std::abs(cd(r[i]) - ref[i]), 1e-5 * (1 + std::abs(ref[i]))) << i;

  // Moving back to the first point restores the matrix.
  float back[36];
  zrv::rigid_offset(-0.7f, 1.3f, -2.1f, back);
  std::vector<cf> k2(36);
  zrv::CTRAN6(r.data(), back, k2.data());
  for (int i = 0; i < 36; ++i) EXPECT_LT(std::abs(k2[i] - k[i]), 1e-5f * (1 + std::abs(k[i]))) << i;

  // The result may overwrite the input.
  std::vector<cf> same = k;
  zrv::CTRAN6(same.data(), t, same.data());
  for (int i = 0; i < 36; ++i) EXPECT_EQ(same[i], r[i]) << i;
}

TEST(ctran6, horizontal_spring_below_the_new_point) {
  // A spring kx acting at the old point, h below the new one: rocking about y
  // gains h^2 kx, and the x-rocking coupling is -h kx.
  const float kx = 3.0e5f, h = 1.5f;
  std::vector<cf> k(36);
  k[0] = cf(kx, 0.2f * kx);
  float t[36];
  zrv::rigid_offset(0.0f, 0.0f, h, t);
  std::vector<cf> r(36);
  zrv::CTRAN6(k.data(), t, r.data());
  EXPECT_FLOAT_EQ(r[0 + 6 * 0].real(), kx);
  EXPECT_FLOAT_EQ(r[4 + 6 * 4].real(), h * h * kx);
  EXPECT_FLOAT_EQ(r[4 + 6 * 4].imag(), h * h * 0.2f * kx);
  EXPECT_FLOAT_EQ(r[0 + 6 * 4].real(), -h * kx);
  EXPECT_FLOAT_EQ(r[4 + 6 * 0].real(), -h * kx);
  EXPECT_EQ(r[3 + 6 * 3], cf(0.0f));
  EXPECT_EQ(r[1 + 6 * 3], cf(0.0f));

  // A vertical spring kz at x = 2 from the new point gives rocking 4 kz and coupling 2 kz.
  std::vector<cf> kv(36);
  kv[2 + 6 * 2] = cf(1000.0f);
  zrv::rigid_offset(2.0f, 0.0f, 0.0f, t);
  zrv::CTRAN6(kv.data(), t, r.data());
  EXPECT_FLOAT_EQ(r[4 + 6 * 4].real(), 4000.0f);
  EXPECT_FLOAT_EQ(r[2 + 6 * 4].real(), 2000.0f);
}

TEST(ctran6, identity_mirrors_the_upper_triangle) {
  std::vector<cf> k(36);
  for (int i = 0; i < 36; ++i) k[i] = cf(float(i), -float(i));
  float t[36];
  zrv::rigid_offset(0, 0, 0, t);
  std::vector<cf> r(36);
  zrv::CTRAN6(k.data(), t, r.data());
  for (int j = 0; j < 6; ++j)
    for (int i = 0; i < 6; ++i) EXPECT_EQ(r[i + 6 * j], k[std::min(i, j) + 6 * std::max(i, j)]);

  // A smaller order touches only its leading block.
  std::vector<cf> r3(36, cf(-7.0f));
  zrv::CTRAN6(k.data(), t, r3.data(), 3);
  EXPECT_EQ(r3[1 + 6 * 0], k[0 + 6 * 1]);
  EXPECT_EQ(r3[3 + 6 * 3], cf(-7.0f));
}

}  // namespace
