// The loading forms: the load point moved between the centre of gravity and
// the centre of base, the loads moved to the centre of gravity and their
// message, and the harmonic, quadratic, transient and random forms.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "LoadingFormHost.h"
#include "dataedit/TDataEdit.h"
#include "forms/Quadratic.h"
#include "forms/harmonic.h"
#include "forms/random.h"
#include "forms/transient.h"
#include "grid/TTableColumn.h"
#include "project/TProjectTables.h"
#include "qt_test_support.h"

namespace zrv::front {
namespace {

using comp::TDataEdit;
using test::FakeMainForm;
using zrv::test::recordedMessages;

TDataEdit* edit(QWidget& form, int n) { return form.findChild<TDataEdit*>(QStringLiteral("DataEdit%1").arg(n)); }
QString label(QWidget& form, int n) { return edit(form, n)->EditLabel()->text(); }
QRadioButton* radio(QWidget& form, int n) {
  return form.findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(n));
}
QPushButton* button(QWidget& form) { return form.findChild<QPushButton*>(QStringLiteral("Button1")); }

// Centre of base in local coordinates (3, 2, 0.5) and in global ones
// (-0.5, 1, 1.2): the offset is (3.5, 1, -0.7).
void setBase(TProjectFields& f) {
  f.CBLocalX = 3;
  f.CBLocalY = 2;
  f.CBLocalZ = 0.5;
  f.BaseX = -0.5;
  f.BaseY = 1;
  f.BaseZ = 1.2;
}

void expectPoint(const TLoadPoint& p, double x, double y, double z) {
  EXPECT_NEAR(static_cast<double>(p.x), x, 1e-15);
  EXPECT_NEAR(static_cast<double>(p.y), y, 1e-15);
  EXPECT_NEAR(static_cast<double>(p.z), z, 1e-15);
}

TEST(LoadPoint, ConversionBetweenBaseAndCentreOfGravity) {
  TProjectFields f;
  setBase(f);
  // x - 3.5, y - 1, -z + 0.7
  expectPoint(LoadPointToGlobal({4, 3, 2}, f), 0.5, 2, -1.3);
  // x + 3.5, y + 1, -z + 0.7
  expectPoint(LoadPointToLocal({0.5, 2, -1.3}, f), 4, 3, 2);
  // The z rule is its own inverse in both directions.
  expectPoint(LoadPointToGlobal(LoadPointToGlobal({1, 1, 5}, f), f), -6, -1, 5);

  TProjectFields zero;
  EXPECT_EQ(LoadPointToGlobal({1, 2, 3}, zero), (TLoadPoint{1, 2, -3}));
  EXPECT_EQ(LoadPointToLocal({1, 2, 3}, zero), (TLoadPoint{1, 2, -3}));
}

TEST(EquivalentLoads, MomentsOfTheForcesAboutTheCentreOfGravity) {
  TProjectFields f;
  // A push of 10 in X acting 2 off the X axis in Y and 3 below the centre
  // of gravity (Z down): My = -3*10, Mz = +2*10.
  EXPECT_EQ(EquivalentLoadsAtCG({10, 0, 0, 0, 0, 0}, {0, 2, 3}, 0, f), (THarmonicLoads{10, 0, 0, 0, -30, 20}));
  // A vertical load of 5 at (1, 4, z): Mx = -4*5, My = +1*5; added to the
  // moments given.
  EXPECT_EQ(EquivalentLoadsAtCG({0, 0, 5, 1, 2, 3}, {1, 4, 9}, 0, f), (THarmonicLoads{0, 0, 5, -19, 7, 3}));
  // Fy = 2 at (6, 0, -1): Mx = -1*2, Mz = -6*2.
  EXPECT_EQ(EquivalentLoadsAtCG({0, 2, 0, 0, 0, 0}, {6, 0, -1}, 0, f), (THarmonicLoads{0, 2, 0, -2, 0, -12}));

  // Given about the centre of base, the point is first moved: (4, 3, 2)
  // local is (0.5, 2, -1.3) global; Fx = 10 gives My = 13, Mz = 20.
  setBase(f);
  const THarmonicLoads local = EquivalentLoadsAtCG({10, 0, 0, 0, 0, 0}, {4, 3, 2}, 1, f);
  EXPECT_EQ(local.Fx, 10.0L);
  EXPECT_EQ(local.Mx, 0.0L);
  EXPECT_NEAR(static_cast<double>(local.My), 13, 1e-14);
  EXPECT_NEAR(static_cast<double>(local.Mz), 20, 1e-14);

  // Neither reference: the moments stay as entered.
  EXPECT_EQ(EquivalentLoadsAtCG({10, 20, 30, 1, 2, 3}, {4, 3, 2}, 7, f), (THarmonicLoads{10, 20, 30, 1, 2, 3}));
}

TEST(EquivalentLoads, MessageText) {
  EXPECT_EQ(EquivalentLoadsText({10, 0, -2.5, 0, -30, 20}, false, 1),
            "Equivalent Loads.\n\nFx: 10 lbs\nFy: 0 lbs\nFz: -2.5 lbs\nMx: 0 lbs-ft\nMy: -30 lbs-ft\nMz: 20 lbs-ft\n");
  EXPECT_EQ(EquivalentLoadsText({1.0L / 3, 1e20L, 0, 0, 0, 1.5e-7L}, false, 2),
            "Equivalent Loads.\n\nFx: 0.333333333333333 kN\nFy: 1E20 kN\nFz: 0 kN\nMx: 0 kN-m\nMy: 0 kN-m\n"
            "Mz: 1.5E-7 kN-m\n");
  EXPECT_EQ(EquivalentLoadsText({1, 2, 3, 4, 5, 6}, true, 1),
            "Equivalent Coeffs.\n\nFcx: 1 slug-ft\nFcy: 2 slug-ft\nFcz: 3 slug-ft\nMcx: 4 slug-ft^2\n"
            "Mcy: 5 slug-ft^2\nMcz: 6 slug-ft^2\n");
  EXPECT_EQ(EquivalentLoadsText({1, 2, 3, 4, 5, 6}, true, 2),
            "Equivalent Coeffs.\n\nFcx: 1 Mg-m\nFcy: 2 Mg-m\nFcz: 3 Mg-m\nMcx: 4 Mg-m^2\nMcy: 5 Mg-m^2\nMcz: 6 Mg-m^2\n");
}

TEST(Tfrmharmonic, ActivationLoadsValuesCaptionsAndReference) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  p.MaxFrequency = 50;
  p.FrequencyStep = 0.5;
  p.ForceX = 12;
  p.MomentZ = -4;
  p.LoadPointX = 1;
  p.LoadPointZ = -2;
  Tfrmharmonic form(main);
  EXPECT_EQ(form.windowTitle(), "Harmonic Loading Data, NonQuadratic");
  EXPECT_EQ(button(form)->text(), "Equivalent Loads at Center of Gravity");
  EXPECT_FALSE(form.Activated());
  main.SetModified(false);
  form.FormActivate();
  EXPECT_TRUE(form.Activated());
  EXPECT_FALSE(main.IsModified());  // loading is no change
  EXPECT_EQ(edit(form, 1)->text(), "50");
  EXPECT_EQ(edit(form, 3)->text(), "0.5");
  EXPECT_EQ(edit(form, 4)->text(), "12");
  EXPECT_EQ(edit(form, 9)->text(), "-4");
  EXPECT_EQ(edit(form, 12)->text(), "-2");
  EXPECT_TRUE(radio(form, 1)->isChecked());
  EXPECT_FALSE(radio(form, 2)->isChecked());
  EXPECT_EQ(label(form, 1), "Maximum Frequency (Hz)");
  EXPECT_EQ(label(form, 3), "Step frequency (incremental frequency) (Hz)");
  EXPECT_EQ(label(form, 4), "Force in X-direction (kN)");
  EXPECT_EQ(label(form, 7), "Moment about X-axis  (kN-m)");
  EXPECT_EQ(label(form, 10), "X-coordinate (m)");

  // About the centre of base: the point is shown as stored, not converted.
  p.LoadPointReference = 1;
  p.SetUnitSystem(1);
  setBase(p);
  p.LoadPointX = 1;
  form.FormActivate();
  EXPECT_FALSE(radio(form, 1)->isChecked());
  EXPECT_TRUE(radio(form, 2)->isChecked());
  EXPECT_EQ(edit(form, 10)->text(), "1");
  EXPECT_EQ(label(form, 4), "Force in X-direction (lbs)");
  EXPECT_EQ(label(form, 9), "Moment about Z-axis (lbs-ft)");
  EXPECT_EQ(label(form, 10), "x-coordinate (ft)");
  EXPECT_EQ(label(form, 12), "z-coordinate (ft)");

  // A moment beyond its box's range is shown clamped, which changes the project.
  p.MomentY = 3e9;
  main.SetModified(false);
  form.FormActivate();
  EXPECT_EQ(edit(form, 8)->text(), "2147483647");
  EXPECT_TRUE(main.IsModified());
}

TEST(Tfrmharmonic, ReferenceSwitchConvertsThePointBothWays) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  setBase(p);
  p.LoadPointX = 4;
  p.LoadPointY = 3;
  p.LoadPointZ = 2;
  Tfrmharmonic form(main);
  form.FormActivate();
  main.SetModified(false);

  // Global to local: (4 + 3.5, 3 + 1, -2 + 0.7).
  radio(form, 2)->click();
  EXPECT_EQ(edit(form, 10)->text(), "7.5");
  EXPECT_EQ(edit(form, 11)->text(), "4");
  EXPECT_NEAR(static_cast<double>(edit(form, 12)->Number()), -1.3, 1e-15);
  EXPECT_EQ(label(form, 11), "y-coordinate (m)");
  EXPECT_TRUE(main.IsModified());
  EXPECT_EQ(p.LoadPointX, 4.0L);  // nothing stored yet

  // The checked button again: nothing changes.
  radio(form, 2)->click();
  EXPECT_EQ(edit(form, 10)->text(), "7.5");

  radio(form, 1)->click();
  EXPECT_EQ(label(form, 11), "Y-coordinate (m)");
  EXPECT_NEAR(static_cast<double>(edit(form, 10)->Number()), 4, 1e-15);
  EXPECT_NEAR(static_cast<double>(edit(form, 11)->Number()), 3, 1e-15);
  EXPECT_NEAR(static_cast<double>(edit(form, 12)->Number()), 2, 1e-15);

  // With everything at zero only z changes sign.
  p.CBLocalX = p.CBLocalY = p.CBLocalZ = p.BaseX = p.BaseY = p.BaseZ = 0;
  radio(form, 2)->click();
  EXPECT_NEAR(static_cast<double>(edit(form, 10)->Number()), 4, 1e-15);
  EXPECT_NEAR(static_cast<double>(edit(form, 12)->Number()), -2, 1e-15);
  form.FormDeactivate();
  EXPECT_EQ(p.LoadPointReference, 1);
  EXPECT_NEAR(static_cast<double>(p.LoadPointZ), -2, 1e-15);
}

TEST(Tfrmharmonic, UnreadablePointKeepsTheReference) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  setBase(p);
  Tfrmharmonic form(main);
  form.FormActivate();
  recordedMessages().clear();
  edit(form, 11)->setText("2*(");
  radio(form, 2)->click();
  ASSERT_EQ(recordedMessages().size(), 1u);
  EXPECT_EQ(recordedMessages()[0].kind, comp::TMsgKind::Error);
  EXPECT_TRUE(recordedMessages()[0].text.startsWith("Entry could not be evaluated:"));
  EXPECT_TRUE(radio(form, 1)->isChecked());
  EXPECT_FALSE(radio(form, 2)->isChecked());
  EXPECT_EQ(label(form, 10), "X-coordinate (m)");
  EXPECT_EQ(edit(form, 10)->text(), "0");

  // Nor does the equivalent-load button show anything but the error.
  button(form)->click();
  ASSERT_EQ(recordedMessages().size(), 2u);
  EXPECT_EQ(recordedMessages()[1].kind, comp::TMsgKind::Error);
}

TEST(Tfrmharmonic, UnknownReferenceLeavesBothButtonsClear) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  p.LoadPointReference = 5;
  p.ForceX = 10;
  p.MomentY = 7;
  p.LoadPointZ = 3;
  Tfrmharmonic form(main);
  form.FormActivate();
  EXPECT_FALSE(radio(form, 1)->isChecked());
  EXPECT_FALSE(radio(form, 2)->isChecked());
  EXPECT_EQ(label(form, 12), "Z-coordinate (m)");

  recordedMessages().clear();
  button(form)->click();
  ASSERT_EQ(recordedMessages().size(), 1u);
  EXPECT_EQ(recordedMessages()[0].kind, comp::TMsgKind::Information);
  EXPECT_EQ(recordedMessages()[0].text,
            "Equivalent Loads.\n\nFx: 10 kN\nFy: 0 kN\nFz: 0 kN\nMx: 0 kN-m\nMy: 7 kN-m\nMz: 0 kN-m\n");

  form.FormDeactivate();
  EXPECT_EQ(p.LoadPointReference, 5);
}

TEST(Tfrmharmonic, EquivalentLoadsUseTheBoxesAsTheyStand) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  Tfrmharmonic form(main);
  form.FormActivate();
  edit(form, 4)->setText("10");
  edit(form, 11)->setText("2");
  edit(form, 12)->setText("1+2");
  recordedMessages().clear();
  button(form)->click();
  ASSERT_EQ(recordedMessages().size(), 1u);
  EXPECT_EQ(recordedMessages()[0].text,
            "Equivalent Loads.\n\nFx: 10 kN\nFy: 0 kN\nFz: 0 kN\nMx: 0 kN-m\nMy: -30 kN-m\nMz: 20 kN-m\n");
  EXPECT_EQ(p.ForceX, 0.0L);
  EXPECT_EQ(p.LoadPointZ, 0.0L);
}

TEST(Tfrmharmonic, MomentLimitsAndStoring) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  Tfrmharmonic form(main);
  form.FormActivate();
  recordedMessages().clear();
  edit(form, 7)->setText("3000000000");
  EXPECT_TRUE(edit(form, 7)->IsValid());
  edit(form, 8)->setText("3000000000");
  EXPECT_FALSE(edit(form, 8)->IsValid());
  edit(form, 9)->setText("-3000000000");
  EXPECT_FALSE(edit(form, 9)->IsValid());
  ASSERT_EQ(recordedMessages().size(), 2u);
  EXPECT_EQ(recordedMessages()[0].text, "Entry must be less than or equal to 2147483647");
  EXPECT_EQ(recordedMessages()[1].text, "Entry must be greater than or equal to -2147483648");

  edit(form, 2)->setText("2.5");
  form.FormDeactivate();
  EXPECT_EQ(p.MinFrequency, 2.5L);
  EXPECT_EQ(p.MomentX, 3000000000.0L);
  EXPECT_EQ(p.MomentY, 2147483647.0L);
  EXPECT_EQ(p.MomentZ, -2147483648.0L);
  EXPECT_EQ(p.LoadPointReference, 0);
}

TEST(TfrmQuad, CaptionsUnitsAndModifiedFlag) {
  FakeMainForm main;
  main.Project().SetUnitSystem(1);
  TfrmQuad form(main);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), "Harmonic Loading Data, Quadratic");
  EXPECT_EQ(button(form)->text(), "Equivalent Coefs. at Center of Gravity");
  form.FormActivate();
  EXPECT_EQ(label(form, 2), "Minimum Frequency (Hz)");
  EXPECT_EQ(label(form, 5), "Force Coefficient in Y-direction (slug-ft)");
  EXPECT_EQ(label(form, 7), "Moment Coefficient about X-axis  (slug-ft^2)");
  EXPECT_EQ(label(form, 12), "Z-coordinate (ft)");

  main.SetModified(false);
  edit(form, 4)->setText("3");
  EXPECT_TRUE(main.IsModified());

  recordedMessages().clear();
  edit(form, 12)->setText("-1");
  button(form)->click();
  ASSERT_EQ(recordedMessages().size(), 1u);
  // Fcx = 3 at Z = -1 (above the centre of gravity): Mcy = +3.
  EXPECT_EQ(recordedMessages()[0].text,
            "Equivalent Coeffs.\n\nFcx: 3 slug-ft\nFcy: 0 slug-ft\nFcz: 0 slug-ft\nMcx: 0 slug-ft^2\n"
            "Mcy: 3 slug-ft^2\nMcz: 0 slug-ft^2\n");
}

TEST(TfrmQuad, SharesTheLoadPointWithTheHarmonicForm) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  setBase(p);
  p.LoadPointX = 1;
  Tfrmharmonic harmonic(main);
  TfrmQuad quad(main);
  harmonic.FormActivate();
  quad.FormActivate();
  radio(harmonic, 2)->click();
  harmonic.FormDeactivate();
  EXPECT_EQ(p.LoadPointReference, 1);
  EXPECT_EQ(p.LoadPointX, 4.5L);

  quad.FormActivate();
  EXPECT_TRUE(radio(quad, 2)->isChecked());
  EXPECT_EQ(edit(quad, 10)->text(), "4.5");
  EXPECT_EQ(label(quad, 10), "x-coordinate (m)");
}

TEST(TfrmQuad, ARefusedDeactivationStoresNothingAndKeepsTheEntry) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  p.MaxFrequency = 25;
  TfrmQuad quad(main);
  quad.show();
  quad.FormActivate();
  EXPECT_EQ(edit(quad, 1)->text(), "25");
  edit(quad, 2)->setText("5");
  EXPECT_TRUE(quad.FormDeactivate());
  EXPECT_EQ(p.MinFrequency, 5.0L);

  TDataEdit* step = edit(quad, 3);
  step->setFocus();
  step->setText("0.5+");
  edit(quad, 2)->setText("6");
  recordedMessages().clear();
  EXPECT_FALSE(quad.FormDeactivate());
  EXPECT_FALSE(recordedMessages().empty());
  EXPECT_EQ(p.FrequencyStep, 0.0L);
  EXPECT_EQ(p.MinFrequency, 5.0L);
  EXPECT_EQ(step->text(), "0.5+");
  quad.hide();
}

TEST(Tfrmtransient, LoadsStoresAndOpensTheLoadTable) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  p.PointCount = 256;
  p.TimeStep = 0.005L;
  p.LoadTypeCount = 2;
  Tfrmtransient form(main);
  EXPECT_EQ(form.windowTitle(), "Transient Loading Data");
  form.FormActivate();
  EXPECT_EQ(label(form, 1), "Number of points ");
  EXPECT_EQ(label(form, 2), "Time interval between points");
  EXPECT_EQ(edit(form, 1)->text(), "256");
  EXPECT_EQ(edit(form, 2)->text(), "0.005");

  EXPECT_TRUE(edit(form, 1)->IntegerOnly());
  EXPECT_FALSE(edit(form, 2)->IntegerOnly());
  edit(form, 1)->setText("2^9");
  edit(form, 2)->setText("0.01");
  edit(form, 3)->setText("3");
  form.FormDeactivate();
  EXPECT_EQ(p.PointCount, 512);
  EXPECT_EQ(p.TimeStep, 0.01L);
  EXPECT_EQ(p.LoadTypeCount, 3);

  test::EditorRecorder editor;
  button(form)->click();
  ASSERT_EQ(editor.openings.size(), 1u);
  EXPECT_EQ(editor.openings[0].caption, "Transient Loading Data");
  EXPECT_FALSE(editor.openings[0].modal);
}

TEST(Tfrmrandom, LoadsStoresAndOpensTheSpectrumTable) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  p.RandomMaxFrequency = 40;
  p.RandomMinFrequency = 1;
  p.PointCount = 64;
  p.ObservationPeriod = 20;
  p.LoadTypeCount = 0;  // below the box's minimum of 1
  Tfrmrandom form(main);
  EXPECT_EQ(form.windowTitle(), "Tansient Loading Data");
  EXPECT_EQ(edit(form, 5)->text(), "1");
  form.FormActivate();
  EXPECT_EQ(label(form, 1), "Maximum frequency (Hz)");
  EXPECT_EQ(label(form, 3), "Number of points to be read");
  EXPECT_EQ(label(form, 5), "Number of spectrum");
  EXPECT_EQ(edit(form, 1)->text(), "40");
  EXPECT_EQ(edit(form, 3)->text(), "64");
  EXPECT_EQ(edit(form, 5)->text(), "1");

  recordedMessages().clear();
  edit(form, 5)->setText("0");
  EXPECT_FALSE(edit(form, 5)->IsValid());
  edit(form, 3)->setText("-4");
  EXPECT_TRUE(edit(form, 3)->IsValid());
  ASSERT_EQ(recordedMessages().size(), 1u);
  EXPECT_EQ(recordedMessages()[0].text, "Entry must be greater than or equal to 1");
  edit(form, 4)->setText("12.5");
  form.FormDeactivate();
  EXPECT_EQ(p.LoadTypeCount, 1);
  EXPECT_EQ(p.PointCount, -4);
  EXPECT_EQ(p.ObservationPeriod, 12.5L);
  EXPECT_EQ(p.RandomMaxFrequency, 40.0L);

  test::EditorRecorder editor;
  button(form)->click();
  ASSERT_EQ(editor.openings.size(), 1u);
  EXPECT_EQ(editor.openings[0].caption, "Random Loading data");
  EXPECT_FALSE(editor.openings[0].modal);
}

// Stands for the table editor: the table counts as being edited while it lives.
class EditingTable : public comp::TTableEditor {
public:
  explicit EditingTable(comp::TGridTable& t) : m_table(t) { t.setEditor(this); }
  ~EditingTable() override { m_table.setEditor(nullptr); }
  void cellChanged(int, int) override {}
  void rowsChanged() override {}
  void rowNumberChanged() override {}
  bool isModal() const override { return false; }
  void closeEditor() override {}

private:
  comp::TGridTable& m_table;
};

// The load histories and spectra follow the number of points: the rows
// entered keep their values, new rows hold 0, and a row added in the editor
// starts with as many points.
template <class Form>
void expectHistoriesFollowThePointCount(comp::TGridTable& (TProjectTables::*table)() const, int pointsBox) {
  FakeMainForm main;
  comp::TGridTable& loads = (main.Tables().*table)();
  Form form(main);
  form.FormActivate();
  auto history = [&](int row) -> comp::TGridTable& { return loads.firstTableColumn()->GetTable(row); };
  ASSERT_EQ(history(0).RowCount(), 1);
  history(0).Column(0).SetFloat(0, 2.5L);
  edit(form, pointsBox)->setText("64");
  form.FormDeactivate();
  EXPECT_EQ(history(0).RowCount(), 64);
  EXPECT_EQ(history(0).Column(0).GetFloat(0), 2.5L);
  EXPECT_EQ(history(0).Column(0).GetFloat(63), 0.0L);
  edit(form, pointsBox)->setText("1E9");  // beyond what the analysis takes: nothing is resized
  form.FormDeactivate();
  EXPECT_EQ(history(0).RowCount(), 64);
  edit(form, pointsBox)->setText("8");
  form.FormDeactivate();
  EXPECT_EQ(history(0).RowCount(), 8);
  EXPECT_EQ(history(0).Column(0).GetFloat(0), 2.5L);

  EditingTable editing(loads);
  loads.addRowGroup();
  EXPECT_EQ(history(1).RowCount(), 8);
  loads.Column(0).SetInteger(1, 3);  // another load type makes a new history
  EXPECT_EQ(history(1).RowCount(), 8);
}

TEST(LoadHistories, FollowTheNumberOfPoints) {
  expectHistoriesFollowThePointCount<Tfrmtransient>(&TProjectTables::TLoadtype, 1);
  expectHistoriesFollowThePointCount<Tfrmrandom>(&TProjectTables::Trandom, 3);
}

// The rows of the load table follow the number of loads or spectra on the
// form, as the histories follow the number of points: the rows kept keep
// their values and new rows get as many points. Rows added in the table
// editor are the number the form shows next, so storing it drops none.
template <class Form>
void expectRowsFollowTheCount(comp::TGridTable& (TProjectTables::*table)() const, int pointsBox, int countBox) {
  FakeMainForm main;
  comp::TGridTable& loads = (main.Tables().*table)();
  Form form(main);
  form.FormActivate();
  ASSERT_EQ(loads.RowCount(), 1);
  EXPECT_EQ(edit(form, countBox)->text(), "1");
  loads.Column(0).SetInteger(0, 3);
  edit(form, pointsBox)->setText("8");
  edit(form, countBox)->setText("2");
  main.SetModified(false);
  form.FormDeactivate();
  ASSERT_EQ(loads.RowCount(), 2);
  EXPECT_TRUE(main.IsModified());
  EXPECT_EQ(loads.Column(0).GetInteger(0), 3);
  EXPECT_EQ(loads.firstTableColumn()->GetTable(1).RowCount(), 8);
  edit(form, countBox)->setText("1E9");  // beyond any use: nothing is resized
  form.FormDeactivate();
  EXPECT_EQ(loads.RowCount(), 2);

  {
    EditingTable editing(loads);
    loads.addRowGroup();
  }
  form.FormActivate();
  EXPECT_EQ(edit(form, countBox)->text(), "3");
  form.FormDeactivate();
  EXPECT_EQ(loads.RowCount(), 3);
  edit(form, countBox)->setText("1");
  form.FormDeactivate();
  ASSERT_EQ(loads.RowCount(), 1);
  EXPECT_EQ(loads.Column(0).GetInteger(0), 3);
}

TEST(LoadRows, FollowTheNumberOfLoads) {
  expectRowsFollowTheCount<Tfrmtransient>(&TProjectTables::TLoadtype, 1, 3);
  expectRowsFollowTheCount<Tfrmrandom>(&TProjectTables::Trandom, 3, 5);
}

}  // namespace
}  // namespace zrv::front
