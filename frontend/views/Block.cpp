#include "views/Block.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QOpenGLContext>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QVBoxLayout>
#include <cmath>

#include "app/IMainForm.h"
#include "base/exceptions.h"
#include "glcontrol/glWindow.h"
#include "project/TProgramData.h"
#include "ui/UiHooks.h"

namespace zrv::front {

using comp::TglWindow;

namespace {

TDlgBlock::SaveFileHook& saveFileHook() {
  static TDlgBlock::SaveFileHook hook;
  return hook;
}
TDlgBlock::PrintDialogHook& printDialogHook() {
  static TDlgBlock::PrintDialogHook hook;
  return hook;
}
TDlgBlock::PageSetupHook& pageSetupHook() {
  static TDlgBlock::PageSetupHook hook;
  return hook;
}

QString runSaveDialog(QWidget* parent) {
  QFileDialog dialog(parent, QString(), QString(), "Bitmap files (*.bmp)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before overwriting
  dialog.setDefaultSuffix("bmp");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

bool runPrintDialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool runPageSetupDialog(TPageMargins& margins, QWidget* parent) {
  QPrinter printer;
  printer.setPageMargins(
      QMarginsF(margins.Left / 1000.0, margins.Top / 1000.0, margins.Right / 1000.0, margins.Bottom / 1000.0),
      QPageLayout::Inch);
  QPageSetupDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QMarginsF m = printer.pageLayout().margins(QPageLayout::Inch);
  margins.Left = static_cast<int>(std::lround(m.left() * 1000));
  margins.Top = static_cast<int>(std::lround(m.top() * 1000));
  margins.Right = static_cast<int>(std::lround(m.right() * 1000));
  margins.Bottom = static_cast<int>(std::lround(m.bottom() * 1000));
  return true;
}

}  // namespace

void TDlgBlock::setSaveFileHook(SaveFileHook hook) { saveFileHook() = std::move(hook); }
void TDlgBlock::setPrintDialogHook(PrintDialogHook hook) { printDialogHook() = std::move(hook); }
void TDlgBlock::setPageSetupHook(PageSetupHook hook) { pageSetupHook() = std::move(hook); }

TDlgBlock::TDlgBlock(IMainForm& main, QWidget* parent) : QWidget(parent), m_main(main) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Zorvin, 3D-View");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_gl = new TglWindow(this);
  layout->addWidget(m_gl);
  resize(640, 480);

  m_gl->OnPaint = [this](TglWindow&) { glRender(); };
  m_gl->OnMouseDown = [this](TglWindow&, comp::TMouseButton button, comp::TShiftState, int x, int y) {
    front::MouseDown(m_mouse, m_view, button, x, y);
  };
  m_gl->OnMouseMove = [this](TglWindow& gl, comp::TMouseButton, comp::TShiftState shift, int x, int y) {
    if (front::MouseMove(m_mouse, m_view, shift, x, y, gl.ViewWidth(), gl.ViewHeight())) gl.Invalidate();
  };
  m_gl->OnMouseUp = [this](TglWindow& gl, comp::TMouseButton, comp::TShiftState shift, int x, int y) {
    if (front::MouseUp(m_mouse, m_view, shift, x, y, gl.ViewWidth(), gl.ViewHeight())) gl.Invalidate();
  };
}

TDlgBlock::~TDlgBlock() {
  // The window and its context go first, while this object is whole.
  delete m_gl;
  m_gl = nullptr;
}

template <class Fn>
void TDlgBlock::guarded(Fn&& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    comp::ShowError(QString::fromStdString(e.what()));
  }
}

TBlockScene TDlgBlock::scene() { return TBlockScene(*m_gl, m_main.Project(), m_extents, m_options, m_view); }

// --- life of the form ----------------------------------------------------------

void TDlgBlock::FormActivate() {
  // The frame follows the project: a changed model (a unit switch, an edited
  // table) is shown whole again, as on opening.
  const TSceneExtents extents = GetMaxDims(m_main.Project());
  if (m_figureReady && SameFrame(extents, m_extents)) return;
  m_extents = extents;
  RestartView(m_view, m_extents);
  m_gl->ResetInitialized();
  m_figureReady = true;
  RedrawFigure();
}

bool TDlgBlock::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

void TDlgBlock::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormActivate();
}

void TDlgBlock::closeEvent(QCloseEvent* event) {
  event->accept();
  m_main.Close3DView();
}

void TDlgBlock::glRender() {
  // Moving the view into the main window paints its window before the form
  // is shown and laid out; nothing of that frame is seen, and the paint that
  // shows the form follows.
  if (!isVisible()) return;
  FormActivate();
  // Font lists belong to a context; the window's context is made anew when
  // the view moves to another top-level window.
  QOpenGLContext* context = QOpenGLContext::currentContext();
  if (context != m_fontContext) {
    m_gl->BuildFont();
    m_fontContext = context;
    connect(context, &QOpenGLContext::aboutToBeDestroyed, this, [this] { m_fontContext = nullptr; });
  }
  TBlockScene s = scene();
  // The projection and the fit scale are made for the size the window is
  // painted at. The window gets its size from the form's layout, which may
  // come after the first paint: a paint at another size makes them anew.
  const QSize size(m_gl->ViewWidth(), m_gl->ViewHeight());
  if (size != m_setupSize) m_gl->ResetInitialized();
  // The piles' arrays hold as many sides and segments as their width on the
  // screen needs: a zoom that changes them builds the arrays anew.
  const TProgramData& project = m_main.Project();
  if (PileCylinders(project, m_view.FitScale * m_view.ZoomScale) != m_pileCylinders) m_gl->ResetInitialized();
  if (!m_gl->TestAndSetInitialized()) {
    s.glSetupRC(size.width(), size.height());
    m_setupSize = size;
    m_pileCylinders = PileCylinders(project, m_view.FitScale * m_view.ZoomScale);
  }
  m_gl->TestAndClearRedraw();
  s.DrawFigure(m_mouse.Selection);
}

void TDlgBlock::RedrawFigure() {
  m_gl->RequestRedraw();
  m_gl->Invalidate();
}

void TDlgBlock::RedrawComplete() {
  m_gl->ResetInitialized();
  RedrawFigure();
}

// --- toolbar -------------------------------------------------------------------

void TDlgBlock::SetView(int preset) {
  front::SetView(m_view, preset);
  // The whole model fitted as this preset shows it.
  RedrawComplete();
}

void TDlgBlock::ReverseView() {
  front::ReverseView(m_view);
  m_gl->Invalidate();
}

void TDlgBlock::SetMouseMode(int mode, bool zoomWindow) {
  m_mouse.MouseMode = mode;
  m_mouse.ZoomWindowMode = zoomWindow;
}

void TDlgBlock::Zooming(Extended factor) {
  front::Zooming(m_view, factor);
  RedrawFigure();
}

void TDlgBlock::RestartViewButtonClick() {
  FormActivate();
  RestartView(m_view, m_extents);
  RedrawComplete();
}

// --- display options -------------------------------------------------------------

void TDlgBlock::ShowPileCapOption() {
  m_options.FoundationVisible = !m_options.FoundationVisible;
  RedrawComplete();
}
void TDlgBlock::ShowAllPilesOption() {
  m_options.PilesVisible = !m_options.PilesVisible;
  RedrawComplete();
}
void TDlgBlock::ShowPileNumbersOption() {
  m_options.PileNumbersVisible = !m_options.PileNumbersVisible;
  RedrawComplete();
}
void TDlgBlock::ShowSoilLayersOption() {
  m_options.SoilLayersVisible = !m_options.SoilLayersVisible;
  RedrawComplete();
}
void TDlgBlock::ShowSoilLayerLabelsOption() {
  m_options.SoilLayerLabelsVisible = !m_options.SoilLayerLabelsVisible;
  RedrawComplete();
}
void TDlgBlock::ShowSoilLayerDepthLabelsOption() {
  m_options.SoilDepthLabelsVisible = !m_options.SoilDepthLabelsVisible;
  RedrawComplete();
}

// --- output ----------------------------------------------------------------------

QImage TDlgBlock::RenderFigure() {
  FormActivate();
  struct Immediate {
    TViewState& view;
    explicit Immediate(TViewState& v) : view(v) { view.ImmediateMode = true; }
    ~Immediate() { view.ImmediateMode = false; }
  };
  const int w = m_gl->ViewWidth(), h = m_gl->ViewHeight();
  return m_gl->RenderToImage(w, h, [this, w, h] {
    Immediate immediate(m_view);
    TBlockScene s = scene();
    s.glSetupRC(w, h);
    s.DrawFigure(m_mouse.Selection);
    m_gl->Finish();
  });
}

void TDlgBlock::SaveBitmapButtonClick() {
  const QString path = saveFileHook() ? saveFileHook()(this) : runSaveDialog(this);
  if (path.isEmpty()) return;
  guarded([&] {
    const QImage image = RenderFigure();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP") || !file.commit())
      throw comp::EInOutError("Cannot create file \"" + path.toStdString() + "\".");
  });
}

void TDlgBlock::PrintButtonClick() {
  QPrinter printer(QPrinter::HighResolution);
  const bool ok = printDialogHook() ? printDialogHook()(printer, this) : runPrintDialog(printer, this);
  if (!ok) return;
  guarded([&] {
    const QImage image = RenderFigure();
    printer.setDocName("OPenGL figure");
    QPainter painter;
    if (!painter.begin(&printer)) throw comp::EInOutError("The printer could not be started.");
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect full = layout.fullRectPixels(dpi), paintable = layout.paintRectPixels(dpi);
    const TPrintPlacement place = PrintPlacement(
        m_margins, printer.logicalDpiX(), printer.logicalDpiY(), paintable.left() - full.left(),
        paintable.top() - full.top(), printer.width(), printer.height(), image.width(), image.height());
    painter.drawImage(QRect(place.Left, place.Top, place.Width, place.Height), image);
    painter.end();
  });
}

void TDlgBlock::PageSetupButtonClick() {
  TPageMargins margins = m_margins;
  const bool ok = pageSetupHook() ? pageSetupHook()(margins, this) : runPageSetupDialog(margins, this);
  if (ok) m_margins = margins;
}

}  // namespace zrv::front
