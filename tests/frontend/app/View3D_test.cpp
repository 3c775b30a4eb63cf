// The 3D view driven from the main window's toolbar and menus.
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
#include <filesystem>

#include "app/Desktop.h"
#include "app/MainForm.h"
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

}  // namespace
}  // namespace zrv::front
