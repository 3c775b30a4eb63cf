#include "app/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/AnalysisRun.h"
#include "app/Desktop.h"
#include "app/HelpWindow.h"
#include "app/MainChildren.h"
#include "app/ReportWindow.h"
#include "app/RunAnalysis.h"
#include "base/exceptions.h"
#include "dataedit/EntryCheck.h"
#include "dataedit/TDataEdit.h"
#include "forms/TDataForm.h"
#include "grid/TTableEditor.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"
#include "ui/UiHooks.h"

namespace zrv::front {

namespace {

const QString kFileFilter = QStringLiteral("ZORVIN " ZORVIN_VERSION " (*.zvd);;All Files (*)");

QString toQ(const std::string& s) { return QString::fromStdString(s); }

// Whether the focused box of `form` holds an entry that its exit check would
// refuse; the check runs without showing anything.
bool entryRefused(TDataForm& form) {
  auto* edit = qobject_cast<comp::TDataEdit*>(form.focusWidget());
  if (edit == nullptr || !form.isAncestorOf(edit)) return false;
  const comp::TEntryCheck check =
      comp::CheckEntry(edit->text().toStdString(), edit->IntegerOnly(), edit->MinVal(), edit->MaxVal());
  return check.fault != comp::TEntryFault::None;
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setAcceptDrops(true);
  m_programFolder = QCoreApplication::applicationDirPath();
  m_runFolder = DefaultRunFolder();
  m_mdi = new QMdiArea(this);
  m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(m_mdi);
  connect(m_mdi, &QMdiArea::subWindowActivated, this,
          [this](QMdiSubWindow* window) { guarded([&] { subWindowActivated(window); }); });

  m_settings = ReadMainSettings();
  m_tables = std::make_unique<TProjectTables>();
  m_tables->D().SetComments(
      "Weak Zone Shear Moduli Ratio is suggested to be:\n"
      "- 0.25 to 0.50 for machine foundations,\n"
      "- less than 0.25 for seismic response.\n"
      "A value of 1 indicates no reduction will be considered\n"
      "A value of 0 may generate numerical errors.");
  m_plots = std::make_unique<TResultPlots>();
  buildPlots();
  m_project = std::make_unique<TProgramData>(*m_tables);

  // Component windows (table editors, plot windows) become children here.
  comp::setChildHost([this](QWidget* child) { ShowChild(child); });
  comp::InstallTableEditor();
  buildMenus();
  resize(1000, 720);
  setCaption();
}

TMainForm::~TMainForm() {
  comp::setChildHost({});
  disconnect(m_mdi, nullptr, this, nullptr);
  // Children refer to the project, tables and plots: they go first.
  for (QMdiSubWindow* s : m_mdi->subWindowList()) {
    if (QWidget* w = s->widget()) w->close();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QMdiSubWindow* s : m_mdi->subWindowList()) delete s;
}

void TMainForm::Start(const QString& argument) {
  m_settings = ReadMainSettings();
  QString missing;
  if (!argument.isEmpty()) {
    QString path = argument;
    if (!QFileInfo(path).fileName().contains('.')) path += ".zvd";
    if (QFileInfo(path).isFile()) {
      OpenFile(QFileInfo(path).absoluteFilePath());
      setCaption();
      return;
    }
    missing = QFileInfo(path).absoluteFilePath();
  }
  guarded([&] { newProject(); });
  setCaption();
  // The user asked for a file: the new project is not it.
  if (!missing.isEmpty()) comp::ShowInformation("The file " + missing + " could not be found.");
}

// ---------------------------------------------------------------- state

// The project holds its modified state; the window only shows and asks it.
bool TMainForm::IsModified() const { return m_project->Modified(); }

void TMainForm::SetModified(bool modified) { m_project->SetModified(modified); }

void TMainForm::setCaption() { setWindowTitle(MainCaption(toQ(m_project->FileName))); }

void TMainForm::saveSettings() { WriteMainSettings(m_settings); }

void TMainForm::UpdatePrevFile(const QString& path) {
  if (!m_settings.recent.UpdatePrevFile(path)) return;
  saveSettings();
}

void TMainForm::newProject() {
  closeAllChildren();
  replaceProject(std::make_unique<TProgramData>(*m_tables));
}

void TMainForm::replaceProject(std::unique_ptr<TProgramData> project) {
  // Every child was closed before the new project took the tables over.
  m_project = std::move(project);
  m_plotsLoaded = false;
  UpdatePileMenus();
  UpdateLoadingMenus();
}

// ---------------------------------------------------------------- children

QMdiSubWindow* TMainForm::subWindowOf(const QWidget* widget) const {
  if (widget == nullptr) return nullptr;
  for (QMdiSubWindow* s : m_mdi->subWindowList())
    if (s->widget() == widget) return s;
  return nullptr;
}

void TMainForm::ShowChild(QWidget* child) {
  if (child == nullptr) return;
  QMdiSubWindow* sub = subWindowOf(child);
  if (sub == nullptr) {
    sub = m_mdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A child that closes (and frees) itself takes its frame with it.
    // Held as a QObject: the frame may be half destroyed when its child goes.
    connect(child, &QObject::destroyed, sub, [s = QPointer<QObject>(sub)] {
      if (s) s->deleteLater();
    });
  }
  child->show();
  if (sub->isMinimized()) sub->showNormal();
  sub->show();
  m_mdi->setActiveSubWindow(sub);
}

void TMainForm::subWindowActivated(QMdiSubWindow* window) {
  // Leaving the program for another one neither stores nor reloads a form.
  if (m_reactivating || window == nullptr || window == m_activeForm.data()) return;
  if (QMdiSubWindow* active = activeFrame()) {
    if (auto* form = qobject_cast<TDataForm*>(active->widget())) {
      // No box opens inside an activation: a refused entry is told about
      // once the activation is over.
      const bool refused = entryRefused(*form);
      if (refused || !deactivate(*form)) {
        // The form keeps the focus until its entry is mended.
        m_reactivating = true;
        m_mdi->setActiveSubWindow(active);
        m_reactivating = false;
        if (refused && !m_refusalPending) {
          m_refusalPending = true;
          QTimer::singleShot(0, this, &TMainForm::tellRefusal);
        }
        return;
      }
    }
  }
  m_activeForm = window;
  if (auto* form = qobject_cast<TDataForm*>(window->widget())) {
    guarded([&] { form->FormActivate(); });
  } else if (QWidget* view = window->widget()) {
    // Views refresh themselves when their window becomes active; inside the
    // main window that is when their child window is chosen.
    QEvent activate(QEvent::WindowActivate);
    guarded([&] { QCoreApplication::sendEvent(view, &activate); });
  }
}

QMdiSubWindow* TMainForm::activeChild() const {
  QMdiSubWindow* sub = m_mdi->activeSubWindow();
  return sub != nullptr ? sub : activeFrame();
}

QMdiSubWindow* TMainForm::activeFrame() const {
  // A frame being destroyed is no longer a sub-window: qobject_cast says so,
  // where a cast of the pointer's own type would read a half-destroyed object.
  return qobject_cast<QMdiSubWindow*>(m_activeForm.data());
}

bool TMainForm::DeactivateActiveChild() {
  QMdiSubWindow* sub = activeChild();
  if (sub == nullptr) return true;
  if (auto* form = qobject_cast<TDataForm*>(sub->widget())) return deactivate(*form);
  return true;
}

void TMainForm::storeOnMenuOpening(bool tell) {
  QMdiSubWindow* sub = activeChild();
  auto* form = sub != nullptr ? qobject_cast<TDataForm*>(sub->widget()) : nullptr;
  if (form == nullptr || !entryRefused(*form)) {
    DeactivateActiveChild();
    return;
  }
  if (!tell || m_refusalPending) return;
  m_refusalPending = true;
  QTimer::singleShot(0, this, &TMainForm::tellRefusal);
}

void TMainForm::tellRefusal() {
  if (!m_refusalPending) return;
  // While a menu is open or the menu bar is being worked, the box waits.
  if (comp::MenusInUse()) {
    QTimer::singleShot(comp::kMenusRetryMs, this, &TMainForm::tellRefusal);
    return;
  }
  DeactivateActiveChild();  // shows why and gives the box the focus back
  m_refusalPending = false;
}

void TMainForm::dropRefusedEntry() {
  QPointer<QMdiSubWindow> sub = activeChild();
  if (sub == nullptr) return;
  QWidget* w = sub->widget();
  if (auto* form = qobject_cast<TDataForm*>(w)) {
    if (!entryRefused(*form)) return;
    m_reactivating = true;
    form->Discard();
  } else if (auto* editor = qobject_cast<comp::TTableForm*>(w)) {
    if (editor->TryCommitCell()) return;
    m_reactivating = true;
    editor->closeEditor();
  } else {
    return;
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete sub.data();  // the frame, when it is still there
  m_activeForm = nullptr;
  m_refusalPending = false;
  m_reactivating = false;
}

bool TMainForm::deactivate(TDataForm& form) {
  m_refusalPending = false;  // the refusal is told here, if any
  // An entry that cannot be stored keeps its form in front, like a refused one.
  bool stored = false;
  guarded([&] { stored = form.FormDeactivate(); });
  return stored;
}

void TMainForm::closeAllChildren() {
  // Every child goes, whatever its pending entry holds: a form or table
  // editor that outlived its project would store the old project's values
  // into the next one. Nothing is stored on the way out, and no form is
  // activated or deactivated while the others close.
  m_reactivating = true;
  for (QMdiSubWindow* s : m_mdi->subWindowList()) {
    QWidget* w = s->widget();
    if (auto* form = qobject_cast<TDataForm*>(w))
      form->Discard();
    else if (auto* editor = dynamic_cast<comp::TTableEditor*>(w))
      editor->closeEditor();
    else
      s->close();
  }
  // Closed forms go now, so that their created-flags are clear at once.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QMdiSubWindow* s : m_mdi->subWindowList()) delete s;  // a child that refused to close
  m_activeForm = nullptr;
  m_reactivating = false;
}

void TMainForm::refreshDataForms() {
  for (QMdiSubWindow* s : m_mdi->subWindowList())
    if (auto* form = qobject_cast<TDataForm*>(s->widget())) form->FormActivate();
}

// ---------------------------------------------------------------- files

bool TMainForm::QuerySave() {
  if (!IsModified()) return true;
  switch (comp::AskYesNoCancel("Do you want to save any changes?")) {
    case comp::TMsgResult::Cancel:
      return false;
    case comp::TMsgResult::No:
      return true;
    default:
      break;
  }
  FileSaveClick();
  return m_project->FileName != TProgramData::kNewFileName && !IsModified();
}

void TMainForm::FileNewClick() {
  dropRefusedEntry();
  DeactivateActiveChild();
  if (!QuerySave()) return;
  guarded([&] { newProject(); });
  setCaption();
  if (m_view3DOpen) Close3DView();
}

void TMainForm::FileOpenClick() {
  dropRefusedEntry();
  DeactivateActiveChild();
  if (!QuerySave()) return;
  // The dialog starts in the project's folder (a new project's is the current one).
  const QString folder = QFileInfo(toQ(m_project->FileName)).absolutePath();
  const QString path = desktop().openFile(this, "Open", folder, kFileFilter);
  if (!path.isEmpty()) OpenFile(path);
}

bool TMainForm::OpenFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  // The bytes are taken before they are read, so that a change made
  // meanwhile is seen before the next save.
  TFileStamp stamp = TFileStamp::OfFile(absolute.toStdString());
  // The whole file is read before anything of the open project changes.
  TProjectImage image;
  try {
    image = TProgramData::ReadFile(absolute.toStdString(), *m_tables);
  } catch (const comp::EInOutError& e) {
    comp::ShowInformation(QString::fromUtf8(e.what()));
    return false;
  } catch (...) {
    ShowCurrentException();
    return false;
  }
  QDir::setCurrent(QFileInfo(absolute).absolutePath());
  closeAllChildren();
  try {
    replaceProject(TProgramData::FromImage(image, *m_tables));
  } catch (const std::exception& e) {
    // The tables could not take the image: a new project, never half a one.
    replaceProject(std::make_unique<TProgramData>(*m_tables));
    setCaption();
    comp::ShowError(QString::fromUtf8(e.what()));
    return false;
  }
  m_project->SetDiskStamp(std::move(stamp));
  if (m_view3DOpen) Close3DView();
  setCaption();
  readProjectPlots();
  UpdatePrevFile(absolute);
  return true;
}

void TMainForm::readProjectPlots() {
  const QString plotFile = ChangeFileExt(toQ(m_project->FileName), ".zvp");
  if (QFileInfo::exists(plotFile))
    ReadPlotData(plotFile);
  else
    m_plotsLoaded = false;
}

bool TMainForm::ReadPlotData(const QString& path) {
  try {
    m_plotsLoaded = zrv::front::ReadPlotData(path.toStdString(), *m_plots, m_project->UnitSystem,
                                             m_project->GenerateMatrix, m_project->LoadType);
  } catch (const std::exception&) {
    m_plotsLoaded = false;  // damaged plot data leave the Graphics menu off
  }
  return m_plotsLoaded;
}

void TMainForm::FileSaveClick() {
  // A refused entry is not saved over: its form says why and keeps the focus.
  if (!DeactivateActiveChild()) return;
  if (m_project->FileName == TProgramData::kNewFileName) {
    FileSaveAsClick();
    return;
  }
  if (askIfChangedOnDisk() != TDiskAnswer::Write) return;
  guarded([&] { m_project->WriteInputFiles(); });
}

TMainForm::TDiskAnswer TMainForm::askIfChangedOnDisk() {
  const std::string& file = m_project->FileName;
  if (!m_project->DiskStamp().ChangedOnDisk(file)) return TDiskAnswer::Write;
  const QString path = toQ(file);
  switch (comp::AskReloadOverwrite("The file " + path +
                                   " was changed on disk since it was last opened or saved.\r"
                                   "Reload it, overwrite it with this project, or cancel?")) {
    case comp::TMsgResult::Reload:
      return OpenFile(path) ? TDiskAnswer::Reloaded : TDiskAnswer::Cancel;
    case comp::TMsgResult::Overwrite:
      // The file as it is now may be written over without asking again.
      m_project->SetDiskStamp(TFileStamp::OfFile(file));
      return TDiskAnswer::Write;
    default:
      return TDiskAnswer::Cancel;
  }
}

void TMainForm::FileSaveAsClick() {
  if (!DeactivateActiveChild()) return;
  const QString old = toQ(m_project->FileName);
  QString path =
      desktop().saveFile(this, "Save " + FileTitle(old) + " As", QFileInfo(old).absoluteFilePath(), kFileFilter);
  if (path.isEmpty()) return;
  if (!QFileInfo(path).fileName().contains('.')) path += QStringLiteral(".") + kProjectExtension;
  path = QFileInfo(path).absoluteFilePath();
  // Onto its own name, Save As asks first like Save; a reloaded file is
  // already the project.
  const QFileInfo chosen(path), current(QFileInfo(old).absoluteFilePath());
  const bool same = chosen.absoluteFilePath() == current.absoluteFilePath() ||
                    (chosen.exists() && chosen.canonicalFilePath() == current.canonicalFilePath());
  if (same && askIfChangedOnDisk() != TDiskAnswer::Write) return;
  m_project->FileName = path.toStdString();
  if (!guarded([&] { m_project->WriteInputFiles(); })) {
    // Nothing was written under the new name: the project keeps its old one.
    m_project->FileName = old.toStdString();
    return;
  }
  // The project's folder is current, as after Open: printing to a file starts there.
  QDir::setCurrent(QFileInfo(path).absolutePath());
  setCaption();
  UpdatePrevFile(path);
}

void TMainForm::RecentFileClick(int index) {
  const QString path = m_settings.recent.entry(index);
  if (path.isEmpty()) return;
  dropRefusedEntry();
  DeactivateActiveChild();
  if (!QuerySave()) return;
  OpenFile(path);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  DeactivateActiveChild();
  if (!QuerySave()) {
    event->ignore();
    return;
  }
  saveSettings();
  closeAllChildren();
  event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  dropRefusedEntry();
  DeactivateActiveChild();
  if (!QuerySave()) return;
  OpenFile(urls.first().toLocalFile());
}

// ---------------------------------------------------------------- project commands

void TMainForm::SetUnits(int system) {
  if (system == m_project->UnitSystem) return;
  guarded([&] {
    m_project->SetUnitSystem(system);
    refreshDataForms();
    SetModified(true);
  });
}

void TMainForm::SetLoadType(int loadType) {
  m_project->LoadType = loadType;
  // The menu decides now, not the loading line last read from a file.
  m_project->LoadingText.clear();
  SetModified(true);
  UpdateLoadingMenus();
}

void TMainForm::SetQuadratic(int quadratic) {
  if (m_project->QuadraticLoad != quadratic) {
    m_project->QuadraticLoad = quadratic;
    SetModified(true);
  }
  if (m_quadratic) m_quadratic->setChecked(quadratic == 1);
  if (m_nonQuadratic) m_nonQuadratic->setChecked(quadratic != 1);
}

void TMainForm::UpdateLoadingMenus() {
  m_project->LoadType = LoadTypeFromText(toQ(m_project->LoadingText), m_project->LoadType);
  setLoadingChecks();
  const int type = m_project->LoadType;
  TChildKind current = TChildKind::Count;
  if (type == 1) current = m_project->QuadraticLoad == 1 ? TChildKind::Quadratic : TChildKind::Harmonic;
  if (type == 2) current = TChildKind::Transient;
  if (type == 3) current = TChildKind::Random;
  if (current == TChildKind::Count || m_children.find(current) == nullptr) return;
  for (TChildKind other : {TChildKind::Harmonic, TChildKind::Quadratic, TChildKind::Transient, TChildKind::Random}) {
    QWidget* form = m_children.find(other);
    if (other == current || form == nullptr) continue;
    if (QMdiSubWindow* sub = subWindowOf(form)) {
      sub->setWidget(nullptr);
      delete sub;
    }
    delete form;
  }
}

// ---------------------------------------------------------------- run

void TMainForm::CompRunClick() {
  if (!DeactivateActiveChild()) return;
  // The question comes before anything is written; a reloaded file is saved
  // and run.
  if (m_project->FileName != TProgramData::kNewFileName && askIfChangedOnDisk() == TDiskAnswer::Cancel) return;
  FileSaveClick();
  if (m_project->FileName == TProgramData::kNewFileName) return;
  if (IsModified()) return;  // the save failed and said why
  const QString fileName = toQ(m_project->FileName);
  TDlgRunAnalysis progress(this);
  TRunOutcome outcome;
  // The engine computes on a worker thread; the modal progress dialog keeps
  // the windows painted and the input out meanwhile.
  const bool ran = guarded([&] {
    outcome = RunEngine(fileName, QDir(m_programFolder).filePath(engine_library), m_runFolder,
                        [&](const std::function<int()>& call) {
                          QApplication::setOverrideCursor(Qt::WaitCursor);
                          struct RestoreCursor {
                            ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
                          } restore;
                          return progress.RunWhile(call);
                        });
  });
  if (!ran) return;
  switch (outcome.status) {
    case TRunStatus::Busy:
      comp::ShowInformation("Attempt to reinitialize DLL");
      return;
    case TRunStatus::LibraryFailed:
      comp::ShowInformation("Attempt to initialize DLL failed");
      return;
    case TRunStatus::Called:
      break;
  }
  m_lastRunCode = outcome.code;
  comp::ShowInformation(RunResultMessage(outcome.code, outcome.fault));
  readProjectPlots();
}

// ---------------------------------------------------------------- outside programs

void TMainForm::openInEditor(const QString& path, bool ownWindow) {
  const QString editor = m_settings.wordProcessor.trimmed();
  const bool started = editor.isEmpty() ? desktop().openUrl(QUrl::fromLocalFile(path))
                                        : desktop().startDetached(editor, {path});
  if (started) return;
  if (!ownWindow || !editor.isEmpty()) {
    comp::ShowInformation("An error occurred in running the Word Processor");
    return;
  }
  QString reason;
  if (!ShowReportWindow(this, path, reason))
    comp::ShowInformation("The file " + path + " could not be opened: " + reason + ".");
}

void TMainForm::openDocument(const QString& path) {
  if (!QFileInfo::exists(path)) {
    comp::ShowInformation("The file " + path + " could not be found.");
    return;
  }
  if (desktop().openUrl(QUrl::fromLocalFile(path))) return;
  // The desktop has no program for it: the HTML help in a window of our own,
  // under a note that says where the PDF manual is.
  const QString help = QDir(DataFolder()).filePath("zorvin-help.html");
  if (!ShowHelpWindow(this, help, path == help ? QString() : ManualNote(path)))
    comp::ShowInformation("The file " + path + " could not be opened.");
}

QString TMainForm::DataFolder() const { return QDir(m_programFolder).filePath("help"); }

// ---------------------------------------------------------------- plots

void TMainForm::buildPlots() {
  struct Setup {
    TGraphPlot* plot;
    const char* caption;
    const char* yCaption;
    const char* yUnits;
  };
  TResultPlots& p = *m_plots;
  const Setup setups[] = {
      {&p.pltRealKXX, "Translational Stiffness", "Stiffness", "F/L2"},
      {&p.pltRealKYY, "Stiffness Kyy", "Stiffness", "F/L2"},
      {&p.pltRealKWW, "Stiffness Kww", "Stiffness", "F/L2"},
      {&p.pltRealKPPX, "Rotational Stiffness", "Stiffness", "F-L2/rad"},
      {&p.pltRealKPPY, "Stiffness Kppy", "Stiffness", "F-L2/rad"},
      {&p.pltRealKZT, "Stiffness Kzt", "Stiffness", "F-L2/rad"},
      {&p.pltRealKXP, "Stiffness Kxp", "Stiffness", "F/rad"},
      {&p.pltRealKYP, "Stiffness Kyp", "Stiffness", "F/rad"},
      {&p.pltDampCXX, "Translational Damping", "Damping", "F-sec/L2"},
      {&p.pltDampCYY, "Damping Cyy", "Damping", "F-sec/L2"},
      {&p.pltDampCWW, "Damping Cww", "Damping", "F-sec/L2"},
      {&p.pltDampCPPX, "Rotational Damping", "Damping", "F-L2-sec/rad"},
      {&p.pltDampCPPY, "Damping Cppy", "Damping", "F-L2-sec/rad"},
      {&p.pltDampCZT, "Damping Czt", "Damping", "F-L2-sec/rad"},
      {&p.pltDampCXP, "Damping Cxp", "Damping", "F-sec/rad"},
      {&p.pltDampCYP, "Damping Cyp", "Damping", "F-sec/rad"},
      {&p.pltDxyzR, "Footing Response Amplitude (Displacement)", "Amplitude", "L2"},
      {&p.pltMxyzR, "Footing Response Amplitude (Rotation)", "Amplitude", "rad"},
  };
  for (const Setup& s : setups) {
    // The caption names the window; the graph title stays the user's (empty).
    s.plot->Caption = s.caption;
    // Frequency along the bottom, values growing upwards.
    s.plot->XOnTop = false;
    s.plot->XCaption = "Frequency";
    s.plot->XUnits = "Hz";
    s.plot->YCaption = s.yCaption;
    s.plot->YUnits = s.yUnits;
    s.plot->SetWindowFactory(comp::PlotFormFactory());
  }
}

void TMainForm::showPlot(int which) {
  TResultPlots& p = *m_plots;
  TGraphPlot* plots[] = {&p.pltRealKXX, &p.pltRealKPPX, &p.pltDampCXX, &p.pltDampCPPX, &p.pltDxyzR, &p.pltMxyzR};
  guarded([&] { plots[which]->Show(); });
}

}  // namespace zrv::front
