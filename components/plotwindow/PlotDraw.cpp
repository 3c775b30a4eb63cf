#include "plotwindow/PlotDraw.h"

#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QPainter>
#include <QPolygon>
#include <cmath>
#include <vector>

#include "base/numbers.h"
#include "plotdata/pltdata.h"

namespace zrv::comp {
namespace {

QColor paletteColor(int position) { return QColor(QRgb(PlotColor(position))); }

QFont textFont(int pixels, bool bold) {
  QFont f("Times New Roman");
  f.setPixelSize(pixels);
  f.setWeight(bold ? QFont::Bold : QFont::Normal);
  return f;
}

QString axisCaption(const TGraphPlot& plot, const std::string& caption, const std::string& units) {
  if (units.empty()) return QString::fromStdString(caption);
  return QString::fromStdString(caption + " (" + plot.UnitCaption(units) + ")");
}

void drawMarker(QPainter& p, int shape, int x, int y, int rx, int ry) {
  const auto corners = MarkerPolygon(shape, x, y, rx, ry);
  QPolygon poly;
  for (const auto& [cx, cy] : corners) poly << QPoint(cx, cy);
  p.drawPolyline(poly);
}

// Text with its top-left corner at the box's.
void drawText(QPainter& p, const TPlotText& t) {
  if (!t.Text.isEmpty()) p.drawText(t.Box.left(), t.Box.top() + p.fontMetrics().ascent(), t.Text);
}

// Text turned 90 degrees counter-clockwise, reading upwards, in its box.
void drawTextUp(QPainter& p, const TPlotText& t) {
  if (t.Text.isEmpty()) return;
  p.save();
  p.translate(t.Box.left(), t.Box.bottom() + 1);
  p.rotate(-90);
  p.drawText(0, p.fontMetrics().ascent(), t.Text);
  p.restore();
}

// A text whose top-left corner is (x, y), before any turning.
TPlotText textAt(const QFontMetrics& fm, int x, int y, const QString& text) {
  return {text, QRect(x, y, fm.horizontalAdvance(text), fm.height())};
}

// A text turned upwards whose middle lies at height `mid`, its left at `x`.
TPlotText textUp(const QFontMetrics& fm, int x, int mid, const QString& text) {
  const int w = fm.horizontalAdvance(text);
  return {text, QRect(x, mid - w / 2, fm.height(), w)};
}

QString tickText(Extended v) { return QString::fromStdString(format_general(v, 4)); }

// The ticks of one axis of `pixels` length for n intervals, with fewer
// intervals where the numbers (measured by `extent` along the axis) would
// come closer than `gap` to each other.
TTicks fittedTicks(const TRange& range, int n, int pixels, const QFontMetrics& fm, int gap) {
  const Extended perUnit = range.Width() > 0 ? std::abs(pixels) / range.Width() : 0;
  return FitAxisTicks(range, n, perUnit, [&](Extended v) { return fm.horizontalAdvance(tickText(v)); }, gap);
}

void layoutCaptions(TPlotTextLayout& out, const TGraphPlot& plot, const TPlotView& v, const QFontMetrics& fm) {
  const bool title = !plot.GraphTitle.empty();
  const int th = fm.height();
  auto centred = [&](int y, const QString& s) {
    return textAt(fm, v.Page.Left + (v.Page.Width() - fm.horizontalAdvance(s)) / 2, y, s);
  };
  const QString xcap = axisCaption(plot, plot.XCaption, plot.XUnits);
  int y;
  if (plot.XOnTop) {
    y = v.Page.Top;
    if (title && plot.TitleAtTop) y += v.H / 8 + v.H;
  } else {
    y = v.Page.Bottom - th;
    if (title && !plot.TitleAtTop) y -= v.H / 8 + v.H;
  }
  out.XCaption = centred(y, xcap);
  if (title)
    out.Title = centred(plot.TitleAtTop ? v.Page.Top : v.Page.Bottom - th, QString::fromStdString(plot.GraphTitle));
  out.YCaption = textUp(fm, v.Page.Left, v.Page.Top + v.Page.Height() / 2,
                        axisCaption(plot, plot.YCaption, plot.YUnits));
}

// True when `box` comes closer than `gap` to another number of `numbers`
// (along the axis: across for x numbers, up and down for y numbers).
bool crowds(const QRect& box, const std::vector<TPlotText>& numbers, std::size_t self, bool across, int gap) {
  const QRect wide = across ? box.adjusted(-gap, 0, gap, 0) : box.adjusted(0, -gap, 0, gap);
  for (std::size_t j = 0; j < numbers.size(); ++j)
    if (j != self && wide.intersects(numbers[j].Box)) return true;
  return false;
}

// A number centred on a tick at the end of its axis can reach off the page
// (on a printout the plot reaches the page's top and right edges), and at
// the corner where the axes meet a y number can reach into the x numbers:
// each moves along its axis back onto the page and out of their way. A
// number that this brings closer to its neighbour than the numbers are kept
// apart goes, so that no two numbers run together.
void keepNumbersClear(TPlotTextLayout& out, const TPixRect& page, int gap) {
  std::vector<bool> movedX(out.XNumbers.size()), movedY(out.YNumbers.size());
  for (std::size_t i = 0; i < out.XNumbers.size(); ++i) {
    QRect& box = out.XNumbers[i].Box;
    const QRect before = box;
    if (box.right() >= page.Right) box.moveRight(page.Right - 1);
    if (box.left() < page.Left) box.moveLeft(page.Left);
    movedX[i] = box != before;
  }
  for (std::size_t i = 0; i < out.YNumbers.size(); ++i) {
    QRect& box = out.YNumbers[i].Box;
    const QRect before = box;
    if (box.bottom() >= page.Bottom) box.moveBottom(page.Bottom - 1);
    if (box.top() < page.Top) box.moveTop(page.Top);
    for (const TPlotText& x : out.XNumbers) {
      if (!box.intersects(x.Box)) continue;
      if (box.center().y() < x.Box.center().y())
        box.moveBottom(x.Box.top() - 1);
      else
        box.moveTop(x.Box.bottom() + 1);
    }
    movedY[i] = box != before;
  }
  for (std::size_t i = out.XNumbers.size(); i-- > 0;)
    if (movedX[i] && crowds(out.XNumbers[i].Box, out.XNumbers, i, true, gap))
      out.XNumbers.erase(out.XNumbers.begin() + static_cast<std::ptrdiff_t>(i));
  for (std::size_t i = out.YNumbers.size(); i-- > 0;) {
    const QRect& box = out.YNumbers[i].Box;
    bool clash = movedY[i] && crowds(box, out.YNumbers, i, false, gap);
    for (const TPlotText& x : out.XNumbers) clash = clash || (movedY[i] && box.intersects(x.Box));
    if (clash) out.YNumbers.erase(out.YNumbers.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

void layoutNumbers(TPlotTextLayout& out, const TGraphPlot& plot, const TPlotView& v, const QFontMetrics& fm) {
  if (v.H <= 0) return;
  const TPixRect& r = v.Plot;
  const int nx = std::abs(r.Width()) / (6 * v.H);
  const int ny = std::abs(r.Height()) / (6 * v.H);
  if (nx == 0 || ny == 0) return;
  const TPlotMapping map{v.X, v.Y, r, plot.XOnTop};
  const int th = fm.height();
  const int gap = th / 2;
  out.XTicks = fittedTicks(v.X, nx, r.Width(), fm, gap);
  out.YTicks = fittedTicks(v.Y, ny, r.Height(), fm, gap);
  const TTicks& tx = out.XTicks;
  for (int k = tx.First; k <= tx.Last && tx.Last > tx.First; ++k) {
    const Extended px = map.PixelX(k * tx.Minor);
    if (k % 5 != 0 || px < r.Left || px > r.Right) continue;
    const QString s = tickText(k * tx.Minor);
    const int left = static_cast<int>(px) - fm.horizontalAdvance(s) / 2;
    out.XNumbers.push_back(textAt(fm, left, plot.XOnTop ? r.Top - v.PPIy / 32 - th : r.Bottom + v.PPIy / 16, s));
  }
  const TTicks& ty = out.YTicks;
  for (int k = ty.First; k <= ty.Last && ty.Last > ty.First; ++k) {
    const Extended py = map.PixelY(k * ty.Minor);
    if (k % 5 != 0 || py < r.Top || py > r.Bottom) continue;
    out.YNumbers.push_back(textUp(fm, r.Left - th - v.PPIx / 32, static_cast<int>(py), tickText(k * ty.Minor)));
  }
  keepNumbersClear(out, v.Page, gap);
}

struct LegendEntry {
  int curve, position;
  QString text;
};

// The entries of the drawn legend: the listed curves that are active.
std::vector<LegendEntry> legendEntries(const TGraphPlot& plot) {
  std::vector<LegendEntry> entries;
  int position = 0;
  for (int k = 0; k < plot.LineCount(); ++k) {
    const TLine& line = plot.Line(k);
    if (!line.InLegend) continue;
    if (line.Active) entries.push_back({k, position, QString::fromStdString(plot.CurveDisplayName(k))});
    ++position;
  }
  return entries;
}

// The drawn legend keeps the spot of the plot that the window's legend has:
// its bottom-right corner at the same fraction of the plot rectangle (the
// corner itself unless the user moved it), and all of it on the page.
QRect legendBox(const TGraphPlot& plot, const TPlotView& v, const QFontMetrics& fm) {
  const std::vector<LegendEntry> entries = legendEntries(plot);
  if (entries.empty() || v.H <= 0) return {};
  int widest = 0;
  for (const LegendEntry& e : entries) widest = std::max(widest, fm.horizontalAdvance(e.text));
  const int w = widest + 3 * v.PPIx / 16;
  const int h = static_cast<int>(entries.size()) * (v.PPIy / 32 + fm.height()) + v.PPIy / 32;
  int right = v.Plot.Right, bottom = v.Plot.Bottom;
  const TPixRect& wp = v.WindowPlot;
  if (wp.Width() > 0 && wp.Height() > 0) {
    right = v.Plot.Left + static_cast<int>(static_cast<long long>(v.Legend.Right - wp.Left) * v.Plot.Width() / wp.Width());
    bottom = v.Plot.Top + static_cast<int>(static_cast<long long>(v.Legend.Bottom - wp.Top) * v.Plot.Height() / wp.Height());
  }
  const TPixRect box = KeepInside({right - w - v.Page.Left, bottom - h - v.Page.Top, right - v.Page.Left, bottom - v.Page.Top},
                                  v.Page.Width(), v.Page.Height());
  return QRect(box.Left + v.Page.Left, box.Top + v.Page.Top, w, h);
}

void drawCaptions(QPainter& p, const TPlotView& v, const TPlotTextLayout& t) {
  p.setFont(textFont(v.FontPx, true));
  p.setPen(Qt::black);
  drawText(p, t.XCaption);
  drawText(p, t.Title);
  drawTextUp(p, t.YCaption);
}

void drawTicks(QPainter& p, const TGraphPlot& plot, const TPlotView& v, const TPlotTextLayout& t) {
  const TPixRect& r = v.Plot;
  const TPlotMapping map{v.X, v.Y, r, plot.XOnTop};
  QPen solid(Qt::black, 1, Qt::SolidLine);
  QPen dotted(Qt::black, 1, Qt::DotLine);
  const TTicks& tx = t.XTicks;
  for (int k = tx.First; k <= tx.Last && tx.Last > tx.First; ++k) {
    const Extended px = map.PixelX(k * tx.Minor);
    if (px < r.Left || px > r.Right) continue;
    const int x = static_cast<int>(px);
    p.setPen(solid);
    if (plot.XOnTop)
      p.drawLine(x, r.Top, x, r.Top + v.PPIy / 16);
    else
      p.drawLine(x, r.Bottom, x, r.Bottom - v.PPIy / 16);
    if (k % 5 != 0) continue;
    p.setPen(dotted);
    p.drawLine(x, r.Top, x, r.Bottom);
  }
  const TTicks& ty = t.YTicks;
  for (int k = ty.First; k <= ty.Last && ty.Last > ty.First; ++k) {
    const Extended py = map.PixelY(k * ty.Minor);
    if (py < r.Top || py > r.Bottom) continue;
    const int y = static_cast<int>(py);
    p.setPen(solid);
    p.drawLine(r.Left, y, r.Left + v.PPIx / 16, y);
    if (k % 5 != 0) continue;
    p.setPen(dotted);
    p.drawLine(r.Left, y, r.Right, y);
  }
  p.setPen(solid);
  p.setFont(textFont(v.FontPx, false));
  for (const TPlotText& n : t.XNumbers) drawText(p, n);
  for (const TPlotText& n : t.YNumbers) drawTextUp(p, n);
}

void drawCurves(QPainter& p, const TGraphPlot& plot, const TPlotView& v) {
  if (plot.LineCount() == 0 || plot.PointCount() <= 1) return;
  const TPixRect& r = v.Plot;
  const TPlotMapping map{v.X, v.Y, r, plot.XOnTop};
  p.save();
  p.setClipRect(QRect(r.Left, r.Top, r.Width(), r.Height()));
  const int penWidth = CurvePenWidth(v.PPIx, plot.WidthLine);
  const int rx = v.PPIx / 32, ry = v.PPIy / 32;
  // Far points are cut to a margin round the plot so that no pixel value
  // overflows; the clip rectangle does the exact cut.
  const Extended margin = 4.0L * (penWidth + rx + ry + 1);
  const Extended l = r.Left - margin, t = r.Top - margin, rr = r.Right + margin, b = r.Bottom + margin;
  int c = 0;
  for (int k = 0; k < plot.LineCount(); ++k) {
    const TLine& line = plot.Line(k);
    if (!line.InLegend) continue;
    const int position = c++;
    if (!line.Active) continue;
    const QColor color = paletteColor(position);
    p.setPen(QPen(color, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(color);
    const auto& pts = line.Points();
    const std::vector<int> marks = MarkerIndices(static_cast<int>(pts.size()), plot.Markers);
    std::size_t nextMark = 0;
    for (std::size_t d = 0; d < pts.size(); ++d) {
      const bool finite = std::isfinite(pts[d].X) && std::isfinite(pts[d].Y);
      const Extended px = finite ? map.PixelX(pts[d].X) : 0;
      const Extended py = finite ? map.PixelY(pts[d].Y) : 0;
      if (d > 0 && finite && std::isfinite(pts[d - 1].X) && std::isfinite(pts[d - 1].Y)) {
        Extended x1 = map.PixelX(pts[d - 1].X), y1 = map.PixelY(pts[d - 1].Y), x2 = px, y2 = py;
        if (ClipSegment(x1, y1, x2, y2, l, t, rr, b))
          p.drawLine(QLineF(static_cast<double>(x1), static_cast<double>(y1), static_cast<double>(x2),
                            static_cast<double>(y2)));
      }
      while (nextMark < marks.size() && marks[nextMark] < static_cast<int>(d)) ++nextMark;
      if (finite && nextMark < marks.size() && marks[nextMark] == static_cast<int>(d) && px >= l && px <= rr &&
          py >= t && py <= b)
        drawMarker(p, k + 1, static_cast<int>(px), static_cast<int>(py), rx, ry);
    }
  }
  p.setPen(Qt::black);
  p.setBrush(Qt::white);
  p.restore();
}

void drawOutputLegend(QPainter& p, const TGraphPlot& plot, const TPlotView& v, const QRect& box) {
  if (box.isEmpty()) return;
  const QFontMetrics fm = p.fontMetrics();
  const int th = fm.height();
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRect(box.left(), box.top(), box.width() - 1, box.height() - 1);
  const int penWidth = CurvePenWidth(v.PPIx, plot.WidthLine);
  int y = box.top() + v.PPIy / 32;
  for (const LegendEntry& e : legendEntries(plot)) {
    const int mx = box.left() + v.PPIx / 16;
    p.setPen(QPen(Qt::black, penWidth));
    p.setBrush(Qt::NoBrush);
    if (plot.Markers > 0) drawMarker(p, e.curve + 1, mx, y + th / 2, v.PPIx / 32, v.PPIy / 32);
    p.setPen(paletteColor(e.position));
    p.drawText(mx + v.PPIx / 16, y + fm.ascent(), e.text);
    y += v.PPIy / 32 + th;
  }
}

}  // namespace

int CurvePenWidth(int ppiX, int widthLine) {
  return (static_cast<int>(std::nearbyint(ppiX / 300.0)) + 1) * widthLine;
}

int PlotFontPixels(int sizeFont, int ppiY) { return TextHeight(sizeFont, CanvasFontHeight(ppiY)); }

int PlotTextHeight(int fontPixels, const QPaintDevice* device) {
  if (fontPixels <= 0) return 0;
  const QFont f = textFont(fontPixels, true);
  return device ? QFontMetrics(f, device).height() : QFontMetrics(f).height();
}

TPlotTextLayout LayoutPlotTexts(const TGraphPlot& plot, const TPlotView& v, const QPaintDevice* device) {
  TPlotTextLayout out;
  if (v.FontPx <= 0 || v.H <= 0) return out;
  auto metrics = [&](bool bold) {
    const QFont f = textFont(v.FontPx, bold);
    return device ? QFontMetrics(f, device) : QFontMetrics(f);
  };
  layoutCaptions(out, plot, v, metrics(true));
  layoutNumbers(out, plot, v, metrics(false));
  if (v.Output) out.Legend = legendBox(plot, v, metrics(false));
  return out;
}

void DrawPlot(QPainter& p, const TGraphPlot& plot, const TPlotView& v) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRect(v.Page.Left, v.Page.Top, v.Page.Width(), v.Page.Height()));
  if (v.Page.Width() < v.PPIx || v.Page.Height() < v.PPIy) {
    p.restore();
    return;
  }
  const TPlotTextLayout texts = LayoutPlotTexts(plot, v, p.device());
  if (v.H > 0 && v.FontPx > 0) {
    drawCaptions(p, v, texts);
    drawTicks(p, plot, v, texts);
  }
  drawCurves(p, plot, v);
  if (v.Output && v.FontPx > 0) {
    p.setFont(textFont(v.FontPx, false));
    drawOutputLegend(p, plot, v, texts.Legend);
  }
  p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  p.setBrush(Qt::NoBrush);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawRect(QRect(v.Plot.Left, v.Plot.Top, v.Plot.Width(), v.Plot.Height()));
  p.restore();
}

}  // namespace zrv::comp
