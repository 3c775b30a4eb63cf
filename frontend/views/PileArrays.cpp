#include "views/PileArrays.h"

#include <array>
#include <cmath>
#include <numbers>

#include "project/TProgramData.h"
#include "project/TProjectTables.h"

namespace zrv::front {

namespace {

constexpr int kMaxSegments = 32;
constexpr std::array<float, 4> kGrey{0.5F, 0.5F, 0.5F, 1};
constexpr std::array<float, 4> kOutline{1, 0.5F, 0, 1};

using Point = std::array<Extended, 3>;

Extended pileRadius(const TGridTable& data, int row) {
  const Extended rx = cellValue(data, 1, row), ry = cellValue(data, 2, row);
  return std::sqrt(rx * rx + ry * ry);
}

// One pile's place: its plan position and the turn of its batter.
struct Placement {
  Extended x = 0, y = 0;
  int plane = 0;  // 1 about Y, 2 about X, else none
  Extended c = 1, s = 0;

  Point map(const Point& p) const {
    Point q = p;
    if (plane == 1) {
      q[0] = c * p[0] + s * p[2];
      q[2] = -s * p[0] + c * p[2];
    } else if (plane == 2) {
      q[1] = c * p[1] - s * p[2];
      q[2] = s * p[1] + c * p[2];
    }
    return {q[0] + x, q[1] + y, q[2]};
  }
};

class Builder {
public:
  explicit Builder(TPileArrays& out) : m_out(out) {}
  Placement place;

  void triangle(const Point& a, const Point& b, const Point& c, const std::array<float, 4>& colour) {
    for (const Point* p : {&a, &b, &c}) {
      push(m_out.triangles, place.map(*p));
      m_out.colours.insert(m_out.colours.end(), colour.begin(), colour.end());
    }
  }
  void line(const Point& a, const Point& b) {
    push(m_out.rims, place.map(a));
    push(m_out.rims, place.map(b));
  }

private:
  static void push(std::vector<float>& v, const Point& p) {
    for (Extended c : p) v.push_back(static_cast<float>(c));
  }
  TPileArrays& m_out;
};

// The point at step i of n round a circle of radius r at height z; `mirror`
// turns the circle half round about X (y negated), as for a disc facing down.
Point rimPoint(Extended r, int i, int n, Extended z, bool mirror = false) {
  // Cosines and sines of the steps of the three side counts, worked out once.
  static const auto table = [] {
    std::array<std::vector<std::array<Extended, 2>>, 3> t;
    for (std::size_t k = 0; k < t.size(); ++k) {
      const int steps = 8 << k;
      for (int j = 0; j <= steps; ++j) {
        const Extended angle = 2 * std::numbers::pi_v<Extended> * j / steps;
        t[k].push_back({std::cos(angle), std::sin(angle)});
      }
    }
    return t;
  }();
  const std::size_t k = n == 8 ? 0 : n == 16 ? 1 : 2;
  const auto& cs = table[k][static_cast<std::size_t>(i)];
  const Extended y = r * cs[1];
  return {r * cs[0], mirror ? -y : y, z};
}

// The side of a cylinder from top to bottom: each quad as the two triangles
// of the fan top i, bottom i, bottom i+1, top i+1.
void side(Builder& b, Extended r, Extended top, Extended bottom, int n) {
  if (top == bottom) return;
  for (int i = 0; i < n; ++i) {
    const Point t0 = rimPoint(r, i, n, top), t1 = rimPoint(r, i + 1, n, top);
    const Point b0 = rimPoint(r, i, n, bottom), b1 = rimPoint(r, i + 1, n, bottom);
    b.triangle(t0, b0, b1, kGrey);
    b.triangle(t0, b1, t1, kGrey);
  }
}

// A disc at height z facing up, or facing down (`down`), with its rim.
void end(Builder& b, Extended r, Extended z, int n, bool down, const std::array<float, 4>& colour) {
  const Point centre{0, 0, z};
  for (int i = 0; i < n; ++i) b.triangle(centre, rimPoint(r, i, n, z, down), rimPoint(r, i + 1, n, z, down), colour);
  for (int i = 0; i < n; ++i) b.line(rimPoint(r, i, n, z), rimPoint(r, i + 1, n, z));
}

}  // namespace

int CircleSegmentsFor(Extended pixels) {
  if (!std::isfinite(pixels)) return kMaxSegments;
  const Extended r = std::fabs(pixels);
  for (int n = 8; n < kMaxSegments; n *= 2)
    if (r * (1 - std::cos(std::numbers::pi_v<Extended> / n)) <= 0.25L) return n;
  return kMaxSegments;
}

std::vector<int> PileCircleSegments(const TProgramData& project, Extended pixelsPerUnit) {
  const TGridTable& data = project.tables().PileData();
  std::vector<int> segments;
  for (int j = 0; j < data.RowCount(); ++j) segments.push_back(CircleSegmentsFor(pileRadius(data, j) * pixelsPerUnit));
  return segments;
}

TPileArrays BuildPileArrays(const TProgramData& project, Extended pixelsPerUnit) {
  const TGridTable& coord = project.tables().Pilecoord();
  const TGridTable& data = project.tables().PileData();
  const int rows = data.RowCount();
  std::vector<Extended> radius, length;
  for (int j = 0; j < rows; ++j) {
    radius.push_back(pileRadius(data, j));
    length.push_back(cellValue(data, 0, j));
  }
  TPileArrays out;
  // Room for the commonest case, one cylinder a pile at the full side count.
  const std::size_t vertices = static_cast<std::size_t>(coord.RowCount()) * 4 * 3 * kMaxSegments;
  out.triangles.reserve(vertices * 3);
  out.colours.reserve(vertices * 4);
  Builder b(out);
  for (int i = 0; i < coord.RowCount(); ++i) {
    Placement& p = b.place;
    p = {cellValue(coord, 0, i), cellValue(coord, 1, i), 0, 1, 0};
    const Extended a = cellValue(coord, 2, i);
    if (a != 0) {
      p.plane = static_cast<int>(cellValue(coord, 3, i));
      const Extended turn = (p.plane == 1 ? -a : a) * std::numbers::pi_v<Extended> / 180;
      p.c = std::cos(turn);
      p.s = std::sin(turn);
    }
    Extended top = 0;
    for (int j = 0; j < rows;) {
      // The run of segments of this radius makes one cylinder.
      const Extended r = radius[static_cast<std::size_t>(j)];
      Extended bottom = top - length[static_cast<std::size_t>(j)];
      int k = j + 1;
      for (; k < rows && radius[static_cast<std::size_t>(k)] == r; ++k) bottom -= length[static_cast<std::size_t>(k)];
      const int n = CircleSegmentsFor(r * pixelsPerUnit);
      side(b, r, top, bottom, n);
      if (j == 0) end(b, r, top, n, false, kGrey);
      if (k == rows) end(b, r, bottom, n, true, rows == 1 ? kOutline : kGrey);
      top = bottom;
      j = k;
    }
  }
  return out;
}

}  // namespace zrv::front
