// The scene of the 3D view, checked on a recording canvas against hand
// computations: the frame of the figure, the soil boxes, pile ends and the
// winding of the foundation faces.
#include "views/BlockScene.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "block_fixture.h"
#include "views/BlockViewing.h"

using namespace zrv::front;
using namespace zrv::test::block;

namespace {

constexpr Extended kTol = 1e-12L;

#define EXPECT_VEC(v, x, y, z)                                 \
  do {                                                         \
    const Vec3 v_ = (v);                                       \
    EXPECT_NEAR(static_cast<double>(v_[0]), (x), 1e-9) << "x"; \
    EXPECT_NEAR(static_cast<double>(v_[1]), (y), 1e-9) << "y"; \
    EXPECT_NEAR(static_cast<double>(v_[2]), (z), 1e-9) << "z"; \
  } while (0)

// Pile vertices travel as floats.
#define EXPECT_VEC_F(v, x, y, z)                               \
  do {                                                         \
    const Vec3 v_ = (v);                                       \
    EXPECT_NEAR(static_cast<double>(v_[0]), (x), 1e-5) << "x"; \
    EXPECT_NEAR(static_cast<double>(v_[1]), (y), 1e-5) << "y"; \
    EXPECT_NEAR(static_cast<double>(v_[2]), (z), 1e-5) << "z"; \
  } while (0)

Extended distance(const Vec3& a, const Vec3& b) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

Vec3 normalOf(const Vec3& c, const Vec3& a, const Vec3& b) {
  const Vec3 u{a[0] - c[0], a[1] - c[1], a[2] - c[2]}, v{b[0] - c[0], b[1] - c[1], b[2] - c[2]};
  return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

// The end discs of the piles' triangle array: runs of triangles from one
// centre whose two other corners lie `r` from it.
struct Disc {
  Vec3 centre, normal;
  std::array<Extended, 4> colour;
  int triangles = 0;
};
std::vector<Disc> discsOf(const RecordingCanvas& gl, Extended r) {
  std::vector<Disc> discs;
  for (const auto& p : gl.primitives) {
    if (!p.array || p.mode != RecordingCanvas::Triangles()) continue;
    for (std::size_t t = 0; t + 2 < p.vertices.size(); t += 3) {
      const Vec3 &c = p.vertices[t], &a = p.vertices[t + 1], &b = p.vertices[t + 2];
      if (std::fabs(distance(c, a) - r) > 1e-5L || std::fabs(distance(c, b) - r) > 1e-5L) continue;
      if (discs.empty() || distance(discs.back().centre, c) > 1e-5L)
        discs.push_back({c, normalOf(c, a, b), p.colour, 0});
      ++discs.back().triangles;
    }
  }
  return discs;
}

// Triangles of the piles' arrays, a quad counting as the two of its fan.
std::size_t pileTriangles(const RecordingCanvas& gl) {
  std::size_t n = 0;
  for (const auto& p : gl.primitives) {
    if (p.array && p.mode == RecordingCanvas::Triangles()) n += p.vertices.size() / 3;
    if (p.array && p.mode == RecordingCanvas::Quads()) n += p.vertices.size() / 2;
  }
  return n;
}

Vec3 normalOf(const Primitive& p) { return normalOf(p.vertices[0], p.vertices[1], p.vertices[2]); }

// A pile project: a 4 x 3 cap, side soil 2 deep, two pile segments of 6
// and 4 with radius 0.5, and three piles: upright, battered 30 degrees in
// the XZ-Plane, battered 20 degrees in the YZ-Plane.
struct PileProject : FakeMain {
  PileProject() {
    project.FoundationType = "PILE";
    project.CircularShape = 0;
    project.LengthX = 4;
    project.WidthCopy = 3;
    setRows(tables.pilecapsoil(), {{1.5}, {0.5}});
    setRows(tables.PileData(), {{6, 0.3, 0.4}, {4, 0.3, 0.4}});
    setRows(tables.Pilecoord(), {{1, 2, 0, 1}, {-3, 0, 30, 1}, {0, 4, 20, 2}});
  }
};

}  // namespace

TEST(BlockScene, FrameOfPileProjectWithSideSoil) {
  PileProject m;
  const TSceneExtents e = GetMaxDims(m.project);
  EXPECT_TRUE(e.HasSideSoil);
  EXPECT_NEAR(e.SideSoilDepth, 2.0L, kTol);
  EXPECT_EQ(e.HalfSizeMax, 2.0L);
  EXPECT_EQ(e.XMin, -2.0L);
  EXPECT_EQ(e.XMax, 2.0L);
  EXPECT_EQ(e.YMin, -1.5L);
  EXPECT_EQ(e.YMax, 1.5L);
  EXPECT_EQ(e.ZTop, 0.0L);
  EXPECT_NEAR(e.ZBottom, -12.0L, kTol);  // side soil 2 + piles 10
  EXPECT_NEAR(e.ExtentZ, 12.0L, kTol);
  EXPECT_NEAR(e.LargestDim, 12.0L, kTol);
  EXPECT_EQ(e.MinPlanExtent, 3.0L);
  EXPECT_EQ(e.CentreX, 0.0L);
  // The whole model: x from -4 to 4 (soil boxes twice the cap wide), y from
  // -3 to the tip of the pile battered 20 degrees in the YZ-Plane plus its
  // radius, z from 0 to the bottom soil box at -2 - 10 - 2.
  EXPECT_NEAR(e.FrameCentreX, 0.0L, kTol);
  EXPECT_NEAR(e.FrameSizeX, 8.0L, kTol);
  const Extended yTip = 4 + 10 * std::sin(std::numbers::pi_v<Extended> / 9) + 0.5L;
  EXPECT_NEAR(e.FrameCentreY, (yTip - 3) / 2, kTol);
  EXPECT_NEAR(e.FrameCentreZ, -7.0L, kTol);
  EXPECT_NEAR(e.FrameSizeZ, 14.0L, kTol);
  // W 450, H 300: 250 / 14 for the height, 400 / 8 for the width; the smaller wins.
  EXPECT_NEAR(FitScaleFor(e, 450, 300), 250.0L / 14, kTol);
  EXPECT_NEAR(OrthoDepth(e, 450, 300), 640 * (12.0L / 3) * 150, 1e-9);
}

TEST(BlockScene, FrameWithoutSideSoilStandsAboveGround) {
  FakeMain m;
  m.project.FoundationType = "HALF-SPACE";
  m.project.CircularShape = 1;
  m.project.Radius = 2;
  setRows(m.tables.D1(), {{0}, {0}});
  TSceneExtents e = GetMaxDims(m.project);
  EXPECT_FALSE(e.HasSideSoil);
  EXPECT_NEAR(e.SideSoilDepth, 0.6L, kTol);  // 0.3 x radius
  EXPECT_NEAR(e.ZTop, 0.6L, kTol);
  EXPECT_EQ(e.ZBottom, 0.0L);
  EXPECT_NEAR(e.LargestDim, 2.0L, kTol);
  EXPECT_EQ(e.XMin, -2.0L);

  // Rectangular: 0.15 x width; a stratum's base depth raises it but keeps
  // "no side soil".
  m.project.FoundationType = "STRATUM";
  m.project.CircularShape = 0;
  m.project.LengthX = 6;
  m.project.WidthCopy = 4;
  m.project.BaseDepth = 1.5;
  e = GetMaxDims(m.project);
  EXPECT_FALSE(e.HasSideSoil);
  EXPECT_NEAR(e.SideSoilDepth, 1.5L, kTol);
  EXPECT_NEAR(e.ZTop, 1.5L, kTol);
  EXPECT_EQ(e.HalfSizeMax, 3.0L);
  EXPECT_EQ(e.CentreY, 0.0L);
  m.project.BaseDepth = 0;
  EXPECT_NEAR(GetMaxDims(m.project).SideSoilDepth, 0.6L, kTol);
}

TEST(BlockScene, FrameOfMultilayerAndHalfSpaceSideSoil) {
  FakeMain m;
  m.project.FoundationType = "MULTILAYER";
  m.project.CircularShape = 1;
  m.project.Radius = 1;
  setRows(m.tables.D(), {{100}, {120}});
  setRows(m.tables.MultiElement(), {{0.5}, {0.75}, {3}});
  TSceneExtents e = GetMaxDims(m.project);
  EXPECT_TRUE(e.HasSideSoil);
  EXPECT_NEAR(e.SideSoilDepth, 1.25L, kTol);  // the first two elements, beside the side soil
  EXPECT_NEAR(e.ZBottom, -1.25L, kTol);

  m.project.FoundationType = "HALF-SPACE";
  setRows(m.tables.D1(), {{2}, {3}});
  e = GetMaxDims(m.project);
  EXPECT_NEAR(e.SideSoilDepth, 5.0L, kTol);
  EXPECT_NEAR(e.ZBottom, -10.0L, kTol);  // the layers once more below
}

TEST(BlockScene, SoilBoxesOfHalfSpaceSkipEmptyRowsAndEndWithBottom) {
  FakeMain m;
  m.project.FoundationType = "HALF-SPACE";
  m.project.CircularShape = 0;
  m.project.LengthX = 4;
  m.project.WidthCopy = 6;
  setRows(m.tables.D1(), {{2}, {0}, {3}});
  const auto boxes = SoilBoxes(m.project, GetMaxDims(m.project));
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].LayerLabel, "Side Cap 1");
  EXPECT_EQ(boxes[0].Top, 0.0L);
  EXPECT_EQ(boxes[0].Bottom, -2.0L);
  EXPECT_EQ(boxes[0].ColorIndex, 0);
  EXPECT_EQ(boxes[1].LayerLabel, "Side Cap 3");
  EXPECT_EQ(boxes[1].Bottom, -5.0L);
  EXPECT_EQ(boxes[1].ColorIndex, 1);  // the empty row used no colour
  EXPECT_EQ(boxes[2].Group, 3);
  EXPECT_EQ(boxes[2].LayerLabel, "Bottom");
  EXPECT_EQ(boxes[2].Bottom, -8.0L);  // half the larger plan size, 3
  EXPECT_EQ(boxes[2].ColorIndex, 4);
}

TEST(BlockScene, SoilColoursWrapAfterTwelveAndBottomTakesFiveAfterFive) {
  FakeMain m;
  m.project.FoundationType = "HALF-SPACE";
  m.project.CircularShape = 1;
  m.project.Radius = 1;
  setRows(m.tables.D1(), {{1}, {1}, {1}, {1}, {1}});
  auto boxes = SoilBoxes(m.project, GetMaxDims(m.project));
  ASSERT_EQ(boxes.size(), 6u);
  EXPECT_EQ(boxes[5].ColorIndex, 5);

  setRows(m.tables.D1(), {{1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}, {1}});
  boxes = SoilBoxes(m.project, GetMaxDims(m.project));
  ASSERT_EQ(boxes.size(), 14u);
  EXPECT_EQ(boxes[11].ColorIndex, 11);
  EXPECT_EQ(boxes[12].ColorIndex, 0);
  EXPECT_EQ(boxes[13].ColorIndex, 4);
  EXPECT_EQ(boxes[13].Top, -13.0L);

  EXPECT_EQ(SoilColor(5), SoilColor(0));
  EXPECT_EQ(SoilColor(8), SoilColor(4));
  EXPECT_EQ(SoilColor(12), SoilColor(0));
  EXPECT_EQ(SoilColor(-1), SoilColor(0));
  EXPECT_EQ(SoilColor(1), (std::array<Extended, 3>{0.8L, 0.55L, 0}));
}

TEST(BlockScene, SoilBoxesOfMultilayerStratumAndPile) {
  FakeMain m;
  m.project.FoundationType = "MULTILAYER";
  m.project.CircularShape = 1;
  m.project.Radius = 2;
  setRows(m.tables.D(), {{100}, {100}});
  setRows(m.tables.Multisoil(), {{200}, {300}});
  setRows(m.tables.MultiElement(), {{1}, {2}, {4}});
  auto boxes = SoilBoxes(m.project, GetMaxDims(m.project));
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].LayerLabel, "Side Cap 1");
  EXPECT_EQ(boxes[1].LayerLabel, "Side Cap 2");
  EXPECT_EQ(boxes[1].Bottom, -3.0L);
  EXPECT_EQ(boxes[2].LayerLabel, "Side Column 1");
  EXPECT_EQ(boxes[2].Bottom, -7.0L);
  // The second column layer has no element row left: it is left out.
  EXPECT_EQ(boxes[3].LayerLabel, "Bottom");
  EXPECT_EQ(boxes[3].Bottom, -9.0L);

  m.project.FoundationType = "STRATUM";
  m.project.BedrockDepth = 7.5;
  boxes = SoilBoxes(m.project, GetMaxDims(m.project));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].LayerLabel, "Stratum");
  EXPECT_EQ(boxes[0].Bottom, -7.5L);
  EXPECT_EQ(boxes[0].ColorIndex, 0);

  PileProject p;
  boxes = SoilBoxes(p.project, GetMaxDims(p.project));
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[2].LayerLabel, "Side Pile 1");
  EXPECT_EQ(boxes[2].Top, -2.0L);
  EXPECT_EQ(boxes[3].LayerLabel, "Side Pile 2");
  EXPECT_EQ(boxes[3].Bottom, -12.0L);
}

TEST(BlockScene, DepthLabels) {
  EXPECT_EQ(GetValueLabel(0), "0.000E+00");
  EXPECT_EQ(GetValueLabel(-0.0L), "0.000E+00");
  EXPECT_EQ(GetValueLabel(0.001L), "1.000E-03");
  EXPECT_EQ(GetValueLabel(0.0011L), "0.001");
  EXPECT_EQ(GetValueLabel(12.5L), "12.500");
  EXPECT_EQ(GetValueLabel(-3.25L), "-3.250");
  EXPECT_EQ(GetValueLabel(99999.9L), "99999.900");
  EXPECT_EQ(GetValueLabel(100000), "1.000E+05");
  EXPECT_EQ(GetValueLabel(-123456), "-1.235E+05");
}

TEST(BlockScene, BatteredPileEndsFollowTheirPlanes) {
  PileProject m;
  const TSceneExtents e = GetMaxDims(m.project);
  TDisplayOptions options;
  options.PileNumbersVisible = true;
  TViewState view;
  RecordingCanvas gl;
  TBlockScene scene(gl, m.project, e, options, view);
  scene.DrawAllPiles();

  const std::vector<Disc> discs = discsOf(gl, 0.5L);  // radius from rx, ry
  ASSERT_EQ(discs.size(), 6u);  // a head and a tip disc per pile
  const Extended r30 = std::numbers::pi_v<Extended> / 6, r20 = std::numbers::pi_v<Extended> / 9;
  // Heads at the base of the side soil.
  EXPECT_VEC_F(discs[0].centre, 1, 2, -2);
  EXPECT_VEC_F(discs[2].centre, -3, 0, -2);
  EXPECT_VEC_F(discs[4].centre, 0, 4, -2);
  // Tips 10 along the pile: XZ-Plane leans to +x, YZ-Plane to +y.
  EXPECT_VEC_F(discs[1].centre, 1, 2, -12);
  EXPECT_VEC_F(discs[3].centre, -3 + 10 * std::sin(static_cast<double>(r30)), 0,
               -2 - 10 * std::cos(static_cast<double>(r30)));
  EXPECT_VEC_F(discs[5].centre, 0, 4 + 10 * std::sin(static_cast<double>(r20)),
               -2 - 10 * std::cos(static_cast<double>(r20)));
  // The head disc faces up, the tip disc down.
  EXPECT_GT(discs[0].normal[2], 0);
  EXPECT_LT(discs[1].normal[2], 0);
  // With two segments the tip disc keeps the pile colour.
  EXPECT_EQ(discs[1].colour[0], 0.5L);

  // Numbers at the pile heads on the ground line, in red.
  ASSERT_EQ(gl.texts.size(), 3u);
  EXPECT_EQ(gl.texts[2].text, "3");
  EXPECT_VEC(gl.texts[2].at, 0, 4, 0);
  EXPECT_EQ(gl.texts[2].colour, (std::array<Extended, 4>{1, 0, 0, 1}));
  EXPECT_VEC((Vec3{gl.modelView[12], gl.modelView[13], gl.modelView[14]}), 0, 0, 0);  // transforms undone
  EXPECT_NEAR(static_cast<double>(gl.modelView[0]), 1, 1e-12);
  EXPECT_EQ(gl.stackDepth(), 0);
}

TEST(BlockScene, PilesAreFewArraysWithSegmentsMergedAndThinnedByTheirWidthOnScreen) {
  PileProject m;  // three piles of two segments, radius 0.5
  const TSceneExtents e = GetMaxDims(m.project);
  TDisplayOptions options;
  TViewState view;
  auto draw = [&](Extended pixelsPerUnit) {
    view.FitScale = pixelsPerUnit;
    RecordingCanvas gl;
    TBlockScene(gl, m.project, e, options, view).DrawAllPiles();
    EXPECT_EQ(gl.primitives.size(), 3u);  // all sides, all end discs, all rims
    return gl;
  };
  // 50 pixels wide: 32 sides. Two segments of one radius are one cylinder:
  // per pile 32 side quads (2 x 32 triangles) and 32 triangles for each end disc.
  EXPECT_EQ(pileTriangles(draw(100)), 3u * (2 * 32 + 2 * 32));
  // 2 pixels wide: 8 sides keep the outline within 2 (1 - cos(pi/8)) = 0.15 pixel.
  EXPECT_EQ(pileTriangles(draw(4)), 3u * (2 * 8 + 2 * 8));
  // A second radius makes a second cylinder.
  setRows(m.tables.PileData(), {{6, 0.3, 0.4}, {4, 0.3, 0.3}});
  EXPECT_EQ(pileTriangles(draw(100)), 3u * (2 * 2 * 32 + 2 * 32));
  // Radii 0.5 and 0.4924 are 0.76 pixel apart at 100 pixels a metre: two
  // cylinders; at 4 pixels a metre 0.03 pixel, within a quarter pixel: one.
  setRows(m.tables.PileData(), {{6, 0.3, 0.4}, {4, 0.3, 0.39}});
  EXPECT_EQ(pileTriangles(draw(100)), 3u * (2 * 2 * 32 + 2 * 32));
  EXPECT_EQ(pileTriangles(draw(4)), 3u * (2 * 8 + 2 * 8));
}

TEST(BlockScene, OneSegmentPileWithoutSideSoil) {
  PileProject m;
  setRows(m.tables.pilecapsoil(), {{0}});
  setRows(m.tables.PileData(), {{8, 0.5, 0}});
  setRows(m.tables.Pilecoord(), {{0, 0, 0, 1}});
  const TSceneExtents e = GetMaxDims(m.project);
  EXPECT_NEAR(e.SideSoilDepth, 0.45L, kTol);  // 0.15 x width 3
  TDisplayOptions options;
  options.PileNumbersVisible = true;
  TViewState view;
  RecordingCanvas gl;
  TBlockScene(gl, m.project, e, options, view).DrawAllPiles();
  const std::vector<Disc> discs = discsOf(gl, 0.5L);
  ASSERT_EQ(discs.size(), 2u);
  EXPECT_VEC_F(discs[0].centre, 0, 0, 0);   // head on the ground line
  EXPECT_VEC_F(discs[1].centre, 0, 0, -8);  // tip
  EXPECT_EQ(discs[1].colour, (std::array<Extended, 4>{1, 0.5L, 0, 1}));  // the outline colour
  // Both rims in the outline colour: one line per side of each circle.
  ASSERT_EQ(gl.primitives.size(), 4u);  // grey sides and head disc, the outlined tip, the rims
  EXPECT_EQ(gl.primitives[3].mode, RecordingCanvas::Lines());
  EXPECT_EQ(gl.primitives[3].vertices.size(), 2u * 2u * static_cast<unsigned>(discs[0].triangles));
  EXPECT_EQ(gl.primitives[3].colour, (std::array<Extended, 4>{1, 0.5L, 0, 1}));
  ASSERT_EQ(gl.texts.size(), 1u);
  EXPECT_VEC(gl.texts[0].at, 0, 0, 0.45);  // the number on top of the block
}

TEST(BlockScene, FoundationBlockFacesWindOutward) {
  PileProject m;
  const TSceneExtents e = GetMaxDims(m.project);
  TDisplayOptions options;
  TViewState view;
  RecordingCanvas gl;
  TBlockScene(gl, m.project, e, options, view).DrawPileCap();
  std::vector<const Primitive*> faces;
  Extended zMin = 1e9, zMax = -1e9, xMax = -1e9, yMax = -1e9;
  for (const auto& p : gl.primitives) {
    for (const auto& v : p.vertices) {
      zMin = std::min(zMin, v[2]), zMax = std::max(zMax, v[2]);
      xMax = std::max(xMax, v[0]), yMax = std::max(yMax, v[1]);
    }
    if (p.mode == RecordingCanvas::TriangleFan()) faces.push_back(&p);
  }
  ASSERT_EQ(faces.size(), 6u);
  EXPECT_NEAR(static_cast<double>(zMin), -2, 1e-12);  // from the side-soil base
  EXPECT_NEAR(static_cast<double>(zMax), 0, 1e-12);   // to the ground line
  EXPECT_NEAR(static_cast<double>(xMax), 2, 1e-12);
  EXPECT_NEAR(static_cast<double>(yMax), 1.5, 1e-12);
  for (const Primitive* f : faces) {
    const Vec3 n = normalOf(*f);
    const Vec3& c = f->vertices[0];
    const Vec3 out{c[0], c[1], c[2] + 1};  // from the block centre (0, 0, -1)
    EXPECT_GT(n[0] * out[0] + n[1] * out[1] + n[2] * out[2], 0);
    EXPECT_EQ(f->colour, (std::array<Extended, 4>{0.25L, 0.25L, 0.25L, 1}));
  }

  // A cylinder: the side quads and both discs face outward as well.
  m.project.CircularShape = 1;
  m.project.Radius = 1;
  RecordingCanvas cyl;
  TBlockScene(cyl, m.project, GetMaxDims(m.project), options, view).DrawPileCap();
  int outward = 0, fans = 0;
  for (const auto& p : cyl.primitives) {
    if (p.mode != RecordingCanvas::TriangleFan()) continue;
    ++fans;
    const Vec3 n = normalOf(p);
    Vec3 mid{0, 0, 0};
    for (const auto& v : p.vertices) mid = {mid[0] + v[0], mid[1] + v[1], mid[2] + v[2]};
    const auto k = static_cast<Extended>(p.vertices.size());
    const Vec3 out{mid[0] / k, mid[1] / k, mid[2] / k + 0.5L};
    if (n[0] * out[0] + n[1] * out[1] + n[2] * out[2] > 0) ++outward;
  }
  EXPECT_EQ(fans, 34);
  EXPECT_EQ(outward, 34);
}

TEST(BlockScene, SoilLayersWithTheirLabels) {
  FakeMain m;
  m.project.FoundationType = "HALF-SPACE";
  m.project.CircularShape = 0;
  m.project.LengthX = 4;
  m.project.WidthCopy = 2;
  setRows(m.tables.D1(), {{2.5}});
  const TSceneExtents e = GetMaxDims(m.project);
  TDisplayOptions options;
  options.SoilDepthLabelsVisible = true;
  options.SoilLayerLabelsVisible = true;
  TViewState view;
  RecordingCanvas gl;
  TBlockScene(gl, m.project, e, options, view).DrawSoilLayers();
  std::vector<std::string> texts;
  for (const auto& t : gl.texts) texts.push_back(t.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"0.000E+00", "Side Cap 1", "2.500", "Bottom", "Bottom"}));
  EXPECT_VEC(gl.texts[0].at, -4, -2, 0);     // XMin - ExtentX / 2, YMin - ExtentY / 2
  EXPECT_VEC(gl.texts[1].at, 4, 2, -1.25);   // XMax + ExtentX / 2, YMax + ExtentY / 2, mid-layer
  EXPECT_VEC(gl.texts[3].at, -4, -2, -4.5);  // bottom of the last box (2 below)
  // Each box is twice the plan extent wide, half transparent.
  Extended xMax = -1e9;
  for (const auto& p : gl.primitives)
    for (const auto& v : p.vertices) xMax = std::max(xMax, v[0]);
  EXPECT_NEAR(static_cast<double>(xMax), 4, 1e-12);
  EXPECT_EQ(gl.primitives.front().colour[3], 0.5L);
  EXPECT_EQ(gl.capabilities.front(), std::make_pair(RecordingCanvas::Blend(), true));
  EXPECT_EQ(gl.capabilities.back(), std::make_pair(RecordingCanvas::Blend(), false));

  options.SoilLayersVisible = false;
  RecordingCanvas none;
  TBlockScene(none, m.project, e, options, view).DrawSoilLayers();
  EXPECT_TRUE(none.primitives.empty());
}

TEST(BlockScene, FrameTurnsZUpAndKeepsTheAxisCrossEightyPixelsLong) {
  PileProject m;
  const TSceneExtents e = GetMaxDims(m.project);
  TDisplayOptions options;
  TViewState view;
  view.ZoomScale = 2.5L;
  RecordingCanvas gl;
  gl.width = 450;
  gl.height = 300;
  TBlockScene scene(gl, m.project, e, options, view);
  scene.glSetupRC(450, 300);
  EXPECT_NEAR(view.FitScale, 250.0L / 14, kTol);
  EXPECT_EQ(gl.ortho[0], -225.0L);
  EXPECT_EQ(gl.ortho[3], 150.0L);
  EXPECT_EQ(gl.clearColour, (std::array<Extended, 4>{1, 1, 1, 1}));
  // The lists were compiled in order: foundation, piles, soil.
  ASSERT_FALSE(gl.primitives.empty());
  EXPECT_EQ(gl.primitives.front().list, 1u);
  EXPECT_EQ(gl.primitives.back().list, 3u);

  gl.primitives.clear();
  scene.DrawFigure();
  EXPECT_EQ(gl.calledLists, (std::vector<unsigned>{1, 2, 3, 4}));
  EXPECT_EQ(gl.stackDepth(), 0);
  // World Z points up the screen, scaled by zoom x fit.
  const Extended s = 2.5L * view.FitScale;
  const Vec3 up = mapPoint(view.ModelViewSnapshot, {0, 0, 1});
  const Vec3 o = mapPoint(view.ModelViewSnapshot, {0, 0, 0});
  EXPECT_NEAR(static_cast<double>(up[0] - o[0]), 0, 1e-9);
  EXPECT_NEAR(static_cast<double>(up[1] - o[1]), static_cast<double>(s), 1e-9);
  EXPECT_NEAR(static_cast<double>(up[2] - o[2]), 0, 1e-9);
  // Three axis lines, each 80 pixels on the screen.
  ASSERT_EQ(gl.primitives.size(), 3u);
  for (const auto& line : gl.primitives) {
    const Vec3 d{line.vertices[1][0] - line.vertices[0][0], line.vertices[1][1] - line.vertices[0][1],
                 line.vertices[1][2] - line.vertices[0][2]};
    EXPECT_NEAR(static_cast<double>(std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2])), 80, 1e-9);
  }
  EXPECT_EQ(gl.texts.size(), 3u);

  // Immediate mode draws the parts instead of calling the lists.
  view.ImmediateMode = true;
  RecordingCanvas direct;
  TBlockScene(direct, m.project, e, options, view).DrawFigure();
  EXPECT_TRUE(direct.calledLists.empty());
  EXPECT_EQ(std::count_if(direct.primitives.begin(), direct.primitives.end(), [](const Primitive& p) { return p.array; }),
            3);  // the piles' sides, end discs and rims
}

TEST(BlockScene, OpensWithTheWholeModelCentredInTheWindow) {
  PileProject m;
  const TSceneExtents e = GetMaxDims(m.project);
  TDisplayOptions options;
  options.AxesVisible = false;
  TViewState view;
  RestartView(view, e);
  view.ImmediateMode = true;
  RecordingCanvas gl;
  gl.width = 450;
  gl.height = 300;
  TBlockScene scene(gl, m.project, e, options, view);
  scene.glSetupRC(450, 300);
  scene.DrawFigure();
  // Vertices come out in pixels from the window centre.
  Extended lo[2] = {1e9, 1e9}, hi[2] = {-1e9, -1e9};
  for (const auto& p : gl.primitives)
    for (const auto& v : p.vertices)
      for (int k = 0; k < 2; ++k) lo[k] = std::min(lo[k], v[k]), hi[k] = std::max(hi[k], v[k]);
  // Centred both ways, 25 pixels to spare, and filling the height.
  EXPECT_NEAR(static_cast<double>(lo[0] + hi[0]), 0, 1e-3);
  EXPECT_NEAR(static_cast<double>(lo[1] + hi[1]), 0, 1e-3);
  EXPECT_LE(hi[0], 200.0L + 1e-3L);
  EXPECT_NEAR(static_cast<double>(hi[1]), 125, 1e-3);
}

TEST(BlockScene, EveryStandardViewShowsTheWholeModelFitted) {
  PileProject m;  // tall: the piles reach 14 below the ground, the batter 7.9 aside
  const TSceneExtents e = GetMaxDims(m.project);
  TDisplayOptions options;
  options.AxesVisible = false;
  for (const auto& [w, h] : {std::pair{450, 300}, std::pair{300, 450}})
    for (int preset = 1; preset <= 4; ++preset) {
      SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h) + ", view " + std::to_string(preset));
      TViewState view;
      RestartView(view, e);
      SetView(view, preset);
      view.ImmediateMode = true;
      RecordingCanvas gl;
      gl.width = w;
      gl.height = h;
      TBlockScene scene(gl, m.project, e, options, view);
      scene.glSetupRC(w, h);
      scene.DrawFigure();
      // Every vertex drawn, in pixels from the window centre, within the
      // window less 25 pixels on each side; along one axis the figure spans
      // most of that (the box round it is larger than what is drawn: the battered
      // piles lean one way only).
      Extended lo[2] = {1e9, 1e9}, hi[2] = {-1e9, -1e9};
      for (const auto& p : gl.primitives)
        for (const auto& v : p.vertices)
          for (int k = 0; k < 2; ++k) lo[k] = std::min(lo[k], v[k]), hi[k] = std::max(hi[k], v[k]);
      const Extended room[2] = {w / 2.0L - 25, h / 2.0L - 25};
      for (int k = 0; k < 2; ++k) {
        EXPECT_GE(lo[k], -room[k] - 1e-3L) << "axis " << k;
        EXPECT_LE(hi[k], room[k] + 1e-3L) << "axis " << k;
      }
      EXPECT_GT(std::max((hi[0] - lo[0]) / (2 * room[0]), (hi[1] - lo[1]) / (2 * room[1])), 0.75L);
    }
}

TEST(BlockScene, RubberBandIsDrawnInWindowPixelsFromTheCentre) {
  FakeMain m;
  m.project.CircularShape = 1;
  m.project.Radius = 1;
  TDisplayOptions options;
  options.AxesVisible = false;
  TViewState view;
  RecordingCanvas gl;  // 400 x 300
  const TSceneExtents e = GetMaxDims(m.project);
  TBlockScene scene(gl, m.project, e, options, view);
  view.ImmediateMode = true;
  options.FoundationVisible = false;
  options.SoilLayersVisible = false;
  TSelectionBox box;
  box.Active = true;
  box.DownX = 100, box.DownY = 50, box.CurrentX = 300, box.CurrentY = 250;
  scene.DrawFigure(box);
  ASSERT_EQ(gl.primitives.size(), 1u);
  const auto& band = gl.primitives[0];
  ASSERT_EQ(band.vertices.size(), 5u);
  EXPECT_VEC(band.vertices[0], -100, 100, 0);
  EXPECT_VEC(band.vertices[2], 100, -100, 0);
  EXPECT_VEC(band.vertices[4], -100, 100, 0);
  EXPECT_EQ(band.colour, (std::array<Extended, 4>{0, 1, 0, 1}));
}
