#include "numerics/fft.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "numerics/pi.h"

namespace zrv {
namespace {

using cplx = std::complex<double>;

// Factors of n: square factors first, then the remaining ones, then the square
// factors again in reverse order. Ascending trial divisors 2, 3, 5, 7, 9, ...
std::vector<int> factorise(int n) {
  std::vector<int> squares;
  std::vector<int> others;
  int rem = n;
  for (int f = 2; f <= rem / f; f = (f == 2) ? 3 : f + 2) {
    while (rem % (f * f) == 0) {
      squares.push_back(f);
      rem /= f * f;
    }
  }
  for (int f = 2; f <= rem; f = (f == 2) ? 3 : f + 2) {
    while (rem % f == 0) {
      others.push_back(f);
      rem /= f;
    }
    // A remainder with no divisor up to its square root is itself prime.
    if (f > rem / f && rem > 1) {
      others.push_back(rem);
      rem = 1;
    }
  }
  std::vector<int> list = squares;
  list.insert(list.end(), others.begin(), others.end());
  list.insert(list.end(), squares.rbegin(), squares.rend());
  return list;
}

// Mixed-radix transform by recursive decimation in time.
struct Plan {
  int n = 0;
  std::vector<int> factors;
  std::vector<cplx> root;     // root[e] = exp(+2πi·e/n), e = 0..n−1
  std::vector<cplx> scratch;  // one butterfly's inputs

  // out[0..len) = transform of in[0], in[stride], ..., len = n / (product of
  // the factors before `level`).
  void pass(const cplx* in, std::ptrdiff_t stride, cplx* out, int len, std::size_t level) {
    if (len == 1) {
      out[0] = in[0];
      return;
    }
    const int p = factors[level];
    const int m = len / p;
    // Sub-transforms of the p interleaved subsequences, stored one after another.
    for (int r = 0; r < p; ++r) {
      pass(in + r * stride, stride * p, out + r * m, m, level + 1);
    }
    const auto step = static_cast<std::size_t>(n / len);  // exp(2πi·e/len) = root[e·step]
    const auto pstep = static_cast<std::size_t>(n / p);   // exp(2πi·e/p)   = root[e·pstep]
    cplx* a = scratch.data();
    for (int k = 0; k < m; ++k) {
      // Rotate each sub-transform value by exp(2πi·r·k/len), then a p-point DFT.
      for (int r = 0; r < p; ++r) {
        a[r] = out[r * m + k] * root[static_cast<std::size_t>(r * k) * step];
      }
      if (p == 2) {
        out[k] = a[0] + a[1];
        out[m + k] = a[0] - a[1];
        continue;
      }
      for (int q = 0; q < p; ++q) {
        cplx sum = a[0];
        int e = 0;
        for (int r = 1; r < p; ++r) {
          e += q;  // e = r·q mod p
          if (e >= p) e -= p;
          sum += a[r] * root[static_cast<std::size_t>(e) * pstep];
        }
        out[q * m + k] = sum;
      }
    }
  }
};

}  // namespace

void CMPFFT(std::complex<float>* X, int n, int* L, float* /*W*/) {
  if (n < 2) {
    if (L) L[0] = 1;
    return;
  }
  Plan plan;
  plan.n = n;
  plan.factors = factorise(n);
  if (L) {
    std::size_t i = 0;
    for (int f : plan.factors) L[i++] = f;
    L[i] = 1;
  }

  const auto size = static_cast<std::size_t>(n);
  plan.root.resize(size);
  const double turn = 2.0 * kPi / n;
  for (std::size_t e = 0; e < size; ++e) {
    // Fold the angle into [−π, π] so the cosine and sine see a small argument.
    const double idx = (2 * e <= size) ? double(e) : double(e) - n;
    plan.root[e] = cplx(std::cos(turn * idx), std::sin(turn * idx));
  }
  int largest = 0;
  for (int f : plan.factors) largest = std::max(largest, f);
  plan.scratch.resize(static_cast<std::size_t>(largest));

  std::vector<cplx> in(X, X + n);
  std::vector<cplx> out(size);
  plan.pass(in.data(), 1, out.data(), n, 0);
  for (std::size_t k = 0; k < size; ++k) {
    X[k] = std::complex<float>(static_cast<float>(out[k].real()), static_cast<float>(out[k].imag()));
  }
}

}  // namespace zrv
