#include "numerics/symmetric.h"

#include <algorithm>
#include <cmath>

// The factorisation's inner loops are built for the baseline processor and for
// one with 256-bit vectors; the program picks one when it loads. The two give
// the same numbers: every entry sees the same operations in the same order
// (the vectors only hold neighbouring rows), and no multiply-add is contracted
// (the file is compiled with -ffp-contract=off).
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_ADDRESS__)
#define ZRV_WIDE_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define ZRV_WIDE_CLONES
#endif

namespace zrv {

namespace {

using cd = std::complex<double>;

// Columns of one panel of the blocked factorisation.
constexpr int kPanel = 64;
// Rows and columns of the block that the trailing update keeps in registers.
constexpr int kRows = 4;
constexpr int kColumns = 4;
// Rows of the trailing update done together, so that their part of the panel
// stays in the processor's cache while the columns to the right pass by.
constexpr int kChunk = 128;
// Size of the factors (relative to 1 for L, to the largest diagonal entry for
// D) up to which the factorisation without pivoting is taken as it is; beyond
// it the solution must pass a backward-error check.
constexpr double kGrowth = 16.0;

// Gaussian elimination with partial pivoting on the n x n column-major a;
// the nrhs columns of b (leading dimension n) are replaced by the solutions.
bool lu_solve(int n, cd* a, int nrhs, cd* b) {
  for (int k = 0; k < n; ++k) {
    int p = k;
    double big = std::abs(a[k + n * k]);
    for (int i = k + 1; i < n; ++i) {
      const double v = std::abs(a[i + n * k]);
      if (v > big) big = v, p = i;
    }
    if (!(big > 0.0) || !std::isfinite(big)) return false;
    if (p != k) {
      for (int j = 0; j < n; ++j) std::swap(a[k + n * j], a[p + n * j]);
      for (int r = 0; r < nrhs; ++r) std::swap(b[k + n * r], b[p + n * r]);
    }
    const cd inv = 1.0 / a[k + n * k];
    for (int i = k + 1; i < n; ++i) a[i + n * k] *= inv;
    for (int j = k + 1; j < n; ++j) {
      const cd akj = a[k + n * j];
      if (akj == 0.0) continue;
      cd* col = a + n * j;
      const cd* piv = a + n * k;
      for (int i = k + 1; i < n; ++i) col[i] -= piv[i] * akj;
    }
    for (int r = 0; r < nrhs; ++r) {
      const cd bk = b[k + n * r];
      if (bk == 0.0) continue;
      for (int i = k + 1; i < n; ++i) b[i + n * r] -= a[i + n * k] * bk;
    }
  }
  for (int r = 0; r < nrhs; ++r) {
    cd* x = b + n * r;
    for (int k = n - 1; k >= 0; --k) {
      x[k] /= a[k + n * k];
      const cd xk = x[k];
      for (int i = 0; i < k; ++i) x[i] -= a[i + n * k] * xk;
    }
  }
  return true;
}

// Column j of the panel less the panel's columns p < j before it:
// A(i, j) -= L(i, p) d_p L(j, p) for the rows i from `from` (at most j, a
// multiple of kRows) to the leading dimension. Rows above j take values that
// are never read.
ZRV_WIDE_CLONES
void update_in_panel(int rows, const std::ptrdiff_t* base, int from, int j, int k0, double* re,
                     double* im, const double* d_re, const double* d_im) {
  double* cr = re + base[j];
  double* ci = im + base[j];
  for (int p = k0; p < j; ++p) {
    const double* lr = re + base[p];
    const double* li = im + base[p];
    const double s_r = d_re[p] * lr[j] - d_im[p] * li[j];
    const double s_i = d_re[p] * li[j] + d_im[p] * lr[j];
    for (int i = from; i < rows; ++i) {
      cr[i] -= s_r * lr[i] - s_i * li[i];
      ci[i] -= s_r * li[i] + s_i * lr[i];
    }
  }
}

// A(i, j0 + c) -= sum over the panel's columns p of L(i, p) S(p, c), for the
// rows i0 .. i1 - 1 (multiples of kRows) and the kColumns columns from j0.
// pl: the panel's factor L for these rows, packed as kRows real parts then
// kRows imaginary parts per column p; sr, si: S = D L^T for the columns
// updated, kColumns per p. A block of kRows rows and kColumns columns stays
// in local arrays, which the compiler keeps in vector registers.
ZRV_WIDE_CLONES
void update_block(const std::ptrdiff_t* base, int i0, int i1, int j0, int kb, double* re,
                  double* im, const double* pl, const double* sr, const double* si) {
  for (int i = i0; i < i1; i += kRows) {
    double a[kColumns][kRows], b[kColumns][kRows];
    for (int c = 0; c < kColumns; ++c)
      for (int r = 0; r < kRows; ++r) {
        a[c][r] = re[base[j0 + c] + i + r];
        b[c][r] = im[base[j0 + c] + i + r];
      }
    const double* l = pl + static_cast<std::size_t>(i - i0) * 2 * kb;
    for (int p = 0; p < kb; ++p, l += 2 * kRows) {
      for (int c = 0; c < kColumns; ++c) {
        const double s = sr[kColumns * p + c], t = si[kColumns * p + c];
        for (int r = 0; r < kRows; ++r) {
          a[c][r] -= s * l[r] - t * l[kRows + r];
          b[c][r] -= s * l[kRows + r] + t * l[r];
        }
      }
    }
    for (int c = 0; c < kColumns; ++c)
      for (int r = 0; r < kRows; ++r) {
        re[base[j0 + c] + i + r] = a[c][r];
        im[base[j0 + c] + i + r] = b[c][r];
      }
  }
}

// Factors the panel's columns k0 .. k0 + kb - 1 (already updated by the
// panels before): D into w.d_re/d_im, L below the diagonal. False when a pivot
// is not finite or below `tiny` in magnitude; `growth` keeps the largest
// |re| + |im| of L.
bool factor_panel(int n, int k0, int kb, SymmetricWork& w, double tiny, double& growth) {
  double* re = w.re.data();
  double* im = w.im.data();
  const std::ptrdiff_t* base = w.base.data();
  for (int j = k0; j < k0 + kb; ++j) {
    update_in_panel(static_cast<int>(w.ld), base, j - j % kRows, j, k0, re, im, w.d_re.data(),
                    w.d_im.data());
    double* cr = re + base[j];
    double* ci = im + base[j];
    const cd d(cr[j], ci[j]);
    const double size = std::abs(d);
    if (!(size > tiny) || !std::isfinite(size)) return false;
    w.d_re[static_cast<std::size_t>(j)] = d.real();
    w.d_im[static_cast<std::size_t>(j)] = d.imag();
    const cd inv = 1.0 / d;
    for (int i = j + 1; i < n; ++i) {
      const double r = cr[i], m = ci[i];
      cr[i] = r * inv.real() - m * inv.imag();
      ci[i] = r * inv.imag() + m * inv.real();
      growth = std::max(growth, std::fabs(cr[i]) + std::fabs(ci[i]));
    }
  }
  return true;
}

// The columns right of the panel k0 .. k0 + kb - 1 less its part of L D L^T,
// in chunks of rows; in each chunk the panel's rows are packed once.
void update_trailing(int n, int k0, int kb, SymmetricWork& w) {
  double* re = w.re.data();
  double* im = w.im.data();
  const std::ptrdiff_t* base = w.base.data();
  const int first = k0 + kb;
  const int groups = (n - first + kColumns - 1) / kColumns;
  // S = D L^T of every column group, kColumns per panel column.
  std::vector<double>& pack = w.pack;
  const std::size_t s_size = static_cast<std::size_t>(groups) * kColumns * kb;
  pack.resize(2 * s_size + static_cast<std::size_t>(kChunk) * 2 * kb);
  double* sr = pack.data();
  double* si = sr + s_size;
  double* pl = si + s_size;
  for (int g = 0; g < groups; ++g)
    for (int p = 0; p < kb; ++p) {
      const double* lr = re + base[k0 + p];
      const double* li = im + base[k0 + p];
      const double dr = w.d_re[static_cast<std::size_t>(k0 + p)];
      const double di = w.d_im[static_cast<std::size_t>(k0 + p)];
      for (int c = 0; c < kColumns; ++c) {
        const int j = first + kColumns * g + c;
        const double l_r = j < n ? lr[j] : 0.0, l_i = j < n ? li[j] : 0.0;
        const std::size_t at = (static_cast<std::size_t>(g) * kb + p) * kColumns + c;
        sr[at] = dr * l_r - di * l_i;
        si[at] = dr * l_i + di * l_r;
      }
    }
  const int rows = static_cast<int>(w.ld);
  for (int c0 = first; c0 < rows; c0 += kChunk) {
    const int c1 = std::min(c0 + kChunk, rows);
    for (int i = c0; i < c1; i += kRows) {
      double* blk = pl + static_cast<std::size_t>(i - c0) * 2 * kb;
      for (int p = 0; p < kb; ++p)
        for (int r = 0; r < kRows; ++r) {
          blk[2 * kRows * p + r] = re[base[k0 + p] + i + r];
          blk[2 * kRows * p + kRows + r] = im[base[k0 + p] + i + r];
        }
    }
    // Column groups whose lower part reaches into the chunk.
    for (int g = 0; g < groups; ++g) {
      const int j0 = first + kColumns * g;
      if (j0 >= c1) break;
      const int i0 = std::max(c0, j0);
      const std::size_t at = static_cast<std::size_t>(g) * kb * kColumns;
      update_block(base, i0, c1, j0, kb, re, im, pl + static_cast<std::size_t>(i0 - c0) * 2 * kb,
                   sr + at, si + at);
    }
  }
}

// A = L D L^T of the matrix in w, without pivoting, panel by panel.
bool ldlt(int n, SymmetricWork& w, double tiny, double& growth) {
  growth = 0.0;
  w.d_re.assign(static_cast<std::size_t>(n), 0.0);
  w.d_im.assign(static_cast<std::size_t>(n), 0.0);
  for (int k0 = 0; k0 < n; k0 += kPanel) {
    const int kb = std::min(kPanel, n - k0);
    if (!factor_panel(n, k0, kb, w, tiny, growth)) return false;
    if (k0 + kb < n) update_trailing(n, k0, kb, w);
  }
  return true;
}

// Solves L D L^T x = b for the nrhs columns of b (leading dimension n). The
// products are written out in real arithmetic, in the order of the complex
// product, so that the forward loop vectorises.
void ldlt_solve(int n, SymmetricWork& w, int nrhs, cd* b) {
  const std::size_t size = static_cast<std::size_t>(n);
  std::vector<double>& xs = w.pack;
  xs.resize(2 * size);
  double* xr = xs.data();
  double* xi = xr + size;
  for (int r = 0; r < nrhs; ++r) {
    cd* x = b + size * static_cast<std::size_t>(r);
    for (std::size_t i = 0; i < size; ++i) xr[i] = x[i].real(), xi[i] = x[i].imag();
    for (int j = 0; j < n; ++j) {
      const double cr = xr[j], ci = xi[j];
      if (cr == 0.0 && ci == 0.0) continue;
      const double* lr = w.re.data() + w.base[static_cast<std::size_t>(j)];
      const double* li = w.im.data() + w.base[static_cast<std::size_t>(j)];
      for (int i = j + 1; i < n; ++i) {
        xr[i] -= lr[i] * cr - li[i] * ci;
        xi[i] -= lr[i] * ci + li[i] * cr;
      }
    }
    for (std::size_t j = 0; j < size; ++j) {
      const cd q = cd(xr[j], xi[j]) / cd(w.d_re[j], w.d_im[j]);
      xr[j] = q.real();
      xi[j] = q.imag();
    }
    for (int j = n - 1; j >= 0; --j) {
      const double* lr = w.re.data() + w.base[static_cast<std::size_t>(j)];
      const double* li = w.im.data() + w.base[static_cast<std::size_t>(j)];
      double sr = 0.0, si = 0.0;
      for (int i = j + 1; i < n; ++i) {
        sr += lr[i] * xr[i] - li[i] * xi[i];
        si += lr[i] * xi[i] + li[i] * xr[i];
      }
      xr[j] -= sr;
      xi[j] -= si;
    }
    for (std::size_t i = 0; i < size; ++i) x[i] = cd(xr[i], xi[i]);
  }
}

double size_of(cd v) { return std::fabs(v.real()) + std::fabs(v.imag()); }

// Componentwise backward error |b - A x| / (|b| + |A| |x|) of the solution x
// of A x = given, with A's entries formed once more (moduli as |re| + |im|).
double backward_error(int n, const SymmetricEntries& entries, int nrhs, const std::vector<cd>& given,
                      const cd* x) {
  const std::size_t all = given.size();
  std::vector<cd> residual(given);
  std::vector<double> bound(all), size_x(all);
  for (std::size_t k = 0; k < all; ++k) {
    bound[k] = size_of(given[k]);
    size_x[k] = size_of(x[k]);
  }
  entries([&](int i, int j, cd v) {
    const double size = size_of(v);
    for (int r = 0; r < nrhs; ++r) {
      const std::size_t col = static_cast<std::size_t>(n) * r;
      residual[col + i] -= v * x[col + j];
      bound[col + i] += size * size_x[col + j];
      if (i == j) continue;
      residual[col + j] -= v * x[col + i];
      bound[col + j] += size * size_x[col + i];
    }
  });
  double worst = 0.0;
  for (std::size_t k = 0; k < all; ++k)
    if (bound[k] > 0.0) worst = std::max(worst, size_of(residual[k]) / bound[k]);
  return worst;
}

}  // namespace

void SymmetricWork::prepare(int n) {
  // Rows padded to whole vectors; kColumns spare columns for the last group.
  const std::size_t rows = (static_cast<std::size_t>(n) + kRows - 1) / kRows * kRows;
  const int columns = n + kColumns;
  if (n != order) {
    order = n;
    ld = rows;
    base.resize(static_cast<std::size_t>(columns));
    std::size_t size = 0;
    for (int j = 0; j < columns; ++j) {
      const std::size_t start = std::min(static_cast<std::size_t>(j - j % kRows), rows);
      base[static_cast<std::size_t>(j)] =
          static_cast<std::ptrdiff_t>(size) - static_cast<std::ptrdiff_t>(start);
      size += rows - start;
    }
    // Storage once grown is kept (a thread solves systems of several orders)
    // and is not cleared: every entry of the lower triangle is set by the
    // caller. The rest (the entries above the diagonal in a column's first
    // rows, the padding columns) is only ever read by the update of entries
    // that are never used; only the padding rows, which the update
    // multiplies, must be 0.
    re.reserve(size);
    im.reserve(size);
  }
  for (int j = 0; j < columns; ++j)
    for (std::size_t i = static_cast<std::size_t>(std::max(n, j - j % kRows)); i < ld; ++i) {
      const std::size_t at = static_cast<std::size_t>(base[static_cast<std::size_t>(j)] +
                                                      static_cast<std::ptrdiff_t>(i));
      re[at] = im[at] = 0.0;
    }
}

bool solve_prepared(int n, const SymmetricEntries& entries, int nrhs, cd* b, SymmetricWork& w) {
  double scale = 0.0;
  for (int j = 0; j < n; ++j) {
    const std::size_t at = static_cast<std::size_t>(w.base[static_cast<std::size_t>(j)] + j);
    scale = std::max(scale, std::abs(cd(w.re[at], w.im[at])));
  }
  const std::vector<cd> given(b, b + static_cast<std::size_t>(n) * nrhs);
  double growth = 0.0;
  if (ldlt(n, w, 1e-12 * scale, growth)) {
    ldlt_solve(n, w, nrhs, b);
    // Factors of bounded size (the usual case: interaction factors below 1)
    // keep the backward error at the rounding level; growth without pivoting
    // shows in the backward error.
    double pivots = 0.0;
    for (int j = 0; j < n; ++j)
      pivots = std::max(pivots, std::abs(cd(w.d_re[static_cast<std::size_t>(j)],
                                            w.d_im[static_cast<std::size_t>(j)])));
    if (growth <= kGrowth && pivots <= kGrowth * scale) return true;
    if (backward_error(n, entries, nrhs, given, b) <= 1e-10) return true;
    std::copy(given.begin(), given.end(), b);
  }
  w.a.assign(static_cast<std::size_t>(n) * n, 0.0);
  entries([&](int i, int j, cd v) {
    w.a[i + static_cast<std::size_t>(n) * j] = v;
    w.a[j + static_cast<std::size_t>(n) * i] = v;
  });
  return lu_solve(n, w.a.data(), nrhs, b);
}

bool solve_symmetric(int n, const cd* a, int nrhs, cd* b, SymmetricWork& work) {
  const SymmetricEntries entries = [&](const std::function<void(int, int, cd)>& put) {
    for (int j = 0; j < n; ++j)
      for (int i = j; i < n; ++i) put(i, j, a[i + static_cast<std::size_t>(n) * j]);
  };
  work.prepare(n);
  entries([&work](int i, int j, cd v) { work.set(i, j, v); });
  return solve_prepared(n, entries, nrhs, b, work);
}

}  // namespace zrv
