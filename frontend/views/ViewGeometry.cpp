#include "views/ViewGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"

namespace zrv::front {
namespace {

bool finite(Extended v) { return std::isfinite(v); }

std::string num(Extended v) { return comp::format_general(v, 15); }

std::string velocityLine(Extended vs, Extended nu) {
  return "Shear Wave Velocity= " + num(vs) + "; Poissons Ratio= " + num(nu);
}

TProfileLabel layerLabel(Extended at, Extended top, Extended bottom, int row) {
  TProfileLabel label;
  label.depth = at;
  label.first = "depth= " + num(top) + " - " + num(bottom) + "; Layer " + std::to_string(row + 1);
  return label;
}

}  // namespace

// ---------------------------------------------------------------- windows

bool windowUndrawable(const TWorldWindow& window) {
  const Extended width = window.right - window.left;
  const Extended height = window.bottom - window.top;
  return !finite(width) || !finite(height) || width == 0 || height == 0;
}

TWorldWindow fitWindowToArea(const TWorldWindow& window, int w, int h, bool yUp) {
  if (windowUndrawable(window) || w <= 0 || h <= 0) return window;
  const Extended height = yUp ? window.top - window.bottom : window.bottom - window.top;
  const Extended a = (static_cast<Extended>(w) / h) / ((window.right - window.left) / height);
  if (!finite(a) || a <= 0) return window;
  TWorldWindow view = window;
  if (a >= 1) {
    view.left *= a;
    view.right *= a;
  } else {
    view.top /= a;
    view.bottom /= a;
  }
  return view;
}

int toPixel(Extended v) {
  if (std::isnan(v)) return 0;
  if (v >= kPixelLimit) return kPixelLimit;
  if (v <= -kPixelLimit) return -kPixelLimit;
  return static_cast<int>(comp::round_half_even(v));
}

std::pair<int, int> worldToPixel(const TWorldWindow& view, int w, int h, Extended x, Extended y) {
  return {toPixel(w * (x - view.left) / (view.right - view.left)),
          toPixel(h * (y - view.top) / (view.bottom - view.top))};
}

std::pair<Extended, Extended> pixelToWorld(const TWorldWindow& view, int w, int h, int X, int Y) {
  return {static_cast<Extended>(X) / w * (view.right - view.left) + view.left,
          static_cast<Extended>(Y) / h * (view.bottom - view.top) + view.top};
}

std::string formatReadout(Extended v) {
  if (!finite(v) || std::fabs(v) >= 999999.95L) return comp::format_general(v, 6);
  // Tenths as a whole number: no C-locale formatting, exact halves to even.
  const auto tenths = static_cast<std::int64_t>(comp::round_half_even(v * 10));
  const std::int64_t magnitude = tenths < 0 ? -tenths : tenths;
  std::string text = tenths < 0 ? "-" : "";
  text += std::to_string(magnitude / 10);
  text += comp::decimal_separator();
  text += static_cast<char>('0' + magnitude % 10);
  return text;
}

// ---------------------------------------------------------------- top view

TPixelRect mapCircle(const TWorldWindow& view, int w, int h, const TCircle& c) {
  const auto [left, top] = worldToPixel(view, w, h, c.x - c.r, c.y - c.r);
  const auto [right, bottom] = worldToPixel(view, w, h, c.x + c.r, c.y + c.r);
  return {left, top, right, bottom};
}

std::vector<TCircle> topViewCircles(const TProgramData& project, const TProjectTables& tables) {
  std::vector<TCircle> circles;
  if (project.FoundationCode != 2) return circles;
  const TGridTable& coord = tables.Pilecoord();
  for (int i = 0; i < coord.RowCount(); ++i)
    circles.push_back({cellValue(coord, 0, i), cellValue(coord, 1, i), cellValue(tables.PileData(), 1, 0)});
  return circles;
}

TTopOutline topViewOutline(const TProgramData& project, const TProjectTables& tables) {
  TTopOutline o;
  if (project.FoundationCode == 2) {
    const TGridTable& coord = tables.Pilecoord();
    if (coord.RowCount() == 0) return o;
    o.xmin = o.ymin = 1E+10L;
    o.xmax = o.ymax = 1E-9L;
    for (int i = 0; i < coord.RowCount(); ++i) {
      const Extended x = cellValue(coord, 0, i), y = cellValue(coord, 1, i);
      o.xmin = std::min(o.xmin, x);
      o.ymin = std::min(o.ymin, y);
      o.xmax = std::max(o.xmax, x);
      o.ymax = std::max(o.ymax, y);
    }
    o.width = o.xmax - o.xmin;
    o.height = o.ymax - o.ymin;
  } else if (project.CircularShape != 0) {
    const Extended c = project.Radius;
    o.xmin = o.ymin = -c;
    o.xmax = o.ymax = c;
    o.width = o.height = 2 * c;
  } else {
    o.xmin = -project.LengthX / 2;
    o.xmax = project.LengthX / 2;
    o.ymin = -project.WidthY / 2;
    o.ymax = project.WidthY / 2;
    o.width = project.LengthX;
    o.height = project.WidthY;
  }
  o.drawn = true;
  return o;
}

TWorldWindow topViewBaseWindow(const TWorldWindow& current, const TTopOutline& last,
                               const std::vector<TCircle>& circles) {
  if (circles.empty()) return current;
  TWorldWindow base{-last.width / 1.9L, last.width / 1.9L, last.height / 1.9L, -last.height / 1.9L};
  for (const TCircle& c : circles) {
    base.left = std::min(base.left, c.x - 2 * c.r);
    base.bottom = std::min(base.bottom, c.y - 2 * c.r);
    base.right = std::max(base.right, c.x + 2 * c.r);
    base.top = std::max(base.top, c.y + 2 * c.r);
  }
  return base;
}

int snapResolution(int estimate) {
  if (estimate < 76) return 75;
  if (estimate <= 125) return 100;
  if (estimate <= 225) return 150;
  if (estimate <= 449) return 300;
  if (estimate <= 899) return 600;
  return 1200;
}

TPixelRect printedCircle(const TPixelRect& mapped, int xRes, int yRes) {
  const int cx = static_cast<int>((static_cast<long long>(mapped.left) + mapped.right) / 2);
  const int cy = static_cast<int>((static_cast<long long>(mapped.top) + mapped.bottom) / 2);
  const long long dx = std::llabs(static_cast<long long>(mapped.right) - mapped.left);
  const long long dy = std::llabs(static_cast<long long>(mapped.bottom) - mapped.top);
  const int o = static_cast<int>(std::min(dx, dy) / 2);
  const int v = xRes > 0 ? toPixel(static_cast<Extended>(o) * yRes / xRes) : o;
  return {cx - o, cy - v, cx + o, cy + v};
}

// ---------------------------------------------------------------- side views

TSideOutline sideOutline(Extended c, Extended w, Extended t, Extended b, Extended a) {
  const Extended s = std::sin(a), k = std::cos(a);
  TSideOutline o;
  o.p[0] = {c - w / 2 + t * s, t * k};
  o.p[1] = {c + w / 2 + t * s, t * k};
  o.p[2] = {c - w / 2 + b * s, b * k};
  o.p[3] = {c + w / 2 + b * s, b * k};
  return o;
}

int foundationCodeOf(const std::string& type, int current) {
  if (type == "MULTILAYER") return 4;
  if (type == "PILE") return 2;
  if (type == "STRATUM") return 3;
  if (type == "HALF-SPACE") return 1;
  return current;
}

Extended elementLengthSumOf(int code, const TProjectTables& tables) {
  if (code != 2 && code != 4) return 0;
  const TGridTable& table = code == 2 ? tables.PileData() : tables.MultiElement();
  Extended sum = 0;
  for (int i = 0; i < table.RowCount(); ++i) sum += cellValue(table, 0, i);
  return sum;
}

TSideBuild buildSideOutlines(const TProgramData& project, const TProjectTables& tables, TSidePlane plane,
                             int code, Extended lengthSum) {
  TSideBuild build;
  const TGridTable& coord = tables.Pilecoord();
  const TGridTable& element = tables.MultiElement();
  const int n = code == 2 ? coord.RowCount() : 1;
  for (int i = 0; i < n; ++i) {
    try {
      Extended c = 0, a = 0, w = 0, b = 0;
      if (code == 2) {
        c = cellValue(coord, plane == TSidePlane::XZ ? 0 : 1, i);
        const int batterPlane = static_cast<int>(cellValue(coord, 3, i));
        if (batterPlane == (plane == TSidePlane::XZ ? 1 : 2)) a = 3.1415L * cellValue(coord, 2, i) / 180;
        w = 2 * cellValue(tables.PileData(), 1, 0);
        b = lengthSum;
      } else if (code == 4) {
        c = 4 * cellValue(element, 1, i);
        w = 2 * cellValue(element, 1, 0);
        for (int k = 0; k < tables.D().RowCount(); ++k) b += cellValue(element, 0, k);
      } else {
        w = project.CircularShape != 0 ? 2 * project.Radius : project.WidthY;
        b = sideFootingDepth(project);
      }
      build.outlines.push_back(sideOutline(c, w, 0, b, a));
    } catch (const comp::EListError&) {
      build.missingRow = true;
    }
  }
  return build;
}

TWorldWindow sideWorldWindow(const TWorldWindow& current, const std::vector<TSideOutline>& outlines, int code,
                             Extended lengthSum, Extended rockDepth) {
  if (outlines.empty()) return current;
  TWorldWindow w;
  for (const TSideOutline& o : outlines) {
    w.left = std::min({w.left, o.p[0].x, o.p[2].x});
    w.right = std::max({w.right, o.p[1].x, o.p[3].x});
    w.top = std::min(w.top, o.p[0].depth);
    w.bottom = std::max(w.bottom, o.p[2].depth);
  }
  w.left *= 1.05L;
  w.right *= 1.05L;
  w.top *= 1.05L;
  w.bottom *= 1.05L;
  if (code == 1 || code == 3) {
    w.left *= 2;
    w.right *= 2;
    w.bottom *= 4;
    // The rock line of a stratum stays inside the window, however deep it lies.
    if (code == 3) w.bottom = std::max(w.bottom, rockDepth * 1.05L);
  } else if (code == 4) {
    w.left *= 2;
    w.right *= 2;
    w.bottom = lengthSum * 1.05L;
  }
  return w;
}

Extended sideFootingDepth(const TProgramData& project) {
  return 2 * project.BaseZ;
}

Extended sideRockDepth(const TProgramData& project) {
  return sideFootingDepth(project) - project.BaseDepth + project.BedrockDepth;
}

std::pair<int, int> sideToPrinter(const TWorldWindow& view, int pw, int ph, Extended x, Extended depth) {
  return {toPixel((x - view.left) / (view.right - view.left) * pw),
          toPixel((depth - view.top) / (view.bottom - view.top) * ph * 0.8L) + toPixel(ph * 0.1L)};
}

TSideProfile sideProfile(const TProgramData& project, const TProjectTables& tables, int code) {
  TSideProfile profile;
  const TGridTable& soil = tables.D();
  if (code == 2) {
    const TGridTable& pile = tables.PileData();
    const int rows = std::min(soil.RowCount(), pile.RowCount());
    Extended R = 0;
    for (int i = 0; i < rows; ++i) {
      const Extended thickness = cellValue(pile, 0, i);
      R += thickness;
      profile.lines.push_back(R);
      if (i == 0) profile.grounds.push_back(0);
      TProfileLabel label = layerLabel(R - 0.95L * thickness, R - thickness, R, i);
      label.second = velocityLine(cellValue(soil, 0, i), cellValue(soil, 2, i));
      profile.labels.push_back(std::move(label));
    }
  } else if (code == 3) {
    // The ground line lies the embedment above the footing's base.
    const Extended s = sideFootingDepth(project) - project.BaseDepth;
    profile.lines.push_back(sideRockDepth(project));
    profile.grounds.push_back(s);
    profile.labels.push_back({s, 20, "Layer thickness= " + num(project.BedrockDepth) + "; Layer 1",
                              velocityLine(project.TipShearWaveVelocity, project.TipPoisson)});
    profile.labels.push_back({sideRockDepth(project), 20, "Rock Layer ", ""});
  } else if (code == 1) {
    const TGridTable& layers = tables.D1();
    Extended S = 0;
    for (int i = 0; i < layers.RowCount(); ++i) S += cellValue(layers, 0, i);
    // The side layers end at the footing's base.
    const Extended o = sideFootingDepth(project) - S;
    Extended R = 0;
    for (int i = 0; i < layers.RowCount(); ++i) {
      const Extended thickness = cellValue(layers, 0, i);
      R += thickness;
      profile.lines.push_back(R + o);
      if (i == 0) profile.grounds.push_back(o);
      TProfileLabel label = layerLabel(R - 0.95L * thickness + o, R - thickness, R, i);
      label.second = velocityLine(cellValue(layers, 1, i), cellValue(layers, 3, i));
      profile.labels.push_back(std::move(label));
    }
    profile.labels.push_back({sideFootingDepth(project), -20, "Soil below the tip ",
                              velocityLine(project.TipShearWaveVelocity, project.TipPoisson)});
  } else if (code == 4) {
    const TGridTable& element = tables.MultiElement();
    const TGridTable& column = tables.Multisoil();
    const int m = soil.RowCount();
    Extended R = 0;
    for (int i = 0; i < element.RowCount(); ++i) {
      const Extended thickness = cellValue(element, 0, i);
      R += thickness;
      profile.lines.push_back(R);
      if (i == 0) profile.grounds.push_back(0);
      TProfileLabel label = layerLabel(R - 0.95L * thickness, R - thickness, R, i);
      if (i < m)
        label.second = velocityLine(cellValue(soil, 0, i), cellValue(soil, 2, i));
      else if (i - m < column.RowCount())
        label.second = velocityLine(cellValue(column, 0, i - m), cellValue(column, 2, i - m));
      profile.labels.push_back(std::move(label));
    }
  }
  return profile;
}

}  // namespace zrv::front
