#pragma once
// The main window: a multiple-document window that holds the open project,
// its thirteen tables and eighteen result plots, the menus that act on them,
// the settings and the recent-file list, and the analysis run.

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

#include "app/ChildForms.h"
#include "app/IMainForm.h"
#include "app/MainRules.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace zrv::front {

class TDataForm;
class TDlgBlock;
class TProgramData;
class TProjectTables;
struct TResultPlots;

class TMainForm : public QMainWindow, public IMainForm {
  Q_OBJECT
public:
  /// Reads the settings and builds the menus; the project comes with Start.
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  /// First showing: reads the recent files, then opens `argument` (".zvd"
  /// appended when it has no dot) when that file exists, else starts a new
  /// project, saying that a named file was not found; sets the caption.
  void Start(const QString& argument = QString());

  // IMainForm
  TProgramData& Project() override { return *m_project; }
  TProjectTables& Tables() override { return *m_tables; }
  TResultPlots& Plots() override { return *m_plots; }
  bool IsModified() const override;
  void SetModified(bool modified) override;
  void UpdatePileMenus() override;
  void UpdateLoadingMenus() override;
  void Close3DView() override;
  QString WordProcessorPath() const override { return m_settings.wordProcessor; }
  void SetWordProcessorPath(const QString& path) override { m_settings.wordProcessor = path; }
  QString GetVersion() const override { return kVersion; }
  void ShowChild(QWidget* child) override;

  /// Closes every child window (data forms, views, table editors), whatever
  /// a form's pending entry holds.
  void closeAllChildren();
  /// Re-activates every existing data form (after a unit switch).
  void refreshDataForms();

  /// The folder the engine library is loaded from (the program's folder).
  QString ProgramFolder() const { return m_programFolder; }
  void SetProgramFolder(const QString& folder) { m_programFolder = folder; }
  /// The engine's working folder (names.dat, TAPE7, TAPE8).
  QString RunFolder() const { return m_runFolder; }
  void SetRunFolder(const QString& folder) { m_runFolder = folder; }
  /// The folder of the help page and the user's manual.
  QString DataFolder() const;

  bool PlotsLoaded() const { return m_plotsLoaded; }
  const TRecentFiles& RecentFiles() const { return m_settings.recent; }
  /// The entry code of the last run, -1 when none was called.
  int LastRunCode() const { return m_lastRunCode; }

  // Commands (the menu handlers).
  /// Runs the active data form's deactivation; false when its entry is refused.
  bool DeactivateActiveChild();
  /// True when the project may be left: unmodified, or the user answered No,
  /// or Yes and the project was saved under a name.
  bool QuerySave();
  void FileNewClick();
  void FileOpenClick();
  /// Opens the project file `path`; a file that cannot be read leaves the
  /// open project as it was, with the reader's message shown.
  bool OpenFile(const QString& path);
  void FileSaveClick();
  void FileSaveAsClick();
  void RecentFileClick(int index);
  /// Adds `path` to the top of the recent files and writes the settings when
  /// the list changed.
  void UpdatePrevFile(const QString& path);
  void SetUnits(int system);
  void SetLoadType(int loadType);
  void SetQuadratic(int quadratic);
  void CompRunClick();
  /// Reads the project's plot-data file into the plots; the result becomes PlotsLoaded.
  bool ReadPlotData(const QString& path);
  void Open3DView();
  /// Window > "Arrange Icons": lines up the minimised children only.
  void ArrangeIcons();

  // Menu openings: enable and fill the items.
  void FileMenuClick();
  void DataMenuClick();
  void ComputationMenuClick();
  void GraphicsMenuClick();
  void WindowMenuClick();

  /// The action with menu text `text` (first match, '&' counted), for tests.
  QAction* findAction(const QString& text) const;
  QMdiArea* mdiArea() const { return m_mdi; }
  /// The child window that holds `widget` as a sub-window, or null.
  QMdiSubWindow* subWindowOf(const QWidget* widget) const;

protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void buildMenus();
  void buildFileMenu();
  void buildDataMenu();
  void buildViewMenus();
  void buildResultMenus();
  void buildHelpMenu();
  void buildPlots();
  void setCaption();
  void saveSettings();
  /// Closes every child, then replaces the project by a new one.
  void newProject();
  void replaceProject(std::unique_ptr<TProgramData> project);
  void readProjectPlots();
  /// What may happen to the project file before the project is written to it.
  enum class TDiskAnswer { Write, Reloaded, Cancel };
  /// Where the project file changed on disk since the program last read or
  /// wrote it, asks whether to reload it (its contents become the project;
  /// a file that cannot be read is refused as on Open), overwrite it or
  /// cancel. Write when unchanged or when the user chose to overwrite.
  TDiskAnswer askIfChangedOnDisk();
  /// Opens `path` in the configured editor, else with the desktop's program
  /// for it; with `ownWindow`, a desktop without one shows it in the
  /// program's own read-only window.
  void openInEditor(const QString& path, bool ownWindow = false);
  void openDocument(const QString& path);
  void subWindowActivated(QMdiSubWindow* window);
  bool deactivate(TDataForm& form);
  /// The child whose form a menu or command deactivates: the active one, or
  /// the last active data form while the program is in the background.
  QMdiSubWindow* activeChild() const;
  /// What a menu does on opening with the active form: stores its entries;
  /// when its focused entry would be refused, keeps it in front and, with
  /// `tell`, says why once the menus have closed. No box opens while a menu
  /// opens.
  void storeOnMenuOpening(bool tell);
  /// Shows a refusal kept back by a menu opening or a window activation
  /// once no menu is open and the menu bar is left.
  void tellRefusal();
  /// New, Open and a dropped file: a form or table editor whose pending entry
  /// would be refused is closed with it, unstored and without a message.
  void dropRefusedEntry();
  /// Shows the child of `kind`, making it a `Form` first when there is none.
  template <class Form>
  void openForm(TChildKind kind);
  /// The open 3D view, or null.
  TDlgBlock* view3D() const;
  void showTable(int index);
  void showPlot(int which);
  void setLoadingChecks();
  void set3DItemsVisible(bool visible);

  std::unique_ptr<TProjectTables> m_tables;
  std::unique_ptr<TResultPlots> m_plots;
  std::unique_ptr<TProgramData> m_project;
  TMainSettings m_settings;
  bool m_plotsLoaded = false;
  bool m_view3DOpen = false;
  int m_lastRunCode = -1;
  QString m_programFolder;
  QString m_runFolder;

  QMdiArea* m_mdi = nullptr;
  QPointer<QWidget> m_activeForm;  // the sub-window whose data form is active
  QMdiSubWindow* activeFrame() const;  // m_activeForm while it is a whole sub-window
  bool m_reactivating = false;  // while set, a child's activation neither stores nor loads
  bool m_refusalPending = false;  // a refused entry's message waits for the menus to close

  // The lazily made children, by kind.
  TChildForms m_children;

  // Menus and the items whose state changes.
  QMenu *m_fileMenu = nullptr, *m_dataMenu = nullptr, *m_unitsMenu = nullptr, *m_computationMenu = nullptr,
        *m_graphicsMenu = nullptr, *m_windowMenu = nullptr, *m_show3DMenu = nullptr, *m_harmonicMenu = nullptr;
  std::array<QAction*, TRecentFiles::kMax> m_recentItems{};
  QAction* m_recentSeparator = nullptr;
  QAction *m_saveBitmap = nullptr, *m_pageSetup = nullptr, *m_printPage = nullptr, *m_3DSeparator = nullptr;
  QAction *m_english = nullptr, *m_si = nullptr;
  QAction *m_pileProperties = nullptr, *m_pileElements = nullptr, *m_pileCoordinates = nullptr,
          *m_pileCapMass = nullptr, *m_pileCapShape = nullptr, *m_soilLayers = nullptr;
  QAction *m_foundationDimension = nullptr, *m_footingMass = nullptr, *m_foundationShape = nullptr;
  QAction *m_foundationLayer = nullptr, *m_soilColumn = nullptr, *m_sideSoil = nullptr;
  QAction *m_harmonicLoad = nullptr, *m_transientLoad = nullptr, *m_randomLoad = nullptr;
  QAction *m_quadratic = nullptr, *m_nonQuadratic = nullptr;
  QAction *m_harmonicData = nullptr, *m_transientData = nullptr, *m_randomData = nullptr;
  QAction *m_editInput = nullptr, *m_editNotes = nullptr, *m_editOutput = nullptr, *m_run = nullptr;
  std::array<QAction*, 4> m_stiffnessItems{};
  std::array<QAction*, 3> m_responseItems{};
  std::array<QAction*, 6> m_show3DItems{};
  QAction* m_windowSeparator = nullptr;
  std::array<QAction*, 50> m_windowItems{};
  QToolBar* m_toolBar = nullptr;
};

}  // namespace zrv::front
