// The numeric edit box: its exit check and messages, bounds, unit label,
// value format and key handling, in the widget and in the plain check.
#include "dataedit/TDataEdit.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

#include "base/numbers.h"
#include "dataedit/EntryCheck.h"
#include "qt_test_support.h"

namespace zrv::comp {
namespace {

using test::takeMessages;

TEST(EntryCheck, AcceptsExpressionsAndIntegralValues) {
  TEntryCheck c = CheckEntry("2+3*4", false, -kMaxExtended, kMaxExtended);
  EXPECT_EQ(c.fault, TEntryFault::None);
  EXPECT_EQ(c.value, 14.0L);
  c = CheckEntry("2.0", true, 0, 10);
  EXPECT_EQ(c.fault, TEntryFault::None);
  EXPECT_EQ(c.value, 2.0L);
  // The bounds themselves are accepted.
  EXPECT_EQ(CheckEntry("0", false, 0, 1).fault, TEntryFault::None);
  EXPECT_EQ(CheckEntry("1", false, 0, 1).fault, TEntryFault::None);
}

TEST(EntryCheck, FaultsAndTheirMessages) {
  TEntryCheck c = CheckEntry("", false, 0, 1);
  EXPECT_EQ(c.fault, TEntryFault::Assign);
  EXPECT_EQ(EntryFaultMessage(c, false, ""), "Entry could not be evaluated:\rentry cannot be blank");
  EXPECT_EQ(EntryFaultMessage(c, true, ""), "Entry must be a valid integer.");

  c = CheckEntry("2.5", true, 0, 10);
  EXPECT_EQ(c.fault, TEntryFault::Integer);
  EXPECT_EQ(EntryFaultMessage(c, true, ""), "Entry must be an integer.");

  c = CheckEntry("-3", false, 0, 10);
  EXPECT_EQ(c.fault, TEntryFault::Min);
  EXPECT_EQ(c.value, 0.0L);
  EXPECT_EQ(EntryFaultMessage(c, false, "0"), "Entry must be greater than or equal to 0");

  c = CheckEntry("11", false, 0, 10);
  EXPECT_EQ(c.fault, TEntryFault::Max);
  EXPECT_EQ(c.value, 10.0L);
  EXPECT_EQ(EntryFaultMessage(c, false, "10"), "Entry must be less than or equal to 10");

  // An infinity and a NaN fail the upper bound even when it is open.
  EXPECT_EQ(CheckEntry("1/0", false, -kMaxExtended, kMaxExtended).fault, TEntryFault::Max);
  EXPECT_EQ(CheckEntry("0/0", false, -kMaxExtended, kMaxExtended).fault, TEntryFault::Max);

  // A remainder by zero is refused with its own message, not raised.
  c = CheckEntry("7%0", false, -kMaxExtended, kMaxExtended);
  EXPECT_EQ(c.fault, TEntryFault::Other);
  EXPECT_EQ(EntryFaultMessage(c, false, ""), "Division by zero");
}

TEST(TDataEdit, UnitsAreClampedAndExpandedInTheLabel) {
  TDataEdit e;
  QLabel label;
  e.SetEditLabel(&label);
  EXPECT_EQ(label.buddy(), &e);
  e.SetCaption("Mass moment");
  EXPECT_EQ(label.text(), "Mass moment");
  e.SetUnitsString("F6-L2^2");
  EXPECT_EQ(label.text(), "Mass moment (slug-ft^2)");
  e.SetUnits(2);
  EXPECT_EQ(label.text(), "Mass moment (Mg-m^2)");
  e.SetUnits(7);
  EXPECT_EQ(e.Units(), 3);
  EXPECT_EQ(label.text(), "Mass moment (F6-L2^2)");
  e.SetUnits(0);
  EXPECT_EQ(e.Units(), 1);
  e.SetUnits(-4);
  EXPECT_EQ(e.Units(), 1);
  EXPECT_EQ(e.ExpandUnits(), "slug-ft^2");

  e.setEnabled(false);
  EXPECT_FALSE(label.isEnabled());
  e.setEnabled(true);
  EXPECT_TRUE(label.isEnabled());
}

TEST(TDataEdit, ForgetsADeletedLabel) {
  TDataEdit e;
  auto label = std::make_unique<QLabel>();
  e.SetEditLabel(label.get());
  label.reset();
  EXPECT_EQ(e.EditLabel(), nullptr);
  e.SetCaption("Still alive");  // no label left to update
  e.setEnabled(false);
}

TEST(TDataEdit, ValueFormat) {
  TDataEdit e;
  e.SetNumber(2.5L);
  EXPECT_EQ(e.text(), "2.5");
  e.SetNumber(1.0L / 3.0L);
  EXPECT_EQ(e.text(), "0.333333333333333333");
  e.SetNumber(1.5e-7L);
  EXPECT_EQ(e.text(), "1.5E-7");
  e.SetHex(true);
  e.SetNumber(255);
  EXPECT_EQ(e.text(), "$00FF");
  e.SetNumber(70000);
  EXPECT_EQ(e.text(), "$11170");
  EXPECT_EQ(e.Number(), 70000.0L);
  {
    // The user's decimal separator is shown and accepted.
    DecimalSeparatorGuard comma(',');
    e.SetHex(false);
    e.SetNumber(2.25L);
    EXPECT_EQ(e.text(), "2,25");
    e.setText("1,5*2");
    EXPECT_TRUE(e.IsValid());
    EXPECT_EQ(e.text(), "3");
  }
  EXPECT_TRUE(takeMessages().isEmpty());
}

TEST(TDataEdit, BoundsClampTheValue) {
  TDataEdit e;
  e.SetMinVal(1);
  EXPECT_EQ(e.text(), "1");
  e.SetNumber(50);
  e.SetMaxVal(20);
  EXPECT_EQ(e.text(), "20");
  // A bound is kept on its side of the other one.
  e.SetMaxVal(-5);
  EXPECT_EQ(e.MaxVal(), 1.0L);
  e.SetMaxVal(20);
  e.SetMinVal(30);
  EXPECT_EQ(e.MinVal(), 20.0L);
  e.SetMinVal(1);
  e.SetNumber(100);
  EXPECT_EQ(e.text(), "20");
  e.SetNumber(-100);
  EXPECT_EQ(e.text(), "1");
  // An entry that does not evaluate is left for the exit check.
  e.setText("abc");
  EXPECT_NO_THROW(e.SetMaxVal(10));
  EXPECT_NO_THROW(e.SetMinVal(2));
  EXPECT_EQ(e.text(), "abc");
}

TEST(TDataEdit, IntegerOnlyClampsTheBoundsToTheIntegerRange) {
  TDataEdit e;
  EXPECT_EQ(e.text(), "0");
  EXPECT_EQ(e.MaxVal(), 1.18973149535723176E4932L);
  e.SetIntegerOnly(true);
  EXPECT_EQ(e.MaxVal(), 2147483647.0L);
  EXPECT_EQ(e.MinVal(), -2147483648.0L);
  e.SetMaxVal(1e12L);
  EXPECT_EQ(e.MaxVal(), 2147483647.0L);
}

TEST(TDataEdit, ExitCheckMessagesAndNormalisedEntry) {
  takeMessages();
  TDataEdit e;
  e.setText(" 2 * 3 ");
  EXPECT_TRUE(e.IsValid());
  EXPECT_EQ(e.text(), "6");

  e.setText("");
  EXPECT_FALSE(e.IsValid());
  EXPECT_EQ(takeMessages(), QStringList{"Entry could not be evaluated:\rentry cannot be blank"});
  EXPECT_EQ(e.text(), "");

  e.SetIntegerOnly(true);
  EXPECT_FALSE(e.IsValid());
  EXPECT_EQ(takeMessages(), QStringList{"Entry must be a valid integer."});
  e.setText("2.5");
  EXPECT_FALSE(e.IsValid());
  EXPECT_EQ(takeMessages(), QStringList{"Entry must be an integer."});
  EXPECT_EQ(e.text(), "2.5");
  e.setText("2.0");
  EXPECT_TRUE(e.IsValid());
  EXPECT_EQ(e.text(), "2");

  e.SetIntegerOnly(false);
  e.SetMinVal(0);
  e.SetMaxVal(12.5L);
  e.setText("-3");
  EXPECT_FALSE(e.IsValid());
  EXPECT_EQ(e.text(), "0");
  EXPECT_EQ(takeMessages(), QStringList{"Entry must be greater than or equal to 0"});
  e.setText("13");
  EXPECT_FALSE(e.IsValid());
  EXPECT_EQ(e.text(), "12.5");
  EXPECT_EQ(takeMessages(), QStringList{"Entry must be less than or equal to 12.5"});
  // The next check of the replaced entry succeeds.
  EXPECT_TRUE(e.IsValid());

  e.setText("5%0");
  EXPECT_FALSE(e.IsValid());
  EXPECT_EQ(takeMessages(), QStringList{"Division by zero"});
}

// A shown window with two boxes, the first focused.
struct TwoBoxes {
  QWidget window;
  TDataEdit* first = new TDataEdit(&window);
  TDataEdit* second = new TDataEdit(&window);
  TwoBoxes() {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus(Qt::OtherFocusReason);
  }
};

TEST(TDataEdit, LeavingARefusedEntryTakesTheFocusBack) {
  takeMessages();
  TwoBoxes w;
  ASSERT_TRUE(w.first->hasFocus());
  w.first->setText("1+");
  w.second->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(takeMessages(), QStringList{"Entry could not be evaluated:\rinvalid expression"});
  EXPECT_TRUE(w.first->hasFocus());

  w.first->setText("4/2");
  w.second->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(takeMessages().isEmpty());
  EXPECT_TRUE(w.second->hasFocus());
  EXPECT_EQ(w.first->text(), "2");
}

TEST(TDataEdit, EnterChecksAndSelectsAndAnOperatorExtendsTheEntry) {
  takeMessages();
  TwoBoxes w;
  w.first->SetNumber(3.5L);
  w.first->selectAll();
  QTest::keyClicks(w.first, "*2");
  EXPECT_EQ(w.first->text(), "3.5*2");

  QSignalSpy returned(w.first, &QLineEdit::returnPressed);
  QTest::keyClick(w.first, Qt::Key_Return);
  EXPECT_EQ(w.first->text(), "7");
  EXPECT_EQ(w.first->selectedText(), "7");
  EXPECT_EQ(returned.count(), 0);

  // Any other key replaces the selected entry.
  QTest::keyClicks(w.first, "9");
  EXPECT_EQ(w.first->text(), "9");
  // A partly selected entry is not extended.
  w.first->setText("123");
  w.first->setSelection(0, 2);
  QTest::keyClicks(w.first, "-");
  EXPECT_EQ(w.first->text(), "-3");
  EXPECT_TRUE(takeMessages().isEmpty());
}

TEST(TDataEdit, AWrittenValueShowsFromItsFirstDigit) {
  // A box narrower than its value: the caret, and with it the visible part,
  // stands at the first digit of every value the box writes.
  takeMessages();
  TwoBoxes w;
  TDataEdit& e = *w.first;
  e.setFixedWidth(40);
  e.SetNumber(4726.49501661129568L);
  ASSERT_TRUE(e.text().startsWith("4726.495"));
  ASSERT_GT(e.fontMetrics().horizontalAdvance(e.text()), e.width());
  EXPECT_EQ(e.cursorPosition(), 0);
  // The normalised form of an accepted entry.
  e.setText("1/3");
  EXPECT_TRUE(e.IsValid());
  EXPECT_EQ(e.text(), "0.333333333333333333");
  EXPECT_EQ(e.cursorPosition(), 0);
  // Enter selects the whole entry with the caret at its start.
  e.setText("2/3");
  QTest::keyClick(&e, Qt::Key_Return);
  EXPECT_EQ(e.selectedText(), e.text());
  EXPECT_EQ(e.cursorPosition(), 0);
  // A bound that replaces a refused entry.
  e.SetMaxVal(1234.56789012345678L);
  e.setText("1E6");
  EXPECT_FALSE(e.IsValid());
  EXPECT_EQ(takeMessages().size(), 1);
  EXPECT_EQ(e.cursorPosition(), 0);
}

}  // namespace
}  // namespace zrv::comp
