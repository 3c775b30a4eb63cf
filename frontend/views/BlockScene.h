#pragma once
// The scene of the 3D view: the frame of the figure computed from the
// project, the soil layer boxes, the depth labels, and the drawing of
// foundation, piles, soil and axis cross through a fixed-function canvas.
// Nothing here needs a window, so the scene is checked with a recording
// canvas. World frame: X, Y the plan axes of the project, Z up with the
// ground surface at z = 0; all lengths in the project's unit system.

#include <string>
#include <vector>

#include "base/types.h"
#include "glcontrol/glCanvas.h"

namespace zrv::front {

using comp::Extended;
class TProgramData;

/// The frame of the figure, computed once per view.
struct TSceneExtents {
  /// Depth of the side soil, or the height given to a foundation without it.
  Extended SideSoilDepth = 0;
  bool HasSideSoil = false;
  /// The larger half plan dimension; the thickness of a soil box without one.
  Extended HalfSizeMax = 0;
  Extended XMin = 0, XMax = 0, YMin = 0, YMax = 0, ZTop = 0, ZBottom = 0;
  Extended ExtentX = 0, ExtentY = 0, ExtentZ = 0;
  Extended LargestDim = 0, MinPlanExtent = 0;
  Extended CentreX = 0, CentreY = 0;
  /// The box round everything the view draws (foundation, piles with their
  /// batter, soil boxes): its centre, on which the view opens, and its sizes.
  Extended FrameCentreX = 0, FrameCentreY = 0, FrameCentreZ = 0;
  Extended FrameSizeX = 0, FrameSizeY = 0, FrameSizeZ = 0;
};

/// Whether two frames are the same, field by field (a value that is not a
/// number matches one that is not a number).
bool SameFrame(const TSceneExtents& a, const TSceneExtents& b);

/// What the view shows; the main window's "Show 3D View" items toggle them.
struct TDisplayOptions {
  bool AxesVisible = true;
  bool SoilLayersVisible = true;
  bool PileNumbersVisible = false;
  bool PilesVisible = true;
  bool FoundationVisible = true;
  bool SoilLayerLabelsVisible = false;
  bool SoilDepthLabelsVisible = false;
};

/// The viewing transformation of one view.
struct TViewState {
  Extended PanX = 0, PanY = 0, PanZ = 0;
  Extended FitScale = 1, ZoomScale = 1;
  Extended AngleX = 0, AngleY = 0, AngleZ = 0;  // degrees
  /// The standard view the fit scale is made for (the one the view opened
  /// with or last chosen); turning with the mouse leaves it.
  Extended FitAngleX = 0, FitAngleY = 0, FitAngleZ = 0;
  /// The model-view matrix read back during the last frame (for the mouse).
  comp::TglMatrix ModelViewSnapshot{};
  /// Draw directly instead of calling the display lists (off-screen rendering).
  bool ImmediateMode = false;
};

/// The zoom-window rubber band, in window pixels from the top left.
struct TSelectionBox {
  bool Active = false;
  int DownX = 0, DownY = 0, CurrentX = 0, CurrentY = 0;
};

/// One soil box: group 1 beside the foundation, 2 below it, 3 the bottom.
struct TSoilBox {
  int Group = 0;
  int Row = 0;  // 0-based row of its group
  Extended Top = 0, Bottom = 0;
  int ColorIndex = 0;
  std::string LayerLabel;
};

/// The frame of the project's figure. Tables shorter than the rows they are
/// asked for count as rows of thickness 0.
TSceneExtents GetMaxDims(const TProgramData& project);

/// The soil boxes stacked down from z = 0, rows of thickness 0 left out.
std::vector<TSoilBox> SoilBoxes(const TProgramData& project, const TSceneExtents& extents);

/// Red, green, blue of soil colour `index` (any index outside 0 to 11 gives row 0).
std::array<Extended, 3> SoilColor(int index);

/// The label of a depth: exponent form with 4 significant digits when
/// |v| <= 0.001 or |v| >= 100000 ("0.000E+00"), else 3 decimals ("12.500").
std::string GetValueLabel(Extended value);

/// The scale that fits the whole model, turned by the view angles (degrees;
/// all 0: seen from the front, x across, z up), into a w x h window with 25
/// pixels to spare on every side.
Extended FitScaleFor(const TSceneExtents& extents, int w, int h, Extended angleX = 0, Extended angleY = 0,
                     Extended angleZ = 0);
/// The depth half-range of the orthographic projection of a w x h window.
Extended OrthoDepth(const TSceneExtents& extents, int w, int h);

/// Draws the scene of one project on a canvas. Display lists: 1 foundation,
/// 2 piles, 3 soil, 4 loading.
class TBlockScene {
public:
  TBlockScene(comp::TglCanvas& gl, const TProgramData& project, const TSceneExtents& extents,
              const TDisplayOptions& options, TViewState& view);

  /// Clear colour, projection, fit scale for a w x h form and (unless
  /// ImmediateMode) the four display lists.
  void glSetupRC(int w, int h);
  void SetOrtho();
  /// One frame; the rubber band last when it is active.
  void DrawFigure(const TSelectionBox& selection = {});

  void DrawPileCap();
  /// The piles as two vertex arrays (BuildPileArrays) at the view's current
  /// scale, then their numbers.
  void DrawAllPiles();
  void DrawSoilLayers();
  void DrawLoading() {}
  void DrawAxes();
  void DrawSelectionBox(const TSelectionBox& selection);
  void SetColorLayer(int index, Extended alpha);

  // Primitives centred on the current origin.
  void DrawSolidPara3D(Extended dx, Extended dy, Extended dz);
  void DrawPara3D(Extended dx, Extended dy, Extended dz);
  void DrawSolidRectX(Extended x, Extended dy, Extended dz);
  void DrawSolidRectY(Extended dx, Extended y, Extended dz);
  void DrawSolidRectZ(Extended dx, Extended dy, Extended z);
  void DrawRectX(Extended x, Extended dy, Extended dz);
  void DrawRectY(Extended dx, Extended y, Extended dz);
  void DrawRectZ(Extended dx, Extended dy, Extended z);
  void DrawCircleZ(Extended r);
  void DrawShadeCircleZ(Extended r);
  void DrawShadeCylinderZ(Extended r, Extended length);
  void DrawSolidCylinder3DZ(Extended r, Extended length);
  void DrawCylinder3DZ(Extended r, Extended length);

private:
  void snapshot();
  void face(Extended cu, Extended cv, Extended cn, int axis, bool filled);
  // The six faces of a box of sides dx, dy, dz about the origin.
  void para3D(Extended dx, Extended dy, Extended dz, bool filled);

  comp::TglCanvas& m_gl;
  const TProgramData& m_project;
  const TSceneExtents& m_ext;
  const TDisplayOptions& m_options;
  TViewState& m_view;
};

}  // namespace zrv::front
