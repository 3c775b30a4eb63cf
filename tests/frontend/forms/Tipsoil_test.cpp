// "Soil Below The Footing": captions and a unit switch while the form is open.
#include "forms/Tipsoil.h"

#include <gtest/gtest.h>

#include "formsa_fake_main.h"
#include "formsa_form_support.h"

namespace zrv::test {
namespace {

TEST(Tipsoil, CaptionsAndFields) {
  FakeMain main;
  front::TfrmTipsoil form(main);
  main.Project().TipShearWaveVelocity = 150;
  main.Project().TipUnitWeight = 18.5;
  main.Project().TipPoisson = 0.35L;
  main.Project().TipDamping = 0.05L;
  form.FormActivate();
  EXPECT_EQ(form.windowTitle(), "Soil Below The Footing");
  EXPECT_EQ(labelOf(form.DataEdit(1)), "Shear wave velocity (m/sec)");
  EXPECT_EQ(labelOf(form.DataEdit(2)), "Unit weight (kN/m^3)");
  EXPECT_EQ(labelOf(form.DataEdit(3)), "Poisson's ratio");
  EXPECT_EQ(labelOf(form.DataEdit(4)), "Material damping");
  EXPECT_EQ(form.DataEdit(1)->MaxVal(), 2147483647.0L);
  EXPECT_EQ(form.DataEdit(1)->text(), "150");
  EXPECT_EQ(form.DataEdit(3)->text(), "0.35");
  form.DataEdit(3)->setText(QStringLiteral("0.4"));
  ASSERT_TRUE(form.FormDeactivate());
  EXPECT_EQ(main.Project().TipPoisson, 0.4L);
  EXPECT_EQ(main.Project().TipDamping, 0.05L);
}

TEST(Tipsoil, UnitSwitchReloadsConvertedValuesAndLabels) {
  FakeMain main;
  auto* form = new front::TfrmTipsoil(main);
  main.forms.push_back(form);
  main.Project().TipShearWaveVelocity = 100;  // m/sec
  main.Project().TipUnitWeight = 20;          // kN/m^3
  form->FormActivate();
  main.SetUnits(1);
  EXPECT_EQ(labelOf(form->DataEdit(1)), "Shear wave velocity (ft/sec)");
  EXPECT_EQ(labelOf(form->DataEdit(2)), "Unit weight (lbs/ft^3)");
  // 1 ft = 0.3048 m, 1 lbf = 4.4482216152605 N.
  EXPECT_TRUE(near_rel(form->DataEdit(1)->Number(), 100 / 0.3048L, 1e-9L, 1));
  const long double lbsPerFt3 = 20000 / 4.4482216152605L * (0.3048L * 0.3048L * 0.3048L);
  EXPECT_TRUE(near_rel(form->DataEdit(2)->Number(), lbsPerFt3, 1e-6L, 1));  // the unit table holds 7 digits
  delete form;
}

}  // namespace
}  // namespace zrv::test
