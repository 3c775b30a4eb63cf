#include "numerics/solvers.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zrv {

namespace {

using cf = std::complex<float>;
using cd = std::complex<double>;

bool finite(cf z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }
bool finite(cd z) { return std::isfinite(z.real()) && std::isfinite(z.imag()); }

// Largest of |Re| and |Im| over the n components of x.
float max_part(const cf* x, int n) {
  float m = 0.0f;
  for (int i = 0; i < n; ++i) m = std::max({m, std::fabs(x[i].real()), std::fabs(x[i].imag())});
  return m;
}

int factor(cf* a, int n, int lda, float* w) {
  auto A = [&](int i, int j) -> cf& { return a[i + static_cast<long>(lda) * j]; };
  // Row scales: 1 / largest modulus of the row.
  for (int i = 0; i < n; ++i) {
    float big = 0.0f;
    for (int j = 0; j < n; ++j) {
      const float v = std::abs(A(i, j));
      if (!std::isfinite(v)) return kSolveSingular;
      big = std::max(big, v);
    }
    if (big == 0.0f) return kSolveSingular;
    w[i] = 1.0f / big;
  }
  // Column by column: the entries above the diagonal, then those on and below it.
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < j; ++i) {
      cd sum = A(i, j);
      for (int k = 0; k < i; ++k) sum -= cd(A(i, k)) * cd(A(k, j));
      A(i, j) = cf(sum);
    }
    int pivot = j;
    float big = -1.0f;
    for (int i = j; i < n; ++i) {
      cd sum = A(i, j);
      for (int k = 0; k < j; ++k) sum -= cd(A(i, k)) * cd(A(k, j));
      A(i, j) = cf(sum);
      const float t = w[i] * std::abs(A(i, j));
      if (t > big) {
        big = t;
        pivot = i;
      }
    }
    if (pivot != j) {
      for (int k = 0; k < n; ++k) std::swap(A(pivot, k), A(j, k));
      w[pivot] = w[j];
    }
    w[j] = static_cast<float>(pivot);
    const cf p = A(j, j);
    if (!(std::abs(p) > 0.0f) || !finite(p)) return kSolveSingular;
    for (int i = j + 1; i < n; ++i) A(i, j) /= p;
  }
  return kSolveOk;
}

void substitute(const cf* a, int n, int lda, cf* x, const float* w) {
  auto A = [&](int i, int j) { return a[i + static_cast<long>(lda) * j]; };
  for (int j = 0; j < n; ++j) {
    const int p = static_cast<int>(w[j]);
    if (p != j) std::swap(x[p], x[j]);
  }
  for (int i = 1; i < n; ++i) {
    cd sum = x[i];
    for (int k = 0; k < i; ++k) sum -= cd(A(i, k)) * cd(x[k]);
    x[i] = cf(sum);
  }
  for (int i = n - 1; i >= 0; --i) {
    cd sum = x[i];
    for (int k = i + 1; k < n; ++k) sum -= cd(A(i, k)) * cd(x[k]);
    x[i] = cf(sum / cd(A(i, i)));
  }
}

}  // namespace

int LEQT1C(cf* a, int n, int lda, cf* b, int m, int ldb, int job, float* w) {
  if (n <= 0) return kSolveOk;
  if (job != 2) {
    const int err = factor(a, n, lda, w);
    if (err != kSolveOk || job == 1) return err;
  }
  for (int c = 0; c < m; ++c) substitute(a, n, lda, b + static_cast<long>(ldb) * c, w);
  return kSolveOk;
}

Leq2cResult LEQ2C(const cf* a, int n, int lda, cf* b, int m, int ldb, int job, cf* f, float* w) {
  Leq2cResult out;
  if (n <= 0) return out;
  auto A = [&](int i, int j) { return a[i + static_cast<long>(lda) * j]; };
  if (job != 2) {
    for (int j = 0; j < n; ++j)
      for (int i = 0; i < n; ++i) f[i + static_cast<long>(n) * j] = A(i, j);
    out.err = LEQT1C(f, n, n, nullptr, 0, n, 1, w);
    if (out.err != kSolveOk || job == 1) return out;
  }
  const auto un = static_cast<std::size_t>(n);
  std::vector<cf> x(un), d(un);
  for (int c = 0; c < m; ++c) {
    cf* col = b + static_cast<long>(ldb) * c;
    x.assign(col, col + n);
    LEQT1C(f, n, n, x.data(), 1, n, 2, w);
    const float xnorm = max_part(x.data(), n);
    if (xnorm == 0.0f) continue;
    bool settled = false;
    for (int round = 0; round < 50 && !settled; ++round) {
      // Residual b - A x with A itself, in double.
      for (int i = 0; i < n; ++i) {
        cd r = col[i];
        for (int k = 0; k < n; ++k) r -= cd(A(i, k)) * cd(x[static_cast<std::size_t>(k)]);
        d[static_cast<std::size_t>(i)] = cf(r);
      }
      LEQT1C(f, n, n, d.data(), 1, n, 2, w);
      for (std::size_t i = 0; i < un; ++i) x[i] += d[i];
      const float dnorm = max_part(d.data(), n);
      settled = (xnorm + dnorm == xnorm);
    }
    bool ok = true;
    for (const cf& z : x) ok = ok && finite(z);
    if (!settled || !ok) {
      out.err = kSolveNotSettled;
      out.unsettled.push_back(c + 1);
    }
    if (ok) std::copy(x.begin(), x.end(), col);
  }
  return out;
}

bool CMINV(cf* a, int lda, int n) {
  if (n <= 0) return true;
  const auto un = static_cast<size_t>(n);
  std::vector<cd> m(un * un);
  auto M = [&](int i, int j) -> cd& {
    return m[static_cast<size_t>(i) + un * static_cast<size_t>(j)];
  };
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      M(i, j) = a[i + static_cast<long>(lda) * j];
      if (!finite(M(i, j))) return false;
    }
  // Elimination above and below each pivot in place; the row exchanges become
  // column exchanges of the inverse.
  std::vector<int> perm(un);
  for (int k = 0; k < n; ++k) {
    int piv = k;
    double big = 0.0;
    for (int i = k; i < n; ++i)
      if (std::abs(M(i, k)) > big) {
        big = std::abs(M(i, k));
        piv = i;
      }
    if (!(big > 0.0)) return false;
    perm[static_cast<size_t>(k)] = piv;
    if (piv != k)
      for (int j = 0; j < n; ++j) std::swap(M(k, j), M(piv, j));
    const cd p = M(k, k);
    M(k, k) = 1.0;
    for (int j = 0; j < n; ++j) M(k, j) /= p;
    for (int i = 0; i < n; ++i) {
      if (i == k) continue;
      const cd t = M(i, k);
      M(i, k) = 0.0;
      for (int j = 0; j < n; ++j) M(i, j) -= t * M(k, j);
    }
  }
  for (int k = n - 1; k >= 0; --k)
    if (const int pk = perm[static_cast<size_t>(k)]; pk != k)
      for (int i = 0; i < n; ++i) std::swap(M(i, k), M(i, pk));
  for (const cd& z : m)
    if (!finite(z) || !finite(cf(z))) return false;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) a[i + static_cast<long>(lda) * j] = cf(M(i, j));
  return true;
}

}  // namespace zrv
