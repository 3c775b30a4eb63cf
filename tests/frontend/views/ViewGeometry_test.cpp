// The geometry of the plan and section views, against hand computations.
#include "views/ViewGeometry.h"

#include <cmath>
#include <limits>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "view2d_fixture.h"

namespace zrv::front {
namespace {

using test::FakeMainForm;
using test::setRows;

constexpr long double kTol = 1e-12L;

void expectWindow(const TWorldWindow& w, long double l, long double r, long double t, long double b,
                  long double tol = kTol) {
  EXPECT_NEAR(w.left, l, tol);
  EXPECT_NEAR(w.right, r, tol);
  EXPECT_NEAR(w.top, t, tol);
  EXPECT_NEAR(w.bottom, b, tol);
}

TEST(ViewGeometry, FitWidensAboutTheOrigin) {
  // A plan twice as wide as high shows x from -20 to 20.
  expectWindow(fitWindowToArea({-10, 10, 10, -10}, 200, 100, true), -20, 20, 10, -10);
  // A tall area stretches the height instead.
  expectWindow(fitWindowToArea({-10, 10, 10, -10}, 100, 200, true), -10, 10, 20, -20);
  // A section 20 wide and 10 deep in a 4:1 area: a = 4 / 2 = 2.
  expectWindow(fitWindowToArea({-10, 10, 0, 10}, 400, 100, false), -20, 20, 0, 10);
  // The range grows about x = 0, not about the figure's centre.
  expectWindow(fitWindowToArea({0, 10, 0, 10}, 200, 100, false), 0, 20, 0, 10);
  // A section in a narrow area: a = 0.5, depth range doubled from the top 0.
  expectWindow(fitWindowToArea({-5, 5, 0, 10}, 100, 200, false), -5, 5, 0, 20);
  // Nothing to fit: an empty window or an empty area.
  expectWindow(fitWindowToArea({0, 0, 0, 10}, 100, 100, false), 0, 0, 0, 10);
  expectWindow(fitWindowToArea({-1, 1, 1, -1}, 0, 100, true), -1, 1, 1, -1);
}

TEST(ViewGeometry, UndrawableWindows) {
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_FALSE(windowUndrawable({-10, 10, 10, -10}));
  EXPECT_TRUE(windowUndrawable({3, 3, 10, -10}));
  EXPECT_TRUE(windowUndrawable({-10, 10, 2, 2}));
  EXPECT_TRUE(windowUndrawable({nan, 10, 10, -10}));
  EXPECT_TRUE(windowUndrawable({-10, 10, inf, -10}));
}

TEST(ViewGeometry, PixelsRoundHalvesToEvenAndStayBounded) {
  EXPECT_EQ(toPixel(2.5L), 2);
  EXPECT_EQ(toPixel(3.5L), 4);
  EXPECT_EQ(toPixel(-2.5L), -2);
  EXPECT_EQ(toPixel(2.4999L), 2);
  EXPECT_EQ(toPixel(std::numeric_limits<long double>::quiet_NaN()), 0);
  EXPECT_EQ(toPixel(1e30L), kPixelLimit);
  EXPECT_EQ(toPixel(-std::numeric_limits<long double>::infinity()), -kPixelLimit);
}

TEST(ViewGeometry, WorldAndPixelMapBothWays) {
  const TWorldWindow plan{-20, 20, 10, -10};
  EXPECT_EQ(worldToPixel(plan, 200, 100, 0, 0), std::make_pair(100, 50));
  EXPECT_EQ(worldToPixel(plan, 200, 100, 5, 5), std::make_pair(125, 25));  // y grows upwards
  const auto [x, y] = pixelToWorld(plan, 200, 100, 150, 75);
  EXPECT_NEAR(x, 10, kTol);
  EXPECT_NEAR(y, -5, kTol);

  // A circle's rectangle: its "top" comes from y - r and lies below on the screen.
  EXPECT_EQ(mapCircle({0, 4, 5, 0}, 400, 500, {3, 4, 0.5}), (TPixelRect{250, 150, 350, 50}));

  // A section on a 1000 by 500 page: depth over the middle 80 % of the height.
  const TWorldWindow section{-10, 10, 0, 10};
  EXPECT_EQ(sideToPrinter(section, 1000, 500, 0, 5), std::make_pair(500, 250));
  EXPECT_EQ(sideToPrinter(section, 1000, 500, -10, 0), std::make_pair(0, 50));
  EXPECT_EQ(sideToPrinter(section, 1000, 500, 10, 10), std::make_pair(1000, 450));
}

TEST(ViewGeometry, ReadoutHasOneDecimal) {
  EXPECT_EQ(formatReadout(-3.26L), "-3.3");
  EXPECT_EQ(formatReadout(12345.67L), "12345.7");
  EXPECT_EQ(formatReadout(-0.04L), "0.0");
  EXPECT_EQ(formatReadout(0), "0.0");
  EXPECT_EQ(formatReadout(0.25L), "0.2");  // halves to even
  EXPECT_EQ(formatReadout(1234567), "1.23457E6");
  comp::DecimalSeparatorGuard comma(',');
  EXPECT_EQ(formatReadout(7.75L), "7,8");
}

TEST(ViewGeometry, PrinterResolutionsSnapToStandardValues) {
  const std::pair<int, int> cases[] = {{0, 75},     {75, 75},    {76, 100},   {125, 100}, {126, 150},
                                       {225, 150},  {226, 300},  {449, 300},  {450, 600}, {899, 600},
                                       {900, 1200}, {5000, 1200}};
  for (const auto& [estimate, snapped] : cases) EXPECT_EQ(snapResolution(estimate), snapped) << estimate;
  // A landscape letter page at 300 dpi: 3300 / 10 and 2550 / 8 both give 300.
  EXPECT_EQ(snapResolution(3300 / 10), 300);
  EXPECT_EQ(snapResolution(2550 / 8), 300);
}

TEST(ViewGeometry, PrintedCirclesKeepTheirShape) {
  // Same resolutions: a square box stays square.
  EXPECT_EQ(printedCircle({100, 300, 300, 100}, 300, 300), (TPixelRect{100, 100, 300, 300}));
  // Twice the vertical resolution: half-height twice the half-width.
  EXPECT_EQ(printedCircle({100, 200, 300, 100}, 300, 600), (TPixelRect{150, 50, 250, 250}));
  // 100 by 150 dpi: v = 40 · 100 / 150 = 26.67 -> 27.
  EXPECT_EQ(printedCircle({0, 0, 80, 80}, 150, 100), (TPixelRect{0, 13, 80, 67}));
}

TEST(ViewGeometry, TopViewBaseWindow) {
  const std::vector<TCircle> one{{3, 4, 0.5}};
  // First activation (no paint yet): only the circle with its margin.
  expectWindow(topViewBaseWindow({-10, 10, 10, -10}, TTopOutline{}, one), 0, 4, 5, 0);
  // The outline of the last paint, 3.8 by 1.9, gives ±2 and ±1 first.
  TTopOutline last;
  last.width = 3.8L;
  last.height = 1.9L;
  expectWindow(topViewBaseWindow({-10, 10, 10, -10}, last, one), -2, 4, 5, -1);
  // Without circles the window stays.
  expectWindow(topViewBaseWindow({-7, 7, 3, -3}, last, {}), -7, 7, 3, -3);
}

TEST(ViewGeometry, TopViewOutlines) {
  FakeMainForm main;
  TProgramData& p = main.project;
  // A rectangular footing of 6 by 4 is outlined from (-3, 2) to (3, -2).
  p.FoundationCode = 1;
  p.CircularShape = 0;
  p.LengthX = 6;
  p.WidthY = 4;
  TTopOutline o = topViewOutline(p, main.tables);
  EXPECT_TRUE(o.drawn);
  EXPECT_EQ((std::array<long double, 6>{o.xmin, o.xmax, o.ymin, o.ymax, o.width, o.height}),
            (std::array<long double, 6>{-3, 3, -2, 2, 6, 4}));
  // A circular footing of radius 2 by the square from (-2, 2) to (2, -2).
  p.CircularShape = 1;
  p.Radius = 2;
  o = topViewOutline(p, main.tables);
  EXPECT_EQ((std::array<long double, 6>{o.xmin, o.xmax, o.ymin, o.ymax, o.width, o.height}),
            (std::array<long double, 6>{-2, 2, -2, 2, 4, 4}));
  // Piles all at negative x: xmax stays at 1E-9, the rectangle reaches the y axis.
  p.FoundationCode = 2;
  setRows(main.tables.Pilecoord(), {{-3, 1}, {-1, 2}});
  o = topViewOutline(p, main.tables);
  EXPECT_EQ(o.xmin, -3);
  EXPECT_EQ(o.xmax, 1E-9L);
  EXPECT_EQ(o.ymin, 1);
  EXPECT_EQ(o.ymax, 2);
  EXPECT_EQ(o.width, 3 + 1E-9L);
  EXPECT_EQ(o.height, 1);
  // A pile foundation without piles has nothing to outline.
  main.tables.Pilecoord().SetRowCount(0);
  EXPECT_FALSE(topViewOutline(p, main.tables).drawn);
}

TEST(ViewGeometry, TopViewCircles) {
  FakeMainForm main;
  TProgramData& p = main.project;
  setRows(main.tables.Pilecoord(), {{3, 4}, {-2, -1}});
  setRows(main.tables.PileData(), {{10, 0.5}, {5, 0.7}});
  p.FoundationCode = 1;
  EXPECT_TRUE(topViewCircles(p, main.tables).empty());
  p.FoundationCode = 2;
  // Every pile takes the radius of the first pile-data row.
  EXPECT_EQ(topViewCircles(p, main.tables), (std::vector<TCircle>{{3, 4, 0.5}, {-2, -1, 0.5}}));
  main.tables.PileData().SetRowCount(0);
  EXPECT_THROW(topViewCircles(p, main.tables), comp::EListError);
}

TEST(ViewGeometry, SideOutlineQuadrilateral) {
  const long double a = std::acos(-1.0L) / 6;  // 30 degrees
  const TSideOutline o = sideOutline(1, 0.5, 0, 10, a);
  EXPECT_NEAR(o.p[0].x, 0.75, kTol);
  EXPECT_NEAR(o.p[1].x, 1.25, kTol);
  EXPECT_NEAR(o.p[0].depth, 0, kTol);
  EXPECT_NEAR(o.p[2].x, 5.75, kTol);  // 0.75 + 10 · sin 30°
  EXPECT_NEAR(o.p[3].x, 6.25, kTol);
  EXPECT_NEAR(o.p[2].depth, 5 * std::sqrt(3.0L), kTol);
  EXPECT_NEAR(o.p[3].depth, 5 * std::sqrt(3.0L), kTol);
}

TEST(ViewGeometry, FoundationCodesAndLengthSum) {
  EXPECT_EQ(foundationCodeOf("HALF-SPACE", 0), 1);
  EXPECT_EQ(foundationCodeOf("PILE", 0), 2);
  EXPECT_EQ(foundationCodeOf("STRATUM", 0), 3);
  EXPECT_EQ(foundationCodeOf("MULTILAYER", 0), 4);
  EXPECT_EQ(foundationCodeOf("Pile", 3), 3);
  EXPECT_EQ(foundationCodeOf("", 1), 1);

  FakeMainForm main;
  setRows(main.tables.PileData(), {{5, 0.3}, {7, 0.3}});
  setRows(main.tables.MultiElement(), {{1, 2}, {2.5, 2}, {0.5, 2}});
  EXPECT_EQ(elementLengthSumOf(2, main.tables), 12);
  EXPECT_EQ(elementLengthSumOf(4, main.tables), 4);
  EXPECT_EQ(elementLengthSumOf(1, main.tables), 0);
  EXPECT_EQ(elementLengthSumOf(3, main.tables), 0);
}

TEST(ViewGeometry, PileOutlinesTiltOnlyInTheirPlane) {
  FakeMainForm main;
  // Pile 1 at (2, 3) battered 10° in the XZ plane, pile 2 at (-2, 5) battered 20° in YZ.
  setRows(main.tables.Pilecoord(), {{2, 3, 10, 1}, {-2, 5, 20, 2}});
  setRows(main.tables.PileData(), {{5, 0.3}, {7, 0.3}});
  const long double deg = std::acos(-1.0L) / 180;
  // The batter uses 3.1415 for pi: 3e-5 relative, well inside 1e-3 here.
  const TSideBuild xz = buildSideOutlines(main.project, main.tables, TSidePlane::XZ, 2, 12);
  ASSERT_EQ(xz.outlines.size(), 2u);
  EXPECT_FALSE(xz.missingRow);
  EXPECT_NEAR(xz.outlines[0].p[0].x, 1.7, 1e-12);
  EXPECT_NEAR(xz.outlines[0].p[2].x, 1.7 + 12 * std::sin(10 * deg), 1e-3);
  EXPECT_NEAR(xz.outlines[0].p[3].depth, 12 * std::cos(10 * deg), 1e-3);
  EXPECT_NEAR(xz.outlines[1].p[2].x, -2.3, 1e-12);  // battered in the other plane: vertical
  EXPECT_NEAR(xz.outlines[1].p[3].x, -1.7, 1e-12);
  EXPECT_NEAR(xz.outlines[1].p[3].depth, 12, 1e-12);

  const TSideBuild yz = buildSideOutlines(main.project, main.tables, TSidePlane::YZ, 2, 12);
  ASSERT_EQ(yz.outlines.size(), 2u);
  EXPECT_NEAR(yz.outlines[0].p[2].x, 2.7, 1e-12);
  EXPECT_NEAR(yz.outlines[0].p[2].depth, 12, 1e-12);
  EXPECT_NEAR(yz.outlines[1].p[3].x, 5.3 + 12 * std::sin(20 * deg), 1e-3);
  EXPECT_NEAR(yz.outlines[1].p[3].depth, 12 * std::cos(20 * deg), 1e-3);

  // World window: left min(0, 1.7, -2.3) = -2.3, right max(0, 2.3 + 12 sin 10°, -1.7),
  // depth from 0 to 12; all times 1.05.
  const TWorldWindow w = sideWorldWindow({-10, 10, 0, 10}, xz.outlines, 2, 12);
  expectWindow(w, -2.3 * 1.05, (2.3 + 12 * std::sin(10 * deg)) * 1.05, 0, 12 * 1.05, 2e-3);
}

TEST(ViewGeometry, FootingAndMultilayerOutlines) {
  FakeMainForm main;
  TProgramData& p = main.project;
  // A battered first pile row never tilts a footing or a multilayer outline.
  setRows(main.tables.Pilecoord(), {{1, 1, 45, 1}});
  p.CircularShape = 1;
  p.Radius = 2;
  p.BaseZ = 1.5;
  TSideBuild b = buildSideOutlines(p, main.tables, TSidePlane::XZ, 1, 0);
  ASSERT_EQ(b.outlines.size(), 1u);
  EXPECT_EQ(b.outlines[0], (TSideOutline{{{{-2, 0}, {2, 0}, {-2, 3}, {2, 3}}}}));
  // Twice as wide and four times as deep as the footing, with the 1.05 margin.
  expectWindow(sideWorldWindow({}, b.outlines, 1, 0), -4.2, 4.2, 0, 12.6);

  p.CircularShape = 0;
  p.WidthY = 3;
  b = buildSideOutlines(p, main.tables, TSidePlane::YZ, 3, 0);
  EXPECT_EQ(b.outlines[0], (TSideOutline{{{{-1.5, 0}, {1.5, 0}, {-1.5, 3}, {1.5, 3}}}}));

  // Multilayer: centre 4 × radius, width 2 × radius, depth over as many rows as D has.
  setRows(main.tables.MultiElement(), {{2, 0.5}, {3, 0.5}, {4, 0.5}});
  setRows(main.tables.D(), {{100, 18, 0.3}, {120, 18, 0.3}});
  b = buildSideOutlines(p, main.tables, TSidePlane::XZ, 4, 9);
  EXPECT_EQ(b.outlines[0], (TSideOutline{{{{1.5, 0}, {2.5, 0}, {1.5, 5}, {2.5, 5}}}}));
  expectWindow(sideWorldWindow({}, b.outlines, 4, 9), 0, 2.5 * 1.05 * 2, 0, 9 * 1.05);

  // A footing collapsed to nothing leaves an undrawable window.
  p.WidthY = 0;
  p.BaseZ = 0;
  b = buildSideOutlines(p, main.tables, TSidePlane::XZ, 1, 0);
  EXPECT_TRUE(windowUndrawable(sideWorldWindow({-10, 10, 0, 10}, b.outlines, 1, 0)));
  // No outlines: the window stays.
  expectWindow(sideWorldWindow({-10, 10, 0, 10}, {}, 2, 0), -10, 10, 0, 10);
}

TEST(ViewGeometry, MissingRowsSkipTheOutlineAndAreFlagged) {
  FakeMainForm main;
  setRows(main.tables.Pilecoord(), {{0, 0}, {1, 0}, {2, 0}});
  main.tables.PileData().SetRowCount(0);
  TSideBuild b = buildSideOutlines(main.project, main.tables, TSidePlane::XZ, 2, 0);
  EXPECT_TRUE(b.outlines.empty());
  EXPECT_TRUE(b.missingRow);
  // A multilayer foundation with fewer element rows than soil rows.
  setRows(main.tables.D(), {{100}, {100}, {100}});
  setRows(main.tables.MultiElement(), {{1, 1}, {1, 1}});
  b = buildSideOutlines(main.project, main.tables, TSidePlane::XZ, 4, 2);
  EXPECT_TRUE(b.outlines.empty());
  EXPECT_TRUE(b.missingRow);
}

TEST(ViewGeometry, PileProfile) {
  FakeMainForm main;
  setRows(main.tables.D(), {{100, 18, 0.3}, {200, 19, 0.35}, {300, 20, 0.4}});
  setRows(main.tables.PileData(), {{5, 0.3}, {7.5, 0.3}});
  const TSideProfile s = sideProfile(main.project, main.tables, 2);
  EXPECT_EQ(s.lines, (std::vector<long double>{5, 12.5}));  // the third soil row has no pile row
  EXPECT_EQ(s.grounds, (std::vector<long double>{0}));
  ASSERT_EQ(s.labels.size(), 2u);
  EXPECT_NEAR(s.labels[0].depth, 0.25, kTol);
  EXPECT_EQ(s.labels[0].offset, 0);
  EXPECT_EQ(s.labels[0].first, "depth= 0 - 5; Layer 1");
  EXPECT_EQ(s.labels[0].second, "Shear Wave Velocity= 100; Poissons Ratio= 0.3");
  EXPECT_NEAR(s.labels[1].depth, 5.375, kTol);
  EXPECT_EQ(s.labels[1].first, "depth= 5 - 12.5; Layer 2");
  EXPECT_EQ(s.labels[1].second, "Shear Wave Velocity= 200; Poissons Ratio= 0.35");
}

TEST(ViewGeometry, StratumAndHalfSpaceProfiles) {
  FakeMainForm main;
  TProgramData& p = main.project;
  p.BaseZ = 1;
  p.BaseDepth = 0.5;
  p.BedrockDepth = 10;
  p.TipShearWaveVelocity = 250;
  p.TipPoisson = 0.4;
  // A block 2 Zc = 2 deep embedded 0.5: the ground line lies 0.5 above its
  // base, the rock 10 below the ground line, and the window reaches it.
  TSideProfile s = sideProfile(p, main.tables, 3);
  EXPECT_EQ(s.lines, (std::vector<long double>{11.5}));
  EXPECT_EQ(s.grounds, (std::vector<long double>{1.5}));
  ASSERT_EQ(s.labels.size(), 2u);
  EXPECT_EQ(s.labels[0], (TProfileLabel{1.5, 20, "Layer thickness= 10; Layer 1",
                                        "Shear Wave Velocity= 250; Poissons Ratio= 0.4"}));
  EXPECT_EQ(s.labels[1], (TProfileLabel{11.5, 20, "Rock Layer ", ""}));
  p.WidthY = 2;
  const TSideBuild b = buildSideOutlines(p, main.tables, TSidePlane::XZ, 3, 0);
  ASSERT_EQ(b.outlines.size(), 1u);
  EXPECT_EQ(b.outlines[0].p[2].depth, 2);  // rectangular as deep as round
  expectWindow(sideWorldWindow({}, b.outlines, 3, 0, sideRockDepth(p)), -2.1, 2.1, 0, 11.5 * 1.05);

  // Half-space: layers of 2 and 3 end at the block's base 2 Zc = 2, so they
  // hang from o = 2 - 5 = -3.
  setRows(main.tables.D1(), {{2, 150, 18, 0.3}, {3, 180, 18, 0.33}});
  s = sideProfile(p, main.tables, 1);
  EXPECT_EQ(s.lines, (std::vector<long double>{-1, 2}));
  EXPECT_EQ(s.grounds, (std::vector<long double>{-3}));
  ASSERT_EQ(s.labels.size(), 3u);
  EXPECT_NEAR(s.labels[0].depth, -2.9, kTol);
  EXPECT_EQ(s.labels[0].first, "depth= 0 - 2; Layer 1");
  EXPECT_EQ(s.labels[0].second, "Shear Wave Velocity= 150; Poissons Ratio= 0.3");
  EXPECT_NEAR(s.labels[1].depth, -0.85, kTol);
  EXPECT_EQ(s.labels[1].first, "depth= 2 - 5; Layer 2");
  EXPECT_EQ(s.labels[1].second, "Shear Wave Velocity= 180; Poissons Ratio= 0.33");
  EXPECT_EQ(s.labels[2], (TProfileLabel{2, -20, "Soil below the tip ",
                                        "Shear Wave Velocity= 250; Poissons Ratio= 0.4"}));
}

TEST(ViewGeometry, MultilayerProfile) {
  FakeMainForm main;
  setRows(main.tables.MultiElement(), {{1, 2}, {2, 2}, {3, 2}, {4, 2}});
  setRows(main.tables.D(), {{100, 18, 0.25}, {110, 18, 0.26}});
  setRows(main.tables.Multisoil(), {{300, 20, 0.45}});
  const TSideProfile s = sideProfile(main.project, main.tables, 4);
  EXPECT_EQ(s.lines, (std::vector<long double>{1, 3, 6, 10}));
  EXPECT_EQ(s.grounds, (std::vector<long double>{0}));
  ASSERT_EQ(s.labels.size(), 4u);
  EXPECT_EQ(s.labels[1].first, "depth= 1 - 3; Layer 2");
  EXPECT_EQ(s.labels[1].second, "Shear Wave Velocity= 110; Poissons Ratio= 0.26");
  // Below the soil of D the soil column of Multisoil follows.
  EXPECT_EQ(s.labels[2].first, "depth= 3 - 6; Layer 3");
  EXPECT_EQ(s.labels[2].second, "Shear Wave Velocity= 300; Poissons Ratio= 0.45");
  EXPECT_NEAR(s.labels[3].depth, 10 - 3.8, kTol);
  EXPECT_EQ(s.labels[3].first, "depth= 6 - 10; Layer 4");
  EXPECT_EQ(s.labels[3].second, "");  // no soil row left for it
  // Numbers keep up to 15 significant digits and use the user's separator.
  setRows(main.tables.MultiElement(), {{0.1, 2}});
  comp::DecimalSeparatorGuard comma(',');
  EXPECT_EQ(sideProfile(main.project, main.tables, 4).labels[0].first, "depth= 0 - 0,1; Layer 1");
}

}  // namespace
}  // namespace zrv::front
