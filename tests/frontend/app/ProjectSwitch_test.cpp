// The whole program on a display: New, Open and a dropped file close every
// child window of the old project, a form whose focused box holds an invalid
// entry included, and no value of the old project reaches the new one.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QTableWidget>
#include <QUrl>
#include <filesystem>

#include "app/Desktop.h"
#include "app/MainForm.h"
#include "dataedit/TDataEdit.h"
#include "forms/TDataForm.h"
#include "main_window_fixture.h"
#include "project/TProgramData.h"
#include "tableeditor/Table.h"
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
  }

  QString openAnswer, saveAnswer;
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

}  // namespace
}  // namespace zrv::front
