#include "numerics/fft.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace {

using cfloat = std::complex<float>;
using cdouble = std::complex<double>;

// The defining sum with the positive exponent, in double, angle reduced exactly
// through the integer product j·k mod n.
std::vector<cdouble> direct_dft(const std::vector<cfloat>& x) {
  const long n = static_cast<long>(x.size());
  std::vector<cdouble> y(x.size());
  for (long k = 0; k < n; ++k) {
    cdouble sum = 0.0;
    for (long j = 0; j < n; ++j) {
      const double angle = 2.0 * std::numbers::pi * double((j * k) % n) / double(n);
      sum += cdouble(x[j]) * std::polar(1.0, angle);
    }
    y[k] = sum;
  }
  return y;
}

// A deterministic, irregular complex sequence.
std::vector<cfloat> sample(int n) {
  std::vector<cfloat> x(n);
  unsigned s = 12345u + unsigned(n);
  for (auto& v : x) {
    s = s * 1103515245u + 12345u;
    const float re = float((s >> 8) % 20001) / 10000.0f - 1.0f;
    s = s * 1103515245u + 12345u;
    const float im = float((s >> 8) % 20001) / 10000.0f - 1.0f;
    v = cfloat(re, im);
  }
  return x;
}

std::vector<int> factor_list(int n) {
  int L[zrv::kFftFactorSpace];
  std::vector<cfloat> x(std::max(n, 1));
  zrv::CMPFFT(x.data(), n, L, nullptr);
  std::vector<int> out;
  for (int i = 0; L[i] != 1; ++i) out.push_back(L[i]);
  return out;
}

}  // namespace

TEST(CMPFFT, AgreesWithDirectSumInDouble) {
  for (int n : {1, 2, 3, 5, 7, 8, 12, 16, 36, 97, 512, 997, 999}) {
    SCOPED_TRACE(n);
    std::vector<cfloat> x = sample(n);
    const std::vector<cdouble> ref = direct_dft(x);
    int L[zrv::kFftFactorSpace];
    zrv::CMPFFT(x.data(), n, L, nullptr);
    double err = 0.0, norm = 0.0;
    for (int k = 0; k < n; ++k) {
      err += std::norm(cdouble(x[k]) - ref[k]);
      norm += std::norm(ref[k]);
    }
    EXPECT_LE(std::sqrt(err / norm), 2e-6);
  }
}

TEST(CMPFFT, DeltaShowsThePositiveExponent) {
  // x(j) = 1 at j = 1 only: X(k) = exp(+2πi·k/n).
  const int n = 12;
  std::vector<cfloat> x(n, 0.0f);
  x[1] = 1.0f;
  zrv::CMPFFT(x.data(), n, nullptr, nullptr);
  for (int k = 0; k < n; ++k) {
    const double angle = 2.0 * std::numbers::pi * k / n;
    EXPECT_NEAR(x[k].real(), std::cos(angle), 1e-6) << k;
    EXPECT_NEAR(x[k].imag(), std::sin(angle), 1e-6) << k;
  }
  // A quarter-turn check that needs no trigonometry: X(3) = +i for n = 12.
  EXPECT_NEAR(x[3].imag(), 1.0f, 1e-6);

  // A constant transforms to n at k = 0 and zero elsewhere.
  std::vector<cfloat> c(7, cfloat(1.0f, -2.0f));
  zrv::CMPFFT(c.data(), 7, nullptr, nullptr);
  EXPECT_NEAR(c[0].real(), 7.0f, 1e-5);
  EXPECT_NEAR(c[0].imag(), -14.0f, 1e-5);
  for (int k = 1; k < 7; ++k) EXPECT_LT(std::abs(c[k]), 1e-5f) << k;
}

TEST(CMPFFT, SingleValueAndRealInput) {
  cfloat one(3.5f, -1.25f);
  int L[zrv::kFftFactorSpace];
  zrv::CMPFFT(&one, 1, L, nullptr);
  EXPECT_EQ(one, cfloat(3.5f, -1.25f));
  EXPECT_EQ(L[0], 1);

  // A real sequence gives X(n − k) = conj X(k), for odd and even n.
  for (int n : {36, 45}) {
    std::vector<cfloat> x = sample(n);
    for (auto& v : x) v = cfloat(v.real(), 0.0f);
    zrv::CMPFFT(x.data(), n, nullptr, nullptr);
    EXPECT_NEAR(x[0].imag(), 0.0f, 1e-5f);
    for (int k = 1; k < n; ++k) {
      EXPECT_NEAR(x[n - k].real(), x[k].real(), 1e-5f) << n << " " << k;
      EXPECT_NEAR(x[n - k].imag(), -x[k].imag(), 1e-5f) << n << " " << k;
    }
  }
}

TEST(CMPFFT, FactorListMirrorsSquareFactors) {
  EXPECT_EQ(factor_list(36), (std::vector<int>{2, 3, 3, 2}));
  EXPECT_EQ(factor_list(512), (std::vector<int>{2, 2, 2, 2, 2, 2, 2, 2, 2}));
  EXPECT_EQ(factor_list(12), (std::vector<int>{2, 3, 2}));
  EXPECT_EQ(factor_list(999), (std::vector<int>{3, 3, 37, 3}));
  EXPECT_EQ(factor_list(997), (std::vector<int>{997}));
  EXPECT_EQ(factor_list(30), (std::vector<int>{2, 3, 5}));
  EXPECT_EQ(factor_list(1), (std::vector<int>{}));
}
