#include "views/SideView.h"

#include <QEvent>
#include <functional>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>

#include "app/IMainForm.h"
#include "project/TProgramData.h"
#include "ui/UiHooks.h"
#include "views/ViewPrinting.h"

namespace zrv::front {
namespace {

// Printed labels: the first line of the first eight layers, the second line
// of the first seven (the page has no room for more).
constexpr std::size_t kPrintedLabels = 8;
constexpr std::size_t kPrintedSecondLines = 7;

QPolygon outlinePolygon(const TSideOutline& o, const std::function<std::pair<int, int>(const TSidePoint&)>& map) {
  QPolygon polygon;
  for (int k : {0, 1, 3, 2}) {
    const auto [x, y] = map(o.p[static_cast<std::size_t>(k)]);
    polygon << QPoint(x, y);
  }
  return polygon;
}

// Writes `text` with its top at y.
void textAt(QPainter& painter, int x, int y, const std::string& text) {
  painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), QString::fromStdString(text));
}

}  // namespace

TDlgSideView::TDlgSideView(IMainForm& main, TSidePlane plane, const QString& caption, QWidget* parent)
    : QWidget(parent), m_main(main), m_plane(plane) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(caption);
  setMouseTracking(true);
  m_button = new QPushButton("Print", this);
  m_button->move(4, 4);
  connect(m_button, &QPushButton::clicked, this, &TDlgSideView::Button1Click);
  resize(640, 480);
}

TDlgSideView::~TDlgSideView() = default;

TDlgSideViewXZ::TDlgSideViewXZ(IMainForm& main, QWidget* parent)
    : TDlgSideView(main, TSidePlane::XZ, "Side View (XZ-Plane)", parent) {}

TDlgSideViewYZ::TDlgSideViewYZ(IMainForm& main, QWidget* parent)
    : TDlgSideView(main, TSidePlane::YZ, "Side View (YZ-Plane)", parent) {}

void TDlgSideView::FormActivate() {
  m_outlines.clear();
  TProgramData& project = m_main.Project();
  const TProjectTables& tables = m_main.Tables();
  bool missingRow = false;
  try {
    if (tables.D().RowCount() == 0) {
      FormResize();
      return;
    }
    project.FoundationCode = foundationCodeOf(project.FoundationType, project.FoundationCode);
    const int code = project.FoundationCode;
    project.ElementLengthSum = elementLengthSumOf(code, tables);
    TSideBuild build = buildSideOutlines(project, tables, m_plane, code, project.ElementLengthSum);
    m_outlines = std::move(build.outlines);
    missingRow = build.missingRow;
    m_world = sideWorldWindow(m_world, m_outlines, code, project.ElementLengthSum,
                              code == 3 ? sideRockDepth(project) : 0);
  } catch (const std::exception& e) {
    comp::ShowError(QString::fromStdString(e.what()));
    return;
  }
  if (missingRow) {
    // One box for the whole activation, not one per pile.
    comp::ShowInformation("One or more Pile Types does not have any sections");
    close();
    return;
  }
  FormResize();
}

void TDlgSideView::FormResize() {
  if (GetNoDraw() || width() <= 0 || height() <= 0) return;
  m_view = fitWindowToArea(m_world, width(), height(), false);
  update();
}

void TDlgSideView::FormPaint(QPainter& painter) {
  painter.fillRect(rect(), palette().color(QPalette::Base));
  if (GetNoDraw()) return;
  const int W = width(), H = height();
  const auto py = [&](Extended depth) { return worldToPixel(m_view, W, H, 0, depth).second; };
  const TSideProfile profile = sideProfile(m_main.Project(), m_main.Tables(), m_main.Project().FoundationCode);
  painter.setPen(palette().color(QPalette::Text));
  for (Extended depth : profile.lines) painter.drawLine(0, py(depth), W, py(depth));
  for (Extended depth : profile.grounds) {
    const int y = py(depth);
    painter.drawLine(0, y, W, y);
    for (int k = 1; k <= 20; ++k) painter.drawLine(100 + 20 * k, y, 115 + 20 * k, y + 5);
  }
  const int lineHeight = painter.fontMetrics().height();
  for (const TProfileLabel& label : profile.labels) {
    const int y = py(label.depth) + label.offset;
    textAt(painter, 0, y, label.first);
    if (!label.second.empty()) textAt(painter, 0, y + lineHeight, label.second);
  }
  painter.setBrush(palette().color(QPalette::Text));
  const auto toScreen = [&](const TSidePoint& p) { return worldToPixel(m_view, W, H, p.x, p.depth); };
  for (const TSideOutline& o : m_outlines) painter.drawPolygon(outlinePolygon(o, toScreen));
}

void TDlgSideView::Draw2(QPainter& painter, const QRect& page) {
  const int PW = page.width(), PH = page.height();
  painter.save();
  painter.translate(page.topLeft());
  painter.setPen(QPen(Qt::black, 12, Qt::SolidLine));
  const QRect frame(QPoint(toPixel(0.1L * PW), toPixel(0.1L * PH)), QPoint(toPixel(0.9L * PW), toPixel(0.9L * PH)));
  painter.fillRect(frame, palette().color(QPalette::Base));
  if (!GetNoDraw() && PW > 0 && PH > 0) {
    const auto py = [&](Extended depth) { return sideToPrinter(m_view, PW, PH, 0, depth).second; };
    const int x0 = toPixel(0.1L * PW), x1 = toPixel(0.9L * PW);
    const TSideProfile profile = sideProfile(m_main.Project(), m_main.Tables(), m_main.Project().FoundationCode);
    for (Extended depth : profile.lines) painter.drawLine(x0, py(depth), x1, py(depth));
    for (Extended depth : profile.grounds) {
      const int y = py(depth);
      painter.drawLine(x0, y, x1, y);
      for (int k = 1; k <= 10; ++k)
        painter.drawLine(toPixel(0.25L * PH) + 50 * k, y, toPixel(0.265L * PH) + 50 * k, y + 70);
    }
    // Offsets are screen pixels; on the page they keep their physical size.
    const QPaintDevice* device = painter.device();
    const double scale = device != nullptr ? device->logicalDpiY() / 96.0 : 1.0;
    const int lineHeight = painter.fontMetrics().height();
    const int labelX = toPixel(0.15L * PH);
    for (std::size_t j = 0; j < profile.labels.size() && j < kPrintedLabels; ++j) {
      const TProfileLabel& label = profile.labels[j];
      const int y = py(label.depth) + static_cast<int>(label.offset * scale);
      textAt(painter, labelX, y, label.first);
      if (j < kPrintedSecondLines && !label.second.empty()) textAt(painter, labelX, y + lineHeight, label.second);
    }
    painter.setBrush(palette().color(QPalette::Text));
    for (const TSideOutline& o : m_outlines)
      painter.drawPolygon(
          outlinePolygon(o, [&](const TSidePoint& p) { return sideToPrinter(m_view, PW, PH, p.x, p.depth); }));
  }
  painter.restore();
}

void TDlgSideView::Button1Click() {
  printViewPage(this, [this](QPrinter& printer, QPainter& painter) {
    Draw2(painter, QRect(0, 0, printer.width(), printer.height()));
  });
}

bool TDlgSideView::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

void TDlgSideView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void TDlgSideView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  try {
    FormPaint(painter);
  } catch (const std::exception&) {
    // A table that changed under the paint: the next activation reports it.
  }
}

void TDlgSideView::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  if (GetNoDraw() || width() <= 0 || height() <= 0) return;
  const QPoint p = event->position().toPoint();
  const auto [x, depth] = pixelToWorld(m_view, width(), height(), p.x(), p.y());
  setWindowTitle(QString::fromStdString("Side View X: " + formatReadout(x) + " Depth: " + formatReadout(depth)));
}

}  // namespace zrv::front

// The meta-object code of this unit, kept out of the folder-wide moc unit.
#include "moc_SideView.cpp"
