#pragma once
// The mass calculator of the mass forms: total mass, centre of gravity and
// the mass moments and products of inertia of a set of mass components, each
// a rectangular block of uniform density. Local axes x, y, z with z up; the
// results are about global axes through the centre of gravity with Z down.

#include <vector>

#include "base/types.h"
#include "project/TProgramData.h"

namespace zrv::comp {
class TGridTable;
}

namespace zrv::front {

using comp::Extended;

/// One row of the table MassCal: mass, local coordinates of its centre,
/// dimensions along x, y, z.
struct TMassComponent {
  Extended mass = 0, x = 0, y = 0, z = 0;
  Extended length = 0, width = 0, thickness = 0;
};

struct TPoint3 {
  Extended x = 0, y = 0, z = 0;
};

struct TMassResult {
  Extended totalMass = 0;
  Extended Ixx = 0, Iyy = 0, Izz = 0;  // moments of inertia about the global axes
  Extended Ixy = 0, Ixz = 0, Iyz = 0;  // products of inertia, Z down
  TPoint3 cg;                          // centre of gravity, local coordinates
};

/// The number of centre-of-gravity slots (MassCGX and its twins, 1-based).
inline constexpr int kMassSlots = 20;

/// The rows of `massCal` (columns mass, x, y, z, length, width, thickness).
std::vector<TMassComponent> massComponents(const comp::TGridTable& massCal);

/// M = sum m; when M > 0 the centre of gravity (sum m x / M, ...) is written
/// into the slots of `fields` for the first min(n, 20) rows. Row k is then
/// taken about the centre in slot min(k, 20):
///   Ixx = sum m [(y - yc)^2 + (z - zc)^2] + m (W^2 + T^2) / 12, Iyy, Izz alike,
///   Ixy = sum m (x - xc)(y - yc), Ixz = -sum m (x - xc)(z - zc),
///   Iyz = -sum m (y - yc)(z - zc)  (global Z points down).
/// The centre of gravity returned is that of the last row's slot. With M <= 0
/// the slots keep what they hold.
TMassResult calculateMass(const std::vector<TMassComponent>& components, TProjectFields& fields);

/// The centre of the base in global coordinates: X = xb - xc, Y = yb - yc,
/// Z = -(zb - zc), from its local coordinates and the centre of gravity.
TPoint3 baseInGlobal(const TPoint3& cbLocal, const TPoint3& cg);

}  // namespace zrv::front
