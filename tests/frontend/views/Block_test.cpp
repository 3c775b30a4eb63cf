// The 3D view as a window: its operations, display options, bitmap, print
// and page setup through replaced dialogs, and its closing. The tests that
// need an OpenGL context skip on a platform without one (the offscreen
// platform without a display).
#include "views/Block.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QOpenGLContext>
#include <QPointer>
#include <QPrinter>
#include <QTest>
#include <gtest/gtest.h>

#include "block_fixture.h"
#include "glcontrol/glWindow.h"
#include "gl_test_support.h"
#include "qt_test_support.h"
#include "test_support.h"

using namespace zrv::front;
using namespace zrv::test::block;
namespace comp = zrv::comp;

namespace {

using zrv::test::figurePixels;
using zrv::test::waitFor;

// A pile project on screen; `live` when the view got an OpenGL context.
struct OpenView {
  FakeMain main;
  QPointer<TDlgBlock> view;
  bool live = false;
  OpenView() {
    main.project.FoundationType = "PILE";
    main.project.LengthX = 4;
    main.project.WidthCopy = 3;
    setRows(main.tables.pilecapsoil(), {{2}});
    setRows(main.tables.PileData(), {{10, 0.3, 0.4}});
    setRows(main.tables.Pilecoord(), {{-1, 0, 0, 1}, {1, 0, 15, 1}});
    view = new TDlgBlock(main);
    view->resize(320, 240);
    view->show();
    (void)QTest::qWaitForWindowExposed(view);
    QCoreApplication::processEvents();
    live = view->GL().context() != nullptr && view->GL().context()->isValid();
  }
  ~OpenView() {
    delete view.data();
    TDlgBlock::setSaveFileHook({});
    TDlgBlock::setPrintDialogHook({});
    TDlgBlock::setPageSetupHook({});
  }
};

#define REQUIRE_GL(v) \
  if (!(v).live) GTEST_SKIP() << "no OpenGL context on this platform"

}  // namespace

TEST(TDlgBlock, OpensCentredOnTheFigureWithTheDefaultOptions) {
  OpenView v;
  EXPECT_EQ(v.view->windowTitle(), "Zorvin, 3D-View");
  EXPECT_TRUE(v.view->FigureReady());
  EXPECT_EQ(v.view->Extents().ZBottom, -12.0L);
  EXPECT_EQ(v.view->View().PanX, -v.view->Extents().CentreX);
  const TDisplayOptions& o = v.view->Options();
  EXPECT_TRUE(o.FoundationVisible && o.PilesVisible && o.SoilLayersVisible && o.AxesVisible);
  EXPECT_FALSE(o.PileNumbersVisible || o.SoilLayerLabelsVisible || o.SoilDepthLabelsVisible);
  EXPECT_EQ(v.view->Margins().Left, 1000);
  EXPECT_EQ(v.view->Margins().Bottom, 1000);

  v.view->ShowPileNumbersOption();
  v.view->ShowSoilLayersOption();
  v.view->ShowSoilLayerLabelsOption();
  v.view->ShowSoilLayerDepthLabelsOption();
  v.view->ShowPileCapOption();
  v.view->ShowAllPilesOption();
  EXPECT_TRUE(o.PileNumbersVisible && o.SoilLayerLabelsVisible && o.SoilDepthLabelsVisible);
  EXPECT_FALSE(o.SoilLayersVisible || o.FoundationVisible || o.PilesVisible);
  v.view->ShowAllPilesOption();
  EXPECT_TRUE(o.PilesVisible);

  v.view->SetView(4);
  EXPECT_EQ(v.view->View().AngleZ, 45.0L);
  v.view->ReverseView();
  EXPECT_EQ(v.view->View().AngleZ, 225.0L);
  v.view->Zooming(1.4142L);
  EXPECT_EQ(v.view->View().ZoomScale, 1.4142L);
  v.view->RestartViewButtonClick();
  EXPECT_EQ(v.view->View().ZoomScale, 1.0L);
  EXPECT_EQ(v.view->View().AngleZ, 0.0L);
}

TEST(TDlgBlock, ClosingTellsTheMainWindowAndFreesTheView) {
  OpenView v;
  v.view->close();
  EXPECT_EQ(v.main.closed3D, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(v.view.isNull());
}

TEST(TDlgBlock, PageSetupKeepsTheMarginsOnlyWhenConfirmed) {
  OpenView v;
  TDlgBlock::setPageSetupHook([](TPageMargins& m, QWidget*) {
    m.Left = 500;
    return false;
  });
  v.view->PageSetupButtonClick();
  EXPECT_EQ(v.view->Margins().Left, 1000);
  TDlgBlock::setPageSetupHook([](TPageMargins& m, QWidget*) {
    m.Left = 500;
    m.Top = 750;
    return true;
  });
  v.view->PageSetupButtonClick();
  EXPECT_EQ(v.view->Margins().Left, 500);
  EXPECT_EQ(v.view->Margins().Top, 750);
}

TEST(TDlgBlock, PaintsTheFigureAndDragsWithTheMouse) {
  OpenView v;
  REQUIRE_GL(v);
  comp::TglWindow& gl = v.view->GL();
  EXPECT_TRUE(waitFor([&] { return figurePixels(gl.GrabFrame()) > 500; }));
  EXPECT_GT(v.view->View().FitScale, 1.0L);

  v.view->SetMouseMode(kPan, false);
  const Extended panX = v.view->View().PanX;
  QTest::mousePress(&gl, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(&gl, QPoint(140, 100));
  QTest::mouseRelease(&gl, Qt::LeftButton, {}, QPoint(140, 100));
  // 40 pixels to the right at the fit scale (no rotation, zoom 1).
  EXPECT_NEAR(static_cast<double>(v.view->View().PanX - panX),
              40 / static_cast<double>(v.view->View().FitScale),
              1e-5);  // the driver keeps its matrices in single precision
  EXPECT_EQ(v.view->Mouse().MouseState, 0);
}

TEST(TDlgBlock, SavesTheFigureAsABitmap) {
  OpenView v;
  REQUIRE_GL(v);
  zrv::test::TempDir dir;
  const QString path = QString::fromStdString((dir / "figure.bmp").string());
  TDlgBlock::setSaveFileHook([](QWidget*) { return QString(); });
  v.view->SaveBitmapButtonClick();  // cancelled
  EXPECT_FALSE(QFile::exists(path));

  zrv::test::recordedMessages().clear();
  TDlgBlock::setSaveFileHook([&](QWidget*) { return path; });
  v.view->SaveBitmapButtonClick();
  EXPECT_TRUE(zrv::test::recordedMessages().empty());
  QImageReader reader(path);
  EXPECT_EQ(reader.format(), "bmp");
  const QImage image = reader.read();
  EXPECT_EQ(image.size(), v.view->GL().size());
  EXPECT_GT(figurePixels(image), 500);
  EXPECT_FALSE(v.view->View().ImmediateMode);

  const QString bad = QString::fromStdString((dir / "missing" / "figure.bmp").string());
  TDlgBlock::setSaveFileHook([&](QWidget*) { return bad; });
  v.view->SaveBitmapButtonClick();
  ASSERT_EQ(zrv::test::recordedMessages().size(), 1u);
  EXPECT_EQ(zrv::test::recordedMessages()[0].kind, comp::TMsgKind::Error);
  EXPECT_EQ(zrv::test::recordedMessages()[0].text, "Cannot create file \"" + bad + "\".");
}

TEST(TDlgBlock, PrintsToPdf) {
  OpenView v;
  REQUIRE_GL(v);
  zrv::test::TempDir dir;
  const QString path = QString::fromStdString((dir / "figure.pdf").string());
  TDlgBlock::setPrintDialogHook([](QPrinter&, QWidget*) { return false; });
  v.view->PrintButtonClick();
  EXPECT_FALSE(QFile::exists(path));

  QString docName;
  TDlgBlock::setPrintDialogHook([&](QPrinter& printer, QWidget*) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
  });
  zrv::test::recordedMessages().clear();
  v.view->PrintButtonClick();
  EXPECT_TRUE(zrv::test::recordedMessages().empty());
  QFile pdf(path);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");
  EXPECT_GT(pdf.size(), 1000);
}
