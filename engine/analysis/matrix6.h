#pragma once
// The 6x6 complex matrices of the analysis: degrees of freedom 1 x, 2 y,
// 3 vertical, 4 rotation about x, 5 rotation about y, 6 torsion; stored column
// by column, entry (i, j) (from 1) at (i - 1) + 6 (j - 1).

#include <array>
#include <complex>

namespace zrv {

using Complex = std::complex<float>;
using Matrix6 = std::array<Complex, 36>;
using RealMatrix6 = std::array<float, 36>;

/// Position of entry (i, j), both counted from 1.
constexpr std::size_t at6(int i, int j) { return static_cast<std::size_t>((i - 1) + 6 * (j - 1)); }

}  // namespace zrv
