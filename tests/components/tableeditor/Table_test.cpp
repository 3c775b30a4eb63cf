// The table editor window on the project's own tables: opening, cells
// written back as they are left, entry errors, row buttons, in-cell combo
// boxes and buttons, nested editors, closing.

#include "tableeditor/Table.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "base/exceptions.h"
#include "grid/TEnumColumn.h"
#include "grid/TFloatColumn.h"
#include "grid/TGridTable.h"
#include "grid/TIntColumn.h"
#include "grid/TTableColumn.h"
#include "grid/TableDefinitions.h"
#include "qt_test_support.h"
#include "test_support.h"

QT_BEGIN_NAMESPACE
// Readable texts in failure output.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace zrv::comp {
namespace {

const QString kPrefix = "Entry could not be evaluated:\r";

class TableEditor : public ::testing::Test {
protected:
  void SetUp() override {
    InstallTableEditor();
    setTableModalRun([this](TTableForm& f) { modalForms.push_back(&f); });
    test::recordedMessages().clear();
    tables = readTableDefinitions(test::read_file(std::string(ZRV_SOURCE_DIR) + "/components/grid/tables.coldefs"));
  }
  void TearDown() override {
    tables.clear();  // closes every editor still open
    flush();
    setTableModalRun({});
    setEditorLauncher({});
  }

  static void flush() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  TGridTable& table(const std::string& name) {
    for (const auto& t : tables)
      if (t->Name() == name) return *t;
    throw std::runtime_error("no table " + name);
  }

  static TTableForm* editorOf(const TGridTable& t) { return dynamic_cast<TTableForm*>(t.editor()); }

  // Opens the editor of `t` non-modally and waits until it is shown.
  TTableForm& open(TGridTable& t) {
    t.Show();
    TTableForm* f = editorOf(t);
    if (!f) throw std::runtime_error("no editor");
    EXPECT_TRUE(QTest::qWaitForWindowExposed(f));
    return *f;
  }

  static QString cell(const TTableForm& f, int row, int column) {
    const QTableWidgetItem* item = f.Grid()->item(row, column);
    return item ? item->text() : QString("<none>");
  }

  static std::vector<QString> messages() { return test::recordedTexts(); }

  std::vector<std::unique_ptr<TGridTable>> tables;
  std::vector<TTableForm*> modalForms;
};

TEST_F(TableEditor, OpensWithCaptionHeadersAndRowLabels) {
  TGridTable& soil = table("D");
  TTableForm& f = open(soil);
  EXPECT_EQ(f.windowTitle(), "Soil Properties ");
  EXPECT_EQ(f.topLeftText(), "Layer No.");
  EXPECT_EQ(soil.RowCount(), 1);  // brought to MinRows
  QTableWidget* g = f.Grid();
  EXPECT_EQ(g->columnCount(), 5);
  EXPECT_EQ(g->rowCount(), 1);
  EXPECT_EQ(g->horizontalHeaderItem(0)->text(), "Shear Wave \nVelocity,  (ft/SEC)  ");
  EXPECT_EQ(g->horizontalHeaderItem(2)->text(), "Poisson's \nRatio");
  EXPECT_EQ(g->verticalHeaderItem(0)->text(), "1");
  EXPECT_EQ(cell(f, 0, 0), "0");
  EXPECT_TRUE(f.BtnAdd()->isVisible());
  EXPECT_TRUE(f.BtnAdd()->isEnabled());
  EXPECT_TRUE(f.BtnIns()->isEnabled());
  EXPECT_FALSE(f.BtnDel()->isEnabled());
  EXPECT_FALSE(f.lblComments()->isVisible());
  EXPECT_FALSE(f.isModal());
  EXPECT_EQ(f.BtnAdd()->text(), "&Add Row");
  EXPECT_EQ(f.BtnIns()->text(), "&Insert Row");
  EXPECT_EQ(f.BtnDel()->text(), "&Delete Row");

  // A second Show brings up the same window.
  soil.Show();
  EXPECT_EQ(editorOf(soil), &f);

  // Hidden columns are not shown; a table without visible columns opens nothing.
  TGridTable& multi = table("Multisoil");
  EXPECT_EQ(open(multi).Grid()->columnCount(), 5);
  TGridTable bare;
  bare.AddColumn(std::make_unique<TIntColumn>(bare));
  bare.Column(0).SetVisible(false);
  bare.Show();
  bare.ShowModal();
  EXPECT_EQ(bare.editor(), nullptr);
  EXPECT_TRUE(modalForms.empty());
}

// The two section tables say below their rows which moment of inertia goes
// with which radius (the one for bending along x with the radius in x), and
// the note is shown whole.
TEST_F(TableEditor, TheSectionTablesShowWhichInertiaGoesWithWhichRadius) {
  for (const char* name : {"MultiElement", "PileData"}) {
    SCOPED_TRACE(name);
    TTableForm& f = open(table(name));
    const QLabel* note = f.lblComments();
    ASSERT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().startsWith("Moment of Inertia x goes with the radius in x"));
    EXPECT_TRUE(note->text().contains("x = b*a^3/12, y = a*b^3/12"));
    EXPECT_GE(note->width(), note->sizeHint().width());
    EXPECT_GE(note->height(), note->sizeHint().height());
    EXPECT_TRUE(f.rect().contains(note->geometry()));
  }
}

TEST_F(TableEditor, RowButtonsAndShownRowsFollowTheTable) {
  TGridTable fixed;
  fixed.AddColumn(std::make_unique<TIntColumn>(fixed));
  fixed.SetMinRows(3);
  fixed.SetMaxRows(3);
  TTableForm& f1 = open(fixed);
  EXPECT_EQ(fixed.RowCount(), 3);
  EXPECT_FALSE(f1.BtnAdd()->isVisible());
  EXPECT_FALSE(f1.BtnIns()->isVisible());
  EXPECT_FALSE(f1.BtnDel()->isVisible());

  // 25 rows: ten are shown, the rest behind a vertical scroll bar.
  TGridTable& coords = table("Pilecoord");
  coords.SetRowCount(25);
  TTableForm& f2 = open(coords);
  EXPECT_EQ(f2.shownRows(), 10);
  flush();
  EXPECT_GT(f2.Grid()->verticalScrollBar()->maximum(), 0);
  EXPECT_TRUE(f2.BtnDel()->isEnabled());

  // Four rows, all shown: adding a row shows five.
  TGridTable& soil = table("D");
  soil.SetRowCount(4);
  TTableForm& f3 = open(soil);
  EXPECT_EQ(f3.shownRows(), 4);
  f3.BtnAdd()->click();
  EXPECT_EQ(soil.RowCount(), 5);
  EXPECT_EQ(f3.Grid()->rowCount(), 5);
  EXPECT_EQ(f3.shownRows(), 5);
  EXPECT_TRUE(soil.GetChanged());

  // At MaxRows (20) Add and Insert are disabled.
  soil.SetRowCount(20);
  EXPECT_EQ(f3.Grid()->rowCount(), 20);
  EXPECT_FALSE(f3.BtnAdd()->isEnabled());
  EXPECT_FALSE(f3.BtnIns()->isEnabled());
}

TEST_F(TableEditor, ASizedWindowSnapsToWholeRowsAndColumns) {
  TGridTable& coords = table("Pilecoord");
  coords.SetRowCount(25);
  TTableForm& f = open(coords);
  flush();
  ASSERT_EQ(f.size(), f.sizeHint());
  const int row = f.Grid()->rowHeight(0);
  const int columns = f.shownColumns();

  // One and a half rows more shows one more whole row, and the window fits it.
  f.resize(f.width(), f.height() + row + row / 2);
  flush();
  EXPECT_EQ(f.shownRows(), 11);
  EXPECT_EQ(f.size(), f.sizeHint());
  EXPECT_EQ(f.shownColumns(), columns);  // only the height was dragged

  // Half a row less goes back to the whole rows that fit.
  f.resize(f.width(), f.height() - row / 2);
  flush();
  EXPECT_EQ(f.shownRows(), 10);
  EXPECT_EQ(f.size(), f.sizeHint());

  // Narrower than the last column: that column goes behind a scroll bar.
  const int last = f.Grid()->columnWidth(f.Grid()->columnCount() - 1);
  f.resize(f.width() - last / 2, f.height());
  flush();
  EXPECT_EQ(f.shownColumns(), columns - 1);
  EXPECT_EQ(f.size(), f.sizeHint());
  EXPECT_TRUE(messages().empty());
}

TEST_F(TableEditor, RowGroupsShareOneLabel) {
  TGridTable t;
  t.AddColumn(std::make_unique<TIntColumn>(t));
  t.SetRowGroup(2);
  t.SetRowCount(4);
  TTableForm& f = open(t);
  const QTableWidget* g = f.Grid();
  EXPECT_EQ(g->verticalHeaderItem(0)->text(), "1");
  EXPECT_EQ(g->verticalHeaderItem(1)->text(), "1");
  EXPECT_EQ(g->verticalHeaderItem(2)->text(), "2");
  EXPECT_EQ(g->verticalHeaderItem(3)->text(), "2");
}

TEST_F(TableEditor, CellsAreWrittenBackWhenLeft) {
  TGridTable& soil = table("D");
  soil.SetRowCount(3);
  TTableForm& f = open(soil);
  QTableWidget* g = f.Grid();
  g->setCurrentCell(0, 0);
  g->item(0, 0)->setText("2*3");
  g->setCurrentCell(1, 0);
  EXPECT_EQ(soil.Column(0).GetFloat(0), 6.0L);
  EXPECT_EQ(cell(f, 0, 0), "6");  // the evaluated value shows at once
  EXPECT_TRUE(soil.GetChanged());
  EXPECT_TRUE(messages().empty());

  // A value the table changes shows in its cell.
  soil.Column(1).SetFloat(2, 120.5L);
  EXPECT_EQ(cell(f, 2, 1), "120.5");

  // Leaving a cell as shown writes nothing: no rounding to the 8 digits shown,
  // no change flag.
  soil.SetChanged(false);
  soil.Column(2).SetFloat(1, 0.123456789012L);
  g->setCurrentCell(1, 2);
  g->setCurrentCell(2, 2);
  EXPECT_EQ(soil.Column(2).GetFloat(1), 0.123456789012L);
  EXPECT_FALSE(soil.GetChanged());
}

TEST_F(TableEditor, AnEntryErrorKeepsTheCursorInTheCell) {
  TGridTable& soil = table("D");
  soil.SetRowCount(2);
  TTableForm& f = open(soil);
  QTableWidget* g = f.Grid();
  g->setCurrentCell(0, 1);
  g->item(0, 1)->setText("abc");
  g->setCurrentCell(1, 1);
  ASSERT_EQ(test::recordedMessages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].kind, TMsgKind::Information);
  EXPECT_EQ(test::recordedMessages()[0].text, kPrefix + "invalid character(s) in expression");
  EXPECT_EQ(g->currentRow(), 0);
  EXPECT_EQ(g->currentColumn(), 1);
  EXPECT_EQ(cell(f, 0, 1), "abc");  // the entry is kept for mending
  EXPECT_EQ(soil.Column(1).GetFloat(0), 0.0L);
  EXPECT_FALSE(soil.GetChanged());

  // Typed into the cell editor and left with an arrow key.
  test::recordedMessages().clear();
  g->item(0, 1)->setText("0");
  g->setCurrentCell(1, 0);
  g->setCurrentCell(0, 0);
  f.activateWindow();
  g->setFocus();
  g->edit(g->currentIndex());
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, "1+2)");
  QTest::keyClick(editor, Qt::Key_Down);
  ASSERT_EQ(messages(), std::vector<QString>{kPrefix + "() (parentheses) do not match"});
  EXPECT_EQ(g->currentRow(), 0);
  EXPECT_EQ(g->currentColumn(), 0);
  flush();
  editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "1+2)");

  // Mended, the move goes through.
  QTest::keyClick(editor, Qt::Key_Home);
  QTest::keyClicks(editor, "(");
  QTest::keyClick(editor, Qt::Key_Down);
  EXPECT_EQ(g->currentRow(), 1);
  EXPECT_EQ(soil.Column(0).GetFloat(0), 3.0L);
  EXPECT_EQ(messages().size(), 1u);

  // The same rule for an integer column while its editor is open.
  TGridTable t;
  auto ic = std::make_unique<TIntColumn>(t);
  ic->Headers() = {"Count"};
  t.AddColumn(std::move(ic));
  t.SetRowCount(2);
  TTableForm& fi = open(t);
  test::recordedMessages().clear();
  fi.Grid()->item(0, 0)->setText("2.5");
  fi.Grid()->setCurrentCell(1, 0);
  EXPECT_EQ(messages(), std::vector<QString>{"Entry must be an integer."});
  EXPECT_EQ(fi.Grid()->currentRow(), 0);
  fi.Grid()->item(0, 0)->setText("-7");
  fi.Grid()->setCurrentCell(1, 0);
  EXPECT_EQ(t.Column(0).GetInteger(0), -7);
}

TEST_F(TableEditor, EnterMovesDownThenToTheNextColumn) {
  TGridTable& soil = table("D");
  soil.SetRowCount(2);
  TTableForm& f = open(soil);
  QTableWidget* g = f.Grid();
  g->setCurrentCell(0, 0);
  QTest::keyClick(g, Qt::Key_Return);
  flush();
  EXPECT_EQ(g->currentRow(), 1);
  EXPECT_EQ(g->currentColumn(), 0);
  QTest::keyClick(g, Qt::Key_Enter);
  flush();
  EXPECT_EQ(g->currentRow(), 0);
  EXPECT_EQ(g->currentColumn(), 1);

  // From the last row of the last column back to the first data cell; the
  // cell left is written back on the way.
  g->setCurrentCell(1, 4);
  g->item(1, 4)->setText("0.5");
  QTest::keyClick(g, Qt::Key_Return);
  flush();
  EXPECT_EQ(g->currentRow(), 0);
  EXPECT_EQ(g->currentColumn(), 0);
  EXPECT_EQ(soil.Column(4).GetFloat(1), 0.5L);
}

TEST_F(TableEditor, InsertAndDeleteWorkOnTheCurrentRow) {
  TGridTable& soil = table("D");
  soil.SetRowCount(3);
  for (int r = 0; r < 3; ++r) soil.Column(0).SetFloat(r, 100 * (r + 1));
  TTableForm& f = open(soil);
  QTableWidget* g = f.Grid();
  g->setCurrentCell(1, 0);
  f.BtnIns()->click();
  ASSERT_EQ(soil.RowCount(), 4);
  EXPECT_EQ(soil.Column(0).GetFloat(1), 0.0L);
  EXPECT_EQ(soil.Column(0).GetFloat(2), 200.0L);
  EXPECT_EQ(cell(f, 2, 0), "200");
  EXPECT_EQ(f.shownRows(), 4);
  EXPECT_TRUE(soil.GetChanged());

  g->setCurrentCell(2, 0);
  f.BtnDel()->click();
  ASSERT_EQ(soil.RowCount(), 3);
  EXPECT_EQ(cell(f, 2, 0), "300");

  // A bad entry in the current cell stops the button.
  g->setCurrentCell(0, 0);
  g->item(0, 0)->setText("1+");
  f.BtnDel()->click();
  EXPECT_EQ(soil.RowCount(), 3);
  EXPECT_EQ(messages().size(), 1u);
  g->item(0, 0)->setText("100");

  // Without a current row.
  test::recordedMessages().clear();
  g->setCurrentCell(-1, -1);
  ASSERT_EQ(g->currentRow(), -1);
  f.BtnIns()->click();
  f.BtnDel()->click();
  ASSERT_EQ(test::recordedMessages().size(), 2u);
  EXPECT_EQ(test::recordedMessages()[0].kind, TMsgKind::Error);
  EXPECT_EQ(test::recordedMessages()[0].text, "Grid.Row not in valid range");
  EXPECT_EQ(test::recordedMessages()[1].text, "Grid.Row not in valid range");
  EXPECT_EQ(soil.RowCount(), 3);
}

TEST_F(TableEditor, ChoiceColumnsAreEditedInComboBoxes) {
  TGridTable& coords = table("Pilecoord");
  coords.SetRowCount(2);
  TTableForm& f = open(coords);
  EXPECT_EQ(f.comboAt(0, 2), nullptr);
  QComboBox* combo = f.comboAt(1, 3);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(0), "XZ-Plane");
  EXPECT_EQ(combo->itemText(1), "YZ-Plane");
  EXPECT_EQ(combo->currentIndex(), 0);

  combo->setCurrentIndex(1);
  EXPECT_EQ(coords.Column(3).GetInteger(1), 2);
  EXPECT_EQ(coords.Column(3).GetInteger(0), 1);
  EXPECT_TRUE(coords.GetChanged());

  // The table's own change shows in the combo box.
  coords.Column(3).SetInteger(0, 2);
  EXPECT_EQ(f.comboAt(0, 3)->currentIndex(), 1);

  // A unit switch rescales the shown values and the unit captions.
  coords.Column(0).SetFloat(0, 10);
  coords.SetUnitSystem(2);
  EXPECT_EQ(cell(f, 0, 0), "3.048");
  EXPECT_EQ(f.Grid()->horizontalHeaderItem(0)->text(), "Pile \nx-Coord.,  (m)  ");
  EXPECT_EQ(f.comboAt(0, 3)->currentIndex(), 1);
}

TEST_F(TableEditor, NestedTablesOpenFromTheirRowButtons) {
  TGridTable& loads = table("TLoadtype");
  loads.SetRowCount(2);
  TTableForm& f = open(loads);
  QPushButton* b = f.buttonAt(1, 1);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->text(), "2: Load Amplitude");

  // The button acts only once its cell could be selected.
  f.Grid()->setCurrentCell(1, 1);
  b->click();
  TGridTable& nested = loads.Column(1).GetTable(1);
  TTableForm* nf = editorOf(nested);
  ASSERT_NE(nf, nullptr);
  EXPECT_FALSE(nf->isModal());
  EXPECT_EQ(nf->windowTitle(), "Load Amplitude  2");
  EXPECT_EQ(nf->topLeftText(), "Point No.");
  EXPECT_EQ(nf->Grid()->horizontalHeaderItem(0)->text(), "Load Amplitude (lbs)  ");

  // Deleting the first row renumbers the nested table and retitles its editor.
  f.Grid()->setCurrentCell(0, 0);
  f.BtnDel()->click();
  ASSERT_EQ(loads.RowCount(), 1);
  EXPECT_EQ(&loads.Column(1).GetTable(0), &nested);
  EXPECT_EQ(nf->windowTitle(), "Load Amplitude  1");
  EXPECT_EQ(f.buttonAt(0, 1)->text(), "1: Load Amplitude");

  // A new choice makes the row a new nested table: the old one's editor closes.
  QPointer<TTableForm> gone(nf);
  f.comboAt(0, 0)->setCurrentIndex(2);
  flush();
  EXPECT_EQ(loads.Column(0).GetInteger(0), 3);
  EXPECT_TRUE(gone.isNull());
  EXPECT_NE(loads.Column(1).GetObject(0), nullptr);
}

TEST_F(TableEditor, AModalEditorOpensItsNestedTablesModally) {
  TGridTable& random = table("Trandom");
  random.ShowModal();
  ASSERT_EQ(modalForms.size(), 1u);
  TTableForm* f = modalForms[0];
  EXPECT_TRUE(f->isModal());
  EXPECT_EQ(editorOf(random), f);
  EXPECT_EQ(f->windowTitle(), "Random Loading data ");
  f->show();
  f->Grid()->setCurrentCell(0, 1);
  f->buttonAt(0, 1)->click();
  ASSERT_EQ(modalForms.size(), 2u);
  EXPECT_TRUE(modalForms[1]->isModal());
  EXPECT_EQ(modalForms[1]->Table(), &random.Column(1).GetTable(0));
  EXPECT_EQ(modalForms[1]->windowTitle(), "Random Spectrum Data  1");
}

TEST_F(TableEditor, ClosingNeedsAValidCell) {
  TGridTable& soil = table("D");
  int resized = 0;
  soil.OnResize = [&](TGridTable& sender) {
    EXPECT_EQ(&sender, &soil);
    ++resized;
  };
  TTableForm& f = open(soil);
  EXPECT_GT(resized, 0);
  QPointer<TTableForm> form(&f);
  f.Grid()->setCurrentCell(0, 2);
  f.Grid()->item(0, 2)->setText("1/");
  EXPECT_FALSE(f.close());
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_EQ(editorOf(soil), &f);

  f.Grid()->item(0, 2)->setText("1/4");
  EXPECT_TRUE(f.close());
  EXPECT_EQ(soil.Column(2).GetFloat(0), 0.25L);
  EXPECT_EQ(soil.editor(), nullptr);
  flush();
  EXPECT_TRUE(form.isNull());

  // Reopened, it is a new window; Refresh makes another one again.
  TTableForm& again = open(soil);
  QPointer<TTableForm> old(&again);
  soil.Refresh();
  flush();
  EXPECT_TRUE(old.isNull());
  ASSERT_NE(editorOf(soil), nullptr);

  // A table that goes away takes its editor with it.
  auto t = std::make_unique<TGridTable>();
  t->AddColumn(std::make_unique<TIntColumn>(*t));
  QPointer<TTableForm> orphan(&open(*t));
  t.reset();
  flush();
  EXPECT_TRUE(orphan.isNull());
}

TEST_F(TableEditor, LeavingTheGridCommitsTheCell) {
  TGridTable& coords = table("Pilecoord");
  coords.SetRowCount(2);
  TTableForm& f = open(coords);
  QTableWidget* g = f.Grid();
  f.activateWindow();
  g->setCurrentCell(0, 1);
  g->setFocus();
  g->edit(g->currentIndex());
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText("sqrt(");
  f.BtnAdd()->setFocus();
  // The refusal is told once the focus change is over.
  EXPECT_TRUE(messages().empty());
  flush();
  EXPECT_EQ(messages(), std::vector<QString>{kPrefix + "invalid character(s) in expression"});
  flush();
  QWidget* now = QApplication::focusWidget();
  EXPECT_TRUE(now == g || g->isAncestorOf(now));  // back in the grid

  test::recordedMessages().clear();
  editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText("sqrt(16)");
  f.BtnAdd()->setFocus();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(coords.Column(1).GetFloat(0), 4.0L);

  // Entering a combo box selects its cell.
  f.comboAt(1, 3)->setFocus();
  EXPECT_EQ(g->currentRow(), 1);
  EXPECT_EQ(g->currentColumn(), 3);
}

TEST_F(TableEditor, ARowTheTableCannotMakeIsReported) {
  TGridTable t;
  t.AddColumn(std::make_unique<TTableColumn>(t));
  t.SetRowCount(1);
  t.OnInitRow = [](TGridTable&, int, int row, int, std::unique_ptr<TObject>&) {
    if (row > 0) throw Exception("No more rows here");
  };
  t.SetMinRows(2);  // opening needs a second row, which cannot be made
  EXPECT_THROW(t.Show(), Exception);
  EXPECT_EQ(t.editor(), nullptr);
  EXPECT_EQ(t.RowCount(), 1);

  t.SetMinRows(1);
  TTableForm& f = open(t);
  f.BtnAdd()->click();
  EXPECT_EQ(t.RowCount(), 1);
  EXPECT_EQ(f.Grid()->rowCount(), 1);
  ASSERT_EQ(test::recordedMessages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].kind, TMsgKind::Error);
  EXPECT_EQ(test::recordedMessages()[0].text, "No more rows here");
}

TEST_F(TableEditor, TheModalRunWaitsUntilTheWindowCloses) {
  setTableModalRun({});  // the real run
  TGridTable& soil = table("D");
  QTimer::singleShot(0, [&] {
    TTableForm* f = editorOf(soil);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->isModal());
    EXPECT_EQ(f->windowModality(), Qt::ApplicationModal);
    f->Grid()->item(0, 0)->setText("250");
    f->close();
  });
  soil.ShowModal();
  EXPECT_EQ(soil.editor(), nullptr);
  EXPECT_EQ(soil.Column(0).GetFloat(0), 250.0L);
}

}  // namespace
}  // namespace zrv::comp
