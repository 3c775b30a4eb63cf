#include "base/kalstring.h"

namespace zrv::comp::KalString {

char CharAt(std::string_view text, long index) {
  if (index < 1 || index > static_cast<long>(text.size())) return '\0';
  return text[static_cast<std::size_t>(index - 1)];
}

std::string CopyFrom(std::string_view text, long index) {
  if (index < 1) index = 1;
  if (index > static_cast<long>(text.size())) return {};
  return std::string(text.substr(static_cast<std::size_t>(index - 1)));
}

long PosOrEnd(std::string_view sub, std::string_view text) {
  const auto p = text.find(sub);
  return p == std::string_view::npos ? static_cast<long>(text.size()) + 1 : static_cast<long>(p) + 1;
}

long PosFrom(std::string_view sub, std::string_view text, long from) {
  if (from < 1) from = 1;
  if (from > static_cast<long>(text.size()) + 1) return 0;
  const auto p = text.find(sub, static_cast<std::size_t>(from - 1));
  return p == std::string_view::npos ? 0 : static_cast<long>(p) + 1;
}

std::string ReplaceAll(std::string_view text, std::string_view old_text, std::string_view new_text) {
  std::string out(text);
  if (old_text.empty()) return out;
  std::size_t p = out.find(old_text);
  while (p != std::string::npos) {
    out.replace(p, old_text.size(), new_text);
    p = out.find(old_text, p + new_text.size());
  }
  return out;
}

}  // namespace zrv::comp::KalString
