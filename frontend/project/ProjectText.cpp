#include "project/ProjectText.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "base/exceptions.h"
#include "base/numbers.h"

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

[[noreturn]] void cannotWrite(const std::string& path) {
  throw comp::EInOutError("Could not write the file " + path + ".");
}

}  // namespace

TAtomicFiles::~TAtomicFiles() {
  std::error_code ec;
  for (const Entry& e : m_entries) std::filesystem::remove(e.temp, ec);
}

void TAtomicFiles::add(const std::string& path, std::string_view text) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  std::random_device seed;
  std::string name = ".";
  name += target.filename().string();
  name += ".tmp" + std::to_string(seed() % 1000000u);
  const std::string temp = (target.parent_path() / name).string();
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  if (!out) cannotWrite(path);
  m_entries.push_back({path, temp});
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) cannotWrite(path);
}

void TAtomicFiles::commit() {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const Entry& e : m_entries)
    if (fs::is_directory(e.target, ec)) cannotWrite(e.target);
  while (!m_entries.empty()) {
    const Entry e = m_entries.front();
    fs::rename(e.temp, e.target, ec);
    if (ec) cannotWrite(e.target);
    m_entries.erase(m_entries.begin());
  }
}

}  // namespace zrv::front
