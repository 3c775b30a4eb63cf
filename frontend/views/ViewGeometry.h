#pragma once
// The plain geometry of the top view and the two side views: the world
// windows and their fit to a drawing area, the mappings between world and
// pixel coordinates, the pile circles and footing outline of the plan, the
// pile and footing quadrilaterals of a section and the soil profile drawn
// behind them. Nothing here needs a widget; the views only paint what these
// functions compute.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "base/types.h"

namespace zrv::front {

using comp::Extended;
class TProgramData;
class TProjectTables;

// ---------------------------------------------------------------- windows

/// A rectangle of world coordinates. In the plan `top` > `bottom` (y grows
/// upwards); in a section `top` < `bottom` (depth grows downwards).
struct TWorldWindow {
  Extended left = 0, right = 0, top = 0, bottom = 0;
  bool operator==(const TWorldWindow&) const = default;
};

/// True when the window cannot be mapped: zero width or height, or an extent
/// that is not a finite number.
bool windowUndrawable(const TWorldWindow& window);

/// The window widened to the aspect of a `w` by `h` area, about the world
/// origin: a = (w/h) / (width/height) with height = top − bottom (`yUp`) or
/// bottom − top; a >= 1 multiplies left and right by a, else top and bottom
/// are divided by a. Returns `window` unchanged when it is undrawable, the
/// area is empty or a is not a finite positive number.
TWorldWindow fitWindowToArea(const TWorldWindow& window, int w, int h, bool yUp);

/// Largest pixel coordinate handed to a painter; farther points are clamped.
inline constexpr int kPixelLimit = 1000000;

/// `v` to the nearest integer, halves to even; NaN gives 0 and values beyond
/// ±kPixelLimit are clamped.
int toPixel(Extended v);

/// A point of the world in a `w` by `h` pixel area showing `view`:
/// (w·(x − left)/(right − left), h·(y − top)/(bottom − top)), each to the
/// nearest pixel.
std::pair<int, int> worldToPixel(const TWorldWindow& view, int w, int h, Extended x, Extended y);

/// The inverse of worldToPixel without rounding:
/// x = X/w·(right − left) + left, y = Y/h·(bottom − top) + top.
std::pair<Extended, Extended> pixelToWorld(const TWorldWindow& view, int w, int h, int X, int Y);

/// A pixel rectangle as mapped: `top` may lie below `bottom`.
struct TPixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const TPixelRect&) const = default;
};

/// The caption number of the mouse read-outs: fixed with one decimal
/// (general format with 6 digits when the integer part has more than 6
/// digits), in the user's decimal separator; never "-0.0".
std::string formatReadout(Extended v);

// ---------------------------------------------------------------- top view

/// One pile of the plan: centre and radius.
struct TCircle {
  Extended x = 0, y = 0, r = 0;
  bool operator==(const TCircle&) const = default;
};

/// The rectangle drawn around the plan and its size.
struct TTopOutline {
  Extended xmin = 0, xmax = 0, ymin = 0, ymax = 0, width = 0, height = 0;
  /// False when there is nothing to outline (a pile foundation without piles).
  bool drawn = false;
  bool operator==(const TTopOutline&) const = default;
};

/// The circle's bounding rectangle in a `w` by `h` area showing `view`:
/// left/top from (x − r, y − r), right/bottom from (x + r, y + r).
TPixelRect mapCircle(const TWorldWindow& view, int w, int h, const TCircle& c);

/// The piles of a pile foundation (FoundationCode 2): one circle per row of
/// Pilecoord (x, y from columns 0 and 1), the radius from PileData column 1
/// of row 0. Empty for other foundations. Raises comp::EListError when a pile
/// exists and PileData has no row.
std::vector<TCircle> topViewCircles(const TProgramData& project, const TProjectTables& tables);

/// The outline: for piles the range of the pile centres (started at 1E+10
/// and 1E-9, so the rectangle always reaches the positive side of the axes);
/// a circular footing by its bounding square of half-side Radius; a
/// rectangular one LengthX by WidthY about the origin.
TTopOutline topViewOutline(const TProgramData& project, const TProjectTables& tables);

/// The base window of an activation: with circles, ±(size of the last
/// outline)/1.9, widened to take in every circle with a margin of one radius;
/// without circles `current` unchanged.
TWorldWindow topViewBaseWindow(const TWorldWindow& current, const TTopOutline& last,
                               const std::vector<TCircle>& circles);

/// A printer resolution estimated from page pixels snapped to a standard
/// value: below 76 → 75, 76-125 → 100, 126-225 → 150, 226-449 → 300,
/// 450-899 → 600, 900 and above → 1200.
int snapResolution(int estimate);

/// The printed ellipse of a mapped circle: centre of `mapped` in whole pixels,
/// half-width o = min(|width|, |height|)/2, half-height o·yRes/xRes rounded,
/// so that a circle stays round when the resolutions differ.
TPixelRect printedCircle(const TPixelRect& mapped, int xRes, int yRes);

// ---------------------------------------------------------------- side views

enum class TSidePlane { XZ, YZ };

/// A point of a section: horizontal world coordinate and depth (down).
struct TSidePoint {
  Extended x = 0, depth = 0;
  bool operator==(const TSidePoint&) const = default;
};

/// A pile or footing in a section: P0 top left, P1 top right, P2 bottom left,
/// P3 bottom right; drawn as the polygon P0, P1, P3, P2.
struct TSideOutline {
  std::array<TSidePoint, 4> p{};
  bool operator==(const TSideOutline&) const = default;
};

/// The quadrilateral of a member centred at `c`, `w` wide, from depth `t` to
/// `b`, tilted by `a` radians: Pk = (c ∓ w/2 + d·sin a, d·cos a), d = t or b.
TSideOutline sideOutline(Extended c, Extended w, Extended t, Extended b, Extended a);

/// FoundationCode of a FoundationType: "HALF-SPACE" 1, "PILE" 2, "STRATUM" 3,
/// "MULTILAYER" 4 (exact, case-sensitive); `current` for any other text.
int foundationCodeOf(const std::string& type, int current);

/// The element length sum: column 0 of PileData (code 2) or of MultiElement
/// (code 4) summed; 0 for the other codes.
Extended elementLengthSumOf(int code, const TProjectTables& tables);

/// The outlines of a section and whether building one of them met a missing
/// table row (the caller tells the user once and closes the view).
struct TSideBuild {
  std::vector<TSideOutline> outlines;
  bool missingRow = false;
};

/// The outlines for foundation `code` with `lengthSum` (elementLengthSumOf):
/// one per pile (code 2; centre from Pilecoord column 0 or 1, tilted when
/// the pile's batter plane is this view's plane), else one for the footing
/// (codes 1 and 3) or the multilayer foundation (code 4). An outline whose
/// table row is missing is skipped and flagged; the others are built.
TSideBuild buildSideOutlines(const TProgramData& project, const TProjectTables& tables, TSidePlane plane,
                             int code, Extended lengthSum);

/// The world window that takes in every outline, from 0, 0, 0, 0, enlarged
/// by 1.05; codes 1 and 3 also double the horizontal range and make the
/// depth four times as deep; code 4 doubles the horizontal range and takes
/// the depth from `lengthSum` × 1.05. A stratum (code 3) reaches down to at
/// least `rockDepth` × 1.05, so that its rock line shows. Empty outlines leave
/// `current`.
TWorldWindow sideWorldWindow(const TWorldWindow& current, const std::vector<TSideOutline>& outlines, int code,
                             Extended lengthSum, Extended rockDepth = 0);

/// The depth of a footing's base in the side views: twice Zc, the height of a
/// block whose centre of gravity lies at half its height, round or rectangular.
/// The ground line lies the embedment (a stratum) or the side layers (a
/// half-space) above it, so that the footing stands in the ground as built.
Extended sideFootingDepth(const TProgramData& project);

/// The depth of a stratum's rock line in the side views: the stratum's depth
/// below its ground line.
Extended sideRockDepth(const TProgramData& project);

/// A section point on a printed page of `pw` by `ph` pixels: the view's
/// width over the whole page, its depth over the middle 80 % of the height.
std::pair<int, int> sideToPrinter(const TWorldWindow& view, int pw, int ph, Extended x, Extended depth);

/// A two-line layer label. The label's top is at the pixel of `depth` plus
/// `offset` screen pixels; `second` is empty for a one-line label.
struct TProfileLabel {
  Extended depth = 0;
  int offset = 0;
  std::string first, second;
  bool operator==(const TProfileLabel&) const = default;
};

/// The soil profile behind a section: layer lines and ground lines (each
/// across the whole width at its depth) and the layer labels.
struct TSideProfile {
  std::vector<Extended> lines;
  std::vector<Extended> grounds;
  std::vector<TProfileLabel> labels;
};

/// The profile of foundation `code`: pile layers from D and PileData,
/// stratum and rock from the project, half-space layers from D1 above the
/// tip soil, multilayer elements from MultiElement with the soil of D and
/// then Multisoil. Pile layers without a PileData row are left out; a
/// multilayer label without a soil row shows its depths only.
TSideProfile sideProfile(const TProgramData& project, const TProjectTables& tables, int code);

}  // namespace zrv::front
