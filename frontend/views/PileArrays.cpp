#include "views/PileArrays.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "project/TProgramData.h"
#include "project/TProjectTables.h"

namespace zrv::front {

namespace {

constexpr int kMaxSegments = 32;

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

// Puts one pile's points, each moved to the pile's place, into the lists.
class Builder {
public:
  Placement place;

  /// Adds a point to `to`; its number there.
  unsigned vertex(TVertexList& to, const Point& p) const {
    const Point q = place.map(p);
    const auto number = static_cast<unsigned>(to.vertices.size() / 3);
    for (Extended c : q) to.vertices.push_back(static_cast<float>(c));
    return number;
  }
  /// Adds the n + 1 points round a circle (the last the first again); the
  /// number of the first.
  unsigned ring(TVertexList& to, Extended r, Extended z, int n, bool mirror = false) const;
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

unsigned Builder::ring(TVertexList& to, Extended r, Extended z, int n, bool mirror) const {
  const unsigned first = vertex(to, rimPoint(r, 0, n, z, mirror));
  for (int i = 1; i <= n; ++i) vertex(to, rimPoint(r, i, n, z, mirror));
  return first;
}

void triangle(TVertexList& to, unsigned a, unsigned b, unsigned c) {
  to.indices.push_back(a);
  to.indices.push_back(b);
  to.indices.push_back(c);
}

// The side of a cylinder from top to bottom, as the quads top i, bottom i,
// bottom i+1, top i+1.
void side(const Builder& b, TVertexList& to, Extended r, Extended top, Extended bottom, int n) {
  if (top == bottom) return;
  const unsigned t = b.ring(to, r, top, n), u = b.ring(to, r, bottom, n);
  for (unsigned i = 0; i < static_cast<unsigned>(n); ++i) {
    to.indices.push_back(t + i);
    to.indices.push_back(u + i);
    to.indices.push_back(u + i + 1);
    to.indices.push_back(t + i + 1);
  }
}

// A disc at height z facing up, or facing down (`down`, its points turned
// half round about X), into `to`, and its rim into `rims`.
void end(const Builder& b, TVertexList& to, TVertexList& rims, Extended r, Extended z, int n, bool down) {
  const unsigned centre = b.vertex(to, {0, 0, z}), disc = b.ring(to, r, z, n, down);
  const unsigned rim = b.ring(rims, r, z, n);
  for (unsigned i = 0; i < static_cast<unsigned>(n); ++i) {
    triangle(to, centre, disc + i, disc + i + 1);
    rims.indices.push_back(rim + i);
    rims.indices.push_back(rim + i + 1);
  }
}

}  // namespace

int CircleSegmentsFor(Extended pixels) {
  if (!std::isfinite(pixels)) return kMaxSegments;
  const Extended r = std::fabs(pixels);
  for (int n = 8; n < kMaxSegments; n *= 2)
    if (r * (1 - std::cos(std::numbers::pi_v<Extended> / n)) <= 0.25L) return n;
  return kMaxSegments;
}

std::vector<TPileCylinder> PileCylinders(const TProgramData& project, Extended pixelsPerUnit) {
  const TGridTable& data = project.tables().PileData();
  std::vector<TPileCylinder> out;
  for (int j = 0; j < data.RowCount();) {
    Extended low = pileRadius(data, j), high = low;
    int k = j + 1;
    for (; k < data.RowCount(); ++k) {
      const Extended r = pileRadius(data, k);
      const Extended span = std::max(high, r) - std::min(low, r);
      if (!(span == 0 || span * std::fabs(pixelsPerUnit) <= 0.25L)) break;
      low = std::min(low, r);
      high = std::max(high, r);
    }
    out.push_back({j, k - 1, (low + high) / 2, CircleSegmentsFor(high * pixelsPerUnit)});
    j = k;
  }
  return out;
}

TPileArrays BuildPileArrays(const TProgramData& project, Extended pixelsPerUnit) {
  const TGridTable& coord = project.tables().Pilecoord();
  const TGridTable& data = project.tables().PileData();
  const int rows = data.RowCount();
  std::vector<Extended> length;
  for (int j = 0; j < rows; ++j) length.push_back(cellValue(data, 0, j));
  const std::vector<TPileCylinder> cylinders = PileCylinders(project, pixelsPerUnit);
  // The tops of the cylinders and the bottom of the last, the same for every
  // pile; the arrays' sizes from them.
  std::vector<Extended> tops{0};
  for (const TPileCylinder& c : cylinders) {
    Extended bottom = tops.back();
    for (int j = c.First; j <= c.Last; ++j) bottom -= length[static_cast<std::size_t>(j)];
    tops.push_back(bottom);
  }
  // Points and vertex numbers of a pile in each list.
  std::array<std::size_t, 4> points{}, numbers{};
  for (std::size_t k = 0; k < cylinders.size(); ++k) {
    const std::size_t n = static_cast<std::size_t>(cylinders[k].Sides);
    if (tops[k] != tops[k + 1]) points[0] += 2 * (n + 1), numbers[0] += 4 * n;
    for (const bool last : {false, true}) {
      if (last ? cylinders[k].Last != rows - 1 : cylinders[k].First != 0) continue;
      const std::size_t list = last && rows == 1 ? 2 : 1;
      points[list] += n + 2, numbers[list] += 3 * n;
      points[3] += n + 1, numbers[3] += 2 * n;
    }
  }
  const std::size_t piles = static_cast<std::size_t>(std::max(coord.RowCount(), 0));
  TPileArrays out;
  std::array<TVertexList*, 4> lists{&out.quads, &out.triangles, &out.outlined, &out.rims};
  for (std::size_t list = 0; list < lists.size(); ++list) {
    lists[list]->vertices.reserve(piles * points[list] * 3);
    lists[list]->indices.reserve(piles * numbers[list]);
  }
  Builder b;
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
    for (std::size_t k = 0; k < cylinders.size(); ++k) {
      const TPileCylinder& c = cylinders[k];
      side(b, out.quads, c.Radius, tops[k], tops[k + 1], c.Sides);
      if (c.First == 0) end(b, out.triangles, out.rims, c.Radius, tops[k], c.Sides, false);
      if (c.Last == rows - 1)
        end(b, rows == 1 ? out.outlined : out.triangles, out.rims, c.Radius, tops[k + 1], c.Sides, true);
    }
  }
  return out;
}

}  // namespace zrv::front
