#pragma once
// The interactive amplitude plot: the footing's steady-state response
// amplitude under harmonic loading at a point the user chooses, as three
// curves against frequency, with a cursor read-out, a point message, export
// as comma-separated text and printing. It reads the main window's response
// plots and the project's centre of gravity and changes nothing.
//
// The main window makes one instance and shows it modally (exec); every
// showing resets the reference point to the centre of gravity and the
// displayed units to the project's. Closing hides it.

#include <QDialog>
#include <functional>

#include "views/AmpPlotCurves.h"

class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace zrv::comp {
class TDataEdit;
}

namespace zrv::front {

class IMainForm;

class TDlgAmpPlot : public QDialog {
  Q_OBJECT
public:
  /// The file name chosen in a save dialog, empty when cancelled.
  using TSaveFileHook = std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>;
  /// Lets the user set up `printer`; true to print.
  using TPrintHook = std::function<bool(QPrinter& printer, QWidget* parent)>;
  /// Replace the save and print dialogs (an empty hook restores the real one).
  static void SetSaveFileHook(TSaveFileHook hook);
  static void SetPrintHook(TPrintHook hook);

  explicit TDlgAmpPlot(IMainForm& main, QWidget* parent = nullptr);

  /// Point markers reach 2 pixels either side of their point.
  static constexpr int kMarkerSize = 2;
  static constexpr int kMarkerPixels = 2 * kMarkerSize + 1;
  /// At most this many tick steps along the frequency and the values axis.
  static constexpr int kFrequencyIntervals = 10;
  static constexpr int kValueIntervals = 8;

  /// Reference point to the centre of gravity, displayed units to the
  /// project's, then the curves. Runs on every showing.
  void FormActivate();
  /// Recomputes the three curves from the result plots; the curves stay as
  /// they were while a reference-point box holds an entry that does not
  /// evaluate.
  void UpdateGraph();

  /// "Default (C.G.)": the centre of gravity in the displayed units.
  void Button1Click();
  /// The displayed unit system changed: converts the reference point.
  void RadioButton1Click();
  /// Cursor read-out for a mouse position in the chart view.
  void Chart1MouseMove(const QPoint& viewPos);
  /// Point message for point k of series 0, 1 or 2.
  void Chart1ClickSeries(int series, int k);
  /// "Export Data".
  void Button4Click();
  /// "Go": prints the chart on one page.
  void Button10Click();

  /// The curves as displayed.
  const TAmpCurves& Curves() const { return m_curves; }
  QChart* Chart() const { return Chart1; }
  QLineSeries* Series(int k) const;

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildChart();
  void BuildControls();
  int DisplaySystem() const;
  int ProjectSystem() const;
  TAmpKind Kind() const;
  void SetChecks(bool x, bool y, bool z);
  void UpdateAxes();
  void ClickedAt(int series, const QPointF& value);

  IMainForm& m_main;
  QChart* Chart1 = nullptr;
  QChartView* m_chartView = nullptr;
  QLineSeries* Series1 = nullptr;
  QLineSeries* Series2 = nullptr;
  QLineSeries* Series3 = nullptr;
  comp::TDataEdit* DataEdit1 = nullptr;
  comp::TDataEdit* DataEdit2 = nullptr;
  comp::TDataEdit* DataEdit3 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QCheckBox* CheckBox3 = nullptr;
  QRadioButton* RadioButton1 = nullptr;  // English Units (ft)
  QRadioButton* RadioButton2 = nullptr;  // SI Units (m)
  QRadioButton* RadioButton3 = nullptr;  // Portrait
  QRadioButton* RadioButton4 = nullptr;  // LandScape
  QRadioButton* RadioButton5 = nullptr;  // Displacement
  QRadioButton* RadioButton6 = nullptr;  // Rotation
  QLabel* Label4 = nullptr;

  // The displayed unit system the reference point stands in.
  int m_displaySystem = 1;
  // Set while the controls are loaded, so that their change handlers wait.
  bool m_loading = false;
  // The reference point the curves were computed for.
  TVec3 m_ref;
  TAmpCurves m_curves;
};

}  // namespace zrv::front
