// The combo-box twin of the numeric edit box: named values, its 8-digit
// format, its key filter and the shared exit check.
#include "dataedit/TDataCombo.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "qt_test_support.h"

namespace zrv::comp {
namespace {

using test::takeMessages;

TEST(TDataCombo, ItemsStandForTheirValues) {
  QWidget parent;
  auto* c = new TDataCombo(&parent);
  c->addItems({"Steel", "Concrete"});
  c->SetValues({"29000", "3600/1"});
  c->setEditText("Concrete");
  EXPECT_EQ(c->Number(), 3600.0L);
  c->setEditText("Steel");
  EXPECT_EQ(c->Number(), 29000.0L);
  // Text that names no item is evaluated as it stands.
  c->setEditText("12.5");
  EXPECT_EQ(c->Number(), 12.5L);
  // An item without a value is evaluated as its text, and refused.
  c->addItem("Timber");
  c->setEditText("Timber");
  EXPECT_FALSE(c->IsValid());
  EXPECT_EQ(takeMessages(), QStringList{"Entry could not be evaluated:\rinvalid character(s) in expression"});
}

TEST(TDataCombo, FormatAndBoundMessagesUseEightDigits) {
  takeMessages();
  TDataCombo c;
  c.SetNumber(1.0L / 3.0L);
  EXPECT_EQ(c.currentText(), "0.33333333");
  c.SetIntegerOnly(true);
  c.SetNumber(-7.9L);
  EXPECT_EQ(c.currentText(), "-7");
  EXPECT_EQ(c.MaxVal(), 2147483647.0L);
  c.SetIntegerOnly(false);
  c.SetMaxVal(2.0L / 3.0L);
  c.setEditText("1");
  EXPECT_FALSE(c.IsValid());
  EXPECT_EQ(takeMessages(), QStringList{"Entry must be less than or equal to 0.66666667"});
  EXPECT_EQ(c.currentText(), "0.66666667");
  // An accepted entry is left as typed.
  c.setEditText("0.50");
  EXPECT_TRUE(c.IsValid());
  EXPECT_EQ(c.currentText(), "0.50");
}

TEST(TDataCombo, UnitLabelExpandsForceAndLengthOnly) {
  TDataCombo c;
  QLabel label;
  c.SetEditLabel(&label);
  c.SetCaption("Modulus");
  c.SetUnitsString("F/L^2");
  EXPECT_EQ(label.text(), "Modulus (lbs/in^2)");
  c.SetUnits(2);
  EXPECT_EQ(label.text(), "Modulus (kN/m^2)");
  c.SetUnits(9);
  EXPECT_EQ(c.Units(), 3);
}

TEST(TDataCombo, KeyFilterTakesNumberCharactersOnly) {
  TDataCombo c;
  c.setEditText("");
  QTest::keyClicks(&c, "1e-3*x+2");
  EXPECT_EQ(c.currentText(), "1E-32");
}

}  // namespace
}  // namespace zrv::comp

namespace zrv::comp {
namespace {

TEST(TDataCombo, LeavingARefusedEntryTakesTheFocusBack) {
  takeMessages();
  QWidget window;
  auto* combo = new TDataCombo(&window);
  auto* other = new QLineEdit(&window);
  other->move(0, 40);
  combo->SetMinVal(1);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  combo->setFocus(Qt::OtherFocusReason);
  combo->setEditText("0.5");
  other->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(takeMessages(), QStringList{"Entry must be greater than or equal to 1"});
  EXPECT_EQ(combo->currentText(), "1");
  EXPECT_TRUE(combo->hasFocus());
}

}  // namespace
}  // namespace zrv::comp
