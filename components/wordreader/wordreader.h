#pragma once
// Reads a whole text file into memory and hands it out as a stream of words
// (blank- or tab-separated), integers and reals, with a line cursor and a
// word cursor. Lines may end in LF or CR LF. Knows nothing of the formats it
// reads.

#include <cstdint>
#include <string>
#include <vector>

#include "base/types.h"

namespace zrv::comp {

/// The words of one line and its raw text (without the line end).
struct TWordContainer {
  std::string raw;
  std::vector<std::string> words;
};

/// Splits one line: leading and trailing characters of code 0 to 32 are
/// dropped; a word ends before the first blank or tab; the characters of code
/// 0 to 32 after it are skipped. Other control characters stay in the word.
TWordContainer SplitWords(const std::string& line);

class TWordReader {
public:
  /// Reads every line of the file, after a leading UTF-8 byte-order mark.
  /// An empty file is one line without words.
  /// Raises EInOutError when the file cannot be read.
  explicit TWordReader(const std::string& file_name);

  /// True when the line cursor stands past the last line.
  bool Eof() const;
  /// Number of words of the current line; EListError past the last line.
  int WordCount() const;
  /// The next word. When the current line is used up the cursor moves on,
  /// passing over lines without words; EInOutError "This file either invalid
  /// or incomplete." when no line is left, EListError when the line cursor
  /// already stood past the last line.
  std::string NextWord();
  /// The next word as a real written with "."; EInOutError "Error on Line n
  /// Item m\rA floating point number was expected but not found." otherwise.
  Extended ReadFloat();
  /// The next word as a whole real written with "." in the 32-bit range
  /// (file numbers never follow the user's separator); EInOutError "Error on Line n Item m\rAn integer was expected but
  /// not found." otherwise.
  std::int32_t ReadInteger();
  /// The raw text of the current line (also the words already taken); moves
  /// to the start of the next line. EListError past the last line.
  std::string ReadLine();

  /// The 0-based line cursor and the count of words taken from its line.
  int LineIndex() const { return m_line; }
  int WordIndex() const { return m_word; }
  int LineCount() const { return static_cast<int>(m_lines.size()); }

private:
  const TWordContainer& current() const;

  std::vector<TWordContainer> m_lines;
  int m_line = 0;
  int m_word = 0;
};

}  // namespace zrv::comp
