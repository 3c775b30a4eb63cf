#pragma once
// A deck word: four characters, blank-padded, compared exactly.

#include <array>
#include <string_view>

namespace zrv {

struct Word {
  std::array<char, 4> c{' ', ' ', ' ', ' '};

  Word() = default;
  // The first four characters of `s`, blank-padded.
  explicit Word(std::string_view s) {
    for (std::size_t i = 0; i < 4 && i < s.size(); ++i) c[i] = s[i];
  }
  std::string_view view() const { return {c.data(), c.size()}; }
  friend bool operator==(const Word& a, const Word& b) { return a.c == b.c; }
};

}  // namespace zrv
