#pragma once
// Complex symmetric systems A x = b (A = A^T, not Hermitian), as the pile
// group's flexibility matrices are: a blocked L D L^T factorisation without
// pivoting in single precision, refined to double-precision accuracy, with
// the same factorisation in double precision and then a pivoting elimination
// as its fallbacks.

#include <complex>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace zrv {

/// Reals that are not cleared when they are allocated: the owner sets every
/// value it reads. Grows only; its values are lost when it grows.
template <typename T>
class Uncleared {
 public:
  void reserve(std::size_t n) {
    if (n > capacity_) {
      data_.reset(new T[n]);  // default-initialised: not cleared
      capacity_ = n;
    }
  }
  T* data() { return data_.get(); }
  const T* data() const { return data_.get(); }
  T& operator[](std::size_t i) { return data_[i]; }
  T operator[](std::size_t i) const { return data_[i]; }

 private:
  std::unique_ptr<T[]> data_;
  std::size_t capacity_ = 0;
};
using UnclearedDoubles = Uncleared<double>;

/// The way a symmetric solve was answered: in single precision with
/// refinement; by the double-precision factors, taken as they are or after
/// the backward-error check; or by the pivoting elimination.
enum class SymmetricPath { single, double_bounded, double_checked, pivoting };

/// Storage of one symmetric solve, kept by the caller so that repeated solves
/// do not reallocate: the lower triangle with real and imaginary parts apart,
/// column by column, each column from its diagonal (rounded down to a whole
/// vector of rows) to the padded order `ld`; the pivots; the same in single
/// precision for the fast factorisation; and the full matrix of the pivoting
/// fallback.
struct SymmetricWork {
  UnclearedDoubles re, im;
  std::vector<std::ptrdiff_t> base;  // entry (i, j) at re[base[j] + i]
  std::vector<double> d_re, d_im;
  std::vector<std::complex<double>> a;
  std::vector<double> pack;  // scratch of the factorisation
  Uncleared<float> f_re, f_im;  // single-precision copy, same places as re, im
  std::vector<float> f_d_re, f_d_im, f_pack;
  std::size_t stored = 0;  // length of re, im in use
  std::size_t ld = 0;
  int order = -1;
  SymmetricPath path = SymmetricPath::single;  // of the last solve

  /// Sizes the storage for order n. The entries must then all be set.
  void prepare(int n);
  /// Sets entry (i, j) and with it (j, i).
  void set(int i, int j, std::complex<double> v) {
    const std::ptrdiff_t at = base[static_cast<std::size_t>(i < j ? i : j)] + (i < j ? j : i);
    re[static_cast<std::size_t>(at)] = v.real();
    im[static_cast<std::size_t>(at)] = v.imag();
  }
};

/// Hands every entry of a symmetric matrix to put(i, j, value), each pair
/// (i, j), (j, i) once, in any order.
using SymmetricEntries =
    std::function<void(const std::function<void(int, int, std::complex<double>)>&)>;

/// Solves A x = b for the matrix set into `work` (prepare, then set) and the
/// nrhs columns of b (leading dimension n), which the solutions replace.
/// Factorises A = L D L^T without pivoting in single precision and refines the
/// solution with residuals in double precision until the corrections are
/// negligible. When that fails, factorises in double precision: factors of
/// bounded size are taken as they are; otherwise the solution must pass a
/// backward-error check against the entries that `entries` hands over once
/// more, and when it fails (or a pivot vanishes) the matrix is formed again
/// and solved with row pivoting. False when the matrix is singular even then,
/// or when a value of the system is not finite (a NaN or an infinity never
/// passes a check). `work.path` tells which way the solve took.
bool solve_prepared(int n, const SymmetricEntries& entries, int nrhs, std::complex<double>* b,
                    SymmetricWork& work);

/// The same for the n x n matrix a (column by column; only its lower triangle
/// is read).
bool solve_symmetric(int n, const std::complex<double>* a, int nrhs, std::complex<double>* b,
                     SymmetricWork& work);

}  // namespace zrv
