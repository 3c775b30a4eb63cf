// Viewing of the 3D view without a window: presets, zoom steps, the mouse
// modes checked by where a world point lands on the screen before and after
// a drag, and the placement of a printed figure.
#include "views/BlockViewing.h"

#include <cmath>
#include <gtest/gtest.h>

#include "block_fixture.h"

using namespace zrv::front;
using namespace zrv::test::block;
using zrv::comp::ssAlt;
using zrv::comp::ssCtrl;
using zrv::comp::ssLeft;
using zrv::comp::ssRight;
using zrv::comp::ssShift;
using zrv::comp::TMouseButton;

namespace {

// A view of a 4 x 3 block; frames are drawn on a 400 x 300 recording canvas
// so that the model-view matrix is the one a real frame leaves behind.
struct Viewer {
  FakeMain main;
  TSceneExtents extents;
  TDisplayOptions options;
  TViewState view;
  TViewMouse mouse;
  Viewer() {
    main.project.FoundationType = "HALF-SPACE";
    main.project.LengthX = 4;
    main.project.WidthCopy = 3;
    extents = GetMaxDims(main.project);
    options.AxesVisible = false;
    view.ImmediateMode = true;
  }
  Matrix frame() {
    RecordingCanvas gl;
    TBlockScene(gl, main.project, extents, options, view).DrawFigure();
    return view.ModelViewSnapshot;
  }
  // Screen offset (pixels, y up) of world point p after a fresh frame.
  Vec3 screen(const Vec3& p) { return mapPoint(frame(), p); }
};

}  // namespace

TEST(BlockViewing, PresetsReverseAndZoomSteps) {
  TViewState v;
  SetView(v, 4);
  EXPECT_EQ(v.AngleX, 22.5L);
  EXPECT_EQ(v.AngleY, 0.0L);
  EXPECT_EQ(v.AngleZ, 45.0L);
  SetView(v, 7);  // unknown preset: nothing changes
  EXPECT_EQ(v.AngleZ, 45.0L);
  SetView(v, 3);
  EXPECT_EQ(v.AngleX, 90.0L);
  EXPECT_EQ(v.AngleZ, 0.0L);
  SetView(v, 2);
  EXPECT_EQ(v.AngleZ, 90.0L);
  ReverseView(v);
  EXPECT_EQ(v.AngleZ, 270.0L);
  SetView(v, 1);
  EXPECT_EQ(v.AngleX, 0.0L);
  EXPECT_EQ(v.AngleZ, 0.0L);

  Zooming(v, 1.4142L);
  EXPECT_EQ(v.ZoomScale, 1.4142L);
  Zooming(v, 0.7071135624381275633L);
  EXPECT_NEAR(static_cast<double>(v.ZoomScale), 1.0, 1e-15);

  TSceneExtents e;
  e.FrameCentreX = 1.5L;
  e.FrameCentreY = -2;
  e.FrameCentreZ = -6;
  v.FitScale = 3;
  v.PanZ = 4;
  RestartView(v, e);
  EXPECT_EQ(v.ZoomScale, 1.0L);
  EXPECT_EQ(v.PanX, -1.5L);
  EXPECT_EQ(v.PanY, 2.0L);
  EXPECT_EQ(v.PanZ, 6.0L);  // the middle of the whole model
  EXPECT_EQ(v.FitScale, 3.0L);  // kept
}

TEST(BlockViewing, PanFollowsThePointerPixelForPixel) {
  Viewer w;
  SetView(w.view, 4);
  w.view.FitScale = 2;
  w.view.ZoomScale = 1.5L;
  w.mouse.MouseMode = kPan;
  const Vec3 p{1, -0.5L, -2};
  const Vec3 before = w.screen(p);
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 100, 100);
  EXPECT_TRUE(MouseMove(w.mouse, w.view, ssLeft, 130, 80, 400, 300));
  Vec3 after = w.screen(p);
  EXPECT_NEAR(static_cast<double>(after[0] - before[0]), 30, 1e-9);
  EXPECT_NEAR(static_cast<double>(after[1] - before[1]), 20, 1e-9);  // screen y runs up
  EXPECT_NEAR(static_cast<double>(after[2] - before[2]), 0, 1e-9);

  // Released with Shift: the drag locks to its dominant axis.
  w.frame();
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 100, 100);
  const Vec3 start = w.screen(p);
  EXPECT_TRUE(MouseUp(w.mouse, w.view, ssShift, 130, 80, 400, 300));
  after = w.screen(p);
  EXPECT_NEAR(static_cast<double>(after[0] - start[0]), 30, 1e-9);
  EXPECT_NEAR(static_cast<double>(after[1] - start[1]), 0, 1e-9);
  EXPECT_EQ(w.mouse.MouseState, 0);

  // An exactly diagonal locked drag keeps the vertical part.
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 100, 100);
  const Vec3 diag = w.screen(p);
  MouseMove(w.mouse, w.view, ssShift | ssLeft, 120, 80, 400, 300);
  after = w.screen(p);
  EXPECT_NEAR(static_cast<double>(after[0] - diag[0]), 0, 1e-9);
  EXPECT_NEAR(static_cast<double>(after[1] - diag[1]), 20, 1e-9);
}

TEST(BlockViewing, MovesActOnlyWithTheLeftButtonAndAtMostShiftOrCtrl) {
  Viewer w;
  w.frame();
  w.mouse.MouseMode = kPan;
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 10, 10);
  const TViewState saved = w.view;
  EXPECT_FALSE(MouseMove(w.mouse, w.view, ssRight, 50, 50, 400, 300));
  EXPECT_FALSE(MouseMove(w.mouse, w.view, ssAlt | ssLeft, 50, 50, 400, 300));
  EXPECT_FALSE(MouseMove(w.mouse, w.view, ssShift | ssCtrl | ssLeft, 50, 50, 400, 300));
  EXPECT_EQ(w.view.PanX, saved.PanX);
  EXPECT_TRUE(MouseMove(w.mouse, w.view, ssCtrl | ssLeft, 50, 50, 400, 300));
  EXPECT_NE(w.view.PanX, saved.PanX);
  // No drag without a press.
  MouseUp(w.mouse, w.view, ssCtrl, 50, 50, 400, 300);
  const TViewState idle = w.view;
  EXPECT_FALSE(MouseMove(w.mouse, w.view, ssLeft, 90, 90, 400, 300));
  EXPECT_EQ(w.view.PanX, idle.PanX);
}

TEST(BlockViewing, ZoomDragAndRestart) {
  Viewer w;
  w.view.ZoomScale = 2;
  w.mouse.MouseMode = kZoom;
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 200, 100);
  MouseMove(w.mouse, w.view, ssLeft, 200, 25, 400, 300);  // up a quarter of the height
  EXPECT_NEAR(static_cast<double>(w.view.ZoomScale), 2.5, 1e-15);
  MouseUp(w.mouse, w.view, 0, 200, 400, 400, 300);  // down the whole height
  EXPECT_EQ(w.view.ZoomScale, 0.0L);
  w.view.PanX = 7;
  RestartView(w.view, w.extents);
  EXPECT_EQ(w.view.ZoomScale, 1.0L);
  EXPECT_EQ(w.view.PanX, -w.extents.FrameCentreX);
}

TEST(BlockViewing, HorizontalRotateDragTurnsAboutTheVerticalAxis) {
  Viewer w;
  w.view.FitScale = 3;
  w.frame();
  w.mouse.MouseMode = kRotate;
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 0, 150);
  MouseMove(w.mouse, w.view, ssLeft, 400, 150, 400, 300);  // the full width: 90 degrees
  EXPECT_NEAR(static_cast<double>(w.view.AngleZ), 90, 1e-9);
  EXPECT_NEAR(static_cast<double>(w.view.AngleX), 0, 1e-9);
  EXPECT_NEAR(static_cast<double>(w.view.AngleY), 0, 1e-9);
  // Vertically, the full height tips the figure 90 degrees about screen x.
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 0, 0);
  w.frame();
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 0, 0);
  MouseMove(w.mouse, w.view, ssLeft, 0, 300, 400, 300);
  const Extended turned = std::sqrt(w.view.AngleX * w.view.AngleX + w.view.AngleY * w.view.AngleY +
                                    (w.view.AngleZ - 90) * (w.view.AngleZ - 90));
  EXPECT_NEAR(static_cast<double>(turned), 90, 1e-9);
}

TEST(BlockViewing, ZoomWindowCentresAndFillsTheRectangle) {
  Viewer w;
  SetView(w.view, 4);
  w.view.FitScale = 2;
  const Matrix m = w.frame();
  w.mouse.MouseMode = kZoomWindow;
  w.mouse.ZoomWindowMode = true;
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 100, 50);
  EXPECT_TRUE(w.mouse.Selection.Active);
  EXPECT_TRUE(MouseMove(w.mouse, w.view, ssLeft, 200, 100, 400, 300));
  EXPECT_EQ(w.mouse.Selection.CurrentX, 200);
  EXPECT_EQ(w.view.ZoomScale, 1.0L);  // nothing happens while dragging
  // The world point under the rectangle's centre (150, 75): 50 left of and
  // 75 above the window centre.
  const Vec3 p = unmapPoint(m, {-50, 75, 0});
  EXPECT_TRUE(MouseUp(w.mouse, w.view, 0, 200, 100, 400, 300));
  EXPECT_FALSE(w.mouse.Selection.Active);
  EXPECT_EQ(w.view.ZoomScale, 4.0L);  // min(300 / 50, 400 / 100)
  const Vec3 centred = w.screen(p);
  EXPECT_NEAR(static_cast<double>(centred[0]), 0, 1e-9);
  EXPECT_NEAR(static_cast<double>(centred[1]), 0, 1e-9);

  // A release on the press row changes neither pan nor zoom.
  const TViewState before = w.view;
  MouseDown(w.mouse, w.view, TMouseButton::mbLeft, 100, 50);
  MouseUp(w.mouse, w.view, 0, 250, 50, 400, 300);
  EXPECT_FALSE(w.mouse.Selection.Active);
  EXPECT_EQ(w.view.ZoomScale, before.ZoomScale);
  EXPECT_EQ(w.view.PanX, before.PanX);
  EXPECT_EQ(w.view.PanY, before.PanY);
}

TEST(BlockViewing, PrintedFigureKeepsItsAspectWithinTheMargins) {
  const TPageMargins inch;  // one inch all round
  // Portrait page at 600 dpi: the width limits; placed at the margins.
  EXPECT_EQ(PrintPlacement(inch, 600, 600, 25, 30, 4950, 6400, 400, 300),
            (TPrintPlacement{575, 570, 3800, 2850}));
  // A page relatively wider than the figure: the height fills, no centring.
  EXPECT_EQ(PrintPlacement(inch, 600, 600, 0, 0, 6400, 4950, 400, 300),
            (TPrintPlacement{600, 600, 5000, 3750}));
  // Margins inside the unprintable border are pushed out to it.
  TPageMargins thin;
  thin.Left = thin.Top = thin.Right = thin.Bottom = 10;
  EXPECT_EQ(PrintPlacement(thin, 600, 600, 25, 30, 4950, 6400, 100, 100),
            (TPrintPlacement{0, 0, 4950, 4950}));
  // Margins in printer pixels round half to even: 2.5 -> 2, 3.5 -> 4.
  TPageMargins odd;
  odd.Left = 1250, odd.Right = 1750, odd.Top = 1250, odd.Bottom = 1750;
  EXPECT_EQ(PrintPlacement(odd, 2, 2, 0, 0, 100, 1000, 94, 10), (TPrintPlacement{2, 2, 94, 10}));
}
