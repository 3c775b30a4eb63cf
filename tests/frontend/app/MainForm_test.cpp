// The main window on the offscreen platform: projects, the save question,
// menu enabling, unit switch, children, outside programs and a run whose
// engine library is missing.
#include "app/MainForm.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QLocale>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTextBrowser>
#include <QUrl>
#include <cstdlib>
#include <filesystem>

#include "app/About.h"
#include "app/Desktop.h"
#include "app/HelpWindow.h"
#include "app/ReportWindow.h"
#include "app/UserLocale.h"
#include "base/numbers.h"
#include "dataedit/TDataEdit.h"
#include "tableeditor/Table.h"
#include "forms/Options.h"
#include "forms/Title.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"
#include "main_window_fixture.h"
#include "qt_test_support.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace zrv::front {
namespace {

using test::q;

// The number of page objects of a PDF file ("/Type /Page", not "/Type /Pages").
int pdfPageCount(const std::string& pdf) {
  int count = 0;
  for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
    count += at + 11 >= pdf.size() || pdf[at + 11] != 's';
  return count;
}

class MainFormTest : public test::MainWindowTest {
protected:
  void SetUp() override {
    isolate();
    test::nextAnswer() = comp::TMsgResult::Yes;
    desktop().openFile = [this](QWidget*, const QString&, const QString& start, const QString&) {
      openStarts << start;
      return openAnswer;
    };
    desktop().saveFile = [this](QWidget*, const QString& caption, const QString&, const QString&) {
      saveCaptions << caption;
      return saveAnswer;
    };
    desktop().execDialog = [this](QDialog& d) {
      dialogs << d.windowTitle();
      if (auto* about = dynamic_cast<TAboutBox*>(&d)) aboutVersion = about->Version()->text();
      return 0;
    };
    desktop().startDetached = [this](const QString& program, const QStringList& args) {
      started << program + " " + args.join(' ');
      return startResult;
    };
    desktop().openUrl = [this](const QUrl& url) {
      opened << url.toLocalFile();
      return startResult;
    };
    startWindow();
  }

  bool enabled(const QString& text) const {
    QAction* a = window->findAction(text);
    EXPECT_NE(a, nullptr) << text.toStdString();
    return a != nullptr && a->isEnabled();
  }

  QString openAnswer, saveAnswer;
  QStringList saveCaptions, openStarts, dialogs, started, opened;
  QString aboutVersion;
  bool startResult = true;
};

TEST_F(MainFormTest, StartsWithANewProject) {
  EXPECT_EQ(window->windowTitle(), "ZORVIN 3.0.13 - NewData");
  EXPECT_EQ(window->Project().FileName, "NewData.zvd");
  EXPECT_EQ(window->Project().UnitSystem, 2);
  EXPECT_FALSE(window->IsModified());
  EXPECT_EQ(window->GetVersion(), "3.0.13");
  EXPECT_TRUE(messages().empty());
}

TEST_F(MainFormTest, StartOpensTheArgumentWithItsExtensionAdded) {
  fs::copy_file(fs::path(ZRV_EXAMPLES_DIR) / "stratum-harmonic.zvd", work / "Job1.zvd");
  test::ChangeDir in(work.path());
  window->Start("Job1");
  EXPECT_EQ(window->windowTitle(), "ZORVIN 3.0.13 - Job1");
  EXPECT_EQ(window->Project().FoundationType, "STRATUM");
  EXPECT_EQ(window->RecentFiles().entry(0), q(fs::current_path() / "Job1.zvd"));
  EXPECT_TRUE(messages().empty());
  // A missing file gives a new project, and the user is told.
  window->Start("Job2");
  EXPECT_EQ(window->windowTitle(), "ZORVIN 3.0.13 - NewData");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "The file " + q(fs::current_path() / "Job2.zvd") + " could not be found.");
}

TEST_F(MainFormTest, SaveQuestionAnswers) {
  EXPECT_TRUE(window->QuerySave());
  EXPECT_TRUE(messages().empty());

  window->SetModified(true);
  test::nextAnswer() = comp::TMsgResult::Cancel;
  EXPECT_FALSE(window->QuerySave());
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "Do you want to save any changes?");
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::Confirmation);

  test::nextAnswer() = comp::TMsgResult::No;
  EXPECT_TRUE(window->QuerySave());

  // Yes, and the Save As dialog is cancelled: the project has no name yet.
  test::nextAnswer() = comp::TMsgResult::Yes;
  EXPECT_FALSE(window->QuerySave());
  EXPECT_EQ(saveCaptions.last(), "Save NewData As");

  // Yes, and a name is chosen (".zvd" added): saved, agreed.
  saveAnswer = q(work / "block");
  EXPECT_TRUE(window->QuerySave());
  EXPECT_TRUE(fs::exists(work / "block.zvd"));
  EXPECT_TRUE(fs::exists(work / "block.zvm"));
  EXPECT_FALSE(window->IsModified());
  EXPECT_EQ(window->windowTitle(), "ZORVIN 3.0.13 - Block");
  EXPECT_EQ(window->RecentFiles().entry(0), q(work / "block.zvd"));
}

TEST_F(MainFormTest, ClosingAsksAndCancelKeepsTheWindow) {
  window->SetModified(true);
  test::nextAnswer() = comp::TMsgResult::Cancel;
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  test::nextAnswer() = comp::TMsgResult::No;
  EXPECT_TRUE(window->close());
}

TEST_F(MainFormTest, OpeningAFileTwiceKeepsOneRecentEntry) {
  const fs::path a = example("stratum-harmonic");
  const fs::path b = example("halfspace-transient");
  ASSERT_TRUE(window->OpenFile(q(a)));
  EXPECT_EQ(window->windowTitle(), "ZORVIN 3.0.13 - Stratum-harmonic");
  EXPECT_EQ(fs::current_path(), work.path());
  ASSERT_TRUE(window->OpenFile(q(b)));
  ASSERT_TRUE(window->OpenFile(q(b)));
  EXPECT_EQ(window->RecentFiles().count(), 2);
  EXPECT_EQ(window->RecentFiles().entry(0), q(b));
  EXPECT_EQ(window->RecentFiles().entry(1), q(a));
  EXPECT_EQ(QSettings("Kaltro", "ZORVIN").value("3.0.13/File1").toString(), q(b));

  // The File menu lists them relative to the current folder.
  window->FileMenuClick();
  EXPECT_NE(window->findAction("1 halfspace-transient.zvd"), nullptr);
  EXPECT_NE(window->findAction("2 stratum-harmonic.zvd"), nullptr);

  // A recent item opens its file.
  window->RecentFileClick(1);
  EXPECT_EQ(window->Project().FoundationType, "STRATUM");
}

TEST_F(MainFormTest, ADroppedFileOpensAfterTheSaveQuestion) {
  const fs::path deck = example("pilegroup-harmonic");
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(q(deck))});
  const auto drop = [&] {
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &event);
  };
  window->SetModified(true);
  test::nextAnswer() = comp::TMsgResult::Cancel;
  drop();
  EXPECT_EQ(window->Project().FileName, "NewData.zvd");
  test::nextAnswer() = comp::TMsgResult::No;
  drop();
  EXPECT_EQ(messages().size(), 2u);
  EXPECT_EQ(window->Project().FoundationType, "PILE");
  EXPECT_EQ(window->windowTitle(), "ZORVIN 3.0.13 - Pilegroup-harmonic");
  EXPECT_EQ(fs::current_path(), work.path());
}

TEST_F(MainFormTest, AFileThatCannotBeReadLeavesTheProject) {
  ASSERT_TRUE(window->OpenFile(q(example("stratum-harmonic"))));
  test::write_file(work / "broken.zvd", "TITLE=x\nGRAVITY=9.8\nFOUNDATION=HALF-SPACE\nRECTANGULAR=");
  EXPECT_FALSE(window->OpenFile(q(work / "broken.zvd")));
  EXPECT_EQ(window->Project().FoundationType, "STRATUM");
  EXPECT_EQ(window->windowTitle(), "ZORVIN 3.0.13 - Stratum-harmonic");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(window->RecentFiles().entry(0), q(work / "stratum-harmonic.zvd"));
}

TEST_F(MainFormTest, DataMenuFollowsTheFoundation) {
  ASSERT_TRUE(window->OpenFile(q(example("pilegroup-harmonic"))));
  window->DataMenuClick();
  EXPECT_TRUE(enabled("&Pile Properties"));
  EXPECT_TRUE(enabled("Pile Coordinates"));
  EXPECT_FALSE(enabled("Footing Mass Parameters"));
  EXPECT_FALSE(enabled("Soil Column Layer"));
  EXPECT_TRUE(enabled("Side Soil of Pile Cap"));

  ASSERT_TRUE(window->OpenFile(q(example("stratum-random"))));
  window->DataMenuClick();
  EXPECT_FALSE(enabled("&Pile Properties"));
  EXPECT_TRUE(enabled("Footing Mass Parameters"));
  EXPECT_FALSE(enabled("Side Soil"));
  // Random loading: only its own loading-data item.
  EXPECT_TRUE(enabled("Random Loading Data"));
  EXPECT_FALSE(enabled("Transient Loading Data"));
  EXPECT_FALSE(enabled("Harmonic Loading Data"));
  EXPECT_TRUE(window->findAction("Random Loading")->isChecked());

  ASSERT_TRUE(window->OpenFile(q(example("multilayer-harmonic"))));
  window->DataMenuClick();
  EXPECT_TRUE(enabled("Foundation Layer"));
  EXPECT_TRUE(enabled("Soil Column Layer"));
  EXPECT_TRUE(enabled("Side Soil of Fondation"));
  EXPECT_TRUE(enabled("Harmonic Loading Data"));
  // The deck has four elements, the upper two in the side soil: the soil
  // column holds the two below it.
  const TProjectTables& t = window->Tables();
  EXPECT_EQ(t.MultiElement().RowCount(), 4);
  EXPECT_EQ(t.D().RowCount(), 2);
  EXPECT_EQ(t.Multisoil().RowCount(), 2);
}

TEST_F(MainFormTest, ChoosingALoadTypeEnablesItsItemOnly) {
  window->findAction("Transient Loading")->trigger();
  EXPECT_EQ(window->Project().LoadType, 2);
  EXPECT_TRUE(enabled("Transient Loading Data"));
  EXPECT_FALSE(enabled("Harmonic Loading Data"));
  EXPECT_TRUE(window->IsModified());
  window->findAction("Harmonic Loading")->trigger();
  EXPECT_EQ(window->Project().LoadType, 1);
  EXPECT_TRUE(enabled("Harmonic Loading Data"));
  EXPECT_FALSE(enabled("Transient Loading Data"));
}

TEST_F(MainFormTest, ChoosingAUnitSystemTwiceConvertsOnce) {
  ASSERT_TRUE(window->OpenFile(q(example("stratum-harmonic"))));
  ASSERT_EQ(window->Project().UnitSystem, 1);
  ASSERT_NEAR(static_cast<double>(window->Project().LengthX), 20.0, 1e-12);
  window->findAction("&SI Units (kN, Mg, m)")->trigger();
  window->findAction("&SI Units (kN, Mg, m)")->trigger();
  EXPECT_EQ(window->Project().UnitSystem, 2);
  EXPECT_NEAR(static_cast<double>(window->Project().LengthX), 20 * 0.3048, 1e-9);
  EXPECT_TRUE(window->IsModified());
  window->findAction("&English Units (lbs, slug, ft)")->trigger();
  EXPECT_NEAR(static_cast<double>(window->Project().LengthX), 20.0, 1e-9);
}

TEST_F(MainFormTest, GraphicsMenuNeedsPlotData) {
  window->GraphicsMenuClick();
  EXPECT_FALSE(enabled("&Translational Stiffness (Kxx, Kyy, Kww)"));
  EXPECT_FALSE(enabled("Footing Response Amplitude (Displacement)"));

  // The example's plot data are read when the project opens.
  ASSERT_TRUE(window->OpenFile(q(example("halfspace-harmonic", true))));
  EXPECT_TRUE(window->PlotsLoaded());
  EXPECT_EQ(window->Plots().pltDxyzR.PointCount(), 99);
  window->GraphicsMenuClick();
  EXPECT_TRUE(enabled("&Translational Stiffness (Kxx, Kyy, Kww)"));
  EXPECT_TRUE(enabled("Rotational Damping (Cppx, Cppy, Czt)"));
  EXPECT_TRUE(enabled("Footing Response Amplitude (Rotation)"));
  EXPECT_TRUE(enabled("Interactive Footing Response Amplitude "));

  // Without the stiffness matrix the four stiffness and damping items go.
  window->Project().GenerateMatrix = 0;
  window->GraphicsMenuClick();
  EXPECT_FALSE(enabled("Translational Damping (Cxx, Cyy, Cww)"));
  EXPECT_TRUE(enabled("Footing Response Amplitude (Displacement)"));

  // A project without plot data: everything off.
  ASSERT_TRUE(window->OpenFile(q(example("halfspace-transient"))));
  EXPECT_FALSE(window->PlotsLoaded());
  window->GraphicsMenuClick();
  EXPECT_FALSE(enabled("&Translational Stiffness (Kxx, Kyy, Kww)"));
}

TEST_F(MainFormTest, RunWithoutTheEngineLibrary) {
  ASSERT_TRUE(window->OpenFile(q(example("halfspace-harmonic", true))));
  test::TempDir emptyProgramFolder;
  window->SetProgramFolder(q(emptyProgramFolder.path()));
  window->CompRunClick();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "Attempt to initialize DLL failed");
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::Information);
  EXPECT_EQ(window->LastRunCode(), -1);
  // The run folder holds no names file and is current no more: File > Open
  // starts in the project's folder. The old plot data are gone.
  EXPECT_EQ(fs::current_path(), work.path());
  window->FileOpenClick();
  EXPECT_EQ(openStarts, QStringList{q(work.path())});
  EXPECT_FALSE(fs::exists(run.path() / "run" / "names.dat"));
  EXPECT_FALSE(fs::exists(work / "halfspace-harmonic.zvp"));
  window->GraphicsMenuClick();
  EXPECT_FALSE(enabled("Footing Response Amplitude (Displacement)"));
}

TEST_F(MainFormTest, RunOfANewProjectWhoseSaveIsCancelledDoesNothing) {
  window->CompRunClick();
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(saveCaptions.size(), 1);
  EXPECT_FALSE(fs::exists(run.path() / "run"));
}

// The project file with its title line replaced, as a user edits it in the
// text editor between two steps of the program.
std::string withTitle(const std::string& deck, const std::string& title) {
  return "TITLE=" + title + deck.substr(deck.find('\n'));
}

TEST_F(MainFormTest, AFileChangedOnDiskIsSavedOverOnlyWhenTheUserSaysSo) {
  const fs::path deck = example("halfspace-harmonic");
  ASSERT_TRUE(window->OpenFile(q(deck)));
  const std::string opened = test::read_file(deck);
  const std::string edited = withTitle(opened, "Edited by hand");
  test::write_file(deck, edited);
  window->Project().ProjectTitle = "Changed in the program";
  window->SetModified(true);

  // Cancel: nothing is written, the changes stay the program's.
  test::nextAnswer() = comp::TMsgResult::Cancel;
  window->FileSaveClick();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::FileChanged);
  EXPECT_EQ(messages()[0], "The file " + q(deck) +
                               " was changed on disk since it was last opened or saved.\r"
                               "Reload it, overwrite it with this project, or cancel?");
  EXPECT_EQ(test::read_file(deck), edited);
  EXPECT_TRUE(window->IsModified());

  // Reload: the file's text becomes the project, and stays as it is.
  test::nextAnswer() = comp::TMsgResult::Reload;
  window->FileSaveClick();
  EXPECT_EQ(window->Project().ProjectTitle, "Edited by hand");
  EXPECT_FALSE(window->IsModified());
  EXPECT_EQ(test::read_file(deck), edited);
  EXPECT_EQ(messages().size(), 2u);

  // What was read is no change: Save writes without a question; so it does
  // after its own write, over the same bytes written anew, and where the
  // file was deleted.
  test::recordedMessages().clear();
  window->FileSaveClick();
  window->FileSaveClick();
  test::write_file(deck, test::read_file(deck));
  window->FileSaveClick();
  fs::remove(deck);
  window->FileSaveClick();
  EXPECT_TRUE(messages().empty());
  EXPECT_NE(test::read_file(deck).find("TITLE=Edited by hand\n"), std::string::npos);

  // Overwrite: the project is written over the user's edit.
  test::write_file(deck, withTitle(opened, "Edited again"));
  test::nextAnswer() = comp::TMsgResult::Overwrite;
  window->FileSaveClick();
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_NE(test::read_file(deck).find("TITLE=Edited by hand\n"), std::string::npos);
  EXPECT_FALSE(window->IsModified());

  // A reload of a file that cannot be read is refused as on Open: the project
  // and the file stay as they were.
  test::recordedMessages().clear();
  test::write_file(deck, "TITLE=x\nGRAVITY=9.8\nFOUNDATION=HALF-SPACE\nRECTANGULAR=");
  test::nextAnswer() = comp::TMsgResult::Reload;
  window->FileSaveClick();
  EXPECT_FALSE(window->OpenFile(q(deck)));
  ASSERT_EQ(messages().size(), 3u);
  EXPECT_EQ(messages()[1], messages()[2]);
  EXPECT_EQ(window->Project().ProjectTitle, "Edited by hand");
  EXPECT_EQ(test::read_file(deck), "TITLE=x\nGRAVITY=9.8\nFOUNDATION=HALF-SPACE\nRECTANGULAR=");
}

TEST_F(MainFormTest, SaveAsOntoItsNameAndRunAskBeforeWritingAChangedFile) {
  const fs::path deck = example("halfspace-harmonic", true);
  ASSERT_TRUE(window->OpenFile(q(deck)));
  const std::string edited = withTitle(test::read_file(deck), "Edited by hand");
  test::write_file(deck, edited);

  // Save As onto another name asks nothing; onto the project's own name it
  // asks, and Cancel keeps the file.
  saveAnswer = q(work / "copy.zvd");
  test::nextAnswer() = comp::TMsgResult::Cancel;
  window->FileSaveAsClick();
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(fs::exists(work / "copy.zvd"));
  saveAnswer = q(deck);
  ASSERT_TRUE(window->OpenFile(q(deck)));
  test::write_file(deck, withTitle(edited, "Edited twice"));
  window->FileSaveAsClick();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::FileChanged);
  EXPECT_EQ(test::read_file(deck), withTitle(edited, "Edited twice"));

  // Run asks before it saves: Cancel writes and runs nothing, and the plot
  // data of the last run stay.
  test::TempDir emptyProgramFolder;
  window->SetProgramFolder(q(emptyProgramFolder.path()));
  test::recordedMessages().clear();
  window->CompRunClick();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::FileChanged);
  EXPECT_EQ(test::read_file(deck), withTitle(edited, "Edited twice"));
  EXPECT_TRUE(fs::exists(work / "halfspace-harmonic.zvp"));
  EXPECT_FALSE(fs::exists(run.path() / "run"));

  // Overwrite: saved, then the run goes on (here to the missing library).
  test::nextAnswer() = comp::TMsgResult::Overwrite;
  window->CompRunClick();
  ASSERT_EQ(messages().size(), 3u);
  EXPECT_EQ(messages()[2], "Attempt to initialize DLL failed");
  EXPECT_NE(test::read_file(deck).find("TITLE=Edited by hand\n"), std::string::npos);
}

TEST_F(MainFormTest, DataFormsStoreWhenAnotherChildIsActivated) {
  window->findAction("&Title")->trigger();
  QMdiSubWindow* titleWindow = window->mdiArea()->activeSubWindow();
  ASSERT_NE(titleWindow, nullptr);
  auto* title = dynamic_cast<TdlgTitle*>(titleWindow->widget());
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->TitleMemo()->text(), "New Pile");
  title->TitleMemo()->setText("Fan foundation");
  EXPECT_FALSE(window->IsModified());

  window->findAction("Control &Options...")->trigger();
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(window->Project().ProjectTitle, "Fan foundation");
  EXPECT_TRUE(window->IsModified());

  // The Title item shows the one existing form again.
  window->findAction("&Title")->trigger();
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(window->mdiArea()->activeSubWindow(), titleWindow);

  // The Window menu lists the children; New closes them all.
  window->WindowMenuClick();
  EXPECT_NE(window->findAction("Project Title"), nullptr);
  EXPECT_NE(window->findAction("Control Options"), nullptr);
  test::nextAnswer() = comp::TMsgResult::No;
  window->FileNewClick();
  EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
  EXPECT_EQ(window->Project().ProjectTitle, "New Pile");
}

TEST_F(MainFormTest, ArrangeIconsMovesTheMinimisedChildrenOnly) {
  window->findAction("&Title")->trigger();
  QMdiSubWindow* title = window->mdiArea()->activeSubWindow();
  window->findAction("Control &Options...")->trigger();
  QMdiSubWindow* options = window->mdiArea()->activeSubWindow();
  ASSERT_TRUE(title != nullptr && options != nullptr && title != options);
  title->move(120, 80);
  const QRect kept = title->geometry();
  options->showMinimized();
  options->move(300, 10);
  window->findAction("&Arrange Icons")->trigger();
  EXPECT_EQ(title->geometry(), kept);
  EXPECT_TRUE(options->isMinimized());
  EXPECT_EQ(options->x(), 0);
  EXPECT_EQ(options->geometry().bottom() + 1, window->mdiArea()->viewport()->height());
}

TEST_F(MainFormTest, TheQuadraticFormIsAChildWindowLikeItsTwin) {
  window->findAction("Quadratic")->trigger();
  QMdiSubWindow* sub = window->mdiArea()->activeSubWindow();
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->windowTitle(), "Harmonic Loading Data, Quadratic");
  EXPECT_FALSE(sub->widget()->isWindow());
  EXPECT_EQ(window->Project().QuadraticLoad, 1);
}

TEST_F(MainFormTest, EntriesTakeTheUserSeparatorAndTheFileKeepsThePoint) {
  comp::DecimalSeparatorGuard restore(comp::decimal_separator());
  TakeDecimalSeparator(QLocale(QLocale::German, QLocale::Germany));
  ASSERT_EQ(comp::decimal_separator(), ',');
  const fs::path deck = example("halfspace-harmonic");
  ASSERT_TRUE(window->OpenFile(q(deck)));

  // The footing's length, 6 m, in its edit box.
  window->findAction("Option of Foundation Shape")->trigger();
  comp::TDataEdit* length = nullptr;
  for (auto* e : window->mdiArea()->activeSubWindow()->widget()->findChildren<comp::TDataEdit*>())
    if (e->text() == "6" && !length) length = e;
  ASSERT_NE(length, nullptr);
  length->setText("0,5");
  EXPECT_TRUE(length->IsValid());
  EXPECT_EQ(length->text(), "0,5");

  // The Poisson's ratio of the side soil, 0.33, in its table cell (the
  // weakened zone's ratio is written as the same value).
  window->findAction("Side Soil of Fondation")->trigger();
  auto* table = dynamic_cast<comp::TTableForm*>(window->mdiArea()->activeSubWindow()->widget());
  ASSERT_NE(table, nullptr);
  QTableWidget* grid = table->Grid();
  int column = -1;
  for (int c = grid->columnCount() - 1; c >= 0; --c)
    if (grid->item(0, c) && grid->item(0, c)->text() == "0,33") column = c;
  ASSERT_GE(column, 0);
  grid->setCurrentCell(0, column);
  grid->item(0, column)->setText("0,5");
  EXPECT_TRUE(table->CommitCell());
  grid->setCurrentCell(0, column == 0 ? 1 : 0);  // the cells are written again from the table
  EXPECT_EQ(grid->item(0, column)->text(), "0,5");
  EXPECT_TRUE(test::recordedMessages().empty());

  window->FileSaveClick();
  const std::string saved = test::read_file(deck);
  EXPECT_NE(saved.find("\nRECTANGULAR=0.5,4\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\n1 1 150 18 0.5 0.05 0.7 0.5 0.1 0.1\n"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("0,5"), std::string::npos);
}

TEST_F(MainFormTest, ChangingTheLoadTypeFreesTheOtherLoadingForms) {
  window->findAction("Transient Loading")->trigger();
  window->findAction("Transient Loading Data")->trigger();
  ASSERT_EQ(window->mdiArea()->subWindowList().size(), 1);
  // Harmonic chosen: its form does not exist yet, so the transient one stays.
  window->findAction("Harmonic Loading")->trigger();
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 1);
  window->findAction("NonQuadratic")->trigger();
  ASSERT_EQ(window->mdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(window->Project().QuadraticLoad, 0);
  const QString harmonicTitle = window->mdiArea()->activeSubWindow()->windowTitle();
  window->UpdateLoadingMenus();
  ASSERT_EQ(window->mdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(window->mdiArea()->subWindowList()[0]->windowTitle(), harmonicTitle);
  // The transient form is made anew when asked for (the harmonic one stays
  // until the loading menus are updated again).
  window->findAction("Transient Loading")->trigger();
  window->findAction("Transient Loading Data")->trigger();
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 2);
  window->UpdateLoadingMenus();
  ASSERT_EQ(window->mdiArea()->subWindowList().size(), 1);
  EXPECT_NE(window->mdiArea()->subWindowList()[0]->windowTitle(), harmonicTitle);
}

TEST_F(MainFormTest, UncheckingTheMatrixDropsItsLineAndTheStiffnessPlots) {
  const fs::path deck = example("halfspace-harmonic", true);
  ASSERT_TRUE(window->OpenFile(q(deck)));
  ASSERT_NE(test::read_file(deck).find("\nMATRIX\n"), std::string::npos);
  window->findAction("Control &Options...")->trigger();
  auto* options = dynamic_cast<TDlgOptions*>(window->mdiArea()->activeSubWindow()->widget());
  ASSERT_NE(options, nullptr);
  EXPECT_TRUE(options->MatrixBox()->isChecked());
  options->MatrixBox()->click();
  window->FileSaveClick();
  EXPECT_EQ(test::read_file(deck).find("MATRIX"), std::string::npos);
  window->GraphicsMenuClick();
  EXPECT_FALSE(enabled("&Translational Stiffness (Kxx, Kyy, Kww)"));
  EXPECT_TRUE(enabled("Footing Response Amplitude (Displacement)"));
}

TEST_F(MainFormTest, TablesPlotsAndTheAmplitudeDialogOpenFromTheMenus) {
  ASSERT_TRUE(window->OpenFile(q(example("halfspace-harmonic", true))));
  window->DataMenuClick();
  window->findAction("Side Soil of Fondation")->trigger();
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 1);
  window->GraphicsMenuClick();
  window->findAction("&Translational Stiffness (Kxx, Kyy, Kww)")->trigger();
  window->findAction("Footing Response Amplitude (Rotation)")->trigger();
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 3);
  EXPECT_TRUE(window->Plots().pltRealKXX.HasWindow());
  window->findAction("Interactive Footing Response Amplitude ")->trigger();
  EXPECT_EQ(dialogs, QStringList{"Footing Amplitude Plot"});

  // New closes the table editor and the plot windows.
  test::nextAnswer() = comp::TMsgResult::No;
  window->FileNewClick();
  EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
  EXPECT_FALSE(window->Plots().pltRealKXX.HasWindow());

  // Windows still open when the main window goes are closed first.
  ASSERT_TRUE(window->OpenFile(q(work / "halfspace-harmonic.zvd")));
  window->findAction("Side Soil of Fondation")->trigger();
  window->findAction("&Title")->trigger();
  window->findAction("Footing Response Amplitude (Displacement)")->trigger();
  EXPECT_EQ(window->mdiArea()->subWindowList().size(), 3);
  window.reset();
}

TEST_F(MainFormTest, ComputationMenuOpensFilesInTheEditor) {
  ASSERT_TRUE(window->OpenFile(q(example("halfspace-harmonic", true))));
  window->ComputationMenuClick();
  EXPECT_TRUE(enabled("Edit I&nput Text"));
  EXPECT_TRUE(enabled("Edit &Output Text"));
  EXPECT_FALSE(enabled("Edit &Processor-Run Notes"));
  EXPECT_TRUE(enabled("&Run Analysis"));

  // No editor set: the desktop's default application.
  window->SetWordProcessorPath("");
  window->findAction("Edit I&nput Text")->trigger();
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened[0], q(work / "halfspace-harmonic.zvd"));

  window->SetWordProcessorPath("/usr/bin/gedit");
  window->findAction("Edit &Output Text")->trigger();
  ASSERT_EQ(started.size(), 1);
  EXPECT_EQ(started[0], "/usr/bin/gedit " + q(work / "halfspace-harmonic.zvo"));

  startResult = false;
  window->findAction("Edit &Output Text")->trigger();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "An error occurred in running the Word Processor");
  EXPECT_EQ(window->findChild<TReportWindow*>(), nullptr);

  // No editor set and none on the desktop: the report in a read-only window
  // of the program's own, read again when asked again.
  test::recordedMessages().clear();
  window->SetWordProcessorPath("");
  const fs::path report = work / "halfspace-harmonic.zvo";
  test::write_file(report, " ZORVIN REPORT\n    1   2.50\n");
  window->findAction("Edit &Output Text")->trigger();
  EXPECT_TRUE(messages().empty());
  auto* reportWindow = window->findChild<TReportWindow*>();
  ASSERT_NE(reportWindow, nullptr);
  EXPECT_TRUE(reportWindow->isVisible());
  EXPECT_TRUE(reportWindow->Text()->isReadOnly());
  EXPECT_EQ(reportWindow->Text()->toPlainText(), " ZORVIN REPORT\n    1   2.50\n");
  EXPECT_TRUE(reportWindow->windowTitle().contains(q(report)));
  test::write_file(report, " ZORVIN REPORT\n");
  window->findAction("Edit &Output Text")->trigger();
  EXPECT_EQ(window->findChildren<TReportWindow*>().size(), 1);
  EXPECT_EQ(reportWindow->Text()->toPlainText(), " ZORVIN REPORT\n");
  // A report that cannot be read is named, with the reason.
  fs::remove(report);
  fs::create_directory(report);
  window->findAction("Edit &Output Text")->trigger();
  ASSERT_EQ(messages().size(), 1u);
  const std::string message = messages()[0].toStdString();
  EXPECT_TRUE(messages()[0].startsWith("The file " + q(report) + " could not be opened: ")) << message;
  EXPECT_FALSE(messages()[0].endsWith(": .")) << message;
  reportWindow->close();
}

TEST_F(MainFormTest, HelpMenu) {
  window->findAction("&About...")->trigger();
  EXPECT_EQ(dialogs, QStringList{"About TARNEL"});
  EXPECT_EQ(aboutVersion, "Version 3.0.13");
#ifndef ZORVIN_UPDATE_ADDRESS
  EXPECT_FALSE(enabled("Check for &Updates"));
#endif
  // The help page and the manual are built into the program's help folder.
  const fs::path help = fs::path(ZRV_BIN_DIR) / "help";
  window->findAction("&Contents")->trigger();
  window->findAction("&User's Manual")->trigger();
  EXPECT_EQ(opened, (QStringList{q(help / "zorvin-help.html"), q(help / "zorvin-manual.pdf")}));
  EXPECT_TRUE(messages().empty());
  for (const QString& file : opened) EXPECT_TRUE(fs::exists(file.toStdString())) << file.toStdString();
  const std::string pdf = test::read_file(help / "zorvin-manual.pdf");
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_GE(pdfPageCount(pdf), 3);  // title, contents and at least one chapter
  EXPECT_NE(test::read_file(help / "zorvin-help.html").find("<a href=\"#s1\">"), std::string::npos);
  opened.clear();

  // A desktop without a program for them: the help in a window of the
  // program's own, which says where the PDF manual is.
  startResult = false;
  window->findAction("&User's Manual")->trigger();
  EXPECT_TRUE(messages().empty());
  auto* helpWindow = window->findChild<THelpWindow*>();
  ASSERT_NE(helpWindow, nullptr);
  EXPECT_TRUE(helpWindow->isVisible());
  EXPECT_TRUE(helpWindow->Note()->text().contains(QDir::toNativeSeparators(q(help / "zorvin-manual.pdf"))));
  EXPECT_TRUE(helpWindow->Browser()->toPlainText().contains("Getting started"));
  window->findAction("&Contents")->trigger();
  EXPECT_EQ(window->findChildren<THelpWindow*>().size(), 1);
  EXPECT_TRUE(helpWindow->Note()->isHidden());
  helpWindow->close();
  startResult = true;
  opened.clear();

  test::TempDir program;
  window->SetProgramFolder(q(program.path()));
  window->findAction("&User's Manual")->trigger();
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0], "The file " + q(program.path() / "help" / "zorvin-manual.pdf") + " could not be found.");
  fs::create_directories(program.path() / "help");
  test::write_file(program.path() / "help" / "zorvin-help.html", "<html></html>");
  window->findAction("&Contents")->trigger();
  EXPECT_EQ(opened, QStringList{q(program.path() / "help" / "zorvin-help.html")});
}

// The manual has all ten chapters and runs to at least 20 pages.
TEST(Manual, HasAtLeastTwentyPagesWithAllChapters) {
  int chapters = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(ZRV_SOURCE_DIR) / "docs" / "manual"))
    chapters += entry.path().extension() == ".md";
  EXPECT_EQ(chapters, 10);
  const std::string pdf = test::read_file(fs::path(ZRV_BIN_DIR) / "help" / "zorvin-manual.pdf");
  EXPECT_GE(pdfPageCount(pdf), 20);
}

TEST_F(MainFormTest, ViewsOpenAtAUsableSize) {
  // Views draw on their own and have no layout: they must still open as
  // child windows large enough to show the drawing.
  ASSERT_TRUE(window->OpenFile(q(example("pilegroup-harmonic"))));
  window->findAction("Top View")->trigger();
  window->findAction("Side View (XZ-Plane)")->trigger();
  window->findAction("Side View (YZ-Plane)")->trigger();
  const QList<QMdiSubWindow*> list = window->mdiArea()->subWindowList();
  ASSERT_EQ(list.size(), 3);
  for (QMdiSubWindow* sub : list) {
    EXPECT_GE(sub->widget()->width(), 400) << sub->windowTitle().toStdString();
    EXPECT_GE(sub->widget()->height(), 300) << sub->windowTitle().toStdString();
  }
}

}  // namespace
}  // namespace zrv::front
