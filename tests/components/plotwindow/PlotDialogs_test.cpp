#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "dataedit/TDataEdit.h"
#include "plotwindow/Caption.h"
#include "plotwindow/ChangeActiveLines.h"
#include "plotwindow/ChangeLineNames.h"
#include "plotwindow/SaveAttb.h"
#include "qt_test_support.h"

using namespace zrv::comp;

namespace {

class PlotDialogs : public ::testing::Test {
protected:
  void SetUp() override { zrv::test::recordedMessages().clear(); }
};

QStringList rows(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

}  // namespace

TEST_F(PlotDialogs, FormatDialogSizesTheBitmap) {
  TdlgFormat dlg;
  EXPECT_EQ(dlg.windowTitle(), "Save Attributes");
  EXPECT_EQ(dlg.Label1->text(), "&Height (in)");
  EXPECT_EQ(dlg.Label2->text(), "&Width (in)");
  EXPECT_EQ(dlg.Label3->text(), "&Pixels Per Inch");
  EXPECT_EQ(dlg.GroupBox1->title(), "Colors");
  EXPECT_TRUE(dlg.rb16->isChecked());
  EXPECT_EQ(dlg.rbTrue->text(), "True Color (24 bit)");
  EXPECT_EQ(dlg.btnOK->text(), "OK");
  EXPECT_EQ(dlg.btnCancel->text(), "Cancel");
  EXPECT_EQ(dlg.deHeight->MinVal(), 2);
  EXPECT_EQ(dlg.deWidth->MinVal(), 2);
  EXPECT_EQ(dlg.dePPI->MinVal(), 10);
  EXPECT_TRUE(dlg.dePPI->IntegerOnly());

  // 4 in by 6 in at 72 dots per inch: 288 high, 432 wide.
  QImage bitmap;
  dlg.SetBitmap(&bitmap);
  dlg.btnOK->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(bitmap.height(), 288);
  EXPECT_EQ(bitmap.width(), 432);

  TdlgFormat other;
  QImage b2;
  other.SetBitmap(&b2);
  other.deHeight->setText("2.5");
  other.deWidth->setText("3");
  other.dePPI->setText("100");
  other.btnOK->click();
  EXPECT_EQ(b2.height(), 250);
  EXPECT_EQ(b2.width(), 300);
}

TEST_F(PlotDialogs, FormatDialogRefusesEntriesAndReportsMemory) {
  TdlgFormat dlg;
  QImage bitmap;
  dlg.SetBitmap(&bitmap);
  dlg.deHeight->setText("1");  // below its minimum of 2
  dlg.btnOK->click();
  EXPECT_NE(dlg.result(), QDialog::Accepted);
  EXPECT_TRUE(bitmap.isNull());
  EXPECT_FALSE(zrv::test::recordedMessages().empty());  // the edit box's own message

  // A bitmap too large for memory ends the dialog with abort (3).
  TdlgFormat big;
  QImage huge;
  big.SetBitmap(&huge);
  big.deHeight->setText("1000");
  big.deWidth->setText("1000");
  big.dePPI->setText("1000");
  big.btnOK->click();
  EXPECT_EQ(big.result(), kModalAbort);
  EXPECT_TRUE(huge.isNull());
}

TEST_F(PlotDialogs, GraphCaptionTexts) {
  TfrmGraphCaption dlg;
  EXPECT_EQ(dlg.windowTitle(), "Graph Caption");
  EXPECT_EQ(dlg.Label1->text(), "Enter Graph Caption");
  EXPECT_EQ(dlg.GroupBox1->title(), "Caption Location");
  EXPECT_EQ(dlg.rbTop->text(), "Top");
  EXPECT_EQ(dlg.rbBottom->text(), "Bottom");
  EXPECT_EQ(dlg.btnOK->text(), "&OK");
  dlg.btnOK->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST_F(PlotDialogs, LegendTextsAreEditedAndWrittenBackOnClose) {
  QStringList names{"Kxx", "Kyy", "Kww"};
  TfrmLineNames dlg;
  EXPECT_EQ(dlg.windowTitle(), "Legend");
  EXPECT_EQ(dlg.Label1->text(), "Select line to modify:");
  EXPECT_EQ(dlg.Label2->text(), "Type new legend below:");
  EXPECT_EQ(dlg.btnCancel->text(), "&Cancel");
  dlg.SetNames(&names);
  EXPECT_EQ(rows(dlg.lbLines), names);
  EXPECT_EQ(dlg.lbLines->currentRow(), 0);
  EXPECT_EQ(dlg.edLine->text(), "Kxx");
  EXPECT_EQ(dlg.edLine->palette().color(QPalette::Text), QColor(0, 0, 0));

  dlg.lbLines->setCurrentRow(1);
  EXPECT_EQ(dlg.edLine->text(), "Kyy");
  EXPECT_EQ(dlg.edLine->palette().color(QPalette::Text), QColor(0, 0, 255));

  // Enter renames the selected entry; the caller's list follows only on close.
  dlg.edLine->setText("Horizontal");
  QTest::keyClick(dlg.edLine, Qt::Key_Return);
  EXPECT_EQ(dlg.lbLines->item(1)->text(), "Horizontal");
  EXPECT_EQ(names[1], "Kyy");
  EXPECT_NE(dlg.result(), QDialog::Accepted);  // Enter does not close it

  // An empty name is refused and the entry comes back.
  dlg.edLine->clear();
  QTest::keyClick(dlg.edLine, Qt::Key_Return);
  ASSERT_EQ(zrv::test::recordedMessages().size(), 1u);
  EXPECT_EQ(zrv::test::recordedMessages()[0].text, "The line must have a name!");
  EXPECT_EQ(dlg.edLine->text(), "Horizontal");
  EXPECT_EQ(dlg.lbLines->item(1)->text(), "Horizontal");

  dlg.btnCancel->click();
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(names, (QStringList{"Kxx", "Horizontal", "Kww"}));
}

TEST_F(PlotDialogs, ActiveCurvesToggleAndSetAll) {
  EXPECT_EQ(ToggledCurveState(kCurveYes), kCurveNo);
  EXPECT_EQ(ToggledCurveState(kCurveNo), kCurveYes);
  EXPECT_EQ(ToggledCurveState("maybe"), kCurveYes);

  const QStringList names{"X-Dir.", "Y-Dir.", "Z-Dir."};
  QStringList states{kCurveYes, kCurveNo, kCurveYes};
  TfrmActiveLines dlg;
  EXPECT_EQ(dlg.windowTitle(), "Active Curves");
  EXPECT_EQ(dlg.Label1->text(), "Select Curve to Active/Desactive");
  EXPECT_EQ(dlg.Label2->text(), "Active :");
  EXPECT_EQ(dlg.Label3->text(), "Curve");
  EXPECT_EQ(dlg.ActivateDesactivateButton->text(), "Activate/Deactivate Selected");
  EXPECT_EQ(dlg.ActivateButton->text(), "Activate All");
  EXPECT_EQ(dlg.DesactivateButton->text(), "Deactivate All");
  dlg.SetLines(&names, &states);
  EXPECT_EQ(rows(dlg.lbLines), (QStringList{" yes :    X-Dir.", " no  :    Y-Dir.", " yes :    Z-Dir."}));
  EXPECT_EQ(dlg.lbLines->currentRow(), 0);

  // One selected: only that one; two selected: both.
  dlg.lbLines->clearSelection();
  dlg.lbLines->item(1)->setSelected(true);
  dlg.ActivateDesactivateButton->click();
  EXPECT_EQ(states, (QStringList{kCurveYes, kCurveYes, kCurveYes}));
  dlg.lbLines->item(2)->setSelected(true);
  dlg.ActivateDesactivateButton->click();
  EXPECT_EQ(states, (QStringList{kCurveYes, kCurveNo, kCurveNo}));
  EXPECT_EQ(dlg.lbLines->item(2)->text(), " no  :    Z-Dir.");

  dlg.DesactivateButton->click();
  EXPECT_EQ(states, (QStringList{kCurveNo, kCurveNo, kCurveNo}));
  dlg.ActivateButton->click();
  EXPECT_EQ(states, (QStringList{kCurveYes, kCurveYes, kCurveYes}));
  dlg.lbLines->setCurrentRow(0);
  emit dlg.lbLines->itemDoubleClicked(dlg.lbLines->item(0));
  EXPECT_EQ(states[0], kCurveNo);
}
