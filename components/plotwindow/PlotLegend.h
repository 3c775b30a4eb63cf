#pragma once
// The legend of the plot window on the screen: one coloured entry per listed
// curve, an active curve's entry followed by " *". Any mouse button grabs it
// and drags it inside its parent; a double click switches the curve under
// the pointer on or off.

#include <QString>
#include <QWidget>
#include <vector>

namespace zrv::comp {

class TGraphPlot;

class TPlotLegend : public QWidget {
  Q_OBJECT
public:
  TPlotLegend(TGraphPlot& plot, QWidget* parent);

  struct Entry {
    int Curve = 0;  // index in the plot's main list
    QString Text;
  };
  void SetEntries(std::vector<Entry> entries);
  const std::vector<Entry>& Entries() const { return m_entries; }
  /// The entry's text as shown: its text, and " *" when its curve is active.
  QString ShownText(int entry) const;

  /// Legend font of `points` points; item height = 3 * points / 2.
  void SetFontPoints(int points);
  int FontPoints() const { return m_points; }
  int ItemHeight() const { return m_itemHeight; }
  /// Height = entries x item height + 3; width reset to 21 and widened so
  /// that every shown text fits with a quarter inch to spare.
  void FitSize();

  /// Double click on entry `entry`: toggles its curve's Active.
  void ToggleEntry(int entry);

signals:
  /// A curve was switched on or off.
  void curveToggled(int curve);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  TGraphPlot& m_plot;
  std::vector<Entry> m_entries;
  int m_points = 11;
  int m_itemHeight = 16;
  bool m_dragging = false;
  QPoint m_grab;
};

}  // namespace zrv::comp
