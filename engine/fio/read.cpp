// Input conversions: the 20-column real field of the deck and list-directed
// reads of reals. Digits are converted with std::from_chars, which rounds
// correctly and never consults a locale.

#include "fio/fio.h"

#include <charconv>
#include <string>
#include <system_error>

namespace zrv::fio {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Converts a real written without blanks: an optional sign, digits with at
// most one point (at least one digit), then optionally an exponent: E, e, D
// or d with an optionally signed integer, or a signed integer alone.
// False for anything else and for a value too large for a float; a value too
// small for a float reads as zero.
bool parse_real(std::string_view s, float& value) {
  std::size_t i = 0;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  std::string digits;   // the mantissa's digits without the point
  long point = -1;      // digits before the point, -1 when there is none
  for (; i < s.size(); ++i) {
    if (is_digit(s[i])) {
      digits += s[i];
    } else if (s[i] == '.' && point < 0) {
      point = static_cast<long>(digits.size());
    } else {
      break;
    }
  }
  if (digits.empty()) return false;
  if (point < 0) point = static_cast<long>(digits.size());

  long exponent = 0;
  if (i < s.size()) {
    const char c = s[i];
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
      ++i;
    } else if (c != '+' && c != '-') {
      return false;
    }
    bool eneg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) eneg = s[i++] == '-';
    if (i == s.size()) return false;
    for (; i < s.size(); ++i) {
      if (!is_digit(s[i])) return false;
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - '0');
    }
    if (eneg) exponent = -exponent;
  }

  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) {
    value = neg ? -0.0f : 0.0f;
    return true;
  }
  // value = 0.(significant digits) * 10^magnitude
  const long magnitude = point - static_cast<long>(first) + exponent;
  if (magnitude > 40) return false;  // beyond the float range
  if (magnitude < -50) {
    value = neg ? -0.0f : 0.0f;
    return true;
  }
  const std::string text = "0." + digits.substr(first) + "e" + std::to_string(magnitude);
  float v = 0.0f;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    if (magnitude > 0) return false;
    v = 0.0f;
  } else if (r.ec != std::errc() || r.ptr != text.data() + text.size()) {
    return false;
  }
  value = neg ? -v : v;
  return true;
}

}  // namespace

bool read_real20(std::string_view record, float& value) {
  value = 0.0f;
  std::string compact;
  for (const char c : record.substr(0, 20)) {
    if (c == ',') break;  // a comma ends an input field early
    if (!is_blank(c)) compact += c;
  }
  if (compact.empty()) return true;
  float v = 0.0f;
  if (!parse_real(compact, v)) return false;
  value = v;
  return true;
}

std::size_t read_list(std::string_view text, std::span<float> out) {
  std::size_t i = 0, n = 0;
  const auto skip_blanks = [&] {
    while (i < text.size() && is_blank(text[i])) ++i;
  };
  while (n < out.size()) {
    skip_blanks();
    if (i == text.size() || text[i] == '/') break;
    if (text[i] == ',') {  // a comma where a value belongs: a null value
      ++n;
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < text.size() && !is_blank(text[i]) && text[i] != ',' && text[i] != '/') ++i;
    std::string_view token = text.substr(start, i - start);

    // r*v repeats v r times; r* stands for r null values.
    std::size_t repeat = 1;
    bool null = false;
    if (const std::size_t star = token.find('*'); star != std::string_view::npos) {
      const auto r = std::from_chars(token.data(), token.data() + star, repeat);
      if (star == 0 || r.ec != std::errc() || r.ptr != token.data() + star || repeat == 0) break;
      token.remove_prefix(star + 1);
      null = token.empty();
    }
    float v = 0.0f;
    if (!null && !parse_real(token, v)) break;
    for (std::size_t k = 0; k < repeat && n < out.size(); ++k, ++n)
      if (!null) out[n] = v;

    skip_blanks();
    if (i < text.size() && text[i] == ',') ++i;  // the separator after a value
  }
  return n;
}

}  // namespace zrv::fio
