#pragma once
// Modified Bessel functions of the first kind (I0, I1) and of the second kind
// (K0, K1) of one complex argument, principal branches.
//
// The engine stores the results in single precision; the work is done in
// double. Up to |z| = 9 the K functions are summed from their power series;
// above it from the large-argument expansion, cut at its smallest term. The
// I functions use their power series up to |z| = 12 and the large-argument
// expansion of both exponentials above it, so they stay accurate where the
// series would cancel away.

#include <complex>

namespace zrv {

/// K0(z). z = 0 gives (+inf, 0).
std::complex<float> CBESK0(std::complex<float> z);
/// K1(z). z = 0 gives (+inf, 0).
std::complex<float> CBESK1(std::complex<float> z);
/// I0(z).
std::complex<float> CBESI0(std::complex<float> z);
/// I1(z).
std::complex<float> CBESI1(std::complex<float> z);

/// The same four functions in double, for kernels that work in double.
std::complex<double> bessel_k0(std::complex<double> z);
std::complex<double> bessel_k1(std::complex<double> z);
std::complex<double> bessel_i0(std::complex<double> z);
std::complex<double> bessel_i1(std::complex<double> z);
/// The same scaled against their exponential growth or decay: e^z K(z) and
/// e^(-z) I(z), which stay in range for large Re z.
std::complex<double> bessel_k0_scaled(std::complex<double> z);
std::complex<double> bessel_k1_scaled(std::complex<double> z);
std::complex<double> bessel_i0_scaled(std::complex<double> z);
std::complex<double> bessel_i1_scaled(std::complex<double> z);
/// K1(z) / K0(z), formed without the factor e^(-z) above |z| = 9, so it stays
/// finite where K0 and K1 themselves underflow.
std::complex<double> bessel_k1_over_k0(std::complex<double> z);

}  // namespace zrv
