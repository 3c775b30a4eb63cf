// The 3D view driven from the main window's toolbar and menus, and the
// whole model on the screen however and whenever the view is opened.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QToolBar>
#include <algorithm>
#include <filesystem>

#include "app/Desktop.h"
#include "app/MainForm.h"
#include "gl_test_support.h"
#include "glcontrol/glWindow.h"
#include "main_window_fixture.h"
#include "project/TProgramData.h"
#include "qt_test_support.h"
#include "test_support.h"
#include "views/Block.h"

namespace fs = std::filesystem;


namespace zrv::front {
namespace {

QString q(const fs::path& p) { return QString::fromStdString(p.string()); }

TEST(View3D, OpensFromTheMenuAndFollowsItsItems) {
  test::TempDir settings, work;
  test::ChangeDir keepDir{fs::current_path()};
  QStandardPaths::setTestModeEnabled(true);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, q(settings.path()));
  // The window stays unshown: the wiring is under test, not the drawing.
  TMainForm window;
  window.Start();
  for (const char* ext : {".zvd", ".zvm"})
    fs::copy_file(fs::path(ZRV_EXAMPLES_DIR) / (std::string("pilegroup-harmonic") + ext),
                  work / (std::string("pilegroup-harmonic") + ext));
  ASSERT_TRUE(window.OpenFile(q(work / "pilegroup-harmonic.zvd")));

  auto* toolbar = window.findChild<QToolBar*>("toolbar3D");
  ASSERT_NE(toolbar, nullptr);
  EXPECT_TRUE(toolbar->isHidden());
  EXPECT_FALSE(window.findAction("Save Bitmap")->isVisible());

  window.findAction("3D View")->trigger();
  QMdiSubWindow* sub = window.mdiArea()->activeSubWindow();
  ASSERT_NE(sub, nullptr);
  auto* view = dynamic_cast<TDlgBlock*>(sub->widget());
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(toolbar->isHidden());
  EXPECT_TRUE(window.findAction("Save Bitmap")->isVisible());
  EXPECT_TRUE(window.findAction("Print Page")->isVisible());
  EXPECT_FALSE(window.findAction("Page Setup")->isVisible());

  // The menu item inverts the view's option; the check mark follows it.
  const bool piles = view->PilesVisible();
  window.findAction("Piles")->trigger();
  EXPECT_EQ(view->PilesVisible(), !piles);

  // A second "3D View" shows the same window.
  window.findAction("3D View")->trigger();
  EXPECT_EQ(window.mdiArea()->subWindowList().size(), 1);

  // Closing the view hides its toolbar and items.
  sub->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(toolbar->isHidden());
  EXPECT_FALSE(window.findAction("Save Bitmap")->isVisible());
  EXPECT_TRUE(window.mdiArea()->subWindowList().isEmpty());
}

// The shown main window, the view opened from its menu.
class View3DFrame : public test::MainWindowTest {
protected:
  void SetUp() override {
    isolate();
    startWindow();
    if (!comp::TglWindow::OpenGLAvailable()) GTEST_SKIP() << "no OpenGL context on this platform";
  }

  TDlgBlock* openView() {
    window->findAction("3D View")->trigger();
    auto* view = window->findChild<TDlgBlock*>();
    if (view == nullptr) return nullptr;
    EXPECT_TRUE(test::waitFor([&] { return test::figurePixels(view->GL().GrabFrame()) > 0; }));
    QCoreApplication::processEvents();
    return view;
  }
  void closeView(TDlgBlock* view) {
    view->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  /// The view fills the main window's work area.
  void maximise(TDlgBlock* view) {
    window->mdiArea()->activeSubWindow()->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_GT(view->width(), 700);
  }
};

// The whole model is on the screen and fitted: what the view drew (every
// pixel that is not white: foundation, piles and the soil boxes round them)
// keeps clear of all four edges, and spans the window but for the margins
// along one of its axes.
::testing::AssertionResult fittedNow(TDlgBlock& view) {
  const QImage frame = view.GL().GrabFrame();
  int left = frame.width(), right = -1, top = frame.height(), bottom = -1;
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x)
      if ((frame.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  const int w = frame.width(), h = frame.height();
  const QString drawn = QString("%1 x %2 window, figure from (%3, %4) to (%5, %6)")
                            .arg(w).arg(h).arg(left).arg(top).arg(right).arg(bottom);
  if (right < 0) return ::testing::AssertionFailure() << "nothing drawn: " << drawn.toStdString();
  if (left < 2 || top < 2 || right > w - 3 || bottom > h - 3)
    return ::testing::AssertionFailure() << "the figure reaches the edge: " << drawn.toStdString();
  // 25 pixels to spare on each side of the fitting axis, labels aside.
  const int spareX = w - 1 - (right - left), spareY = h - 1 - (bottom - top);
  if (std::min(spareX, spareY) > 70)
    return ::testing::AssertionFailure() << "the figure is not fitted: " << drawn.toStdString();
  return ::testing::AssertionSuccess();
}

// The same, allowing a loaded machine time for the repaints that a resize or
// a change of the project posts: a view that stays wrong still fails.
::testing::AssertionResult wholeModelFitted(TDlgBlock& view) {
  ::testing::AssertionResult last = ::testing::AssertionFailure();
  test::waitFor([&] { return static_cast<bool>(last = fittedNow(view)); });
  return last;
}

TEST_F(View3DFrame, EveryOpeningShowsTheWholeModelAtTwoWindowSizes) {
  window->resize(1200, 600);
  for (const bool maximised : {false, true}) {
    SCOPED_TRACE(maximised ? "view maximised" : "view as it opens");
    ASSERT_TRUE(window->OpenFile(test::q(example("pilegroup-harmonic"))));
    TDlgBlock* view = openView();
    ASSERT_NE(view, nullptr);
    if (maximised) maximise(view);
    EXPECT_TRUE(wholeModelFitted(*view)) << "first opening";
    closeView(view);
    view = openView();
    ASSERT_NE(view, nullptr);
    if (maximised) maximise(view);
    EXPECT_TRUE(wholeModelFitted(*view)) << "second opening";
    // Restart View returns to the fitted model.
    view->Zooming(1.4142L);
    view->SetView(4);
    view->RestartViewButtonClick();
    EXPECT_TRUE(wholeModelFitted(*view)) << "Restart View";

    ASSERT_TRUE(window->OpenFile(test::q(example("multilayer-harmonic"))));
    view = openView();
    ASSERT_NE(view, nullptr);
    if (maximised) maximise(view);
    EXPECT_TRUE(wholeModelFitted(*view)) << "after Open";
    closeView(view);
  }
}

TEST_F(View3DFrame, TheOpenViewFitsTheModelAgainAfterAUnitSwitch) {
  ASSERT_TRUE(window->OpenFile(test::q(example("pilegroup-harmonic"))));
  TDlgBlock* view = openView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(wholeModelFitted(*view));
  // Every length of the model grows by the factor from metres to feet.
  window->SetUnits(1 - window->Project().UnitSystem);
  EXPECT_TRUE(wholeModelFitted(*view));
}

}  // namespace
}  // namespace zrv::front
