#include "impedance/bessel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>

#include "expect.h"

namespace {

using cd = std::complex<double>;
using cf = std::complex<float>;

struct Reference {
  cf z;
  cd k0;
  cd k1;
  cd i0;
  cd i1;
};

// Values from bessel_reference.py (mpmath at 30 digits).
const Reference kReferences[] = {
#include "bessel_reference.inc"
};

}  // namespace

TEST(bessel, single_precision_values_match_the_reference_within_1e_5) {
  // Covers both sides of the switch from series to expansion at |z| = 9 for
  // K and at |z| = 12 for I, the imaginary axis, and moduli up to 40.
  for (const Reference& r : kReferences) {
    SCOPED_TRACE(testing::Message() << "z = " << r.z);
    EXPECT_LT(zrv::test::relative_error(zrv::CBESK0(r.z), r.k0), 1e-5);
    EXPECT_LT(zrv::test::relative_error(zrv::CBESK1(r.z), r.k1), 1e-5);
    EXPECT_LT(zrv::test::relative_error(zrv::CBESI0(r.z), r.i0), 1e-5);
    EXPECT_LT(zrv::test::relative_error(zrv::CBESI1(r.z), r.i1), 1e-5);
  }
}

TEST(bessel, double_values_satisfy_the_cross_product_identity_and_conjugate_symmetry) {
  // I0 K1 + I1 K0 = 1/z ties the four functions together at any argument.
  for (double angle = -80.0; angle <= 90.0; angle += 10.0) {
    for (double modulus = 0.25; modulus < 60.0; modulus *= 1.31) {
      const cd z = std::polar(modulus, angle * 3.14159265358979324 / 180.0);
      SCOPED_TRACE(testing::Message() << "z = " << z);
      const cd product =
          z * (zrv::bessel_i0(z) * zrv::bessel_k1(z) + zrv::bessel_i1(z) * zrv::bessel_k0(z));
      EXPECT_LT(std::abs(product - 1.0), 1e-7);
      EXPECT_EQ(zrv::bessel_k0(std::conj(z)), std::conj(zrv::bessel_k0(z)));
      EXPECT_EQ(zrv::bessel_i1(std::conj(z)), std::conj(zrv::bessel_i1(z)));
    }
  }
}

TEST(bessel, ratio_k1_over_k0_stays_finite_where_k_underflows) {
  for (const Reference& r : kReferences) {
    const cd ratio = zrv::bessel_k1_over_k0(cd(r.z));
    EXPECT_LT(std::abs(ratio - r.k1 / r.k0), 1e-7 * std::abs(r.k1 / r.k0)) << r.z;
  }
  // Far out K0 and K1 underflow; K1/K0 = 1 + 1/(2z) - 1/(8z^2) + O(z^-3).
  for (double angle : {0.0, 45.0, 80.0}) {
    const cd z = std::polar(5000.0, angle * 3.14159265358979324 / 180.0);
    EXPECT_EQ(zrv::bessel_k0(z), cd(0.0)) << z;
    const cd expected = 1.0 + 1.0 / (2.0 * z) - 1.0 / (8.0 * z * z);
    EXPECT_LT(std::abs(zrv::bessel_k1_over_k0(z) - expected), 1e-10) << z;
  }
}

TEST(bessel, scaled_forms_match_the_reference_and_stay_in_range) {
  for (const Reference& r : kReferences) {
    const cd z(r.z);
    SCOPED_TRACE(testing::Message() << "z = " << z);
    EXPECT_LT(std::abs(zrv::bessel_k0_scaled(z) - r.k0 * std::exp(z)),
              1e-7 * std::abs(r.k0 * std::exp(z)));
    EXPECT_LT(std::abs(zrv::bessel_k1_scaled(z) - r.k1 * std::exp(z)),
              1e-7 * std::abs(r.k1 * std::exp(z)));
    EXPECT_LT(std::abs(zrv::bessel_i0_scaled(z) - r.i0 * std::exp(-z)),
              1e-7 * std::abs(r.i0 * std::exp(-z)));
    EXPECT_LT(std::abs(zrv::bessel_i1_scaled(z) - r.i1 * std::exp(-z)),
              1e-7 * std::abs(r.i1 * std::exp(-z)));
  }
  // Where the unscaled functions leave the double range, the cross-product
  // identity holds for the scaled ones: z (I0 K1 + I1 K0) = 1.
  for (double angle : {0.0, 30.0, 60.0, 85.0}) {
    const cd z = std::polar(3000.0, angle * 3.14159265358979324 / 180.0);
    const cd product = z * (zrv::bessel_i0_scaled(z) * zrv::bessel_k1_scaled(z) +
                            zrv::bessel_i1_scaled(z) * zrv::bessel_k0_scaled(z));
    EXPECT_LT(std::abs(product - 1.0), 1e-12) << z;
  }
}

TEST(bessel, zero_argument_gives_the_limits) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(zrv::CBESK0(cf(0.0f)), cf(inf, 0.0f));
  EXPECT_EQ(zrv::CBESK1(cf(0.0f)), cf(inf, 0.0f));
  EXPECT_EQ(zrv::CBESI0(cf(0.0f)), cf(1.0f, 0.0f));
  EXPECT_EQ(zrv::CBESI1(cf(0.0f)), cf(0.0f, 0.0f));
}
