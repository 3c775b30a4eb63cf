// The section views: what activation writes back and builds, what is painted
// where, the read-out, failures, and printing.
#include "views/SideView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

#include "test_support.h"
#include "view2d_fixture.h"
#include "views/ViewPrinting.h"

namespace zrv::front {
namespace {

using test::dark;
using test::renderOf;
using test::setRows;
using test::white;

void expectWindow(const TWorldWindow& w, long double l, long double r, long double t, long double b) {
  EXPECT_NEAR(w.left, l, 1e-12);
  EXPECT_NEAR(w.right, r, 1e-12);
  EXPECT_NEAR(w.top, t, 1e-12);
  EXPECT_NEAR(w.bottom, b, 1e-12);
}

class SideViewTest : public test::ViewTest<TDlgSideView> {
protected:

  // One pile at x = 0, y = 3 of radius 0.5 and 10 deep in one soil layer.
  void onePile() {
    main.project.FoundationType = "PILE";
    main.project.FoundationCode = 1;
    setRows(main.tables.Pilecoord(), {{0, 3, 0, 1}});
    setRows(main.tables.PileData(), {{10, 0.5}});
    setRows(main.tables.D(), {{150, 18, 0.3}});
  }

  template <class View>
  void open(int w, int h) {
    view = new View(main);
    view->resize(w, h);
  }

  void moveMouse(int x, int y) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), view->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
  }

};

TEST_F(SideViewTest, TheTwoViews) {
  open<TDlgSideViewXZ>(400, 200);
  EXPECT_EQ(view->windowTitle(), "Side View (XZ-Plane)");
  EXPECT_EQ(view->plane(), TSidePlane::XZ);
  EXPECT_EQ(view->printButton()->text(), "Print");
  EXPECT_TRUE(view->testAttribute(Qt::WA_DeleteOnClose));
  expectWindow(view->worldWindow(), -10, 10, 0, 10);
  delete view.data();
  open<TDlgSideViewYZ>(400, 200);
  EXPECT_EQ(view->windowTitle(), "Side View (YZ-Plane)");
  EXPECT_EQ(view->plane(), TSidePlane::YZ);
}

TEST_F(SideViewTest, ActivationWritesTheCodeAndLengthSumAndFitsThePile) {
  onePile();
  setRows(main.tables.PileData(), {{4, 0.5}, {6, 0.5}});
  setRows(main.tables.D(), {{150, 18, 0.3}, {200, 19, 0.35}});
  open<TDlgSideViewXZ>(420, 420);
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(view, &activate);
  EXPECT_EQ(main.project.FoundationCode, 2);
  EXPECT_EQ(main.project.ElementLengthSum, 10);
  ASSERT_EQ(view->outlines().size(), 1u);
  // x from -0.525 to 0.525, depth 0 to 10.5; the square area widens x tenfold.
  expectWindow(view->worldWindow(), -0.525, 0.525, 0, 10.5);
  expectWindow(view->viewWindow(), -5.25, 5.25, 0, 10.5);

  // 40 pixels per unit: (x, depth) -> (40 (x + 5.25), 40 depth).
  const QImage image = renderOf(*view);
  EXPECT_TRUE(dark(image, 210, 200));   // inside the pile
  EXPECT_TRUE(dark(image, 228, 390));
  EXPECT_TRUE(white(image, 240, 300));  // beside it
  EXPECT_TRUE(white(image, 210, 410));  // below its tip
  EXPECT_TRUE(dark(image, 400, 160));   // layer line at depth 4
  EXPECT_TRUE(dark(image, 400, 400));   // layer line at depth 10
  EXPECT_TRUE(white(image, 400, 300));
  EXPECT_TRUE(dark(image, 400, 0));     // ground line
  EXPECT_TRUE(dark(image, 123, 1));     // first hatch stroke from (120, 0) to (135, 5)
  EXPECT_TRUE(white(image, 123, 5));

  // The YZ view takes the pile's y coordinate as its centre.
  delete view.data();
  open<TDlgSideViewYZ>(420, 420);
  view->FormActivate();
  expectWindow(view->worldWindow(), 0, 3.5 * 1.05, 0, 10.5);
}

TEST_F(SideViewTest, LayerLabelsAreWrittenAtTheLeft) {
  onePile();
  open<TDlgSideViewXZ>(420, 420);
  view->FormActivate();
  const QImage image = renderOf(*view);
  // The label of the only layer has its top at depth 10 - 0.95 x 10 = 0.5,
  // 20 pixels down at 40 pixels per unit, from the left edge; its second
  // line one text height lower. Drawn by hand the same way, the strip left
  // of the pile (x < 180) must come out pixel for pixel.
  const QFontMetrics metrics(view->font());
  const int h = metrics.height();
  QImage expected(image.size(), QImage::Format_RGB32);
  expected.fill(view->palette().color(QPalette::Base));
  QPainter painter(&expected);
  painter.setFont(view->font());
  painter.setPen(view->palette().color(QPalette::Text));
  painter.drawText(QPoint(0, 20 + metrics.ascent()), "depth= 0 - 10; Layer 1");
  painter.drawText(QPoint(0, 20 + h + metrics.ascent()), "Shear Wave Velocity= 150; Poissons Ratio= 0.3");
  painter.end();
  int differing = 0, inked = 0;
  for (int y = 10; y < 20 + 2 * h + 10; ++y)
    for (int x = 0; x < 180; ++x) {
      differing += image.pixel(x, y) != expected.pixel(x, y) ? 1 : 0;
      inked += dark(expected, x, y) ? 1 : 0;
    }
  EXPECT_GT(inked, 0);
  EXPECT_EQ(differing, 0);
}

TEST_F(SideViewTest, FootingsAndMultilayerFoundations) {
  main.project.FoundationType = "STRATUM";
  main.project.CircularShape = 1;
  main.project.Radius = 2;
  main.project.BaseZ = 1.5;
  setRows(main.tables.D(), {{150}});
  open<TDlgSideViewXZ>(400, 400);
  view->FormActivate();
  EXPECT_EQ(main.project.FoundationCode, 3);
  EXPECT_EQ(main.project.ElementLengthSum, 0);
  // 2 × Radius wide and 2 × BaseZ deep, in a window twice as wide and four times as deep.
  EXPECT_EQ(view->outlines()[0], (TSideOutline{{{{-2, 0}, {2, 0}, {-2, 3}, {2, 3}}}}));
  expectWindow(view->worldWindow(), -4.2, 4.2, 0, 12.6);

  main.project.FoundationType = "MULTILAYER";
  setRows(main.tables.MultiElement(), {{2, 0.5}, {3, 0.5}});
  setRows(main.tables.D(), {{150}, {160}});
  view->FormActivate();
  EXPECT_EQ(main.project.FoundationCode, 4);
  EXPECT_EQ(main.project.ElementLengthSum, 5);
  expectWindow(view->worldWindow(), 0, 2.5 * 1.05 * 2, 0, 5 * 1.05);
}

TEST_F(SideViewTest, NoSoilRowsKeepThePreviousWindow) {
  onePile();
  open<TDlgSideViewXZ>(420, 420);
  view->FormActivate();
  main.tables.D().SetRowCount(0);
  main.project.ElementLengthSum = 99;
  view->FormActivate();
  EXPECT_TRUE(view->outlines().empty());
  expectWindow(view->worldWindow(), -0.525, 0.525, 0, 10.5);
  EXPECT_EQ(main.project.ElementLengthSum, 99);  // nothing written back
}

TEST_F(SideViewTest, MouseReadoutInTheCaption) {
  onePile();
  open<TDlgSideViewYZ>(420, 420);
  view->FormActivate();
  // YZ: x from 0 to 3.675 widened to 10.5 (a square area); depth 0 to 10.5.
  moveMouse(0, 200);
  EXPECT_EQ(view->windowTitle(), "Side View X: 0.0 Depth: 5.0");
  moveMouse(120, 84);
  EXPECT_EQ(view->windowTitle(), "Side View X: 3.0 Depth: 2.1");
}

TEST_F(SideViewTest, CollapsedFootingDrawsNothingUntilTheDataAllowIt) {
  main.project.FoundationType = "HALF-SPACE";
  main.project.CircularShape = 0;
  main.project.WidthY = 0;
  main.project.BaseZ = 0;
  open<TDlgSideViewXZ>(300, 300);
  view->FormActivate();
  EXPECT_TRUE(view->GetNoDraw());
  moveMouse(100, 100);
  EXPECT_EQ(view->windowTitle(), "Side View (XZ-Plane)");
  EXPECT_TRUE(white(renderOf(*view), 150, 150));
  // Corrected data show at the next activation.
  main.project.WidthY = 3;
  main.project.BaseZ = 1.5;
  view->FormActivate();
  EXPECT_FALSE(view->GetNoDraw());
  expectWindow(view->worldWindow(), -3.15, 3.15, 0, 12.6);  // a block 2 Zc = 3 deep, four times over
}

TEST_F(SideViewTest, MissingPileTypeIsReportedOnceAndClosesTheView) {
  onePile();
  setRows(main.tables.Pilecoord(), {{0, 0}, {1, 0}, {2, 0}});
  main.tables.PileData().SetRowCount(0);
  open<TDlgSideViewXZ>(300, 300);
  view->show();
  view->FormActivate();
  ASSERT_EQ(test::recordedMessages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::Information);
  EXPECT_EQ(test::recordedMessages()[0].text, "One or more Pile Types does not have any sections");
  test::flushDeletes();
  EXPECT_TRUE(view.isNull());
}

TEST_F(SideViewTest, MorePileLayersThanPileRowsPaintWithoutFault) {
  onePile();
  setRows(main.tables.D(), {{150, 18, 0.3}, {200, 18, 0.3}, {250, 18, 0.3}});
  open<TDlgSideViewXZ>(420, 420);
  view->FormActivate();
  const QImage image = renderOf(*view);
  EXPECT_TRUE(dark(image, 400, 400));  // the one layer that has a pile row
  EXPECT_TRUE(test::recordedMessages().empty());
}

TEST_F(SideViewTest, FarAwayAndSteepPilesPaintWithoutFault) {
  onePile();
  setRows(main.tables.Pilecoord(), {{0, 0, 89.9, 1}, {1e30L, 0, -60, 1}, {-5, 0, 120, 1}});
  open<TDlgSideViewXZ>(300, 200);
  view->FormActivate();
  EXPECT_EQ(view->outlines().size(), 3u);
  renderOf(*view);
  QImage page(400, 300, QImage::Format_RGB32);
  QPainter painter(&page);
  view->Draw2(painter, page.rect());
  painter.end();
  moveMouse(10, 10);
  EXPECT_TRUE(view->windowTitle().startsWith("Side View X: "));
  EXPECT_TRUE(test::recordedMessages().empty());
}

TEST_F(SideViewTest, PrintedProfile) {
  onePile();
  open<TDlgSideViewXZ>(420, 420);
  view->FormActivate();
  // A 1000 by 500 page: x over the whole width, depth over 50 to 450.
  QImage page(1000, 500, QImage::Format_RGB32);
  page.fill(Qt::magenta);
  QPainter painter(&page);
  view->Draw2(painter, page.rect());
  painter.end();
  EXPECT_TRUE(white(page, 700, 200));       // the framed area is filled
  EXPECT_EQ(page.pixel(20, 20), qRgb(255, 0, 255));  // outside the frame nothing is drawn
  EXPECT_TRUE(dark(page, 500, 250));        // the pile, x 0 at 500, depth 5 at 240 + 50
  EXPECT_TRUE(dark(page, 850, 431));        // the layer line at depth 10, 12 pixels wide
  EXPECT_TRUE(dark(page, 850, 435));
  EXPECT_TRUE(dark(page, 850, 50));         // the ground line
  EXPECT_TRUE(dark(page, 176, 58));         // its first stroke from (175, 50) to (182, 120)

  test::TempDir dir;
  const test::PrintedPage printed = test::printThroughDialog(*view->printButton(), dir.path() / "side.pdf");
  EXPECT_EQ(printed.title, "Soil-Pile Profile");
  EXPECT_TRUE(printed.landscape);
  EXPECT_EQ(printed.pdf.substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace zrv::front
