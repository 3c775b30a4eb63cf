// The menus and the toolbar of the main window, and what opening them does.
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QUrl>
#include <algorithm>

#include "app/About.h"
#include "app/Desktop.h"
#include "app/MainChildren.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"
#include "zorvin_version.h"

namespace zrv::front {

namespace {

QString toQ(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QAction* TMainForm::findAction(const QString& text) const {
  for (QAction* a : findChildren<QAction*>())
    if (a->text() == text) return a;
  return nullptr;
}

void TMainForm::buildMenus() {
  buildFileMenu();
  buildDataMenu();
  buildViewMenus();
  buildResultMenus();
  buildHelpMenu();
  set3DItemsVisible(false);
  UpdatePileMenus();
  setLoadingChecks();
}

// ---------------------------------------------------------------- File

void TMainForm::buildFileMenu() {
  m_fileMenu = menuBar()->addMenu("&File");
  connect(m_fileMenu, &QMenu::aboutToShow, this, guard([this] { FileMenuClick(); }));
  m_fileMenu->addAction("&New", this, guard([this] { FileNewClick(); }));
  m_fileMenu->addAction("&Open...", this, guard([this] { FileOpenClick(); }));
  m_fileMenu->addAction("&Save", this, guard([this] { FileSaveClick(); }));
  m_fileMenu->addAction("Save &As...", this, guard([this] { FileSaveAsClick(); }));
  m_fileMenu->addSeparator();
  for (int i = 0; i < TRecentFiles::kMax; ++i) {
    m_recentItems[static_cast<std::size_t>(i)] =
        m_fileMenu->addAction(QString(), this, guard([this, i] { RecentFileClick(i); }));
    m_recentItems[static_cast<std::size_t>(i)]->setVisible(false);
  }
  m_recentSeparator = m_fileMenu->addSeparator();
  m_saveBitmap = m_fileMenu->addAction("Save Bitmap", this, guard([this] {
    if (auto* v = view3D()) guarded([&] { v->SaveBitmapButtonClick(); });
  }));
  m_pageSetup = m_fileMenu->addAction("Page Setup", this, guard([this] {
    if (auto* v = view3D()) guarded([&] { v->PageSetupButtonClick(); });
  }));
  m_printPage = m_fileMenu->addAction("Print Page", this, guard([this] {
    if (auto* v = view3D()) guarded([&] { v->PrintButtonClick(); });
  }));
  m_3DSeparator = m_fileMenu->addSeparator();
  m_fileMenu->addAction("E&xit", this, &QWidget::close);
}

void TMainForm::FileMenuClick() {
  // A pending entry that would be refused never blocks this menu: New and
  // Open drop it with its form, Save says why.
  storeOnMenuOpening(false);
  const int count = m_settings.recent.count();
  const QString current = QDir::currentPath();
  for (int i = 0; i < TRecentFiles::kMax; ++i) {
    QAction* item = m_recentItems[static_cast<std::size_t>(i)];
    const bool shown = i < count;
    item->setVisible(shown);
    if (shown) item->setText(RecentFileCaption(i + 1, m_settings.recent.entry(i), current));
  }
  m_recentSeparator->setVisible(count > 0);
}

// ---------------------------------------------------------------- Data

void TMainForm::buildDataMenu() {
  QMenu* m = m_dataMenu = menuBar()->addMenu("&Data");
  connect(m, &QMenu::aboutToShow, this, guard([this] { DataMenuClick(); }));
  m->addAction("&Title", this, guard([this] { openForm<TdlgTitle>(TChildKind::Title); }));
  m_unitsMenu = m->addMenu("&Units");
  auto* units = new QActionGroup(this);
  m_english = m_unitsMenu->addAction("&English Units (lbs, slug, ft)", this, guard([this] { SetUnits(1); }));
  m_si = m_unitsMenu->addAction("&SI Units (kN, Mg, m)", this, guard([this] { SetUnits(2); }));
  for (QAction* a : {m_english, m_si}) {
    a->setCheckable(true);
    units->addAction(a);
  }
  connect(m_unitsMenu, &QMenu::aboutToShow, this, guard([this] {
    m_english->setChecked(m_project->UnitSystem == 1);
    m_si->setChecked(m_project->UnitSystem == 2);
  }));
  m->addSeparator();
  m->addAction("Option of Foundation System", this, guard([this] {
    openForm<TfrmLayout>(TChildKind::Layout);
  }));
  const auto shape = guard([this] {
    openForm<TfrmShape>(TChildKind::Shape);
  });
  m_foundationShape = m->addAction("Option of Foundation Shape", this, shape);
  m_foundationDimension = m->addAction("Foundation Dimension and Constants", this, guard([this] {
    const int code = m_project->FoundationCode;
    if (code == 1 || code == 3) {
      openForm<TfrmFoundations>(TChildKind::Foundations);
    } else if (code == 4) {
      openForm<TfrmMultimat>(TChildKind::Multimat);
    }
  }));
  m_footingMass = m->addAction("Footing Mass Parameters", this, guard([this] {
    openForm<TfrmMassdata>(TChildKind::MassData);
  }));
  m_foundationLayer = m->addAction("Foundation Layer", this, guard([this] { showTable(4); }));
  m->addSeparator();
  m_pileCapShape = m->addAction("Pile Cap Shape/Dimension", this, shape);
  m_pileCapMass = m->addAction("Pile Cap Mass Properties", this, guard([this] {
    openForm<TfrmNCPileProperties>(TChildKind::PileCapProperties);
  }));
  m_pileProperties = m->addAction("&Pile Properties", this, guard([this] {
    openForm<TfrmCPileProperties>(TChildKind::PileProperties);
  }));
  m_pileElements = m->addAction("Pile Elements", this, guard([this] { showTable(5); }));
  m_pileCoordinates = m->addAction("Pile Coordinates", this, guard([this] { showTable(6); }));
  m->addSeparator();
  m_soilLayers = m->addAction("Soil &Layer Data", this, guard([this] {
    if (m_project->FoundationCode == 2) showTable(0);
  }));
  m->addAction("Soil Data Below Footing/PileTip", this, guard([this] {
    openForm<TfrmTipsoil>(TChildKind::Tipsoil);
  }));
  m_sideSoil = m->addAction("Side Soil of Fondation", this, guard([this] {
    switch (m_project->FoundationCode) {
      case 1: showTable(1); break;
      case 2: showTable(2); break;
      case 3:
      case 4: showTable(0); break;
      default: break;
    }
  }));
  m_soilColumn = m->addAction("Soil Column Layer", this, guard([this] { showTable(3); }));
  m->addSeparator();
  QMenu* loading = m->addMenu("Option of Loading");
  auto* loads = new QActionGroup(this);
  m_harmonicLoad = loading->addAction("Harmonic Loading", this, guard([this] { SetLoadType(1); }));
  m_transientLoad = loading->addAction("Transient Loading", this, guard([this] { SetLoadType(2); }));
  m_randomLoad = loading->addAction("Random Loading", this, guard([this] { SetLoadType(3); }));
  for (QAction* a : {m_harmonicLoad, m_transientLoad, m_randomLoad}) {
    a->setCheckable(true);
    loads->addAction(a);
  }
  m_harmonicMenu = m->addMenu("Harmonic Loading Data");
  m_harmonicData = m_harmonicMenu->menuAction();
  connect(m_harmonicMenu, &QMenu::aboutToShow, this, guard([this] { SetQuadratic(m_project->QuadraticLoad); }));
  m_quadratic = m_harmonicMenu->addAction("Quadratic", this, guard([this] {
    SetQuadratic(1);
    openForm<TfrmQuad>(TChildKind::Quadratic);
  }));
  m_nonQuadratic = m_harmonicMenu->addAction("NonQuadratic", this, guard([this] {
    SetQuadratic(0);
    openForm<Tfrmharmonic>(TChildKind::Harmonic);
  }));
  m_quadratic->setCheckable(true);
  m_nonQuadratic->setCheckable(true);
  m_transientData = m->addAction("Transient Loading Data", this, guard([this] {
    openForm<Tfrmtransient>(TChildKind::Transient);
  }));
  m_randomData = m->addAction("Random Loading Data", this, guard([this] {
    openForm<Tfrmrandom>(TChildKind::Random);
  }));
  m->addSeparator();
  m->addAction("Control &Options...", this, guard([this] { openForm<TDlgOptions>(TChildKind::Options); }));
}

void TMainForm::DataMenuClick() {
  storeOnMenuOpening(true);
  UpdatePileMenus();
  if (m_project->FoundationType == "MULTILAYER") {
    guarded([&] {
      TGridTable& soil = m_tables->Multisoil();
      const int n = MultisoilRowCount(m_tables->MultiElement().RowCount(), m_tables->D().RowCount(),
                                      soil.MinRows(), soil.MaxRows());
      if (n >= 0 && n != soil.RowCount()) soil.SetRowCount(n);
    });
  }
}

void TMainForm::UpdatePileMenus() {
  if (m_pileProperties == nullptr) return;
  const TDataMenuState s = DataMenuState(toQ(m_project->FoundationType));
  for (QAction* a : {m_pileProperties, m_pileElements, m_pileCoordinates, m_pileCapMass, m_pileCapShape, m_soilLayers})
    a->setEnabled(s.pile);
  for (QAction* a : {m_foundationDimension, m_footingMass, m_foundationShape}) a->setEnabled(s.footing);
  for (QAction* a : {m_foundationLayer, m_soilColumn}) a->setEnabled(s.multilayer);
  m_sideSoil->setEnabled(s.sideSoil);
  m_sideSoil->setText(s.sideSoilCaption);
}

void TMainForm::setLoadingChecks() {
  if (m_harmonicLoad == nullptr) return;
  const int type = m_project->LoadType;
  m_harmonicLoad->setChecked(type == 1);
  m_transientLoad->setChecked(type == 2);
  m_randomLoad->setChecked(type == 3);
  m_harmonicData->setEnabled(type == 1);
  m_transientData->setEnabled(type == 2);
  m_randomData->setEnabled(type == 3);
}

void TMainForm::showTable(int index) {
  guarded([&] { m_tables->at(index).Show(); });
}

// ---------------------------------------------------------------- View Geometry, 3D view, Window

void TMainForm::buildViewMenus() {
  QMenu* view = menuBar()->addMenu("&View Geometry");
  view->addAction("Top View", this, guard([this] {
    openForm<TDlgTopView>(TChildKind::TopView);
  }));
  view->addAction("Side View (XZ-Plane)", this, guard([this] {
    openForm<TDlgSideViewXZ>(TChildKind::SideViewXZ);
  }));
  view->addAction("Side View (YZ-Plane)", this, guard([this] {
    openForm<TDlgSideViewYZ>(TChildKind::SideViewYZ);
  }));
  view->addAction("3D View", this, guard([this] { Open3DView(); }));

  m_show3DMenu = menuBar()->addMenu("Show 3D View");
  const char* options[] = {"Foundation",  "Piles",          "Pile Numbers",
                           "Soil Layers", "Soil Layer Labels", "Soil Layer Depth Labels"};
  for (int k = 0; k < 6; ++k) {
    QAction* a = m_show3DMenu->addAction(options[k], this, guard([this, k] {
      if (auto* v = view3D()) guarded([&] { toggle3DOption(*v, k); });
    }));
    a->setCheckable(true);
    m_show3DItems[static_cast<std::size_t>(k)] = a;
  }
  connect(m_show3DMenu, &QMenu::aboutToShow, this, guard([this] {
    if (auto* v = view3D())
      for (int k = 0; k < 6; ++k) m_show3DItems[static_cast<std::size_t>(k)]->setChecked(option3D(*v, k));
  }));

  m_toolBar = addToolBar("3D View");
  m_toolBar->setObjectName("toolbar3D");
  const auto onView = [this](auto fn) {
    return guard([this, fn] {
      if (auto* v = view3D()) fn(*v);
    });
  };
  for (int preset = 1; preset <= 4; ++preset)
    m_toolBar->addAction(QString("View %1").arg(preset), this, onView([preset](auto& v) { v.SetView(preset); }));
  m_toolBar->addAction("Reverse", this, onView([](auto& v) { v.ReverseView(); }));
  m_toolBar->addSeparator();
  auto* modes = new QActionGroup(this);
  const struct {
    const char* text;
    int mode;
  } mouseModes[] = {{"Panning", 1}, {"Zooming", 2}, {"Zoom Window", 4}, {"Rotating", 3}};
  for (const auto& m : mouseModes) {
    const int mode = m.mode;
    QAction* a = m_toolBar->addAction(m.text, this, onView([mode](auto& v) { v.SetMouseMode(mode, mode == 4); }));
    a->setCheckable(true);
    modes->addAction(a);
  }
  m_toolBar->addSeparator();
  m_toolBar->addAction("Zoom In", this, onView([](auto& v) { v.Zooming(1.4142L); }));
  m_toolBar->addAction("Zoom Out", this, onView([](auto& v) { v.Zooming(0.7071135624381275633L); }));
  m_toolBar->addAction("Restart View", this, onView([](auto& v) { v.RestartViewButtonClick(); }));

  m_windowMenu = menuBar()->addMenu("&Window");
  connect(m_windowMenu, &QMenu::aboutToShow, this, guard([this] { WindowMenuClick(); }));
  m_windowMenu->addAction("&Cascade", m_mdi, &QMdiArea::cascadeSubWindows);
  m_windowMenu->addAction("&Arrange Icons", this, guard([this] { ArrangeIcons(); }));
  m_windowSeparator = m_windowMenu->addSeparator();
  for (std::size_t k = 0; k < m_windowItems.size(); ++k) {
    m_windowItems[k] = m_windowMenu->addAction(QString(), this, guard([this, k] {
      const QList<QMdiSubWindow*> list = m_mdi->subWindowList();
      if (k < static_cast<std::size_t>(list.size())) ShowChild(list[static_cast<int>(k)]->widget());
    }));
    m_windowItems[k]->setVisible(false);
  }
}

void TMainForm::ArrangeIcons() {
  // Minimised children in a row along the bottom of the area, left to right,
  // a new row above a full one; the other children stay where they are.
  const int width = m_mdi->viewport()->width();
  int x = 0, bottom = m_mdi->viewport()->height(), rowHeight = 0;
  for (QMdiSubWindow* s : m_mdi->subWindowList()) {
    if (!s->isMinimized()) continue;
    const QSize size = s->size();
    if (x > 0 && x + size.width() > width) {
      x = 0;
      bottom -= rowHeight;
      rowHeight = 0;
    }
    s->move(x, bottom - size.height());
    x += size.width();
    rowHeight = std::max(rowHeight, size.height());
  }
}

void TMainForm::WindowMenuClick() {
  const QList<QMdiSubWindow*> list = m_mdi->subWindowList();
  for (std::size_t k = 0; k < m_windowItems.size(); ++k) {
    const bool shown = k < static_cast<std::size_t>(list.size());
    m_windowItems[k]->setVisible(shown);
    if (shown) m_windowItems[k]->setText(list[static_cast<int>(k)]->windowTitle());
  }
  m_windowSeparator->setVisible(!list.isEmpty());
}

void TMainForm::Open3DView() {
  guarded([&] {
    QWidget* view = m_children.get(TChildKind::View3D, [this] { return new TDlgBlock(*this); });
    m_view3DOpen = true;
    set3DItemsVisible(true);
    ShowChild(view);
  });
}

TDlgBlock* TMainForm::view3D() const { return dynamic_cast<TDlgBlock*>(m_children.find(TChildKind::View3D)); }

void TMainForm::Close3DView() {
  m_view3DOpen = false;
  set3DItemsVisible(false);
}

void TMainForm::set3DItemsVisible(bool visible) {
  m_toolBar->setVisible(visible);
  m_show3DMenu->menuAction()->setVisible(visible);
  m_saveBitmap->setVisible(visible);
  m_printPage->setVisible(visible);
  m_3DSeparator->setVisible(visible);
  m_pageSetup->setVisible(false);
}

// ---------------------------------------------------------------- Computation, Graphics

void TMainForm::buildResultMenus() {
  m_computationMenu = menuBar()->addMenu("&Computation");
  connect(m_computationMenu, &QMenu::aboutToShow, this, guard([this] { ComputationMenuClick(); }));
  m_editInput = m_computationMenu->addAction("Edit I&nput Text", this,
                                             guard([this] { openInEditor(toQ(m_project->FileName)); }));
  m_run = m_computationMenu->addAction("&Run Analysis", this, guard([this] { CompRunClick(); }));
  m_editNotes = m_computationMenu->addAction("Edit &Processor-Run Notes", this, guard([this] {
    openInEditor(ChangeFileExt(toQ(m_project->FileName), ".zvr"));
  }));
  m_editOutput = m_computationMenu->addAction("Edit &Output Text", this, guard([this] {
    openInEditor(ChangeFileExt(toQ(m_project->FileName), ".zvo"), true);
  }));

  m_graphicsMenu = menuBar()->addMenu("&Graphics");
  connect(m_graphicsMenu, &QMenu::aboutToShow, this, guard([this] { GraphicsMenuClick(); }));
  const char* stiffness[] = {"&Translational Stiffness (Kxx, Kyy, Kww)", "Rotational Stiffness (Kppx, Kppy, Kzt)",
                             "Translational Damping (Cxx, Cyy, Cww)", "Rotational Damping (Cppx, Cppy, Czt)"};
  for (int k = 0; k < 4; ++k)
    m_stiffnessItems[static_cast<std::size_t>(k)] =
        m_graphicsMenu->addAction(stiffness[k], this, guard([this, k] { showPlot(k); }));
  m_graphicsMenu->addSeparator();
  m_responseItems[0] =
      m_graphicsMenu->addAction("Footing Response Amplitude (Displacement)", this, guard([this] { showPlot(4); }));
  m_responseItems[1] =
      m_graphicsMenu->addAction("Footing Response Amplitude (Rotation)", this, guard([this] { showPlot(5); }));
  m_responseItems[2] = m_graphicsMenu->addAction("Interactive Footing Response Amplitude ", this, guard([this] {
    guarded([&] {
      TDlgAmpPlot dialog(*this, this);
      desktop().execDialog(dialog);
    });
  }));
  GraphicsMenuClick();
}

void TMainForm::ComputationMenuClick() {
  storeOnMenuOpening(true);
  const QString file = toQ(m_project->FileName);
  m_editInput->setEnabled(QFileInfo::exists(file));
  m_editNotes->setEnabled(QFileInfo::exists(ChangeFileExt(file, ".zvr")));
  m_editOutput->setEnabled(QFileInfo::exists(ChangeFileExt(file, ".zvo")));
  m_run->setEnabled(true);
}

void TMainForm::GraphicsMenuClick() {
  const bool exists = QFileInfo::exists(ChangeFileExt(toQ(m_project->FileName), ".zvp"));
  const TGraphicsMenuState s =
      GraphicsMenuState(m_plotsLoaded, exists, m_project->GenerateMatrix, m_project->LoadType);
  for (QAction* a : m_stiffnessItems) a->setEnabled(s.stiffness);
  for (QAction* a : m_responseItems) a->setEnabled(s.response);
}

// ---------------------------------------------------------------- Help

void TMainForm::buildHelpMenu() {
  QMenu* help = menuBar()->addMenu("&Help");
  connect(help, &QMenu::aboutToShow, this, guard([this] { storeOnMenuOpening(true); }));
  help->addAction("&Contents", this, guard([this] { openDocument(QDir(DataFolder()).filePath("zorvin-help.html")); }));
  help->addAction("&User's Manual", this,
                  guard([this] { openDocument(QDir(DataFolder()).filePath("zorvin-manual.pdf")); }));
  QAction* updates = help->addAction("Check for &Updates", this, guard([] {
#ifdef ZORVIN_UPDATE_ADDRESS
    desktop().openUrl(QUrl(QStringLiteral(ZORVIN_UPDATE_ADDRESS "/checkupdates/check/check.php?ZORVIN;" ZORVIN_VERSION ";03/21/17")));
#endif
  }));
#ifndef ZORVIN_UPDATE_ADDRESS
  updates->setEnabled(false);  // no update service was configured at build time
#endif
  help->addSeparator();
  help->addAction("&About...", this, guard([this] {
    TAboutBox box(GetVersion(), this);
    desktop().execDialog(box);
  }));
}

}  // namespace zrv::front
