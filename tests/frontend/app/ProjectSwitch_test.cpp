// The whole program on a display: New, Open and a dropped file close every
// child window of the old project, a form whose focused box holds an invalid
// entry included (dropped with its form, unannounced), and no value of the
// old project reaches the new one. Menus and accelerators over such an entry.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QTableWidget>
#include <QUrl>
#include <QtTest/QTest>
#include <filesystem>

#include "app/Desktop.h"
#include "app/MainForm.h"
#include "dataedit/TDataEdit.h"
#include "forms/TDataForm.h"
#include "grid/TFloatColumn.h"
#include "grid/TGridTable.h"
#include "main_window_fixture.h"
#include "project/TProgramData.h"
#include "tableeditor/Table.h"
#include "gl_test_support.h"
#include "qt_test_support.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace zrv::front {
namespace {

using test::q;

class ProjectSwitchTest : public test::MainWindowTest {
protected:
  void SetUp() override {
    isolate();
    test::nextAnswer() = comp::TMsgResult::No;  // the old project's changes are dropped
    desktop().openFile = [this](QWidget*, const QString&, const QString&, const QString&) { return openAnswer; };
    desktop().saveFile = [this](QWidget*, const QString&, const QString&, const QString&) { return saveAnswer; };
    startWindow();
  }

  /// Opens the pile example and "Pile Properties", whose focused first box
  /// (the base's X coordinate) is left holding an entry that does not evaluate.
  QPointer<QWidget> leaveInvalidEntry() {
    EXPECT_TRUE(window->OpenFile(q(example("pilegroup-harmonic"))));
    window->DataMenuClick();
    window->findAction("&Pile Properties")->trigger();
    QMdiSubWindow* sub = window->mdiArea()->activeSubWindow();
    auto* form = sub ? qobject_cast<TDataForm*>(sub->widget()) : nullptr;
    EXPECT_NE(form, nullptr);
    if (form == nullptr) return nullptr;
    auto* edit = form->findChild<comp::TDataEdit*>("DataEdit1");
    edit->setFocus();
    edit->setText("1+");
    QCoreApplication::processEvents();
    return form;
  }

  /// The user's next steps: a click into another box of the form, if it is
  /// still there, then the File menu, which deactivates the active child.
  void clickOnAndOpenTheFileMenu(const QPointer<QWidget>& form) {
    if (form) form->findChild<comp::TDataEdit*>("DataEdit2")->setFocus();
    window->FileMenuClick();
  }

  void expectNoChildLeft(const QPointer<QWidget>& form) {
    EXPECT_TRUE(form.isNull());
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
    for (const QString& text : messages()) EXPECT_FALSE(text.startsWith("Entry could not be evaluated")) << text.toStdString();
  }

  /// Message boxes become real modal windows, closed by Escape as a user
  /// would; `boxesInMenus` counts those opened while a menu was open or the
  /// menu bar was being worked.
  void showRealBoxes() {
    comp::setMessageHook([this](comp::TMsgKind kind, const QString& text) {
      test::recordedMessages().push_back({kind, text});
      if (QApplication::activePopupWidget() != nullptr || window->menuBar()->activeAction() != nullptr)
        ++boxesInMenus;
      QMessageBox box(QMessageBox::Information, "ZORVIN", text, QMessageBox::Ok);
      QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Escape); });
      box.exec();
      return comp::TMsgResult::Ok;
    });
  }
  void TearDown() override {
    test::recordMessages();
    MainWindowTest::TearDown();
  }

  /// A key pressed where a user's would go: the open menu, else the focus,
  /// else the active window.
  static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* to = QApplication::activePopupWidget();
    if (to == nullptr) to = QApplication::focusWidget();
    if (to == nullptr) to = QApplication::activeWindow();
    ASSERT_NE(to, nullptr);
    QTest::keyClick(to, key, modifiers);
  }

  QString openAnswer, saveAnswer;
  int boxesInMenus = 0;
};

TEST_F(ProjectSwitchTest, OpenLeavesNoFormOfTheOldProject) {
  const QPointer<QWidget> form = leaveInvalidEntry();
  // A table editor whose current cell holds an entry that does not evaluate.
  window->findAction("Pile Coordinates")->trigger();
  QPointer<comp::TTableForm> editor;
  for (QMdiSubWindow* s : window->mdiArea()->subWindowList())
    if (auto* e = qobject_cast<comp::TTableForm*>(s->widget())) editor = e;
  ASSERT_TRUE(editor);
  editor->Grid()->setCurrentCell(1, 1);
  editor->Grid()->item(1, 1)->setText("1+");
  const fs::path other = example("stratum-harmonic");
  const std::string original = test::read_file(other);
  openAnswer = q(other);
  window->FileOpenClick();
  ASSERT_EQ(window->Project().FoundationType, "STRATUM");
  expectNoChildLeft(form);
  EXPECT_TRUE(editor.isNull());

  clickOnAndOpenTheFileMenu(form);
  window->FileSaveClick();
  EXPECT_EQ(test::read_file(other), original);
}

TEST_F(ProjectSwitchTest, NewLeavesNoFormOfTheOldProject) {
  // What a new project is saved as when nothing came before it.
  saveAnswer = q(work / "fresh.zvd");
  window->FileSaveAsClick();
  const QPointer<QWidget> form = leaveInvalidEntry();
  window->FileMenuClick();  // the menu opens as always
  EXPECT_FALSE(form.isNull());
  window->FileNewClick();
  ASSERT_EQ(window->Project().FileName, "NewData.zvd");
  expectNoChildLeft(form);

  clickOnAndOpenTheFileMenu(form);
  saveAnswer = q(work / "new.zvd");
  window->FileSaveClick();
  EXPECT_EQ(test::read_file(work / "new.zvd"), test::read_file(work / "fresh.zvd"));
}

TEST_F(ProjectSwitchTest, ADroppedFileLeavesNoFormOfTheOldProjectAndIsRemembered) {
  const QPointer<QWidget> form = leaveInvalidEntry();
  const fs::path other = example("halfspace-harmonic");
  const std::string original = test::read_file(other);
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(q(other))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &enter);
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &drop);
  ASSERT_EQ(window->Project().FoundationType, "HALF-SPACE");
  expectNoChildLeft(form);
  EXPECT_EQ(window->RecentFiles().entry(0), q(other));

  clickOnAndOpenTheFileMenu(form);
  window->FileSaveClick();
  EXPECT_EQ(test::read_file(other), original);
}

// The Data menu by keyboard over a refused entry, then Escape and the arrow
// keys through the menu bar: the program keeps running, and the entry's box
// opens only once the menus are left, never while one opens.
TEST_F(ProjectSwitchTest, MenusByKeyboardOverARefusedEntry) {
  ASSERT_TRUE(window->OpenFile(q(example("halfspace-harmonic"))));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->DataMenuClick();
  window->findAction("Foundation Dimension and Constants")->trigger();
  QMdiSubWindow* sub = window->mdiArea()->activeSubWindow();
  ASSERT_NE(sub, nullptr);
  auto* edit = sub->widget()->findChild<comp::TDataEdit*>("DataEdit1");
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  edit->clear();
  QTest::keyClicks(edit, "abc");

  showRealBoxes();
  press(Qt::Key_D, Qt::AltModifier);
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Left, Qt::Key_Right, Qt::Key_Down, Qt::Key_Right, Qt::Key_Escape,
                      Qt::Key_Escape})
    press(key);
  EXPECT_TRUE(test::waitFor([&] { return !test::recordedMessages().empty(); }));

  EXPECT_EQ(boxesInMenus, 0);
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_TRUE(messages()[0].startsWith("Entry could not be evaluated:"));
  // The form keeps the entry and the focus until it is mended.
  EXPECT_EQ(window->mdiArea()->activeSubWindow(), sub);
  EXPECT_EQ(edit->text(), "abc");
  EXPECT_TRUE(edit->hasFocus());
}

// A table opened from the Data menu holds a cell entry that is not a finite
// number when the Data menu's accelerator is pressed (its Delete Row button
// shares the letter, so the first press may go there and have the refusal
// told and dismissed). The menu opens, the program keeps running, and the
// refusal is told once the menu is closed, with the entry and the focus kept
// in its cell.
TEST_F(ProjectSwitchTest, DataMenuAcceleratorOverARefusedTableCell) {
  ASSERT_TRUE(window->OpenFile(q(example("multilayer-harmonic"))));
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  showRealBoxes();
  press(Qt::Key_D, Qt::AltModifier);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  // A menu that once held the keyboard focus takes it again whenever it pops
  // up, which takes it from the cell being edited.
  menu->setFocus();
  menu->setActiveAction(window->findAction("Side Soil of Fondation"));
  press(Qt::Key_Return);
  QMdiSubWindow* sub = window->mdiArea()->activeSubWindow();
  auto* table = sub ? qobject_cast<comp::TTableForm*>(sub->widget()) : nullptr;
  ASSERT_NE(table, nullptr);
  int column = 0;
  while (column < table->Table()->visibleColumnCount() &&
         dynamic_cast<comp::TFloatColumn*>(&table->Table()->visibleColumn(column)) == nullptr)
    ++column;
  ASSERT_LT(column, table->Table()->visibleColumnCount());
  table->Grid()->setCurrentCell(0, column);
  const auto cellEditor = [] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); };
  ASSERT_TRUE(test::waitFor([&] { return cellEditor() != nullptr; }));
  cellEditor()->selectAll();
  QTest::keyClicks(cellEditor(), "(2+3)/0");

  for (int k = 0; k < 2 && QApplication::activePopupWidget() == nullptr; ++k) {
    press(Qt::Key_D, Qt::AltModifier);
    // A refusal told meanwhile gives the cell its editor back.
    test::waitFor([&] { return QApplication::activePopupWidget() != nullptr || cellEditor() != nullptr; });
  }
  ASSERT_NE(QApplication::activePopupWidget(), nullptr);
  const std::size_t told = messages().size();
  press(Qt::Key_Escape);
  press(Qt::Key_Escape);
  ASSERT_TRUE(test::waitFor([&] { return messages().size() > told && cellEditor() != nullptr; }));

  EXPECT_EQ(boxesInMenus, 0);
  for (const QString& text : messages()) EXPECT_EQ(text, "Entry must be a finite number.");
  EXPECT_EQ(window->mdiArea()->activeSubWindow(), sub);
  EXPECT_EQ(cellEditor()->text(), "(2+3)/0");
}

}  // namespace
}  // namespace zrv::front
