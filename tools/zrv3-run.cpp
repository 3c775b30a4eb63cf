// Batch runner: runs the engine library on one deck from the command line.
//
//   zrv3-run [--keep] DECK
//
// Makes a fresh run folder in the temporary folder, writes names.dat there
// with the deck's report, plot-data, run-notes, geometry and mass paths beside
// the deck, makes the folder current, loads libzrv3-comp.so from the folder of
// this program, calls its entry with 13, prints the run code and exits with
// it. The run folder (names.dat and the engine's scratch files TAPE7 and
// TAPE8) is removed when the run ends; with --keep it stays and its path is
// printed.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
#include <utility>

#include "zorvin_version.h"
#include "zrv/izorvin.h"
#include "zrv/names_file.h"

#ifdef ZORVIN_HAVE_LOADER
#include "base/exceptions.h"
#include "loader/dynlib.h"
#else
#include <dlfcn.h>
#endif

namespace fs = std::filesystem;

namespace {

constexpr int exit_usage = 64;
constexpr int exit_setup = 70;

fs::path make_run_folder() {
  std::string pattern = (fs::temp_directory_path() / "zrv3-run-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return fs::path(pattern);
}

bool write_names(const fs::path& folder, const fs::path& deck) {
  std::ofstream out(folder / "names.dat", std::ios::binary | std::ios::trunc);
  out << zrv::names_file_text(ZORVIN_VERSION, deck.string());
  out.close();
  return static_cast<bool>(out);
}

fs::path program_folder(const char* argv0) {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) self = fs::absolute(argv0, ec);
  return self.parent_path();
}

// Loads the library, calls its entry and returns the run code, or -1 with a
// message when the library or its entry could not be used.
int call_engine(const fs::path& library) {
#ifdef ZORVIN_HAVE_LOADER
  try {
    zrv::comp::TDynamicLibrary lib;
    lib.SetLibraryName(library.string());
    lib.Open();
    auto entry = reinterpret_cast<zrv::EntryFunction>(lib.GetProcAddress(zrv::entry_name));
    if (entry == nullptr) {
      std::cerr << "zrv3-run: " << library.string() << " has no entry " << zrv::entry_name << '\n';
      return -1;
    }
    return entry(zrv::interface_value);
  } catch (const zrv::comp::EDLLError& e) {
    std::cerr << "zrv3-run: " << library.string() << ": " << e.what() << '\n';
    return -1;
  }
#else
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    std::cerr << "zrv3-run: " << dlerror() << '\n';
    return -1;
  }
  auto entry = reinterpret_cast<zrv::EntryFunction>(dlsym(handle, zrv::entry_name));
  if (entry == nullptr) {
    std::cerr << "zrv3-run: " << library.string() << " has no entry " << zrv::entry_name << '\n';
    dlclose(handle);
    return -1;
  }
  const int code = entry(zrv::interface_value);
  dlclose(handle);
  return code;
#endif
}

// Removes the run folder when the run ends, unless it is to be kept; the
// folder that was current before is made current again first.
class RunFolder {
 public:
  RunFolder(fs::path folder, bool keep) : folder_(std::move(folder)), keep_(keep) {
    std::error_code ec;
    before_ = fs::current_path(ec);
  }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  ~RunFolder() {
    if (keep_) return;
    std::error_code ec;
    if (!before_.empty()) fs::current_path(before_, ec);
    fs::remove_all(folder_, ec);
  }

 private:
  fs::path folder_;
  fs::path before_;
  bool keep_;
};

}  // namespace

int main(int argc, char** argv) {
  const bool keep = argc == 3 && std::string(argv[1]) == "--keep";
  if (argc != 2 && !keep) {
    std::cerr << "usage: zrv3-run [--keep] DECK\n"
                 "  --keep  keep the run folder (names.dat, TAPE7, TAPE8) and print its path\n";
    return exit_usage;
  }
  const char* deck_arg = argv[argc - 1];
  std::error_code ec;
  const fs::path deck = fs::absolute(deck_arg, ec).lexically_normal();
  if (ec || !fs::is_regular_file(deck)) {
    std::cerr << "zrv3-run: no such deck: " << deck_arg << '\n';
    return exit_usage;
  }
  const fs::path library = program_folder(argv[0]) / zrv::engine_library;
  const fs::path folder = make_run_folder();
  if (folder.empty()) {
    std::cerr << "zrv3-run: could not make a run folder\n";
    return exit_setup;
  }
  const RunFolder cleanup(folder, keep);
  if (keep) std::cout << "Run folder: " << folder.string() << std::endl;
  if (!write_names(folder, deck)) {
    std::cerr << "zrv3-run: could not write " << (folder / "names.dat").string() << '\n';
    return exit_setup;
  }
  fs::current_path(folder, ec);
  if (ec) {
    std::cerr << "zrv3-run: could not enter " << folder.string() << '\n';
    return exit_setup;
  }
  const int code = call_engine(library);
  if (code < 0) return exit_setup;
  std::cout << "Run code: " << code << std::endl;
  return code;
}
