// The plan view: its windows, what it paints where, the read-out, the
// failure on a pile table without pile types, and printing.
#include "views/PileTop.h"

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

class TopViewTest : public test::ViewTest<TDlgTopView> {
protected:

  // Two piles of radius 0.5 at (3, 4) and (-2, -1) in a 350 by 350 view.
  void makePiles() {
    main.project.FoundationType = "PILE";
    main.project.FoundationCode = 2;
    setRows(main.tables.Pilecoord(), {{3, 4}, {-2, -1}});
    setRows(main.tables.PileData(), {{10, 0.5}});
    view = new TDlgTopView(main);
    view->resize(350, 350);
  }

  void moveMouse(int x, int y) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), view->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
  }

};

void expectWindow(const TWorldWindow& w, long double l, long double r, long double t, long double b) {
  EXPECT_NEAR(w.left, l, 1e-12);
  EXPECT_NEAR(w.right, r, 1e-12);
  EXPECT_NEAR(w.top, t, 1e-12);
  EXPECT_NEAR(w.bottom, b, 1e-12);
}

TEST_F(TopViewTest, NewViewShowsTheTenUnitWindow) {
  view = new TDlgTopView(main);
  EXPECT_EQ(view->windowTitle(), "Top View");
  EXPECT_EQ(view->printButton()->text(), "Print");
  EXPECT_TRUE(view->testAttribute(Qt::WA_DeleteOnClose));
  expectWindow(view->baseWindow(), -10, 10, 10, -10);
  // A client area twice as wide as high shows x from -20 to 20.
  view->resize(400, 200);
  view->FormResize();
  expectWindow(view->viewWindow(), -20, 20, 10, -10);
}

TEST_F(TopViewTest, PilesAreFilledCirclesInsideTheirOutline) {
  makePiles();
  // The window activation rebuilds the circles.
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(view, &activate);
  ASSERT_EQ(view->circles().size(), 2u);
  // Before any paint: x from -3 to 4, y from -2 to 5 (a square, so no widening).
  expectWindow(view->baseWindow(), -3, 4, 5, -2);
  expectWindow(view->viewWindow(), -3, 4, 5, -2);

  // 50 pixels per unit: (x, y) -> (50 (x + 3), 50 (5 - y)).
  const QImage image = renderOf(*view);
  EXPECT_TRUE(dark(image, 300, 50));   // centre of the pile at (3, 4)
  EXPECT_TRUE(dark(image, 50, 300));   // centre of the pile at (-2, -1)
  EXPECT_TRUE(dark(image, 320, 50));   // inside its radius of 25 pixels
  EXPECT_TRUE(white(image, 332, 50));  // beyond it
  EXPECT_TRUE(dark(image, 175, 50));   // the outline through the pile centres
  EXPECT_TRUE(dark(image, 300, 175));
  EXPECT_TRUE(white(image, 175, 175));  // inside the outline
  EXPECT_TRUE(white(image, 175, 25));   // above it

  // The paint kept the outline; the next activation starts from ±size/1.9.
  const TTopOutline& o = view->outline();
  EXPECT_EQ(o.width, 5);
  EXPECT_EQ(o.height, 5);
  view->FormActivate();
  expectWindow(view->baseWindow(), -3, 4, 5, -5 / 1.9L);
}

TEST_F(TopViewTest, MouseReadoutInTheCaption) {
  makePiles();
  view->FormActivate();
  moveMouse(100, 150);  // x = 100/50 - 3, y = 5 - 150/50
  EXPECT_EQ(view->windowTitle(), "Top View X: -1.0 Y: 2.0");
  moveMouse(333, 17);
  EXPECT_EQ(view->windowTitle(), "Top View X: 3.7 Y: 4.7");
}

TEST_F(TopViewTest, FootingsAreOutlinedInTheTenUnitWindow) {
  main.project.FoundationCode = 1;
  main.project.CircularShape = 0;
  main.project.LengthX = 6;
  main.project.WidthY = 4;
  view = new TDlgTopView(main);
  view->resize(400, 400);
  view->FormActivate();
  expectWindow(view->viewWindow(), -10, 10, 10, -10);
  // 20 pixels per unit: the rectangle from (-3, 2) to (3, -2) is (140, 160)-(260, 240).
  QImage image = renderOf(*view);
  EXPECT_TRUE(dark(image, 200, 160));
  EXPECT_TRUE(dark(image, 200, 240));
  EXPECT_TRUE(dark(image, 140, 200));
  EXPECT_TRUE(dark(image, 260, 200));
  EXPECT_TRUE(white(image, 200, 200));
  EXPECT_TRUE(white(image, 300, 160));

  // A circular footing of radius 2 by its bounding square (160, 160)-(240, 240).
  main.project.CircularShape = 1;
  main.project.Radius = 2;
  image = renderOf(*view);
  EXPECT_TRUE(dark(image, 200, 160));
  EXPECT_TRUE(dark(image, 240, 200));
  EXPECT_TRUE(white(image, 200, 150));
  EXPECT_TRUE(white(image, 200, 200));
}

TEST_F(TopViewTest, PileTableWithoutPileTypesClosesTheView) {
  makePiles();
  main.tables.PileData().SetRowCount(0);
  view->show();
  view->FormActivate();
  ASSERT_EQ(test::recordedMessages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::Information);
  EXPECT_EQ(test::recordedMessages()[0].text, "One or more Pile Types does not have any sections");
  test::flushDeletes();
  EXPECT_TRUE(view.isNull());
}

TEST_F(TopViewTest, CollapsedWindowDrawsNothingUntilTheDataAllowIt) {
  main.project.FoundationCode = 2;
  setRows(main.tables.Pilecoord(), {{0, 0}});
  setRows(main.tables.PileData(), {{10, 0}});
  view = new TDlgTopView(main);
  view->resize(300, 300);
  view->FormActivate();
  EXPECT_TRUE(view->GetNoDraw());
  moveMouse(10, 10);
  EXPECT_EQ(view->windowTitle(), "Top View");
  const QImage blank = renderOf(*view);
  EXPECT_TRUE(white(blank, 150, 150));
  EXPECT_TRUE(white(blank, 10, 290));
  QImage page(200, 150, QImage::Format_RGB32);
  page.fill(Qt::magenta);
  QPainter painter(&page);
  view->Draw2(painter, page.rect(), true);
  painter.end();
  EXPECT_TRUE(white(page, 100, 75));  // a blank page

  // Once the pile has a radius, the next activation draws again.
  main.tables.PileData().Column(1).SetFloat(0, 1);
  view->FormActivate();
  EXPECT_FALSE(view->GetNoDraw());
  expectWindow(view->baseWindow(), -2, 2, 2, -2);
  EXPECT_TRUE(dark(renderOf(*view), 150, 150));
}

TEST_F(TopViewTest, FarAwayPilesPaintWithoutFault) {
  main.project.FoundationCode = 2;
  setRows(main.tables.Pilecoord(), {{0, 0}, {1e30L, -1e30L}});
  setRows(main.tables.PileData(), {{10, 0.5}});
  view = new TDlgTopView(main);
  view->resize(300, 300);
  view->FormActivate();
  EXPECT_FALSE(view->GetNoDraw());
  renderOf(*view);
  renderOf(*view);  // a second paint with the kept outline
  moveMouse(150, 150);
  EXPECT_TRUE(view->windowTitle().startsWith("Top View X: "));
  EXPECT_TRUE(test::recordedMessages().empty());
}

TEST_F(TopViewTest, PrintedPageKeepsCirclesRound) {
  makePiles();
  view->FormActivate();
  renderOf(*view);  // the paint that keeps the outline
  // A landscape page of 1650 by 1275 pixels: both resolutions snap to 150.
  // The base window 7 by 7 widens to x from -3·a to 4·a, a = 1650/1275.
  QImage page(1650, 1275, QImage::Format_RGB32);
  page.fill(Qt::magenta);
  QPainter painter(&page);
  view->Draw2(painter, page.rect(), true);
  painter.end();
  const long double a = 1650.0L / 1275.0L;
  const auto px = [&](long double x) { return static_cast<int>(1650 * (x + 3 * a) / (7 * a)); };
  const auto py = [&](long double y) { return static_cast<int>(1275 * (5 - y) / 7); };
  const int r = static_cast<int>(1275 * 0.5 / 7);  // about 91 pixels
  EXPECT_TRUE(dark(page, px(3), py(4)));
  EXPECT_TRUE(dark(page, px(3) + r - 20, py(4)));
  EXPECT_TRUE(dark(page, px(3), py(4) + r - 20));
  EXPECT_TRUE(white(page, px(3) + r + 20, py(4) + r + 20));
  EXPECT_TRUE(white(page, px(0), py(2)));  // inside the outline
  EXPECT_TRUE(dark(page, px(0), py(4)));   // on its top edge, 12 pixels wide
  EXPECT_TRUE(dark(page, px(0), py(4) + 5));
  EXPECT_TRUE(white(page, 5, 5));  // the page is filled with the window colour
  // The screen's view window is left as it was.
  expectWindow(view->viewWindow(), -3, 4, 5, -2);
}

TEST_F(TopViewTest, PrintButtonPrintsOneLandscapePage) {
  makePiles();
  view->FormActivate();
  renderOf(*view);
  test::TempDir dir;
  const test::PrintedPage printed = test::printThroughDialog(*view->printButton(), dir.path() / "top.pdf");
  EXPECT_EQ(printed.title, "Soil-Pile Profile");
  EXPECT_TRUE(printed.landscape);
  EXPECT_EQ(printed.pdf.substr(0, 5), "%PDF-");

  // A cancelled dialog prints nothing.
  const std::string none = (dir.path() / "none.pdf").string();
  setViewPrintDialog([&](QPrinter& printer, QWidget*) {
    printer.setOutputFileName(QString::fromStdString(none));
    return false;
  });
  view->Button1Click();
  EXPECT_FALSE(std::filesystem::exists(none));
}

}  // namespace
}  // namespace zrv::front
