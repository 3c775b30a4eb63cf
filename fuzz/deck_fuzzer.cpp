// Runs the whole engine on one fuzzer input taken as a project deck.
//
// The input is written as the deck of a run folder together with a names file;
// the text after the first line that starts with "RUN" (the project tail, which
// the engine never reads as deck) becomes the mass file, so the mass-echo reader
// is exercised too. An input without such a line leaves the mass file missing.
// A run that ends with result 0 must leave clean outputs (output_oracle.h).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

#include "output_oracle.h"
#include "run/entry.h"
#include "zorvin_version.h"
#include "zrv/names_file.h"

namespace {

namespace fs = std::filesystem;

fs::path g_folder;  // the run folder
fs::path g_home;    // the fuzzer's own folder, where its corpus and artifacts live

void write_bytes(const fs::path& p, std::string_view bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Text after the first line that begins with "RUN", or nothing.
std::string_view project_tail(std::string_view deck) {
  std::size_t pos = 0;
  while (pos < deck.size()) {
    std::size_t end = deck.find('\n', pos);
    if (end == std::string_view::npos) return {};
    if (deck.substr(pos, 3) == "RUN") return deck.substr(end + 1);
    pos = end + 1;
  }
  return {};
}

std::string read_bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A run that ended with result 0 must have clean outputs: no NaN, infinity or
// field of asterisks among the numbers of the report or the plot data.
void check_outputs(std::string_view deck) {
  for (const char* name : {"deck.zvo", "deck.zvp"}) {
    const std::string fault = zrv::fuzz::output_fault(read_bytes(g_folder / name), deck);
    if (!fault.empty()) {
      std::fprintf(stderr, "result 0 but %s, %s\n", name, fault.c_str());
      std::abort();
    }
  }
}

void remove_folder() {
  std::error_code ec;
  fs::remove_all(g_folder, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = (fs::temp_directory_path() / "zrv-fuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  g_folder = pattern;
  g_home = fs::current_path();
  std::atexit(remove_folder);
  // The fuzzer runs one process per core: one analysis thread each is enough.
  setenv("ZORVIN_THREADS", "1", 0);
  // Absolute paths, as the program writes them.
  std::ofstream names(g_folder / "names.dat", std::ios::trunc);
  names << zrv::names_file_text(ZORVIN_VERSION, (g_folder / "deck.zvd").string());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view deck(reinterpret_cast<const char*>(data), size);
  write_bytes(g_folder / "deck.zvd", deck);
  const std::string_view tail = project_tail(deck);
  std::error_code ec;
  if (tail.empty()) {
    fs::remove(g_folder / "deck.zvm", ec);
  } else {
    write_bytes(g_folder / "deck.zvm", tail);
  }
  // The engine works in the current folder; the fuzzer's relative paths need
  // its own folder back afterwards.
  fs::current_path(g_folder);
  const int result = zrv::run_engine(zrv::interface_value);
  fs::current_path(g_home);
  // Every ending of a run is one of the documented results.
  if (result < 0 || result > 4 || result == 1) std::abort();
  if (result == 0) check_outputs(deck);
  return 0;
}
