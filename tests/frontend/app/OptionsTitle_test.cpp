// The "Control Options" and "Project Title" forms against a small main window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QLineEdit>
#include <QPointer>

#include "forms/Options.h"
#include "forms/Title.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "fake_main_form.h"
#include "qt_test_support.h"

namespace zrv::front {
namespace {

using FakeMain = zrv::test::FakeMainForm;

TEST(TDlgOptions, ShowsAndStoresTheEditorAndTheMatrixChoice) {
  FakeMain main;
  main.editor = "/usr/bin/kate";
  main.project.GenerateMatrix = 1;
  QPointer<TDlgOptions> form = new TDlgOptions(main);
  EXPECT_EQ(form->windowTitle(), "Control Options");
  EXPECT_EQ(form->EdtWord()->text(), "/usr/bin/kate");
  EXPECT_TRUE(form->MatrixBox()->isChecked());
  EXPECT_EQ(form->MatrixBox()->text(), "Generate Foundation Stiffness Matrix");

  // Clicking the box changes the project at once and marks it modified.
  form->MatrixBox()->click();
  EXPECT_EQ(main.project.GenerateMatrix, 0);
  EXPECT_TRUE(main.modified);

  // The editor path is stored on deactivation; an empty one stays empty
  // (the desktop's default application) when the form is made again.
  form->EdtWord()->clear();
  EXPECT_TRUE(form->FormDeactivate());
  EXPECT_EQ(main.editor, "");
  form->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(form.isNull());

  QPointer<TDlgOptions> again = new TDlgOptions(main);
  EXPECT_EQ(again->EdtWord()->text(), "");
  EXPECT_FALSE(again->MatrixBox()->isChecked());
  delete again;
}

TEST(TDlgOptions, BrowseReplacesThePathOnlyWhenAFileIsChosen) {
  FakeMain main;
  main.editor = "/usr/bin/vi";
  TDlgOptions form(main);
  form.setAttribute(Qt::WA_DeleteOnClose, false);
  QString started;
  const auto saved = TDlgOptions::Browser();
  TDlgOptions::Browser() = [&](QWidget*, const QString& start) {
    started = start;
    return QString();
  };
  form.BtnBrowse()->click();
  EXPECT_EQ(started, "/usr/bin/vi");
  EXPECT_EQ(form.EdtWord()->text(), "/usr/bin/vi");

  TDlgOptions::Browser() = [](QWidget*, const QString&) { return QString("/usr/bin/nano"); };
  form.BtnBrowse()->click();
  EXPECT_EQ(form.EdtWord()->text(), "/usr/bin/nano");
  TDlgOptions::Browser() = saved;
}

TEST(TdlgTitle, StoresAChangedTitleOnly) {
  FakeMain main;
  main.project.ProjectTitle = "Pump block";
  TdlgTitle form(main);
  form.setAttribute(Qt::WA_DeleteOnClose, false);
  EXPECT_EQ(form.windowTitle(), "Project Title");
  EXPECT_EQ(form.TitleMemo()->text(), "Pump block");

  // Reactivating without a change leaves the project unmodified.
  form.FormActivate();
  EXPECT_TRUE(form.FormDeactivate());
  EXPECT_FALSE(main.modified);
  EXPECT_EQ(main.project.ProjectTitle, "Pump block");

  form.TitleMemo()->setText("Compressor block");
  EXPECT_TRUE(form.FormDeactivate());
  EXPECT_TRUE(main.modified);
  EXPECT_EQ(main.project.ProjectTitle, "Compressor block");
}

TEST(TdlgTitle, TypingStopsAtEightyCharactersButALongerFileTitleStaysWhole) {
  FakeMain main;
  main.project.ProjectTitle = "";
  TdlgTitle form(main);
  form.setAttribute(Qt::WA_DeleteOnClose, false);
  form.TitleMemo()->insert(QString(100, 'x'));
  EXPECT_EQ(form.TitleMemo()->text().size(), 80);

  const std::string fromFile(200, 'y');
  main.project.ProjectTitle = fromFile;
  form.FormActivate();
  EXPECT_EQ(form.TitleMemo()->text().size(), 200);
  main.modified = false;
  EXPECT_TRUE(form.FormDeactivate());
  EXPECT_EQ(main.project.ProjectTitle, fromFile);
  EXPECT_FALSE(main.modified);
}

}  // namespace
}  // namespace zrv::front
