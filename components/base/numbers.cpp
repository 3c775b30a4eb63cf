#include "base/numbers.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <limits>

namespace zrv::comp {

namespace {
std::atomic<char> g_separator{'.'};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

char decimal_separator() { return g_separator.load(); }
void set_decimal_separator(char separator) { g_separator.store(separator); }

DecimalSeparatorGuard::DecimalSeparatorGuard(char separator) : m_saved(decimal_separator()) {
  set_decimal_separator(separator);
}
DecimalSeparatorGuard::~DecimalSeparatorGuard() { set_decimal_separator(m_saved); }

std::string format_general(Extended value, int digits, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  if (digits < 1) digits = 1;
  if (digits > 18) digits = 18;

  // Scientific text with exactly `digits` significant digits, correctly
  // rounded: "-d.ddde-XX".
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
  const std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));
  const bool negative = sci.front() == '-';
  const auto epos = sci.find('e');
  std::string mant;
  for (char c : sci.substr(0, epos))
    if (is_digit(c)) mant += c;
  const int exp10 = std::atoi(std::string(sci.substr(epos + 1)).c_str());
  while (mant.size() > 1 && mant.back() == '0') mant.pop_back();
  const int n = static_cast<int>(mant.size());

  std::string out = negative ? "-" : "";
  if (exp10 >= -5 && exp10 < digits) {
    if (exp10 >= 0) {
      if (n <= exp10 + 1) {
        out += mant;
        out.append(static_cast<std::size_t>(exp10 + 1 - n), '0');
      } else {
        out += mant.substr(0, static_cast<std::size_t>(exp10 + 1));
        out += separator;
        out += mant.substr(static_cast<std::size_t>(exp10 + 1));
      }
    } else {
      out += '0';
      out += separator;
      out.append(static_cast<std::size_t>(-exp10 - 1), '0');
      out += mant;
    }
  } else {
    out += mant[0];
    if (n > 1) {
      out += separator;
      out += mant.substr(1);
    }
    out += 'E';
    if (exp10 < 0) out += '-';
    out += std::to_string(exp10 < 0 ? -exp10 : exp10);
  }
  return out;
}

std::optional<Extended> parse_number(std::string_view text, char separator) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  std::size_t end = n;
  while (end > i && text[end - 1] == ' ') --end;

  std::string norm;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Mantissa: digits, at most one separator, at least one digit.
  int mant_digits = 0;
  bool seen_sep = false;
  for (; i < end; ++i) {
    const char c = text[i];
    if (is_digit(c)) {
      ++mant_digits;
      norm += c;
    } else if (c == separator && !seen_sep) {
      seen_sep = true;
      norm += '.';
    } else {
      break;
    }
  }
  if (mant_digits == 0) return std::nullopt;
  // Decimal exponent of the first non-zero digit, to tell an underflow from
  // an overflow below.
  const auto dot = std::min(norm.find('.'), norm.size());
  const auto first = norm.find_first_of("123456789");
  const bool seen_nonzero = first != std::string::npos;
  long lead = 0;
  if (seen_nonzero)
    lead = first < dot ? static_cast<long>(dot - first) - 1 : -static_cast<long>(first - dot);
  long long exp_value = 0;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool exp_negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
      exp_negative = text[i] == '-';
      ++i;
    }
    if (i >= end || !is_digit(text[i])) return std::nullopt;
    for (; i < end && is_digit(text[i]); ++i)
      if (exp_value < 1000000000) exp_value = exp_value * 10 + (text[i] - '0');
    if (exp_negative) exp_value = -exp_value;
    norm += 'e';
    norm += std::to_string(exp_value);
  }
  if (i != end) return std::nullopt;
  if (!seen_nonzero) return negative ? -0.0L : 0.0L;

  Extended value = 0;
  const auto res = std::from_chars(norm.data(), norm.data() + norm.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    if (lead + exp_value < 0) return negative ? -0.0L : 0.0L;
    return std::nullopt;
  }
  if (res.ec != std::errc() || res.ptr != norm.data() + norm.size()) return std::nullopt;
  return negative ? -value : value;
}

Extended round_half_even(Extended value) {
  if (!std::isfinite(value)) return value;
  const Extended fl = std::floor(value);
  const Extended diff = value - fl;
  if (diff < 0.5L) return fl;
  if (diff > 0.5L) return fl + 1;
  return std::fmod(fl, 2.0L) == 0 ? fl : fl + 1;
}

std::optional<std::int64_t> trunc_to_int64(Extended value) {
  if (!std::isfinite(value)) return std::nullopt;
  const Extended t = std::trunc(value);
  // -2^63 is exact; 2^63 is the first value that does not fit.
  if (t < -9223372036854775808.0L || t >= 9223372036854775808.0L) return std::nullopt;
  return static_cast<std::int64_t>(t);
}

std::optional<std::int32_t> trunc_to_int32(Extended value) {
  if (!std::isfinite(value)) return std::nullopt;
  const Extended t = std::trunc(value);
  if (t < -2147483648.0L || t > 2147483647.0L) return std::nullopt;
  return static_cast<std::int32_t>(t);
}

std::optional<std::int32_t> round_to_int32(Extended value) {
  return trunc_to_int32(round_half_even(value));
}

}  // namespace zrv::comp
