#pragma once
// The vertical sections through the foundation: soil layers as lines with
// labels, the ground line with hatching, and the footing or every pile as a
// filled quadrilateral (tilted by its batter when the pile is battered in the
// section's plane). The caption reads out the position under the mouse;
// "Print" prints the profile on a landscape page. TDlgSideViewXZ shows the
// x axis, TDlgSideViewYZ the y axis; everything else is common.

#include <QWidget>
#include <vector>

#include "views/ViewGeometry.h"

class QPainter;
class QPushButton;

namespace zrv::front {

class IMainForm;

class TDlgSideView : public QWidget {
  Q_OBJECT
public:
  ~TDlgSideView() override;

  /// Sets the project's FoundationCode and ElementLengthSum, rebuilds the
  /// outlines and the world window and refits the view. A missing pile-type
  /// or element row is reported once and closes the view.
  void FormActivate();
  void FormDeactivate() {}
  /// Fits the view window to the client area and repaints.
  void FormResize();
  /// True when the world window cannot be mapped (nothing is drawn or shown).
  bool GetNoDraw() const { return windowUndrawable(m_world); }

  /// Draws the profile over `page` (device pixels) of a printer-like device.
  void Draw2(QPainter& painter, const QRect& page);
  /// The "Print" button.
  void Button1Click();

  TSidePlane plane() const { return m_plane; }
  const TWorldWindow& worldWindow() const { return m_world; }
  const TWorldWindow& viewWindow() const { return m_view; }
  const std::vector<TSideOutline>& outlines() const { return m_outlines; }
  QPushButton* printButton() const { return m_button; }
  /// The size a new child window of the main window opens with.
  QSize sizeHint() const override { return {640, 480}; }

protected:
  TDlgSideView(IMainForm& main, TSidePlane plane, const QString& caption, QWidget* parent);

  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  void FormPaint(QPainter& painter);

  IMainForm& m_main;
  TSidePlane m_plane;
  QPushButton* m_button = nullptr;
  std::vector<TSideOutline> m_outlines;
  TWorldWindow m_world{-10, 10, 0, 10};
  TWorldWindow m_view{-10, 10, 0, 10};
};

/// "Side View (XZ-Plane)": pile centres from x, batter in the XZ plane.
class TDlgSideViewXZ : public TDlgSideView {
  Q_OBJECT
public:
  explicit TDlgSideViewXZ(IMainForm& main, QWidget* parent = nullptr);
};

/// "Side View (YZ-Plane)": pile centres from y, batter in the YZ plane.
class TDlgSideViewYZ : public TDlgSideView {
  Q_OBJECT
public:
  explicit TDlgSideViewYZ(IMainForm& main, QWidget* parent = nullptr);
};

}  // namespace zrv::front
