// The 3D view inside the main window: opened by "3D View", driven by the
// toolbar and the "Show 3D View" menu, and closed, on a real OpenGL context.
#include <QApplication>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "gl_test_support.h"
#include "app/MainForm.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"
#include "glcontrol/glWindow.h"
#include "views/Block.h"

using namespace zrv::front;

namespace {

using zrv::test::figurePixels;
using zrv::test::waitFor;

QAction* actionOf(const QList<QAction*>& actions, const QString& text) {
  for (QAction* a : actions)
    if (a->text() == text) return a;
  return nullptr;
}

}  // namespace

TEST(View3D, MainWindowOpensDrivesAndClosesTheView) {
  if (!zrv::comp::TglWindow::OpenGLAvailable()) GTEST_SKIP() << "no OpenGL context on this platform";
  QStandardPaths::setTestModeEnabled(true);
  TMainForm main;
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  QToolBar* bar = main.findChild<QToolBar*>("toolbar3D");
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isHidden());

  TProgramData& project = main.Project();
  project.FoundationType = "HALF-SPACE";
  project.CircularShape = 0;
  project.LengthX = 4;
  project.WidthCopy = 3;
  main.Tables().D1().SetRowCount(1);
  main.Tables().D1().Column(0).SetFloat(0, 2);
  main.Open3DView();
  const auto views = main.findChildren<TDlgBlock*>();
  ASSERT_EQ(views.size(), 1);
  TDlgBlock* view = views.front();
  EXPECT_FALSE(bar->isHidden());
  EXPECT_EQ(view->windowTitle(), "Zorvin, 3D-View");
  // Moved into the main window, the view still paints its figure.
  EXPECT_TRUE(waitFor([&] { return figurePixels(view->GL().GrabFrame()) > 200; }, 5000));

  actionOf(bar->actions(), "View 4")->trigger();
  EXPECT_EQ(view->View().AngleX, 22.5L);
  EXPECT_EQ(view->View().AngleZ, 45.0L);
  actionOf(bar->actions(), "Reverse")->trigger();
  EXPECT_EQ(view->View().AngleZ, 225.0L);
  actionOf(bar->actions(), "Zoom In")->trigger();
  EXPECT_EQ(view->View().ZoomScale, 1.4142L);
  actionOf(bar->actions(), "Zoom Out")->trigger();
  EXPECT_NEAR(static_cast<double>(view->View().ZoomScale), 1.0, 1e-15);
  actionOf(bar->actions(), "Zoom Window")->trigger();
  EXPECT_EQ(view->Mouse().MouseMode, 4);
  EXPECT_TRUE(view->Mouse().ZoomWindowMode);
  actionOf(bar->actions(), "Rotating")->trigger();
  EXPECT_EQ(view->Mouse().MouseMode, 3);
  EXPECT_FALSE(view->Mouse().ZoomWindowMode);
  actionOf(bar->actions(), "Restart View")->trigger();
  EXPECT_EQ(view->View().AngleZ, 0.0L);

  QAction* menu = actionOf(main.menuBar()->actions(), "Show 3D View");
  ASSERT_NE(menu, nullptr);
  ASSERT_NE(menu->menu(), nullptr);
  actionOf(menu->menu()->actions(), "Pile Numbers")->trigger();
  EXPECT_TRUE(view->PileNumbersVisible());
  actionOf(menu->menu()->actions(), "Foundation")->trigger();
  EXPECT_FALSE(view->FoundationVisible());

  QPointer<TDlgBlock> watched(view);
  view->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watched.isNull());
  EXPECT_TRUE(bar->isHidden());
}
