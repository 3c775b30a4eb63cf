// The pile properties form: the three pile choices (text and code), the ten
// boxes, and what reaches the project when.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "LoadingFormHost.h"
#include "dataedit/TDataEdit.h"
#include "forms/cPileProperties.h"
#include "qt_test_support.h"

namespace zrv::front {
namespace {

using comp::TDataEdit;
using test::FakeMainForm;

TDataEdit* edit(QWidget& form, int n) { return form.findChild<TDataEdit*>(QStringLiteral("DataEdit%1").arg(n)); }
QComboBox* combo(QWidget& form, int n) { return form.findChild<QComboBox*>(QStringLiteral("ComboBox%1").arg(n)); }
QString label(QWidget& form, int n) { return edit(form, n)->EditLabel()->text(); }

TEST(PileChoices, CodesAndTextsMatchExactly) {
  EXPECT_EQ(PileChoiceCode(TPileChoice::PileHead, "FIXED"), 1);
  EXPECT_EQ(PileChoiceCode(TPileChoice::PileHead, "PINNED"), 0);
  EXPECT_EQ(PileChoiceCode(TPileChoice::TipType, "Floating Piles"), 0);
  EXPECT_EQ(PileChoiceCode(TPileChoice::TipType, "End-Bearing Piles"), 1);
  EXPECT_EQ(PileChoiceCode(TPileChoice::Interaction, "Yes"), 1);
  EXPECT_EQ(PileChoiceCode(TPileChoice::Interaction, "No"), 0);
  // Case, blanks and the other choice's items do not match.
  EXPECT_EQ(PileChoiceCode(TPileChoice::PileHead, "fixed"), std::nullopt);
  EXPECT_EQ(PileChoiceCode(TPileChoice::PileHead, "Fixed"), std::nullopt);
  EXPECT_EQ(PileChoiceCode(TPileChoice::TipType, "Floating Piles "), std::nullopt);
  EXPECT_EQ(PileChoiceCode(TPileChoice::Interaction, "FIXED"), std::nullopt);

  EXPECT_EQ(PileChoiceText(TPileChoice::PileHead, 0), "PINNED");
  EXPECT_EQ(PileChoiceText(TPileChoice::TipType, 1), "End-Bearing Piles");
  EXPECT_EQ(PileChoiceText(TPileChoice::Interaction, 0), "No");
  EXPECT_EQ(PileChoiceText(TPileChoice::Interaction, 2), std::nullopt);
}

TEST(PileChoices, TextsFollowCodesAndCodesFollowTexts) {
  TProjectFields f;
  f.PileHeadFixed = 0;
  f.EndBearing = 7;  // no text: the old one stays
  f.PileInteraction = 1;
  f.TipTypeText = "old";
  AlignPileChoiceTexts(f);
  EXPECT_EQ(f.PileHeadText, "PINNED");
  EXPECT_EQ(f.TipTypeText, "old");
  EXPECT_EQ(f.InteractionText, "Yes");

  f.PileHeadText = "FIXED";
  f.TipTypeText = "End-Bearing Piles";
  f.InteractionText = "yes";  // matches neither: the code stays
  ApplyPileChoiceTexts(f);
  EXPECT_EQ(f.PileHeadFixed, 1);
  EXPECT_EQ(f.EndBearing, 1);
  EXPECT_EQ(f.PileInteraction, 1);
}

TEST(TfrmCPileProperties, NewProjectShowsDefaultsAndUnitLabels) {
  FakeMainForm main;
  TfrmCPileProperties form(main);
  EXPECT_EQ(form.windowTitle(), "Pile Properties");
  form.FormActivate();
  EXPECT_EQ(combo(form, 1)->currentText(), "FIXED");
  EXPECT_EQ(combo(form, 2)->currentText(), "Floating Piles");
  EXPECT_EQ(combo(form, 3)->currentText(), "Yes");
  EXPECT_EQ(main.Project().PileHeadText, "FIXED");
  EXPECT_EQ(main.Project().InteractionText, "Yes");

  // A new project is SI.
  EXPECT_EQ(label(form, 1), "X Coordinate (Xc)  (m)");
  EXPECT_EQ(label(form, 4), "Unit weight of pile (kN/m^3)");
  EXPECT_EQ(label(form, 9), "Cross-sectional coefficient of rigidity for the effect of shear");
  EXPECT_EQ(label(form, 10), "Static load on foundation (kN)");

  main.Project().SetUnitSystem(1);
  form.FormActivate();
  EXPECT_EQ(label(form, 2), "Y Coordinate (Yc) (ft)");
  EXPECT_EQ(label(form, 4), "Unit weight of pile (lbs/ft^3)");
  EXPECT_EQ(label(form, 8), "Total length of pile (ft)");
}

TEST(TfrmCPileProperties, DeactivationStoresBoxesAndCodes) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  p.BaseX = 1.5;
  p.PileModulus = 2.1e7;
  p.PileLength = 3e9;  // beyond the box's int32 range
  p.StaticLoad = -250;
  TfrmCPileProperties form(main);
  form.FormActivate();
  EXPECT_EQ(edit(form, 1)->text(), "1.5");
  EXPECT_EQ(edit(form, 8)->text(), "2147483647");

  edit(form, 6)->setText("0.05*2");
  form.FormDeactivate();
  EXPECT_EQ(p.BaseX, 1.5L);
  EXPECT_EQ(p.PileModulus, 2.1e7L);
  EXPECT_EQ(p.PileLength, 2147483647.0L);  // stored back clamped
  EXPECT_EQ(p.StaticLoad, -250.0L);
  EXPECT_NEAR(static_cast<double>(p.PileDamping), 0.1, 1e-15);
  EXPECT_EQ(p.PileHeadFixed, 1);
  EXPECT_EQ(p.EndBearing, 0);
  EXPECT_EQ(p.PileInteraction, 1);
}

TEST(TfrmCPileProperties, TypedChoiceKeepsCodeUntilTheTextMatches) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  p.PileHeadFixed = 0;
  TfrmCPileProperties form(main);
  form.FormActivate();
  EXPECT_EQ(combo(form, 1)->currentText(), "PINNED");
  main.SetModified(false);

  QLineEdit* line = combo(form, 1)->lineEdit();
  line->selectAll();
  QTest::keyClicks(line, "fixed");
  EXPECT_EQ(p.PileHeadText, "fixed");
  EXPECT_EQ(p.PileHeadFixed, 0);
  EXPECT_TRUE(main.IsModified());
  form.FormDeactivate();
  EXPECT_EQ(p.PileHeadFixed, 0);
  form.FormActivate();
  EXPECT_EQ(combo(form, 1)->currentText(), "PINNED");

  line->selectAll();
  QTest::keyClicks(line, "FIXED");
  EXPECT_EQ(p.PileHeadFixed, 1);  // at once, before any deactivation
}

TEST(TfrmCPileProperties, ChosenItemSetsCodeAtOnce) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  TfrmCPileProperties form(main);
  form.FormActivate();
  main.SetModified(false);
  QComboBox* tip = combo(form, 2);
  tip->setCurrentIndex(1);
  EXPECT_EQ(p.EndBearing, 0);  // a change by the program is no choice
  emit tip->activated(1);
  EXPECT_EQ(p.TipTypeText, "End-Bearing Piles");
  EXPECT_EQ(p.EndBearing, 1);
  EXPECT_TRUE(main.IsModified());

  combo(form, 3)->setCurrentIndex(1);
  form.ComboBox3Change();
  EXPECT_EQ(p.InteractionText, "No");
  EXPECT_EQ(p.PileInteraction, 0);

  // Activation sets the texts without running the handlers.
  main.SetModified(false);
  form.FormActivate();
  EXPECT_FALSE(main.IsModified());
}

TEST(TfrmCPileProperties, StaticLoadBoundAndInvalidFocusedBox) {
  FakeMainForm main;
  TProgramData& p = main.Project();
  auto* form = new TfrmCPileProperties(main);
  form->FormActivate();
  form->show();
  QApplication::setActiveWindow(form);
  zrv::test::recordedMessages().clear();

  TDataEdit* load = edit(*form, 10);
  load->setText("-3e12");
  EXPECT_TRUE(load->IsValid());
  load->setText("3e12");
  EXPECT_FALSE(load->IsValid());
  ASSERT_EQ(zrv::test::recordedMessages().size(), 1u);
  EXPECT_EQ(zrv::test::recordedMessages()[0].text, "Entry must be less than or equal to 2147483647000");
  EXPECT_EQ(load->text(), "2147483647000");

  // An entry that fails while its box has the focus: nothing is stored and
  // the form does not close.
  TDataEdit* x = edit(*form, 1);
  x->setFocus();
  x->setText("1+");
  ASSERT_EQ(form->focusWidget(), x);
  EXPECT_FALSE(form->FormDeactivate());
  EXPECT_EQ(p.StaticLoad, 0.0L);
  EXPECT_FALSE(form->close());
  EXPECT_TRUE(form->isVisible());

  x->setText("2");
  QPointer<QWidget> guard(form);
  EXPECT_TRUE(form->close());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(guard.isNull());
  EXPECT_EQ(p.BaseX, 2.0L);
  EXPECT_EQ(p.StaticLoad, 2147483647000.0L);
}

}  // namespace
}  // namespace zrv::front
