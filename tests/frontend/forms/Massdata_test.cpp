// "Mass Data": captions, the fields of the sixteen boxes, the calculator
// buttons and the move of the computed centre of the base at deactivation.
#include "forms/Massdata.h"

#include <QGroupBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include "formsa_fake_main.h"
#include "formsa_form_support.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"
#include "grid/TTableEditor.h"

namespace zrv::test {
namespace {

using front::TMassBox;

class MassdataTest : public ::testing::Test {
protected:
  void SetUp() override { recordedMessages().clear(); }
  void TearDown() override {
    comp::setEditorLauncher({});
    delete form.data();
    flushDeletes();
  }
  // Rows of MassCal: mass, x, y, z, length, width, thickness.
  void setComponents(const std::vector<std::array<long double, 7>>& rows) {
    comp::TGridTable& t = main.Tables().MassCal();
    t.SetRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
      for (std::size_t c = 0; c < 7; ++c) t.Column(static_cast<int>(c)).SetFloat(static_cast<int>(r), rows[r][c]);
  }
  long double shown(int n) const { return form->DataEdit(n)->Number(); }

  FakeMain main;
  QPointer<front::TfrmMassdata> form = new front::TfrmMassdata(main);
};

TEST_F(MassdataTest, CaptionsUnitsAndButtons) {
  form->FormActivate();
  EXPECT_EQ(form->windowTitle(), "Mass Data");
  const char* const labels[] = {
      "Total mass (self weight only) of the foundation (Mg)",
      "Mass moment of inertia about X-axis (Mg-m^2)",
      "Mass moment of inertia about Y-axis (Mg-m^2)",
      "Mass moment of inertia about Z-axis (Mg-m^2)",
      "Cross product X-Y (product of inertia) (Mg-m^2)",
      "Cross product X-Z (product of inertia) (Mg-m^2)",
      "Cross product Y-Z (product of inertia) (Mg-m^2)",
      "x-coord. of C.G. (m)", "y-coord. of C.G. (m)", "z-coord. of C.G. (m)",
      "x-coord. of C.B. (m)", "y-coord. of C.B. (m)", "z-coord. of C.B. (m)",
      "X-coord. of C.B. (m)", "Y-coord. of C.B. (m)", "Z-coord. of C.B. (m)",
  };
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(labelOf(form->DataEdit(n)), labels[n - 1]) << n;
  main.Project().SetUnitSystem(1);
  form->FormActivate();
  EXPECT_EQ(labelOf(form->DataEdit(1)), "Total mass (self weight only) of the foundation (slug)");
  EXPECT_EQ(labelOf(form->DataEdit(4)), "Mass moment of inertia about Z-axis (slug-ft^2)");
  EXPECT_EQ(labelOf(form->DataEdit(16)), "Z-coord. of C.B. (ft)");

  EXPECT_EQ(form->findChild<QGroupBox*>("GroupBox1")->title(), "Combined Mass (including self-weight) on Foundation  ");
  EXPECT_EQ(form->findChild<QGroupBox*>("GroupBox2")->title(), "Local coordinates of C.B.");
  EXPECT_EQ(form->findChild<QGroupBox*>("GroupBox3")->title(), "Computed Coordinates of C.G. in local coordinates");
  EXPECT_EQ(form->findChild<QGroupBox*>("GroupBox4")->title(), "Computed Coordinates of C.B. in global coordinates");
  EXPECT_EQ(form->findChild<QPushButton*>("Button2")->text(), "Input all the mass components");
  EXPECT_EQ(form->findChild<QPushButton*>("Button1")->text(), "Calculate mass moment of inertia");

  EXPECT_EQ(form->DataEdit(1)->MaxVal(), 2147483647.0L);
  EXPECT_EQ(form->DataEdit(1)->MinVal(), -2147483648.0L);
  for (int n = 1; n <= 16; ++n) {
    const bool computed = (n >= 8 && n <= 10) || n >= 14;
    EXPECT_EQ(form->DataEdit(n)->isEnabled(), !computed) << n;
    EXPECT_EQ(form->DataEdit(n)->EditLabel()->isEnabled(), !computed) << n;
    if (n > 1) {
      EXPECT_GT(form->DataEdit(n)->MaxVal(), 1e4000L) << n;
    }
  }
}

TEST_F(MassdataTest, BoxesShowTheirFieldsAndStoreThem) {
  TProjectFields& p = main.Project();
  for (int i = 0; i < 7; ++i) p.MassProperties[static_cast<std::size_t>(i)] = 10 + i;
  p.CGLocalX = 21, p.CGLocalY = 22, p.CGLocalZ = 23;
  p.CBLocalX = 31, p.CBLocalY = 32, p.CBLocalZ = 33;
  p.CBGlobalX = 41, p.CBGlobalY = 42, p.CBGlobalZ = 43;
  form->FormActivate();
  const long double expected[] = {10, 11, 12, 13, 14, 15, 16, 21, 22, 23, 31, 32, 33, 41, 42, 43};
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(shown(n), expected[n - 1]) << n;
  EXPECT_FALSE(main.IsModified());

  form->DataEdit(3)->setText(QStringLiteral("99"));
  form->DataEdit(12)->setText(QStringLiteral("-1"));
  EXPECT_TRUE(main.IsModified());
  EXPECT_TRUE(form->close());
  flushDeletes();
  EXPECT_EQ(p.MassProperties[2], 99);
  EXPECT_EQ(p.CBLocalY, -1);
  EXPECT_EQ(p.MassProperties[6], 16);
  EXPECT_EQ(p.BaseX, 0) << "no calculation: the base stays where it was";
  EXPECT_EQ(p.BaseZ, 0);
}

TEST_F(MassdataTest, CalculationFillsTheBoxesAndDeactivationMovesTheBase) {
  TProjectFields& p = main.Project();
  p.BaseX = 7, p.BaseY = 8, p.BaseZ = 9;
  // Two masses of 4 at (0, 0, 0) and (2, 0, 2): C.G. (1, 0, 1), Ixx = Izz = 8,
  // Iyy = 16, Ixz = -8. C.B. local (0.5, -1, 0): global (-0.5, -1, 1).
  setComponents({{4, 0, 0, 0, 0, 0, 0}, {4, 2, 0, 2, 0, 0, 0}});
  form->FormActivate();
  form->DataEdit(11)->setText(QStringLiteral("0.5"));
  form->DataEdit(12)->setText(QStringLiteral("-1"));
  main.SetModified(false);
  form->Button1Click();
  EXPECT_TRUE(form->Calculated());
  EXPECT_TRUE(main.IsModified());
  const long double expected[] = {8, 8, 16, 8, 0, -8, 0, 1, 0, 1, 0.5L, -1, 0, -0.5L, -1, 1};
  for (int n = 1; n <= 16; ++n) EXPECT_TRUE(near_rel(shown(n), expected[n - 1], 1e-12, 1)) << n;
  EXPECT_EQ(p.BaseX, 7) << "nothing reaches the project before deactivation";
  EXPECT_EQ(p.MassProperties[0], 0);

  ASSERT_TRUE(form->FormDeactivate());
  EXPECT_TRUE(near_rel(p.MassProperties[2], 16, 1e-12, 1));
  EXPECT_TRUE(near_rel(p.MassProperties[5], -8, 1e-12, 1));
  EXPECT_TRUE(near_rel(p.CGLocalX, 1, 1e-12, 1) && near_rel(p.CGLocalZ, 1, 1e-12, 1));
  EXPECT_TRUE(near_rel(p.BaseX, -0.5L, 1e-12, 1));
  EXPECT_TRUE(near_rel(p.BaseY, -1, 1e-12, 1));
  EXPECT_TRUE(near_rel(p.BaseZ, 1, 1e-12, 1));

  // The flag stays for the form's life: a later deactivation moves the base
  // again over a value typed elsewhere.
  p.BaseX = 100;
  ASSERT_TRUE(form->FormDeactivate());
  EXPECT_TRUE(near_rel(p.BaseX, -0.5L, 1e-12, 1));
}

TEST_F(MassdataTest, CentreOfBaseThatDoesNotEvaluateStopsTheCalculation) {
  setComponents({{4, 1, 1, 1, 0, 0, 0}});
  form->FormActivate();
  form->DataEdit(13)->setText(QStringLiteral("2*"));
  form->Button1Click();
  ASSERT_EQ(recordedMessages().size(), 1u);
  EXPECT_EQ(recordedMessages()[0].kind, comp::TMsgKind::Error);
  EXPECT_TRUE(recordedMessages()[0].text.startsWith("Entry could not be evaluated:\r"));
  EXPECT_FALSE(form->Calculated());
  EXPECT_EQ(form->DataEdit(1)->text(), "0");
}

TEST_F(MassdataTest, InputButtonOpensTheMassTableNonModally) {
  std::vector<std::pair<comp::TGridTable*, bool>> opened;
  comp::setEditorLauncher([&](comp::TGridTable& t, bool modal) { opened.push_back({&t, modal}); });
  form->findChild<QPushButton*>("Button2")->click();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].first, &main.Tables().MassCal());
  EXPECT_FALSE(opened[0].second);
  form->findChild<QPushButton*>("Button1")->click();
  EXPECT_TRUE(form->Calculated());
}

}  // namespace
}  // namespace zrv::test
