#pragma once
// The plan of the foundation ("Top View"): for a pile foundation the piles as
// filled circles inside the rectangle that bounds their centres, for the
// other foundations the outline of the footing. The caption reads out the
// world position under the mouse; "Print" prints the plan on a landscape
// page. The view follows the project when it is activated.

#include <QWidget>
#include <vector>

#include "views/ViewGeometry.h"

class QPainter;
class QPushButton;

namespace zrv::front {

class IMainForm;

class TDlgTopView : public QWidget {
  Q_OBJECT
public:
  /// Deletes itself when closed; base window ±10 in x and y.
  explicit TDlgTopView(IMainForm& main, QWidget* parent = nullptr);
  ~TDlgTopView() override;

  /// Rebuilds the circles from the tables and refits the base window to them
  /// and to the outline of the last paint. A pile table without a pile type
  /// row is reported and closes the view.
  void FormActivate();
  void FormDeactivate() {}
  /// Fits the view window to the client area and repaints.
  void FormResize();
  /// True when the base window cannot be mapped (nothing is drawn or shown).
  bool GetNoDraw() const { return windowUndrawable(m_base); }

  /// Draws the plan over `page` (device pixels) of a printer-like device.
  void Draw2(QPainter& painter, const QRect& page, bool landscape);
  /// The "Print" button.
  void Button1Click();

  const TWorldWindow& baseWindow() const { return m_base; }
  const TWorldWindow& viewWindow() const { return m_view; }
  const std::vector<TCircle>& circles() const { return m_circles; }
  /// The outline kept by the last paint.
  const TTopOutline& outline() const { return m_outline; }
  QPushButton* printButton() const { return m_button; }
  /// The size a new child window of the main window opens with.
  QSize sizeHint() const override { return {480, 400}; }

protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  void FormPaint(QPainter& painter);

  IMainForm& m_main;
  QPushButton* m_button = nullptr;
  std::vector<TCircle> m_circles;
  TWorldWindow m_base{-10, 10, 10, -10};
  TWorldWindow m_view{-10, 10, 10, -10};
  TTopOutline m_outline;
};

}  // namespace zrv::front
