// The mass calculator against hand computations and against the inertia
// about the origin shifted by the parallel-axis theorem.
#include "forms/MassCalculator.h"

#include <gtest/gtest.h>

#include "formsa_form_support.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"
#include "project/TProjectTables.h"

namespace zrv::test {
namespace {

using front::calculateMass;
using front::TMassComponent;
using front::TProjectFields;

TEST(MassCalculator, OnePointMassHasItsOwnCentreAndNoInertia) {
  TProjectFields fields;
  const auto r = calculateMass({{7, 1.5, -2, 4, 0, 0, 0}}, fields);
  EXPECT_EQ(r.totalMass, 7);
  EXPECT_TRUE(near_rel(r.cg.x, 1.5L, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.cg.y, -2, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.cg.z, 4, 1e-12, 1));
  for (long double v : {r.Ixx, r.Iyy, r.Izz, r.Ixy, r.Ixz, r.Iyz}) EXPECT_TRUE(near_rel(v, 0, 1e-12, 1));
  EXPECT_TRUE(near_rel(fields.MassCGX[1], 1.5L, 1e-12, 1));
  EXPECT_EQ(fields.MassCGX[2], 0) << "only the fields of the rows there are";
}

TEST(MassCalculator, OneBlockHasTheMomentsOfARectangularPrism) {
  TProjectFields fields;
  // m = 6, L = 2, W = 3, T = 4: m (W^2 + T^2) / 12 = 12.5, m (L^2 + T^2) / 12 = 10,
  // m (L^2 + W^2) / 12 = 6.5.
  const auto r = calculateMass({{6, 10, 20, 30, 2, 3, 4}}, fields);
  EXPECT_TRUE(near_rel(r.Ixx, 12.5L, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Iyy, 10, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Izz, 6.5L, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Ixy, 0, 1e-12, 1) && near_rel(r.Ixz, 0, 1e-12, 1) && near_rel(r.Iyz, 0, 1e-12, 1));
}

TEST(MassCalculator, TwoMassesOnTheXAxis) {
  TProjectFields fields;
  // m = 2 at x = -3 and x = 3: centre at the origin, Iyy = Izz = 2 m a^2 = 36.
  const auto r = calculateMass({{2, -3, 0, 0, 0, 0, 0}, {2, 3, 0, 0, 0, 0, 0}}, fields);
  EXPECT_EQ(r.totalMass, 4);
  EXPECT_TRUE(near_rel(r.cg.x, 0, 1e-12, 1) && near_rel(r.cg.y, 0, 1e-12, 1) &&
              near_rel(r.cg.z, 0, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Ixx, 0, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Iyy, 36, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Izz, 36, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Ixy, 0, 1e-12, 1) && near_rel(r.Ixz, 0, 1e-12, 1) && near_rel(r.Iyz, 0, 1e-12, 1));
}

TEST(MassCalculator, ProductsWithTheVerticalAxisChangeSign) {
  TProjectFields fields;
  // m = 4 at (0, 0, 0) and (a, 0, a), a = 2: sum m (x - xc)(z - zc) = m a^2 / 2 = 8,
  // shown as Ixz = -8; Ixx = Izz = 4 (1 + 0) * 2 = 8, Iyy = 4 (1 + 1) * 2 = 16.
  const auto r = calculateMass({{4, 0, 0, 0, 0, 0, 0}, {4, 2, 0, 2, 0, 0, 0}}, fields);
  EXPECT_TRUE(near_rel(r.cg.x, 1, 1e-12, 1) && near_rel(r.cg.z, 1, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Ixz, -8, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Ixy, 0, 1e-12, 1) && near_rel(r.Iyz, 0, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Ixx, 8, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Iyy, 16, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.Izz, 8, 1e-12, 1));
}

// Inertia about the origin, then moved to the centre of gravity by the
// parallel-axis theorem: I_cg = I_o - M d^2, P_cg = P_o - M xc zc.
struct Reference {
  long double M = 0, xc = 0, yc = 0, zc = 0, Ixx = 0, Iyy = 0, Izz = 0, Pxy = 0, Pxz = 0, Pyz = 0;
};
Reference parallelAxis(const std::vector<TMassComponent>& cs) {
  Reference o;
  for (const auto& c : cs) {
    o.M += c.mass;
    o.xc += c.mass * c.x;
    o.yc += c.mass * c.y;
    o.zc += c.mass * c.z;
    o.Ixx += c.mass * (c.y * c.y + c.z * c.z) + c.mass * (c.width * c.width + c.thickness * c.thickness) / 12;
    o.Iyy += c.mass * (c.x * c.x + c.z * c.z) + c.mass * (c.length * c.length + c.thickness * c.thickness) / 12;
    o.Izz += c.mass * (c.x * c.x + c.y * c.y) + c.mass * (c.length * c.length + c.width * c.width) / 12;
    o.Pxy += c.mass * c.x * c.y;
    o.Pxz += c.mass * c.x * c.z;
    o.Pyz += c.mass * c.y * c.z;
  }
  o.xc /= o.M;
  o.yc /= o.M;
  o.zc /= o.M;
  o.Ixx -= o.M * (o.yc * o.yc + o.zc * o.zc);
  o.Iyy -= o.M * (o.xc * o.xc + o.zc * o.zc);
  o.Izz -= o.M * (o.xc * o.xc + o.yc * o.yc);
  o.Pxy -= o.M * o.xc * o.yc;
  o.Pxz -= o.M * o.xc * o.zc;
  o.Pyz -= o.M * o.yc * o.zc;
  return o;
}

void expectParallelAxis(const std::vector<TMassComponent>& cs) {
  TProjectFields fields;
  const auto r = calculateMass(cs, fields);
  const Reference ref = parallelAxis(cs);
  EXPECT_TRUE(near_rel(r.totalMass, ref.M, 1e-12, 1));
  EXPECT_TRUE(near_rel(r.cg.x, ref.xc, 1e-14L, 1));
  EXPECT_TRUE(near_rel(r.cg.y, ref.yc, 1e-14L, 1));
  EXPECT_TRUE(near_rel(r.cg.z, ref.zc, 1e-14L, 1));
  EXPECT_TRUE(near_rel(r.Ixx, ref.Ixx, 1e-12L, 1));
  EXPECT_TRUE(near_rel(r.Iyy, ref.Iyy, 1e-12L, 1));
  EXPECT_TRUE(near_rel(r.Izz, ref.Izz, 1e-12L, 1));
  EXPECT_TRUE(near_rel(r.Ixy, ref.Pxy, 1e-12L, 1));
  EXPECT_TRUE(near_rel(r.Ixz, -ref.Pxz, 1e-12L, 1));
  EXPECT_TRUE(near_rel(r.Iyz, -ref.Pyz, 1e-12L, 1));
}

TEST(MassCalculator, FootingWithThreeMachinesMatchesTheParallelAxisTheorem) {
  expectParallelAxis({
      {120, 3, 2, 0.5, 6, 4, 1},        // the footing
      {15, 1.5, 1, 1.6, 1.2, 0.8, 1.2},  // M1
      {22, 3.2, 2.5, 1.9, 1, 1, 1.8},    // M2
      {8, 4.6, 0.7, 1.4, 0.6, 0.5, 0.8}, // M3
  });
}

TEST(MassCalculator, RowsPastTheTwentiethShareTheLastSlot) {
  std::vector<TMassComponent> cs;
  for (int k = 0; k < 30; ++k) cs.push_back({1.0L + k, 0.5L * k, 1.0L - 0.25L * k, 0.1L * k * k, 1, 2, 0.5});
  expectParallelAxis(cs);
  TProjectFields fields;
  calculateMass(cs, fields);
  EXPECT_EQ(fields.MassCGX[0], 0) << "slot 0 is not used";
  EXPECT_TRUE(near_rel(fields.MassCGZ[20], fields.MassCGZ[1], 1e-12, 1));
}

TEST(MassCalculator, NoMassKeepsThePreviousCentre) {
  TProjectFields fields;
  auto r = calculateMass({{0, 5, 6, 7, 1, 1, 1}, {0, 1, 1, 1, 0, 0, 0}}, fields);
  EXPECT_EQ(r.totalMass, 0);
  EXPECT_EQ(r.cg.x, 0);
  EXPECT_EQ(r.cg.y, 0);
  EXPECT_EQ(r.cg.z, 0);
  EXPECT_EQ(r.Ixx, 0);
  calculateMass({{2, 1, 2, 3, 0, 0, 0}, {2, 1, 2, 3, 0, 0, 0}}, fields);
  r = calculateMass({{0, 9, 9, 9, 0, 0, 0}, {0, 8, 8, 8, 0, 0, 0}}, fields);
  EXPECT_TRUE(near_rel(r.cg.x, 1, 1e-12, 1) && near_rel(r.cg.y, 2, 1e-12, 1) &&
              near_rel(r.cg.z, 3, 1e-12, 1));
}

TEST(MassCalculator, BaseInGlobalCoordinates) {
  const auto b = front::baseInGlobal({0, 0, 0}, {1, 2, 3});
  EXPECT_EQ(b.x, -1);
  EXPECT_EQ(b.y, -2);
  EXPECT_EQ(b.z, 3);
  const auto c = front::baseInGlobal({4, 1, 0.5L}, {1.5L, 2, 2});
  EXPECT_EQ(c.x, 2.5L);
  EXPECT_EQ(c.y, -1);
  EXPECT_EQ(c.z, 1.5L);
}

TEST(MassCalculator, ReadsTheRowsOfTheMassTable) {
  front::TProjectTables tables;
  comp::TGridTable& t = tables.MassCal();
  t.SetRowCount(2);
  for (int c = 0; c < 7; ++c) {
    t.Column(c).SetFloat(0, c + 1);
    t.Column(c).SetFloat(1, 10 * (c + 1));
  }
  const auto rows = front::massComponents(t);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].mass, 1);
  EXPECT_EQ(rows[0].x, 2);
  EXPECT_EQ(rows[0].thickness, 7);
  EXPECT_EQ(rows[1].z, 40);
  EXPECT_EQ(rows[1].length, 50);
  EXPECT_EQ(rows[1].width, 60);
}

}  // namespace
}  // namespace zrv::test
