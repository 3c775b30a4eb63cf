#include "forms/MassCalculator.h"

#include <algorithm>

#include "grid/TGridTable.h"

namespace zrv::front {

std::vector<TMassComponent> massComponents(const comp::TGridTable& massCal) {
  std::vector<TMassComponent> rows;
  const int columns = std::min(massCal.ColumnCount(), 7);
  for (int r = 0; r < massCal.RowCount(); ++r) {
    Extended v[7] = {};
    for (int c = 0; c < columns; ++c) v[c] = cellValue(massCal, c, r);
    rows.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6]});
  }
  return rows;
}

TMassResult calculateMass(const std::vector<TMassComponent>& components, TProjectFields& fields) {
  const int n = static_cast<int>(components.size());
  // Rows past the last slot share it: the centre of gravity is one value per
  // calculation.
  auto slotOf = [](int row) { return static_cast<std::size_t>(std::clamp(row, 1, kMassSlots)); };

  TMassResult result;
  Extended sx = 0, sy = 0, sz = 0;
  for (const TMassComponent& c : components) {
    result.totalMass += c.mass;
    sx += c.mass * c.x;
    sy += c.mass * c.y;
    sz += c.mass * c.z;
  }
  if (result.totalMass > 0) {
    for (int k = 1; k <= std::min(n, kMassSlots); ++k) {
      fields.MassCGX[slotOf(k)] = sx / result.totalMass;
      fields.MassCGY[slotOf(k)] = sy / result.totalMass;
      fields.MassCGZ[slotOf(k)] = sz / result.totalMass;
    }
  }

  Extended pxz = 0, pyz = 0;
  for (int k = 1; k <= n; ++k) {
    const TMassComponent& c = components[static_cast<std::size_t>(k - 1)];
    const Extended dx = c.x - fields.MassCGX[slotOf(k)];
    const Extended dy = c.y - fields.MassCGY[slotOf(k)];
    const Extended dz = c.z - fields.MassCGZ[slotOf(k)];
    const Extended L2 = c.length * c.length, W2 = c.width * c.width, T2 = c.thickness * c.thickness;
    result.Ixx += c.mass * (dy * dy + dz * dz) + c.mass * (W2 + T2) / 12;
    result.Iyy += c.mass * (dx * dx + dz * dz) + c.mass * (L2 + T2) / 12;
    result.Izz += c.mass * (dx * dx + dy * dy) + c.mass * (L2 + W2) / 12;
    result.Ixy += c.mass * dx * dy;
    pxz += c.mass * dx * dz;
    pyz += c.mass * dy * dz;
  }
  result.Ixz = -pxz;
  result.Iyz = -pyz;
  result.cg = {fields.MassCGX[slotOf(n)], fields.MassCGY[slotOf(n)], fields.MassCGZ[slotOf(n)]};
  return result;
}

TPoint3 baseInGlobal(const TPoint3& cbLocal, const TPoint3& cg) {
  return {cbLocal.x - cg.x, cbLocal.y - cg.y, -(cbLocal.z - cg.z)};
}

}  // namespace zrv::front
