// Every deck that the writer produces for the generated projects runs
// through the engine without an input error. The engine is run as the batch
// runner beside the test programs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "project_fixtures.h"
#include "test_support.h"

namespace zrv::front {
namespace {

using namespace fixtures;

TEST(ProjectDeckInEngine, EveryGeneratedDeckReadsWithoutInputError) {
  const std::filesystem::path runner = std::filesystem::path(ZRV_BIN_DIR) / "zrv3-run";
  ASSERT_TRUE(std::filesystem::exists(runner)) << "build the zrv3-run target first";
  zrv::test::TempDir dir;
  TProjectTables tables;
  NullProjectHost host;
  for (const Generated& g : allProjects()) {
    SCOPED_TRACE(g.name);
    TProgramData p(tables, host);
    g.make(p);
    p.FileName = (dir / (g.name + ".zvd")).string();
    p.WriteInputFiles();
    const std::string command =
        runner.string() + " '" + p.FileName + "' > '" + (dir / (g.name + ".log")).string() + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string report = zrv::test::read_file(dir / (g.name + ".zvo"));
    ASSERT_FALSE(report.empty());
    for (const char* marker : {"ERROR", "UNRECOGNIZED", "INVALID", "IMPROPER", "IGNORE", "BAD DATA", "ENDED"})
      EXPECT_EQ(report.find(marker), std::string::npos) << marker << " in the report of " << g.name;
    // Pile groups and multilayer systems may not be analysed yet; every
    // other system runs to the end.
    if (report.find("NOT ANALYSED BY THIS VERSION") == std::string::npos) {
      EXPECT_EQ(status, 0);
    }
  }
}

}  // namespace
}  // namespace zrv::front
