#include "project/FileStamp.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace zrv::front {

namespace {

// The whole file, or nothing when it cannot be opened or read to its end.
std::optional<std::string> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

TFileStamp TFileStamp::OfText(std::string bytes) {
  TFileStamp stamp;
  stamp.m_bytes = std::move(bytes);
  return stamp;
}

TFileStamp TFileStamp::OfFile(const std::string& path) {
  TFileStamp stamp;
  stamp.m_bytes = readBytes(path);
  return stamp;
}

bool TFileStamp::ChangedOnDisk(const std::string& path) const {
  if (!m_bytes) return false;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  // A size that differs needs no reading.
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  if (!ec && size != m_bytes->size()) return true;
  const std::optional<std::string> now = readBytes(path);
  return !now || *now != *m_bytes;
}

}  // namespace zrv::front
