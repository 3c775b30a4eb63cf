#include "plotwindow/PlotForm.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QRadioButton>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "base/numbers.h"
#include "plotwindow/Caption.h"
#include "plotwindow/ChangeActiveLines.h"
#include "plotwindow/ChangeLineNames.h"
#include "plotwindow/PlotHooks.h"
#include "plotwindow/PlotLegend.h"
#include "plotwindow/SaveAttb.h"
#include "ui/UiHooks.h"

namespace zrv::comp {
namespace {

// The plot's window as the plot sees it: it makes the form, shows it as a
// child of the main window and deletes it when the plot is freed first.
class TPlotWindowHandle : public PlotWindow {
public:
  explicit TPlotWindowHandle(TGraphPlot& plot) {
    m_form = new TPlotForm(plot);
    m_form->setAttribute(Qt::WA_DeleteOnClose);
    // The form tells the plot when it goes; the plot then frees this handle.
    m_form->SetOnDestroyed([this, &plot] {
      m_form = nullptr;
      plot.WindowClosed();
    });
  }

  ~TPlotWindowHandle() override {
    if (!m_form) return;
    TPlotForm* form = m_form;
    m_form = nullptr;
    form->SetOnDestroyed(nullptr);
    QWidget* frame = qobject_cast<QMdiSubWindow*>(form->parentWidget()) ? form->parentWidget() : form;
    delete frame;
  }

  void ShowWindow() override {
    if (!m_form) return;
    if (!m_shown) {
      m_shown = true;
      m_form->setWindowState(m_form->windowState() | Qt::WindowMaximized);
      ShowAsChild(m_form);
      if (auto* sub = qobject_cast<QMdiSubWindow*>(m_form->parentWidget())) sub->showMaximized();
      return;
    }
    if (auto* sub = qobject_cast<QMdiSubWindow*>(m_form->parentWidget())) {
      if (sub->isMinimized()) sub->showNormal();
      if (sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
      return;
    }
    if (m_form->isMinimized()) m_form->showNormal();
    m_form->show();
    m_form->raise();
    m_form->activateWindow();
  }

  TPlotForm* Form() const { return m_form; }

private:
  TPlotForm* m_form = nullptr;
  bool m_shown = false;
};

QString general5(Extended v) { return QString::fromStdString(format_general(v, 5)); }

struct MenuChoice {
  const char* text;
  int value;  // -1: separator
};

}  // namespace

PlotWindowFactory PlotFormFactory() {
  return [](TGraphPlot& plot) -> std::unique_ptr<PlotWindow> { return std::make_unique<TPlotWindowHandle>(plot); };
}

TPlotForm* PlotFormOf(const TGraphPlot& plot) {
  auto* handle = dynamic_cast<TPlotWindowHandle*>(plot.Window());
  return handle ? handle->Form() : nullptr;
}

TPlotForm::TPlotForm(TGraphPlot& plot, QWidget* parent) : QWidget(parent), m_plot(plot) {
  setWindowTitle(plot.Caption.empty() ? QString("PlotForm") : QString::fromStdString(plot.Caption));
  QFont f("Times New Roman");
  f.setPixelSize(14);
  setFont(f);
  resize(640, 480);

  m_menuBar = new QMenuBar(this);
  m_menuBar->setNativeMenuBar(false);
  m_canvas = new QWidget(this);
  m_canvas->setObjectName("Canvas");
  m_canvas->setMouseTracking(true);
  m_canvas->setAttribute(Qt::WA_OpaquePaintEvent);
  m_canvas->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setMenuBar(m_menuBar);
  layout->addWidget(m_canvas);

  m_full = FullRanges(plot);
  m_cur = m_full;

  for (int k = 0; k < plot.LineCount(); ++k) plot.Line(k).InLegend = k < kMaxLegendCurves;

  m_legend = new TPlotLegend(plot, m_canvas);
  connect(m_legend, &TPlotLegend::curveToggled, this, [this] {
    UpdateMenu();
    m_canvas->update();
  });
  buildMenu();
  rebuildLegend();

  // The legend's own font size is the base of the font-size choices.
  plot.LegendFont = 11;
  setUpLegend(plot.SizeFont);
  m_legend->setVisible(plot.LineCount() > 0 && plot.ShowLegend);
  m_legendItem->setVisible(plot.LineCount() > 0);

  m_pageSetup.SetOptions({TPageSetupFlags::poDefaultMinMargins, TPageSetupFlags::poThousandthsOfInches});
  m_pageSetup.SetMarginLeft(1000);
  m_pageSetup.SetMarginTop(1000);
  m_pageSetup.SetMarginRight(1000);
  m_pageSetup.SetMarginBottom(1000);
  LayOut(true);
}

TPlotForm::~TPlotForm() {
  if (m_onDestroyed) {
    auto f = std::move(m_onDestroyed);
    m_onDestroyed = nullptr;
    f();
  }
}

void TPlotForm::buildMenu() {
  m_plotMenu = m_menuBar->addMenu("&Plot");
  m_plotMenu->setObjectName("PlotMenu");
  auto item = [this](QMenu* menu, const char* name, const QString& text, auto slot) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  m_legendItem = item(m_plotMenu, "PlotLegend", "Show &Legend", &TPlotForm::PlotLegendClick);
  m_soilItem = item(m_plotMenu, "PlotSoilLayer", "Show &Soil Layer", &TPlotForm::PlotSoilLayerClick);
  m_wallItem = item(m_plotMenu, "ShowWallGeometry", "Show &Wall Geometry", &TPlotForm::ShowWallGeometryClick);
  for (QAction* a : {m_legendItem, m_soilItem, m_wallItem}) a->setCheckable(true);

  auto choices = [this](const char* name, const QString& title, std::initializer_list<MenuChoice> list,
                        void (TPlotForm::*set)(int), bool radio) {
    QMenu* menu = m_plotMenu->addMenu(title);
    menu->menuAction()->setObjectName(name);
    auto* group = radio ? new QActionGroup(menu) : nullptr;
    if (group) group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const MenuChoice& c : list) {
      if (c.value < 0) {
        menu->addSeparator();
        continue;
      }
      QAction* a = menu->addAction(c.text);
      a->setData(c.value);
      if (group) {
        a->setCheckable(true);
        group->addAction(a);
      }
      const int v = c.value;
      connect(a, &QAction::triggered, this, [this, set, v] { (this->*set)(v); });
    }
    return menu;
  };
  m_markerMenu = choices("PlotMarkers", "Show &Markers",
                         {{"&Never", 0}, {"-", -1}, {"Every &Increment", 1}, {"Every &2 Increments", 2},
                          {"Every &3 Incrments", 3}, {"Every &5 Increments", 5}, {"Every &10 Incements", 10}},
                         &TPlotForm::SetMarkers, true);
  connect(m_markerMenu, &QMenu::aboutToShow, this, [this] {
    for (QAction* a : m_markerMenu->actions())
      if (a->isCheckable()) a->setChecked(a->data().toInt() == m_plot.Markers);
  });
  m_fontMenu = choices("FontSize", "&Font Size",
                       {{"&Default", 10}, {"-", -1}, {"1.5 * Default", 15}, {"2 * Default", 20},
                        {"2.5 * Default", 25}, {"3 * Default", 30}, {"4 * Default", 40}},
                       &TPlotForm::SetFontSize, false);
  m_widthMenu = choices("LineWidth", "&Line Width",
                        {{"&Default", 1}, {"-", -1}, {"2 * Default", 2}, {"4 * Default", 4}, {"6 * Default", 6},
                         {"10 * Default", 10}},
                        &TPlotForm::SetLineWidth, false);
  item(m_plotMenu, "PlotCaption", "&Graph Title", &TPlotForm::PlotCaptionClick);
  item(m_plotMenu, "mLineName", "&Edit Legend", &TPlotForm::mLineNameClick);
  item(m_plotMenu, "ActiveGraphs", "&Active Curves", &TPlotForm::ActiveGraphsClick);
  m_plotMenu->addSeparator()->setObjectName("N5");
  item(m_plotMenu, "PlotPrint", "&Print...", &TPlotForm::PlotPrintClick);
  item(m_plotMenu, "PlotPage", "P&age Setup", &TPlotForm::PlotPageClick);
  item(m_plotMenu, "PlotSave", "&Save To Disk...", &TPlotForm::PlotSaveClick);
  m_plotMenu->addSeparator()->setObjectName("N1");
  connect(m_plotMenu, &QMenu::aboutToShow, this, &TPlotForm::UpdateMenu);

  // Ctrl+Z opens the menu.
  auto* open = new QAction(this);
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  open->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(open, &QAction::triggered, this, [this] { m_plotMenu->popup(mapToGlobal(m_canvas->pos())); });
  addAction(open);
}

void TPlotForm::rebuildLegend() {
  for (QAction* a : m_curveItems) {
    m_plotMenu->removeAction(a);
    delete a;
  }
  m_curveItems.clear();
  std::vector<TPlotLegend::Entry> entries;
  for (int k = 0; k < m_plot.LineCount(); ++k) {
    const TLine& line = m_plot.Line(k);
    if (!line.InLegend) continue;
    const QString text = QString::fromStdString(m_plot.CurveDisplayName(k));
    entries.push_back({k, text});
    QAction* a = m_plotMenu->addAction(text);
    a->setCheckable(true);
    a->setChecked(line.Active);
    a->setData(k);
    const int entry = static_cast<int>(m_curveItems.size());
    connect(a, &QAction::triggered, this, [this, entry] { CurveItemClick(entry); });
    m_curveItems.push_back(a);
  }
  m_legend->SetEntries(std::move(entries));
}

void TPlotForm::setUpLegend(int fontNumber) {
  m_legend->SetFontPoints(fontNumber * m_plot.LegendFont / 10);
  m_legend->FitSize();
}

void TPlotForm::UpdateMenu() {
  m_legendItem->setChecked(m_plot.ShowLegend);
  m_soilItem->setChecked(m_plot.ShowLayers);
  m_soilItem->setVisible(m_plot.LineCount(2) > 0);
  m_wallItem->setVisible(m_plot.WallLineCount > 0);
  m_wallItem->setEnabled(m_plot.ShowLayers);
  m_wallItem->setChecked(m_plot.ShowWall);
  m_fontMenu->menuAction()->setVisible(m_plot.ShowFontWidth);
  m_widthMenu->menuAction()->setVisible(m_plot.ShowFontWidth);
  for (QAction* a : m_curveItems) {
    const int k = a->data().toInt();
    a->setChecked(k < m_plot.LineCount() && m_plot.Line(k).Active);
  }
}

TPixRect TPlotForm::PlotRect() const { return ScreenView().Plot; }

TPlotView TPlotForm::ScreenView() const {
  TPlotView v;
  const int w = m_canvas->width(), h = m_canvas->height();
  v.Page = {0, 0, w, h};
  v.PPIx = m_canvas->logicalDpiX();
  v.PPIy = m_canvas->logicalDpiY();
  v.FontPx = PlotFontPixels(m_plot.SizeFont, v.PPIy);
  v.H = PlotTextHeight(v.FontPx, m_canvas);
  v.Plot = ScreenPlotRect(w, h, v.PPIx, v.PPIy, v.H, m_plot.XOnTop, !m_plot.GraphTitle.empty(), m_plot.TitleAtTop);
  v.X = m_cur.X;
  v.Y = m_cur.Y;
  const QRect g = m_legend->geometry();
  v.Legend = {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
  v.WindowPlot = v.Plot;
  return v;
}

TPlotView TPlotForm::BitmapView(const QImage& bitmap) const {
  // The window's resolution, the text measured on the bitmap.
  TPlotView v = ScreenView();
  v.Page = {0, 0, bitmap.width(), bitmap.height()};
  v.H = PlotTextHeight(v.FontPx, &bitmap);
  v.Plot = ScreenPlotRect(bitmap.width(), bitmap.height(), v.PPIx, v.PPIy, v.H, m_plot.XOnTop,
                          !m_plot.GraphTitle.empty(), m_plot.TitleAtTop);
  v.Output = true;
  return v;
}

TPlotView TPlotForm::PrintView(QPrinter& pr) const {
  TPlotView v = ScreenView();
  v.PPIx = pr.logicalDpiX();
  v.PPIy = pr.logicalDpiY();
  v.FontPx = PlotFontPixels(m_plot.SizeFont, v.PPIy);
  v.H = PlotTextHeight(v.FontPx, &pr);
  const QRect paper = pr.paperRect(QPrinter::DevicePixel).toRect();
  // The unprintable border of the device, in its pixels.
  QPageLayout inch = pr.pageLayout();
  inch.setUnits(QPageLayout::Inch);
  const QMarginsF minInch = inch.minimumMargins();
  const TPixRect printable{static_cast<int>(minInch.left() * v.PPIx), static_cast<int>(minInch.top() * v.PPIy),
                           paper.width() - static_cast<int>(minInch.right() * v.PPIx),
                           paper.height() - static_cast<int>(minInch.bottom() * v.PPIy)};
  const TPrintMargins margins{m_pageSetup.MarginLeft(), m_pageSetup.MarginTop(), m_pageSetup.MarginRight(),
                              m_pageSetup.MarginBottom()};
  v.Page = PrintPageRect(paper.width(), paper.height(), printable, margins, v.PPIx, v.PPIy);
  v.Plot = PrintPlotRect(v.Page, v.PPIx, v.PPIy, v.H, m_plot.XOnTop, !m_plot.GraphTitle.empty(), m_plot.TitleAtTop);
  v.Output = true;
  return v;
}

void TPlotForm::settleLegend() {
  // The first drawing at the window's real size puts the legend in its
  // corner; the sizes the canvas passes through before are no measure.
  if (!m_legendPending || !m_canvas->isVisible()) return;
  m_legendPending = false;
  LayOut(true);
}

void TPlotForm::LayOut(bool moveLegend) {
  const TPixRect plot = PlotRect();
  const QRect g = m_legend->geometry();
  TPixRect r{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
  if (moveLegend) r = {plot.Right - g.width(), plot.Bottom - g.height(), plot.Right, plot.Bottom};
  r = KeepInside(r, m_canvas->width(), m_canvas->height());
  m_legend->move(r.Left, r.Top);
  m_canvas->update();
}

void TPlotForm::PlotLegendClick() {
  m_plot.ShowLegend = !m_plot.ShowLegend;
  m_legend->setVisible(m_plot.ShowLegend && m_plot.LineCount() > 0);
}

void TPlotForm::PlotSoilLayerClick() {
  m_plot.ShowLayers = !m_plot.ShowLayers;
  LayOut(true);
}

void TPlotForm::ShowWallGeometryClick() {
  m_plot.ShowWall = !m_plot.ShowWall;
  LayOut(true);
}

void TPlotForm::SetMarkers(int every) {
  m_plot.Markers = every;
  m_canvas->update();
}

void TPlotForm::SetFontSize(int number) {
  m_plot.SizeFont = number;
  setUpLegend(number);
  LayOut(true);
}

void TPlotForm::SetLineWidth(int factor) {
  m_plot.WidthLine = factor;
  m_canvas->update();
}

void TPlotForm::PlotCaptionClick() {
  TfrmGraphCaption dlg(this);
  dlg.edtCaption->setText(QString::fromStdString(m_plot.GraphTitle));
  (m_plot.TitleAtTop ? dlg.rbTop : dlg.rbBottom)->setChecked(true);
  RunModal(dlg);
  m_plot.GraphTitle = dlg.edtCaption->text().toStdString();
  m_plot.TitleAtTop = dlg.rbTop->isChecked();
  LayOut(true);
}

void TPlotForm::mLineNameClick() {
  QStringList names;
  for (int k = 0; k < m_plot.LineCount(); ++k) names << QString::fromStdString(CurveBaseName(m_plot, k));
  TfrmLineNames dlg(this);
  dlg.SetNames(&names);
  if (RunModal(dlg) != QDialog::Accepted) return;
  for (int k = 0; k < m_plot.LineCount() && k < names.size(); ++k) m_plot.Line(k).Name = names[k].toStdString();
  // The new names replace the legend texts and curve items as typed.
  std::vector<TPlotLegend::Entry> entries = m_legend->Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const int k = entries[i].Curve;
    if (k < 0 || k >= names.size()) continue;
    entries[i].Text = names[k];
    if (i < m_curveItems.size()) m_curveItems[i]->setText(names[k]);
  }
  m_legend->SetEntries(std::move(entries));
  m_legend->FitSize();
  LayOut(false);
}

void TPlotForm::ActiveGraphsClick() {
  QStringList names, states;
  for (int k = 0; k < m_plot.LineCount(); ++k) {
    names << QString::fromStdString(CurveBaseName(m_plot, k));
    states << (m_plot.Line(k).InLegend ? kCurveYes : kCurveNo);
  }
  TfrmActiveLines dlg(this);
  dlg.SetLines(&names, &states);
  if (RunModal(dlg) != QDialog::Accepted) return;
  for (int k = 0; k < m_plot.LineCount() && k < states.size(); ++k) m_plot.Line(k).InLegend = states[k] == kCurveYes;
  rebuildLegend();
  m_legend->FitSize();
  LayOut(false);
}

void TPlotForm::CurveItemClick(int entry) {
  if (entry < 0 || entry >= static_cast<int>(m_curveItems.size())) return;
  const int k = m_curveItems[static_cast<std::size_t>(entry)]->data().toInt();
  if (k >= m_plot.LineCount()) return;
  TLine& line = m_plot.Line(k);
  line.Active = !line.Active;
  UpdateMenu();
  m_legend->update();
  m_canvas->update();
}

QPrinter& TPlotForm::printer() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_printer;
}

void TPlotForm::PlotPageClick() { m_pageSetup.Execute(printer(), this); }

void TPlotForm::PlotPrintClick() {
  QPrinter& pr = printer();
  if (!RunPrintDialog(pr, this)) {
    m_canvas->update();
    return;
  }
  pr.setDocName(QString::fromStdString(m_plot.Caption));
  pr.setFullPage(true);
  settleLegend();
  QPainter p;
  if (!p.begin(&pr)) {
    ShowInformation("The printout could not be started.");
    m_canvas->update();
    return;
  }
  DrawPlot(p, m_plot, PrintView(pr));
  p.end();
  m_canvas->update();
}

void TPlotForm::PlotSaveClick() {
  const QString name = AskSaveFileName(this, "Bitmap (*.bmp)", "bmp");
  if (name.isEmpty()) return;
  QImage bitmap;
  TdlgFormat dlg(this);
  dlg.SetBitmap(&bitmap);
  const int result = RunModal(dlg);
  if (result == kModalAbort) {
    ShowInformation("There is not enough memory to complete this task.");
    return;
  }
  if (result != QDialog::Accepted || bitmap.isNull()) return;
  settleLegend();
  {
    const TPlotView v = BitmapView(bitmap);
    QPainter p(&bitmap);
    DrawPlot(p, m_plot, v);
  }
  if (!bitmap.save(name, "BMP")) ShowInformation("The bitmap could not be written to \"" + name + "\".");
}

bool TPlotForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_canvas) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Paint:
      paintCanvas();
      return true;
    case QEvent::Resize:
      LayOut(false);
      break;
    case QEvent::MouseMove:
      canvasMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      canvasPress(static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::MouseButtonRelease:
      canvasRelease(static_cast<QMouseEvent*>(event));
      return true;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void TPlotForm::paintCanvas() {
  settleLegend();
  QPainter p(m_canvas);
  DrawPlot(p, m_plot, ScreenView());
  if (m_banding) {
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(m_bandStart, m_bandEnd).normalized());
  }
}

void TPlotForm::canvasMouseMove(const QPoint& at) {
  const TPixRect r = PlotRect();
  const int x = std::clamp(at.x(), r.Left, std::max(r.Left, r.Right));
  const int y = std::clamp(at.y(), r.Top, std::max(r.Top, r.Bottom));
  const TPlotMapping map{m_cur.X, m_cur.Y, r, m_plot.XOnTop};
  const auto [dx, dy] = map.DataAt(x, y);
  setWindowTitle(QString::fromStdString(m_plot.Caption) + " X: " + general5(dx) + " Y: " + general5(dy));
  if (m_banding) {
    m_bandEnd = at;
    m_canvas->update();
  }
}

void TPlotForm::canvasPress(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const TPixRect r = PlotRect();
  if (!r.Contains(at.x(), at.y())) return;
  if (event->button() == Qt::LeftButton) {
    if (m_plot.ShowThree) return;
    m_banding = true;
    m_bandStart = m_bandEnd = at;
  } else if (event->button() == Qt::RightButton) {
    const TPlotMapping map{m_cur.X, m_cur.Y, r, m_plot.XOnTop};
    const auto [dx, dy] = map.DataAt(at.x(), at.y());
    m_cur.X = ZoomOut(m_cur.X, m_full.X, dx);
    m_cur.Y = ZoomOut(m_cur.Y, m_full.Y, dy);
    m_canvas->update();
  }
}

void TPlotForm::canvasRelease(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_banding) return;
  m_banding = false;
  const QPoint end = event->position().toPoint();
  m_canvas->update();
  if (end.x() == m_bandStart.x() || end.y() == m_bandStart.y()) return;
  const TPixRect r = PlotRect();
  const int ex = std::clamp(end.x(), r.Left, std::max(r.Left, r.Right));
  const int ey = std::clamp(end.y(), r.Top, std::max(r.Top, r.Bottom));
  const TPlotMapping map{m_cur.X, m_cur.Y, r, m_plot.XOnTop};
  const auto [x1, y1] = map.DataAt(m_bandStart.x(), m_bandStart.y());
  const auto [x2, y2] = map.DataAt(ex, ey);
  m_cur.X = ZoomIn(x1, x2, m_full.X);
  m_cur.Y = ZoomIn(y1, y2, m_full.Y);
}

}  // namespace zrv::comp
