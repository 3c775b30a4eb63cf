#include "plotwindow/PlotGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "base/numbers.h"
#include "plotdata/pltdata.h"

namespace zrv::comp {
namespace {

// q, or the integer next to it when q differs from it only by rounding noise.
Extended Snap(Extended q) {
  const Extended r = std::nearbyint(q);
  return std::fabs(q - r) <= 1e-9L * std::max<Extended>(1, std::fabs(r)) ? r : q;
}

// v / s rounded away from zero (ceiling above 0, floor otherwise); a quotient
// within rounding noise of an integer counts as that integer, so that 0.01
// over a step of 0.001 stays 10 and is not pushed to 11.
Extended RoundAwayMultiple(Extended v, Extended s) {
  const Extended q = Snap(v / s);
  return s * (q > 0 ? std::ceil(q) : std::floor(q));
}

void Widen(TRange& r, Extended v) {
  if (!std::isfinite(v)) return;
  r.Min = std::min(r.Min, v);
  r.Max = std::max(r.Max, v);
}

}  // namespace

TRange NiceRange(Extended lo, Extended hi) {
  if (hi == lo) {
    hi += 0.01L;
    lo -= 0.01L;
  }
  const Extended lg = Snap(std::log10(hi - lo));
  Extended s = std::pow(10.0L, std::floor(lg));
  if (lg - std::floor(lg) < std::log10(3.0L)) s /= 10;
  if (!(s > 0) || !std::isfinite(s)) return {lo, hi};
  return {RoundAwayMultiple(lo, s), RoundAwayMultiple(hi, s)};
}

TPlotRanges FullRanges(const TGraphPlot& plot, int list) {
  TPlotRanges r;
  for (int k = 0; k < plot.LineCount(list); ++k) {
    for (const TFloatPoint& p : plot.Line(k, list).Points()) {
      Widen(r.X, p.X);
      Widen(r.Y, p.Y);
    }
  }
  r.Y = NiceRange(r.Y.Min, r.Y.Max);
  r.X = NiceRange(r.X.Min, r.X.Max);
  return r;
}

Extended MajorStep(Extended width, int n) {
  if (n < 1 || !(width > 0) || !std::isfinite(width)) return 0;
  const Extended raw = width / n;
  const Extended g = std::pow(10.0L, std::floor(Snap(std::log10(raw))));
  const Extended m = std::trunc(Snap(raw / g));
  if (m < 2) return g;
  if (m < 5) return 2 * g;
  if (m < 9) return 5 * g;
  return 10 * g;
}

namespace {

// Minor ticks for a given major step.
TTicks TicksForMajor(const TRange& range, Extended major) {
  TTicks t;
  if (!(major > 0)) return t;
  t.Minor = major / 5;
  // A tick that misses an end only by rounding noise still counts.
  const Extended slack = t.Minor * 1e-9L;
  t.First = static_cast<int>(std::ceil((range.Min - slack) / t.Minor));
  t.Last = static_cast<int>(std::floor((range.Max + slack) / t.Minor));
  t.First = std::min(t.First, 0);
  t.Last = std::max(t.Last, 0);
  return t;
}

// The neighbouring steps of the 1, 2, 5 series.
Extended NextMajor(Extended major) {
  const Extended g = std::pow(10.0L, std::floor(Snap(std::log10(major))));
  const Extended d = Snap(major / g);
  return d < 2 ? 2 * g : d < 5 ? 5 * g : 10 * g;
}
Extended PreviousMajor(Extended major) {
  const Extended g = std::pow(10.0L, std::floor(Snap(std::log10(major))));
  const Extended d = Snap(major / g);
  return d < 2 ? g / 2 : d < 5 ? g : 2 * g;
}

// The values of the numbered ticks (every fifth) inside the range; the tick
// indices always reach 0, which may lie outside.
std::vector<Extended> NumberedValues(const TRange& range, const TTicks& t) {
  std::vector<Extended> values;
  const Extended slack = t.Minor * 1e-9L;
  for (int k = t.First; k <= t.Last; ++k) {
    const Extended v = k * t.Minor;
    if (k % 5 == 0 && v >= range.Min - slack && v <= range.Max + slack) values.push_back(v);
  }
  return values;
}

}  // namespace

TTicks AxisTicks(const TRange& range, int n) { return TicksForMajor(range, MajorStep(range.Width(), n)); }

TTicks FitAxisTicks(const TRange& range, int n, Extended pixelsPerUnit,
                    const std::function<int(Extended)>& extent, int gap) {
  TTicks t = AxisTicks(range, std::max(n, 1));
  if (!(t.Minor > 0)) return t;
  std::vector<Extended> numbers = NumberedValues(range, t);
  // A short axis gets one interval, whose step can reach past the range and
  // number only one tick: smaller steps until two ticks are numbered.
  for (int k = 0; k < 3 && numbers.size() < 2; ++k) {
    const TTicks smaller = TicksForMajor(range, PreviousMajor(5 * t.Minor));
    std::vector<Extended> more = NumberedValues(range, smaller);
    if (more.size() <= numbers.size()) break;
    t = smaller;
    numbers = std::move(more);
  }
  for (;;) {
    int widest = 0;
    for (Extended v : numbers) widest = std::max(widest, extent(v));
    if (5 * t.Minor * pixelsPerUnit >= widest + gap) return t;
    // A larger step, as long as it still numbers two ticks of the range.
    const TTicks next = TicksForMajor(range, NextMajor(5 * t.Minor));
    std::vector<Extended> nextNumbers = NumberedValues(range, next);
    if (nextNumbers.size() < 2) return t;
    t = next;
    numbers = std::move(nextNumbers);
  }
}

Extended TPlotMapping::PixelX(Extended x) const {
  const Extended w = X.Width();
  if (w == 0) return Plot.Left;
  return std::nearbyint((x - X.Min) / w * (Plot.Right - Plot.Left)) + Plot.Left;
}

Extended TPlotMapping::PixelY(Extended y) const {
  const Extended w = Y.Width();
  const Extended e = w == 0 ? 0 : std::nearbyint((y - Y.Min) / w * (Plot.Bottom - Plot.Top));
  return XOnTop ? Plot.Top + e : Plot.Bottom - e;
}

std::pair<Extended, Extended> TPlotMapping::DataAt(int px, int py) const {
  if (px < Plot.Left || px > Plot.Right) return {0, 0};
  const int dx = Plot.Right - Plot.Left;
  const int dy = Plot.Bottom - Plot.Top;
  const Extended x = dx == 0 ? X.Min : X.Min + static_cast<Extended>(px - Plot.Left) / dx * X.Width();
  const int e = XOnTop ? py - Plot.Top : Plot.Bottom - py;
  const Extended y = dy == 0 ? Y.Min : Y.Min + static_cast<Extended>(e) / dy * Y.Width();
  return {x, y};
}

TRange ZoomIn(Extended a, Extended b, const TRange& full) {
  TRange r{std::min(a, b), std::max(a, b)};
  if (full.Width() > 20 * r.Width()) {
    const Extended c = (r.Min + r.Max) / 2;
    r = {c - full.Width() / 40, c + full.Width() / 40};
  }
  if (r.Min < full.Min) r = {full.Min, full.Min + r.Width()};
  if (r.Max > full.Max) r = {full.Max - r.Width(), full.Max};
  return r;
}

TRange ZoomOut(const TRange& current, const TRange& full, Extended at) {
  const Extended w = std::min(current.Width(), full.Width() / 2);
  const Extended lo = full.Min + w, hi = full.Max - w;
  // Rounding can put lo a hair above hi when w is half the full width.
  const Extended c = lo <= hi ? std::clamp(at, lo, hi) : (full.Min + full.Max) / 2;
  if (w == full.Width() / 2) return full;
  return {c - w, c + w};
}

int TextHeight(int sizeFont, int canvasFontHeight) {
  return std::abs(sizeFont) * canvasFontHeight / 10;
}

int CanvasFontHeight(int ppi) { return static_cast<int>(std::lround(14.0 * ppi / 96.0)); }

TPixRect ScreenPlotRect(int w, int h, int ppiX, int ppiY, int th, bool xOnTop, bool hasTitle,
                        bool titleAtTop) {
  TPixRect r;
  r.Left = 2 * th + ppiX / 8 + th / 8;
  r.Right = w - ppiX / 4 - th / 2;
  if (xOnTop) {
    r.Top = 2 * th + ppiY / 8 + th / 8;
    r.Bottom = h - ppiY / 4 - th / 2;
  } else {
    r.Top = th / 2 + ppiY / 4;
    r.Bottom = h - 2 * th - ppiY / 8 - th / 8;
  }
  if (hasTitle) {
    if (titleAtTop)
      r.Top += th + th / 8;
    else
      r.Bottom -= th;
  }
  return r;
}

TPixRect PrintPageRect(int paperW, int paperH, const TPixRect& printable, const TPrintMargins& m,
                       int ppiX, int ppiY) {
  auto px = [](int thousandths, int ppi) {
    return static_cast<int>(std::nearbyint(static_cast<Extended>(thousandths) * ppi / 1000));
  };
  const int offLeft = std::max(printable.Left, 0);
  const int offTop = std::max(printable.Top, 0);
  const int offRight = std::max(paperW - printable.Right, 0);
  const int offBottom = std::max(paperH - printable.Bottom, 0);
  TPixRect r;
  r.Left = std::max(px(m.Left, ppiX), offLeft);
  r.Top = std::max(px(m.Top, ppiY), offTop);
  r.Right = paperW - std::max(px(m.Right, ppiX), offRight);
  r.Bottom = paperH - std::max(px(m.Bottom, ppiY), offBottom);
  return r;
}

TPixRect PrintPlotRect(const TPixRect& page, int ppiX, int ppiY, int th, bool xOnTop, bool hasTitle,
                       bool titleAtTop) {
  TPixRect r;
  const int band = 2 * th + ppiX / 8 + th / 8;
  r.Left = page.Left + band;
  r.Right = page.Right;
  if (xOnTop) {
    r.Top = page.Top + band;
    r.Bottom = page.Bottom;
  } else {
    r.Top = page.Top;
    r.Bottom = page.Bottom - band;
  }
  if (hasTitle) {
    const int title = th + th / 8;
    if (titleAtTop)
      r.Top += std::max(ppiY / 4, title);
    else
      r.Bottom -= std::max(ppiY / 2, title);
  }
  return r;
}

TPixRect KeepInside(const TPixRect& r, int w, int h) {
  int dx = 0, dy = 0;
  if (r.Right > w) dx = w - r.Right;
  if (r.Bottom > h) dy = h - r.Bottom;
  if (r.Left + dx < 0) dx = -r.Left;
  if (r.Top + dy < 0) dy = -r.Top;
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

std::vector<int> MarkerIndices(int count, int every) {
  std::vector<int> out;
  if (every <= 0) return out;
  for (int d = 0; d < count; ++d)
    if (d % every == 0) out.push_back(d);
  return out;
}

std::vector<std::pair<int, int>> MarkerPolygon(int shape, int x, int y, int rx, int ry) {
  if (shape > 10) {
    shape %= 10;
    if (shape == 0) shape = 10;
  }
  if (shape < 1) shape = 1;
  constexpr Extended kDeg = std::numbers::pi_v<Extended> / 180;
  std::vector<std::pair<int, int>> out;
  auto corner = [&](Extended deg) {
    const Extended t = deg * kDeg;
    out.emplace_back(static_cast<int>(std::nearbyint(x + rx * std::sin(t))),
                     static_cast<int>(std::nearbyint(y - ry * std::cos(t))));
  };
  if (shape == 1) {
    for (int i = 0; i <= 3; ++i) corner(180 + 120 * i);
  } else if (shape == 2) {
    for (int i = 0; i <= 4; ++i) corner(45 + 90 * i);
  } else {
    for (int i = 0; i <= shape; ++i) corner(360.0L * i / shape);
  }
  return out;
}

std::uint32_t PlotColor(int position) {
  static constexpr std::uint32_t kPalette[17] = {
      0x000000, 0x0000FF, 0xFF0000, 0x008000, 0x800080, 0x800000, 0x000080, 0xFF00FF, 0x808000,
      0x008080, 0x808080, 0x00FF00, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFF00, 0x00FFFF};
  const int i = ((position % 17) + 17) % 17;
  return kPalette[i];
}

bool ClipSegment(Extended& x1, Extended& y1, Extended& x2, Extended& y2, Extended left, Extended top,
                 Extended right, Extended bottom) {
  const Extended dx = x2 - x1, dy = y2 - y1;
  Extended t0 = 0, t1 = 1;
  const Extended p[4] = {-dx, dx, -dy, dy};
  const Extended q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const Extended t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const Extended ox = x1, oy = y1;
  x1 = ox + t0 * dx;
  y1 = oy + t0 * dy;
  x2 = ox + t1 * dx;
  y2 = oy + t1 * dy;
  return true;
}

TBitmapSize BitmapSize(Extended ppi, Extended heightInches, Extended widthInches) {
  return {std::nearbyint(ppi * widthInches), std::nearbyint(ppi * heightInches)};
}

std::string CurveBaseName(const TGraphPlot& plot, int k) {
  const TLine& line = plot.Line(k);
  if (!line.Name.empty()) return line.Name;
  if (k < static_cast<int>(plot.DefaultNames.size())) return plot.DefaultNames[static_cast<std::size_t>(k)];
  return plot.CurveName + format_general(line.Number(), 15);
}

}  // namespace zrv::comp
