#pragma once
// The deck fuzzer's check of a finished run's outputs: a run that ends with
// result 0 must not print a NaN, an infinity or a field of asterisks (a number
// too wide for its field) in its report or plot data.
//
// The report's own framing also uses asterisks; these runs are not numbers:
//   - a line of asterisks and blanks only (underlines, banner rows);
//   - a run that touches a word of capitals ("*** INPUT ERROR ***",
//     "***PROGRAM WILL NOT EXECUTE***", "*** NO SOLUTION AT THIS FREQUENCY ***");
//   - the closing run of a line that opens with a run ("... BETWEEN 1 AND 500 ***");
//   - the exponent mark of a unit ("kN/m**3");
//   - a single asterisk (the sides of the banner box).
// Text the deck itself holds may come back in the report (title, echoed
// records, the word of a refusal): a run or a word that the deck contains is
// not held against the run.
//
// Header-only and free of the fuzzing library, so that unit tests call it too.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace zrv::fuzz {

namespace detail {

inline bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
inline bool is_alpha(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
inline bool is_digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

inline std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The word (blank- and asterisk-delimited) that holds position `at` of `line`.
inline std::string_view word_at(std::string_view line, std::size_t at) {
  std::size_t b = at, e = at;
  while (b > 0 && !is_blank(line[b - 1]) && line[b - 1] != '*') --b;
  while (e < line.size() && !is_blank(line[e]) && line[e] != '*') ++e;
  return line.substr(b, e - b);
}

// A word of the report's own text: two letters or more, all capitals, no digit.
inline bool is_caption(std::string_view w) {
  int letters = 0;
  for (char c : w) {
    if (is_digit(c)) return false;
    if (is_alpha(c)) {
      if (!std::isupper(static_cast<unsigned char>(c))) return false;
      ++letters;
    }
  }
  return letters >= 2;
}

// Whether `deck` holds a run of at least `n` asterisks.
inline bool deck_has_stars(std::string_view deck, std::size_t n) {
  return deck.find(std::string(n, '*')) != std::string_view::npos;
}

// Whether `deck` holds a run of letters that begins with `word` (any case):
// the report echoes a deck word by its first four characters only.
inline bool deck_has_word(std::string_view deck, std::string_view word) {
  const std::string d = lower(deck), w = lower(word);
  for (std::size_t at = d.find(w); at != std::string::npos; at = d.find(w, at + 1))
    if (at == 0 || !is_alpha(d[at - 1])) return true;
  return false;
}

// What is wrong with one line, or an empty text.
inline std::string line_fault(std::string_view line, std::string_view deck) {
  // NaN and infinities: a run of letters that spells one of them.
  for (std::size_t i = 0; i < line.size();) {
    if (!is_alpha(line[i])) {
      ++i;
      continue;
    }
    std::size_t e = i;
    while (e < line.size() && is_alpha(line[e])) ++e;
    const std::string w = lower(line.substr(i, e - i));
    if ((w == "nan" || w == "inf" || w == "infinity") && !deck_has_word(deck, w)) {
      return "\"" + std::string(line.substr(i, e - i)) + "\" where a number belongs";
    }
    i = e;
  }
  // Fields of asterisks.
  const std::size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  if (line.find_first_not_of(" \t\r*") == std::string_view::npos) return {};
  const std::size_t last = line.find_last_not_of(" \t\r");
  const bool opens_with_run = line[first] == '*' && first + 1 < line.size() && line[first + 1] == '*';
  for (std::size_t i = first; i <= last;) {
    if (line[i] != '*') {
      ++i;
      continue;
    }
    std::size_t e = i;
    while (e < line.size() && line[e] == '*') ++e;
    const std::size_t n = e - i;
    const std::size_t at = i;
    i = e;
    if (n < 2) continue;
    // A unit's exponent: letter, "**", digit.
    if (n == 2 && at > 0 && is_alpha(line[at - 1]) && e < line.size() && is_digit(line[e])) continue;
    // Nearest non-blank neighbours on both sides.
    std::size_t l = at;
    while (l > 0 && is_blank(line[l - 1])) --l;
    std::size_t r = e;
    while (r < line.size() && is_blank(line[r])) ++r;
    const bool left_caption = l > 0 && is_caption(word_at(line, l - 1));
    const bool right_caption = r < line.size() && is_caption(word_at(line, r));
    if (left_caption || right_caption) continue;
    if (opens_with_run && e > last && at != first) continue;
    if (deck_has_stars(deck, n)) continue;
    return "a field of " + std::to_string(n) + " asterisks";
  }
  return {};
}

}  // namespace detail

// Checks one output text (report or plot data) of a run on `deck`. Returns an
// empty text when it is clean, otherwise the line number and what is wrong.
inline std::string output_fault(std::string_view text, std::string_view deck = {}) {
  std::size_t number = 1;
  for (std::size_t pos = 0; pos < text.size(); ++number) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string why = detail::line_fault(text.substr(pos, end - pos), deck);
    if (!why.empty()) {
      const std::string_view line = text.substr(pos, std::min<std::size_t>(end - pos, 100));
      return "line " + std::to_string(number) + ": " + why + ": \"" + std::string(line) + "\"";
    }
    pos = end + 1;
  }
  return {};
}

}  // namespace zrv::fuzz
