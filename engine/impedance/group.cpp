#include "impedance/group.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <thread>

#include "impedance/batter.h"
#include "numerics/small.h"
#include "numerics/solvers.h"

namespace zrv {

namespace {

using cf = std::complex<float>;
using cd = std::complex<double>;

float clampf(float v, float lo, float hi) { return std::min(std::max(v, lo), hi); }

// Young's modulus 2 (1 + nu) rho Vs^2 of a soil.
float soil_modulus(const GroupLayer& l, float g) {
  return 2.0f * (1.0f + l.poisson_ratio) * (l.unit_weight / g) * l.shear_velocity *
         l.shear_velocity;
}

// One fitted vertical curve: D - (D - C t) w with D = B (1 + R f r).
struct Curve {
  float b, c, t, f, r, w, rr;
  float value() const {
    const float d = b * (1.0f + rr * f * r);
    return d - (d - c * t) * w;
  }
};

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

// Group matrices of this order and more are solved at once on their own threads.
constexpr int kConcurrentSolves = 300;

// Columns of one panel of the blocked factorisation.
constexpr int kPanel = 32;
// Size of the factors (relative to 1 for L, to the largest diagonal entry for
// D) up to which the factorisation without pivoting is taken as it is; beyond
// it the solution must pass a backward-error check.
constexpr double kGrowth = 16.0;
// Columns updated together by the trailing-update kernel.
constexpr int kColumns = 4;

// A(i, j0 + c) -= sum over the panel's columns p of L(i, p) S(p, c), for the
// rows i from i0 (even) to rows (even) and the kColumns columns from j0. L is
// the factor in the panel's columns (real and imaginary parts apart, leading
// dimension ld), S the panel's scaled rows of the columns updated. Rows above
// the diagonal are updated too; the factorisation never reads them. Two rows
// of four columns are kept in named locals, so that they stay in registers.
void update_columns(std::size_t ld, int i0, int rows, int j0, int k0, int kb, double* re,
                    double* im, const double* sr, const double* si) {
  static_assert(kColumns == 4);
  for (int i = i0; i < rows; i += 2) {
    double* r0 = re + j0 * ld + i;
    double* r1 = r0 + ld;
    double* r2 = r1 + ld;
    double* r3 = r2 + ld;
    double* m0 = im + j0 * ld + i;
    double* m1 = m0 + ld;
    double* m2 = m1 + ld;
    double* m3 = m2 + ld;
    // aCR: real part of column C, row i + R; bCR the imaginary part.
    double a00 = r0[0], a01 = r0[1], a10 = r1[0], a11 = r1[1];
    double a20 = r2[0], a21 = r2[1], a30 = r3[0], a31 = r3[1];
    double b00 = m0[0], b01 = m0[1], b10 = m1[0], b11 = m1[1];
    double b20 = m2[0], b21 = m2[1], b30 = m3[0], b31 = m3[1];
    for (int p = 0; p < kb; ++p) {
      const std::size_t col = (k0 + p) * ld + i;
      const double l0r = re[col], l1r = re[col + 1], l0i = im[col], l1i = im[col + 1];
      const double* s = sr + kColumns * p;
      const double* t = si + kColumns * p;
      a00 -= s[0] * l0r - t[0] * l0i;
      a01 -= s[0] * l1r - t[0] * l1i;
      b00 -= s[0] * l0i + t[0] * l0r;
      b01 -= s[0] * l1i + t[0] * l1r;
      a10 -= s[1] * l0r - t[1] * l0i;
      a11 -= s[1] * l1r - t[1] * l1i;
      b10 -= s[1] * l0i + t[1] * l0r;
      b11 -= s[1] * l1i + t[1] * l1r;
      a20 -= s[2] * l0r - t[2] * l0i;
      a21 -= s[2] * l1r - t[2] * l1i;
      b20 -= s[2] * l0i + t[2] * l0r;
      b21 -= s[2] * l1i + t[2] * l1r;
      a30 -= s[3] * l0r - t[3] * l0i;
      a31 -= s[3] * l1r - t[3] * l1i;
      b30 -= s[3] * l0i + t[3] * l0r;
      b31 -= s[3] * l1i + t[3] * l1r;
    }
    r0[0] = a00, r0[1] = a01, r1[0] = a10, r1[1] = a11;
    r2[0] = a20, r2[1] = a21, r3[0] = a30, r3[1] = a31;
    m0[0] = b00, m0[1] = b01, m1[0] = b10, m1[1] = b11;
    m2[0] = b20, m2[1] = b21, m3[0] = b30, m3[1] = b31;
  }
}

// A = L D L^T of the complex symmetric n x n matrix in w (lower triangle,
// leading dimension ld, even), without pivoting, in panels of kPanel columns.
// L (unit diagonal) replaces the lower triangle, D goes to w.d_re/d_im. False
// when a pivot is not finite or below `tiny` in magnitude. `growth` is the
// largest |re| + |im| of the entries of L.
bool ldlt(int n, std::size_t ld, GroupSolveWork& w, double tiny, double& growth) {
  growth = 0.0;
  double* re = w.re.data();
  double* im = w.im.data();
  w.d_re.assign(static_cast<std::size_t>(n), 0.0);
  w.d_im.assign(static_cast<std::size_t>(n), 0.0);
  double sr[kColumns * kPanel], si[kColumns * kPanel];
  for (int k0 = 0; k0 < n; k0 += kPanel) {
    const int kb = std::min(kPanel, n - k0);
    // The panel, column by column, with the updates of its own columns.
    for (int j = k0; j < k0 + kb; ++j) {
      double* cr = re + j * ld;
      double* ci = im + j * ld;
      for (int p = k0; p < j; ++p) {
        const double* lr = re + p * ld;
        const double* li = im + p * ld;
        const double s_r = w.d_re[p] * lr[j] - w.d_im[p] * li[j];
        const double s_i = w.d_re[p] * li[j] + w.d_im[p] * lr[j];
        for (int i = j; i < n; ++i) {
          cr[i] -= s_r * lr[i] - s_i * li[i];
          ci[i] -= s_r * li[i] + s_i * lr[i];
        }
      }
      const cd d(cr[j], ci[j]);
      const double size = std::abs(d);
      if (!(size > tiny) || !std::isfinite(size)) return false;
      w.d_re[j] = d.real();
      w.d_im[j] = d.imag();
      const cd inv = 1.0 / d;
      for (int i = j + 1; i < n; ++i) {
        const double r = cr[i], m = ci[i];
        cr[i] = r * inv.real() - m * inv.imag();
        ci[i] = r * inv.imag() + m * inv.real();
        growth = std::max(growth, std::fabs(cr[i]) + std::fabs(ci[i]));
      }
    }
    // The columns to the right, kColumns at a time.
    const int rows = static_cast<int>(ld);
    for (int j0 = k0 + kb; j0 < n; j0 += kColumns) {
      for (int p = 0; p < kb; ++p) {
        const double* lr = re + (k0 + p) * ld;
        const double* li = im + (k0 + p) * ld;
        const double dr = w.d_re[k0 + p], di = w.d_im[k0 + p];
        for (int c = 0; c < kColumns; ++c) {
          const int j = j0 + c;
          const double l_r = j < n ? lr[j] : 0.0, l_i = j < n ? li[j] : 0.0;
          sr[kColumns * p + c] = dr * l_r - di * l_i;
          si[kColumns * p + c] = dr * l_i + di * l_r;
        }
      }
      update_columns(ld, j0 - j0 % 2, rows, j0, k0, kb, re, im, sr, si);
    }
  }
  return true;
}

// Solves L D L^T x = b for the nrhs columns of b (leading dimension n).
void ldlt_solve(int n, std::size_t ld, const GroupSolveWork& w, int nrhs, cd* b) {
  const double* re = w.re.data();
  const double* im = w.im.data();
  for (int r = 0; r < nrhs; ++r) {
    cd* x = b + static_cast<std::size_t>(n) * r;
    for (int j = 0; j < n; ++j) {
      const cd xj = x[j];
      if (xj == 0.0) continue;
      for (int i = j + 1; i < n; ++i) x[i] -= cd(re[j * ld + i], im[j * ld + i]) * xj;
    }
    for (int j = 0; j < n; ++j) x[j] /= cd(w.d_re[j], w.d_im[j]);
    for (int j = n - 1; j >= 0; --j) {
      cd sum = 0.0;
      for (int i = j + 1; i < n; ++i) sum += cd(re[j * ld + i], im[j * ld + i]) * x[i];
      x[j] -= sum;
    }
  }
}

// Solves A x = b for the complex symmetric n x n matrix A whose entries
// fill(put) hands to put(i, j, value), each pair once (either order), and the
// nrhs columns of b (leading dimension n), replaced by the solutions. A
// symmetric factorisation without pivoting serves when its pivots keep their
// size and its solution its backward error; otherwise the matrix is formed
// again and solved with row pivoting.
template <class Fill>
bool symmetric_solve(int n, const Fill& fill, int nrhs, cd* b, GroupSolveWork& w) {
  const std::size_t ld = static_cast<std::size_t>(n + n % 2);
  const std::size_t size = ld * (static_cast<std::size_t>(n) + kColumns);
  // Every entry of the lower triangle is filled below. The rest (the upper
  // triangle, the padding row and columns) is only ever read by the update of
  // entries that are never used, so storage of the right size is not cleared
  // again; only the padding row, which the update multiplies, is set to 0.
  if (w.re.size() != size) {
    w.re.assign(size, 0.0);
    w.im.assign(size, 0.0);
  } else if (ld != static_cast<std::size_t>(n)) {
    for (std::size_t j = 0; j < size / ld; ++j) w.re[j * ld + n] = w.im[j * ld + n] = 0.0;
  }
  fill([&](int i, int j, cd v) {
    const std::size_t at = static_cast<std::size_t>(std::max(i, j)) +
                           ld * static_cast<std::size_t>(std::min(i, j));
    w.re[at] = v.real();
    w.im[at] = v.imag();
  });
  double scale = 0.0;
  for (int j = 0; j < n; ++j) {
    const std::size_t at = static_cast<std::size_t>(j) * (ld + 1);
    scale = std::max(scale, std::abs(cd(w.re[at], w.im[at])));
  }
  const std::vector<cd> given(b, b + static_cast<std::size_t>(n) * nrhs);
  double growth = 0.0;
  if (ldlt(n, ld, w, 1e-12 * scale, growth)) {
    ldlt_solve(n, ld, w, nrhs, b);
    // Factors of bounded size (the usual case: interaction factors below 1)
    // keep the backward error at the rounding level.
    double pivots = 0.0;
    for (int j = 0; j < n; ++j) pivots = std::max(pivots, std::abs(cd(w.d_re[j], w.d_im[j])));
    if (growth <= kGrowth && pivots <= kGrowth * scale) return true;
    // Componentwise backward error |b - A x| / (|b| + |A| |x|) from the
    // entries formed once more (moduli as |re| + |im|): growth without
    // pivoting shows here.
    const auto size_of = [](cd v) { return std::fabs(v.real()) + std::fabs(v.imag()); };
    const std::size_t all = given.size();
    std::vector<cd> residual(given);
    std::vector<double> bound(all), size_x(all);
    for (std::size_t k = 0; k < all; ++k) {
      bound[k] = size_of(given[k]);
      size_x[k] = size_of(b[k]);
    }
    fill([&](int i, int j, cd v) {
      const double magnitude = size_of(v);
      for (int r = 0; r < nrhs; ++r) {
        const std::size_t col = static_cast<std::size_t>(n) * r;
        residual[col + i] -= v * b[col + j];
        bound[col + i] += magnitude * size_x[col + j];
        if (i == j) continue;
        residual[col + j] -= v * b[col + i];
        bound[col + j] += magnitude * size_x[col + i];
      }
    });
    double worst = 0.0;
    for (std::size_t k = 0; k < all; ++k)
      if (bound[k] > 0.0) worst = std::max(worst, size_of(residual[k]) / bound[k]);
    if (worst <= 1e-10) return true;
    std::copy(given.begin(), given.end(), b);
  }
  w.a.assign(static_cast<std::size_t>(n) * n, 0.0);
  fill([&](int i, int j, cd v) {
    w.a[i + static_cast<std::size_t>(n) * j] = v;
    w.a[j + static_cast<std::size_t>(n) * i] = v;
  });
  return lu_solve(n, w.a.data(), nrhs, b);
}

cd dot(int n, const cd* u, const cd* v) {
  cd s = 0.0;
  for (int i = 0; i < n; ++i) s += u[i] * v[i];
  return s;
}

bool battered_pile(const GroupInput& in, int p) {
  return in.battered && in.piles[p].batter_angle != 0.0f;
}

// Flexibility entries of one pile used by the group matrices.
struct Flexibility {
  cd xx, yy, zz, xr, yr, rx, ry;  // (1,1) (2,2) (3,3) (1,5) (2,4) (5,5) (4,4)
};

Flexibility record(const cf* f) {
  return {f[0], f[7], f[14], f[0 + 6 * 4], f[1 + 6 * 3], f[4 + 6 * 4], f[3 + 6 * 3]};
}

}  // namespace

bool solve_symmetric(int n, const cd* a, int nrhs, cd* b, GroupSolveWork& work) {
  const auto fill = [&](const auto& put) {
    for (int j = 0; j < n; ++j)
      for (int i = j; i < n; ++i) put(i, j, a[i + static_cast<std::size_t>(n) * j]);
  };
  return symmetric_solve(n, fill, nrhs, b, work);
}

float ALFVER(float s, float l_d, float k_ratio, float eb, float nu, float rb) {
  if (s <= 0.0f) return 1.0f;
  const float l = std::log(s), x = 1.0f / s, xp = std::min(x, 0.3f);
  const float k = std::log10(k_ratio);
  const float e = std::max(std::log10(eb), 0.0f);
  const float r1 = clampf(rb - 1.0f, 0.0f, 1.0f), r2 = clampf(rb - 1.0f, 0.0f, 2.0f);
  const bool far = s > 10.0f;
  const float w1 = std::min(0.4f * e, 1.0f), w2 = std::min(0.5f * e, 1.0f);
  const float f50 = clampf(0.58f * (k - 1.75f), 0.0f, 1.0f);
  const float r50 = 0.37f - (1.51f - 2.81f * xp) * xp;

  auto curve10 = [&] {
    const float u = clampf(3.0f - k, 0.0f, 2.0f);
    Curve c;
    c.b =
        far ? (1.8f - 2.0f * x) * x * (1.0f - (0.465f - 2.7f * x) * u)
            : (0.72f - 0.244f * l) * (1.0f - (0.06f + 0.005f * s - (0.002f * s - 0.105f) * u) * u);
    c.c = far ? 0.0327f * x : 0.123f - 0.052f * l;
    c.t = std::max(1.0f - 0.9f * std::max(k - 2.0f, -1.0f), 0.0f);
    c.f = clampf(0.2f * k + 0.4f, 0.0f, 1.0f);
    c.r = r2;
    c.w = w1;
    c.rr = 1.0f - (3.28f - 5.53f * xp) * xp;
    return c.value();
  };
  auto curve25 = [&] {
    const float u = clampf(3.0f - k, -0.28f, 1.73f);
    Curve c;
    c.b = far ? (3.765f - 10.2f * x) * x * (1.0f - 0.38f * u)
              : (0.712f - 0.19f * l) * (1.0f - (0.255f + 0.0125f * s) * u);
    c.c = far ? (0.29f + 3.8f * x) * x : 0.32f - 0.11f * l;
    c.t = std::max(1.0f - 0.72f * std::max(k - 2.0f, -0.3f), 0.0f);
    c.f = clampf(0.45f * (k - 1.0f), 0.0f, 1.0f);
    c.r = r1;
    c.w = w2;
    c.rr = 0.78f - (3.78f - 6.57f * xp) * xp;
    return c.value();
  };
  auto curve50 = [&] {
    const float u = clampf(3.0f - k, -1.32f, 1.27f);
    Curve c;
    c.b = far ? (4.4f - 15.6f * x) * x * (1.0f - (0.47f - 1.4f * x) * u)
              : (0.638f - 0.154f * l) * (1.0f - (0.14f + 0.019f * s) * u);
    c.c = far ? (1.88f - 3.2f * x) * x : 0.511f - 0.154f * l;
    const float b = clampf(k - 2.0f, -0.14f, 1.0f);
    float t = far ? 1.0f - 0.5f * b : 1.0f - (0.65f - 0.015f * s) * b;
    if (k > 3.0f) t *= 4.0f - k;
    c.t = std::max(t, 0.0f);
    c.f = f50;
    c.r = r1;
    c.w = w2;
    c.rr = r50;
    return c.value();
  };
  auto curve100 = [&] {
    const float u = clampf(3.0f - k, -1.3f, 1.0f);
    Curve c;
    c.b = far ? (4.63f - 19.4f * x) * x *
                    (1.0f - ((0.658f - 2.46f * x) - (0.076f + 0.84f * x) * u) * u)
              : (0.522f - 0.11f * l) *
                    (1.0f - ((0.092f + 0.032f * s) - (0.195f - 0.0035f * s) * u) * u);
    c.c = far ? (2.04f - 2.8f * x) * x : 0.57f - 0.171f * l;
    const float b = clampf(k - 2.0f, -0.3f, 1.0f);
    float t = far ? 1.0f - 0.07f * b : 1.0f - (0.31f - 0.024f * s) * b;
    if (k > 3.0f) t *= (4.2f - k) / 1.2f;
    c.t = std::max(t, 0.0f);
    c.f = f50;
    c.r = r1;
    c.w = w2;
    c.rr = r50;
    return c.value();
  };

  float alpha;
  if (l_d <= 10.0f) {
    alpha = curve10();
  } else if (l_d <= 25.0f) {
    const float a = curve10(), b = curve25();
    alpha = a + (b - a) * (l_d - 10.0f) / 15.0f;
  } else if (l_d <= 50.0f) {
    const float a = curve25(), b = curve50();
    alpha = a + (b - a) * (l_d - 25.0f) / 25.0f;
  } else if (l_d < 100.0f) {
    const float a = curve50(), b = curve100();
    alpha = a + (b - a) * (l_d - 50.0f) / 50.0f;
  } else {
    alpha = curve100();
  }
  return alpha * (1.0f + (std::sqrt(s) - 1.0f) * (0.5f - nu) * 0.16f);
}

std::array<float, 3> ALFLAT(float s, float kl, float beta, float lf) {
  std::array<float, 3> out{1.0f, 1.0f, 1.0f};
  if (s == 0.0f) return out;
  static constexpr float p[3][2] = {{0.095f, 0.134f}, {0.163f, 0.25f}, {0.202f, 0.271f}};
  static constexpr float q[3][2] = {{0.725f, 0.838f}, {1.095f, 1.315f}, {1.24f, 1.42f}};
  static constexpr float m[3][2] = {{0.41f, 0.203f}, {0.174f, 0.05f}, {0.067f, 0.02f}};
  const float x = 1.0f / s;
  const float c2 = std::cos(beta) * std::cos(beta), s2 = std::sin(beta) * std::sin(beta);
  for (int c = 0; c < 3; ++c) {
    float a[2];
    for (int d = 0; d < 2; ++d) {
      if (c == 0 && x < 0.2f)
        a[d] = m[c][d] * std::pow(kl, p[c][d]) * std::pow(0.2f, q[c][d]) * x / 0.2f;
      else
        a[d] = m[c][d] * std::pow(kl, p[c][d]) * std::pow(x, q[c][d]);
    }
    out[c] = c2 * a[0] + s2 * a[1];
    if (lf != 0.0f) out[c] *= 1.0f - 0.125f * lf;
  }
  return out;
}

float TABINT(float y2, float y5, float y10, float x) {
  if (x <= 5.0f) return y2 + (y5 - y2) * (x - 2.0f) / 3.0f;
  return y5 + (y10 - y5) * (x - 5.0f) / 5.0f;
}

std::complex<float> DYNVER(float a0, float s, float alpha_static) {
  const float a = std::min(a0, 1.0f);
  float amp;
  if (s <= 10.0f)
    amp = TABINT(std::exp(0.24f * a * a - 0.42f * a), std::exp(0.35f * a * a - 0.74f * a),
                 std::exp(-0.5f * a), s);
  else
    amp = std::exp(-0.05f * s * a);
  float phi;
  if (a <= 0.25f)
    phi =
        TABINT(3.786f * a - 5.2f * a * a, 7.2f * a - 5.54f * a * a, 12.29f * a - 3.31f * a * a, s);
  else
    phi = TABINT(0.6215f + 1.7f * (a - 0.25f), 1.45375f + 4.7f * (a - 0.25f),
                 2.865625f + 9.78f * (a - 0.25f), s);
  const float delta = a0 - a;
  amp *= std::exp(-0.05f * s * delta);
  phi = phi - 0.0936f + s * delta;
  return {alpha_static * amp * std::cos(phi), -alpha_static * amp * std::sin(phi)};
}

std::array<std::complex<float>, 3> DYNLAT(float a0, float s, float beta, const LateralStatic& st) {
  const float a = std::min(a0, 1.0f), sc = std::min(s, 10.0f), delta = a0 - a;
  const float a2 = a * a, a3 = a2 * a, a4 = a3 * a;
  // Amplitude at S = 2, 5, 10 per factor and direction.
  const float amp[3][2][3] = {
      {{1.0f + 0.424f * a - 0.362f * a2, 1.0f + 0.135f * a + 0.495f * a2 - 0.878f * a3,
        1.0f - 0.876f * a + 2.23f * a2 - 2.13f * a3},
       {1.0f + 0.442f * a - 0.144f * a2, 1.0f - 0.84f * a + 4.725f * a2 - 3.125f * a3,
        1.0f - 0.84f * a + 4.725f * a2 - 3.125f * a3}},
      {{1.0f + 0.16f * a + 5.45f * a2 - 10.54f * a3 + 5.35f * a4,
        1.0f - 0.11f * a + 11.55f * a2 - 20.84f * a3 + 10.0f * a4,
        1.0f + 0.53f * a + 14.99f * a2 - 23.69f * a3 + 8.22f * a4},
       {1.0f + 0.098f * a + 7.95f * a2 - 13.95f * a3 + 6.71f * a4,
        1.0f + 1.47f * a + 8.73f * a2 - 6.89f * a3, 1.0f - 1.56f * a + 27.63f * a2 - 20.57f * a3}},
      {{1.0f - 0.055f * a + 4.995f * a2 - 8.835f * a3 + 4.22f * a4,
        1.0f - 0.19f * a + 12.48f * a2 - 22.9f * a3 + 11.19f * a4,
        1.0f + 1.785f * a + 4.16f * a2 - 5.21f * a3},
       {1.0f + 0.69f * a + 5.48f * a2 - 9.82f * a3 + 4.42f * a4,
        1.0f + 0.572f * a + 13.12f * a2 - 12.82f * a3 + 2.46f * a4,
        1.0f - 2.14f * a + 25.3f * a2 - 17.35f * a3}}};
  const bool low = a <= 0.25f;
  const float e = a - 0.25f;
  const float phase[3][2][3] = {
      {{1.082f * a, 2.9f * a,
        a < 0.6f ? 5.54f * a
                 : (a <= 0.9f ? 3.324f + 6.571f * (a - 0.6f) : 5.2953f + 0.867f * (a - 0.9f))},
       {1.976f * a, 4.886f * a, a <= 0.5f ? 9.934f * a : 4.967f + 9.244f * (a - 0.5f)}},
      {{0.078f * a + 1.554f * a2 - 0.57f * a3, 0.565f * a + 4.203f * a2 - 1.92f * a3,
        1.798f * a + 6.913f * a2 - 3.027f * a3},
       {low ? 0.12f * a + 2.62f * a2 : 0.19375f + 2.21f * e,
        low ? 0.83f * a + 9.56f * a2 : 0.805f + 5.5f * e,
        low ? 0.85f * a + 28.4f * a2 : 1.9875f + 9.77f * e}},
      {{-0.037f * a + 1.846f * a2 - 0.77f * a3, 0.112f * a + 5.025f * a2 - 2.481f * a3,
        0.352f * a + 8.583f * a2 - 3.72f * a3},
       {low ? 2.67f * a2 : 0.166875f + 2.29f * e,
        low ? 0.34f * a + 8.03f * a2 : 0.586875f + 5.69f * e,
        low ? -0.52f * a + 27.24f * a2 : 1.5725f + 10.17f * e}}};
  constexpr float q[2] = {0.028f, 0.05f}, kk[2] = {0.554f, 1.0f};
  constexpr float c[3] = {0.0757f, 0.05157f, 0.02596f};
  const float c2 = std::cos(beta) * std::cos(beta), s2 = std::sin(beta) * std::sin(beta);
  std::array<cf, 3> out;
  for (int f = 0; f < 3; ++f) {
    cf dir[2];
    for (int d = 0; d < 2; ++d) {
      float am = TABINT(amp[f][d][0], amp[f][d][1], amp[f][d][2], sc);
      float ph = TABINT(phase[f][d][0], phase[f][d][1], phase[f][d][2], s);
      am *= std::exp(-q[d] * s * delta);
      ph = ph - c[f] + kk[d] * s * delta;
      if (f == 0) am *= std::exp(-q[d] * (s - sc) * a);
      dir[d] = cf(st[f][d] * am * std::cos(ph), -st[f][d] * am * std::sin(ph));
    }
    out[f] = c2 * dir[0] + s2 * dir[1];
  }
  return out;
}

GroupStatus GRPSTA(const GroupInput& in, GroupTables& out) {
  const int n = static_cast<int>(in.piles.size());
  const int nl = in.layer_count;
  if (n < 1 || n > kGroupMaxPiles || nl < 1 || nl > kGroupMaxLayers) return GroupStatus::kPileCount;
  if (!(in.radius > 0.0f) || !(in.length > 0.0f) || !(in.youngs_modulus > 0.0f) ||
      !(in.gravity > 0.0f))
    return GroupStatus::kDiameter;
  const float pi = std::acos(-1.0f);
  const float g = in.gravity;
  out = GroupTables{};
  out.n = n;
  out.x.resize(n);
  out.y.resize(n);
  for (int p = 0; p < n; ++p) {
    out.x[p] = in.piles[p].x;
    out.y[p] = in.piles[p].y;
    const auto& ang = in.piles[p].axis_angles;
    if (in.battered && ang[8] != 0.0f) {
      out.x[p] += std::tan(pi * ang[0] / 180.0f) * in.length / 3.0f;
      out.y[p] += std::tan(pi * ang[4] / 180.0f) * in.length / 3.0f;
    }
  }

  const float d = 2.0f * in.radius;
  out.diameter = d;
  out.tip_velocity = in.layers[nl - 1].shear_velocity;
  if (!(out.tip_velocity > 0.0f)) return GroupStatus::kTipVelocity;
  const float l_d = in.length / d;
  float sum_h = 0.0f, sum_e = 0.0f, sum_nu = 0.0f;
  for (int k = 0; k < nl; ++k) {
    const GroupLayer& l = in.layers[k];
    sum_h += l.thickness;
    sum_e += l.thickness * soil_modulus(l, g);
    sum_nu += l.thickness * l.poisson_ratio;
  }
  const float e_mean = sum_h > 0.0f ? sum_e / sum_h : 0.0f;
  const float nu_mean = sum_h > 0.0f ? sum_nu / sum_h : 0.0f;
  float k_ratio = 1.0e8f, eb_ratio = 1.0e8f;
  if (e_mean != 0.0f) {
    k_ratio = in.youngs_modulus * in.area / (e_mean * pi * d * d / 4.0f);
    eb_ratio = soil_modulus(in.below, g) / e_mean;
  }
  const float e_tip = soil_modulus(in.layers[nl - 1], g);
  const float kl = e_tip != 0.0f ? in.youngs_modulus * (in.inertia_x + in.inertia_y) / 2.0f /
                                       (e_tip * pi * d * d * d * d / 64.0f)
                                 : 1.0e8f;
  const float rb = in.tip_radius / in.radius;
  const float lf = in.layers[0].shear_velocity == 0.0f ? in.layers[0].thickness / d : 0.0f;
  if (1.0f - 0.125f * lf < 0.0f) return GroupStatus::kFreeLength;

  const size_t nn = static_cast<size_t>(n) * n;
  out.spacing.assign(nn, 0.0f);
  out.angle.assign(nn, 0.0f);
  for (auto& t : out.lateral) t.assign(nn, 0.0f);
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j) {
      const float dx = out.x[j] - out.x[i], dy = out.y[j] - out.y[i];
      const float s = std::sqrt(dx * dx + dy * dy) / d;
      if (s == 0.0f) {
        out.pair_i = i;
        out.pair_j = j;
        return GroupStatus::kCoincident;
      }
      const size_t ij = i + static_cast<size_t>(n) * j, ji = j + static_cast<size_t>(n) * i;
      out.spacing[ji] = s;
      out.spacing[ij] = ALFVER(s, l_d, k_ratio, eb_ratio, nu_mean, rb);
      out.angle[ij] = dx == 0.0f ? pi / 2.0f : std::atan(std::abs(dy) / std::abs(dx));
      out.angle[ji] = dy == 0.0f ? pi / 2.0f : std::atan(std::abs(dx) / std::abs(dy));
      const std::array<float, 3> at0 = ALFLAT(s, kl, 0.0f, lf);
      const std::array<float, 3> at90 = ALFLAT(s, kl, pi / 2.0f, lf);
      for (int c = 0; c < 3; ++c) {
        out.lateral[c][ij] = at0[c];
        out.lateral[c][ji] = at90[c];
      }
    }
  return GroupStatus::kGroupOk;
}

GroupStatus GRPDYN(const GroupInput& in, const GroupTables& tables, const cf* z, float omega, cf* g,
                   GroupWork& work) {
  const int n = static_cast<int>(in.piles.size());
  if (n < 1 || n > kGroupMaxPiles) return GroupStatus::kPileCount;
  const float h = in.cap_height;

  // Impedance of every pile in the global axes.
  std::vector<std::array<cf, 36>>& own = work.own;
  own.resize(n);
  for (int p = 0; p < n; ++p) {
    if (battered_pile(in, p)) {
      BatterAngles angles;
      std::copy(in.piles[p].axis_angles.begin(), in.piles[p].axis_angles.end(), angles.angle);
      BATTRN(angles, z, own[p].data());
    } else {
      std::copy(z, z + 36, own[p].begin());
    }
  }

  if (!in.interaction || n == 1) {
    cd sum[36] = {};
    for (int p = 0; p < n; ++p) {
      float t[36];
      cf moved[36];
      rigid_offset(in.piles[p].x, in.piles[p].y, h, t);
      CTRAN6(own[p].data(), t, moved, 6);
      for (int i = 0; i < 36; ++i) sum[i] += cd(moved[i]);
    }
    for (int i = 0; i < 36; ++i) g[i] = cf(sum[i]);
    return GroupStatus::kGroupOk;
  }

  if (tables.n != n) return GroupStatus::kPileCount;
  cf f[36];
  std::copy(z, z + 36, f);
  if (!CMINV(f, 6, 6)) return GroupStatus::kSingular;
  const Flexibility common = record(f);
  std::vector<Flexibility> rec(n, common);
  for (int p = 0; p < n; ++p)
    if (battered_pile(in, p)) {
      cf fb[36];
      std::copy(own[p].begin(), own[p].end(), fb);
      if (!CMINV(fb, 6, 6)) return GroupStatus::kSingular;
      rec[p] = record(fb);
    }

  const bool dynamic = omega > 10.0f;
  const float a0 = omega * tables.diameter / tables.tip_velocity;
  auto at = [&](const std::vector<float>& t, int i, int j) {
    return t[i + static_cast<size_t>(n) * j];
  };

  std::vector<cd> xs(n), ys(n);
  for (int p = 0; p < n; ++p) xs[p] = in.piles[p].x, ys[p] = in.piles[p].y;

  // Vertical: flexibility Fv, solved for the weights 1, x, y.
  cd kv1, kvx, kvy, kvxx, kvyy, kvxy;
  const auto vertical = [&](GroupSolveWork& w) {
    const auto fill = [&](const auto& put) {
      for (int i = 0; i < n; ++i) {
        put(i, i, rec[i].zz);
        for (int j = i + 1; j < n; ++j) {
          const float s = at(tables.spacing, j, i), av = at(tables.spacing, i, j);
          const cd alpha = dynamic ? cd(DYNVER(a0, s, av)) : cd(av);
          put(i, j, common.zz * alpha);
        }
      }
    };
    std::vector<cd> b(static_cast<size_t>(n) * 3, 0.0);
    for (int i = 0; i < n; ++i) {
      b[i] = 1.0;
      b[i + n] = xs[i];
      b[i + 2 * n] = ys[i];
    }
    std::vector<cd> one(n, 1.0);
    if (!symmetric_solve(n, fill, 3, b.data(), w)) return false;
    kv1 = dot(n, one.data(), b.data());
    kvx = dot(n, xs.data(), b.data());
    kvy = dot(n, ys.data(), b.data());
    kvxx = dot(n, xs.data(), b.data() + n);
    kvyy = dot(n, ys.data(), b.data() + 2 * n);
    kvxy = dot(n, xs.data(), b.data() + 2 * n);
    return true;
  };

  // Lateral, per direction: stiffness sums of translation (kuu), cross
  // (kut), rotation (ktt), and with the torsion weight w (y for x, x for y).
  struct Lateral {
    cd kuu, kut, ktt, wkuu, wwkuu, wkut;
  };
  const int m = in.head_fixed ? 2 * n : n;
  const auto lateral = [&](bool along_x, Lateral& out, GroupSolveWork& w) {
    const std::vector<cd>& wt = along_x ? ys : xs;
    const int step = in.head_fixed ? 2 : 1;
    const cd fuu = along_x ? common.xx : common.yy;
    const cd fut = along_x ? common.xr : common.yr;
    const cd ftt = along_x ? common.rx : common.ry;
    const auto fill = [&](const auto& put) {
      for (int i = 0; i < n; ++i) {
        const Flexibility& r = rec[i];
        const int ui = step * i;
        put(ui, ui, along_x ? r.xx : r.yy);
        if (in.head_fixed) {
          put(ui, ui + 1, along_x ? r.xr : r.yr);
          put(ui + 1, ui + 1, along_x ? r.rx : r.ry);
        }
        for (int j = i + 1; j < n; ++j) {
          const float s = at(tables.spacing, j, i);
          const float beta = along_x ? at(tables.angle, i, j) : at(tables.angle, j, i);
          LateralStatic st;
          for (int c = 0; c < 3; ++c)
            st[c] = {at(tables.lateral[c], i, j), at(tables.lateral[c], j, i)};
          cd alpha[3];
          if (dynamic) {
            const std::array<cf, 3> dyn = DYNLAT(a0, s, beta, st);
            for (int c = 0; c < 3; ++c) alpha[c] = dyn[c];
          } else {
            const float c2 = std::cos(beta) * std::cos(beta),
                        s2 = std::sin(beta) * std::sin(beta);
            for (int c = 0; c < 3; ++c) alpha[c] = c2 * st[c][0] + s2 * st[c][1];
          }
          const int uj = step * j;
          put(ui, uj, fuu * alpha[0]);
          if (in.head_fixed) {
            const cd cross = fut * alpha[1];
            put(ui, uj + 1, cross);
            put(ui + 1, uj, cross);
            put(ui + 1, uj + 1, ftt * alpha[2]);
          }
        }
      }
    };
    // Right-hand sides: unit translation, unit rotation, weighted translation.
    std::vector<cd> eu(m, 0.0), et(m, 0.0), ew(m, 0.0);
    for (int i = 0; i < n; ++i) {
      eu[step * i] = 1.0;
      ew[step * i] = wt[i];
      if (in.head_fixed) et[step * i + 1] = 1.0;
    }
    std::vector<cd> b(static_cast<size_t>(m) * 3);
    std::copy(eu.begin(), eu.end(), b.begin());
    std::copy(et.begin(), et.end(), b.begin() + m);
    std::copy(ew.begin(), ew.end(), b.begin() + 2 * m);
    if (!symmetric_solve(m, fill, 3, b.data(), w)) return false;
    out.kuu = dot(m, eu.data(), b.data());
    out.kut = dot(m, et.data(), b.data());
    out.ktt = dot(m, et.data(), b.data() + m);
    out.wkuu = dot(m, ew.data(), b.data());
    out.wwkuu = dot(m, ew.data(), b.data() + 2 * m);
    out.wkut = dot(m, ew.data(), b.data() + m);
    return true;
  };

  // The three solves are independent; a large group runs them at once.
  Lateral lx, ly;
  bool ok[3] = {false, false, false};
  const auto task = [&](int k) {
    if (k == 0) ok[0] = vertical(work.solve[0]);
    if (k == 1) ok[1] = lateral(true, lx, work.solve[1]);
    if (k == 2) ok[2] = lateral(false, ly, work.solve[2]);
  };
  if (m >= kConcurrentSolves) {
    std::exception_ptr error[2];
    std::thread helpers[2];
    for (int k = 0; k < 2; ++k)
      helpers[k] = std::thread([&, k] {
        try {
          task(k + 1);
        } catch (...) {
          error[k] = std::current_exception();
        }
      });
    task(0);
    for (std::thread& t : helpers) t.join();
    for (const std::exception_ptr& e : error)
      if (e) std::rethrow_exception(e);
  } else {
    for (int k = 0; k < 3; ++k) task(k);
  }
  if (!ok[0] || !ok[1] || !ok[2]) return GroupStatus::kSingular;

  cd ktt = 0.0;
  for (int p = 0; p < n; ++p) ktt += cd(own[p][35]);
  cd r[36] = {};
  auto set = [&](int i, int j, cd v) { r[(i - 1) + 6 * (j - 1)] = v; };
  const double hd = h;
  set(1, 1, lx.kuu);
  set(2, 2, ly.kuu);
  set(3, 3, kv1);
  set(1, 5, lx.kut - hd * lx.kuu);
  set(2, 4, hd * ly.kuu + ly.kut);
  set(3, 4, -kvy);
  set(3, 5, kvx);
  set(4, 5, -kvxy);
  set(4, 4, hd * hd * ly.kuu + ly.ktt + kvyy + 2.0 * hd * ly.kut);
  set(5, 5, hd * hd * lx.kuu + lx.ktt + kvxx - 2.0 * hd * lx.kut);
  set(1, 6, lx.wkuu);
  set(2, 6, -ly.wkuu);
  set(4, 6, -hd * ly.wkuu - ly.wkut);
  set(5, 6, lx.wkut - hd * lx.wkuu);
  set(6, 6, lx.wwkuu + ly.wwkuu + ktt);
  for (int j = 0; j < 6; ++j)
    for (int i = j + 1; i < 6; ++i) r[i + 6 * j] = r[j + 6 * i];
  for (int i = 0; i < 36; ++i) {
    g[i] = cf(r[i]);
    if (!std::isfinite(g[i].real()) || !std::isfinite(g[i].imag())) return GroupStatus::kSingular;
  }
  return GroupStatus::kGroupOk;
}

}  // namespace zrv
