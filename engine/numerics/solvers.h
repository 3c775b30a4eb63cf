#pragma once
// Dense complex linear solvers of the analysis: LU factorisation with
// substitution (LEQT1C), solution with iterative refinement (LEQ2C) and the
// in-place inverse (CMINV). Matrices are stored column by column: entry (i, j),
// counted from 0, is at a[i + lda * j].

#include <complex>
#include <vector>

namespace zrv {

// Error indicators of the solvers.
inline constexpr int kSolveOk = 0;
// The factorisation failed: a row of the matrix is all zero, or no usable
// pivot is left (the matrix is singular), or the matrix holds a non-finite value.
inline constexpr int kSolveSingular = 129;
// The iterative refinement of LEQ2C did not settle for a right-hand side.
inline constexpr int kSolveNotSettled = 130;

// LU factorisation, column by column, with implicit row scaling and partial
// pivoting, and substitution. a: n x n, leading dimension lda; b: n x m
// right-hand sides, leading dimension ldb, replaced by the solution.
// job 0 factors a in place and solves; 1 only factors; 2 only solves, with a
// and w as an earlier factoring call left them. w: n reals, the row scales
// during the factorisation and then the pivot record.
// Returns kSolveOk, or kSolveSingular when the factorisation fails; b is then
// left as given and a holds a partial factor.
int LEQT1C(std::complex<float>* a, int n, int lda, std::complex<float>* b, int m, int ldb, int job,
           float* w);

// Outcome of LEQ2C: the error indicator and the right-hand sides (1-based
// columns) whose refinement did not settle.
struct Leq2cResult {
  int err = kSolveOk;
  std::vector<int> unsettled;
};

// Solves a x = b with iterative refinement; a is left unchanged. f: n x n
// (leading dimension n) keeps the factor, w: n reals its pivot record, both
// reused by job 2. job as for LEQT1C.
// On a failed factorisation err is kSolveSingular and b is left as given: the
// caller reports the failure. A column whose refinement has not settled
// after 50 rounds keeps its last iterate (or is left as given when that is not
// finite), is listed in `unsettled` with err kSolveNotSettled, and the other
// columns are still solved. A column whose solution is zero is left as given.
// The residual of the refinement is formed in double precision.
Leq2cResult LEQ2C(const std::complex<float>* a, int n, int lda, std::complex<float>* b, int m,
                  int ldb, int job, std::complex<float>* f, float* w);

// Replaces the n x n matrix a (leading dimension lda) by its inverse, by
// elimination above and below each pivot, with row exchanges, carried out in
// double precision.
// Returns false, and leaves a unchanged, when the matrix is singular or holds a
// non-finite value.
bool CMINV(std::complex<float>* a, int lda, int n);

}  // namespace zrv
