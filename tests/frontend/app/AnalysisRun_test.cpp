// The run of the engine library: what happens around the call when the
// library, its entry or the run folder cannot be used, and the progress
// dialog that holds the input while the call runs.
#include "app/AnalysisRun.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressBar>
#include <QThread>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "app/RunAnalysis.h"

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
  test::ChangeDir inWork(work.path());
  bool called = false;
  const TRunOutcome out = RunEngine(q(deck), q(work / "libzrv3-comp.so"), q(run.path()),
                                    [&](const std::function<int()>& call) {
                                      called = true;
                                      return call();
                                    });
  EXPECT_EQ(out.status, TRunStatus::LibraryFailed);
  EXPECT_FALSE(called);
  EXPECT_FALSE(fs::exists(run / "names.dat"));
  EXPECT_FALSE(fs::exists(work / "job.zvp"));  // never the results of an earlier run
  EXPECT_TRUE(fs::exists(deck));
  EXPECT_EQ(fs::current_path(), work.path());  // the run folder is the engine's alone
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

TEST_F(AnalysisRunTest, AFileTheEngineCannotOpenIsNamedWithTheReason) {
  const QString engine = q(fs::path(ZRV_BIN_DIR) / "libzrv3-comp.so");
  const QString isFolder = QString::fromLocal8Bit(std::strerror(EISDIR));
  // A folder in the way of the plot data: the engine opens the report and the
  // project, fails on it and says so in the report.
  fs::remove(work / "job.zvp");
  fs::create_directory(work / "job.zvp");
  TRunOutcome out = RunEngine(q(deck), engine, q(run.path()));
  ASSERT_EQ(out.status, TRunStatus::Called);
  ASSERT_EQ(out.code, 4);
  EXPECT_EQ(out.fault.file, q(work / "job.zvp"));
  EXPECT_EQ(out.fault.reason, isFolder);
  const std::string engineLine = "GRAPHIC DATA FILE COULD NOT BE OPENED: " + (work / "job.zvp").string();
  EXPECT_NE(test::read_file(work / "job.zvo").find(engineLine), std::string::npos);
  EXPECT_EQ(RunResultMessage(out.code, out.fault),
            "The analysis stopped because a file could not be opened (result 4): " + q(work / "job.zvp") + ": " +
                isFolder + ". Please, check output file for error messages.");

  // A folder in the way of the report: no report to point to.
  fs::remove(work / "job.zvo");
  fs::create_directory(work / "job.zvo");
  out = RunEngine(q(deck), engine, q(run.path()));
  ASSERT_EQ(out.code, 4);
  EXPECT_EQ(RunResultMessage(out.code, out.fault),
            "The analysis stopped because a file could not be opened (result 4): " + q(work / "job.zvo") + ": " +
                isFolder + ".");
}

TEST(RunProgressTest, TheCallRunsOnAWorkerWhileTheModalDialogMovesItsBar) {
  TDlgRunAnalysis progress;
  const QThread* gui = QThread::currentThread();
  const QThread* caller = nullptr;
  // Set on the window's side when the bar moved while the dialog held the input.
  std::atomic<bool> moved{false};
  QObject::connect(progress.ProgressBarRun(), &QProgressBar::valueChanged, [&] {
    if (QApplication::activeModalWidget() == &progress) moved = true;
  });
  const int code = progress.RunWhile([&] {
    caller = QThread::currentThread();
    // The call lasts until the bar has moved (bounded, should the window stand still).
    for (int i = 0; i < 2000 && !moved; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return moved ? 7 : -7;
  });
  EXPECT_EQ(code, 7);
  EXPECT_NE(caller, gui);
  EXPECT_FALSE(progress.isVisible());
}

}  // namespace
}  // namespace zrv::front
