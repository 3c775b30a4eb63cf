#pragma once
// Viewing of the 3D view without a window: the standard views, the zoom
// steps and restart, the four mouse modes (pan, zoom, rotate, zoom window)
// acting on the view state, and the placement of the figure on a printed
// page. Positions are window pixels from the top left.

#include "glcontrol/glCanvas.h"
#include "views/BlockScene.h"

namespace zrv::front {

/// Mouse modes of the toolbar.
enum TMouseMode { kNoDrag = 0, kPan = 1, kZoom = 2, kRotate = 3, kZoomWindow = 4 };

/// The mouse state of one view.
struct TViewMouse {
  int MouseMode = kNoDrag;
  bool ZoomWindowMode = false;
  int MouseState = 0;  // 0 idle, 1 pressed in the view, 3 being released
  Extended SavedX = 0, SavedY = 0, SavedZ = 0, SavedZoom = 0;
  TSelectionBox Selection;  // press position and the rubber band
};

/// Standard views 1 to 4 set the three angles, and the view the fit scale is
/// to be made for; any other preset changes nothing.
void SetView(TViewState& view, int preset);
/// Turns the figure half round about the vertical axis.
void ReverseView(TViewState& view);
/// ZoomScale := factor x ZoomScale.
void Zooming(TViewState& view, Extended factor);
/// Angles 0 (also those the fit is to be made for), zoom 1, the whole model
/// centred again; the fit scale itself stays until the view's next set-up.
void RestartView(TViewState& view, const TSceneExtents& extents);

/// A press: records the position and the values a drag starts from.
void MouseDown(TViewMouse& mouse, TViewState& view, comp::TMouseButton button, int x, int y);
/// A move; true when the window must be repainted. w, h: the window size.
bool MouseMove(TViewMouse& mouse, TViewState& view, comp::TShiftState shift, int x, int y, int w, int h);
/// Applies a drag of the current mode; true when the view changed.
bool UpdateMouseMove(TViewMouse& mouse, TViewState& view, comp::TShiftState shift, int x, int y, int w,
                     int h);
/// A release: ends a zoom window (zooming into the rectangle) or applies the
/// drag once more; true when the window must be repainted.
bool MouseUp(TViewMouse& mouse, TViewState& view, comp::TShiftState shift, int x, int y, int w, int h);

/// Where a w x h figure goes on a printed page, in the printer's pixels from
/// the top left of its printable area.
struct TPrintPlacement {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TPrintPlacement&) const = default;
};

/// Page margins in thousandths of an inch.
struct TPageMargins {
  int Left = 1000, Top = 1000, Right = 1000, Bottom = 1000;
};

/// The figure keeps its aspect and is as large as the margins allow.
/// dpiX, dpiY: printer pixels per inch; offsetX, offsetY: the unprintable
/// margins in pixels; pageW, pageH: the printable page in pixels.
TPrintPlacement PrintPlacement(const TPageMargins& margins, int dpiX, int dpiY, int offsetX, int offsetY,
                               int pageW, int pageH, int w, int h);

}  // namespace zrv::front
