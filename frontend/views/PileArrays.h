#pragma once
// The piles of the 3D view as four vertex lists for all piles together: the
// grey quads of the side surfaces, the grey triangles of the end discs, the
// triangles in the rims' colour and the rim lines, instead of one fan per quad
// and layer segment. The vertices hold positions only (one colour a list),
// and the quads of a side share the points of its top and bottom circles;
// each list holds only the points it draws. Layer segments whose
// radii lie within a quarter pixel of one another on the screen make one
// cylinder, drawn at the middle of their radii, so that no outline moves by
// more than an eighth of a pixel; a pile only a few pixels wide gets fewer
// sides, as many as keep its outline within a quarter pixel of the circle.
// The quads and triangles wind as the fans they replace, so the culled faces
// and the picture stay the same.

#include <vector>

#include "base/types.h"

namespace zrv::front {

using comp::Extended;
class TProgramData;

/// Sides of a circle drawn `pixels` wide in radius: the fewest of 8, 16 and
/// 32 whose polygon stays within a quarter pixel of the circle; 32 from
/// about 13 pixels up (and for a radius that is not a finite number).
int CircleSegmentsFor(Extended pixels);

/// One cylinder of every pile: the PileData rows First..Last, drawn at
/// Radius with Sides sides.
struct TPileCylinder {
  int First = 0, Last = 0;
  Extended Radius = 0;
  int Sides = 0;
  bool operator==(const TPileCylinder&) const = default;
};

/// The cylinders of the piles at `pixelsPerUnit` (the view's fit scale times
/// its zoom), from the head down. When they change, the arrays must be built
/// anew.
std::vector<TPileCylinder> PileCylinders(const TProgramData& project, Extended pixelsPerUnit);

/// Vertices (x, y, z each) and the numbers of the vertices of the primitives
/// in order.
struct TVertexList {
  std::vector<float> vertices;
  std::vector<unsigned> indices;
};

/// The piles' lists, each with vertices of its own.
struct TPileArrays {
  /// Grey quads: the sides, each quad top i, bottom i, bottom i+1, top i+1.
  TVertexList quads;
  /// Grey triangles: the end discs.
  TVertexList triangles;
  /// Triangles in the rims' colour: the tip disc of a pile of one segment.
  TVertexList outlined;
  /// Rim circles of the heads and tips as pairs of line ends.
  TVertexList rims;
};

/// The piles of Pilecoord with the segments of PileData, in the frame where
/// the pile heads lie at z = 0: each pile moved to its x, y and turned by its
/// batter (the XZ-Plane about Y by −a, the YZ-Plane about X by +a). The head
/// disc is grey like the sides; so is the tip disc, except on a pile of one
/// segment, whose tip disc takes the rims' colour.
TPileArrays BuildPileArrays(const TProgramData& project, Extended pixelsPerUnit);

}  // namespace zrv::front
