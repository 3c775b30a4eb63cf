#include "wordreader/wordreader.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <cstdio>

#include "base/exceptions.h"
#include "base/numbers.h"

namespace zrv::comp {

namespace {

bool is_space_or_control(char c) { return static_cast<unsigned char>(c) <= 32; }

const char* const kIncomplete = "This file either invalid or incomplete.";

std::string position_text(int line, int item) {
  return "Error on Line " + std::to_string(line) + " Item " + std::to_string(item) + "\r";
}

}  // namespace

TWordContainer SplitWords(const std::string& line) {
  TWordContainer c;
  c.raw = line;
  std::size_t b = 0, e = line.size();
  while (b < e && is_space_or_control(line[b])) ++b;
  while (e > b && is_space_or_control(line[e - 1])) --e;
  while (b < e) {
    std::size_t p = b;
    while (p < e && line[p] != ' ' && line[p] != '\t') ++p;
    c.words.push_back(line.substr(b, p - b));
    b = p;
    while (b < e && is_space_or_control(line[b])) ++b;
  }
  return c;
}

TWordReader::TWordReader(const std::string& file_name) {
  std::FILE* f = std::fopen(file_name.c_str(), "rb");
  if (f == nullptr) throw EInOutError("Cannot open file \"" + file_name + "\": " + std::strerror(errno));
  std::string text;
  char buf[65536];
  std::size_t got;
  while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, got);
  const bool failed = std::ferror(f) != 0;
  const int err = errno;
  std::fclose(f);
  if (failed) throw EInOutError("Cannot read file \"" + file_name + "\": " + std::strerror(err));
  // Editors may begin a UTF-8 file with a byte-order mark; it is not text.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  std::size_t start = 0;
  do {
    std::size_t nl = text.find('\n', start);
    if (nl == std::string::npos) nl = text.size();
    std::string line = text.substr(start, nl - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    m_lines.push_back(SplitWords(line));
    start = nl + 1;
  } while (start < text.size());
}

bool TWordReader::Eof() const { return m_line >= static_cast<int>(m_lines.size()); }

const TWordContainer& TWordReader::current() const {
  if (Eof()) throw EListError(list_index_message(m_line));
  return m_lines[static_cast<std::size_t>(m_line)];
}

int TWordReader::WordCount() const { return static_cast<int>(current().words.size()); }

std::string TWordReader::NextWord() {
  current();  // past the last line: list-index error
  while (m_word == WordCount()) {
    m_word = 0;
    ++m_line;
    if (Eof()) throw EInOutError(kIncomplete);
  }
  return current().words[static_cast<std::size_t>(m_word++)];
}

Extended TWordReader::ReadFloat() {
  const std::string w = NextWord();
  const auto v = parse_number(w, '.');
  if (!v) throw EInOutError(position_text(m_line + 1, m_word) + "A floating point number was expected but not found.");
  return *v;
}

std::int32_t TWordReader::ReadInteger() {
  const std::string w = NextWord();
  const auto v = parse_number(w, '.');
  std::optional<std::int32_t> r;
  if (v && *v == std::trunc(*v)) r = trunc_to_int32(*v);
  if (!r) throw EInOutError(position_text(m_line + 1, m_word) + "An integer was expected but not found.");
  return *r;
}

std::string TWordReader::ReadLine() {
  std::string raw = current().raw;
  ++m_line;
  m_word = 0;
  return raw;
}

}  // namespace zrv::comp
