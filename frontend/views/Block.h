#pragma once
// The 3D view "Zorvin, 3D-View": the foundation, piles and soil layers of the
// open project drawn in an OpenGL window, turned, panned and zoomed with the
// toolbar and the mouse, saved as a bitmap or printed. The main window's
// toolbar and "Show 3D View" menu call the public operations.

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "views/BlockScene.h"
#include "views/BlockViewing.h"
#include "views/PileArrays.h"

class QOpenGLContext;
class QPrinter;

namespace zrv::comp {
class TglWindow;
}

namespace zrv::front {

class IMainForm;

class TDlgBlock : public QWidget {
  Q_OBJECT
public:
  /// Chooses the bitmap file (overwrite prompt on); empty for Cancel.
  using SaveFileHook = std::function<QString(QWidget* parent)>;
  /// Runs the print dialog on `printer`; false for Cancel.
  using PrintDialogHook = std::function<bool(QPrinter& printer, QWidget* parent)>;
  /// Runs the page-setup dialog on the margins; false for Cancel.
  using PageSetupHook = std::function<bool(TPageMargins& margins, QWidget* parent)>;
  /// Tests replace the dialogs; an empty hook restores the real one.
  static void setSaveFileHook(SaveFileHook hook);
  static void setPrintDialogHook(PrintDialogHook hook);
  static void setPageSetupHook(PageSetupHook hook);

  /// The view deletes itself when closed and then tells the main window.
  explicit TDlgBlock(IMainForm& main, QWidget* parent = nullptr);
  ~TDlgBlock() override;

  // Toolbar.
  /// Standard views 1 to 4, each fitted to the window; any other preset only redraws.
  void SetView(int preset);
  void ReverseView();
  /// The mouse mode (1 pan, 2 zoom, 3 rotate, 4 zoom window) and whether the
  /// zoom-window button is down.
  void SetMouseMode(int mode, bool zoomWindow);
  /// Factor 1.4142 (in) or 0.7071135624381276 (out).
  void Zooming(Extended factor);
  void RestartViewButtonClick();

  // "Show 3D View" menu: each inverts its option and rebuilds the figure.
  void ShowPileCapOption();
  void ShowAllPilesOption();
  void ShowPileNumbersOption();
  void ShowSoilLayersOption();
  void ShowSoilLayerLabelsOption();
  void ShowSoilLayerDepthLabelsOption();
  /// The options, for the check marks of the menu.
  const TDisplayOptions& Options() const { return m_options; }
  bool FoundationVisible() const { return m_options.FoundationVisible; }
  bool PilesVisible() const { return m_options.PilesVisible; }
  bool PileNumbersVisible() const { return m_options.PileNumbersVisible; }
  bool SoilLayersVisible() const { return m_options.SoilLayersVisible; }
  bool SoilLayerLabelsVisible() const { return m_options.SoilLayerLabelsVisible; }
  bool SoilDepthLabelsVisible() const { return m_options.SoilDepthLabelsVisible; }

  // File menu.
  void SaveBitmapButtonClick();
  void PrintButtonClick();
  void PageSetupButtonClick();
  const TPageMargins& Margins() const { return m_margins; }

  /// Computes the frame of the figure; on the first activation, and whenever
  /// the project's model no longer has that frame, the view starts over on
  /// the whole model (as Restart View) and is fitted anew.
  void FormActivate();
  /// The figure rendered off-screen at the window's size. Raises comp::EOpenGL.
  QImage RenderFigure();

  comp::TglWindow& GL() const { return *m_gl; }
  TViewState& View() { return m_view; }
  const TSceneExtents& Extents() const { return m_extents; }
  const TViewMouse& Mouse() const { return m_mouse; }
  bool FigureReady() const { return m_figureReady; }
  /// The size a new view opens with.
  QSize sizeHint() const override { return {640, 480}; }

protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void glRender();
  void RedrawFigure();
  void RedrawComplete();
  TBlockScene scene();
  /// Runs `fn`; an exception's message goes to the error box.
  template <class Fn>
  void guarded(Fn&& fn);

  IMainForm& m_main;
  comp::TglWindow* m_gl = nullptr;
  TSceneExtents m_extents;
  TDisplayOptions m_options;
  TViewState m_view;
  TViewMouse m_mouse;
  TPageMargins m_margins;
  bool m_figureReady = false;
  /// The context whose font lists are built.
  QOpenGLContext* m_fontContext = nullptr;
  /// The pile cylinders (radii and side counts) of the compiled lists.
  std::vector<TPileCylinder> m_pileCylinders;
  /// The window size the projection, the fit scale and the lists were made for.
  QSize m_setupSize;
};

}  // namespace zrv::front
