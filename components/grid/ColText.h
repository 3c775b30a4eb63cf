#pragma once
// Readable text form of the "Col" value run, and the tokens of the table
// definition texts that embed it (TableDefinitions.h).
//
// Values are separated by blanks, tabs or line ends (LF or CR LF):
//   integer   -12, 0, 255              (32-bit range)
//   real      0.5, -1e+20, inf, nan    (an integer token reads as a real too)
//   string    "Layer "                 (escapes \" \\ \r \n \t and \xHH)
//   Boolean   True, False
//   list      ( ... )
// A "#" outside a string starts a comment that runs to the line end.

#include <string>
#include <string_view>

#include "grid/ColStream.h"

namespace zrv::comp {

// Splits a definition text into tokens. Errors are EReadError with the line
// number: "Line 7: a string expected".
class TTextTokens {
public:
  enum class Kind { end, word, number, string, punct };
  struct Token {
    Kind kind = Kind::end;
    std::string text;  // word or number as written; string unescaped; punctuation character
    int line = 0;
  };

  explicit TTextTokens(std::string_view text) : m_text(text) {}
  /// The next token, not consumed.
  const Token& peek();
  Token next();
  /// Consumes the punctuation `c` or raises "Line n: "c" expected".
  void expectPunct(char c);
  [[noreturn]] void fail(const Token& at, std::string_view what) const;

private:
  Token scan();
  std::string_view m_text;
  std::size_t m_pos = 0;
  int m_line = 1;
  bool m_peeked = false;
  Token m_peek;
};

// Reads the text form from a token stream that must outlive the reader.
class TColTextReader : public TColReader {
public:
  explicit TColTextReader(TTextTokens& tokens) : m_tokens(tokens) {}
  int readInteger() override;
  Extended readFloat() override;
  std::string readString() override;
  bool readBoolean() override;
  void readListBegin() override;
  void readListEnd() override;
  bool endOfList() override;

private:
  TTextTokens& m_tokens;
};

// Reads a value run from its own copy of `text`.
class TColTextStringReader : public TColReader {
public:
  explicit TColTextStringReader(std::string_view text) : m_text(text), m_tokens(m_text), m_reader(m_tokens) {}
  int readInteger() override { return m_reader.readInteger(); }
  Extended readFloat() override { return m_reader.readFloat(); }
  std::string readString() override { return m_reader.readString(); }
  bool readBoolean() override { return m_reader.readBoolean(); }
  void readListBegin() override { m_reader.readListBegin(); }
  void readListEnd() override { m_reader.readListEnd(); }
  bool endOfList() override { return m_reader.endOfList(); }
  /// True when nothing but blanks and comments is left.
  bool atEnd() { return m_tokens.peek().kind == TTextTokens::Kind::end; }

private:
  std::string m_text;
  TTextTokens m_tokens;
  TColTextReader m_reader;
};

// Writes the text form: one column record per line, each line starting with
// `indent` (a record longer than 100 characters goes on in lines indented
// two more blanks); reals in the shortest form that reads back to the same value.
class TColTextWriter : public TColWriter {
public:
  explicit TColTextWriter(std::string indent = "") : m_indent(std::move(indent)) {}
  void writeInteger(int value) override;
  void writeFloat(Extended value) override;
  void writeString(std::string_view value) override;
  void writeBoolean(bool value) override;
  void writeListBegin() override;
  void writeListEnd() override;
  void beginRecord() override;
  /// The text so far, ending in a line end when anything was written.
  std::string text() const;

private:
  void token(std::string_view t);
  std::string m_indent;
  std::string m_text;
  std::size_t m_lineStart = 0;
  bool m_lineOpen = false;
  bool m_afterListBegin = false;
};

/// `value` as a quoted string token.
std::string quoteText(std::string_view value);

}  // namespace zrv::comp
