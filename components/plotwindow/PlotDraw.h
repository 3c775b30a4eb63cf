#pragma once
// The one drawing routine of a plot: the same code serves the window, the
// printer and a bitmap; only the painter, the rectangles and the resolution
// change.

#include "plotwindow/PlotGeometry.h"

class QPainter;

namespace zrv::comp {

class TGraphPlot;

/// What one drawing needs besides the plot.
struct TPlotView {
  TPixRect Page;   // the whole drawing area
  TPixRect Plot;   // the framed diagram inside it
  int PPIx = 96;   // canvas resolution, dots per inch
  int PPIy = 96;
  int H = 14;      // text height of the layout and the captions, pixels
  TRange X, Y;     // the visible data ranges
  bool Output = false;  // printing or saving: the legend is drawn as well
  // Where the legend box stands on the window, and the window's size, to
  // place the drawn legend at the same relative position on the page.
  TPixRect Legend;
  int WindowW = 0;
  int WindowH = 0;
};

/// Draws `plot` on `painter`: white page; when the page is at least one inch
/// each way, the captions, ticks with grid and numbers, the listed active
/// curves with their markers, the legend when `Output` is set, and the frame.
void DrawPlot(QPainter& painter, const TGraphPlot& plot, const TPlotView& view);

/// Curve pen width: (round(PPIx / 300) + 1) * WidthLine.
int CurvePenWidth(int ppiX, int widthLine);

}  // namespace zrv::comp
