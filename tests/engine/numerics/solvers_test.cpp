#include "numerics/solvers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

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
std::vector<cd> solve_double(const std::vector<cf>& a, int n, int lda, const std::vector<cf>& b, int m, int ldb) {
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

}  // namespace
