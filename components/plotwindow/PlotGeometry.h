#pragma once
// The arithmetic of the plot window without any widget: axis ranges and
// ticks, the mapping between data values and pixels, zooming, the layout of
// the plot rectangle on the screen, a printer page and a bitmap, markers and
// the curve palette. All pixel divisions are integer divisions.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/types.h"

namespace zrv::comp {

class TGraphPlot;

/// A closed range of data values.
struct TRange {
  Extended Min = 0;
  Extended Max = 0;
  Extended Width() const { return Max - Min; }
  bool operator==(const TRange&) const = default;
};

/// Both ranges of a diagram.
struct TPlotRanges {
  TRange X, Y;
};

/// A rectangle in device pixels with the canvas's edge values: a page of w
/// pixels runs from 0 to w; the plot rectangle's frame is drawn on all four
/// edge values.
struct TPixRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(int x, int y) const { return x >= Left && x <= Right && y >= Top && y <= Bottom; }
  bool operator==(const TPixRect&) const = default;
};

/// Axis range of data spanning lo..hi (both already include zero): equal
/// ends are widened by 0.01 each way; step s = 10^floor(log10(hi - lo)),
/// divided by 10 when the positive fraction of that logarithm is below
/// log10(3); then both ends are rounded outwards to multiples of s.
TRange NiceRange(Extended lo, Extended hi);

/// Full ranges of curve list `list` of `plot`: zero always included, every
/// finite point of every curve counted (active or not, listed or not), each
/// axis then made nice. Points that are not finite are skipped.
TPlotRanges FullRanges(const TGraphPlot& plot, int list = 1);

/// Major tick step for `n` intervals over `width`: raw = width / n,
/// g = 10^floor(log10(raw)), m = trunc(raw / g); g for m < 2, 2g for m 2..4,
/// 5g for m 5..8, 10g above. 0 when n < 1 or width is not positive.
Extended MajorStep(Extended width, int n);

/// Minor ticks of one axis: step Minor (a fifth of the major step) and the
/// indices First..Last (First <= 0 <= Last) of the values k * Minor lying in
/// the range. Minor is 0 (no ticks) when n < 1.
struct TTicks {
  Extended Minor = 0;
  int First = 0;
  int Last = 0;
};
TTicks AxisTicks(const TRange& range, int n);

/// AxisTicks for n intervals, the major step first lowered along the 1, 2, 5
/// series while it numbers fewer than two ticks of the range, then raised
/// until the numbers keep apart: neighbouring numbered ticks (every
/// fifth) lie at least the widest `extent` of a number inside the range plus
/// `gap` pixels apart, at `pixelsPerUnit` pixels per data unit. The step
/// never grows so far that fewer than two ticks of the range are numbered:
/// the last such step is kept however close its numbers come.
TTicks FitAxisTicks(const TRange& range, int n, Extended pixelsPerUnit,
                    const std::function<int(Extended)>& extent, int gap);

/// Maps data to pixels and back over the plot rectangle.
struct TPlotMapping {
  TRange X, Y;
  TPixRect Plot;
  bool XOnTop = false;  // y grows downwards

  /// round((x - Xmin) / (Xmax - Xmin) * (Right - Left)) + Left, halves to
  /// even; kept as a real so that far points do not overflow.
  Extended PixelX(Extended x) const;
  /// Bottom - e, or Top + e with XOnTop, e = round((y - Ymin) / (Ymax - Ymin) * (Bottom - Top)).
  Extended PixelY(Extended y) const;
  /// The data value of a pixel, without rounding; (0, 0) for a pixel left
  /// or right of the plot rectangle.
  std::pair<Extended, Extended> DataAt(int px, int py) const;
};

/// Zoom into the values a..b (either order) of one axis: the smaller and
/// larger become the range; when the full range is more than 20 times wider,
/// the range becomes its centre -/+ one fortieth of the full width; then it
/// is shifted, keeping its width, to lie inside the full range.
TRange ZoomIn(Extended a, Extended b, const TRange& full);

/// Zoom out around `at`: half-width w = the current width, at most half the
/// full width; centre = `at` kept within full.Min + w .. full.Max - w.
TRange ZoomOut(const TRange& current, const TRange& full, Extended at);

/// Text height of the layout: |sizeFont| * canvasFontHeight / 10.
int TextHeight(int sizeFont, int canvasFontHeight);

/// Height in pixels of the window font (14 pixels at 96 dots per inch) on a
/// canvas of `ppi` dots per inch.
int CanvasFontHeight(int ppi);

/// Plot rectangle inside a client area of w x h pixels for the screen and
/// for a bitmap (text height `th`).
TPixRect ScreenPlotRect(int w, int h, int ppiX, int ppiY, int th, bool xOnTop, bool hasTitle,
                        bool titleAtTop);

/// Printer page rectangle in paper pixels: each margin (thousandths of an
/// inch) converted with the printer resolution and kept at least as wide as
/// the unprintable border on its side.
struct TPrintMargins {
  int Left = 1000, Top = 1000, Right = 1000, Bottom = 1000;
};
TPixRect PrintPageRect(int paperW, int paperH, const TPixRect& printable, const TPrintMargins& m,
                       int ppiX, int ppiY);

/// Plot rectangle inside a printer page; a graph title takes at least its
/// own height and an eighth.
TPixRect PrintPlotRect(const TPixRect& page, int ppiX, int ppiY, int th, bool xOnTop, bool hasTitle,
                       bool titleAtTop);

/// `r` moved (not resized) to lie in a w x h client area: right and bottom
/// edges first, then left and top not below 0.
TPixRect KeepInside(const TPixRect& r, int w, int h);

/// Indices of the points that get a marker on a curve of `count` points
/// (marker every `every` points, none for every <= 0).
std::vector<int> MarkerIndices(int count, int every);

/// Corners of marker shape `shape` (folded into 1..10: 1 triangle point
/// down, 2 square, 3..10 regular polygon with a corner up) around (x, y),
/// with radii rx across and ry up and down; the first corner is repeated at
/// the end so that the list draws a closed outline.
std::vector<std::pair<int, int>> MarkerPolygon(int shape, int x, int y, int rx, int ry);

/// Curve colour of legend position `position` (modulo 17) as 0xRRGGBB.
std::uint32_t PlotColor(int position);

/// Part of the segment (x1, y1)-(x2, y2) inside `r` (edges included);
/// false when none of it is.
bool ClipSegment(Extended& x1, Extended& y1, Extended& x2, Extended& y2, Extended left, Extended top,
                 Extended right, Extended bottom);

/// Bitmap size in pixels for a size in inches at `ppi` dots per inch:
/// round(ppi * inches) for each side.
struct TBitmapSize {
  Extended Width = 0, Height = 0;
};
TBitmapSize BitmapSize(Extended ppi, Extended heightInches, Extended widthInches);

/// The curve name a dialog edits: its Name, else default name k, else
/// CurveName followed by its number (onGetCaption not applied).
std::string CurveBaseName(const TGraphPlot& plot, int k);

}  // namespace zrv::comp
