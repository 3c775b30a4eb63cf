#pragma once
// The plot window: a child window of the main window that draws one plot's
// curves with automatic axis ranges, a legend and captions; the user zooms
// with the mouse, switches curves on and off, changes markers, font size and
// line width, edits the legend, prints and saves the diagram as a bitmap.
// The window reads and writes the plot's options directly; it deletes
// itself when closed and then tells the plot, which makes a fresh window on
// its next Show.

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "plotdata/pltdata.h"
#include "plotwindow/PageSet.h"
#include "plotwindow/PlotDraw.h"
#include "plotwindow/PlotGeometry.h"

class QAction;
class QImage;
class QMenu;
class QMenuBar;
class QPrinter;

namespace zrv::comp {

class TPlotLegend;

/// The maker of plot windows that the main window sets on its plots.
PlotWindowFactory PlotFormFactory();

class TPlotForm;
/// The window a plot shows now, when it was made by PlotFormFactory.
TPlotForm* PlotFormOf(const TGraphPlot& plot);

/// At most this many curves are listed when a window opens.
inline constexpr int kMaxLegendCurves = 20;

class TPlotForm : public QWidget {
  Q_OBJECT
public:
  explicit TPlotForm(TGraphPlot& plot, QWidget* parent = nullptr);
  ~TPlotForm() override;

  TGraphPlot& Plot() const { return m_plot; }
  /// The drawing area below the menu bar (mouse input goes there).
  QWidget* Canvas() const { return m_canvas; }
  TPlotLegend* Legend() const { return m_legend; }
  QMenu* PlotMenu() const { return m_plotMenu; }
  /// Curve items of the menu, one per legend entry.
  const std::vector<QAction*>& CurveItems() const { return m_curveItems; }
  TPageSetupDialog& PageSetupDialog1() { return m_pageSetup; }

  const TPlotRanges& FullRange() const { return m_full; }
  const TPlotRanges& CurrentRange() const { return m_cur; }
  /// The plot rectangle on the window now.
  TPixRect PlotRect() const;
  /// What a drawing of the window itself uses.
  TPlotView ScreenView() const;
  /// What a drawing on a saved bitmap uses: the window's resolution, the
  /// bitmap's page and text height.
  TPlotView BitmapView(const QImage& bitmap) const;
  /// What a printout on `printer` uses: its resolution, the page-setup
  /// margins.
  TPlotView PrintView(QPrinter& printer) const;

  /// Menu commands.
  void PlotLegendClick();
  void PlotSoilLayerClick();
  void ShowWallGeometryClick();
  void SetMarkers(int every);
  void SetFontSize(int number);
  void SetLineWidth(int factor);
  void PlotCaptionClick();
  void mLineNameClick();
  void ActiveGraphsClick();
  void PlotPrintClick();
  void PlotPageClick();
  void PlotSaveClick();
  void CurveItemClick(int entry);
  /// Updates checks and visibility of the menu as its opening does.
  void UpdateMenu();

  /// Lays the window out; `moveLegend` puts the legend at the plot's
  /// bottom-right corner first (a request of the program, not a resize).
  void LayOut(bool moveLegend);

  /// Called once when the window is being destroyed.
  void SetOnDestroyed(std::function<void()> f) { m_onDestroyed = std::move(f); }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void buildMenu();
  void rebuildLegend();
  void setUpLegend(int fontNumber);
  void canvasMouseMove(const QPoint& at);
  void canvasPress(QMouseEvent* event);
  void canvasRelease(QMouseEvent* event);
  void paintCanvas();
  /// Puts the legend in its corner once the window has its real size.
  void settleLegend();
  QPrinter& printer();

  TGraphPlot& m_plot;
  QMenuBar* m_menuBar = nullptr;
  QMenu* m_plotMenu = nullptr;
  QWidget* m_canvas = nullptr;
  TPlotLegend* m_legend = nullptr;
  QAction* m_legendItem = nullptr;
  QAction* m_soilItem = nullptr;
  QAction* m_wallItem = nullptr;
  QMenu* m_markerMenu = nullptr;
  QMenu* m_fontMenu = nullptr;
  QMenu* m_widthMenu = nullptr;
  std::vector<QAction*> m_curveItems;
  TPageSetupDialog m_pageSetup;
  std::unique_ptr<QPrinter> m_printer;
  TPlotRanges m_full, m_cur;
  bool m_legendPending = true;  // the first drawing puts the legend in its corner
  bool m_banding = false;
  QPoint m_bandStart, m_bandEnd;
  std::function<void()> m_onDestroyed;
};

}  // namespace zrv::comp
