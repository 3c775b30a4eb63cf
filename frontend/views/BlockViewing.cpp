#include "views/BlockViewing.h"

#include <algorithm>
#include <cmath>

namespace zrv::front {

using comp::ssCtrl;
using comp::ssLeft;
using comp::ssShift;

namespace {

// Shift alone or with the left button locks a drag to its dominant axis:
// the smaller component becomes 0 (the first one on a tie).
void axisLock(comp::TShiftState shift, Extended& first, Extended& second) {
  if (shift != ssShift && shift != (ssShift | ssLeft)) return;
  if (std::fabs(first) <= std::fabs(second))
    first = 0;
  else
    second = 0;
}

// A screen displacement turned into the model frame of the last frame's
// model-view matrix (rotation times scale): its transpose times (u, v, 0).
std::array<Extended, 3> toModel(const TViewState& view, Extended u, Extended v) {
  const auto& m = view.ModelViewSnapshot;
  return {m[0] * u + m[1] * v, m[4] * u + m[5] * v, m[8] * u + m[9] * v};
}

// Moves the pan offsets from their saved values by a screen displacement.
void panBy(const TViewMouse& mouse, TViewState& view, Extended u, Extended v) {
  const auto w = toModel(view, u, v);
  const Extended s = view.FitScale * view.ZoomScale;
  const Extended s2 = s * s;
  if (s2 == 0) return;
  view.PanX = mouse.SavedX + w[0] / s2;
  view.PanY = mouse.SavedY + w[1] / s2;
  view.PanZ = mouse.SavedZ + w[2] / s2;
}

int nearestEven(Extended v) { return static_cast<int>(std::lrint(static_cast<double>(v))); }

}  // namespace

void SetView(TViewState& view, int preset) {
  struct Angles {
    Extended x, y, z;
  };
  static constexpr Angles presets[4] = {{0, 0, 0}, {0, 0, 90}, {90, 0, 0}, {22.5L, 0, 45}};
  if (preset < 1 || preset > 4) return;
  const Angles& a = presets[preset - 1];
  view.AngleX = view.FitAngleX = a.x;
  view.AngleY = view.FitAngleY = a.y;
  view.AngleZ = view.FitAngleZ = a.z;
}

void ReverseView(TViewState& view) { view.AngleZ += 180; }

void Zooming(TViewState& view, Extended factor) { view.ZoomScale = factor * view.ZoomScale; }

void RestartView(TViewState& view, const TSceneExtents& extents) {
  view.AngleX = view.AngleY = view.AngleZ = 0;
  view.FitAngleX = view.FitAngleY = view.FitAngleZ = 0;
  view.ZoomScale = 1;
  view.PanX = -extents.FrameCentreX;
  view.PanY = -extents.FrameCentreY;
  view.PanZ = -extents.FrameCentreZ;
}

void MouseDown(TViewMouse& mouse, TViewState& view, comp::TMouseButton button, int x, int y) {
  mouse.MouseState = 1;
  mouse.Selection.DownX = mouse.Selection.CurrentX = x;
  mouse.Selection.DownY = mouse.Selection.CurrentY = y;
  if (mouse.ZoomWindowMode && button == comp::TMouseButton::mbLeft) {
    mouse.Selection.Active = true;
    mouse.SavedX = view.PanX;
    mouse.SavedY = view.PanY;
    mouse.SavedZ = view.PanZ;
    mouse.SavedZoom = view.ZoomScale;
  }
  switch (mouse.MouseMode) {
    case kPan:
      mouse.SavedX = view.PanX;
      mouse.SavedY = view.PanY;
      mouse.SavedZ = view.PanZ;
      break;
    case kZoom: mouse.SavedX = view.ZoomScale; break;
    case kRotate:
      mouse.SavedX = view.AngleX;
      mouse.SavedY = view.AngleY;
      mouse.SavedZ = view.AngleZ;
      break;
    default: break;
  }
}

bool MouseMove(TViewMouse& mouse, TViewState& view, comp::TShiftState shift, int x, int y, int w, int h) {
  if (shift != ssLeft && shift != (ssShift | ssLeft) && shift != (ssCtrl | ssLeft)) return false;
  if (mouse.ZoomWindowMode) {
    mouse.Selection.CurrentX = x;
    mouse.Selection.CurrentY = y;
    return mouse.Selection.Active;
  }
  return UpdateMouseMove(mouse, view, shift, x, y, w, h);
}

bool UpdateMouseMove(TViewMouse& mouse, TViewState& view, comp::TShiftState shift, int x, int y, int w,
                     int h) {
  if (mouse.MouseState != 1 && mouse.MouseState != 3) return false;
  if (w <= 0 || h <= 0) return false;
  const TSelectionBox& s = mouse.Selection;
  switch (mouse.MouseMode) {
    case kPan: {
      Extended dx = x - s.DownX, dy = -(y - s.DownY);
      axisLock(shift, dx, dy);
      panBy(mouse, view, dx, dy);
      return true;
    }
    case kZoom: {
      const Extended f = 1 - static_cast<Extended>(y - s.DownY) / h;
      view.ZoomScale = mouse.SavedX * f;
      return true;
    }
    case kRotate: {
      Extended a = (y - s.DownY) * 180.0L / 2 / h;
      Extended b = (x - s.DownX) * 180.0L / 2 / w;
      axisLock(shift, a, b);
      const Extended g = std::sqrt(a * a + b * b);
      auto r = toModel(view, a, b);
      const Extended n = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
      if (n > 0)
        for (auto& c : r) c *= g / n;
      view.AngleX = mouse.SavedX + r[0];
      view.AngleY = mouse.SavedY + r[1];
      view.AngleZ = mouse.SavedZ + r[2];
      return true;
    }
    default: return false;
  }
}

bool MouseUp(TViewMouse& mouse, TViewState& view, comp::TShiftState shift, int x, int y, int w, int h) {
  mouse.MouseState = 3;
  bool repaint = false;
  if (mouse.ZoomWindowMode) {
    TSelectionBox& s = mouse.Selection;
    s.CurrentX = x;
    s.CurrentY = y;
    repaint = s.Active;
    s.Active = false;
    if (x != s.DownX && y != s.DownY && w > 0 && h > 0) {
      // The rectangle's centre goes to the window centre and fills it.
      const Extended ox = w / 2.0L - (x + s.DownX) / 2.0L;
      const Extended oy = -(h / 2.0L - (y + s.DownY) / 2.0L);
      panBy(mouse, view, ox, oy);
      const Extended fH = static_cast<Extended>(h) / std::abs(y - s.DownY);
      const Extended fW = static_cast<Extended>(w) / std::abs(x - s.DownX);
      view.ZoomScale = mouse.SavedZoom * std::min(fH, fW);
      repaint = true;
    }
  } else {
    repaint = UpdateMouseMove(mouse, view, shift, x, y, w, h);
  }
  mouse.MouseState = 0;
  return repaint;
}

TPrintPlacement PrintPlacement(const TPageMargins& margins, int dpiX, int dpiY, int offsetX, int offsetY,
                               int pageW, int pageH, int w, int h) {
  const int left = std::max(nearestEven(margins.Left * static_cast<Extended>(dpiX) / 1000), offsetX);
  const int right = std::max(nearestEven(margins.Right * static_cast<Extended>(dpiX) / 1000), offsetX);
  const int top = std::max(nearestEven(margins.Top * static_cast<Extended>(dpiY) / 1000), offsetY);
  const int bottom = std::max(nearestEven(margins.Bottom * static_cast<Extended>(dpiY) / 1000), offsetY);
  int tw = pageW + 2 * offsetX - left - right;
  int th = pageH + 2 * offsetY - top - bottom;
  if (w > 0 && h > 0) {
    if (static_cast<Extended>(th) / h <= static_cast<Extended>(tw) / w)
      tw = nearestEven(static_cast<Extended>(th) * w / h);
    else
      th = nearestEven(static_cast<Extended>(tw) * h / w);
  }
  return {left - offsetX, top - offsetY, tw, th};
}

}  // namespace zrv::front
