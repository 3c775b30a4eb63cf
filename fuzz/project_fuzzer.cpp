// Reads one fuzzer input as a project file into a fresh project.
//
// The input is written as the project file of a run folder and read with the
// project reader. The reader's documented failures (comp::EInOutError for a
// file that cannot be read or ends early, comp::EConvertError for a text that
// is not a number) are ordinary endings, but must leave the tables as they
// were; any other exception escapes and is reported by
// the fuzzer, as are crashes, sanitizer reports and hangs.
//
// The reader takes the mass components from the tail of the project file
// itself and never opens the mass file, so none is written.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>

#include "base/exceptions.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"

namespace {

namespace fs = std::filesystem;
using zrv::front::TProjectTables;

fs::path g_folder;   // the run folder
std::string g_deck;  // the project file in it

// One set of tables lives for the whole run, as in the program; each input
// meets the tables the one before left.
TProjectTables* g_tables = nullptr;

using Images = std::array<zrv::front::TTableImage, TProjectTables::kCount>;

Images capture() {
  Images images;
  for (int i = 0; i < TProjectTables::kCount; ++i)
    images[static_cast<std::size_t>(i)] = zrv::front::captureTable(g_tables->at(i));
  return images;
}

void remove_folder() {
  std::error_code ec;
  fs::remove_all(g_folder, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = (fs::temp_directory_path() / "zrv-fuzz-project-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  g_folder = pattern;
  g_deck = (g_folder / "deck.zvd").string();
  std::atexit(remove_folder);
  g_tables = new TProjectTables();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(g_deck, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const Images before = capture();
  bool failed = false;
  try {
    std::unique_ptr<zrv::front::TProgramData> project =
        zrv::front::TProgramData::CreateFromFile(g_deck, *g_tables);
    if (!project) std::abort();
  } catch (const zrv::comp::EInOutError&) {
    failed = true;
  } catch (const zrv::comp::EConvertError&) {
    failed = true;
  }
  // A file that cannot be read changes nothing.
  if (failed && capture() != before) std::abort();
  return 0;
}
