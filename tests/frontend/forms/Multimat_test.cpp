// "Foundation Properties": captions, units, limits and fields of the ten
// boxes.
#include "forms/Multimat.h"

#include <gtest/gtest.h>

#include "formsa_fake_main.h"
#include "formsa_form_support.h"

namespace zrv::test {
namespace {

TEST(Multimat, CaptionsUnitsAndLimits) {
  FakeMain main;
  front::TfrmMultimat form(main);
  form.FormActivate();
  EXPECT_EQ(form.windowTitle(), "Foundation Properties");
  const char* const labels[] = {
      "Distance from center of foundation base to center of gravity (Xc)  (m)",
      "Distance from center of foundation base to center of gravity (Yc) (m)",
      "Height of center of gravity of foundation from the base (Zc) (m)",
      "Unit weight of pile (kN/m^3)",
      "Poisson's ratio of the pile",
      "Material damping of the pile",
      "&Elastic modulus of the pile  (kN/m\u00B2)",
      "Total length of pile (m)",
      "Cross-sectional coefficient of rigidity (kN/m)",
      "Static load on foundation (kN)",
  };
  for (int n = 1; n <= 10; ++n) EXPECT_EQ(labelOf(form.DataEdit(n)), QString::fromUtf8(labels[n - 1])) << n;

  main.Project().SetUnitSystem(1);
  form.FormActivate();
  EXPECT_EQ(labelOf(form.DataEdit(4)), "Unit weight of pile (lbs/ft^3)");
  EXPECT_EQ(labelOf(form.DataEdit(7)), QString::fromUtf8("&Elastic modulus of the pile  (lbs/ft\u00B2)"));
  EXPECT_EQ(labelOf(form.DataEdit(9)), "Cross-sectional coefficient of rigidity (lbs/ft)");
  EXPECT_EQ(labelOf(form.DataEdit(10)), "Static load on foundation (lbs)");

  for (int n : {8, 9}) {
    EXPECT_EQ(form.DataEdit(n)->MaxVal(), 2147483647.0L) << n;
    EXPECT_EQ(form.DataEdit(n)->MinVal(), -2147483648.0L) << n;
  }
  EXPECT_EQ(form.DataEdit(10)->MaxVal(), 2.147483647E+12L);
  EXPECT_LT(form.DataEdit(10)->MinVal(), -1e4000L);
  for (int n : {1, 2, 3, 4, 5, 6, 7}) EXPECT_GT(form.DataEdit(n)->MaxVal(), 1e4000L) << n;
}

TEST(Multimat, StoresEveryBoxIntoItsField) {
  FakeMain main;
  front::TfrmMultimat form(main);
  form.FormActivate();
  for (int n = 1; n <= 10; ++n) form.DataEdit(n)->setText(QString::number(n * 10 + 0.5));
  form.DataEdit(10)->SetNumber(3e12L);  // above its maximum: clamped by the box
  ASSERT_TRUE(form.FormDeactivate());
  const TProjectFields& p = main.Project();
  EXPECT_EQ(p.BaseX, 10.5L);
  EXPECT_EQ(p.BaseY, 20.5L);
  EXPECT_EQ(p.BaseZ, 30.5L);
  EXPECT_EQ(p.PileUnitWeight, 40.5L);
  EXPECT_EQ(p.PilePoisson, 50.5L);
  EXPECT_EQ(p.PileDamping, 60.5L);
  EXPECT_EQ(p.PileModulus, 70.5L);
  EXPECT_EQ(p.PileLength, 80.5L);
  EXPECT_EQ(p.ShearRigidityCoef, 90.5L);
  EXPECT_EQ(p.StaticLoad, 2.147483647E+12L);
  EXPECT_TRUE(main.IsModified());
}

}  // namespace
}  // namespace zrv::test
