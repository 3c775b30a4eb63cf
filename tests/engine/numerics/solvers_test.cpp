#include "numerics/solvers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "numerics/symmetric.h"

namespace {

using cf = std::complex<float>;
using cd = std::complex<double>;

// Column-major n x n matrix with a dominant diagonal, so well conditioned.
std::vector<cf> random_matrix(std::mt19937& gen, int n, int lda) {
  std::uniform_real_distribution<float> u(-1.0f, 1.0f);
  std::vector<cf> a(static_cast<size_t>(lda) * n, cf(99.0f, 99.0f));
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) a[i + lda * j] = cf(u(gen), u(gen)) + (i == j ? cf(0.5f * n, 0.3f) : cf(0));
  return a;
}

// Elimination with partial pivoting in double, written for the test.
template <typename T>
std::vector<cd> solve_double(const std::vector<T>& a, int n, int lda, const std::vector<T>& b, int m, int ldb) {
  std::vector<cd> A(n * n), X(n * m);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) A[i * n + j] = a[i + lda * j];
  for (int c = 0; c < m; ++c)
    for (int i = 0; i < n; ++i) X[i * m + c] = b[i + ldb * c];
  for (int k = 0; k < n; ++k) {
    int p = k;
    for (int i = k + 1; i < n; ++i)
      if (std::abs(A[i * n + k]) > std::abs(A[p * n + k])) p = i;
    for (int j = 0; j < n; ++j) std::swap(A[k * n + j], A[p * n + j]);
    for (int c = 0; c < m; ++c) std::swap(X[k * m + c], X[p * m + c]);
    for (int i = k + 1; i < n; ++i) {
      const cd f = A[i * n + k] / A[k * n + k];
      for (int j = k; j < n; ++j) A[i * n + j] -= f * A[k * n + j];
      for (int c = 0; c < m; ++c) X[i * m + c] -= f * X[k * m + c];
    }
  }
  for (int c = 0; c < m; ++c)
    for (int i = n - 1; i >= 0; --i) {
      cd s = X[i * m + c];
      for (int j = i + 1; j < n; ++j) s -= A[i * n + j] * X[j * m + c];
      X[i * m + c] = s / A[i * n + i];
    }
  std::vector<cd> out(n * m);
  for (int c = 0; c < m; ++c)
    for (int i = 0; i < n; ++i) out[i + n * c] = X[i * m + c];
  return out;
}

TEST(leqt1c, solves_random_systems_like_a_double_solve) {
  std::mt19937 gen(11);
  std::uniform_real_distribution<float> u(-1.0f, 1.0f);
  for (int n : {1, 2, 4, 6, 9}) {
    const int lda = n + 2, ldb = n + 1, m = 3;
    const std::vector<cf> a = random_matrix(gen, n, lda);
    std::vector<cf> b(ldb * m, cf(-5.0f));
    for (int c = 0; c < m; ++c)
      for (int i = 0; i < n; ++i) b[i + ldb * c] = cf(u(gen), u(gen));
    const std::vector<cd> ref = solve_double(a, n, lda, b, m, ldb);

    std::vector<cf> lu = a, x = b;
    std::vector<float> w(n);
    ASSERT_EQ(zrv::LEQT1C(lu.data(), n, lda, x.data(), m, ldb, 0, w.data()), zrv::kSolveOk);
    std::vector<cf> x2 = b;
    std::vector<cf> f(n * n);
    std::vector<float> w2(n);
    const zrv::Leq2cResult res = zrv::LEQ2C(a.data(), n, lda, x2.data(), m, ldb, 0, f.data(), w2.data());
    ASSERT_EQ(res.err, zrv::kSolveOk);
    EXPECT_TRUE(res.unsettled.empty());
    for (int c = 0; c < m; ++c)
      for (int i = 0; i < n; ++i) {
        const cd r = ref[i + n * c];
        EXPECT_LT(std::abs(cd(x[i + ldb * c]) - r), 1e-5 * (1 + std::abs(r))) << n;
        EXPECT_LT(std::abs(cd(x2[i + ldb * c]) - r), 2e-7 * (1 + std::abs(r))) << n;
      }
    // Rows beyond n in the leading dimension are not touched.
    if (n < ldb) {
      EXPECT_EQ(x2[n], cf(-5.0f));
    }

    // A factor kept from job 1 solves a later right-hand side with job 2.
    std::vector<cf> b3(ldb, cf(0));
    b3[0] = cf(1.0f, -2.0f);
    const std::vector<cd> ref3 = solve_double(a, n, lda, b3, 1, ldb);
    std::vector<cf> f3(n * n);
    std::vector<float> w3(n);
    EXPECT_EQ(zrv::LEQ2C(a.data(), n, lda, nullptr, 0, ldb, 1, f3.data(), w3.data()).err, zrv::kSolveOk);
    EXPECT_EQ(zrv::LEQ2C(a.data(), n, lda, b3.data(), 1, ldb, 2, f3.data(), w3.data()).err, zrv::kSolveOk);
    for (int i = 0; i < n; ++i) EXPECT_LT(std::abs(cd(b3[i]) - ref3[i]), 2e-7 * (1 + std::abs(ref3[i])));
  }
}

TEST(leqt1c, exchanges_rows_for_a_zero_diagonal) {
  // [[0, 3, 0], [2, 1, 0], [0, 0, 4i]] x = (3, 3, 4i) has x = (1, 1, 1); the
  // pivot record of the factor serves a later solve.
  std::vector<cf> a = {cf(0), cf(2), cf(0), cf(3), cf(1), cf(0), cf(0), cf(0), cf(0, 4)};
  std::vector<cf> b = {cf(3), cf(3), cf(0, 4)};
  std::vector<float> w(3);
  ASSERT_EQ(zrv::LEQT1C(a.data(), 3, 3, b.data(), 1, 3, 0, w.data()), zrv::kSolveOk);
  for (const cf& x : b) EXPECT_LT(std::abs(x - cf(1)), 1e-6f);
  b = {cf(6), cf(4), cf(0, -8)};  // x = (1, 2, -2)
  ASSERT_EQ(zrv::LEQT1C(a.data(), 3, 3, b.data(), 1, 3, 2, w.data()), zrv::kSolveOk);
  EXPECT_LT(std::abs(b[0] - cf(1)), 1e-6f);
  EXPECT_LT(std::abs(b[1] - cf(2)), 1e-6f);
  EXPECT_LT(std::abs(b[2] - cf(-2)), 1e-6f);
}

TEST(leq2c, identity_and_inverse_by_six_right_hand_sides) {
  std::vector<cf> eye(36), b = {cf(1, 2), cf(-3, 0), cf(0, 0), cf(4.5f, -1), cf(1e-3f, 0), cf(7, 7)};
  for (int i = 0; i < 6; ++i) eye[i * 7] = cf(1.0f);
  std::vector<cf> f(36), x = b;
  std::vector<float> w(6);
  EXPECT_EQ(zrv::LEQ2C(eye.data(), 6, 6, x.data(), 1, 6, 0, f.data(), w.data()).err, zrv::kSolveOk);
  EXPECT_EQ(x, b);

  // Solving with the identity as the right-hand sides gives the inverse.
  std::mt19937 gen(5);
  const std::vector<cf> a = random_matrix(gen, 6, 6);
  std::vector<cf> inv = eye;
  EXPECT_EQ(zrv::LEQ2C(a.data(), 6, 6, inv.data(), 6, 6, 0, f.data(), w.data()).err, zrv::kSolveOk);
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 6; ++j) {
      cd s = 0;
      for (int k = 0; k < 6; ++k) s += cd(a[i + 6 * k]) * cd(inv[k + 6 * j]);
      EXPECT_LT(std::abs(s - (i == j ? 1.0 : 0.0)), 1e-6) << i << "," << j;
    }
}

TEST(leq2c, failures_leave_the_right_hand_side_as_given) {
  std::mt19937 gen(3);
  std::vector<cf> a = random_matrix(gen, 4, 4);
  for (int j = 0; j < 4; ++j) a[2 + 4 * j] = 0.0f;  // row 3 all zero
  const std::vector<cf> b = {cf(1), cf(2), cf(3), cf(4)};
  std::vector<cf> x = b, f(16), lu = a;
  std::vector<float> w(4);
  EXPECT_EQ(zrv::LEQ2C(a.data(), 4, 4, x.data(), 1, 4, 0, f.data(), w.data()).err, zrv::kSolveSingular);
  EXPECT_EQ(x, b);
  EXPECT_EQ(zrv::LEQT1C(lu.data(), 4, 4, x.data(), 1, 4, 0, w.data()), zrv::kSolveSingular);
  EXPECT_EQ(x, b);

  // Singular without a zero row: the second row is twice the first. No
  // infinity or NaN may come out as a solution.
  const std::vector<cf> s = {cf(1), cf(2), cf(2), cf(4)};
  x = {cf(1), cf(1)};
  EXPECT_EQ(zrv::LEQ2C(s.data(), 2, 2, x.data(), 1, 2, 0, f.data(), w.data()).err, zrv::kSolveSingular);
  EXPECT_EQ(x, (std::vector<cf>{cf(1), cf(1)}));

  // A non-finite entry fails the factorisation too.
  std::vector<cf> nan_a = {cf(1), cf(0), cf(0), cf(std::nanf(""), 0)};
  EXPECT_EQ(zrv::LEQ2C(nan_a.data(), 2, 2, x.data(), 1, 2, 0, f.data(), w.data()).err, zrv::kSolveSingular);
}

TEST(leq2c, unsettled_refinement_is_reported_per_column) {
  // The matrix 1 / (i + j - 1) of order 8 is too ill-conditioned for single precision:
  // the refinement cannot settle. Every column is still tried.
  const int n = 8;
  std::vector<cf> a(n * n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) a[i + n * j] = cf(1.0f / (i + j + 1), 0.0f);
  std::vector<cf> b(3 * n);
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) b[i] += a[i + n * j];
  for (int i = 0; i < n; ++i) b[2 * n + i] = b[i];
  std::vector<cf> f(n * n);
  std::vector<float> w(n);
  const zrv::Leq2cResult res = zrv::LEQ2C(a.data(), n, n, b.data(), 3, n, 0, f.data(), w.data());
  EXPECT_EQ(res.err, zrv::kSolveNotSettled);
  EXPECT_EQ(res.unsettled, (std::vector<int>{1, 3}));
  for (int i = 0; i < n; ++i) EXPECT_EQ(b[n + i], cf(0.0f));  // a zero column stays as given
  for (const cf& z : b) EXPECT_TRUE(std::isfinite(z.real()) && std::isfinite(z.imag()));
}

TEST(cminv, inverts_in_place) {
  std::mt19937 gen(19);
  for (int n : {1, 3, 6, 12}) {
    const int lda = n + 1;
    const std::vector<cf> a = random_matrix(gen, n, lda);
    std::vector<cf> inv = a;
    ASSERT_TRUE(zrv::CMINV(inv.data(), lda, n));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j) {
        cd s = 0;
        for (int k = 0; k < n; ++k) s += cd(inv[i + lda * k]) * cd(a[k + lda * j]);
        EXPECT_LT(std::abs(s - (i == j ? 1.0 : 0.0)), 1e-6) << n << ":" << i << "," << j;
      }
    EXPECT_EQ(inv[n], a[n]);  // padding row untouched
  }

  // A zero on the diagonal of a regular matrix needs a row exchange.
  std::vector<cf> p = {cf(0), cf(2), cf(0, 0), cf(3), cf(1), cf(0), cf(0), cf(0), cf(0, 4)};
  ASSERT_TRUE(zrv::CMINV(p.data(), 3, 3));
  const std::vector<cf> expect = {cf(-1.0f / 6), cf(1.0f / 3), cf(0), cf(0.5f), cf(0), cf(0), cf(0), cf(0), cf(0, -0.25f)};
  for (int i = 0; i < 9; ++i) EXPECT_LT(std::abs(p[i] - expect[i]), 1e-7f) << i;

  // A singular matrix is refused and left as it was.
  std::vector<cf> s = {cf(1, 1), cf(2, 2), cf(3), cf(6)};
  const std::vector<cf> s0 = s;
  EXPECT_FALSE(zrv::CMINV(s.data(), 2, 2));
  EXPECT_EQ(s, s0);
}

// The symmetric solver of the pile groups (A = A^T, complex): a factorisation
// without pivoting in single precision refined with double residuals, then
// the same in double precision (its factors taken as they are when they stay
// small, else checked by the backward error), then row pivoting. Each system
// below needs one of these ways; the way taken is part of the result.

using zrv::SymmetricPath;

// A complex symmetric matrix of order n with a dominant diagonal.
std::vector<cd> symmetric_matrix(int n) {
  std::vector<cd> a(static_cast<std::size_t>(n) * n);
  for (int j = 0; j < n; ++j)
    for (int i = j; i < n; ++i) {
      const cd v = i == j ? cd(4.0 + 0.01 * i, 0.3)
                          : cd(std::sin(1.0 + i * 0.7 + j * 1.3), 0.2 * std::cos(i + 2.0 * j)) /
                                (1.0 + std::abs(i - j));
      a[i + static_cast<std::size_t>(n) * j] = a[j + static_cast<std::size_t>(n) * i] = v;
    }
  return a;
}

// rho^|i - j| with a complex rho of modulus 0.86, disturbed a little: well
// conditioned, but every column is coupled to the next few dozen, so the
// factors of one panel change the columns of the next ones a great deal.
std::vector<cd> coupled_matrix(int n) {
  std::vector<cd> a(static_cast<std::size_t>(n) * n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i)
      a[i + static_cast<std::size_t>(n) * j] = std::pow(cd(0.85, 0.1), std::abs(i - j)) +
                                               0.05 * std::sin(0.7 * (i + j)) / (1.0 + std::abs(i - j));
  return a;
}

// L D L^T with L unit lower triangular (entries below 0.6 in modulus) and D of
// order 1 but for the pivot `at`, which is `tiny`: the factors are small, the
// matrix as ill-conditioned as 1 / tiny.
std::vector<cd> factored_matrix(int n, double tiny, int at) {
  const auto size = static_cast<std::size_t>(n);
  std::vector<cd> l(size * size), d(size), a(size * size);
  for (int j = 0; j < n; ++j) {
    d[j] = j == at ? tiny * cd(1.0, 0.5) : cd(1.0 + 0.5 * std::cos(j), 0.2);
    for (int i = j; i < n; ++i)
      l[i + size * j] = i == j ? 1.0 : 0.6 * std::pow(cd(0.8, 0.2), i - j) * std::cos(0.3 * i + j);
  }
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      cd sum = 0.0;
      for (int k = 0; k <= std::min(i, j); ++k) sum += l[i + size * k] * d[k] * l[j + size * k];
      a[i + size * j] = sum;
    }
  return a;
}

// The coupled matrix with a first pivot `first` that is coupled only to the
// second unknown, by 1e-5.
std::vector<cd> weak_first_pivot(int n, double first) {
  std::vector<cd> a = coupled_matrix(n);
  for (int i = 1; i < n; ++i) a[i] = a[static_cast<std::size_t>(n) * i] = 0.0;
  a[0] = first;
  a[1] = a[n] = cd(1e-5, 1e-5);
  return a;
}

// The right-hand sides of the tests, nrhs columns of order n.
std::vector<cd> loads(int n, int nrhs) {
  std::vector<cd> b(static_cast<std::size_t>(n) * nrhs);
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = cd(std::sin(0.3 * i), 1.0 - 0.01 * i);
  return b;
}

// max |x - want| / max |want|.
double relative_error(const std::vector<cd>& x, const std::vector<cd>& want) {
  double e = 0.0, size = 0.0;
  for (std::size_t k = 0; k < x.size(); ++k) {
    e = std::max(e, std::abs(x[k] - want[k]));
    size = std::max(size, std::abs(want[k]));
  }
  return e / size;
}

// Componentwise |b - A x| / (|b| + |A| |x|), the largest over the rows.
double backward_error(int n, const std::vector<cd>& a, const std::vector<cd>& b,
                      const std::vector<cd>& x) {
  double worst = 0.0;
  for (int i = 0; i < n; ++i) {
    cd r = b[i];
    double bound = std::abs(b[i]);
    for (int j = 0; j < n; ++j) {
      r -= a[i + static_cast<std::size_t>(n) * j] * x[j];
      bound += std::abs(a[i + static_cast<std::size_t>(n) * j]) * std::abs(x[j]);
    }
    worst = std::max(worst, std::abs(r) / bound);
  }
  return worst;
}

TEST(symmetric, well_conditioned_systems_are_solved_in_single_precision) {
  zrv::SymmetricWork work;
  for (int n : {1, 2, 31, 67}) {
    SCOPED_TRACE(n);
    std::vector<cd> a = symmetric_matrix(n);
    // Upper triangle not read: spoil it.
    for (int j = 1; j < n; ++j) a[0 + static_cast<std::size_t>(n) * j] = cd(1e30, 0.0);
    const std::vector<cd> b = loads(n, 1);
    std::vector<cd> x = b;
    ASSERT_TRUE(zrv::solve_symmetric(n, a.data(), 1, x.data(), work));
    EXPECT_EQ(work.path, SymmetricPath::single);
    EXPECT_LT(relative_error(x, solve_double(symmetric_matrix(n), n, n, b, 1, n)), 1e-12);
  }
  // Three panels, strongly coupled, two right-hand sides: the single-precision
  // factors are good enough for the refinement to settle.
  const int n = 150;
  const std::vector<cd> a = coupled_matrix(n), b = loads(n, 2);
  std::vector<cd> x = b;
  ASSERT_TRUE(zrv::solve_symmetric(n, a.data(), 2, x.data(), work));
  EXPECT_EQ(work.path, SymmetricPath::single);
  EXPECT_LT(relative_error(x, solve_double(a, n, n, b, 2, n)), 1e-12);
}

TEST(symmetric, each_fallback_answers_the_system_that_needs_it) {
  zrv::SymmetricWork work;
  const int n = 150;
  // A pivot of 1e-8 (below what single precision resolves) with small factors:
  // the double-precision factors are taken as they are. The condition number
  // is about 1e8, so the check is the residual, and the agreement with the
  // pivoting elimination only to about 1e8 roundings.
  for (int at : {10, 100}) {
    SCOPED_TRACE(at);
    const std::vector<cd> a = factored_matrix(n, 1e-8, at), b = loads(n, 1);
    std::vector<cd> x = b;
    ASSERT_TRUE(zrv::solve_symmetric(n, a.data(), 1, x.data(), work));
    EXPECT_EQ(work.path, SymmetricPath::double_bounded);
    EXPECT_LT(backward_error(n, a, b, x), 1e-14);
    EXPECT_LT(relative_error(x, solve_double(a, n, n, b, 1, n)), 1e-6);
  }
  // A first pivot of 1e-7 coupled only by 1e-5 to the second unknown: factors
  // of about 200, too large to be taken unchecked; the backward error is small.
  {
    const std::vector<cd> a = weak_first_pivot(n, 1e-7), b = loads(n, 1);
    std::vector<cd> x = b;
    ASSERT_TRUE(zrv::solve_symmetric(n, a.data(), 1, x.data(), work));
    EXPECT_EQ(work.path, SymmetricPath::double_checked);
    EXPECT_LT(relative_error(x, solve_double(a, n, n, b, 1, n)), 1e-12);
  }
  // A zero first pivot and a first pivot of 1e-9 (factors of 1e9 without
  // pivoting): both solved to full accuracy through row pivoting.
  for (double first : {0.0, 1e-9}) {
    SCOPED_TRACE(first);
    const int m = 40;
    std::vector<cd> a = symmetric_matrix(m);
    a[0] = first;
    a[1] = a[m] = cd(2.0, 0.1);
    const std::vector<cd> b(m, cd(1.0, 1.0));
    std::vector<cd> x = b;
    ASSERT_TRUE(zrv::solve_symmetric(m, a.data(), 1, x.data(), work));
    EXPECT_EQ(work.path, SymmetricPath::pivoting);
    EXPECT_LT(relative_error(x, solve_double(a, m, m, b, 1, m)), 1e-11);
  }
  // A singular matrix is refused.
  std::vector<cd> zero(9, 0.0), b(3, 1.0);
  EXPECT_FALSE(zrv::solve_symmetric(3, zero.data(), 1, b.data(), work));
}

// A = V diag(lambda) V with V a reflection and lambda falling from 1 to 1e-5
// (condition 1e5, far beyond what single precision resolves): the solution
// still matches a pivoting elimination in double to near its rounding.
TEST(symmetric, reaches_double_accuracy_when_ill_conditioned) {
  const int n = 150;
  std::vector<double> v(n), lambda(n);
  double vv = 0.0;
  for (int i = 0; i < n; ++i) {
    v[i] = std::cos(0.37 * i) + 0.5;
    vv += v[i] * v[i];
    lambda[i] = std::pow(10.0, -5.0 * i / (n - 1));
  }
  auto reflect = [&](int i, int k) { return (i == k ? 1.0 : 0.0) - 2.0 * v[i] * v[k] / vv; };
  std::vector<cd> a(static_cast<std::size_t>(n) * n);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      double sum = 0.0;
      for (int k = 0; k < n; ++k) sum += reflect(i, k) * lambda[k] * reflect(k, j);
      a[i + static_cast<std::size_t>(n) * j] = cd(1.0, 0.3) * sum;
    }
  const std::vector<cd> b = loads(n, 2);
  std::vector<cd> x = b;
  zrv::SymmetricWork work;
  ASSERT_TRUE(zrv::solve_symmetric(n, a.data(), 2, x.data(), work));
  EXPECT_LT(relative_error(x, solve_double(a, n, n, b, 2, n)), 1e-9);
}

// A NaN or an infinity in the system is a failure, never a solution: in the
// right-hand side of the systems that the single-precision, the bounded and
// the checked double-precision ways answer, and in the matrix.
TEST(symmetric, values_that_are_not_finite_are_refused) {
  const int n = 150;
  zrv::SymmetricWork work;
  const std::vector<std::vector<cd>> systems = {coupled_matrix(n), factored_matrix(n, 1e-8, 100),
                                                weak_first_pivot(n, 1e-7)};
  for (std::size_t s = 0; s < systems.size(); ++s)
    for (double bad : {std::nan(""), HUGE_VAL})
      for (int at : {0, 70, n - 1}) {
        SCOPED_TRACE(testing::Message() << "system " << s << " value " << bad << " at " << at);
        std::vector<cd> x = loads(n, 1);
        x[static_cast<std::size_t>(at)] = cd(0.0, bad);
        EXPECT_FALSE(zrv::solve_symmetric(n, systems[s].data(), 1, x.data(), work));
      }
  std::vector<cd> a = coupled_matrix(n);
  a[70 + static_cast<std::size_t>(n) * 3] = a[3 + static_cast<std::size_t>(n) * 70] = std::nan("");
  std::vector<cd> x = loads(n, 1);
  EXPECT_FALSE(zrv::solve_symmetric(n, a.data(), 1, x.data(), work));
}

}  // namespace
