#include "project/ProjectText.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "base/exceptions.h"
#include "base/numbers.h"

#include <fcntl.h>
#include <unistd.h>

namespace zrv::front {

std::string formatReal(Extended value) { return comp::format_general(value, 8, '.'); }

std::string formatWide(Extended value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::scientific, 14);
  std::string s(buf, r.ptr);  // "-d.dddddddddddddde+XX" or "inf"/"nan"
  const auto e = s.find('e');
  if (e == std::string::npos) return s;
  std::string mantissa = s.substr(0, e);
  if (mantissa[0] != '-') mantissa.insert(mantissa.begin(), ' ');
  const char sign = s[e + 1];
  std::string digits = s.substr(e + 2);
  while (digits.size() < 4) digits.insert(digits.begin(), '0');
  return mantissa + 'E' + sign + digits;
}

std::string changeFileExt(const std::string& path, const std::string& extension) {
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + extension;
  return path.substr(0, dot) + extension;
}

namespace {

/// Refuses the save of `path` with the system's reason for `error`.
[[noreturn]] void cannotWrite(const std::string& path, int error) {
  throw comp::EInOutError("Could not write the file " + path + ": " + std::strerror(error) + ".");
}

/// Writes all of `text` to `fd`; the error, or 0.
int writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

/// The file that `path` names: a symbolic link is followed to its target
/// (also one that does not exist yet), so that a save replaces the file the
/// link points to and the link stays.
std::filesystem::path resolvedTarget(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  fs::path p = path;
  std::error_code ec;
  // A bounded walk: a loop of links ends as a file that cannot be written.
  for (int hops = 0; hops < 40 && fs::is_symlink(p, ec); ++hops) {
    const fs::path link = fs::read_symlink(p, ec);
    if (ec) break;
    p = link.is_absolute() ? link : p.parent_path() / link;
  }
  return p;
}

/// A hidden temporary name beside `target` that fits the folder's limit on
/// the length of a name: the target's name is shortened (at a character
/// boundary) to leave room for the dot and the suffix.
std::filesystem::path temporaryName(const std::filesystem::path& target, unsigned number) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  if (limit <= 0) limit = 255;
  const std::string suffix = ".tmp" + std::to_string(number);
  std::string base = target.filename().string();
  const std::size_t room = static_cast<std::size_t>(limit) - 1 - suffix.size();
  if (base.size() > room) {
    base.resize(room);
    // Drop a multi-byte character that was cut in two.
    std::size_t lead = base.size();
    while (lead > 0 && (static_cast<unsigned char>(base[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead > 0 && static_cast<unsigned char>(base[lead - 1]) >= 0xC0) {
      const unsigned char c = static_cast<unsigned char>(base[lead - 1]);
      const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
      if (base.size() - (lead - 1) < length) base.resize(lead - 1);
    }
  }
  return folder / ("." + base + suffix);
}

}  // namespace

TAtomicFiles::~TAtomicFiles() {
  std::error_code ec;
  for (const Entry& e : m_entries) std::filesystem::remove(e.temp, ec);
}

void TAtomicFiles::add(const std::string& path, std::string_view text) {
  namespace fs = std::filesystem;
  const fs::path target = resolvedTarget(path);
  std::random_device seed;
  std::error_code ec;
  fs::path temp;
  int fd = -1;
  // A new file of a free name: another file of that name is never written.
  do {
    temp = temporaryName(target, seed() % 1000000u);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EEXIST);
  if (fd < 0) cannotWrite(path, errno);
  m_entries.push_back({path, target.string(), temp.string()});
  // The replacement gets the old file's permissions before it holds anything.
  const fs::file_status old = fs::status(target, ec);
  if (!ec && fs::is_regular_file(old)) fs::permissions(temp, old.permissions(), ec);
  int error = writeAll(fd, text);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) cannotWrite(path, error);
}

void TAtomicFiles::commit() {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const Entry& e : m_entries)
    if (fs::is_directory(e.file, ec)) cannotWrite(e.target, EISDIR);
  while (!m_entries.empty()) {
    const Entry e = m_entries.front();
    fs::rename(e.temp, e.file, ec);
    if (ec) cannotWrite(e.target, ec.value());
    m_entries.erase(m_entries.begin());
  }
}

}  // namespace zrv::front
