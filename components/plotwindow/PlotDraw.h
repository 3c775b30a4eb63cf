#pragma once
// The one drawing routine of a plot: the same code serves the window, the
// printer and a bitmap; only the painter, the rectangles and the resolution
// change. Every text is placed by one layout, measured in the font it is
// drawn in, so that captions, numbers and the legend keep clear of each other.

#include <QRect>
#include <QString>
#include <vector>

#include "plotwindow/PlotGeometry.h"

class QPainter;
class QPaintDevice;

namespace zrv::comp {

class TGraphPlot;

/// What one drawing needs besides the plot.
struct TPlotView {
  TPixRect Page;   // the whole drawing area
  TPixRect Plot;   // the framed diagram inside it
  int PPIx = 96;   // canvas resolution, dots per inch
  int PPIy = 96;
  int FontPx = 14;  // pixel size of the captions and numbers
  int H = 14;      // text height of the layout: the height of that font, pixels
  TRange X, Y;     // the visible data ranges
  bool Output = false;  // printing or saving: the legend is drawn as well
  // Where the legend box stands on the window and the window's plot
  // rectangle, to place the drawn legend at the same spot of the plot.
  TPixRect Legend;
  TPixRect WindowPlot;
};

/// Pixel size of the caption and number font: SizeFont tenths of the window
/// font (14 pixels at 96 dots per inch) on a canvas of `ppiY` dots per inch.
int PlotFontPixels(int sizeFont, int ppiY);
/// Height of that font as drawn on `device` (the screen when null).
int PlotTextHeight(int fontPixels, const QPaintDevice* device);

/// One text of a drawing and the rectangle it covers on the canvas (for a
/// text turned upwards, the rectangle after turning).
struct TPlotText {
  QString Text;
  QRect Box;
};

/// Where the texts of one drawing go.
struct TPlotTextLayout {
  TPlotText XCaption, YCaption;
  TPlotText Title;  // empty text: no graph title
  std::vector<TPlotText> XNumbers, YNumbers;
  TTicks XTicks, YTicks;  // the ticks drawn on each axis
  QRect Legend;            // the drawn legend box; empty unless output with listed curves
};

/// The layout of `plot` drawn with `view` on `device`: the texts, the ticks
/// (as many as the axis length gives, fewer where the numbers would not
/// keep apart) and the output legend.
TPlotTextLayout LayoutPlotTexts(const TGraphPlot& plot, const TPlotView& view, const QPaintDevice* device);

/// Draws `plot` on `painter`: white page; when the page is at least one inch
/// each way, the captions, ticks with grid and numbers, the listed active
/// curves with their markers, the legend when `Output` is set, and the frame.
void DrawPlot(QPainter& painter, const TGraphPlot& plot, const TPlotView& view);

/// Curve pen width: (round(PPIx / 300) + 1) * WidthLine.
int CurvePenWidth(int ppiX, int widthLine);

}  // namespace zrv::comp
