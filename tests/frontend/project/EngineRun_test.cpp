// Every deck that the writer produces for the generated projects runs
// through the engine without an input error. The engine is run as the batch
// runner beside the test programs.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "project/PlotDataReader.h"
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
  for (const Generated& g : allProjects()) {
    SCOPED_TRACE(g.name);
    TProgramData p(tables);
    g.make(p);
    p.FileName = (dir / (g.name + ".zvd")).string();
    p.WriteInputFiles();
    const std::string command =
        runner.string() + " '" + p.FileName + "' > '" + (dir / (g.name + ".log")).string() + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string report = zrv::test::read_file(dir / (g.name + ".zvo"));
    ASSERT_FALSE(report.empty());
    for (const char* marker : {"ERROR", "UNRECOGNIZED", "INVALID", "IMPROPER", "IGNORE", "BAD DATA", "ENDED",
                               "EXPECTED", "MISSING", "NOT ALLOWED", "NOT GOOD", "WITHOUT THE", "PRECEEDED",
                               "WARNING", "COULD NOT"})
      EXPECT_EQ(report.find(marker), std::string::npos) << marker << " in the report of " << g.name;
    EXPECT_EQ(status, 0);

    // The engine's plot data read back: one point per frequency, from the
    // lowest frequency of the project on.
    TResultPlots plots;
    ASSERT_TRUE(ReadPlotData((dir / (g.name + ".zvp")).string(), plots, p.UnitSystem, p.GenerateMatrix, p.LoadType));
    if (p.LoadType == 1) {
      const long expected = std::lround(static_cast<double>((p.MaxFrequency - p.MinFrequency) / p.FrequencyStep)) + 1;
      EXPECT_EQ(plots.pltDxyzR.PointCount(), expected);
      EXPECT_NEAR(static_cast<double>(plots.pltDxyzR.Point(0, 0).X), static_cast<double>(p.MinFrequency) * 6.28 / 6.2832,
                  0.01);
      EXPECT_GT(plots.pltDxyzR.Point(0, 0).Y, 0);
    } else if (p.LoadType == 2) {
      EXPECT_EQ(plots.pltRealKXX.PointCount(), p.PointCount / 2 + 1);
    }
    if (p.GenerateMatrix == 1) {
      EXPECT_EQ(plots.pltRealKXX.LineCount(), 3);
      EXPECT_GT(plots.pltRealKXX.Point(0, 1).Y, 0);
    }
  }
}

}  // namespace
}  // namespace zrv::front
