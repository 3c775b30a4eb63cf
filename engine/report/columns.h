#pragma once
// Decimals of the report's fixed-point columns whose rows step by a constant:
// enough that consecutive rows never print alike.

#include <algorithm>
#include <cmath>
#include <string>

namespace zrv {

/// The fewest decimals, from `least` up to `most`, that show every multiple
/// of `step` exactly (0.004 needs 3, 0.25 needs 2 when `least` is 2); `most`
/// when no count up to it does.
inline int exact_decimals(double step, int least, int most) {
  double scale = std::pow(10.0, least);
  for (int d = least; d < most; ++d, scale *= 10.0) {
    const double x = std::fabs(step) * scale;
    // The step is usually a single-precision value of a short decimal.
    if (std::fabs(x - std::round(x)) <= std::max(1.0e-4, 1.0e-6 * x)) return d;
  }
  return most;
}

/// The fewest decimals, from `least` up to `most`, whose last digit is not
/// larger than `step`, so that values `step` apart print differently.
inline int distinct_decimals(double step, int least, int most) {
  if (step == 0.0) return least;
  double unit = std::pow(10.0, -least);
  for (int d = least; d < most; ++d, unit /= 10.0)
    if (!(std::fabs(step) < unit * (1.0 - 1.0e-6))) return d;
  return most;
}

/// The edit descriptor "Fw.d" of a column `width` wide at `least` decimals,
/// widened by the decimals beyond `least`.
inline std::string fixed_edit(int width, int least, int decimals) {
  return "F" + std::to_string(width + decimals - least) + "." + std::to_string(decimals);
}

}  // namespace zrv
