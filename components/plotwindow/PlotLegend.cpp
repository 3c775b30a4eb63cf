#include "plotwindow/PlotLegend.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "plotdata/pltdata.h"
#include "plotwindow/PlotGeometry.h"

namespace zrv::comp {

TPlotLegend::TPlotLegend(TGraphPlot& plot, QWidget* parent) : QWidget(parent), m_plot(plot) {
  setObjectName("Legend");
  QFont f("Times New Roman");
  f.setPixelSize(15);
  setFont(f);
  setAutoFillBackground(false);
  hide();
}

void TPlotLegend::SetEntries(std::vector<Entry> entries) {
  m_entries = std::move(entries);
  update();
}

QString TPlotLegend::ShownText(int entry) const {
  const Entry& e = m_entries[static_cast<std::size_t>(entry)];
  const bool active = e.Curve >= 0 && e.Curve < m_plot.LineCount() && m_plot.Line(e.Curve).Active;
  return active ? e.Text + " *" : e.Text;
}

void TPlotLegend::SetFontPoints(int points) {
  m_points = std::max(points, 1);
  QFont f = font();
  f.setPointSize(m_points);
  setFont(f);
  m_itemHeight = 3 * m_points / 2;
}

void TPlotLegend::FitSize() {
  const QFontMetrics fm(font());
  int w = 21;
  for (const Entry& e : m_entries) w = std::max(w, fm.horizontalAdvance(e.Text + " *") + logicalDpiX() / 4);
  resize(w, static_cast<int>(m_entries.size()) * m_itemHeight + 3);
}

void TPlotLegend::ToggleEntry(int entry) {
  if (entry < 0 || entry >= static_cast<int>(m_entries.size())) return;
  const int curve = m_entries[static_cast<std::size_t>(entry)].Curve;
  if (curve < 0 || curve >= m_plot.LineCount()) return;
  TLine& line = m_plot.Line(curve);
  line.Active = !line.Active;
  update();
  emit curveToggled(curve);
}

void TPlotLegend::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setPen(Qt::black);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  const QFontMetrics fm(font());
  // An entry that outgrows the box widens it, an eighth of an inch to spare.
  int need = width();
  for (int i = 0; i < static_cast<int>(m_entries.size()); ++i) {
    const QString s = ShownText(i);
    need = std::max(need, fm.horizontalAdvance(s) + logicalDpiX() / 8);
    p.setPen(QColor(QRgb(PlotColor(i))));
    const QRect item(4, 1 + i * m_itemHeight, width() - 4, m_itemHeight);
    p.drawText(item, Qt::AlignLeft | Qt::AlignVCenter, s);
  }
  if (need > width()) QMetaObject::invokeMethod(this, [this, need] { resize(need, height()); }, Qt::QueuedConnection);
}

void TPlotLegend::mousePressEvent(QMouseEvent* event) {
  m_dragging = true;
  m_grab = event->position().toPoint();
}

void TPlotLegend::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging || !parentWidget()) return;
  const QPoint to = mapToParent(event->position().toPoint()) - m_grab;
  const QWidget* host = parentWidget();
  const int x = std::clamp(to.x(), 0, std::max(0, host->width() - width()));
  const int y = std::clamp(to.y(), 0, std::max(0, host->height() - height()));
  move(x, y);
}

void TPlotLegend::mouseReleaseEvent(QMouseEvent*) { m_dragging = false; }

void TPlotLegend::mouseDoubleClickEvent(QMouseEvent* event) {
  m_dragging = false;
  if (m_itemHeight > 0) ToggleEntry((event->position().toPoint().y() - 1) / m_itemHeight);
}

}  // namespace zrv::comp
