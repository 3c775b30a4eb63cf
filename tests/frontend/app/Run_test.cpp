// The whole program on a display: an example project opened, saved and
// analysed by the real engine library, its results read into the plots.
#include <gtest/gtest.h>

#include <QAction>
#include <QSettings>
#include <QStandardPaths>
#include <filesystem>
#include <sstream>

#include "app/Desktop.h"
#include "app/MainForm.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "main_window_fixture.h"
#include "qt_test_support.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace zrv::front {
namespace {

using test::q;

class RunTest : public test::MainWindowTest {
protected:
  void SetUp() override {
    isolate();
    desktop().saveFile = [](QWidget*, const QString&, const QString&, const QString&) { return QString(); };
    desktop().openFile = desktop().saveFile;
    startWindow();
  }
};

/// The three numbers of the frequency line of a harmonic deck (rad/s): the
/// line after the QUADRATIC or NONQUADRATIC word.
std::array<double, 3> deckFrequencies(const fs::path& deck) {
  std::istringstream in(test::read_file(deck));
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("NONQUADRATIC", 0) == 0 || line.rfind("QUADRATIC", 0) == 0) break;
  std::getline(in, line);
  std::istringstream numbers(line);
  std::array<double, 3> f{};
  numbers >> f[0] >> f[1] >> f[2];
  return f;
}

TEST_F(RunTest, AnExampleRunsThroughTheEngine) {
  const fs::path deck = example("halfspace-harmonic");
  ASSERT_TRUE(window->OpenFile(q(deck)));
  EXPECT_FALSE(window->PlotsLoaded());
  window->findAction("&Run Analysis")->trigger();

  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "Computations are completed. Please, check output file for results or error messages.");
  EXPECT_EQ(window->LastRunCode(), 0);
  EXPECT_TRUE(fs::exists(work / "halfspace-harmonic.zvo"));
  EXPECT_TRUE(fs::exists(work / "halfspace-harmonic.zvp"));
  EXPECT_TRUE(fs::exists(run.path() / "run" / "TAPE7"));
  EXPECT_FALSE(fs::exists(run.path() / "run" / "names.dat"));
  EXPECT_EQ(fs::current_path(), work.path());  // where the project was opened

  // The saved deck asks for FMAX, FMIN and the step in rad/s; the plots
  // hold every frequency of that range in hertz.
  const auto [fmax, fmin, step] = deckFrequencies(deck);
  const int n = static_cast<int>(std::lround((fmax - fmin) / step)) + 1;
  ASSERT_TRUE(window->PlotsLoaded());
  TResultPlots& plots = window->Plots();
  ASSERT_EQ(plots.pltDxyzR.PointCount(), n);
  ASSERT_EQ(plots.pltRealKXX.PointCount(), n);
  ASSERT_EQ(plots.pltRealKXX.LineCount(), 3);
  EXPECT_EQ(plots.pltRealKXX.Line(1).Name, "Kyy");
  for (int i : {0, n / 2, n - 1}) {
    const double hertz = (fmin + i * step) / 6.2832;
    EXPECT_NEAR(static_cast<double>(plots.pltDxyzR.Point(0, i).X), hertz, 1e-3 * hertz) << i;
    EXPECT_NEAR(static_cast<double>(plots.pltDampCXX.Point(0, i).X), hertz, 1e-3 * hertz) << i;
  }
  // A rigid footing on soil is stiff and damped at every frequency.
  for (int i = 0; i < n; ++i) {
    EXPECT_GT(static_cast<double>(plots.pltDampCXX.Point(0, i).Y), 0.0) << i;
    EXPECT_GT(static_cast<double>(plots.pltDxyzR.Point(2, i).Y), 0.0) << i;
  }

  window->GraphicsMenuClick();
  EXPECT_TRUE(window->findAction("&Translational Stiffness (Kxx, Kyy, Kww)")->isEnabled());
  EXPECT_TRUE(window->findAction("Footing Response Amplitude (Displacement)")->isEnabled());
  window->ComputationMenuClick();
  EXPECT_TRUE(window->findAction("Edit &Output Text")->isEnabled());
}

TEST_F(RunTest, AnEditOutsideTheProgramIsReloadedAndRun) {
  const fs::path deck = example("halfspace-harmonic");
  ASSERT_TRUE(window->OpenFile(q(deck)));
  // In the text editor, the top frequency goes from 50 Hz to 25 Hz.
  std::string text = test::read_file(deck);
  const std::string::size_type at = text.find("\n314 6.28 3.14 \n");
  ASSERT_NE(at, std::string::npos);
  text.replace(at + 1, 3, "157");
  test::write_file(deck, text);

  test::nextAnswer() = comp::TMsgResult::Reload;
  window->findAction("&Run Analysis")->trigger();
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::FileChanged);
  EXPECT_EQ(window->LastRunCode(), 0);
  // The edited range is what was saved and analysed: 6.28 to 157 rad/s in
  // steps of 3.14.
  EXPECT_EQ(deckFrequencies(deck), (std::array<double, 3>{157, 6.28, 3.14}));
  ASSERT_TRUE(window->PlotsLoaded());
  EXPECT_EQ(window->Plots().pltDxyzR.PointCount(), 49);
}

TEST_F(RunTest, AnInputErrorStopsTheRunWithItsMessage) {
  const fs::path deck = example("stratum-random");
  ASSERT_TRUE(window->OpenFile(q(deck)));
  // Poisson's ratio 0.5 of the soil below the footing is refused by the engine.
  window->Project().TipPoisson = 0.5;
  window->SetModified(true);
  window->findAction("&Run Analysis")->trigger();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(window->LastRunCode(), 3);
  EXPECT_EQ(messages()[0],
            "The analysis stopped on a fatal error in the input data (result 3). Please, check output file for "
            "error messages.");
  EXPECT_TRUE(fs::exists(work / "stratum-random.zvo"));
  EXPECT_FALSE(window->PlotsLoaded());
  window->GraphicsMenuClick();
  EXPECT_FALSE(window->findAction("&Translational Stiffness (Kxx, Kyy, Kww)")->isEnabled());

  // Mended, the project runs to the end.
  test::recordedMessages().clear();
  window->Project().TipPoisson = 0.33;
  window->SetModified(true);
  window->CompRunClick();
  EXPECT_EQ(window->LastRunCode(), 0);
  EXPECT_TRUE(window->PlotsLoaded());
}

}  // namespace
}  // namespace zrv::front
