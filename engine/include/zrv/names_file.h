#pragma once
// The names file "names.dat" that a caller writes before it calls the entry:
// which deck to read and where the engine's files go. The program and the
// batch runner build it here, so that both hand the engine the same lines.

#include <initializer_list>
#include <string>

namespace zrv {

/// `path` with the extension of its file name (from the last "." after the
/// last "/") replaced by `extension` (".zvo"); appended when there is none.
inline std::string with_extension(const std::string& path, const char* extension) {
  const std::string::size_type slash = path.rfind('/');
  const std::string::size_type dot = path.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return path.substr(0, dot) + extension;
  return path + extension;
}

/// The seven lines of the names file for the deck `deck`, each ended by LF:
/// the version text, the deck, then its report (.zvo), plot-data (.zvp),
/// run-notes (.zvr), geometry (.zvt) and mass (.zvm) paths.
inline std::string names_file_text(const std::string& version, const std::string& deck) {
  std::string text = version + '\n' + deck + '\n';
  for (const char* extension : {".zvo", ".zvp", ".zvr", ".zvt", ".zvm"})
    text += with_extension(deck, extension) + '\n';
  return text;
}

}  // namespace zrv
