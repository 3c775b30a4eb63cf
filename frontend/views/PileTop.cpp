#include "views/PileTop.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

#include "app/IMainForm.h"
#include "base/exceptions.h"
#include "project/TProgramData.h"
#include "ui/UiHooks.h"
#include "views/ViewPrinting.h"

namespace zrv::front {
namespace {

QRect ellipseRect(const TPixelRect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom)).normalized(); }

// The outline as four lines through its corners, each corner mapped like a
// circle of radius 0.
void drawOutline(QPainter& painter, const TTopOutline& o, const TWorldWindow& view, int w, int h) {
  if (!o.drawn) return;
  const auto corner = [&](Extended x, Extended y) {
    const TPixelRect r = mapCircle(view, w, h, {x, y, 0});
    return QPoint(r.left, r.top);
  };
  const QPoint a = corner(o.xmin, o.ymax), b = corner(o.xmax, o.ymax);
  const QPoint c = corner(o.xmax, o.ymin), d = corner(o.xmin, o.ymin);
  painter.drawLine(a, b);
  painter.drawLine(b, c);
  painter.drawLine(c, d);
  painter.drawLine(d, a);
}

}  // namespace

TDlgTopView::TDlgTopView(IMainForm& main, QWidget* parent) : QWidget(parent), m_main(main) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Top View");
  setMouseTracking(true);
  m_button = new QPushButton("Print", this);
  m_button->move(4, 4);
  connect(m_button, &QPushButton::clicked, this, &TDlgTopView::Button1Click);
  resize(480, 400);
}

TDlgTopView::~TDlgTopView() = default;

void TDlgTopView::FormActivate() {
  m_circles.clear();
  try {
    m_circles = topViewCircles(m_main.Project(), m_main.Tables());
  } catch (const comp::EListError&) {
    comp::ShowInformation("One or more Pile Types does not have any sections");
    close();
    return;
  } catch (const std::exception& e) {
    comp::ShowError(QString::fromStdString(e.what()));
    return;
  }
  m_base = topViewBaseWindow(m_base, m_outline, m_circles);
  FormResize();
}

void TDlgTopView::FormResize() {
  if (GetNoDraw() || width() <= 0 || height() <= 0) return;
  m_view = fitWindowToArea(m_base, width(), height(), true);
  update();
}

void TDlgTopView::FormPaint(QPainter& painter) {
  painter.fillRect(rect(), palette().color(QPalette::Base));
  if (GetNoDraw()) return;
  painter.setBrush(palette().color(QPalette::Text));
  m_outline = topViewOutline(m_main.Project(), m_main.Tables());
  drawOutline(painter, m_outline, m_view, width(), height());
  for (const TCircle& c : m_circles) {
    const QRect r = ellipseRect(mapCircle(m_view, width(), height(), c));
    if (r.intersects(rect())) painter.drawEllipse(r);  // far-away piles cost nothing
  }
}

void TDlgTopView::Draw2(QPainter& painter, const QRect& page, bool landscape) {
  const int W = page.width(), H = page.height();
  const int xRes = snapResolution(landscape ? W / 10 : W / 8);
  const int yRes = snapResolution(landscape ? H / 8 : H / 10);
  painter.save();
  painter.translate(page.topLeft());
  painter.fillRect(QRect(0, 0, W, H), palette().color(QPalette::Base));
  painter.setPen(QPen(Qt::black, 12, Qt::SolidLine));
  painter.setBrush(palette().color(QPalette::Text));
  if (!GetNoDraw() && W > 0 && H > 0) {
    // The page gets its own fit of the base window; the screen's view stays.
    const TWorldWindow view = fitWindowToArea(m_base, W, H, true);
    drawOutline(painter, m_outline, view, W, H);
    for (const TCircle& c : m_circles) {
      const QRect r = ellipseRect(printedCircle(mapCircle(view, W, H, c), xRes, yRes));
      if (r.intersects(QRect(0, 0, W, H))) painter.drawEllipse(r);
    }
  }
  painter.restore();
}

void TDlgTopView::Button1Click() {
  printViewPage(this, [this](QPrinter& printer, QPainter& painter) {
    Draw2(painter, QRect(0, 0, printer.width(), printer.height()),
          printer.pageLayout().orientation() == QPageLayout::Landscape);
  });
}

bool TDlgTopView::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

void TDlgTopView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TDlgTopView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  try {
    FormPaint(painter);
  } catch (const std::exception&) {
    // A table that changed under the paint: the next activation reports it.
  }
}

void TDlgTopView::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  if (GetNoDraw() || width() <= 0 || height() <= 0) return;
  const QPoint p = event->position().toPoint();
  const auto [x, y] = pixelToWorld(m_view, width(), height(), p.x(), p.y());
  setWindowTitle(QString::fromStdString("Top View X: " + formatReadout(x) + " Y: " + formatReadout(y)));
}

}  // namespace zrv::front

// The meta-object code of this unit, kept out of the folder-wide moc unit.
#include "moc_PileTop.cpp"
