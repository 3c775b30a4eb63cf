#pragma once
// Number text of the component library: the general real format, a strict
// real parser, the user's decimal separator, rounding and checked real to
// integer conversion. Nothing here depends on the C locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/types.h"

namespace zrv::comp {

/// The user's decimal separator for what edit boxes and table cells show and
/// accept. Default '.'. Files always use '.' whatever this is.
char decimal_separator();
void set_decimal_separator(char separator);

/// Sets the user's decimal separator for its lifetime and restores the
/// previous one when it ends, also when an exception passes.
class DecimalSeparatorGuard {
public:
  explicit DecimalSeparatorGuard(char separator);
  ~DecimalSeparatorGuard();
  DecimalSeparatorGuard(const DecimalSeparatorGuard&) = delete;
  DecimalSeparatorGuard& operator=(const DecimalSeparatorGuard&) = delete;

private:
  char m_saved;
};

/// General format with `digits` significant digits (1 to 18): the value is
/// rounded to `digits` digits; it is written in fixed notation, trailing zeros
/// and a trailing separator dropped, when its rounded decimal exponent lies in
/// -5 <= e < digits (so 0.00001 is fixed, 0.000001 is not); otherwise as mantissa,
/// "E", a "-" for negative exponents only and the exponent without leading
/// zeros ("1.5E-7", "1E20"). Zero is "0"; infinities "INF" and "-INF", NaN "NAN".
std::string format_general(Extended value, int digits, char separator);
inline std::string format_general(Extended value, int digits) {
  return format_general(value, digits, decimal_separator());
}

/// Parses a real written as: optional blanks, optional sign, digits with at
/// most one `separator` (at least one digit), optional exponent (E or e,
/// optional sign, at least one digit), optional blanks. Nothing else is
/// accepted: no "inf", "nan", hexadecimal or thousands separators. A value
/// beyond the extended range fails; one below it becomes zero.
std::optional<Extended> parse_number(std::string_view text, char separator);
inline std::optional<Extended> parse_number(std::string_view text) {
  return parse_number(text, decimal_separator());
}

/// Rounds to the nearest integer, halves to the even neighbour.
Extended round_half_even(Extended value);

/// Truncates towards zero and converts; nullopt when the value is not finite
/// or the result does not fit.
std::optional<std::int64_t> trunc_to_int64(Extended value);
std::optional<std::int32_t> trunc_to_int32(Extended value);
/// Rounds halves to even and converts; nullopt as above.
std::optional<std::int32_t> round_to_int32(Extended value);

}  // namespace zrv::comp
