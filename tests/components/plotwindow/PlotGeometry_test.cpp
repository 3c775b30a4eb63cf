#include "plotwindow/PlotGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plotdata/pltdata.h"

using namespace zrv::comp;

namespace {

constexpr long double kTol = 1e-12L;

void ExpectRange(const TRange& r, long double lo, long double hi) {
  EXPECT_NEAR(static_cast<double>(r.Min), static_cast<double>(lo), static_cast<double>(kTol));
  EXPECT_NEAR(static_cast<double>(r.Max), static_cast<double>(hi), static_cast<double>(kTol));
}

}  // namespace

TEST(PlotGeometry, NiceRangeRoundsOutToTheStep) {
  // All values 5: zero included, step 1 (log10 5 has fraction 0.70 > log10 3).
  ExpectRange(NiceRange(0, 5), 0, 5);
  // Nothing but zeros: widened by 0.01, step 0.001 (fraction of log10 0.02 is 0.30).
  ExpectRange(NiceRange(0, 0), -0.01L, 0.01L);
  // 1234: step 1000 divided by 10 (fraction 0.09), so 1300.
  ExpectRange(NiceRange(0, 1234), 0, 1300);
  ExpectRange(NiceRange(-7, 0), -7, 0);
  // Width 2.57: step 0.1; 2.2 stays 2.2 although 2.2 / 0.1 is not exact in binary.
  ExpectRange(NiceRange(-0.37L, 2.2L), -0.4L, 2.2L);
  ExpectRange(NiceRange(-310, 40), -400, 100);
}

TEST(PlotGeometry, FullRangesCountEveryFinitePointAndZero) {
  TGraphPlot p;
  p.SetLineCount(2);
  p.SetPointCount(3);
  p.Point(0, 0) = {1, 2};
  p.Point(0, 1) = {3, 4};
  p.Point(0, 2) = {std::numeric_limits<long double>::quiet_NaN(), std::numeric_limits<long double>::infinity()};
  p.Line(1).Active = false;
  p.Line(1).InLegend = false;
  p.Point(1, 0) = {8, 4.5L};
  const TPlotRanges r = FullRanges(p);
  ExpectRange(r.X, 0, 8);
  ExpectRange(r.Y, 0, 5);

  TGraphPlot empty;
  const TPlotRanges e = FullRanges(empty);
  ExpectRange(e.X, -0.01L, 0.01L);
  ExpectRange(e.Y, -0.01L, 0.01L);
}

TEST(PlotGeometry, TickSteps) {
  EXPECT_EQ(MajorStep(10, 4), 2);      // raw 2.5
  EXPECT_EQ(MajorStep(10, 10), 1);     // raw 1
  EXPECT_EQ(MajorStep(100, 3), 20);    // raw 33.3
  EXPECT_EQ(MajorStep(7, 1), 5);       // raw 7
  EXPECT_EQ(MajorStep(9.5L, 1), 10);   // raw 9.5
  EXPECT_EQ(MajorStep(10, 0), 0);
  EXPECT_EQ(MajorStep(0, 3), 0);

  TTicks t = AxisTicks({0, 5}, 5);  // major 1, minor 0.2
  EXPECT_NEAR(static_cast<double>(t.Minor), 0.2, 1e-15);
  EXPECT_EQ(t.First, 0);
  EXPECT_EQ(t.Last, 25);
  t = AxisTicks({-0.01L, 0.01L}, 4);  // raw 0.005: major 0.005, minor 0.001
  EXPECT_NEAR(static_cast<double>(t.Minor), 0.001, 1e-15);
  EXPECT_EQ(t.First, -10);
  EXPECT_EQ(t.Last, 10);
  // A range that does not reach zero still counts its indices from zero.
  t = AxisTicks({5, 6}, 2);  // raw 0.5: major 0.5, minor 0.1
  EXPECT_EQ(t.First, 0);
  EXPECT_EQ(t.Last, 60);
  t = AxisTicks({0, 5}, 0);
  EXPECT_EQ(t.Minor, 0);
}

TEST(PlotGeometry, MappingBetweenDataAndPixels) {
  TPlotMapping m{{0, 10}, {0, 5}, {100, 50, 600, 350}, false};
  EXPECT_EQ(m.PixelX(2.5L), 225);  // 0.25 * 500 + 100
  EXPECT_EQ(m.PixelY(1), 290);     // 350 - 0.2 * 300
  EXPECT_EQ(m.PixelX(0), 100);
  EXPECT_EQ(m.PixelX(10), 600);
  EXPECT_EQ(m.PixelY(5), 50);
  auto [x, y] = m.DataAt(225, 290);
  EXPECT_NEAR(static_cast<double>(x), 2.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(y), 1, 1e-12);
  auto [ox, oy] = m.DataAt(99, 200);  // left of the plot
  EXPECT_EQ(ox, 0);
  EXPECT_EQ(oy, 0);
  EXPECT_EQ(m.DataAt(601, 200).first, 0);

  m.XOnTop = true;
  EXPECT_EQ(m.PixelY(1), 110);  // 50 + 60
  EXPECT_NEAR(static_cast<double>(m.DataAt(300, 110).second), 1, 1e-12);
  // A far point stays a real value; nothing overflows.
  EXPECT_GT(m.PixelX(1e30L), 1e30L);
}

TEST(PlotGeometry, ZoomInKeepsAtLeastOneTwentiethInsideTheFullRange) {
  const TRange full{0, 100};
  ExpectRange(ZoomIn(20, 60, full), 20, 60);
  ExpectRange(ZoomIn(60, 20, full), 20, 60);
  // Narrower than 5: centre 11 plus and minus 2.5.
  ExpectRange(ZoomIn(10, 12, full), 8.5L, 13.5L);
  // At the edges the minimal window is shifted back inside.
  ExpectRange(ZoomIn(0, 1, full), 0, 5);
  ExpectRange(ZoomIn(99.5L, 100, full), 95, 100);
  ExpectRange(ZoomIn(-0.0001L, 0.0001L, {-0.01L, 0.01L}), -0.0005L, 0.0005L);
}

TEST(PlotGeometry, ZoomOutDoublesUpToTheFullRange) {
  const TRange full{0, 100};
  ExpectRange(ZoomOut({40, 50}, full, 45), 35, 55);
  ExpectRange(ZoomOut({40, 50}, full, 2), 0, 20);   // centre kept at 10
  ExpectRange(ZoomOut({40, 50}, full, 99), 80, 100);
  ExpectRange(ZoomOut({0, 60}, full, 30), 0, 100);  // never beyond the full range
  // Repeated clicks come back to the full range.
  TRange r{40, 45};
  for (int i = 0; i < 6; ++i) r = ZoomOut(r, full, 42);
  ExpectRange(r, 0, 100);
}

TEST(PlotGeometry, ScreenAndBitmapLayout) {
  EXPECT_EQ(CanvasFontHeight(96), 14);
  EXPECT_EQ(CanvasFontHeight(600), 88);  // 87.5 rounded
  EXPECT_EQ(TextHeight(10, 14), 14);
  EXPECT_EQ(TextHeight(20, 14), 28);
  EXPECT_EQ(TextHeight(-15, 14), 21);

  // 800 x 600 at 96 dpi, h = 14: left 28 + 12 + 1, right 800 - 24 - 7.
  EXPECT_EQ(ScreenPlotRect(800, 600, 96, 96, 14, false, false, false), (TPixRect{41, 31, 769, 559}));
  EXPECT_EQ(ScreenPlotRect(800, 600, 96, 96, 14, true, false, false), (TPixRect{41, 41, 769, 569}));
  EXPECT_EQ(ScreenPlotRect(800, 600, 96, 96, 14, false, true, true), (TPixRect{41, 46, 769, 559}));
  EXPECT_EQ(ScreenPlotRect(800, 600, 96, 96, 14, false, true, false), (TPixRect{41, 31, 769, 545}));
}

TEST(PlotGeometry, PrinterLayout) {
  // Letter at 600 dpi, one-inch margins.
  const TPixRect paper{0, 0, 5100, 6600};
  EXPECT_EQ(PrintPageRect(5100, 6600, paper, {}, 600, 600), (TPixRect{600, 600, 4500, 6000}));
  // A margin smaller than the unprintable border gives way to it.
  EXPECT_EQ(PrintPageRect(5100, 6600, {150, 120, 4950, 6480}, {100, 100, 100, 100}, 600, 600),
            (TPixRect{150, 120, 4950, 6480}));
  // h = 88 at 600 dpi: band 176 + 75 + 11 = 262.
  const TPixRect page{600, 600, 4500, 6000};
  EXPECT_EQ(PrintPlotRect(page, 600, 600, 88, false, false, false), (TPixRect{862, 600, 4500, 5738}));
  EXPECT_EQ(PrintPlotRect(page, 600, 600, 88, true, false, false), (TPixRect{862, 862, 4500, 6000}));
  EXPECT_EQ(PrintPlotRect(page, 600, 600, 88, false, true, true), (TPixRect{862, 750, 4500, 5738}));
  EXPECT_EQ(PrintPlotRect(page, 600, 600, 88, false, true, false), (TPixRect{862, 600, 4500, 5438}));
  // A title taller than a quarter inch takes its height and an eighth: band 800 + 75 + 50.
  EXPECT_EQ(PrintPlotRect(page, 600, 600, 400, false, true, true), (TPixRect{1525, 1050, 4500, 5075}));
}

TEST(PlotGeometry, TicksThinOutUntilTheirNumbersKeepApart) {
  // 0..10 over 300 pixels: ten intervals give numbers every 30 pixels.
  const TRange r{0, 10};
  auto width = [](int w) { return [w](Extended) { return w; }; };
  EXPECT_DOUBLE_EQ(double(FitAxisTicks(r, 10, 30, width(10), 5).Minor), 0.2);
  // Numbers 40 wide need 45: the step grows to 2 (60 pixels), at five intervals.
  const TTicks t = FitAxisTicks(r, 10, 30, width(40), 5);
  EXPECT_DOUBLE_EQ(double(t.Minor), 0.4);
  EXPECT_EQ(t.First, 0);
  EXPECT_EQ(t.Last, 25);
  // Numbers that never fit keep the coarsest ticks of one interval.
  EXPECT_DOUBLE_EQ(double(FitAxisTicks(r, 10, 30, width(1000), 5).Minor), 2);
  // 0..9E-6 over 190 pixels, numbers 40 wide: a step of 2E-6 (42 pixels) is
  // too close, and the next of the 1, 2, 5 series, 5E-6, still numbers two
  // ticks (0 and 5E-6); a step of 1E-5 would number only 0.
  EXPECT_DOUBLE_EQ(double(FitAxisTicks({0, 9e-6L}, 4, 190 / 9e-6L, width(40), 8).Minor), 1e-6);
  // A short axis of one interval: its step of 1E-5 numbers only 0, so the
  // step comes down to 5E-6.
  EXPECT_DOUBLE_EQ(double(FitAxisTicks({0, 9e-6L}, 1, 190 / 9e-6L, width(40), 8).Minor), 1e-6);
  // Only numbers inside the range count (the tick indices always reach 0).
  auto wideBelow = [](Extended v) { return v < 10.5L ? 100 : 10; };
  EXPECT_DOUBLE_EQ(double(FitAxisTicks({10.5L, 19.5L}, 9, 30, wideBelow, 5).Minor), 0.2);
}

TEST(PlotGeometry, KeepInsideMovesRightAndBottomFirst) {
  EXPECT_EQ(KeepInside({700, 500, 800, 560}, 750, 550), (TPixRect{650, 490, 750, 550}));
  EXPECT_EQ(KeepInside({10, 10, 50, 50}, 750, 550), (TPixRect{10, 10, 50, 50}));
  // Larger than the area: the left and top edges win.
  EXPECT_EQ(KeepInside({-5, 30, 995, 90}, 750, 50), (TPixRect{0, 0, 1000, 60}));
}

TEST(PlotGeometry, Markers) {
  EXPECT_EQ(MarkerIndices(10, 3), (std::vector<int>{0, 3, 6, 9}));
  EXPECT_EQ(MarkerIndices(10, 1).size(), 10u);
  EXPECT_TRUE(MarkerIndices(10, 0).empty());
  EXPECT_EQ(MarkerIndices(1, 5), (std::vector<int>{0}));

  using P = std::vector<std::pair<int, int>>;
  // Square: corners at 45, 135, 225, 315 degrees; 4 * 0.707 = 2.83.
  EXPECT_EQ(MarkerPolygon(2, 100, 100, 4, 4), (P{{103, 97}, {103, 103}, {97, 103}, {97, 97}, {103, 97}}));
  // Triangle point down: 180, 300, 60 degrees; 4 * 0.866 = 3.46.
  EXPECT_EQ(MarkerPolygon(1, 100, 100, 4, 4), (P{{100, 104}, {97, 98}, {103, 98}, {100, 104}}));
  // Shape 3: first corner straight up.
  EXPECT_EQ(MarkerPolygon(3, 100, 100, 4, 4).front(), (std::pair<int, int>{100, 96}));
  EXPECT_EQ(MarkerPolygon(3, 100, 100, 4, 4).size(), 4u);
  // Above 10 folded into 1..10.
  EXPECT_EQ(MarkerPolygon(12, 100, 100, 4, 4), MarkerPolygon(2, 100, 100, 4, 4));
  EXPECT_EQ(MarkerPolygon(20, 100, 100, 4, 4).size(), 11u);
}

TEST(PlotGeometry, PaletteRepeatsEverySeventeen) {
  EXPECT_EQ(PlotColor(0), 0x000000u);
  EXPECT_EQ(PlotColor(1), 0x0000FFu);
  EXPECT_EQ(PlotColor(2), 0xFF0000u);
  EXPECT_EQ(PlotColor(12), 0x808080u);
  EXPECT_EQ(PlotColor(16), 0x00FFFFu);
  EXPECT_EQ(PlotColor(17), 0x000000u);
  EXPECT_EQ(PlotColor(18), 0x0000FFu);
}

TEST(PlotGeometry, ClipSegment) {
  long double x1 = -10, y1 = 5, x2 = 10, y2 = 5;
  ASSERT_TRUE(ClipSegment(x1, y1, x2, y2, 0, 0, 8, 8));
  EXPECT_EQ(x1, 0);
  EXPECT_EQ(x2, 8);
  EXPECT_EQ(y1, 5);
  // A diagonal from far away enters through a corner region.
  x1 = -1e30L, y1 = -1e30L, x2 = 4, y2 = 4;
  ASSERT_TRUE(ClipSegment(x1, y1, x2, y2, 0, 0, 8, 8));
  EXPECT_NEAR(static_cast<double>(x1), 0, 1e-6);
  EXPECT_NEAR(static_cast<double>(y1), 0, 1e-6);
  x1 = -5, y1 = -5, x2 = -1, y2 = 20;
  EXPECT_FALSE(ClipSegment(x1, y1, x2, y2, 0, 0, 8, 8));
}

TEST(PlotGeometry, BitmapSizeAndCurveNames) {
  const TBitmapSize s = BitmapSize(72, 4, 6);
  EXPECT_EQ(s.Height, 288);
  EXPECT_EQ(s.Width, 432);
  EXPECT_EQ(BitmapSize(96, 2.5L, 2).Height, 240);

  TGraphPlot p;
  p.SetLineCount(3);
  p.Line(0).Name = "Kxx";
  p.DefaultNames = {"zero", "one"};
  p.onGetCaption = [](int, std::string& s) { s += "!"; };
  EXPECT_EQ(CurveBaseName(p, 0), "Kxx");
  EXPECT_EQ(CurveBaseName(p, 1), "one");
  EXPECT_EQ(CurveBaseName(p, 2), "Curve #3");
}
