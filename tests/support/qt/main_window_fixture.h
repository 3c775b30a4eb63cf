#pragma once
// The main window under test: user settings in a temporary folder, the
// recorded messages cleared, a run folder and a work folder of its own, and
// the outside-world hooks put back after each test.
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "app/Desktop.h"
#include "app/MainForm.h"
#include "qt_test_support.h"
#include "test_support.h"

namespace zrv::test {

inline QString q(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

class MainWindowTest : public ::testing::Test {
protected:
  /// Points the user settings (native and INI) into `settings` and clears
  /// the recorded messages; the first step of SetUp.
  void isolate() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, q(settings.path()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, q(settings.path()));
    recordedMessages().clear();
  }
  /// Makes the window with its run folder, shows and starts it; the last
  /// step of SetUp, after the hooks are set.
  void startWindow() {
    window = std::make_unique<front::TMainForm>();
    window->SetRunFolder(q(run.path() / "run"));
    window->show();
    window->Start();
  }
  void TearDown() override {
    window.reset();
    front::resetDesktop();
  }

  /// Copies example `name` (deck and mass file) into the work folder; with
  /// `analysed`, also runs it through the engine with the batch runner, so
  /// that its report and plot data lie beside it.
  std::filesystem::path example(const std::string& name, bool analysed = false) {
    namespace fs = std::filesystem;
    for (const char* ext : {".zvd", ".zvm"}) {
      const fs::path from = fs::path(ZRV_EXAMPLES_DIR) / (name + ext);
      if (fs::exists(from)) fs::copy_file(from, work / (name + ext), fs::copy_options::overwrite_existing);
    }
    const fs::path deck = work / (name + ".zvd");
    if (analysed) {
      const std::string command = std::string(ZRV_BIN_DIR) + "/zrv3-run '" + deck.string() + "' >/dev/null";
      EXPECT_EQ(std::system(command.c_str()), 0) << command;
      EXPECT_TRUE(fs::exists(work / (name + ".zvp")));
    }
    return deck;
  }

  /// The texts of the recorded message boxes.
  std::vector<QString> messages() const { return recordedTexts(); }

  TempDir settings, run, work;
  ChangeDir keepDir{std::filesystem::current_path()};
  std::unique_ptr<front::TMainForm> window;
};

}  // namespace zrv::test
