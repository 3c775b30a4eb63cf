// The run of the engine library: what happens around the call when the
// library, its entry or the run folder cannot be used.
#include "app/AnalysisRun.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/exceptions.h"
#include "expect.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace zrv::front {
namespace {

QString q(const fs::path& p) { return QString::fromStdString(p.string()); }

class AnalysisRunTest : public ::testing::Test {
protected:
  test::TempDir work, run;
  test::ChangeDir keepDir{fs::current_path()};
  fs::path deck = work / "job.zvd";
  void SetUp() override {
    test::write_file(deck, "TITLE=x\n");
    test::write_file(work / "job.zvp", "1\n");
  }
};

TEST_F(AnalysisRunTest, AMissingLibraryCallsNothingAndCleansUp) {
  bool called = false;
  const TRunOutcome out = RunEngine(q(deck), q(work / "libzrv3-comp.so"), q(run.path()), [&] { called = true; });
  EXPECT_EQ(out.status, TRunStatus::LibraryFailed);
  EXPECT_FALSE(called);
  EXPECT_FALSE(fs::exists(run / "names.dat"));
  EXPECT_FALSE(fs::exists(work / "job.zvp"));  // never the results of an earlier run
  EXPECT_TRUE(fs::exists(deck));
  EXPECT_EQ(fs::current_path(), run.path());
}

TEST_F(AnalysisRunTest, ALibraryWithoutTheEntryIsRefused) {
  // The C library is loaded everywhere and exports no engine entry.
  const TRunOutcome out = RunEngine(q(deck), "libc.so.6", q(run.path()));
  EXPECT_EQ(out.status, TRunStatus::LibraryFailed);
  EXPECT_EQ(out.code, -1);
}

TEST_F(AnalysisRunTest, ARunFolderThatCannotBeMadeIsReported) {
  test::write_file(work / "blocked", "a file, not a folder");
  const fs::path folder = work / "blocked" / "run";
  EXPECT_THROW_MSG(RunEngine(q(deck), "libc.so.6", q(folder)), comp::EInOutError,
                   "Cannot use the run folder " + folder.string());
  // Nothing was touched: the old plot data are still there.
  EXPECT_TRUE(fs::exists(work / "job.zvp"));
}

}  // namespace
}  // namespace zrv::front
