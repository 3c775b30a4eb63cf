#include "views/AmpPlot.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/IMainForm.h"
#include "base/exceptions.h"
#include "dataedit/TDataEdit.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "ui/UiHooks.h"

namespace zrv::front {

namespace {

TDlgAmpPlot::TSaveFileHook& saveFileHook() {
  static TDlgAmpPlot::TSaveFileHook hook;
  return hook;
}

TDlgAmpPlot::TPrintHook& printHook() {
  static TDlgAmpPlot::TPrintHook hook;
  return hook;
}

QString runSaveDialog(QWidget* parent, const QString& caption, const QString& filter) {
  if (saveFileHook()) return saveFileHook()(parent, caption, filter);
  // The overwrite question is the dialog's own, below; no extension is added.
  return QFileDialog::getSaveFileName(parent, caption, QString(), filter, nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

bool runPrintDialog(QPrinter& printer, QWidget* parent) {
  if (printHook()) return printHook()(printer, parent);
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

enum class MarkerShape { Rectangle, Triangle, Star };

// The point marker of a curve, drawn in its colour: kMarkerSize pixels
// either side of its point.
QImage markerImage(MarkerShape shape, const QColor& color) {
  constexpr int size = TDlgAmpPlot::kMarkerPixels;
  constexpr int last = size - 1, mid = size / 2;
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(QPen(color, 1));
  p.setBrush(color);
  switch (shape) {
    case MarkerShape::Rectangle:
      p.drawRect(QRect(0, 0, last, last));
      break;
    case MarkerShape::Triangle:
      p.drawPolygon(QPolygon({QPoint(mid, 0), QPoint(last, last), QPoint(0, last)}));
      break;
    case MarkerShape::Star:
      p.drawLine(mid, 0, mid, last);
      p.drawLine(0, mid, last, mid);
      p.drawLine(0, 0, last, last);
      p.drawLine(0, last, last, 0);
      break;
  }
  return image;
}

QLineSeries* makeSeries(const QString& name) {
  auto* s = new QLineSeries;
  s->setName(name);
  return s;
}

// Colour and markers; set after the series joined the chart, whose theme
// would otherwise replace them.
void styleSeries(QLineSeries* s, const QColor& color, MarkerShape shape) {
  s->setPen(QPen(color, 1));
  s->setPointsVisible(true);
  s->setMarkerSize(TDlgAmpPlot::kMarkerPixels);
  s->setLightMarker(markerImage(shape, color));
}

QCategoryAxis* valueAxis(QChart* chart, Qt::Orientation orientation) {
  const auto axes = chart->axes(orientation);
  return axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis*>(axes.front());
}

// Sets the axis to lo..hi with a labelled grid line at each tick, the
// labels written in the chart's number picture.
void setTicks(QCategoryAxis* axis, double lo, double hi, const TAmpTicks& ticks, int decimals) {
  for (const QString& label : axis->categoriesLabels()) axis->remove(label);
  axis->setRange(lo, hi);
  axis->setStartValue(lo);
  QStringList used;
  for (const double v : ticks.values) {
    QString label = QString::fromStdString(FormatAmpAxisLabel(v, decimals));
    // Category labels must differ; ticks finer than the picture shows get
    // an invisible mark so that their grid lines stay.
    while (used.contains(label)) label += QChar(0x200B);
    used << label;
    axis->append(label, v);
  }
}

// Axis range that leaves a flat curve visible.
std::pair<double, double> paddedRange(double lo, double hi) {
  if (!(lo <= hi) || !std::isfinite(lo) || !std::isfinite(hi)) return {0.0, 1.0};
  if (lo == hi) {
    const double pad = lo == 0 ? 1.0 : std::fabs(lo) * 0.1;
    return {lo - pad, hi + pad};
  }
  return {lo, hi};
}

}  // namespace

void TDlgAmpPlot::SetSaveFileHook(TSaveFileHook hook) { saveFileHook() = std::move(hook); }
void TDlgAmpPlot::SetPrintHook(TPrintHook hook) { printHook() = std::move(hook); }

TDlgAmpPlot::TDlgAmpPlot(IMainForm& main, QWidget* parent) : QDialog(parent), m_main(main) {
  setObjectName(QStringLiteral("DlgAmpPlot"));
  setWindowTitle(QStringLiteral("Footing Amplitude Plot"));
  BuildChart();
  BuildControls();
  resize(900, 600);
}

void TDlgAmpPlot::BuildChart() {
  Chart1 = new QChart;
  Chart1->legend()->setVisible(true);
  Chart1->setBackgroundBrush(Qt::white);
  Chart1->setPlotAreaBackgroundBrush(Qt::white);
  Chart1->setPlotAreaBackgroundVisible(true);
  Series1 = makeSeries(QStringLiteral("X-Dir"));
  Series2 = makeSeries(QStringLiteral("Y-Dir"));
  Series3 = makeSeries(QStringLiteral("Z-dir"));
  const QFont arial(QStringLiteral("Arial"), 9);
  // Labels at rounded values, written by the chart's own number picture.
  auto* axisX = new QCategoryAxis;
  axisX->setTitleText(QStringLiteral("Frequency (Hz)"));
  auto* axisY = new QCategoryAxis;
  for (QCategoryAxis* axis : {axisX, axisY}) {
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setLabelsFont(arial);
    axis->setTitleFont(arial);
  }
  Chart1->addAxis(axisX, Qt::AlignBottom);
  Chart1->addAxis(axisY, Qt::AlignLeft);
  int index = 0;
  for (QLineSeries* s : {Series1, Series2, Series3}) {
    Chart1->addSeries(s);
    styleSeries(s, index == 0 ? QColor(Qt::black) : index == 1 ? QColor(Qt::red) : QColor(0, 128, 192),
                index == 0   ? MarkerShape::Rectangle
                : index == 1 ? MarkerShape::Triangle
                             : MarkerShape::Star);
    s->attachAxis(axisX);
    s->attachAxis(axisY);
    connect(s, &QXYSeries::clicked, this, [this, index](const QPointF& p) { ClickedAt(index, p); });
    ++index;
  }
  Chart1->legend()->setFont(arial);
  m_chartView = new QChartView(Chart1, this);
  m_chartView->setObjectName(QStringLiteral("Chart1"));
  m_chartView->setRenderHint(QPainter::Antialiasing);
  m_chartView->viewport()->setMouseTracking(true);
  m_chartView->viewport()->installEventFilter(this);
}

void TDlgAmpPlot::BuildControls() {
  auto named = [](QWidget* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
  };
  // Reference point.
  auto* refBox = new QGroupBox(QStringLiteral("Reference Point"), this);
  auto* refGrid = new QGridLayout(refBox);
  int row = 0;
  for (auto [edit, caption, name] : {std::tuple{&DataEdit1, "X", "DataEdit1"}, std::tuple{&DataEdit2, "Y", "DataEdit2"},
                                     std::tuple{&DataEdit3, "Z", "DataEdit3"}}) {
    *edit = new comp::TDataEdit(refBox);
    named(*edit, name);
    auto* label = new QLabel(refBox);
    (*edit)->SetEditLabel(label);
    (*edit)->SetCaption(QLatin1String(caption));
    (*edit)->SetUnitsString(QStringLiteral("L2"));
    refGrid->addWidget(label, row, 0);
    refGrid->addWidget(*edit, row, 1);
    connect(*edit, &QLineEdit::textChanged, this, [this] { UpdateGraph(); });
    ++row;
  }
  auto* button1 = named(new QPushButton(QStringLiteral("Default (C.G.)"), refBox), "Button1");
  auto* button6 = named(new QPushButton(QStringLiteral("Update Graph"), refBox), "Button6");
  refGrid->addWidget(button1, row, 0);
  refGrid->addWidget(button6, row, 1);
  connect(static_cast<QPushButton*>(button1), &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(static_cast<QPushButton*>(button6), &QPushButton::clicked, this, [this] { UpdateGraph(); });
  // The curves are sums of moduli: say so beside the point they are for.
  auto* boundNote = named(new QLabel(QString::fromUtf8(kAmpBoundNote), refBox), "BoundNote");
  static_cast<QLabel*>(boundNote)->setWordWrap(true);
  refGrid->addWidget(boundNote, row + 1, 0, 1, 2);

  // View options.
  auto* viewBox = new QGroupBox(QStringLiteral("View Options"), this);
  auto* viewGrid = new QGridLayout(viewBox);
  CheckBox1 = new QCheckBox(QStringLiteral("X dir"), viewBox);
  CheckBox2 = new QCheckBox(QStringLiteral("Y dir"), viewBox);
  CheckBox3 = new QCheckBox(QStringLiteral("Z dir"), viewBox);
  const char* onlyNames[] = {"Button7", "Button8", "Button9"};
  row = 0;
  for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3}) {
    named(box, row == 0 ? "CheckBox1" : row == 1 ? "CheckBox2" : "CheckBox3");
    box->setChecked(true);
    connect(box, &QCheckBox::toggled, this, [this] { UpdateGraph(); });
    auto* only = new QPushButton(QStringLiteral("Only"), viewBox);
    named(only, onlyNames[row]);
    connect(only, &QPushButton::clicked, this, [this, row] { SetChecks(row == 0, row == 1, row == 2); });
    viewGrid->addWidget(box, row, 0);
    viewGrid->addWidget(only, row, 1);
    ++row;
  }
  auto* button2 = new QPushButton(QStringLiteral("All"), viewBox);
  auto* button3 = new QPushButton(QStringLiteral("Unselect All"), viewBox);
  named(button2, "Button2");
  named(button3, "Button3");
  connect(button2, &QPushButton::clicked, this, [this] { SetChecks(true, true, true); });
  connect(button3, &QPushButton::clicked, this, [this] { SetChecks(false, false, false); });
  viewGrid->addWidget(button2, row, 0);
  viewGrid->addWidget(button3, row, 1);

  // Units, type and printing.
  auto* unitsBox = new QGroupBox(QStringLiteral("Units"), this);
  auto* unitsLayout = new QVBoxLayout(unitsBox);
  RadioButton1 = new QRadioButton(QStringLiteral("English Units (ft)"), unitsBox);
  RadioButton2 = new QRadioButton(QStringLiteral("SI Units (m)"), unitsBox);
  named(RadioButton1, "RadioButton1");
  named(RadioButton2, "RadioButton2");
  RadioButton1->setChecked(true);
  unitsLayout->addWidget(RadioButton1);
  unitsLayout->addWidget(RadioButton2);
  // One signal for both: toggled fires for the button checked and the one
  // unchecked, so only the first is watched.
  connect(RadioButton1, &QRadioButton::toggled, this, [this] { RadioButton1Click(); });

  auto* typeBox = new QGroupBox(QStringLiteral("Type"), this);
  auto* typeLayout = new QVBoxLayout(typeBox);
  RadioButton5 = new QRadioButton(QStringLiteral("Displacement"), typeBox);
  RadioButton6 = new QRadioButton(QStringLiteral("Rotation"), typeBox);
  named(RadioButton5, "RadioButton5");
  named(RadioButton6, "RadioButton6");
  RadioButton5->setChecked(true);
  typeLayout->addWidget(RadioButton5);
  typeLayout->addWidget(RadioButton6);
  connect(RadioButton5, &QRadioButton::toggled, this, [this] { UpdateGraph(); });

  auto* printBox = new QGroupBox(QStringLiteral("Printing"), this);
  auto* printLayout = new QVBoxLayout(printBox);
  RadioButton3 = new QRadioButton(QStringLiteral("Portrait"), printBox);
  RadioButton4 = new QRadioButton(QStringLiteral("LandScape"), printBox);
  named(RadioButton3, "RadioButton3");
  named(RadioButton4, "RadioButton4");
  RadioButton3->setChecked(true);
  auto* button10 = new QPushButton(QStringLiteral("Go"), printBox);
  named(button10, "Button10");
  connect(button10, &QPushButton::clicked, this, [this] { Button10Click(); });
  printLayout->addWidget(RadioButton3);
  printLayout->addWidget(RadioButton4);
  printLayout->addWidget(button10);

  auto* button4 = new QPushButton(QStringLiteral("Export Data"), this);
  auto* button5 = new QPushButton(QStringLiteral("CLOSE"), this);
  named(button4, "Button4");
  named(button5, "Button5");
  connect(button4, &QPushButton::clicked, this, [this] { Button4Click(); });
  connect(button5, &QPushButton::clicked, this, [this] { close(); });

  Label4 = new QLabel(this);
  named(Label4, "Label4");

  auto* side = new QVBoxLayout;
  side->addWidget(refBox);
  side->addWidget(viewBox);
  side->addWidget(unitsBox);
  side->addWidget(typeBox);
  side->addWidget(printBox);
  side->addStretch();
  side->addWidget(button4);
  side->addWidget(button5);
  auto* plotColumn = new QVBoxLayout;
  plotColumn->addWidget(m_chartView, 1);
  plotColumn->addWidget(Label4);
  auto* top = new QHBoxLayout(this);
  top->addLayout(plotColumn, 1);
  top->addLayout(side);
  // Enter in a box checks the entry; it never presses a button.
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
}

QLineSeries* TDlgAmpPlot::Series(int k) const {
  switch (k) {
    case 0: return Series1;
    case 1: return Series2;
    case 2: return Series3;
    default: return nullptr;
  }
}

int TDlgAmpPlot::DisplaySystem() const { return RadioButton1->isChecked() ? 1 : 2; }

int TDlgAmpPlot::ProjectSystem() const { return m_main.Project().UnitSystem == 1 ? 1 : 2; }

TAmpKind TDlgAmpPlot::Kind() const { return RadioButton5->isChecked() ? TAmpKind::Displacement : TAmpKind::Rotation; }

void TDlgAmpPlot::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormActivate();
}

void TDlgAmpPlot::FormActivate() {
  m_loading = true;
  const int system = ProjectSystem();
  (system == 1 ? RadioButton1 : RadioButton2)->setChecked(true);
  const TProgramData& project = m_main.Project();
  for (comp::TDataEdit* e : {DataEdit1, DataEdit2, DataEdit3}) e->SetUnits(system);
  DataEdit1->SetNumber(project.CGLocalX);
  DataEdit2->SetNumber(project.CGLocalY);
  DataEdit3->SetNumber(project.CGLocalZ);
  m_displaySystem = system;
  m_loading = false;
  UpdateGraph();
}

void TDlgAmpPlot::Button1Click() {
  const TProgramData& project = m_main.Project();
  const comp::Extended h = AmpUnitFactor(DisplaySystem(), ProjectSystem());
  m_loading = true;
  DataEdit1->SetNumber(project.CGLocalX * h);
  DataEdit2->SetNumber(project.CGLocalY * h);
  DataEdit3->SetNumber(project.CGLocalZ * h);
  m_loading = false;
  UpdateGraph();
}

void TDlgAmpPlot::RadioButton1Click() {
  if (m_loading) return;
  const int d = DisplaySystem();
  m_loading = true;
  for (comp::TDataEdit* e : {DataEdit1, DataEdit2, DataEdit3}) e->SetUnits(d);
  if (d != m_displaySystem) {
    const comp::Extended factor = d == 1 ? 1 / 0.3048L : 0.3048L;
    for (comp::TDataEdit* e : {DataEdit1, DataEdit2, DataEdit3}) {
      try {
        e->SetNumber(e->Number() * factor);
      } catch (const comp::Exception&) {
        // An entry that does not evaluate is left for its own check.
      }
    }
    m_displaySystem = d;
  }
  m_loading = false;
  UpdateGraph();
}

void TDlgAmpPlot::SetChecks(bool x, bool y, bool z) {
  m_loading = true;
  CheckBox1->setChecked(x);
  CheckBox2->setChecked(y);
  CheckBox3->setChecked(z);
  m_loading = false;
  UpdateGraph();
}

void TDlgAmpPlot::UpdateGraph() {
  if (m_loading) return;
  const int d = DisplaySystem();
  const double h = AmpUnitFactor(d, ProjectSystem());
  const TAmpKind kind = Kind();
  if (QCategoryAxis* axisY = valueAxis(Chart1, Qt::Vertical))
    axisY->setTitleText(QString::fromStdString(AmpAxisTitle(kind, d)));
  bool entered = true;
  TVec3 ref;
  try {
    ref = {static_cast<double>(DataEdit1->Number()), static_cast<double>(DataEdit2->Number()),
           static_cast<double>(DataEdit3->Number())};
  } catch (const comp::Exception&) {
    entered = false;  // the curves wait for an entry that evaluates
  }
  if (entered) {
    m_ref = ref;
    const TProgramData& project = m_main.Project();
    const TVec3 cg{static_cast<double>(project.CGLocalX), static_cast<double>(project.CGLocalY),
                   static_cast<double>(project.CGLocalZ)};
    m_curves = ComputeAmplitudes(m_main.Plots(), kind, ref, cg, h);
    const std::vector<double>* values[] = {&m_curves.x, &m_curves.y, &m_curves.z};
    for (int k = 0; k < 3; ++k) {
      QList<QPointF> points;
      points.reserve(m_curves.count());
      for (std::size_t i = 0; i < m_curves.freq.size(); ++i) points.append(QPointF(m_curves.freq[i], (*values[k])[i]));
      Series(k)->replace(points);
    }
  }
  Series1->setVisible(CheckBox1->isChecked());
  Series2->setVisible(CheckBox2->isChecked());
  Series3->setVisible(CheckBox3->isChecked());
  UpdateAxes();
  update();
}

void TDlgAmpPlot::UpdateAxes() {
  QCategoryAxis* axisX = valueAxis(Chart1, Qt::Horizontal);
  QCategoryAxis* axisY = valueAxis(Chart1, Qt::Vertical);
  if (!axisX || !axisY) return;
  double xlo = std::numeric_limits<double>::infinity(), xhi = -xlo, ylo = xlo, yhi = -xlo;
  for (int k = 0; k < 3; ++k) {
    if (!Series(k)->isVisible()) continue;
    const std::vector<double>& v = k == 0 ? m_curves.x : k == 1 ? m_curves.y : m_curves.z;
    for (std::size_t i = 0; i < m_curves.freq.size(); ++i) {
      if (!std::isfinite(m_curves.freq[i]) || !std::isfinite(v[i])) continue;
      xlo = std::min(xlo, m_curves.freq[i]);
      xhi = std::max(xhi, m_curves.freq[i]);
      ylo = std::min(ylo, v[i]);
      yhi = std::max(yhi, v[i]);
    }
  }
  // The frequencies span the axis; the values axis ends on ticks.
  const auto [x0, x1] = paddedRange(xlo, xhi);
  setTicks(axisX, x0, x1, AmpAxisTicks(x0, x1, kFrequencyIntervals), kAmpFrequencyDecimals);
  auto [y0, y1] = paddedRange(ylo, yhi);
  TAmpTicks yTicks = AmpAxisTicks(y0, y1, kValueIntervals);
  if (yTicks.step > 0) {
    // Out to the next ticks; an end within rounding of a tick stays on it.
    y0 = std::floor(y0 / yTicks.step + 1e-9) * yTicks.step;
    y1 = std::ceil(y1 / yTicks.step - 1e-9) * yTicks.step;
    yTicks = AmpAxisTicks(y0, y1, static_cast<int>(std::lround((y1 - y0) / yTicks.step)));
  }
  setTicks(axisY, y0, y1, yTicks, kAmpValueDecimals);
}

bool TDlgAmpPlot::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_chartView->viewport() && event->type() == QEvent::MouseMove)
    Chart1MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
  return QDialog::eventFilter(watched, event);
}

void TDlgAmpPlot::Chart1MouseMove(const QPoint& viewPos) {
  Label4->clear();
  QCategoryAxis* axisX = valueAxis(Chart1, Qt::Horizontal);
  QCategoryAxis* axisY = valueAxis(Chart1, Qt::Vertical);
  if (!axisX || !axisY) return;
  const QPointF inChart = Chart1->mapFromScene(m_chartView->mapToScene(viewPos));
  const QPointF v = Chart1->mapToValue(inChart, Series1);
  if (v.x() >= axisX->min() && v.x() <= axisX->max() && v.y() >= axisY->min() && v.y() <= axisY->max())
    Label4->setText(QString::fromStdString(AmpCursorText(v.x(), v.y())));
}

void TDlgAmpPlot::ClickedAt(int series, const QPointF& value) {
  // The point of the clicked curve nearest to the click, measured in the
  // chart's pixels so that both axes count alike.
  const QList<QPointF> points = Series(series)->points();
  if (points.isEmpty()) return;
  const QPointF at = Chart1->mapToPosition(value, Series(series));
  int best = 0;
  double bestDist = std::numeric_limits<double>::infinity();
  for (int i = 0; i < points.size(); ++i) {
    const QPointF p = Chart1->mapToPosition(points[i], Series(series)) - at;
    const double dist = p.x() * p.x() + p.y() * p.y();
    if (dist < bestDist) {
      bestDist = dist;
      best = i;
    }
  }
  Chart1ClickSeries(series, best);
}

void TDlgAmpPlot::Chart1ClickSeries(int series, int k) {
  QLineSeries* s = Series(series);
  if (!s) return;
  m_chartView->setToolTip(QStringLiteral(" Clicked Series: ") + s->name() + QStringLiteral(" at point: ") +
                          QString::number(k));
  const double h = AmpUnitFactor(DisplaySystem(), ProjectSystem());
  comp::ShowInformation(
      QString::fromStdString(AmpPointMessage(s->name().toStdString(), k, m_curves, m_main.Plots(), h)));
}

void TDlgAmpPlot::Button4Click() {
  const QString name = runSaveDialog(this, QStringLiteral("Export Data"), QStringLiteral("Text files (*.txt)"));
  if (name.isEmpty()) return;
  if (QFileInfo::exists(name) &&
      comp::AskYesNoCancel(QStringLiteral("File already exists, do you want to overwrite it?")) !=
          comp::TMsgResult::Yes)
    return;
  const std::string text = AmpExportText(m_ref, DisplaySystem(), m_curves);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Written whole or not at all: a failed write leaves an existing file as it was.
  QSaveFile file(name);
  const bool written = file.open(QIODevice::WriteOnly) &&
                       file.write(text.data(), static_cast<qint64>(text.size())) ==
                           static_cast<qint64>(text.size()) &&
                       file.commit();
  QApplication::restoreOverrideCursor();
  if (!written) comp::ShowError(QStringLiteral("Could not write the file ") + name + QStringLiteral("."));
}

void TDlgAmpPlot::Button10Click() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(RadioButton3->isChecked() ? QPageLayout::Portrait : QPageLayout::Landscape);
  printer.setFromTo(1, 1);
  if (!runPrintDialog(printer, this)) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    comp::ShowInformation(QStringLiteral("The printer could not be started."));
    return;
  }
  // The chart fills the page, keeping its proportions.
  // The painter's origin is the top left of the printable area.
  QSizeF size = m_chartView->size();
  size.scale(QSizeF(printer.pageLayout().paintRectPixels(printer.resolution()).size()), Qt::KeepAspectRatio);
  m_chartView->render(&painter, QRectF(QPointF(0, 0), size));
  painter.end();
}

}  // namespace zrv::front
