#pragma once
// What the program last read from or wrote to the project file, to tell
// whether the file was changed since by someone else (a text editor, another
// program). The comparison is by content: a file saved again unchanged, or
// only touched, counts as unchanged, and no clock or time resolution of the
// file system enters.

#include <optional>
#include <string>

namespace zrv::front {

class TFileStamp {
public:
  /// Nothing read or written yet: no file counts as changed.
  TFileStamp() = default;
  /// The bytes the program wrote (or read).
  static TFileStamp OfText(std::string bytes);
  /// The present bytes of the file `path`; an empty stamp when it cannot be
  /// read.
  static TFileStamp OfFile(const std::string& path);

  /// True when `path` holds something else than what the stamp remembers: a
  /// regular file whose bytes differ or cannot be read. A stamp of nothing,
  /// a missing file or a folder in its place is never a change: nothing of
  /// the user's would be lost by writing there.
  bool ChangedOnDisk(const std::string& path) const;

private:
  std::optional<std::string> m_bytes;
};

}  // namespace zrv::front
