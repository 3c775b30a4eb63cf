// The data-form pattern: activation loads and clamps, an edit marks the
// project modified, deactivation stores (integer fields rounded), and an
// invalid entry in the focused box keeps the form open and stores nothing.
#include "forms/TDataForm.h"

#include <QGridLayout>
#include <gtest/gtest.h>

#include "formsa_fake_main.h"
#include "formsa_form_support.h"
#include "forms/FieldBinding.h"

namespace zrv::test {
namespace {

using front::TEditRange;


// A form with one int32-range real box and one integer box.
class TfrmProbe : public front::TFieldForm {
public:
  explicit TfrmProbe(front::IMainForm& main) : TFieldForm(main) {
    auto* grid = new QGridLayout(this);
    bind(front::bindReal(front::addEdit(this, grid, 0, {1, QStringLiteral("Radius"), QStringLiteral("L2"),
                                                        TEditRange::Int32}),
                         &TProjectFields::Radius));
    bind(front::bindInteger(front::addEdit(this, grid, 1, {2, QStringLiteral("Points"), {}}),
                            &TProjectFields::PointCount));
  }
};

class DataFormTest : public ::testing::Test {
protected:
  void SetUp() override { recordedMessages().clear(); }
  void TearDown() override {
    delete form.data();
    flushDeletes();
  }
  FakeMain main;
  QPointer<TfrmProbe> form = new TfrmProbe(main);
};

TEST_F(DataFormTest, ActivationLoadsUnitsAndValuesWithoutMarkingModified) {
  main.Project().Radius = 2.5;
  main.Project().PointCount = 7;
  form->FormActivate();
  EXPECT_EQ(form->DataEdit(1)->text(), "2.5");
  EXPECT_EQ(form->DataEdit(2)->text(), "7");
  EXPECT_EQ(labelOf(form->DataEdit(1)), "Radius (m)");
  EXPECT_EQ(labelOf(form->DataEdit(2)), "Points");
  EXPECT_FALSE(main.IsModified());

  main.Project().UnitSystem = 1;
  form->FormActivate();
  EXPECT_EQ(labelOf(form->DataEdit(1)), "Radius (ft)");
  EXPECT_FALSE(main.IsModified());
}

TEST_F(DataFormTest, ActivationClampsAndTheClampIsAChange) {
  main.Project().Radius = 5e12;
  form->FormActivate();
  EXPECT_EQ(form->DataEdit(1)->text(), "2147483647");
  EXPECT_TRUE(main.IsModified());
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(main.Project().Radius, 2147483647.0L);
  EXPECT_TRUE(recordedMessages().empty());
}

TEST_F(DataFormTest, EditMarksModified) {
  form->FormActivate();
  ASSERT_FALSE(main.IsModified());
  form->DataEdit(1)->setText(QStringLiteral("4"));
  EXPECT_TRUE(main.IsModified());
  EXPECT_EQ(main.Project().Radius, 0) << "stored only at deactivation";
}

TEST_F(DataFormTest, DeactivationStoresAndRoundsIntegerFields) {
  form->FormActivate();
  form->DataEdit(1)->setText(QStringLiteral("3*1.5"));
  form->DataEdit(2)->setText(QStringLiteral("2.5"));
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(main.Project().Radius, 4.5L);
  EXPECT_EQ(main.Project().PointCount, 3);
  form->DataEdit(2)->setText(QStringLiteral("-2.4"));
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(main.Project().PointCount, -2);
  form->DataEdit(2)->setText(QStringLiteral("1e30"));
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(main.Project().PointCount, 2147483647);
}

TEST_F(DataFormTest, InvalidFocusedEntryRefusesDeactivationAndClose) {
  main.Project().Radius = 1;
  form->FormActivate();
  focusIn(form, form->DataEdit(1));
  ASSERT_EQ(form->focusWidget(), form->DataEdit(1));
  recordedMessages().clear();
  form->DataEdit(1)->setText(QStringLiteral("3e10"));
  form->DataEdit(2)->setText(QStringLiteral("9"));

  EXPECT_FALSE(form->FormDeactivate());
  ASSERT_EQ(recordedMessages().size(), 1u);
  EXPECT_EQ(recordedMessages()[0].text, "Entry must be less than or equal to 2147483647");
  EXPECT_EQ(main.Project().Radius, 1) << "nothing stored";
  EXPECT_EQ(main.Project().PointCount, 0) << "nothing stored";

  // The box now holds its maximum but stays invalid until its check passes:
  // an entry that does not evaluate also refuses the close.
  form->DataEdit(1)->setText(QStringLiteral("2+"));
  recordedMessages().clear();
  EXPECT_FALSE(form->close());
  flushDeletes();
  ASSERT_FALSE(form.isNull()) << "the form stays open";
  ASSERT_EQ(recordedMessages().size(), 1u);
  EXPECT_TRUE(recordedMessages()[0].text.startsWith("Entry could not be evaluated:\r"));
  EXPECT_EQ(main.Project().Radius, 1);

  form->DataEdit(1)->setText(QStringLiteral("6"));
  EXPECT_TRUE(form->close());
  flushDeletes();
  EXPECT_TRUE(form.isNull()) << "closing frees the form";
  EXPECT_EQ(main.Project().Radius, 6);
  EXPECT_EQ(main.Project().PointCount, 9);
}

TEST_F(DataFormTest, InvalidEntryOutsideTheFocusedBoxDoesNotBlock) {
  form->FormActivate();
  focusIn(form, form->DataEdit(2));
  main.Project().Radius = 8;
  // Only the focused box is checked; a box whose text does not evaluate
  // keeps its field.
  form->DataEdit(1)->blockSignals(true);
  form->DataEdit(1)->setText(QStringLiteral("x+"));
  form->DataEdit(1)->blockSignals(false);
  form->DataEdit(2)->setText(QStringLiteral("4"));
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(main.Project().Radius, 8);
  EXPECT_EQ(main.Project().PointCount, 4);
}

}  // namespace
}  // namespace zrv::test
