#include "plotwindow/PlotForm.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <limits>

#include "dataedit/TDataEdit.h"
#include "plotwindow/Caption.h"
#include "plotwindow/ChangeActiveLines.h"
#include "plotwindow/ChangeLineNames.h"
#include "plotwindow/PlotDraw.h"
#include "plotwindow/PlotHooks.h"
#include "plotwindow/PlotLegend.h"
#include "plotwindow/SaveAttb.h"
#include "qt_test_support.h"
#include "test_support.h"

using namespace zrv::comp;

namespace {

// `curves` curves of `points` points: x = i, y = (k + 1) * i / 10.
void Fill(TGraphPlot& p, int curves, int points) {
  p.SetLineCount(curves);
  p.SetPointCount(points);
  for (int k = 0; k < curves; ++k)
    for (int i = 0; i < points; ++i) p.Point(k, i) = {static_cast<long double>(i), (k + 1) * i / 10.0L};
}

void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button) {
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

QPoint PixelOf(const TPlotForm& f, long double x, long double y) {
  const TPlotMapping m{f.CurrentRange().X, f.CurrentRange().Y, f.PlotRect(), f.Plot().XOnTop};
  return {static_cast<int>(m.PixelX(x)), static_cast<int>(m.PixelY(y))};
}

QStringList Texts(const QList<QAction*>& actions) {
  QStringList out;
  for (QAction* a : actions) out << a->text();
  return out;
}

class PlotFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    zrv::test::recordedMessages().clear();
    plot.Caption = "Kxx";
    plot.XOnTop = false;
  }
  void TearDown() override {
    setModalRunner({});
    setSaveFileHook({});
    setPrintDialogHook({});
    setChildHost({});
  }
  // A shown window of 800 x 600.
  std::unique_ptr<TPlotForm> Open() {
    auto f = std::make_unique<TPlotForm>(plot);
    f->resize(800, 600);
    f->show();
    QApplication::processEvents();
    return f;
  }
  TGraphPlot plot;
};

}  // namespace

TEST_F(PlotFormTest, ShowMakesOneWindowAndClosingForgetsIt) {
  Fill(plot, 2, 11);
  plot.SetWindowFactory(PlotFormFactory());
  plot.Show();
  QPointer<TPlotForm> first = PlotFormOf(plot);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->windowTitle(), "Kxx");
  EXPECT_TRUE(first->isVisible());
  plot.Show();
  EXPECT_EQ(PlotFormOf(plot), first.data());

  first->showMinimized();
  plot.Show();
  EXPECT_FALSE(first->isMinimized());

  first->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(first);
  EXPECT_FALSE(plot.HasWindow());
  plot.Show();
  QPointer<TPlotForm> second = PlotFormOf(plot);
  ASSERT_TRUE(second);

  // Freeing the plot frees its window.
  {
    auto owner = std::make_unique<TGraphPlot>();
    owner->SetWindowFactory(PlotFormFactory());
    owner->Show();
    QPointer<TPlotForm> w = PlotFormOf(*owner);
    ASSERT_TRUE(w);
    owner.reset();
    EXPECT_FALSE(w);
  }
  second->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(plot.HasWindow());
}

TEST_F(PlotFormTest, MenuAndLegendOfANewWindow) {
  Fill(plot, 25, 3);
  plot.Line(1).Active = false;
  plot.Line(2).Name = "Kww";
  plot.onGetCaption = [](int k, std::string& s) {
    if (k == 3) s = "renamed";
  };
  auto f = Open();
  const QList<QAction*> items = f->PlotMenu()->actions();
  ASSERT_EQ(items.size(), 14 + 20);
  EXPECT_EQ(Texts(items.mid(0, 14)),
            (QStringList{"Show &Legend", "Show &Soil Layer", "Show &Wall Geometry", "Show &Markers", "&Font Size",
                         "&Line Width", "&Graph Title", "&Edit Legend", "&Active Curves", "", "&Print...",
                         "P&age Setup", "&Save To Disk...", ""}));
  EXPECT_EQ(items[13]->objectName(), "N1");
  EXPECT_EQ(items[14]->text(), "Curve #1");
  EXPECT_EQ(items[16]->text(), "Kww");
  EXPECT_EQ(items[17]->text(), "renamed");

  // Only the first twenty curves are listed.
  EXPECT_EQ(f->Legend()->Entries().size(), 20u);
  for (int k = 0; k < 25; ++k) EXPECT_EQ(plot.Line(k).InLegend, k < 20) << k;
  EXPECT_EQ(f->Legend()->ShownText(0), "Curve #1 *");
  EXPECT_EQ(f->Legend()->ShownText(1), "Curve #2");
  EXPECT_TRUE(f->Legend()->isVisible());
  EXPECT_EQ(f->Legend()->ItemHeight(), 16);
  EXPECT_EQ(f->Legend()->height(), 20 * 16 + 3);
  EXPECT_EQ(plot.LegendFont, 11);

  f->UpdateMenu();
  EXPECT_TRUE(items[0]->isChecked());
  EXPECT_FALSE(items[1]->isVisible());  // nothing fills the soil layers
  EXPECT_FALSE(items[2]->isVisible());
  EXPECT_TRUE(items[14]->isChecked());
  EXPECT_FALSE(items[15]->isChecked());

  QMenu* markers = items[3]->menu();
  ASSERT_NE(markers, nullptr);
  EXPECT_EQ(Texts(markers->actions()), (QStringList{"&Never", "", "Every &Increment", "Every &2 Increments",
                                                    "Every &3 Incrments", "Every &5 Increments",
                                                    "Every &10 Incements"}));
  markers->actions()[4]->trigger();
  EXPECT_EQ(plot.Markers, 3);
  emit markers->aboutToShow();
  EXPECT_TRUE(markers->actions()[4]->isChecked());
  EXPECT_FALSE(markers->actions()[2]->isChecked());
  EXPECT_EQ(Texts(items[4]->menu()->actions()), (QStringList{"&Default", "", "1.5 * Default", "2 * Default",
                                                             "2.5 * Default", "3 * Default", "4 * Default"}));
  EXPECT_EQ(Texts(items[5]->menu()->actions()),
            (QStringList{"&Default", "", "2 * Default", "4 * Default", "6 * Default", "10 * Default"}));
  items[5]->menu()->actions()[3]->trigger();
  EXPECT_EQ(plot.WidthLine, 4);

  plot.ShowFontWidth = false;
  f->UpdateMenu();
  EXPECT_FALSE(items[4]->isVisible());
  EXPECT_FALSE(items[5]->isVisible());

  // One-inch margins in thousandths of an inch.
  EXPECT_EQ(f->PageSetupDialog1().MarginLeft(), 1000);
  EXPECT_EQ(f->PageSetupDialog1().MarginBottom(), 1000);
  EXPECT_EQ(f->PageSetupDialog1().Flags(), 0x4u);

  // The legend sits in the plot's bottom-right corner.
  const TPixRect r = f->PlotRect();
  EXPECT_EQ(f->Legend()->geometry().right() + 1, r.Right);
  EXPECT_EQ(f->Legend()->geometry().bottom() + 1, r.Bottom);

  items[0]->trigger();
  EXPECT_FALSE(plot.ShowLegend);
  EXPECT_FALSE(f->Legend()->isVisible());
}

TEST_F(PlotFormTest, CurveSwitchesFontSizeAndLegendMouse) {
  Fill(plot, 3, 5);
  auto f = Open();
  f->CurveItems()[2]->trigger();
  EXPECT_FALSE(plot.Line(2).Active);
  EXPECT_EQ(f->Legend()->ShownText(2), "Curve #3");

  // A double click on the second entry switches curve 1.
  TPlotLegend* legend = f->Legend();
  Mouse(legend, QEvent::MouseButtonDblClick, QPoint(10, 1 + 16 + 5), Qt::LeftButton);
  EXPECT_FALSE(plot.Line(1).Active);
  f->UpdateMenu();
  EXPECT_FALSE(f->CurveItems()[1]->isChecked());
  EXPECT_TRUE(f->CurveItems()[0]->isChecked());

  // Dragging keeps the legend inside the window.
  const QPoint start = legend->pos();
  Mouse(legend, QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton);
  Mouse(legend, QEvent::MouseMove, QPoint(5 - 5000, 5 - 5000), Qt::RightButton);
  Mouse(legend, QEvent::MouseButtonRelease, QPoint(0, 0), Qt::RightButton);
  EXPECT_EQ(legend->pos(), QPoint(0, 0));
  EXPECT_NE(start, legend->pos());

  // Twice the default size: 2 * 11 points, items 33 high, back in the corner.
  f->SetFontSize(20);
  EXPECT_EQ(plot.SizeFont, 20);
  EXPECT_EQ(legend->FontPoints(), 22);
  EXPECT_EQ(legend->ItemHeight(), 33);
  EXPECT_EQ(legend->height(), 3 * 33 + 3);
  EXPECT_EQ(legend->geometry().right() + 1, f->PlotRect().Right);
}

TEST_F(PlotFormTest, MouseZoomAndCaption) {
  Fill(plot, 1, 101);  // x 0..100, y 0..10
  auto f = Open();
  QWidget* canvas = f->Canvas();
  EXPECT_EQ(f->FullRange().X, (TRange{0, 100}));
  EXPECT_EQ(f->FullRange().Y, (TRange{0, 10}));
  const TPixRect r = f->PlotRect();
  const long double pxX = 100.0L / r.Width(), pxY = 10.0L / r.Height();  // data per pixel

  Mouse(canvas, QEvent::MouseMove, QPoint(r.Left - 30, r.Bottom + 30), Qt::NoButton);
  EXPECT_EQ(f->windowTitle(), "Kxx X: 0 Y: 0");
  Mouse(canvas, QEvent::MouseMove, QPoint(r.Right + 5, r.Top - 5), Qt::NoButton);
  EXPECT_EQ(f->windowTitle(), "Kxx X: 100 Y: 10");

  // A band from (20, 2) to (60, 8).
  Mouse(canvas, QEvent::MouseButtonPress, PixelOf(*f, 20, 2), Qt::LeftButton);
  Mouse(canvas, QEvent::MouseMove, PixelOf(*f, 40, 5), Qt::LeftButton);
  Mouse(canvas, QEvent::MouseButtonRelease, PixelOf(*f, 60, 8), Qt::LeftButton);
  EXPECT_NEAR(double(f->CurrentRange().X.Min), 20, double(pxX));
  EXPECT_NEAR(double(f->CurrentRange().X.Max), 60, double(pxX));
  EXPECT_NEAR(double(f->CurrentRange().Y.Min), 2, double(pxY));
  EXPECT_NEAR(double(f->CurrentRange().Y.Max), 8, double(pxY));

  // A band that ends on its own row changes nothing.
  const TPlotRanges before = f->CurrentRange();
  const QPoint a = PixelOf(*f, 30, 4);
  Mouse(canvas, QEvent::MouseButtonPress, a, Qt::LeftButton);
  Mouse(canvas, QEvent::MouseButtonRelease, a + QPoint(40, 0), Qt::LeftButton);
  EXPECT_EQ(f->CurrentRange().X, before.X);

  // Right clicks double the width around the click and end at the full range.
  Mouse(canvas, QEvent::MouseButtonPress, PixelOf(*f, 40, 5), Qt::RightButton);
  EXPECT_NEAR(double(f->CurrentRange().X.Width()), 80, 2 * double(pxX));
  EXPECT_NEAR(double(f->CurrentRange().X.Min), 0, 2 * double(pxX));
  for (int i = 0; i < 4; ++i) Mouse(canvas, QEvent::MouseButtonPress, PixelOf(*f, 40, 5), Qt::RightButton);
  EXPECT_EQ(f->CurrentRange().X, f->FullRange().X);
  EXPECT_EQ(f->CurrentRange().Y, f->FullRange().Y);

  // A tiny band at the left edge gives a window of 1/20 of the full range.
  const QPoint corner(r.Left, r.Bottom);
  Mouse(canvas, QEvent::MouseButtonPress, corner, Qt::LeftButton);
  Mouse(canvas, QEvent::MouseButtonRelease, corner + QPoint(2, -2), Qt::LeftButton);
  EXPECT_NEAR(double(f->CurrentRange().X.Min), 0, 1e-12);
  EXPECT_NEAR(double(f->CurrentRange().X.Max), 5, 1e-12);
  EXPECT_NEAR(double(f->CurrentRange().Y.Max), 0.5, 1e-12);
}

TEST_F(PlotFormTest, DrawingCurvesMarkersAndSmallPages) {
  // Curve 1 lies at y = 2.5, curve 0 at y = 0.5; view 0..10 x 0..5 on a
  // 500 x 300 plot: y = 2.5 is row 350 - 150 = 200 and x = 5 column 350.
  Fill(plot, 2, 11);
  for (int i = 0; i < 11; ++i) {
    plot.Point(0, i).Y = 0.5L;
    plot.Point(1, i).Y = 2.5L;
  }
  plot.Markers = 0;
  TPlotView v;
  v.Page = {0, 0, 700, 450};
  v.Plot = {100, 50, 600, 350};
  v.X = {0, 10};
  v.Y = {0, 5};
  auto render = [&] {
    QImage img(700, 450, QImage::Format_RGB32);
    img.fill(Qt::red);
    QPainter p(&img);
    DrawPlot(p, plot, v);
    p.end();
    return img;
  };
  QImage img = render();
  EXPECT_EQ(img.pixel(350, 200), qRgb(0, 0, 255));  // curve 1 in blue
  EXPECT_EQ(img.pixel(350, 320), qRgb(0, 0, 0));    // curve 0 in black: 350 - 30
  EXPECT_EQ(img.pixel(350, 260), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(100, 200), qRgb(0, 0, 0));  // frame
  EXPECT_EQ(img.pixel(600, 200), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(2, 2), qRgb(255, 255, 255));

  // Markers every 5 points: a square (shape 2) round x = 5 on curve 1, none at x = 3.
  plot.Markers = 5;
  img = render();
  EXPECT_EQ(img.pixel(352, 199), qRgb(0, 0, 255));
  EXPECT_EQ(img.pixel(252, 199), qRgb(255, 255, 255));

  // An inactive curve is not drawn; one out of the legend also gives up its colour.
  plot.Line(1).Active = false;
  img = render();
  EXPECT_EQ(img.pixel(350, 200), qRgb(255, 255, 255));
  plot.Line(1).Active = true;
  plot.Line(0).InLegend = false;
  img = render();
  EXPECT_EQ(img.pixel(350, 200), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(350, 320), qRgb(255, 255, 255));

  // Points that are not numbers break the line without harm.
  plot.Point(1, 5).Y = std::numeric_limits<long double>::quiet_NaN();
  plot.Point(1, 7).X = std::numeric_limits<long double>::infinity();
  plot.Point(1, 9).Y = 1e300L;
  img = render();
  EXPECT_EQ(img.pixel(320, 200), qRgb(255, 255, 255));  // between points 4 and 6
  EXPECT_EQ(img.pixel(220, 200), qRgb(0, 0, 0));        // between points 2 and 3

  // One point per curve: axes and frame, no curve.
  plot.SetPointCount(1);
  img = render();
  EXPECT_EQ(img.pixel(100, 200), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(350, 200), qRgb(255, 255, 255));

  // Less than an inch high: only the white page.
  v.Page = {0, 0, 700, 90};
  img = render();
  EXPECT_EQ(img.pixel(100, 60), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(350, 80), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(350, 200), qRgb(255, 0, 0));  // outside the page: untouched
}

TEST_F(PlotFormTest, PrintGoesToPdf) {
  Fill(plot, 3, 11);
  plot.GraphTitle = "Stiffness";
  auto f = Open();
  zrv::test::TempDir dir;
  const QString pdf = QString::fromStdString((dir.path() / "plot.pdf").string());
  setPrintDialogHook([&](QPrinter& printer, QWidget*) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  });
  f->findChild<QAction*>("PlotPrint")->trigger();
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5) == "%PDF-");
  EXPECT_GT(file.size(), 1000);
  file.close();
  QFile::remove(pdf);

  setPrintDialogHook([&](QPrinter& printer, QWidget*) {
    printer.setOutputFileName(pdf);
    return false;
  });
  f->PlotPrintClick();
  EXPECT_FALSE(QFile::exists(pdf));
  EXPECT_TRUE(zrv::test::recordedMessages().empty());
}

TEST_F(PlotFormTest, SaveWritesABitmapOfTheChosenSize) {
  Fill(plot, 2, 11);
  auto f = Open();
  zrv::test::TempDir dir;
  const QString base = QString::fromStdString((dir.path() / "plot").string());
  QString filter;
  setSaveFileHook([&](QWidget*, const QString& flt, const QString&) {
    filter = flt;
    return base;
  });
  setModalRunner([](QDialog& d) {
    auto* format = dynamic_cast<TdlgFormat*>(&d);
    if (!format) return int(QDialog::Rejected);
    format->btnOKClick();
    return format->result();
  });
  f->findChild<QAction*>("PlotSave")->trigger();
  EXPECT_EQ(filter, "Bitmap (*.bmp)");
  QImage saved(base + ".bmp", "BMP");
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.width(), 432);
  EXPECT_EQ(saved.height(), 288);
  EXPECT_EQ(saved.pixel(0, 0), qRgb(255, 255, 255));
  // The frame of the plot rectangle is drawn on the bitmap's own layout.
  const TPlotView v = f->ScreenView();
  const TPixRect r = ScreenPlotRect(432, 288, v.PPIx, v.PPIy, v.H, false, false, false);
  EXPECT_EQ(saved.pixel(r.Left, (r.Top + r.Bottom) / 2), qRgb(0, 0, 0));

  // Memory running out is reported and nothing is written.
  QFile::remove(base + ".bmp");
  setModalRunner([](QDialog& d) {
    auto* format = dynamic_cast<TdlgFormat*>(&d);
    format->deHeight->setText("2000");
    format->deWidth->setText("2000");
    format->dePPI->setText("2000");
    format->btnOKClick();
    return format->result();
  });
  f->PlotSaveClick();
  ASSERT_EQ(zrv::test::recordedMessages().size(), 1u);
  EXPECT_EQ(zrv::test::recordedMessages()[0].text, "There is not enough memory to complete this task.");
  EXPECT_FALSE(QFile::exists(base + ".bmp"));

  // Cancelling the file dialog asks nothing more.
  int runs = 0;
  setModalRunner([&](QDialog&) { return ++runs, int(QDialog::Rejected); });
  setSaveFileHook([](QWidget*, const QString&, const QString&) { return QString(); });
  f->PlotSaveClick();
  EXPECT_EQ(runs, 0);
}

TEST_F(PlotFormTest, GraphTitleIsTakenHoweverTheDialogCloses) {
  Fill(plot, 1, 3);
  auto f = Open();
  const int top = f->PlotRect().Top;
  setModalRunner([](QDialog& d) {
    auto* c = dynamic_cast<TfrmGraphCaption*>(&d);
    EXPECT_TRUE(c->rbBottom->isChecked());
    c->edtCaption->setText("Horizontal stiffness");
    c->rbTop->setChecked(true);
    return int(QDialog::Rejected);
  });
  f->findChild<QAction*>("PlotCaption")->trigger();
  EXPECT_EQ(plot.GraphTitle, "Horizontal stiffness");
  EXPECT_TRUE(plot.TitleAtTop);
  EXPECT_GT(f->PlotRect().Top, top);
}

TEST_F(PlotFormTest, EditLegendRenamesOnOkOnly) {
  Fill(plot, 2, 3);
  auto f = Open();
  auto rename = [](int result) {
    return [result](QDialog& d) {
      auto* n = dynamic_cast<TfrmLineNames*>(&d);
      n->edLine->setText("Horizontal");
      QTest::keyClick(n->edLine, Qt::Key_Return);
      n->done(result);
      return n->result();
    };
  };
  setModalRunner(rename(QDialog::Rejected));
  f->mLineNameClick();
  EXPECT_EQ(plot.Line(0).Name, "");
  EXPECT_EQ(f->Legend()->Entries()[0].Text, "Curve #1");

  setModalRunner(rename(QDialog::Accepted));
  f->findChild<QAction*>("mLineName")->trigger();
  EXPECT_EQ(plot.Line(0).Name, "Horizontal");
  EXPECT_EQ(plot.Line(1).Name, "Curve #2");
  EXPECT_EQ(f->Legend()->Entries()[0].Text, "Horizontal");
  EXPECT_EQ(f->CurveItems()[0]->text(), "Horizontal");
}

TEST_F(PlotFormTest, ActiveCurvesChooseTheListedCurves) {
  Fill(plot, 3, 11);
  for (int i = 0; i < 11; ++i) plot.Point(1, i).Y = 2.5L;
  auto f = Open();
  setModalRunner([](QDialog& d) {
    auto* a = dynamic_cast<TfrmActiveLines*>(&d);
    a->DesactivateButton->click();
    return int(QDialog::Accepted);
  });
  f->findChild<QAction*>("ActiveGraphs")->trigger();
  EXPECT_TRUE(f->Legend()->Entries().empty());
  EXPECT_TRUE(f->CurveItems().empty());
  for (int k = 0; k < 3; ++k) EXPECT_FALSE(plot.Line(k).InLegend);
  // Nothing is drawn inside the plot rectangle but white, grid and ticks.
  QImage img(f->Canvas()->size(), QImage::Format_RGB32);
  {
    QPainter p(&img);
    DrawPlot(p, plot, f->ScreenView());
  }
  const TPixRect r = f->PlotRect();
  for (int x = r.Left + 1; x < r.Right; x += 7)
    for (int y = r.Top + 1; y < r.Bottom; y += 7) {
      const QRgb c = img.pixel(x, y);
      ASSERT_TRUE(c == qRgb(255, 255, 255) || c == qRgb(0, 0, 0)) << x << "," << y;
    }

  // Only curve 2 back: it is the first entry and takes the first colour.
  setModalRunner([](QDialog& d) {
    auto* a = dynamic_cast<TfrmActiveLines*>(&d);
    a->lbLines->clearSelection();
    a->lbLines->item(2)->setSelected(true);
    a->ActivateDesactivateButton->click();
    return int(QDialog::Accepted);
  });
  f->ActiveGraphsClick();
  ASSERT_EQ(f->Legend()->Entries().size(), 1u);
  EXPECT_EQ(f->Legend()->Entries()[0].Curve, 2);
  ASSERT_EQ(f->CurveItems().size(), 1u);
  EXPECT_EQ(f->CurveItems()[0]->text(), "Curve #3");
  f->CurveItems()[0]->trigger();
  EXPECT_FALSE(plot.Line(2).Active);
}

TEST_F(PlotFormTest, PrintedLegendListsActiveCurvesInTheirCurveColours) {
  // Curves at the top of the plot; the legend box goes to its bottom-right corner.
  Fill(plot, 3, 11);
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 11; ++i) plot.Point(k, i).Y = 4.8L;
  plot.Markers = 0;
  TPlotView v;
  v.Page = {0, 0, 700, 450};
  v.Plot = {100, 50, 600, 350};
  v.X = {0, 10};
  v.Y = {0, 5};
  v.Output = true;
  auto count = [&](QRgb colour) {
    QImage img(700, 450, QImage::Format_RGB32);
    QPainter p(&img);
    DrawPlot(p, plot, v);
    p.end();
    int n = 0;
    for (int x = 400; x < 600; ++x)
      for (int y = 250; y < 350; ++y) n += img.pixel(x, y) == colour;
    return n;
  };
  const QRgb blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0);
  EXPECT_GT(count(blue), 0);
  EXPECT_GT(count(red), 0);
  // Curve 1 switched off: not listed, and curve 2 keeps its red.
  plot.Line(1).Active = false;
  EXPECT_EQ(count(blue), 0);
  EXPECT_GT(count(red), 0);
  plot.Line(2).Active = false;
  EXPECT_EQ(count(red), 0);
}

namespace {

// Every pair of boxes from `a` and `b` (or within `a` when b is null) that
// overlap, as text for the failure output.
std::string Overlaps(const std::vector<TPlotText>& a, const std::vector<TPlotText>* b, const QRect& other = {},
                     const QString& otherName = {}) {
  std::string out;
  auto name = [](const TPlotText& t) {
    return t.Text.toStdString() + "@" + std::to_string(t.Box.x()) + "," + std::to_string(t.Box.y()) + " " +
           std::to_string(t.Box.width()) + "x" + std::to_string(t.Box.height());
  };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!other.isEmpty() && a[i].Box.intersects(other)) out += otherName.toStdString() + " / " + name(a[i]) + "; ";
    if (b) {
      for (const TPlotText& t : *b)
        if (a[i].Box.intersects(t.Box)) out += name(a[i]) + " / " + name(t) + "; ";
    } else if (other.isEmpty()) {
      for (std::size_t j = i + 1; j < a.size(); ++j)
        if (a[i].Box.intersects(a[j].Box)) out += name(a[i]) + " / " + name(a[j]) + "; ";
    }
  }
  return out;
}

// No tick number is covered by the legend or by a caption, and the numbers
// of each axis keep apart.
void ExpectReadable(const TPlotTextLayout& t, const QRect& legend, const char* where, std::size_t numbers = 2) {
  SCOPED_TRACE(where);
  ASSERT_GE(t.XNumbers.size(), numbers);
  ASSERT_GE(t.YNumbers.size(), numbers);
  ASSERT_FALSE(legend.isEmpty());
  EXPECT_EQ(Overlaps(t.XNumbers, nullptr), "");
  EXPECT_EQ(Overlaps(t.YNumbers, nullptr), "");
  EXPECT_EQ(Overlaps(t.XNumbers, &t.YNumbers), "");
  for (const auto* numbers : {&t.XNumbers, &t.YNumbers}) {
    EXPECT_EQ(Overlaps(*numbers, nullptr, legend, "legend"), "");
    EXPECT_EQ(Overlaps(*numbers, nullptr, t.XCaption.Box, t.XCaption.Text), "");
    EXPECT_EQ(Overlaps(*numbers, nullptr, t.YCaption.Box, t.YCaption.Text), "");
    if (!t.Title.Text.isEmpty()) {
      EXPECT_EQ(Overlaps(*numbers, nullptr, t.Title.Box, t.Title.Text), "");
    }
  }
}

}  // namespace

TEST_F(PlotFormTest, LegendAndCaptionsKeepClearOfTheNumbersOnScreenAndInBitmaps) {
  // A rotation response: three curves up to 2.4e-5 rad over 50 Hz, whose
  // numbers (0.000002 to 0.000024) are wider than the default ticks are apart.
  Fill(plot, 3, 51);
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 51; ++i) plot.Point(k, i).Y = (k + 1) * 0.8e-5L * std::sin(i / 16.0L);
  plot.Caption = "Footing Response Amplitude (Rotation)";
  plot.XCaption = "Frequency";
  plot.XUnits = "Hz";
  plot.YCaption = "Amplitude";
  plot.YUnits = "rad";
  // Shown as the main window shows its children: the form first, inside a
  // frame that is not sized yet, then the frame.
  QMdiArea area;
  area.resize(1000, 700);
  area.show();
  setChildHost([&](QWidget* child) {
    QMdiSubWindow* sub = area.addSubWindow(child);
    child->show();
    sub->show();
  });
  plot.SetWindowFactory(PlotFormFactory());
  plot.Show();
  setChildHost({});
  TPlotForm* f = PlotFormOf(plot);
  ASSERT_NE(f, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(f));
  QApplication::processEvents();

  // On the screen the legend starts in the plot's bottom-right corner.
  const TPixRect r = f->PlotRect();
  const QRect legend = f->Legend()->geometry();
  EXPECT_EQ(legend.right() + 1, r.Right);
  EXPECT_EQ(legend.bottom() + 1, r.Bottom);
  ExpectReadable(LayoutPlotTexts(plot, f->ScreenView(), f->Canvas()), legend, "screen", 4);

  // A saved bitmap, laid out as it is drawn; its legend frame is where the
  // layout puts it.
  zrv::test::TempDir dir;
  const QString base = QString::fromStdString((dir.path() / "plot").string());
  setSaveFileHook([&](QWidget*, const QString&, const QString&) { return base; });
  QString inches[2] = {"4", "6"};  // height, width
  setModalRunner([&](QDialog& d) {
    auto* format = dynamic_cast<TdlgFormat*>(&d);
    if (!format) return int(QDialog::Rejected);
    format->deHeight->setText(inches[0]);
    format->deWidth->setText(inches[1]);
    format->btnOKClick();
    return format->result();
  });
  auto bitmapLayout = [&](const char* where) {
    QFile::remove(base + ".bmp");
    f->PlotSaveClick();
    const QImage saved(base + ".bmp", "BMP");
    EXPECT_EQ(saved.size(), QSize(72 * inches[1].toInt(), 72 * inches[0].toInt()));
    const TPlotTextLayout t = LayoutPlotTexts(plot, f->BitmapView(saved), &saved);
    ExpectReadable(t, t.Legend, where);
    EXPECT_EQ(saved.pixel(t.Legend.topLeft()), qRgb(0, 0, 0)) << where;
    EXPECT_EQ(saved.pixel(t.Legend.bottomRight()), qRgb(0, 0, 0)) << where;
    return t;
  };
  const TPlotTextLayout t = bitmapLayout("bitmap");
  const TPixRect br = f->BitmapView(QImage(432, 288, QImage::Format_RGB32)).Plot;
  EXPECT_EQ(t.Legend.right() + 1, br.Right);
  EXPECT_EQ(t.Legend.bottom() + 1, br.Bottom);

  // A graph title the user puts at the bottom, and twice the font size.
  plot.GraphTitle = "Rocking";
  bitmapLayout("bitmap with a title");
  f->SetFontSize(20);
  inches[0] = "8";
  inches[1] = "12";
  bitmapLayout("bitmap at twice the size");
  ExpectReadable(LayoutPlotTexts(plot, f->ScreenView(), f->Canvas()), f->Legend()->geometry(), "screen, twice");

  // Whatever the font: a range just under five steps of 1e-6 for each of the
  // intervals the axis length gives makes the default ticks 2e-6 apart, 2.4
  // text heights, closer than numbers such as -0.001024 are wide.
  QImage img(800, 600, QImage::Format_RGB32);
  TPlotView v;
  v.Page = {0, 0, 800, 600};
  v.FontPx = 14;
  v.H = PlotTextHeight(v.FontPx, &img);
  v.Plot = ScreenPlotRect(800, 600, 96, 96, v.H, false, !plot.GraphTitle.empty(), plot.TitleAtTop);
  const int ny = v.Plot.Height() / (6 * v.H);
  v.X = {0, 50};
  v.Y = {-0.001L - 4.99e-6L * ny, -0.001L};
  ASSERT_NEAR(double(AxisTicks(v.Y, ny).Minor * 5), 2e-6, 1e-18);
  ExpectReadable(LayoutPlotTexts(plot, v, &img), QRect(0, 0, 1, 1), "a tight axis", 3);

  // A printout's plot reaches the top of the page, so the number of its top
  // tick moves down onto the page. An axis from 0 to 6e-5 just long enough
  // for numbers 5e-6 apart: the moved 0.00006 must not run into 0.000055.
  plot.GraphTitle.clear();
  QFont numberFont("Times New Roman");
  numberFont.setPixelSize(v.FontPx);
  const QFontMetrics nm(numberFont, &img);
  // Room for the numbers with the gap they keep, and for at least seven
  // intervals of six text heights, so that the first step tried is 5e-6.
  const int step = std::max(nm.horizontalAdvance("0.000055") + nm.height() / 2 + 2, 7 * v.H / 2 + 1);
  v.Page = {0, 0, 800, 12 * step + 2 * v.H + 96 / 8 + v.H / 8};
  v.Plot = PrintPlotRect(v.Page, 96, 96, v.H, false, false, false);
  ASSERT_EQ(v.Plot.Top, v.Page.Top);
  v.Y = {0, 6e-5L};
  const TPlotTextLayout printed = LayoutPlotTexts(plot, v, &img);
  ASSERT_NEAR(double(printed.YTicks.Minor * 5), 5e-6, 1e-18);
  ExpectReadable(printed, QRect(0, 0, 1, 1), "a printout's axis", 3);
}

