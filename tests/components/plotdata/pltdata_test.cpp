#include "plotdata/pltdata.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/exceptions.h"

using namespace zrv::comp;

namespace {

// A window that counts how often it was shown and made.
struct FakeWindow : PlotWindow {
  explicit FakeWindow(int* shows) : shows_(shows) {}
  void ShowWindow() override { ++*shows_; }
  int* shows_;
};

}  // namespace

TEST(pltdata, curves_and_points) {
  TGraphPlot p;
  for (int list = 1; list <= 4; ++list) EXPECT_EQ(p.PointCount(list), 0);
  p.SetPointCount(50);  // no curves: nothing happens
  EXPECT_EQ(p.PointCount(), 0);
  EXPECT_EQ(p.LineCount(), 0);

  p.SetLineCount(1);
  EXPECT_EQ(p.PointCount(), 0);
  p.SetPointCount(50);
  EXPECT_EQ(p.PointCount(), 50);
  p.Point(0, 49).X = 2.5L;
  p.Point(0, 49).Y = -1;

  p.SetLineCount(3);
  ASSERT_EQ(p.LineCount(), 3);
  for (int k = 1; k < 3; ++k) {
    const TLine& line = p.Line(k);
    ASSERT_EQ(line.Points().size(), 50u);
    for (const TFloatPoint& pt : line.Points()) EXPECT_TRUE(pt.X == 0 && pt.Y == 0);
    EXPECT_TRUE(line.Active);
    EXPECT_TRUE(line.InLegend);
    EXPECT_EQ(line.Name, "");
    EXPECT_EQ(line.Number(), k + 1);
    EXPECT_EQ(line.Owner(), &p);
  }
  EXPECT_EQ(p.Point(0, 49).X, 2.5L);

  // Shrinking drops points from the end and keeps the others.
  p.Point(2, 1).Y = 7;
  p.SetPointCount(2);
  EXPECT_EQ(p.Point(2, 1).Y, 7);
  EXPECT_EQ(p.Line(1).Points().size(), 2u);
  p.SetPointCount(-4);
  EXPECT_EQ(p.PointCount(), 0);
  EXPECT_EQ(p.LineCount(), 3);

  EXPECT_EQ(p.CurveDisplayName(2), "Curve #3");
  p.SetLineCount(0);
  EXPECT_EQ(p.LineCount(), 0);
  p.SetLineCount(-1);
  EXPECT_EQ(p.LineCount(), 0);
  p.SetLineCount(1);
  EXPECT_EQ(p.CurveDisplayName(0), "Curve #1");

  // Indices outside a list raise the list error.
  EXPECT_THROW(p.Line(1), EListError);
  EXPECT_THROW(p.Line(-1), EListError);
  EXPECT_THROW(p.Point(0, 0), EListError);
  EXPECT_THROW(p.Line(0, 2), EListError);
  EXPECT_THROW(p.LineCount(5), EListError);
}

TEST(pltdata, displayed_names) {
  TGraphPlot p;
  p.SetLineCount(3);
  p.DefaultNames = {"KXX", "KYY"};
  p.Line(1).Name = "own";
  EXPECT_EQ(p.CurveDisplayName(0), "KXX");
  EXPECT_EQ(p.CurveDisplayName(1), "own");
  EXPECT_EQ(p.CurveDisplayName(2), "Curve #3");
  p.CurveName = "Layer ";
  EXPECT_EQ(p.CurveDisplayName(2), "Layer 3");
  p.onGetCaption = [](int k, std::string& name) { name = std::to_string(k) + ":" + name; };
  EXPECT_EQ(p.CurveDisplayName(0), "0:KXX");
  EXPECT_EQ(p.CurveDisplayName(2), "2:Layer 3");
}

TEST(pltdata, units_and_captions) {
  TGraphPlot p;
  p.SetUnits(7);
  EXPECT_EQ(p.Units(), 3);
  p.SetUnits(0);
  EXPECT_EQ(p.Units(), 1);
  p.SetUnits(-2);
  EXPECT_EQ(p.Units(), 1);
  EXPECT_EQ(p.UnitCaption("F/L2"), "lbs/ft");
  EXPECT_EQ(p.UnitCaption("rad."), "rad.");
  EXPECT_EQ(p.UnitCaption("F1/L1"), "kips/in");
  EXPECT_EQ(p.UnitCaption("Freq"), "lbsreq");  // a lone F anywhere is the force code
  p.SetUnits(2);
  EXPECT_EQ(p.UnitCaption("F/L2"), "kN/m");
  EXPECT_EQ(p.UnitCaption("F2-L"), "kN-m");
  p.SetUnits(3);
  EXPECT_EQ(p.UnitCaption("F/L2"), "F/L2");
}

TEST(pltdata, show_reuses_the_window_until_it_closes) {
  TGraphPlot p;
  EXPECT_NO_THROW(p.Show());  // no window maker: nothing to show
  EXPECT_FALSE(p.HasWindow());

  int made = 0, shows = 0;
  p.SetWindowFactory([&](TGraphPlot& plot) -> std::unique_ptr<PlotWindow> {
    EXPECT_EQ(&plot, &p);
    ++made;
    return std::make_unique<FakeWindow>(&shows);
  });
  p.Show();
  PlotWindow* first = p.Window();
  p.Show();
  EXPECT_EQ(made, 1);
  EXPECT_EQ(shows, 2);
  EXPECT_EQ(p.Window(), first);
  p.WindowClosed();
  EXPECT_FALSE(p.HasWindow());
  p.Show();
  EXPECT_EQ(made, 2);
  EXPECT_EQ(shows, 3);
  EXPECT_TRUE(p.HasWindow());
}
