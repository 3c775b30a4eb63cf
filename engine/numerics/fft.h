#pragma once
// Complex discrete Fourier transform of any length, in place.

#include <complex>

namespace zrv {

/// Entries that the factor list L of CMPFFT may need: at most 31 factors of a
/// 32-bit length plus the closing 1.
inline constexpr int kFftFactorSpace = 32;

/// X(k) = sum over j of x(j)·exp(+2πi·j·k/n), k, j = 0..n−1, in place, no 1/n.
/// X: n complex values. n < 2 returns at once (X unchanged).
/// L: if not null, receives the factors of n in the order of the passes
///    (square factors, the others, the square factors mirrored), closed by a 1;
///    it must hold kFftFactorSpace entries. For n < 2, L[0] = 1.
/// W: rotation-factor work of the calling convention; the transform keeps its
///    own double-precision rotation factors and does not touch W (may be null).
/// Every length works; the sum is formed in double, so the result is the exact
/// transform rounded to single precision whatever the prime factors of n. The
/// cost grows as n times the sum of the factors (n² for a prime length).
void CMPFFT(std::complex<float>* X, int n, int* L, float* W);

}  // namespace zrv
