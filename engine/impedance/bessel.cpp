#include "impedance/bessel.h"

#include <cmath>
#include <limits>

#include "numerics/pi.h"

namespace zrv {
namespace {

using cd = std::complex<double>;

constexpr double kGamma = 0.57721566490153286;
// |z| up to which K0 and K1 come from their power series.
constexpr double kKSeriesLimit = 9.0;
// |z| up to which I0 and I1 come from their power series.
constexpr double kISeriesLimit = 12.0;

struct KPair {
  cd k0;
  cd k1;
};

// K0 and K1 from their power series in t = z/2, 50 terms:
//   K0 = -(ln t + g) + sum_k (H_k - ln t - g) t^(2k) / (k!)^2
//   K1 = 1/z + sum_k [1/2 - k (H_k - ln t - g)] t^(2k-1) / (k!)^2
// with H_k = 1 + 1/2 + ... + 1/k, g = 0.5772156649... (the limit of H_k - ln k)
// and ln the principal logarithm. At |z| <= 9 the fiftieth term is below 1e-60
// of the sum.
KPair k_series(cd z) {
  const cd t = 0.5 * z;
  const cd t2 = t * t;
  const cd log_term = std::log(t) + kGamma;
  cd term = 1.0 / t;      // t^(2k-1)/(k!)^2 after step k
  cd factor = -log_term;  // H_k - ln t - g after step k
  cd s0;
  cd b;
  cd c;
  for (int k = 1; k <= 50; ++k) {
    term *= t2 / static_cast<double>(k * k);
    factor += 1.0 / k;
    const cd product = factor * term;
    s0 += product;
    b += term;
    c += static_cast<double>(k) * product;
  }
  return {-log_term + t * s0, 1.0 / z + 0.5 * b - c};
}

// Sum of a_k / w^k with a_0 = 1 and a_k / w^k = a_(k-1) / w^(k-1) *
// (mu - (2k-1)^2) / (8 k w): the large-argument expansion that belongs to
// order nu with mu = 4 nu^2. The expansion diverges, so it is cut before the
// first term that is not smaller than the one before it.
cd expansion_sum(double mu, cd w) {
  const cd eight_w = 8.0 * w;
  cd term = 1.0;
  cd sum = 1.0;
  double previous = 1.0;
  for (int k = 1; k < 400; ++k) {
    const double odd = 2.0 * k - 1.0;
    const cd next = term * ((mu - odd * odd) / (static_cast<double>(k) * eight_w));
    const double size = std::abs(next);
    if (!(size < previous)) break;
    sum += next;
    term = next;
    previous = size;
    if (size <= 1e-17 * std::abs(sum)) break;
  }
  return sum;
}

// e^z K_nu(z) ~ sqrt(pi/(2z)) sum_k a_k / z^k, for |z| > 9.
cd k_expansion_scaled(double mu, cd z) { return std::sqrt((0.5 * kPi) / z) * expansion_sum(mu, z); }

// I_n(z) = sum_k t^(2k+n) / (k! (k+n)!), t = z/2, summed until the terms no
// longer change the sum.
cd i_series(cd z, int order) {
  const cd t = 0.5 * z;
  const cd t2 = t * t;
  const double half_modulus = std::abs(t);
  cd term = order == 0 ? cd(1.0) : t;
  cd sum = term;
  for (int k = 1; k < 500; ++k) {
    term *= t2 / static_cast<double>(k * (k + order));
    sum += term;
    if (k > half_modulus && std::abs(term) <= 1e-17 * std::abs(sum)) break;
  }
  return sum;
}

// I_n(z) (or e^(-z) I_n(z) when scaled) for |z| > 12 from both exponentials
// of its large-argument form, valid for -pi/2 < arg z < 3pi/2 and used here
// for Im z >= 0:
//   I_n(z) = e^z / sqrt(2 pi z) S(-z) + i (-1)^n / pi K_n(z),
// S the expansion sum and K_n its expansion. Im z < 0 follows by conjugation;
// on the real axis I_n is real and the second term's imaginary residue, which
// is far below the first term there, is dropped.
cd i_expansion(cd z, int order, bool scaled) {
  const bool lower = z.imag() < 0.0;
  const cd upper = lower ? std::conj(z) : z;
  const double mu = 4.0 * order * order;
  const cd second(0.0, (order == 0 ? 1.0 : -1.0) / kPi);
  const cd first = expansion_sum(mu, -upper) / std::sqrt(2.0 * kPi * upper);
  const cd k_scaled = k_expansion_scaled(mu, upper);
  const cd value = scaled ? first + second * k_scaled * std::exp(-2.0 * upper)
                          : std::exp(upper) * first + second * k_scaled * std::exp(-upper);
  if (z.imag() == 0.0) return {value.real(), 0.0};
  return lower ? std::conj(value) : value;
}

// K_n(z), or e^z K_n(z) when scaled.
cd k_value(cd z, int order, bool scaled) {
  if (z == cd(0.0)) return {std::numeric_limits<double>::infinity(), 0.0};
  if (std::abs(z) > kKSeriesLimit) {
    const cd value = k_expansion_scaled(order == 0 ? 0.0 : 4.0, z);
    return scaled ? value : value * std::exp(-z);
  }
  const KPair k = k_series(z);
  const cd value = order == 0 ? k.k0 : k.k1;
  return scaled ? value * std::exp(z) : value;
}

// I_n(z), or e^(-z) I_n(z) when scaled.
cd i_value(cd z, int order, bool scaled) {
  if (std::abs(z) > kISeriesLimit) return i_expansion(z, order, scaled);
  const cd value = i_series(z, order);
  return scaled ? value * std::exp(-z) : value;
}

std::complex<float> to_float(cd value) { return std::complex<float>(value); }

}  // namespace

std::complex<double> bessel_k0(std::complex<double> z) { return k_value(z, 0, false); }
std::complex<double> bessel_k1(std::complex<double> z) { return k_value(z, 1, false); }
std::complex<double> bessel_i0(std::complex<double> z) { return i_value(z, 0, false); }
std::complex<double> bessel_i1(std::complex<double> z) { return i_value(z, 1, false); }
std::complex<double> bessel_k0_scaled(std::complex<double> z) { return k_value(z, 0, true); }
std::complex<double> bessel_k1_scaled(std::complex<double> z) { return k_value(z, 1, true); }
std::complex<double> bessel_i0_scaled(std::complex<double> z) { return i_value(z, 0, true); }
std::complex<double> bessel_i1_scaled(std::complex<double> z) { return i_value(z, 1, true); }
std::complex<double> bessel_k1_over_k0(std::complex<double> z) {
  if (std::abs(z) > kKSeriesLimit) return expansion_sum(4.0, z) / expansion_sum(0.0, z);
  const KPair k = k_series(z);
  return k.k1 / k.k0;
}

std::complex<float> CBESK0(std::complex<float> z) { return to_float(bessel_k0(cd(z))); }
std::complex<float> CBESK1(std::complex<float> z) { return to_float(bessel_k1(cd(z))); }
std::complex<float> CBESI0(std::complex<float> z) { return to_float(bessel_i0(cd(z))); }
std::complex<float> CBESI1(std::complex<float> z) { return to_float(bessel_i1(cd(z))); }

}  // namespace zrv
