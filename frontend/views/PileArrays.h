#pragma once
// The piles of the 3D view as vertex arrays: one array of triangles (side
// surfaces and end discs, a colour per vertex) and one array of rim lines for
// all piles together, instead of one fan per quad and layer segment. Layer
// segments of equal radius make one cylinder; a pile only a few pixels wide
// gets fewer sides, as many as keep its outline within a quarter pixel of
// the circle. The triangles wind as the fans they replace, so the culled
// faces and the picture stay the same.

#include <vector>

#include "base/types.h"

namespace zrv::front {

using comp::Extended;
class TProgramData;

/// Sides of a circle drawn `pixels` wide in radius: the fewest of 8, 16 and
/// 32 whose polygon stays within a quarter pixel of the circle; 32 from
/// about 13 pixels up (and for a radius that is not a finite number).
int CircleSegmentsFor(Extended pixels);

/// The side count of every row of PileData at `pixelsPerUnit` (the view's
/// fit scale times its zoom). When it changes, the arrays must be built anew.
std::vector<int> PileCircleSegments(const TProgramData& project, Extended pixelsPerUnit);

/// The piles' arrays: x, y, z per vertex, and r, g, b, a per triangle vertex.
struct TPileArrays {
  std::vector<float> triangles;
  std::vector<float> colours;
  /// Rim circles of the heads and tips as pairs of line ends.
  std::vector<float> rims;
};

/// The piles of Pilecoord with the segments of PileData, in the frame where
/// the pile heads lie at z = 0: each pile moved to its x, y and turned by its
/// batter (the XZ-Plane about Y by −a, the YZ-Plane about X by +a). The head
/// disc is grey like the sides; so is the tip disc, except on a pile of one
/// segment, whose tip disc takes the rims' colour.
TPileArrays BuildPileArrays(const TProgramData& project, Extended pixelsPerUnit);

}  // namespace zrv::front
