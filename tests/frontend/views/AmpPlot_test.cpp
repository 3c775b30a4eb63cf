// The interactive amplitude plot: the response at a chosen point checked
// against hand computations, the export and message texts, and the dialog's
// unit switching, curve choice, export, printing and read-outs.
#include "views/AmpPlot.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <gtest/gtest.h>

#include <filesystem>

#include "base/numbers.h"
#include "dataedit/TDataEdit.h"
#include "project/PlotDataReader.h"
#include "project/TProgramData.h"
#include "fake_main_form.h"
#include "qt_test_support.h"
#include "test_support.h"

namespace zrv::front {
namespace {

using FakeMain = zrv::test::FakeMainForm;

// One frequency row of the response plots: f, translations, rotations.
struct Row {
  double f;
  TVec3 u, t;
};

void fillPlots(TResultPlots& plots, const std::vector<Row>& rows) {
  plots.pltDxyzR.SetLineCount(3);
  plots.pltMxyzR.SetLineCount(3);
  plots.pltDxyzR.SetPointCount(static_cast<int>(rows.size()));
  plots.pltMxyzR.SetPointCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const Row& r = rows[i];
    const double u[] = {r.u.x, r.u.y, r.u.z};
    const double t[] = {r.t.x, r.t.y, r.t.z};
    for (int k = 0; k < 3; ++k) {
      plots.pltDxyzR.Point(k, i) = {r.f, u[k]};
      plots.pltMxyzR.Point(k, i) = {r.f, t[k]};
    }
  }
}

const std::vector<Row> kRows = {
    {2.0, {1e-3, 2e-3, 3e-3}, {1e-4, 2e-4, 3e-4}},
    {4.0, {-5e-4, 0.0, 2.5e-3}, {0.0, -1e-4, 5e-5}},
};

constexpr double kFoot = 0.3048;

TEST(AmpPlotCurves, UnitFactor) {
  EXPECT_EQ(AmpUnitFactor(1, 1), 1.0);
  EXPECT_EQ(AmpUnitFactor(2, 2), 1.0);
  EXPECT_EQ(AmpUnitFactor(2, 1), 0.3048);
  EXPECT_EQ(AmpUnitFactor(1, 2), 1.0 / 0.3048);
}

TEST(AmpPlotCurves, DisplacementIsTheUpperBoundOfTranslationPlusLeverArmCrossRotation) {
  TResultPlots plots;
  fillPlots(plots, kRows);
  // Reference point 3, 4, 5 away from the C.G. The plots hold moduli without
  // phases, so each direction adds the moduli of its three terms. By hand at
  // the first frequency: x 1e-3 + 4*3e-4 + 5*2e-4, y 2e-3 + 5*1e-4 + 3*3e-4,
  // z 3e-3 + 3*2e-4 + 4*1e-4 (the signed sum gave 1.2e-3, 1.6e-3, 3.2e-3).
  const TAmpCurves c = ComputeAmplitudes(plots, TAmpKind::Displacement, {4, 6, 8}, {1, 2, 3}, 1.0);
  ASSERT_EQ(c.count(), 2);
  EXPECT_EQ(c.freq[0], 2.0);
  EXPECT_NEAR(c.x[0], 3.2e-3, 1e-15);
  EXPECT_NEAR(c.y[0], 3.4e-3, 1e-15);
  EXPECT_NEAR(c.z[0], 4.0e-3, 1e-15);
  // Second frequency: x 5e-4 + 4*5e-5 + 5*1e-4, y 0 + 0 + 3*5e-5,
  // z 2.5e-3 + 3*1e-4 + 0; never below the C.G.'s own amplitude.
  EXPECT_NEAR(c.x[1], 1.2e-3, 1e-15);
  EXPECT_NEAR(c.y[1], 1.5e-4, 1e-15);
  EXPECT_NEAR(c.z[1], 2.8e-3, 1e-15);

  // At the C.G. the curves are the footing's translations; in rotation mode
  // they are the rotations whatever the point.
  const TAmpCurves atCg = ComputeAmplitudes(plots, TAmpKind::Displacement, {1, 2, 3}, {1, 2, 3}, 1.0);
  EXPECT_EQ(atCg.x[1], 5e-4);
  EXPECT_EQ(atCg.z[0], 3e-3);
  const TAmpCurves rot = ComputeAmplitudes(plots, TAmpKind::Rotation, {9, 9, 9}, {1, 2, 3}, 0.3048);
  EXPECT_EQ(rot.y[0], 2e-4);
  EXPECT_EQ(rot.z[1], 5e-5);
}

TEST(AmpPlotCurves, MetresShownForAFeetProjectAgreeWithTheSumInFeet) {
  TResultPlots plots;
  fillPlots(plots, kRows);
  const TVec3 cg{1, 2, 3};         // ft
  const TVec3 refM{1.2, 0.9, 2.0};  // m
  const TAmpCurves m = ComputeAmplitudes(plots, TAmpKind::Displacement, refM, cg, kFoot);
  // Second method: the reference point in feet, the sum in feet, then metres.
  const TVec3 refFt{refM.x / kFoot, refM.y / kFoot, refM.z / kFoot};
  const TAmpCurves ft = ComputeAmplitudes(plots, TAmpKind::Displacement, refFt, cg, 1.0);
  for (int i = 0; i < 2; ++i) {
    EXPECT_NEAR(m.x[i], ft.x[i] * kFoot, 1e-15);
    EXPECT_NEAR(m.y[i], ft.y[i] * kFoot, 1e-15);
    EXPECT_NEAR(m.z[i], ft.z[i] * kFoot, 1e-15);
  }
}

TEST(AmpPlotCurves, IncompletePlotsGiveOnlyTheCommonPoints) {
  TResultPlots plots;
  EXPECT_EQ(AmpPointCount(plots), 0);
  EXPECT_EQ(ComputeAmplitudes(plots, TAmpKind::Displacement, {}, {}, 1.0).count(), 0);
  fillPlots(plots, kRows);
  plots.pltMxyzR.Line(2).Points().pop_back();
  EXPECT_EQ(AmpPointCount(plots), 1);
  plots.pltMxyzR.SetLineCount(2);
  EXPECT_EQ(AmpPointCount(plots), 0);
}

TEST(AmpPlotCurves, ExportRealFormat) {
  EXPECT_EQ(FormatExportReal(1.5), " 1.50000000000000E+0000");
  EXPECT_EQ(FormatExportReal(-0.00123), "-1.23000000000000E-0003");
  EXPECT_EQ(FormatExportReal(0.0), " 0.00000000000000E+0000");
  EXPECT_EQ(FormatExportReal(6.02214076e300), " 6.02214076000000E+0300");
  EXPECT_EQ(FormatExportReal(9.999999999999999), " 1.00000000000000E+0001");
  EXPECT_EQ(FormatExportReal(-1.5).size(), 23u);
}

TEST(AmpPlotCurves, ExportText) {
  EXPECT_EQ(AmpExportText({1.5, 0, -2}, 1, {}),
            "Reference Point\r\n"
            "X=  1.50000000000000E+0000 ft, Y=  0.00000000000000E+0000 ft, Z= -2.00000000000000E+0000 ft\r\n"
            "n,Frequency,Disp_x,Disp_y,Disp_z\r\n"
            ",Hz,ft,ft,ft\r\n");
  TAmpCurves c;
  c.freq = {2.5};
  c.x = {0.25};
  c.y = {-1};
  c.z = {1e-6};
  EXPECT_EQ(AmpExportText({0, 0, 0}, 2, c),
            "Reference Point\r\n"
            "X=  0.00000000000000E+0000 m, Y=  0.00000000000000E+0000 m, Z=  0.00000000000000E+0000 m\r\n"
            "n,Frequency,Disp_x,Disp_y,Disp_z\r\n"
            ",Hz,m,m,m\r\n"
            "1, 2.50000000000000E+0000, 2.50000000000000E-0001,-1.00000000000000E+0000, 1.00000000000000E-0006\r\n");
}

TEST(AmpPlotCurves, AxisNumbersInTheChartPicture) {
  // "##,###,##0.########": groups of three, up to eight decimals, no trailing zeros.
  EXPECT_EQ(FormatAmpAxisLabel(1234567.125, 8), "1,234,567.125");
  EXPECT_EQ(FormatAmpAxisLabel(-0.000123456789, 8), "-0.00012346");
  EXPECT_EQ(FormatAmpAxisLabel(0.5, 8), "0.5");
  EXPECT_EQ(FormatAmpAxisLabel(100, 8), "100");
  EXPECT_EQ(FormatAmpAxisLabel(999.9999, 3), "1,000");
  EXPECT_EQ(FormatAmpAxisLabel(-1e-9, 8), "0");
  {
    comp::DecimalSeparatorGuard comma(',');
    EXPECT_EQ(FormatAmpAxisLabel(1234.5, 8), "1.234,5");
  }
  // Ticks at whole multiples of 1, 2 or 5 times a power of ten.
  const TAmpTicks f = AmpAxisTicks(5.0, 46.2, 10);  // 4.12 a step: 5
  EXPECT_EQ(f.step, 5.0);
  EXPECT_EQ(f.values, (std::vector<double>{5, 10, 15, 20, 25, 30, 35, 40, 45}));
  const TAmpTicks y = AmpAxisTicks(-0.0005, 0.003, 8);  // 0.0004375 a step: 0.0005
  ASSERT_EQ(y.values.size(), 8u);
  EXPECT_DOUBLE_EQ(y.step, 0.0005);
  EXPECT_DOUBLE_EQ(y.values.front(), -0.0005);
  EXPECT_EQ(y.values[1], 0.0);
  EXPECT_DOUBLE_EQ(y.values.back(), 0.003);
  EXPECT_TRUE(AmpAxisTicks(1, 1, 8).values.empty());
}

TEST(AmpPlotCurves, PointMessageAndCursorText) {
  TResultPlots plots;
  fillPlots(plots, kRows);
  // h = 2 moves the C.G. to (2, 4, 6): r = (-1, -2, -3); with theta =
  // (0, -1e-4, 5e-5) the moduli of the terms of r x theta are x 1e-4 and
  // 3e-4, y 0 and 5e-5, z 1e-4 and 0, added to |2*u|.
  const TAmpCurves c = ComputeAmplitudes(plots, TAmpKind::Displacement, {1, 2, 3}, {1, 2, 3}, 2.0);
  EXPECT_EQ(AmpPointMessage("Y-Dir", 1, c, plots, 2.0),
            "Y-Dir\rPoint: 1\rFreq: 4\rX: 0.0014\rY: 0.00005\rZ: 0.0051\r"
            "Xo: -0.001\rYo: 0\rZo: 0.005\rRx: 0\rRy: -0.0001\rRz: 0.00005\r");
  EXPECT_EQ(AmpCursorText(12.3456789, -0.000123456789), "(12.3457,-0.000123457)");
}

// The dialog on a main window with two frequencies of results.
class AmpPlotDialog : public ::testing::Test {
protected:
  void SetUp() override {
    test::recordedMessages().clear();
    main.project.SetUnitSystem(2);
    main.project.CGLocalX = 1;
    main.project.CGLocalY = 2;
    main.project.CGLocalZ = 3;
    fillPlots(main.plots, kRows);
    dlg = std::make_unique<TDlgAmpPlot>(main);
    dlg->show();
  }
  void TearDown() override {
    TDlgAmpPlot::SetSaveFileHook({});
    TDlgAmpPlot::SetPrintHook({});
  }
  template <class W>
  W* child(const char* name) {
    W* w = dlg->findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  comp::TDataEdit* edit(int k) { return child<comp::TDataEdit>(k == 0 ? "DataEdit1" : k == 1 ? "DataEdit2" : "DataEdit3"); }

  FakeMain main;
  std::unique_ptr<TDlgAmpPlot> dlg;
};

TEST_F(AmpPlotDialog, ShowingLoadsTheCentreOfGravityInProjectUnits) {
  EXPECT_EQ(dlg->windowTitle(), "Footing Amplitude Plot");
  EXPECT_TRUE(child<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_EQ(edit(0)->text(), "1");
  EXPECT_EQ(edit(2)->text(), "3");
  EXPECT_EQ(edit(0)->EditLabel()->text(), "X (m)");
  // At the C.G. the curves are the translations.
  ASSERT_EQ(dlg->Series(0)->count(), 2);
  EXPECT_EQ(dlg->Series(0)->at(0), QPointF(2.0, 1e-3));
  EXPECT_EQ(dlg->Series(2)->at(1), QPointF(4.0, 2.5e-3));
  auto* axisY = qobject_cast<QValueAxis*>(dlg->Chart()->axes(Qt::Vertical).front());
  EXPECT_EQ(axisY->titleText(), "Translational Amplitude (m)");
  // The dialog says that away from the C.G. the curves are upper bounds.
  EXPECT_TRUE(child<QLabel>("BoundNote")->text().contains("upper bound"));
  EXPECT_EQ(dlg->Series(2)->name(), "Z-dir");
  EXPECT_EQ(dlg->Series(0)->color(), QColor(Qt::black));
  EXPECT_EQ(dlg->Series(1)->color(), QColor(Qt::red));
  EXPECT_EQ(dlg->Series(2)->color(), QColor(0, 128, 192));
}

TEST_F(AmpPlotDialog, SwitchingUnitsConvertsPointAndCurves) {
  edit(0)->SetNumber(4);  // r = (3, 0, 0) m
  const double siX = dlg->Curves().y[0];
  EXPECT_NEAR(siX, 2e-3 + 0 + 3 * 3e-4, 1e-15);

  child<QRadioButton>("RadioButton1")->setChecked(true);
  EXPECT_NEAR(edit(0)->Number(), 4 / kFoot, 1e-12);
  EXPECT_NEAR(edit(1)->Number(), 2 / kFoot, 1e-12);
  EXPECT_EQ(edit(0)->EditLabel()->text(), "X (ft)");
  EXPECT_NEAR(dlg->Curves().y[0], siX / kFoot, 1e-15);
  auto* axisY = qobject_cast<QValueAxis*>(dlg->Chart()->axes(Qt::Vertical).front());
  EXPECT_EQ(axisY->titleText(), "Translational Amplitude (ft)");

  // "Default (C.G.)" shows the centre of gravity in feet.
  child<QPushButton>("Button1")->click();
  EXPECT_NEAR(edit(2)->Number(), 3 / kFoot, 1e-12);
  EXPECT_NEAR(dlg->Curves().z[0], 3e-3 / kFoot, 1e-15);

  child<QRadioButton>("RadioButton2")->setChecked(true);
  EXPECT_NEAR(edit(2)->Number(), 3, 1e-12);
  EXPECT_NEAR(dlg->Curves().z[0], 3e-3, 1e-15);

  child<QRadioButton>("RadioButton6")->setChecked(true);
  EXPECT_EQ(axisY->titleText(), "Rotational Amplitude (rad)");
  EXPECT_EQ(dlg->Series(1)->at(0).y(), 2e-4);

  // Showing again resets the point and the units to the project's.
  child<QRadioButton>("RadioButton1")->setChecked(true);
  dlg->hide();
  dlg->show();
  EXPECT_TRUE(child<QRadioButton>("RadioButton2")->isChecked());
  EXPECT_EQ(edit(0)->text(), "1");
}

TEST_F(AmpPlotDialog, CheckBoxesHideCurvesWithoutDroppingPoints) {
  child<QCheckBox>("CheckBox2")->setChecked(false);
  EXPECT_FALSE(dlg->Series(1)->isVisible());
  EXPECT_EQ(dlg->Series(1)->count(), 2);
  child<QPushButton>("Button9")->click();  // z only
  EXPECT_FALSE(dlg->Series(0)->isVisible());
  EXPECT_FALSE(dlg->Series(1)->isVisible());
  EXPECT_TRUE(dlg->Series(2)->isVisible());
  child<QPushButton>("Button3")->click();
  EXPECT_FALSE(dlg->Series(2)->isVisible());
  child<QPushButton>("Button2")->click();
  EXPECT_TRUE(dlg->Series(0)->isVisible() && dlg->Series(1)->isVisible() && dlg->Series(2)->isVisible());
}

TEST_F(AmpPlotDialog, AnEntryThatDoesNotEvaluateKeepsTheCurves) {
  edit(0)->SetNumber(4);
  const double before = dlg->Curves().y[0];
  edit(0)->setText("4*");
  EXPECT_EQ(dlg->Curves().y[0], before);
  edit(0)->setText("4*1");
  EXPECT_EQ(dlg->Curves().y[0], before);
  EXPECT_TRUE(test::recordedMessages().empty());
}

TEST_F(AmpPlotDialog, ExportWritesTheCurvesAsShown) {
  test::TempDir dir;
  const QString path = QString::fromStdString((dir / "amplitudes").string());  // no extension added
  QString filter;
  TDlgAmpPlot::SetSaveFileHook([&](QWidget*, const QString&, const QString& f) {
    filter = f;
    return path;
  });
  child<QCheckBox>("CheckBox1")->setChecked(false);  // hidden curves are exported too
  child<QPushButton>("Button4")->click();
  EXPECT_EQ(filter, "Text files (*.txt)");
  const std::string written = test::read_file(path.toStdString());
  EXPECT_EQ(written, AmpExportText({1, 2, 3}, 2, dlg->Curves()));
  EXPECT_NE(written.find("\r\n1, 2.00000000000000E+0000, 1.00000000000000E-0003, 2.00000000000000E-0003, "
                         "3.00000000000000E-0003\r\n2,"),
            std::string::npos);
  EXPECT_TRUE(test::recordedMessages().empty());

  // An existing file is overwritten only on Yes.
  test::write_file(path.toStdString(), "keep");
  test::nextAnswer() = comp::TMsgResult::No;
  child<QPushButton>("Button4")->click();
  test::nextAnswer() = comp::TMsgResult::Yes;
  ASSERT_EQ(test::recordedMessages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].text, "File already exists, do you want to overwrite it?");
  EXPECT_EQ(test::read_file(path.toStdString()), "keep");

  // A cancelled dialog writes nothing; a folder that cannot be written to is reported.
  test::recordedMessages().clear();
  TDlgAmpPlot::SetSaveFileHook([](QWidget*, const QString&, const QString&) { return QString(); });
  child<QPushButton>("Button4")->click();
  EXPECT_TRUE(test::recordedMessages().empty());
  const QString bad = QString::fromStdString((dir / "missing" / "a.txt").string());
  TDlgAmpPlot::SetSaveFileHook([&](QWidget*, const QString&, const QString&) { return bad; });
  child<QPushButton>("Button4")->click();
  ASSERT_EQ(test::recordedMessages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].kind, comp::TMsgKind::Error);
  EXPECT_EQ(test::recordedMessages()[0].text, "Could not write the file " + bad + ".");
}

TEST_F(AmpPlotDialog, RoundedTicksChartNumbersSmallMarkersAndOneExportHeader) {
  // Frequencies from 5 to 46.2 Hz: ticks at multiples of 5, not at quarters of the span.
  std::vector<Row> rows;
  for (int i = 0; i < 4; ++i) rows.push_back({5.0 + i * 41.2 / 3, kRows[i % 2].u, kRows[i % 2].t});
  fillPlots(main.plots, rows);
  dlg->UpdateGraph();
  auto labels = [&](Qt::Orientation o) {
    auto* axis = qobject_cast<QCategoryAxis*>(dlg->Chart()->axes(o).front());
    EXPECT_NE(axis, nullptr);
    return axis ? axis->categoriesLabels() : QStringList();
  };
  EXPECT_EQ(labels(Qt::Horizontal), (QStringList{"5", "10", "15", "20", "25", "30", "35", "40", "45"}));
  // Displacements (moduli) from 0 to 0.003 m in steps of 0.0005, in the chart's picture.
  EXPECT_EQ(labels(Qt::Vertical), (QStringList{"0", "0.0005", "0.001", "0.0015", "0.002", "0.0025", "0.003"}));
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(dlg->Series(k)->markerSize(), 5) << k;  // 2 pixels either side of the point
    EXPECT_EQ(dlg->Series(k)->lightMarker().size(), QSize(5, 5)) << k;
  }

  // The rotations are exported under the same two header lines as displacements.
  child<QRadioButton>("RadioButton6")->setChecked(true);
  test::TempDir dir;
  const QString path = QString::fromStdString((dir / "rotations.txt").string());
  TDlgAmpPlot::SetSaveFileHook([&](QWidget*, const QString&, const QString&) { return path; });
  child<QPushButton>("Button4")->click();
  const std::string text = test::read_file(path.toStdString());
  EXPECT_NE(text.find("\r\nn,Frequency,Disp_x,Disp_y,Disp_z\r\n,Hz,m,m,m\r\n"
                      "1, 5.00000000000000E+0000, 1.00000000000000E-0004, 2.00000000000000E-0004, "
                      "3.00000000000000E-0004\r\n"),
            std::string::npos)
      << text;
}

TEST_F(AmpPlotDialog, EmptyResultsExportTheHeaderOnly) {
  main.plots.pltDxyzR.SetLineCount(0);
  main.plots.pltMxyzR.SetLineCount(0);
  dlg->UpdateGraph();
  EXPECT_EQ(dlg->Series(0)->count(), 0);
  test::TempDir dir;
  const QString path = QString::fromStdString((dir / "e.txt").string());
  TDlgAmpPlot::SetSaveFileHook([&](QWidget*, const QString&, const QString&) { return path; });
  child<QPushButton>("Button4")->click();
  const std::string text = test::read_file(path.toStdString());
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
}

TEST_F(AmpPlotDialog, PrintsThePageInTheChosenOrientation) {
  test::TempDir dir;
  const QString pdf = QString::fromStdString((dir / "chart.pdf").string());
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  TDlgAmpPlot::SetPrintHook([&](QPrinter& printer, QWidget*) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    orientation = printer.pageLayout().orientation();
    return true;
  });
  child<QRadioButton>("RadioButton4")->setChecked(true);
  child<QPushButton>("Button10")->click();
  EXPECT_EQ(orientation, QPageLayout::Landscape);
  const std::string text = test::read_file(pdf.toStdString());
  EXPECT_EQ(text.substr(0, 5), "%PDF-");
  EXPECT_NE(text.find("/Count 1"), std::string::npos);

  // A cancelled print dialog prints nothing.
  std::filesystem::remove(pdf.toStdString());
  TDlgAmpPlot::SetPrintHook([](QPrinter&, QWidget*) { return false; });
  child<QPushButton>("Button10")->click();
  EXPECT_FALSE(std::filesystem::exists(pdf.toStdString()));
}

TEST_F(AmpPlotDialog, CursorReadOutAndPointMessage) {
  dlg->resize(900, 600);
  QApplication::processEvents();
  auto* view = child<QChartView>("Chart1");
  QChart* chart = dlg->Chart();
  // A point inside the plot area reads its axis values; one outside clears.
  const QPointF inChart = chart->mapToPosition(QPointF(3.0, 2e-3), dlg->Series(0));
  const QPoint inView = view->mapFromScene(chart->mapToScene(inChart));
  dlg->Chart1MouseMove(inView);
  const QString readout = child<QLabel>("Label4")->text();
  ASSERT_TRUE(readout.startsWith('(') && readout.endsWith(')')) << readout.toStdString();
  const QStringList parts = readout.mid(1, readout.size() - 2).split(',');
  ASSERT_EQ(parts.size(), 2);
  EXPECT_NEAR(parts[0].toDouble(), 3.0, 0.05);
  EXPECT_NEAR(parts[1].toDouble(), 2e-3, 5e-5);
  dlg->Chart1MouseMove(QPoint(1, 1));
  EXPECT_EQ(child<QLabel>("Label4")->text(), "");

  dlg->Chart1ClickSeries(0, 0);
  EXPECT_EQ(view->toolTip(), " Clicked Series: X-Dir at point: 0");
  ASSERT_EQ(test::recordedMessages().size(), 1u);
  EXPECT_EQ(test::recordedMessages()[0].text,
            "X-Dir\rPoint: 0\rFreq: 2\rX: 0.001\rY: 0.002\rZ: 0.003\r"
            "Xo: 0.001\rYo: 0.002\rZo: 0.003\rRx: 0.0001\rRy: 0.0002\rRz: 0.0003\r");
}

}  // namespace
}  // namespace zrv::front
