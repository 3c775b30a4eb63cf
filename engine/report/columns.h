#pragma once
// Decimals of the report's fixed-point columns whose rows step by a constant:
// enough that consecutive rows never print alike.

#include <algorithm>
#include <cmath>
#include <string>

namespace zrv {

/// The most decimals a fixed-point column takes; a step that needs more is
/// shown in the E format.
inline constexpr int kMostFixedDecimals = 10;

/// The decimals that show `step` as the decimal it stands for: the fewest,
/// from `least` up, at which the step is a whole number of units of the last
/// decimal (0.001 needs 3, 0.0025 needs 4, 4E-7 needs 7, 1E-12 needs 12). The
/// step is a single-precision value, only near its decimal, so the match is
/// judged relative to the step, never by an absolute margin that a small step
/// would pass at once. Any float matches by its eighth significant digit.
inline int step_decimals(double step, int least) {
  const double a = std::fabs(step);
  if (!(a > 0.0) || !std::isfinite(a)) return least;
  for (int d = least; d < 400; ++d) {
    const double x = a * std::pow(10.0, d);
    if (std::fabs(x - std::round(x)) <= 2.5e-7 * x) return d;
  }
  return least;
}

/// The edit descriptor "Fw.d" of a column `width` wide at `least` decimals,
/// widened by the decimals beyond `least`.
inline std::string fixed_edit(int width, int least, int decimals) {
  return "F" + std::to_string(width + decimals - least) + "." + std::to_string(decimals);
}

/// The edit descriptor of a column of the multiples k step, k = 1 .. count,
/// each shown exactly: "Fw.d" as `fixed_edit` gives with the decimals the step
/// needs, or, where that is more than ten, "1P,Ew.q" with the mantissa
/// decimals that show the step's last decimal in the largest row.
inline std::string multiples_edit(double step, int count, int width, int least) {
  const int d = step_decimals(step, least);
  if (d <= kMostFixedDecimals) return fixed_edit(width, least, d);
  // The largest row in units of the last decimal, a whole number: its digits
  // after the first are the mantissa decimals.
  const auto units = static_cast<long long>(std::round(std::fabs(step) * std::pow(10.0, d))) *
                     std::max(count, 1);
  const int q = std::max(1, static_cast<int>(std::to_string(units).size()) - 1);
  return "1P,E" + std::to_string(q + 7) + "." + std::to_string(q);
}

/// The edit descriptor of a column whose rows differ by `step`, none larger
/// than `largest` in size: "Fw.d" as `fixed_edit` gives with the fewest
/// decimals, from `least` up, whose last digit is not larger than the step, so
/// that rows a step apart print differently; where that is more than ten
/// decimals, "1P,Ew.q" with the mantissa decimals that reach the step's first
/// digit in the largest row.
inline std::string distinct_edit(double step, double largest, int width, int least) {
  const double a = std::fabs(step);
  if (!(a > 0.0) || !std::isfinite(a)) return fixed_edit(width, least, least);
  int d = least;
  for (double unit = std::pow(10.0, -least); a < unit * (1.0 - 1.0e-6); unit /= 10.0) ++d;
  if (d <= kMostFixedDecimals) return fixed_edit(width, least, d);
  const double top = std::max(std::fabs(largest), a);
  const double digits = std::floor(std::log10(top)) - std::floor(std::log10(a));
  const int q = std::max(1, static_cast<int>(digits));
  return "1P,E" + std::to_string(q + 7) + "." + std::to_string(q);
}

}  // namespace zrv
