#include "grid/ColText.h"

#include <charconv>
#include <cmath>

namespace zrv::comp {

namespace {

bool isWordStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isWordChar(char c) { return isWordStart(c) || isDigit(c); }

int hexValue(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text of a number token without a leading "+", which from_chars refuses.
std::string_view unsigned_plus(std::string_view t) {
  if (t.size() > 1 && t[0] == '+' && t[1] != '-') t.remove_prefix(1);
  return t;
}

}  // namespace

const TTextTokens::Token& TTextTokens::peek() {
  if (!m_peeked) {
    m_peek = scan();
    m_peeked = true;
  }
  return m_peek;
}

TTextTokens::Token TTextTokens::next() {
  peek();
  m_peeked = false;
  return std::move(m_peek);
}

void TTextTokens::expectPunct(char c) {
  const Token t = next();
  if (t.kind != Kind::punct || t.text[0] != c) fail(t, std::string("\"") + c + "\"");
}

void TTextTokens::fail(const Token& at, std::string_view what) const {
  throw EReadError("Line " + std::to_string(at.line) + ": " + std::string(what) + " expected");
}

TTextTokens::Token TTextTokens::scan() {
  // Blanks, line ends and comments.
  while (m_pos < m_text.size()) {
    const char c = m_text[m_pos];
    if (c == '\n') {
      ++m_line;
      ++m_pos;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      ++m_pos;
    } else if (c == '#') {
      while (m_pos < m_text.size() && m_text[m_pos] != '\n') ++m_pos;
    } else {
      break;
    }
  }
  Token t;
  t.line = m_line;
  if (m_pos >= m_text.size()) return t;
  const char c = m_text[m_pos];
  if (c == '(' || c == ')' || c == '{' || c == '}' || c == '=') {
    t.kind = Kind::punct;
    t.text = std::string(1, c);
    ++m_pos;
  } else if (isWordStart(c)) {
    t.kind = Kind::word;
    while (m_pos < m_text.size() && isWordChar(m_text[m_pos])) t.text += m_text[m_pos++];
  } else if (isDigit(c) || c == '-' || c == '+' || c == '.') {
    // Digits, letters and points, and a sign at the start or after an exponent letter.
    t.kind = Kind::number;
    t.text += m_text[m_pos++];
    while (m_pos < m_text.size()) {
      const char d = m_text[m_pos];
      const char prev = t.text.back();
      if (isWordChar(d) || d == '.' || ((d == '-' || d == '+') && (prev == 'e' || prev == 'E')))
        t.text += m_text[m_pos++];
      else
        break;
    }
  } else if (c == '"') {
    t.kind = Kind::string;
    ++m_pos;
    for (;;) {
      if (m_pos >= m_text.size() || m_text[m_pos] == '\n') fail(t, "a closing quote");
      const char d = m_text[m_pos++];
      if (d == '"') break;
      if (d != '\\') {
        t.text += d;
        continue;
      }
      const char e = m_pos < m_text.size() ? m_text[m_pos++] : '\0';
      switch (e) {
        case '"': t.text += '"'; break;
        case '\\': t.text += '\\'; break;
        case 'r': t.text += '\r'; break;
        case 'n': t.text += '\n'; break;
        case 't': t.text += '\t'; break;
        case 'x': {
          const int hi = m_pos < m_text.size() ? hexValue(m_text[m_pos]) : -1;
          const int lo = m_pos + 1 < m_text.size() ? hexValue(m_text[m_pos + 1]) : -1;
          if (hi < 0 || lo < 0) fail(t, "two hexadecimal digits after \\x");
          t.text += static_cast<char>(hi * 16 + lo);
          m_pos += 2;
          break;
        }
        default: fail(t, "an escape (\\\" \\\\ \\r \\n \\t \\xHH)");
      }
    }
  } else {
    fail(t, "a value");
  }
  return t;
}

// ---------------------------------------------------------------------------

int TColTextReader::readInteger() {
  const auto t = m_tokens.next();
  if (t.kind == TTextTokens::Kind::number) {
    const std::string_view s = unsigned_plus(t.text);
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec == std::errc() && end == s.data() + s.size()) return v;
  }
  m_tokens.fail(t, "a 32-bit integer");
}

Extended TColTextReader::readFloat() {
  const auto t = m_tokens.next();
  if (t.kind == TTextTokens::Kind::number || t.text == "inf" || t.text == "nan") {
    const std::string_view s = unsigned_plus(t.text);
    Extended v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec == std::errc() && end == s.data() + s.size()) return v;
  }
  m_tokens.fail(t, "a real");
}

std::string TColTextReader::readString() {
  auto t = m_tokens.next();
  if (t.kind != TTextTokens::Kind::string) m_tokens.fail(t, "a string");
  return std::move(t.text);
}

bool TColTextReader::readBoolean() {
  const auto t = m_tokens.next();
  if (t.kind == TTextTokens::Kind::word && t.text == "True") return true;
  if (t.kind == TTextTokens::Kind::word && t.text == "False") return false;
  m_tokens.fail(t, "True or False");
}

void TColTextReader::readListBegin() {
  const auto t = m_tokens.next();
  if (t.kind != TTextTokens::Kind::punct || t.text != "(") m_tokens.fail(t, "a list \"(\"");
}

void TColTextReader::readListEnd() {
  const auto t = m_tokens.next();
  if (t.kind != TTextTokens::Kind::punct || t.text != ")") m_tokens.fail(t, "the end of a list \")\"");
}

bool TColTextReader::endOfList() {
  const auto& t = m_tokens.peek();
  return t.kind == TTextTokens::Kind::punct && t.text == ")";
}

// ---------------------------------------------------------------------------

std::string quoteText(std::string_view value) {
  static const char* const hex = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : value) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          out += "\\x";
          out += hex[(static_cast<unsigned char>(c) >> 4) & 0xF];
          out += hex[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

void TColTextWriter::token(std::string_view t) {
  constexpr std::size_t kLineWidth = 100;
  if (!m_lineOpen) {
    m_lineStart = m_text.size();
    m_text += m_indent;
    m_lineOpen = true;
  } else if (m_text.size() - m_lineStart + 1 + t.size() > kLineWidth) {
    // A long record goes on in continuation lines, indented two more blanks.
    m_lineStart = m_text.size() + 1;
    m_text += '\n' + m_indent + "  ";
  } else if (!m_afterListBegin && t != ")") {
    m_text += ' ';
  }
  m_text += t;
  m_afterListBegin = (t == "(");
}

void TColTextWriter::writeInteger(int value) { token(std::to_string(value)); }

void TColTextWriter::writeFloat(Extended value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  token(std::string_view(buf, static_cast<std::size_t>(r.ptr - buf)));
}

void TColTextWriter::writeString(std::string_view value) { token(quoteText(value)); }
void TColTextWriter::writeBoolean(bool value) { token(value ? "True" : "False"); }
void TColTextWriter::writeListBegin() { token("("); }
void TColTextWriter::writeListEnd() { token(")"); }

void TColTextWriter::beginRecord() {
  if (m_lineOpen) m_text += '\n';
  m_lineOpen = false;
  m_afterListBegin = false;
}

std::string TColTextWriter::text() const { return m_lineOpen ? m_text + '\n' : m_text; }

}  // namespace zrv::comp
