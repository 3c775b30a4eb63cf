#pragma once
// Number text of the project files and the atomic file write. Numbers never
// pass through the C locale: "." is the separator whatever the user's is.

#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

namespace zrv::front {

using comp::Extended;

/// General format with 8 significant digits and ".": "314", "0.5",
/// "1.5E-7", "1.2345679E15" (no "+" in exponents).
std::string formatReal(Extended value);

/// The mass file's fixed-width scientific form, 23 characters: a blank or
/// "-", one digit, ".", 14 digits, "E", the exponent's sign and 4 digits
/// (" 1.00000000000000E+0000").
std::string formatWide(Extended value);

/// Replaces a set of files together: each text is first written to a
/// temporary file in its target's folder; only when all were written are
/// they renamed over the targets, so that a failed save leaves the old files
/// whole. A target that is a symbolic link is written through to the file
/// it points to; a replaced file keeps its permissions. Temporary files not
/// committed are removed.
class TAtomicFiles {
public:
  TAtomicFiles() = default;
  ~TAtomicFiles();
  TAtomicFiles(const TAtomicFiles&) = delete;
  TAtomicFiles& operator=(const TAtomicFiles&) = delete;

  /// Writes `text` to a temporary file beside `path`. Raises
  /// comp::EInOutError "Could not write the file <path>: <the system's
  /// reason>." on failure.
  void add(const std::string& path, std::string_view text);
  /// Renames every temporary file over its target. Raises comp::EInOutError
  /// as above, before renaming anything, when a target is a folder.
  void commit();

private:
  struct Entry {
    std::string target;  // as given, for messages
    std::string file;    // the file replaced: the target with links followed
    std::string temp;
  };
  std::vector<Entry> m_entries;
};

/// `path` with its extension (the part after the last "." of the file name)
/// replaced by `extension` (".zvm"); appended when there is none.
std::string changeFileExt(const std::string& path, const std::string& extension);

}  // namespace zrv::front
