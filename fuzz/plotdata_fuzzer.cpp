// Parses one fuzzer input as a plot-data file, once for each kind of project
// that gives the file its layout: with and without the stiffness and damping
// records, with and without the response records of a harmonic load. All
// reads go into the same plots, as when a project is run again, so that a
// read also meets the curves and points of the one before.
//
// The parser reports a damaged file by returning false; an exception that
// escapes it, a crash, a sanitizer report or a hang is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "project/PlotDataReader.h"

namespace {

namespace fs = std::filesystem;

fs::path g_folder;   // the run folder
std::string g_file;  // the plot-data file in it

void remove_folder() {
  std::error_code ec;
  fs::remove_all(g_folder, ec);
}

struct Layout {
  int unitSystem, generateMatrix, loadType;
};

// Matrix and harmonic response, matrix only (transient and random loads),
// response only, and neither.
constexpr Layout kLayouts[] = {{2, 1, 1}, {1, 1, 2}, {2, 0, 1}, {1, 0, 3}};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string pattern = (fs::temp_directory_path() / "zrv-fuzz-plotdata-XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  g_folder = pattern;
  g_file = (g_folder / "deck.zvp").string();
  std::atexit(remove_folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    std::ofstream out(g_file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  zrv::front::TResultPlots plots;
  for (const Layout& l : kLayouts) zrv::front::ReadPlotData(g_file, plots, l.unitSystem, l.generateMatrix, l.loadType);
  return 0;
}
