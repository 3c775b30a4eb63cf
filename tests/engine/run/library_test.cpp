// The engine as a shared library loaded by name, and the batch runner.

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "test_support.h"
#include "zrv/izorvin.h"

namespace zrv::test {
namespace {

namespace fs = std::filesystem;

const std::string library = std::string(ZRV_BIN_DIR) + "/" + engine_library;
const std::string runner = std::string(ZRV_BIN_DIR) + "/zrv3-run";

std::string masked(const std::string& report) {
  static const std::regex date("RUN DATE -  \\d{4}-\\d{2}-\\d{2}");
  static const std::regex time("TIME     -  \\d{2}:\\d{2}:\\d{2}");
  return std::regex_replace(std::regex_replace(report, date, "RUN DATE -  yyyy-mm-dd"), time,
                            "TIME     -  hh:mm:ss");
}

void write_names(const TempDir& dir, const std::string& deck) {
  write_file(dir / "job.zvd", deck);
  std::string names = "3.0.13\n";
  for (const char* ext : {".zvd", ".zvo", ".zvp", ".zvr", ".zvt", ".zvm"})
    names += (dir / ("job" + std::string(ext))).string() + "\n";
  write_file(dir / "names.dat", names);
}

// Loads the library, calls its entry once in `dir` and unloads it.
int call_once(const TempDir& dir, int value, const char* name = entry_name) {
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  EXPECT_NE(handle, nullptr) << dlerror();
  if (handle == nullptr) return -1;
  auto entry = reinterpret_cast<EntryFunction>(dlsym(handle, name));
  EXPECT_NE(entry, nullptr);
  int code = -1;
  if (entry != nullptr) {
    ChangeDir here(dir.path());
    code = entry(value);
  }
  dlclose(handle);
  return code;
}

TEST(library, one_entry_under_two_names) {
  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  void* plain = dlsym(handle, entry_name_plain);
  void* underscored = dlsym(handle, entry_name);
  EXPECT_NE(plain, nullptr);
  EXPECT_EQ(plain, underscored);
  EXPECT_EQ(dlsym(handle, "_ZN3zrv10run_engineEi"), nullptr);  // the engine stays hidden
  dlclose(handle);
}

// Only the interface value that the callers pass is accepted.
TEST(library, wrong_value_creates_no_file) {
  TempDir dir;
  EXPECT_EQ(call_once(dir, interface_value - 1), run_wrong_value);
  EXPECT_EQ(call_once(dir, interface_value + 1, entry_name_plain), run_wrong_value);
  EXPECT_TRUE(fs::is_empty(dir.path()));
  write_names(dir, "STOP\n");
  EXPECT_EQ(call_once(dir, interface_value), run_stopped);
}

TEST(library, reloaded_library_gives_the_same_report) {
  const std::string deck = "TITLE=Reload\nGRAVITY=9.8\nMATRIX\nSTOP\n";
  TempDir a;
  write_names(a, deck);
  EXPECT_EQ(call_once(a, 13), 2);
  const std::string first = masked(read_file(a / "job.zvo"));
  TempDir b;
  write_names(b, "NOECHO\nGRAVITY=32.2\nTITLE=Other\nSTOP\n");
  EXPECT_EQ(call_once(b, 13), 2);
  EXPECT_EQ(call_once(a, 13), 2);
  EXPECT_EQ(masked(read_file(a / "job.zvo")), first);
  EXPECT_NE(first.find(" Reload"), std::string::npos);
}

struct Command {
  int status = -1;
  std::string out;
};

Command run_command(const std::string& command) {
  Command c;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return c;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) c.out += buffer;
  const int raw = pclose(pipe);
  c.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return c;
}

TEST(zrv3_run, runs_a_deck_in_a_fresh_folder) {
  TempDir dir, temp;
  write_file(dir / "fan.zvd", "TITLE=Batch\nGRAVITY=9.8\nSTOP\n");
  const std::string in_temp = "TMPDIR='" + temp.path().string() + "' " + runner;
  // Kept on request: the folder in the temporary folder holds the names file
  // and the scratch files.
  const Command c = run_command(in_temp + " --keep " + (dir / "fan.zvd").string());
  EXPECT_EQ(c.status, 2);
  std::smatch m;
  ASSERT_TRUE(std::regex_match(c.out, m, std::regex("Run folder: (.+)\nRun code: 2\n")))
      << c.out;
  const fs::path folder = m[1].str();
  EXPECT_EQ(folder.parent_path(), temp.path());
  const std::string base = (dir / "fan").string();
  EXPECT_EQ(read_file(folder / "names.dat"), "3.0.13\n" + base + ".zvd\n" + base + ".zvo\n" +
                                                 base + ".zvp\n" + base + ".zvr\n" + base +
                                                 ".zvt\n" + base + ".zvm\n");
  EXPECT_TRUE(fs::exists(folder / "TAPE7"));
  EXPECT_TRUE(fs::exists(folder / "TAPE8"));
  EXPECT_NE(read_file(dir / "fan.zvo").find(" *** RUN TERMINATED BY 'STOP' KEYWORD ***"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(dir / "fan.zvp"));
  fs::remove_all(folder);
  // By default the run folder is gone when the run ends; the outputs stay.
  fs::remove(dir / "fan.zvo");
  const Command d = run_command(in_temp + " " + (dir / "fan.zvd").string());
  EXPECT_EQ(d.status, 2);
  EXPECT_EQ(d.out, "Run code: 2\n");
  EXPECT_TRUE(fs::is_empty(temp.path()));
  EXPECT_TRUE(fs::exists(dir / "fan.zvo"));
}

TEST(zrv3_run, usage_and_missing_deck) {
  EXPECT_EQ(run_command(runner).status, 64);
  EXPECT_EQ(run_command(runner + " --kept x.zvd").status, 64);
  TempDir dir;
  EXPECT_EQ(run_command(runner + " " + (dir / "none.zvd").string()).status, 64);
}

}  // namespace
}  // namespace zrv::test
