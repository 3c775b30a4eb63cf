#include "numerics/symmetric.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// The inner loops of the factorisation, the triangular solves and the
// residual are built for the baseline processor and for ones with 256-bit and
// 512-bit vectors; the program picks one when it loads. All give the same
// numbers: every entry sees the same operations in the same order (the
// vectors only hold neighbouring rows, and sums run in fixed lanes), and no
// multiply-add is contracted (the file is compiled with -ffp-contract=off).
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
// Rows of the single-precision block (twice as many fit in a vector); the
// storage's columns start and end on whole blocks of kAlign rows, which serve
// both.
constexpr int kRows = 4;
constexpr int kSingleRows = 8;
constexpr int kAlign = 8;
constexpr int kColumns = 4;
// Rows of the trailing update done together, so that their part of the panel
// stays in the processor's cache while the columns to the right pass by.
constexpr int kChunk = 128;
// Size of the factors (relative to 1 for L, to the largest diagonal entry for
// D) up to which the factorisation without pivoting is taken as it is; beyond
// it the solution must pass a backward-error check.
constexpr double kGrowth = 16.0;

// The larger of a and v, or NaN when v is NaN: once a NaN is met it stays, so
// that a check of the result sees it (std::max would pass it over).
double larger(double a, double v) { return v > a || std::isnan(v) ? v : a; }

bool all_finite(const cd* x, std::size_t count) {
  for (std::size_t k = 0; k < count; ++k)
    if (!std::isfinite(x[k].real()) || !std::isfinite(x[k].imag())) return false;
  return true;
}

// Gaussian elimination with partial pivoting on the n x n column-major a;
// the nrhs columns of b (leading dimension n) are replaced by the solutions.
// False when a pivot vanishes or a solution is not finite.
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
  return all_finite(b, static_cast<std::size_t>(n) * static_cast<std::size_t>(nrhs));
}

// Storage of one factorisation in real type T: the lower triangle (entry
// (i, j) at re[base[j] + i]), the pivots and scratch.
template <typename T>
struct Factors {
  T* re;
  T* im;
  const std::ptrdiff_t* base;
  int ld;
  std::vector<T>& d_re;
  std::vector<T>& d_im;
  std::vector<T>& pack;
};

Factors<double> doubles(SymmetricWork& w) {
  return {w.re.data(), w.im.data(), w.base.data(), static_cast<int>(w.ld), w.d_re, w.d_im, w.pack};
}
Factors<float> singles(SymmetricWork& w) {
  return {w.f_re.data(), w.f_im.data(), w.base.data(), static_cast<int>(w.ld),
          w.f_d_re,      w.f_d_im,      w.f_pack};
}

// Column j of the panel less the panel's columns p < j before it:
// A(i, j) -= L(i, p) d_p L(j, p) for the rows i from `from` (at most j, a
// multiple of the block's rows) to the leading dimension. Rows above j take
// values that are never read.
template <typename T>
__attribute__((always_inline)) inline void in_panel(int rows, const std::ptrdiff_t* base, int from,
                                                    int j, int k0, T* re, T* im, const T* d_re,
                                                    const T* d_im) {
  T* cr = re + base[j];
  T* ci = im + base[j];
  for (int p = k0; p < j; ++p) {
    const T* lr = re + base[p];
    const T* li = im + base[p];
    const T s_r = d_re[p] * lr[j] - d_im[p] * li[j];
    const T s_i = d_re[p] * li[j] + d_im[p] * lr[j];
    for (int i = from; i < rows; ++i) {
      cr[i] -= s_r * lr[i] - s_i * li[i];
      ci[i] -= s_r * li[i] + s_i * lr[i];
    }
  }
}

ZRV_WIDE_CLONES
void update_in_panel(int rows, const std::ptrdiff_t* base, int from, int j, int k0, double* re,
                     double* im, const double* d_re, const double* d_im) {
  in_panel(rows, base, from, j, k0, re, im, d_re, d_im);
}
ZRV_WIDE_CLONES
void update_in_panel(int rows, const std::ptrdiff_t* base, int from, int j, int k0, float* re,
                     float* im, const float* d_re, const float* d_im) {
  in_panel(rows, base, from, j, k0, re, im, d_re, d_im);
}

// A(i, j0 + c) -= sum over the panel's columns p of L(i, p) S(p, c), for the
// rows i0 .. i1 - 1 (multiples of R) and the kColumns columns from j0.
// pl: the panel's factor L for these rows, packed as R real parts then R
// imaginary parts per column p; sr, si: S = D L^T for the columns updated,
// kColumns per p. A block of R rows and kColumns columns stays in local
// arrays, which the compiler keeps in vector registers.
template <typename T, int R>
__attribute__((always_inline)) inline void block(const std::ptrdiff_t* base, int i0, int i1,
                                                 int j0, int kb, T* re, T* im, const T* pl,
                                                 const T* sr, const T* si) {
  for (int i = i0; i < i1; i += R) {
    T a[kColumns][R], b[kColumns][R];
    for (int c = 0; c < kColumns; ++c)
      for (int r = 0; r < R; ++r) {
        a[c][r] = re[base[j0 + c] + i + r];
        b[c][r] = im[base[j0 + c] + i + r];
      }
    const T* l = pl + static_cast<std::size_t>((i - i0) * 2 * kb);
    for (int p = 0; p < kb; ++p, l += 2 * R) {
      for (int c = 0; c < kColumns; ++c) {
        const T s = sr[kColumns * p + c], t = si[kColumns * p + c];
        for (int r = 0; r < R; ++r) {
          a[c][r] -= s * l[r] - t * l[R + r];
          b[c][r] -= s * l[R + r] + t * l[r];
        }
      }
    }
    for (int c = 0; c < kColumns; ++c)
      for (int r = 0; r < R; ++r) {
        re[base[j0 + c] + i + r] = a[c][r];
        im[base[j0 + c] + i + r] = b[c][r];
      }
  }
}

ZRV_WIDE_CLONES
void update_block(const std::ptrdiff_t* base, int i0, int i1, int j0, int kb, double* re,
                  double* im, const double* pl, const double* sr, const double* si) {
  block<double, kRows>(base, i0, i1, j0, kb, re, im, pl, sr, si);
}
#if defined(__GNUC__)
// The same with the block's rows held in one vector per column, which the
// compiler splits where the processor's vectors are narrower: every lane sees
// the same operations as the loops above.
typedef float Rows8 __attribute__((vector_size(kSingleRows * sizeof(float))));

ZRV_WIDE_CLONES
void update_block(const std::ptrdiff_t* base, int i0, int i1, int j0, int kb, float* re,
                  float* im, const float* pl, const float* sr, const float* si) {
  constexpr int R = kSingleRows;
  for (int i = i0; i < i1; i += R) {
    Rows8 a[kColumns], b[kColumns];
    for (int c = 0; c < kColumns; ++c) {
      std::memcpy(&a[c], re + base[j0 + c] + i, sizeof(Rows8));
      std::memcpy(&b[c], im + base[j0 + c] + i, sizeof(Rows8));
    }
    const float* l = pl + static_cast<std::size_t>((i - i0) * 2 * kb);
    for (int p = 0; p < kb; ++p, l += 2 * R) {
      Rows8 lr, li;
      std::memcpy(&lr, l, sizeof lr);
      std::memcpy(&li, l + R, sizeof li);
      for (int c = 0; c < kColumns; ++c) {
        const float s = sr[kColumns * p + c], t = si[kColumns * p + c];
        a[c] -= s * lr - t * li;
        b[c] -= s * li + t * lr;
      }
    }
    for (int c = 0; c < kColumns; ++c) {
      std::memcpy(re + base[j0 + c] + i, &a[c], sizeof(Rows8));
      std::memcpy(im + base[j0 + c] + i, &b[c], sizeof(Rows8));
    }
  }
}
#else
void update_block(const std::ptrdiff_t* base, int i0, int i1, int j0, int kb, float* re,
                  float* im, const float* pl, const float* sr, const float* si) {
  block<float, kSingleRows>(base, i0, i1, j0, kb, re, im, pl, sr, si);
}
#endif

template <typename T>
constexpr int rows_of() {
  return sizeof(T) == sizeof(float) ? kSingleRows : kRows;
}

// Factors the panel's columns k0 .. k0 + kb - 1 (already updated by the
// panels before): D into f.d_re/d_im, L below the diagonal. False when a pivot
// is not finite or below `tiny` in magnitude; `growth` keeps the largest
// |re| + |im| of L.
template <typename T>
bool factor_panel(int n, int k0, int kb, Factors<T>& f, double tiny, double& growth) {
  using ct = std::complex<T>;
  constexpr int R = rows_of<T>();
  for (int j = k0; j < k0 + kb; ++j) {
    update_in_panel(f.ld, f.base, j - j % R, j, k0, f.re, f.im, f.d_re.data(), f.d_im.data());
    T* cr = f.re + f.base[j];
    T* ci = f.im + f.base[j];
    const ct d(cr[j], ci[j]);
    const double size = std::abs(d);
    if (!(size > tiny) || !std::isfinite(size)) return false;
    f.d_re[static_cast<std::size_t>(j)] = d.real();
    f.d_im[static_cast<std::size_t>(j)] = d.imag();
    const ct inv = T(1) / d;
    for (int i = j + 1; i < n; ++i) {
      const T r = cr[i], m = ci[i];
      cr[i] = r * inv.real() - m * inv.imag();
      ci[i] = r * inv.imag() + m * inv.real();
      growth = std::max(growth, static_cast<double>(std::fabs(cr[i]) + std::fabs(ci[i])));
    }
  }
  return true;
}

// The columns right of the panel k0 .. k0 + kb - 1 less its part of L D L^T,
// in chunks of rows; in each chunk the panel's rows are packed once.
template <typename T>
void update_trailing(int n, int k0, int kb, Factors<T>& f) {
  constexpr int R = rows_of<T>();
  T* re = f.re;
  T* im = f.im;
  const std::ptrdiff_t* base = f.base;
  const int first = k0 + kb;
  const int groups = (n - first + kColumns - 1) / kColumns;
  // S = D L^T of every column group, kColumns per panel column.
  std::vector<T>& pack = f.pack;
  const std::size_t s_size = static_cast<std::size_t>(groups * kColumns * kb);
  pack.resize(2 * s_size + static_cast<std::size_t>(kChunk * 2 * kb));
  T* sr = pack.data();
  T* si = sr + s_size;
  T* pl = si + s_size;
  for (int g = 0; g < groups; ++g)
    for (int p = 0; p < kb; ++p) {
      const T* lr = re + base[k0 + p];
      const T* li = im + base[k0 + p];
      const T dr = f.d_re[static_cast<std::size_t>(k0 + p)];
      const T di = f.d_im[static_cast<std::size_t>(k0 + p)];
      for (int c = 0; c < kColumns; ++c) {
        const int j = first + kColumns * g + c;
        const T l_r = j < n ? lr[j] : T(0), l_i = j < n ? li[j] : T(0);
        const auto at = static_cast<std::size_t>((g * kb + p) * kColumns + c);
        sr[at] = dr * l_r - di * l_i;
        si[at] = dr * l_i + di * l_r;
      }
    }
  const int rows = f.ld;
  for (int c0 = first; c0 < rows; c0 += kChunk) {
    const int c1 = std::min(c0 + kChunk, rows);
    for (int i = c0; i < c1; i += R) {
      T* blk = pl + static_cast<std::size_t>((i - c0) * 2 * kb);
      for (int p = 0; p < kb; ++p)
        for (int r = 0; r < R; ++r) {
          blk[2 * R * p + r] = re[base[k0 + p] + i + r];
          blk[2 * R * p + R + r] = im[base[k0 + p] + i + r];
        }
    }
    // Column groups whose lower part reaches into the chunk, from the first
    // whole block of rows that holds their diagonal.
    for (int g = 0; g < groups; ++g) {
      const int j0 = first + kColumns * g;
      if (j0 >= c1) break;
      const int i0 = std::max(c0, j0 - j0 % R);
      const auto at = static_cast<std::size_t>(g * kb * kColumns);
      update_block(base, i0, c1, j0, kb, re, im, pl + static_cast<std::size_t>((i0 - c0) * 2 * kb),
                   sr + at, si + at);
    }
  }
}

// A = L D L^T of the matrix in f, without pivoting, panel by panel.
template <typename T>
bool ldlt(int n, Factors<T> f, double tiny, double& growth) {
  growth = 0.0;
  f.d_re.assign(static_cast<std::size_t>(n), T(0));
  f.d_im.assign(static_cast<std::size_t>(n), T(0));
  for (int k0 = 0; k0 < n; k0 += kPanel) {
    const int kb = std::min(kPanel, n - k0);
    if (!factor_panel(n, k0, kb, f, tiny, growth)) return false;
    if (k0 + kb < n) update_trailing(n, k0, kb, f);
  }
  return true;
}

// Lanes of the partial sums of a dot product. Each lane adds every kLanes-th
// term in a fixed order and the lanes are added in a fixed order, so the sum
// is the same whatever vectors the processor has, and the lanes vectorise.
constexpr int kLanes = 8;

// sum over i in [from, to) of (ar + i ai)(xr + i xi) at i, added to (sr, si).
template <typename T>
__attribute__((always_inline)) inline void dot(int from, int to, const T* ar, const T* ai,
                                               const T* xr, const T* xi, T& sr, T& si) {
  T lr[kLanes] = {}, li[kLanes] = {};
  int i = from;
  for (; i + kLanes <= to; i += kLanes)
    for (int r = 0; r < kLanes; ++r) {
      lr[r] += ar[i + r] * xr[i + r] - ai[i + r] * xi[i + r];
      li[r] += ar[i + r] * xi[i + r] + ai[i + r] * xr[i + r];
    }
  for (int r = 0; i < to; ++i, ++r) {
    lr[r] += ar[i] * xr[i] - ai[i] * xi[i];
    li[r] += ar[i] * xi[i] + ai[i] * xr[i];
  }
  for (int r = 0; r < kLanes; ++r) sr += lr[r], si += li[r];
}

// Solves L D L^T x = b for nrhs right-hand sides, column c with real parts at
// xr + c * n and imaginary parts at xi + c * n, which the solutions replace.
// Each column of L is read once per sweep for all right-hand sides. The
// products are written out in real arithmetic so that the loops vectorise.
template <typename T>
__attribute__((always_inline)) inline void solve_columns(int n, const Factors<T>& f, int nrhs,
                                                         T* xr, T* xi) {
  using ct = std::complex<T>;
  const std::size_t size = static_cast<std::size_t>(n);
  for (int j = 0; j < n; ++j) {
    const T* lr = f.re + f.base[j];
    const T* li = f.im + f.base[j];
    for (int c = 0; c < nrhs; ++c) {
      T* pr = xr + size * static_cast<std::size_t>(c);
      T* pi = xi + size * static_cast<std::size_t>(c);
      const T cr = pr[j], ci = pi[j];
      if (cr == T(0) && ci == T(0)) continue;
      for (int i = j + 1; i < n; ++i) {
        pr[i] -= lr[i] * cr - li[i] * ci;
        pi[i] -= lr[i] * ci + li[i] * cr;
      }
    }
  }
  for (std::size_t k = 0; k < size * static_cast<std::size_t>(nrhs); ++k) {
    const std::size_t j = k % size;
    const ct q = ct(xr[k], xi[k]) / ct(f.d_re[j], f.d_im[j]);
    xr[k] = q.real();
    xi[k] = q.imag();
  }
  for (int j = n - 1; j >= 0; --j) {
    const T* lr = f.re + f.base[j];
    const T* li = f.im + f.base[j];
    for (int c = 0; c < nrhs; ++c) {
      T* pr = xr + size * static_cast<std::size_t>(c);
      T* pi = xi + size * static_cast<std::size_t>(c);
      T sr = 0, si = 0;
      dot(j + 1, n, lr, li, pr, pi, sr, si);
      pr[j] -= sr;
      pi[j] -= si;
    }
  }
}

ZRV_WIDE_CLONES
void ldlt_solve_columns(int n, const Factors<float>& f, int nrhs, float* xr, float* xi) {
  solve_columns(n, f, nrhs, xr, xi);
}
ZRV_WIDE_CLONES
void ldlt_solve_columns(int n, const Factors<double>& f, int nrhs, double* xr, double* xi) {
  solve_columns(n, f, nrhs, xr, xi);
}

// The same in double precision for the nrhs columns of b (leading dimension n).
void ldlt_solve(int n, SymmetricWork& w, int nrhs, cd* b) {
  const std::size_t all = static_cast<std::size_t>(n) * static_cast<std::size_t>(nrhs);
  std::vector<double>& xs = w.pack;
  xs.resize(2 * all);
  double* xr = xs.data();
  double* xi = xr + all;
  for (std::size_t k = 0; k < all; ++k) xr[k] = b[k].real(), xi[k] = b[k].imag();
  ldlt_solve_columns(n, doubles(w), nrhs, xr, xi);
  for (std::size_t k = 0; k < all; ++k) b[k] = cd(xr[k], xi[k]);
}

double size_of(cd v) { return std::fabs(v.real()) + std::fabs(v.imag()); }

// Componentwise backward error |b - A x| / (|b| + |A| |x|) of the solution x
// of A x = given, with A's entries formed once more (moduli as |re| + |im|).
// NaN when a value is not finite, which fails any bound.
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
    const auto ui = static_cast<std::size_t>(i), uj = static_cast<std::size_t>(j);
    for (int r = 0; r < nrhs; ++r) {
      const auto col = static_cast<std::size_t>(n * r);
      residual[col + ui] -= v * x[col + uj];
      bound[col + ui] += size * size_x[col + uj];
      if (i == j) continue;
      residual[col + uj] -= v * x[col + ui];
      bound[col + uj] += size * size_x[col + ui];
    }
  });
  double worst = 0.0;
  for (std::size_t k = 0; k < all; ++k) {
    // A row without residual adds nothing (its bound may be 0); a value that
    // is not finite makes the residual NaN or infinite.
    const double r = size_of(residual[k]);
    if (r != 0.0) worst = larger(worst, r / bound[k]);
  }
  return worst;
}

// r -= A x for the nrhs columns of x and r (leading dimension n, real and
// imaginary parts apart), with A the double-precision lower triangle in w:
// column j of the triangle gives both A(i, j) x_j and, by symmetry, A(j, i) x_i
// for the rows i below j, in one pass.
ZRV_WIDE_CLONES
void subtract_product(int n, const SymmetricWork& w, int nrhs, const double* xr, const double* xi,
                      double* rr, double* ri) {
  for (int j = 0; j < n; ++j) {
    const double* ar = w.re.data() + w.base[static_cast<std::size_t>(j)];
    const double* ai = w.im.data() + w.base[static_cast<std::size_t>(j)];
    for (int c = 0; c < nrhs; ++c) {
      const std::size_t col = static_cast<std::size_t>(n) * static_cast<std::size_t>(c);
      const double* pr = xr + col;
      const double* pi = xi + col;
      double* qr = rr + col;
      double* qi = ri + col;
      const double vr = pr[j], vi = pi[j];
      for (int i = j + 1; i < n; ++i) {
        qr[i] -= ar[i] * vr - ai[i] * vi;
        qi[i] -= ar[i] * vi + ai[i] * vr;
      }
      double sr = ar[j] * vr - ai[j] * vi, si = ar[j] * vi + ai[j] * vr;
      dot(j + 1, n, ar, ai, pr, pi, sr, si);
      qr[j] -= sr;
      qi[j] -= si;
    }
  }
}

// Solves A x = b with the factors in single precision, refined with residuals
// formed in double precision from the entries in w, until every correction is
// below kSettled of its solution, or stall below kFloor. The corrections of a
// column shrink by a steady factor (about the condition number times the
// single-precision rounding); once two of them show it, a column whose next
// correction would be below kSettled is settled without forming it. Each
// residual is scaled to its largest entry before it is rounded to single
// precision. False (b untouched) when a pivot vanishes, a residual or a
// correction is not finite, or the corrections do not shrink fast enough or do
// not settle within kSteps.
constexpr int kSteps = 8;
constexpr double kSettled = 1e-12;
constexpr double kFloor = 1e-9;
bool refined_solve(int n, SymmetricWork& w, double scale, int nrhs, cd* b) {
  const std::size_t size = static_cast<std::size_t>(n);
  const std::size_t all = size * static_cast<std::size_t>(nrhs);
  // The copy covers the padding too: its rows are 0, the rest is never used.
  std::copy(w.re.data(), w.re.data() + w.stored, w.f_re.data());
  std::copy(w.im.data(), w.im.data() + w.stored, w.f_im.data());
  double growth = 0.0;
  if (!ldlt(n, singles(w), 1e-6 * scale, growth)) return false;
  std::vector<double> x(4 * all, 0.0);
  double* xr = x.data();
  double* xi = xr + all;
  double* rr = xi + all;
  double* ri = rr + all;
  for (std::size_t k = 0; k < all; ++k) rr[k] = b[k].real(), ri[k] = b[k].imag();
  std::vector<float> d(2 * all);
  float* dr = d.data();
  float* di = dr + all;
  std::vector<double> bigs(static_cast<std::size_t>(nrhs));
  std::vector<double> last(static_cast<std::size_t>(nrhs), 0.0);  // each column's last change
  double before = 0.0;
  for (int step = 0; step < kSteps; ++step) {
    bool settled = true;
    double change = 0.0;
    for (int c = 0; c < nrhs; ++c) {
      const std::size_t col = size * static_cast<std::size_t>(c);
      double big = 0.0;
      for (std::size_t i = col; i < col + size; ++i)
        big = std::max(big, std::fabs(rr[i]) + std::fabs(ri[i]));
      if (!std::isfinite(big)) return false;
      bigs[static_cast<std::size_t>(c)] = big;
      for (std::size_t i = col; i < col + size; ++i) {
        dr[i] = big > 0.0 ? static_cast<float>(rr[i] / big) : 0.0f;
        di[i] = big > 0.0 ? static_cast<float>(ri[i] / big) : 0.0f;
      }
    }
    ldlt_solve_columns(n, singles(w), nrhs, dr, di);
    for (int c = 0; c < nrhs; ++c) {
      const double big = bigs[static_cast<std::size_t>(c)];
      if (!(big > 0.0)) continue;
      const std::size_t col = size * static_cast<std::size_t>(c);
      double dx = 0.0, xs = 0.0;
      for (std::size_t i = col; i < col + size; ++i) {
        xr[i] += big * static_cast<double>(dr[i]);
        xi[i] += big * static_cast<double>(di[i]);
        dx = std::max(dx, big * (std::fabs(static_cast<double>(dr[i])) +
                                 std::fabs(static_cast<double>(di[i]))));
        // A NaN anywhere (in a residual or a correction) reaches the solution.
        xs = larger(xs, std::fabs(xr[i]) + std::fabs(xi[i]));
      }
      if (!std::isfinite(dx) || !std::isfinite(xs)) return false;
      const double now = xs > 0.0 ? dx / xs : dx;
      double& prior = last[static_cast<std::size_t>(c)];
      const double rate = step >= 2 && prior > 0.0 ? now / prior : 1.0;
      if (dx > kSettled * xs && !(rate <= 0.25 && rate * now <= kSettled)) settled = false;
      prior = now;
      change = std::max(change, now);
    }
    // Corrections that stop shrinking are the rounding of the double
    // residual: the solution is then as good as a double factorisation's.
    const bool stalled = step > 0 && change > 0.25 * before;
    if (settled || (stalled && before <= kFloor)) {
      for (std::size_t k = 0; k < all; ++k) b[k] = cd(xr[k], xi[k]);
      return true;
    }
    if (stalled) return false;
    before = change;
    for (std::size_t k = 0; k < all; ++k) rr[k] = b[k].real(), ri[k] = b[k].imag();
    subtract_product(n, w, nrhs, xr, xi, rr, ri);
  }
  return false;
}

}  // namespace

void SymmetricWork::prepare(int n) {
  // Rows padded to whole vectors; kColumns spare columns for the last group.
  const std::size_t rows = (static_cast<std::size_t>(n) + kAlign - 1) / kAlign * kAlign;
  const int columns = n + kColumns;
  if (n != order) {
    order = n;
    ld = rows;
    base.resize(static_cast<std::size_t>(columns));
    std::size_t size = 0;
    for (int j = 0; j < columns; ++j) {
      const std::size_t start = std::min(static_cast<std::size_t>(j - j % kAlign), rows);
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
    f_re.reserve(size);
    f_im.reserve(size);
    stored = size;
  }
  for (int j = 0; j < columns; ++j)
    for (std::size_t i = static_cast<std::size_t>(std::max(n, j - j % kAlign)); i < ld; ++i) {
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
  w.path = SymmetricPath::single;
  if (refined_solve(n, w, scale, nrhs, b)) return true;
  const std::vector<cd> given(b, b + static_cast<std::size_t>(n * nrhs));
  double growth = 0.0;
  if (ldlt(n, doubles(w), 1e-12 * scale, growth)) {
    ldlt_solve(n, w, nrhs, b);
    // Factors of bounded size (the usual case: interaction factors below 1)
    // keep the backward error at the rounding level; growth without pivoting
    // shows in the backward error.
    double pivots = 0.0;
    for (int j = 0; j < n; ++j)
      pivots = std::max(pivots, std::abs(cd(w.d_re[static_cast<std::size_t>(j)],
                                            w.d_im[static_cast<std::size_t>(j)])));
    w.path = SymmetricPath::double_bounded;
    // A solution that is not finite is left to the check, which refuses it.
    if (all_finite(b, given.size())) {
      if (growth <= kGrowth && pivots <= kGrowth * scale) return true;
    }
    w.path = SymmetricPath::double_checked;
    if (backward_error(n, entries, nrhs, given, b) <= 1e-10) return true;
    std::copy(given.begin(), given.end(), b);
  }
  w.path = SymmetricPath::pivoting;
  const auto un = static_cast<std::size_t>(n);
  w.a.assign(un * un, 0.0);
  entries([&](int i, int j, cd v) {
    const auto ui = static_cast<std::size_t>(i), uj = static_cast<std::size_t>(j);
    w.a[ui + un * uj] = v;
    w.a[uj + un * ui] = v;
  });
  return lu_solve(n, w.a.data(), nrhs, b);
}

bool solve_symmetric(int n, const cd* a, int nrhs, cd* b, SymmetricWork& work) {
  const SymmetricEntries entries = [&](const std::function<void(int, int, cd)>& put) {
    for (int j = 0; j < n; ++j)
      for (int i = j; i < n; ++i) put(i, j, a[i + static_cast<std::ptrdiff_t>(n) * j]);
  };
  work.prepare(n);
  entries([&work](int i, int j, cd v) { work.set(i, j, v); });
  return solve_prepared(n, entries, nrhs, b, work);
}

}  // namespace zrv
