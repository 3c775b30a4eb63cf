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

// Text with its top-left corner at (x, y).
void textAt(QPainter& p, int x, int y, const QString& text) {
  p.drawText(x, y + p.fontMetrics().ascent(), text);
}

// Text turned 90 degrees counter-clockwise; (x, y) is the corner that was
// its top-left before turning.
void textUp(QPainter& p, int x, int y, const QString& text) {
  p.save();
  p.translate(x, y);
  p.rotate(-90);
  p.drawText(0, p.fontMetrics().ascent(), text);
  p.restore();
}

void drawMarker(QPainter& p, int shape, int x, int y, int rx, int ry) {
  const auto corners = MarkerPolygon(shape, x, y, rx, ry);
  QPolygon poly;
  for (const auto& [cx, cy] : corners) poly << QPoint(cx, cy);
  p.drawPolyline(poly);
}

void drawCaptions(QPainter& p, const TGraphPlot& plot, const TPlotView& v) {
  const bool title = !plot.GraphTitle.empty();
  p.setFont(textFont(v.H, true));
  p.setPen(Qt::black);
  const QFontMetrics fm = p.fontMetrics();
  const int th = fm.height();
  auto centredX = [&](const QString& s) { return v.Page.Left + (v.Page.Width() - fm.horizontalAdvance(s)) / 2; };

  const QString xcap = axisCaption(plot, plot.XCaption, plot.XUnits);
  int y;
  if (plot.XOnTop) {
    y = v.Page.Top;
    if (title && plot.TitleAtTop) y += v.H / 8 + v.H;
  } else {
    y = v.Page.Bottom - th;
    if (title && !plot.TitleAtTop) y -= v.H / 8 + v.H;
  }
  textAt(p, centredX(xcap), y, xcap);

  if (title) {
    const QString t = QString::fromStdString(plot.GraphTitle);
    textAt(p, centredX(t), plot.TitleAtTop ? v.Page.Top : v.Page.Bottom - th, t);
  }

  const QString ycap = axisCaption(plot, plot.YCaption, plot.YUnits);
  const int mid = v.Page.Top + v.Page.Height() / 2;
  textUp(p, v.Page.Left, mid + fm.horizontalAdvance(ycap) / 2, ycap);
}

void drawTicks(QPainter& p, const TGraphPlot& plot, const TPlotView& v) {
  if (v.H <= 0) return;
  const TPixRect& r = v.Plot;
  const int nx = std::abs(r.Width()) / (6 * v.H);
  const int ny = std::abs(r.Height()) / (6 * v.H);
  if (nx == 0 || ny == 0) return;
  const TPlotMapping map{v.X, v.Y, r, plot.XOnTop};
  QPen solid(Qt::black, 1, Qt::SolidLine);
  QPen dotted(Qt::black, 1, Qt::DotLine);
  p.setFont(textFont(v.H, false));
  const QFontMetrics fm = p.fontMetrics();
  const int th = fm.height();

  const TTicks tx = AxisTicks(v.X, nx);
  if (tx.Last > tx.First) {
    for (int k = tx.First; k <= tx.Last; ++k) {
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
      p.setPen(solid);
      const QString s = QString::fromStdString(format_general(k * tx.Minor, 4));
      const int left = x - fm.horizontalAdvance(s) / 2;
      textAt(p, left, plot.XOnTop ? r.Top - v.PPIy / 32 - th : r.Bottom + v.PPIy / 16, s);
    }
  }

  const TTicks ty = AxisTicks(v.Y, ny);
  if (ty.Last > ty.First) {
    for (int k = ty.First; k <= ty.Last; ++k) {
      const Extended py = map.PixelY(k * ty.Minor);
      if (py < r.Top || py > r.Bottom) continue;
      const int y = static_cast<int>(py);
      p.setPen(solid);
      p.drawLine(r.Left, y, r.Left + v.PPIx / 16, y);
      if (k % 5 != 0) continue;
      p.setPen(dotted);
      p.drawLine(r.Left, y, r.Right, y);
      p.setPen(solid);
      const QString s = QString::fromStdString(format_general(k * ty.Minor, 4));
      textUp(p, r.Left - th - v.PPIx / 32, y + fm.horizontalAdvance(s) / 2, s);
    }
  }
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

void drawOutputLegend(QPainter& p, const TGraphPlot& plot, const TPlotView& v) {
  struct Entry {
    int curve, position;
    QString text;
  };
  std::vector<Entry> entries;
  int position = 0;
  for (int k = 0; k < plot.LineCount(); ++k) {
    const TLine& line = plot.Line(k);
    if (!line.InLegend) continue;
    if (line.Active) entries.push_back({k, position, QString::fromStdString(plot.CurveDisplayName(k))});
    ++position;
  }
  if (entries.empty() || v.H <= 0) return;
  p.setFont(textFont(v.H, false));
  const QFontMetrics fm = p.fontMetrics();
  const int th = fm.height();
  int widest = 0;
  for (const Entry& e : entries) widest = std::max(widest, fm.horizontalAdvance(e.text));
  const int w = widest + 3 * v.PPIx / 16;
  const int h = static_cast<int>(entries.size()) * (v.PPIy / 32 + th) + v.PPIy / 32;
  int left, top;
  if (v.WindowW > 0 && v.WindowH > 0) {
    left = v.Page.Left + static_cast<int>(static_cast<long long>(v.Page.Width()) * v.Legend.Left / v.WindowW);
    top = v.Page.Top + static_cast<int>(static_cast<long long>(v.Page.Height()) * v.Legend.Top / v.WindowH);
  } else {
    left = v.Plot.Right - w;
    top = v.Plot.Bottom - h;
  }
  // The box grows with the canvas resolution; keep all of it on the page.
  const TPixRect box = KeepInside({left - v.Page.Left, top - v.Page.Top, left - v.Page.Left + w, top - v.Page.Top + h},
                                  v.Page.Width(), v.Page.Height());
  left = box.Left + v.Page.Left;
  top = box.Top + v.Page.Top;
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawRect(left, top, w - 1, h - 1);
  const int penWidth = CurvePenWidth(v.PPIx, plot.WidthLine);
  int y = top + v.PPIy / 32;
  for (const Entry& e : entries) {
    const int mx = left + v.PPIx / 16;
    p.setPen(QPen(Qt::black, penWidth));
    p.setBrush(Qt::NoBrush);
    if (plot.Markers > 0) drawMarker(p, e.curve + 1, mx, y + th / 2, v.PPIx / 32, v.PPIy / 32);
    p.setPen(paletteColor(e.position));
    textAt(p, mx + v.PPIx / 16, y, e.text);
    y += v.PPIy / 32 + th;
  }
}

}  // namespace

int CurvePenWidth(int ppiX, int widthLine) {
  return (static_cast<int>(std::nearbyint(ppiX / 300.0)) + 1) * widthLine;
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
  if (v.H > 0) drawCaptions(p, plot, v);
  drawTicks(p, plot, v);
  drawCurves(p, plot, v);
  if (v.Output) drawOutputLegend(p, plot, v);
  p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  p.setBrush(Qt::NoBrush);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.drawRect(QRect(v.Plot.Left, v.Plot.Top, v.Plot.Width(), v.Plot.Height()));
  p.restore();
}

}  // namespace zrv::comp
