#pragma once
// The data of one x-y diagram: its curves of points, captions, unit codes and
// display options. Drawing is done by a plot window that a host supplies
// (PlotWindowFactory); this model keeps the window it made and forgets it
// when the window reports that it closed.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/types.h"

namespace zrv::comp {

class TGraphPlot;

/// One point of a curve; zero when made.
struct TFloatPoint {
  Extended X = 0;
  Extended Y = 0;
};

/// One curve of a plot.
class TLine {
public:
  TLine(TGraphPlot* owner, Extended number) : m_owner(owner), m_number(number) {}

  std::vector<TFloatPoint>& Points() { return m_points; }
  const std::vector<TFloatPoint>& Points() const { return m_points; }
  /// Position of the curve (1-based) when it was appended.
  Extended Number() const { return m_number; }
  TGraphPlot* Owner() const { return m_owner; }

  std::string Name;        // empty: the displayed name is derived
  bool Active = true;      // an inactive curve keeps its legend entry, not drawn
  bool InLegend = true;    // neither listed nor drawn when false

private:
  TGraphPlot* m_owner;
  Extended m_number;
  std::vector<TFloatPoint> m_points;
};

/// The window that shows a plot. The plot owns it; the window calls
/// TGraphPlot::WindowClosed when the user closes it.
class PlotWindow {
public:
  virtual ~PlotWindow() = default;
  /// Shows the window, restoring it to normal size when it is minimized.
  virtual void ShowWindow() = 0;
};

using PlotWindowFactory = std::function<std::unique_ptr<PlotWindow>(TGraphPlot&)>;

/// Called with (curve index, name) to replace a curve's legend name.
using TGetCaptionEvent = std::function<void(int, std::string&)>;

class TGraphPlot {
public:
  TGraphPlot();
  ~TGraphPlot();
  TGraphPlot(const TGraphPlot&) = delete;
  TGraphPlot& operator=(const TGraphPlot&) = delete;

  /// Published options.
  std::string CurveName = "Curve #";
  std::string Caption;
  bool ShowLegend = true;
  bool ShowLayers = false;
  bool ShowWall = false;
  bool ShowThree = false;
  bool ShowFontWidth = true;
  int WallLineCount = 0;
  int Markers = 1;
  int SizeFont = 10;
  int LegendFont = 11;
  int WidthLine = 1;
  std::string XCaption, XUnits;
  bool XOnTop = true;
  std::string YCaption, YUnits;
  std::string XCaption2, XUnits2, YCaption2, YUnits2;
  std::string XCaption3, XUnits3, YCaption3, YUnits3;
  TGetCaptionEvent onGetCaption;

  /// Unit system of the unit codes: 1 English, 2 SI, 3 codes as stored.
  int Units() const { return m_units; }
  /// Stores v clamped to 1..3.
  void SetUnits(int v);

  /// Main list (list 1) and the lists of the soil-layer panel (2) and of the
  /// second and third panels (3, 4). Indices are 0-based; an index outside a
  /// list raises EListError.
  int PointCount(int list = 1) const;    // points of curve 0; 0 without curves
  int LineCount(int list = 1) const;
  TLine& Line(int k, int list = 1);
  const TLine& Line(int k, int list = 1) const;
  TFloatPoint& Point(int k, int i, int list = 1);
  /// Every curve of the main list gets n points (n < 0 taken as 0): surplus
  /// points are dropped from the end, new zero points appended. Nothing
  /// happens without curves.
  void SetPointCount(int n);
  /// The main list gets n curves (n < 0 taken as 0): surplus curves are dropped
  /// from the end; a new curve has PointCount() zero points and the number
  /// LineCount() + 1.
  void SetLineCount(int n);

  /// Names of main-list curves that have no Name of their own, by index.
  std::vector<std::string> DefaultNames;
  std::string GraphTitle;
  bool TitleAtTop = false;

  /// Displayed name of curve k of the main list: its Name, else default name
  /// k, else CurveName followed by its number (e.g. "Curve #1"); then passed
  /// through onGetCaption when assigned.
  std::string CurveDisplayName(int k) const;

  /// Axis caption text of a unit code: expanded for Units 1 or 2 only.
  std::string UnitCaption(const std::string& code) const;

  /// The maker of plot windows; without one Show does nothing.
  void SetWindowFactory(PlotWindowFactory factory) { m_factory = std::move(factory); }
  /// Makes the window on first use and shows it.
  void Show();
  /// Called by the window when it closes: the window is freed, and the next
  /// Show makes a new one from the current data.
  void WindowClosed();
  bool HasWindow() const { return m_window != nullptr; }
  PlotWindow* Window() const { return m_window.get(); }

private:
  using LineList = std::vector<std::unique_ptr<TLine>>;
  LineList& list(int which);
  const LineList& list(int which) const;

  int m_units = 1;
  LineList m_lines[4];
  PlotWindowFactory m_factory;
  std::unique_ptr<PlotWindow> m_window;
};

}  // namespace zrv::comp
