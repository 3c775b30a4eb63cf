#include "loader/dynlib.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/exceptions.h"
#include "expect.h"
#include "test_support.h"

using zrv::comp::EDLLError;
using zrv::comp::EDLLNotOpenError;
using zrv::comp::EFileNotFoundError;
using zrv::comp::TDynamicLibrary;

namespace {

// True while the process holds `path` loaded (asked without loading it).
bool loaded(const std::string& path) {
  void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (h == nullptr) return false;
  dlclose(h);
  return true;
}

}  // namespace

TEST(dynlib, good_library_gives_its_entries) {
  TDynamicLibrary lib;
  EXPECT_FALSE(lib.IsOpen());
  EXPECT_EQ(lib.LibraryName(), "");
  lib.SetLibraryName(ZRVT_GOOD_LIB);
  EXPECT_FALSE(loaded(ZRVT_GOOD_LIB));  // naming does not load
  lib.Open();
  ASSERT_TRUE(lib.IsOpen());
  auto answer = reinterpret_cast<int (*)(int)>(lib.GetProcAddress("zrvt_answer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(3), 7);
  // An entry the library does not export is a null pointer, not an error.
  EXPECT_EQ(lib.GetProcAddress("zrvt_no_such_entry"), nullptr);
  lib.Close();
  EXPECT_FALSE(lib.IsOpen());
  EXPECT_FALSE(loaded(ZRVT_GOOD_LIB));
  EXPECT_THROW_MSG(lib.GetProcAddress("zrvt_answer"), EDLLNotOpenError, "Library is not open");
}

TEST(dynlib, opening_twice_loads_once_and_renaming_frees) {
  {
    TDynamicLibrary lib;
    lib.SetLibraryName(ZRVT_GOOD_LIB);
    lib.Open();
    lib.Open();
    // One Close drops the only reference: the library was loaded once.
    lib.Close();
    EXPECT_FALSE(loaded(ZRVT_GOOD_LIB));

    lib.Open();
    EXPECT_TRUE(loaded(ZRVT_GOOD_LIB));
    lib.SetLibraryName(ZRVT_NEEDS_DEP_LIB);
    EXPECT_FALSE(lib.IsOpen());
    EXPECT_FALSE(loaded(ZRVT_GOOD_LIB));
    EXPECT_EQ(lib.LibraryName(), ZRVT_NEEDS_DEP_LIB);

    lib.SetLibraryName(ZRVT_GOOD_LIB);
    lib.Open();
    EXPECT_TRUE(loaded(ZRVT_GOOD_LIB));
  }
  // The destructor freed it.
  EXPECT_FALSE(loaded(ZRVT_GOOD_LIB));
}

TEST(dynlib, look_up_before_open_and_missing_file_raise_not_open) {
  TDynamicLibrary lib;
  EXPECT_THROW_MSG(lib.GetProcAddress("x"), EDLLNotOpenError, "Library is not open");

  zrv::test::TempDir dir;
  const std::string missing = (dir / "libzrvt_missing.so").string();
  lib.SetLibraryName(missing);
  EXPECT_NO_THROW(lib.Open());
  EXPECT_FALSE(lib.IsOpen());
  EXPECT_THROW_MSG(lib.GetProcAddress("zrvt_answer"), EDLLError, "Library is not open");

  // A bare name that no search path holds behaves the same.
  lib.SetLibraryName("libzrvt_missing_too.so");
  EXPECT_NO_THROW(lib.Open());
  EXPECT_FALSE(lib.IsOpen());

  // So does an empty name.
  TDynamicLibrary unnamed;
  EXPECT_NO_THROW(unnamed.Open());
  EXPECT_THROW_MSG(unnamed.GetProcAddress("x"), EDLLNotOpenError, "Library is not open");
}

TEST(dynlib, missing_dependency_raises_could_not_be_located) {
  TDynamicLibrary lib;
  lib.SetLibraryName(ZRVT_NEEDS_DEP_LIB);
  EXPECT_THROW_MSG(lib.Open(), EFileNotFoundError, "Library could not be located");
  EXPECT_FALSE(lib.IsOpen());

  // The same library copied elsewhere, opened by a path without folder parts
  // relative to the current folder, fails the same way.
  zrv::test::TempDir dir;
  std::filesystem::copy_file(ZRVT_NEEDS_DEP_LIB, dir / "libcopy.so");
  zrv::test::ChangeDir cd(dir.path());
  lib.SetLibraryName("./libcopy.so");
  EXPECT_THROW(lib.Open(), EDLLError);
  EXPECT_FALSE(lib.IsOpen());
}

TEST(dynlib, unresolved_entry_of_the_library_leaves_it_closed) {
  // The file is found and has no missing dependency, but one of the entries
  // its code calls is defined nowhere: no exception, and the library is not open.
  TDynamicLibrary lib;
  lib.SetLibraryName(ZRVT_UNDEFINED_LIB);
  EXPECT_NO_THROW(lib.Open());
  EXPECT_FALSE(lib.IsOpen());
  EXPECT_FALSE(loaded(ZRVT_UNDEFINED_LIB));
  EXPECT_THROW_MSG(lib.GetProcAddress("zrvt_calls_nowhere"), EDLLNotOpenError, "Library is not open");
}

namespace zrv::comp {
namespace {

// A copy of the first `bytes` bytes of `library`, as an interrupted copy leaves it.
std::string cutCopy(const std::filesystem::path& folder, const std::string& library, std::uintmax_t bytes) {
  const std::string copy = (folder / ("cut-" + std::to_string(bytes) + ".so")).string();
  std::filesystem::copy_file(library, copy);
  std::filesystem::resize_file(copy, bytes);
  return copy;
}

TEST(dynlib, library_cut_short_is_not_opened) {
  // Cut in the header, in the program headers, inside a loadable segment
  // (the system loader would fault on its missing pages) and in the section
  // headers at the end (every segment whole): each is left closed, as a
  // missing file is. A whole copy in the same folder opens.
  zrv::test::TempDir dir;
  for (const char* library : {ZRVT_GOOD_LIB, ZRVT_ENGINE_LIB}) {
    SCOPED_TRACE(library);
    const std::uintmax_t size = std::filesystem::file_size(library);
    for (const std::uintmax_t bytes : {std::uintmax_t{40}, std::uintmax_t{100}, size / 4, size / 2, size - 1}) {
      SCOPED_TRACE(bytes);
      TDynamicLibrary lib;
      lib.SetLibraryName(cutCopy(dir.path(), library, bytes));
      EXPECT_NO_THROW(lib.Open());
      EXPECT_FALSE(lib.IsOpen());
      EXPECT_THROW_MSG(lib.GetProcAddress("zrvt_answer"), EDLLNotOpenError, "Library is not open");
      std::filesystem::remove(lib.LibraryName());
    }
  }
  TDynamicLibrary whole;
  whole.SetLibraryName((dir / "whole.so").string());
  std::filesystem::copy_file(ZRVT_GOOD_LIB, whole.LibraryName());
  whole.Open();
  EXPECT_TRUE(whole.IsOpen());
}

}  // namespace
}  // namespace zrv::comp
