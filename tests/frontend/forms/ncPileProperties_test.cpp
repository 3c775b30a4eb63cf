// "Pile Cap Properties": the twin of "Mass Data" with its own captions and
// box numbers.
#include "forms/ncPileProperties.h"

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

TEST(ncPileProperties, CaptionsAndBoxNumbers) {
  FakeMain main;
  front::TfrmNCPileProperties form(main);
  TProjectFields& p = main.Project();
  for (int i = 0; i < 7; ++i) p.MassProperties[static_cast<std::size_t>(i)] = 10 + i;
  p.CGLocalX = 21, p.CGLocalY = 22, p.CGLocalZ = 23;
  p.CBLocalX = 31, p.CBLocalY = 32, p.CBLocalZ = 33;
  p.CBGlobalX = 41, p.CBGlobalY = 42, p.CBGlobalZ = 43;
  form.FormActivate();
  EXPECT_EQ(form.windowTitle(), "Pile Cap Properties");
  const char* const labels[] = {
      "x-coord. of C.G. (m)", "y-coord. of C.G. (m)", "z-coord. of C.G. (m)",
      "x-coord. of C.B. (m)",
      "Total mass (including equipment) of footing (Mg)",
      "Mass moment of inertia about X-axis (Mg-m^2)",
      "Mass moment of inertia about Y-axis (Mg-m^2)",
      "Mass moment of inertia about Z-axis (Mg-m^2)",
      "Cross product X-Y (product of inertia) (Mg-m^2)",
      "Cross product X-Z (product of inertia) (Mg-m^2)",
      "Cross product Y-Z (product of inertia) (Mg-m^2)",
      "y-coord. of C.B. (m)", "z-coord. of C.B. (m)",
      "X-coord. of C.B. (m)", "Y-coord. of C.B. (m)", "Z-coord. of C.B. (m)",
  };
  const long double values[] = {21, 22, 23, 31, 10, 11, 12, 13, 14, 15, 16, 32, 33, 41, 42, 43};
  for (int n = 1; n <= 16; ++n) {
    EXPECT_EQ(labelOf(form.DataEdit(n)), labels[n - 1]) << n;
    EXPECT_EQ(form.DataEdit(n)->Number(), values[n - 1]) << n;
    const bool computed = n <= 3 || n >= 14;
    EXPECT_EQ(form.DataEdit(n)->isEnabled(), !computed) << n;
  }
  EXPECT_EQ(form.DataEdit(5)->MaxVal(), 2147483647.0L);
  EXPECT_EQ(form.findChild<QGroupBox*>("GroupBox1")->title(), "Combined Mass (including Self-Weight of Pile Cap)");
  EXPECT_EQ(form.findChild<QPushButton*>("Button1")->text(), "Input all the mass components");
  EXPECT_EQ(form.findChild<QPushButton*>("Button2")->text(), "Calculate mass moment of inertia");
}

TEST(ncPileProperties, CalculateButtonAndBaseMove) {
  FakeMain main;
  front::TfrmNCPileProperties form(main);
  comp::TGridTable& t = main.Tables().MassCal();
  // One block m = 6, 2 x 3 x 4 centred at (1, 2, 3); C.B. local (1, 2, 1):
  // global (0, 0, 2).
  t.SetRowCount(1);
  const long double row[] = {6, 1, 2, 3, 2, 3, 4};
  for (int c = 0; c < 7; ++c) t.Column(c).SetFloat(0, row[c]);
  form.FormActivate();
  form.DataEdit(4)->setText(QStringLiteral("1"));
  form.DataEdit(12)->setText(QStringLiteral("2"));
  form.DataEdit(13)->setText(QStringLiteral("1"));
  int opened = 0;
  comp::setEditorLauncher([&](comp::TGridTable&, bool) { ++opened; });
  form.Button1Click();
  EXPECT_EQ(opened, 1);
  comp::setEditorLauncher({});
  form.findChild<QPushButton*>("Button2")->click();
  ASSERT_TRUE(form.Calculated());
  EXPECT_TRUE(near_rel(form.DataEdit(5)->Number(), 6, 1e-12, 1));
  EXPECT_TRUE(near_rel(form.DataEdit(6)->Number(), 12.5L, 1e-12, 1));
  EXPECT_TRUE(near_rel(form.DataEdit(7)->Number(), 10, 1e-12, 1));
  EXPECT_TRUE(near_rel(form.DataEdit(8)->Number(), 6.5L, 1e-12, 1));
  ASSERT_TRUE(form.FormDeactivate());
  EXPECT_TRUE(near_rel(main.Project().BaseX, 0, 1e-12, 1));
  EXPECT_TRUE(near_rel(main.Project().BaseY, 0, 1e-12, 1));
  EXPECT_TRUE(near_rel(main.Project().BaseZ, 2, 1e-12, 1));
  EXPECT_TRUE(near_rel(main.Project().CGLocalZ, 3, 1e-12, 1));
}

}  // namespace
}  // namespace zrv::test
