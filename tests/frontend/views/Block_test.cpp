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

#include <cmath>
#include <numbers>

#include "block_fixture.h"
#include "glcontrol/glWindow.h"
#include "gl_test_support.h"
#include "project/TProjectTables.h"
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
  EXPECT_EQ(v.view->View().PanX, -v.view->Extents().FrameCentreX);
  EXPECT_EQ(v.view->View().PanZ, -v.view->Extents().FrameCentreZ);
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

// --- the picture of the piles --------------------------------------------------

namespace {

// The piles as the view drew them before they became vertex arrays: one fan
// per quad of every layer segment, the head disc on the first segment and the
// tip disc on the last, kept here as the reference picture.
void referencePiles(comp::TglCanvas& gl, const FakeMain& m, const TSceneExtents& e) {
  const TGridTable& coord = m.tables.Pilecoord();
  const TGridTable& data = m.tables.PileData();
  auto circle = [&](Extended r, bool filled) {
    gl.BeginPrimitive(filled ? comp::TglCanvas::TriangleFan() : comp::TglCanvas::LineStrip());
    if (filled) gl.Vertex(0, 0, 0);
    for (int i = 0; i <= 32; ++i) {
      const Extended a = 2 * std::numbers::pi_v<Extended> * i / 32;
      gl.Vertex(r * std::cos(a), r * std::sin(a), 0);
    }
    gl.EndPrimitive();
  };
  if (e.HasSideSoil) gl.Translate(0, 0, -e.SideSoilDepth);
  for (int i = 0; i < coord.RowCount(); ++i) {
    const Extended x = cellValue(coord, 0, i), y = cellValue(coord, 1, i), a = cellValue(coord, 2, i);
    const int plane = static_cast<int>(cellValue(coord, 3, i));
    gl.Translate(x, y, 0);
    if (a != 0 && plane == 1) gl.Rotate(-a, 0, 1, 0);
    if (a != 0 && plane == 2) gl.Rotate(a, 1, 0, 0);
    Extended top = 0;
    for (int j = 0; j < data.RowCount(); ++j) {
      const Extended length = cellValue(data, 0, j);
      const Extended r = std::hypot(cellValue(data, 1, j), cellValue(data, 2, j));
      const Extended mid = top - length / 2;
      gl.Translate(0, 0, mid);
      gl.SetColor(0.5L, 0.5L, 0.5L, 1);
      for (int k = 0; k < 32; ++k) {
        const Extended a0 = 2 * std::numbers::pi_v<Extended> * k / 32, a1 = 2 * std::numbers::pi_v<Extended> * (k + 1) / 32;
        gl.BeginPrimitive(comp::TglCanvas::TriangleFan());
        gl.Vertex(r * std::cos(a0), r * std::sin(a0), length / 2);
        gl.Vertex(r * std::cos(a0), r * std::sin(a0), -length / 2);
        gl.Vertex(r * std::cos(a1), r * std::sin(a1), -length / 2);
        gl.Vertex(r * std::cos(a1), r * std::sin(a1), length / 2);
        gl.EndPrimitive();
      }
      if (j == 0) {
        gl.Translate(0, 0, length / 2);
        circle(r, true);
        gl.SetColor(1, 0.5L, 0, 1);
        circle(r, false);
        gl.Translate(0, 0, -length / 2);
      }
      if (j == data.RowCount() - 1) {
        gl.Translate(0, 0, -length / 2);
        gl.Rotate(180, 1, 0, 0);
        circle(r, true);
        gl.Rotate(-180, 1, 0, 0);
        gl.SetColor(1, 0.5L, 0, 1);
        circle(r, false);
        gl.Translate(0, 0, length / 2);
      }
      gl.Translate(0, 0, -mid);
      top -= length;
    }
    if (a != 0 && plane == 1) gl.Rotate(a, 0, 1, 0);
    if (a != 0 && plane == 2) gl.Rotate(-a, 1, 0, 0);
    gl.Translate(-x, -y, 0);
  }
  if (e.HasSideSoil) gl.Translate(0, 0, e.SideSoilDepth);
}

// The figure off-screen, drawn by the scene or with the reference piles in
// the scene's frame.
QImage renderFigure(comp::TglWindow& window, const FakeMain& m, const TViewState& state, bool reference) {
  const int w = 320, h = 240;
  const TSceneExtents e = GetMaxDims(m.project);
  TDisplayOptions options;
  TViewState view = state;
  view.ImmediateMode = true;
  comp::TglCanvas& gl = window;
  return window.RenderToImage(w, h, [&] {
    TBlockScene scene(gl, m.project, e, options, view);
    scene.glSetupRC(w, h);
    if (!reference) {
      scene.DrawFigure();
      return;
    }
    gl.Clear(comp::TglCanvas::ColorBufferBit());
    gl.Clear(comp::TglCanvas::DepthBufferBit());
    gl.MatrixMode(comp::TglCanvas::ModelView());
    gl.LoadIdentity();
    gl.SetShading(comp::TglCanvas::Smooth());
    gl.Enable(comp::TglCanvas::DepthTest());
    gl.Enable(comp::TglCanvas::CullFace());
    // The scene's own sequence of transformations, step for step.
    gl.PushMatrix();
    gl.Rotate(-90, 1, 0, 0);
    gl.Rotate(view.AngleX, 1, 0, 0);
    gl.Rotate(view.AngleY, 0, 1, 0);
    gl.Rotate(view.AngleZ, 0, 0, 1);
    gl.Scale(view.ZoomScale, view.ZoomScale, view.ZoomScale);
    gl.Scale(view.FitScale, view.FitScale, view.FitScale);
    gl.Translate(view.PanX, 0, 0);
    gl.Translate(0, view.PanY, 0);
    gl.Translate(0, 0, view.PanZ);
    scene.DrawPileCap();
    referencePiles(gl, m, e);
    scene.DrawSoilLayers();
    gl.Disable(comp::TglCanvas::DepthTest());
    scene.DrawAxes();
    gl.PopMatrix();
  });
}

// Pixels of `a` whose colour no pixel within one pixel of the same place in
// `b` has, to within `tolerance` per channel: edges that moved by a pixel
// (rounding, anti-aliasing, polygons of fewer sides) do not count.
int unmatchedPixels(const QImage& a, const QImage& b, int tolerance = 24) {
  int unmatched = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; ++dy)
        for (int dx = -1; dx <= 1 && !found; ++dx) {
          if (!b.valid(x + dx, y + dy)) continue;
          const QRgb q = b.pixel(x + dx, y + dy);
          found = std::abs(qRed(p) - qRed(q)) <= tolerance && std::abs(qGreen(p) - qGreen(q)) <= tolerance &&
                  std::abs(qBlue(p) - qBlue(q)) <= tolerance;
        }
      unmatched += found ? 0 : 1;
    }
  return unmatched;
}

}  // namespace

TEST(TDlgBlock, PilesFromVertexArraysLookAsTheyDidFromFans) {
  OpenView v;
  REQUIRE_GL(v);
  // Nine piles, two of them battered, of two radii over three segments.
  FakeMain& m = v.main;
  m.project.LengthX = 12;
  m.project.WidthCopy = 10;
  setRows(m.tables.pilecapsoil(), {{1.5}, {1}});
  setRows(m.tables.PileData(), {{4, 0.4, 0.3}, {3, 0.4, 0.3}, {5, 0.3, 0.3}});
  setRows(m.tables.Pilecoord(), {{-4, -3, 0, 1}, {0, -3, 0, 1}, {4, -3, 12, 1}, {-4, 0, 0, 1}, {0, 0, 0, 1},
                                 {4, 0, 0, 1}, {-4, 3, 0, 1}, {0, 3, 10, 2}, {4, 3, 0, 1}});
  const TSceneExtents e = GetMaxDims(m.project);
  struct Case {
    int preset;
    Extended zoom;  // 0.25: piles a few pixels wide, drawn with fewer sides
    bool tapered;   // radii 0.01 apart segment by segment: merged where that is under a quarter pixel
  };
  for (const Case c : {Case{1, 1, false}, Case{3, 1, false}, Case{4, 1, false}, Case{4, 3, false},
                       Case{4, 0.25L, false}, Case{4, 3, true}, Case{4, 0.25L, true}}) {
    if (c.tapered)
      setRows(m.tables.PileData(), {{2, 0.4, 0.3}, {2, 0.39, 0.3}, {2, 0.38, 0.3}, {3, 0.37, 0.3}, {3, 0.36, 0.3}});
    TViewState view;
    RestartView(view, e);
    SetView(view, c.preset);
    view.ZoomScale = c.zoom;
    const QImage now = renderFigure(v.view->GL(), m, view, false);
    const QImage before = renderFigure(v.view->GL(), m, view, true);
    ASSERT_EQ(now.size(), before.size());
    EXPECT_GT(figurePixels(before), 2000) << c.preset;
    // Of 76,800 pixels at most 8 may lack a match: the end pixel of a rim
    // line or a pixel where two faces lie at the same depth may fall either
    // way when the vertices are rounded differently. A pile missing, moved or
    // recoloured changes hundreds.
    EXPECT_LE(unmatchedPixels(now, before), 8) << "view " << c.preset << " zoom " << static_cast<double>(c.zoom) << (c.tapered ? " tapered" : "");
    EXPECT_LE(unmatchedPixels(before, now), 8) << "view " << c.preset << " zoom " << static_cast<double>(c.zoom) << (c.tapered ? " tapered" : "");
  }
}
