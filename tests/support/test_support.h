#pragma once
// Helpers shared by the tests.
#include <filesystem>
#include <string>

namespace zrv::test {

// A fresh empty folder under the system's temporary folder, removed with the object.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
  std::filesystem::path path_;
};

// Makes `dir` the current folder for the object's lifetime.
class ChangeDir {
public:
  explicit ChangeDir(const std::filesystem::path& dir);
  ~ChangeDir();
  ChangeDir(const ChangeDir&) = delete;
  ChangeDir& operator=(const ChangeDir&) = delete;

private:
  std::filesystem::path old_;
};

std::string read_file(const std::filesystem::path& p);
void write_file(const std::filesystem::path& p, const std::string& text);

}  // namespace zrv::test
