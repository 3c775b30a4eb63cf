// The OpenGL window control on a real context (Mesa under a virtual X server).
#include "glcontrol/glWindow.h"

#include <GL/gl.h>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

#include "expect.h"
#include "gl_test_support.h"
#include "qt_test_support.h"

using namespace zrv::comp;

namespace {

using zrv::test::waitFor;

// A shown window with a live context, painted once; null (test skipped) when
// the platform offers no OpenGL.
struct Shown {
  TglWindow window;
  int paints = 0;
  Shown() {
    if (!TglWindow::OpenGLAvailable()) return;
    window.OnPaint = [this](TglWindow&) { ++paints; };
    window.resize(200, 150);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    waitFor([this] { return paints > 0; });
  }
  bool live() const { return window.context() && window.context()->isValid() && paints > 0; }
};

#define REQUIRE_GL(s) \
  if (!(s).live()) GTEST_SKIP() << "no OpenGL context on this platform"

QRgb pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

}  // namespace

TEST(TglWindow, FlagsAndStoredPropertiesAtCreation) {
  TglWindow w;
  EXPECT_FALSE(w.TestAndSetInitialized());
  EXPECT_TRUE(w.TestAndSetInitialized());
  w.ResetInitialized();
  EXPECT_FALSE(w.TestAndSetInitialized());
  EXPECT_TRUE(w.TestAndSetInitialized());

  EXPECT_FALSE(w.TestAndClearRedraw());
  w.RequestRedraw();
  EXPECT_TRUE(w.TestAndClearRedraw());
  EXPECT_FALSE(w.TestAndClearRedraw());

  EXPECT_EQ(w.EyePosition().Z(), 1.0);
  EXPECT_EQ(w.UpVector().Y(), 1.0);
  EXPECT_EQ(w.ViewPosition().X(), 0.0);
  EXPECT_EQ(w.FOV(), 45.0);
  EXPECT_FALSE(w.Painting());
  EXPECT_EQ(w.LightCount(), 0);  // the lights live with the context
}

TEST(TglWindow, PaintCallsOwnerWithItsContextCurrent) {
  if (!TglWindow::OpenGLAvailable()) GTEST_SKIP() << "no OpenGL context on this platform";
  TglWindow w;
  bool current = false, painting = false;
  int paints = 0;
  w.OnPaint = [&](TglWindow& sender) {
    current = QOpenGLContext::currentContext() == sender.context();
    painting = sender.Painting();
    ++paints;
  };
  w.resize(120, 90);
  w.show();
  (void)QTest::qWaitForWindowExposed(&w);
  waitFor([&] { return paints > 0; });
  if (!w.context() || paints == 0) GTEST_SKIP() << "no OpenGL context on this platform";
  EXPECT_TRUE(current);
  EXPECT_TRUE(painting);
  EXPECT_FALSE(w.Painting());
  EXPECT_EQ(w.LightCount(), 8);

  // The viewport follows the window size.
  w.resize(160, 100);
  waitFor([&] { return w.width() == 160; });
  w.MakeCurrent();
  const auto vp = w.GetViewport();
  const qreal dpr = w.devicePixelRatio();
  EXPECT_EQ(vp[2], static_cast<int>(160 * dpr));
  EXPECT_EQ(vp[3], static_cast<int>(100 * dpr));
  w.doneCurrent();
}

TEST(TglWindow, WithoutOpenGLTheControlStaysEmptyAndRefusesToRender) {
  if (TglWindow::OpenGLAvailable()) GTEST_SKIP() << "the platform has OpenGL";
  TglWindow w;
  w.SetDepthTesting(true);
  EXPECT_TRUE(w.DepthTesting());  // kept for a context that never comes
  w.resize(50, 40);
  w.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(w.context(), nullptr);
  EXPECT_TRUE(w.GrabFrame().isNull());
  EXPECT_THROW_MSG(w.RenderToImage(10, 10, [] {}), EOpenGL, "ChoosePixelFormat failed");
}

TEST(TglWindow, WindowWithoutPaintHandlerDrawsNothing) {
  TglWindow w;
  w.resize(80, 60);
  w.show();
  (void)QTest::qWaitForWindowExposed(&w);
  QCoreApplication::processEvents();
  w.Invalidate();
  QCoreApplication::processEvents();
  SUCCEED();  // no handler, no crash
}

TEST(TglWindow, CapabilityPropertiesActOnTheControlsOwnContext) {
  Shown s;
  REQUIRE_GL(s);
  TglWindow& w = s.window;

  // Another context is current: the setter must still act on the window's.
  QOpenGLContext other;
  other.setFormat(w.format());
  ASSERT_TRUE(other.create());
  QOffscreenSurface surface;
  surface.setFormat(other.format());
  surface.create();
  ASSERT_TRUE(other.makeCurrent(&surface));
  glEnable(GL_DEPTH_TEST);

  w.SetDepthTesting(true);
  const int before = s.paints;
  w.SetDepthTesting(false);
  EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);  // released after the access
  ASSERT_TRUE(other.makeCurrent(&surface));
  EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);  // the other context untouched
  other.doneCurrent();
  EXPECT_FALSE(w.DepthTesting());
  EXPECT_TRUE(waitFor([&] { return s.paints > before; }));  // and the window repainted

  // Reading a property outside a paint repaints too.
  const int beforeRead = s.paints;
  (void)w.Blending();
  EXPECT_TRUE(waitFor([&] { return s.paints > beforeRead; }));

  // The remaining capabilities and the shade model, both ways.
  w.SetBlending(true);
  EXPECT_TRUE(w.Blending());
  w.SetFog(true);
  EXPECT_TRUE(w.Fog());
  w.SetFog(false);
  EXPECT_FALSE(w.Fog());
  w.SetLighting(true);
  EXPECT_TRUE(w.Lighting());
  w.SetPolygonFiltering(true);
  EXPECT_TRUE(w.PolygonFiltering());
  w.SetShadeModel(TGLShadeModel::glFlat);
  EXPECT_EQ(w.ShadeModel(), TGLShadeModel::glFlat);
  w.SetShadeModel(TGLShadeModel::glSmooth);
  EXPECT_EQ(w.ShadeModel(), TGLShadeModel::glSmooth);
}

TEST(TglWindow, PropertiesSetBeforeTheContextExistsAreApplied) {
  if (!TglWindow::OpenGLAvailable()) GTEST_SKIP() << "no OpenGL context on this platform";
  TglWindow w;
  w.SetFog(true);
  w.SetShadeModel(TGLShadeModel::glFlat);
  EXPECT_TRUE(w.Fog());
  int paints = 0;
  w.OnPaint = [&](TglWindow&) { ++paints; };
  w.resize(60, 60);
  w.show();
  (void)QTest::qWaitForWindowExposed(&w);
  waitFor([&] { return paints > 0; });
  if (!w.context() || paints == 0) GTEST_SKIP() << "no OpenGL context on this platform";
  EXPECT_TRUE(w.Fog());
  EXPECT_EQ(w.ShadeModel(), TGLShadeModel::glFlat);
  EXPECT_FALSE(w.Lighting());
}

TEST(TglWindow, GetMatrixReturnsTheModelViewInColumnOrder) {
  Shown s;
  REQUIRE_GL(s);
  TglWindow& w = s.window;
  w.MakeCurrent();
  w.MatrixMode(w.ModelView());
  w.LoadIdentity();
  w.Translate(1, 2, 3);
  w.Rotate(90, 0, 0, 1);  // x -> y, y -> -x
  w.Scale(2, 2, 2);
  const TglMatrix m = w.GetMatrix(w.ModelViewMatrix());
  const double expected[16] = {0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 2, 0, 1, 2, 3, 1};
  for (int i = 0; i < 16; ++i)
    EXPECT_NEAR(static_cast<double>(m[i]), expected[i], 1e-6) << i;  // the driver rotates in single precision
  EXPECT_EQ(w.GetError(), 0u);
  w.doneCurrent();
}

TEST(TglWindow, OffscreenRenderingDrawsFiguresAndText) {
  Shown s;
  REQUIRE_GL(s);
  TglWindow& w = s.window;
  auto frame = [&w](const std::string& text) {
    w.ClearColor(1, 1, 1, 1);
    w.Clear(w.ColorBufferBit() | w.DepthBufferBit());
    w.MatrixMode(w.Projection());
    w.LoadIdentity();
    w.Ortho(-50, 50, -40, 40, -1, 1);
    w.MatrixMode(w.ModelView());
    w.LoadIdentity();
    // A red square over the left half, as a fan from its centre.
    w.SetColor(1, 0, 0, 1);
    w.BeginPrimitive(w.TriangleFan());
    w.Vertex(-25, 0, 0);
    w.Vertex(-50, -40, 0);
    w.Vertex(0, -40, 0);
    w.Vertex(0, 40, 0);
    w.Vertex(-50, 40, 0);
    w.Vertex(-50, -40, 0);
    w.EndPrimitive();
    w.SetColor(0, 0, 0, 1);
    w.DrawText(text, 10, 0, 0);
  };
  QOpenGLContext* const before = QOpenGLContext::currentContext();
  const QImage withText = w.RenderToImage(100, 80, [&] { frame("XW8"); });
  ASSERT_EQ(withText.size(), QSize(100, 80));
  EXPECT_EQ(withText.format(), QImage::Format_RGB888);
  EXPECT_EQ(pixel(withText, 10, 40), 0xFF0000u);
  EXPECT_EQ(pixel(withText, 90, 5), 0xFFFFFFu);
  auto darkPixels = [](const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 55; x < image.width(); ++x) n += pixel(image, x, y) == 0 ? 1 : 0;
    return n;
  };
  EXPECT_GT(darkPixels(withText), 10);
  const QImage noText = w.RenderToImage(100, 80, [&] { frame(""); });
  EXPECT_EQ(darkPixels(noText), 0);
  EXPECT_EQ(QOpenGLContext::currentContext(), before);  // the caller's context is back
}

TEST(TglWindow, MouseEventsCarryButtonKeysAndPosition) {
  Shown s;
  REQUIRE_GL(s);
  TglWindow& w = s.window;
  std::vector<std::tuple<char, TMouseButton, TShiftState, int, int>> seen;
  w.OnMouseDown = [&](TglWindow&, TMouseButton b, TShiftState sh, int x, int y) {
    seen.emplace_back('d', b, sh, x, y);
  };
  w.OnMouseUp = [&](TglWindow&, TMouseButton b, TShiftState sh, int x, int y) {
    seen.emplace_back('u', b, sh, x, y);
  };
  QTest::mousePress(&w, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
  QTest::mouseRelease(&w, Qt::LeftButton, Qt::ControlModifier, QPoint(35, 45));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_tuple('d', TMouseButton::mbLeft, TShiftState(ssShift | ssLeft), 30, 40));
  EXPECT_EQ(seen[1], std::make_tuple('u', TMouseButton::mbLeft, TShiftState(ssCtrl), 35, 45));
}

TEST(TglWindow, AnErrorInThePaintHandlerIsShownAfterThePaint) {
  if (!TglWindow::OpenGLAvailable()) GTEST_SKIP() << "no OpenGL context on this platform";
  zrv::test::recordedMessages().clear();
  TglWindow w;
  int paints = 0;
  w.OnPaint = [&](TglWindow&) {
    ++paints;
    throw EOpenGL("figure failed");
  };
  w.resize(50, 50);
  w.show();
  (void)QTest::qWaitForWindowExposed(&w);
  waitFor([&] { return paints > 0 && !zrv::test::recordedMessages().empty(); });
  if (paints == 0) GTEST_SKIP() << "no OpenGL context on this platform";
  ASSERT_FALSE(zrv::test::recordedMessages().empty());
  EXPECT_EQ(zrv::test::recordedMessages()[0].kind, TMsgKind::Error);
  EXPECT_EQ(zrv::test::recordedMessages()[0].text, "figure failed");
  EXPECT_FALSE(w.Painting());
}
