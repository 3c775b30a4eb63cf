#include "views/BlockScene.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "project/TProgramData.h"
#include "project/TProjectTables.h"
#include "views/PileArrays.h"

namespace zrv::front {

namespace {

using comp::TglCanvas;

constexpr int kSegments = 32;

// Sum of column 0 over the first `rows` rows (all rows when negative).
Extended columnSum(const TGridTable& table, int rows = -1) {
  const int n = rows < 0 ? table.RowCount() : std::min(rows, table.RowCount());
  Extended sum = 0;
  for (int r = 0; r < n; ++r) sum += cellValue(table, 0, r);
  return sum;
}

bool isType(const TProgramData& p, const char* type) { return p.FoundationType == type; }

// A box that grows to take in points.
struct Box {
  Extended lo[3] = {HUGE_VALL, HUGE_VALL, HUGE_VALL}, hi[3] = {-HUGE_VALL, -HUGE_VALL, -HUGE_VALL};
  void add(Extended x, Extended y, Extended z, Extended pad = 0) {
    const Extended p[3] = {x, y, z};
    for (int k = 0; k < 3; ++k) {
      if (!std::isfinite(p[k])) continue;
      lo[k] = std::min(lo[k], p[k] - pad);
      hi[k] = std::max(hi[k], p[k] + pad);
    }
  }
};

std::vector<TSoilBox> soilBoxes(const TProgramData& p, const TSceneExtents& e);

// The box round the foundation, the piles and the soil boxes, as drawn.
void frameModel(const TProgramData& p, TSceneExtents& e) {
  Box box;
  // The foundation block, as DrawPileCap places it.
  const Extended d = e.SideSoilDepth;
  Extended c = e.HasSideSoil ? -d / 2 : d / 2;
  if (isType(p, "STRATUM") && p.BaseDepth > 0) c -= p.BaseDepth;
  box.add(e.XMin, e.YMin, c - d / 2);
  box.add(e.XMax, e.YMax, c + d / 2);
  // The soil boxes, twice the plan extents wide about the centre.
  for (const TSoilBox& s : soilBoxes(p, e)) {
    box.add(e.CentreX - e.ExtentX, e.CentreY - e.ExtentY, s.Top);
    box.add(e.CentreX + e.ExtentX, e.CentreY + e.ExtentY, s.Bottom);
  }
  // Each pile from head to tip along its batter, padded by the largest radius.
  if (isType(p, "PILE")) {
    const TGridTable& coord = p.tables().Pilecoord();
    const TGridTable& data = p.tables().PileData();
    Extended radius = 0;
    for (int j = 0; j < data.RowCount(); ++j)
      radius = std::max(radius, std::hypot(cellValue(data, 1, j), cellValue(data, 2, j)));
    const Extended length = columnSum(data), head = e.HasSideSoil ? -d : 0;
    for (int i = 0; i < coord.RowCount(); ++i) {
      const Extended x = cellValue(coord, 0, i), y = cellValue(coord, 1, i);
      const Extended a = cellValue(coord, 2, i) * std::numbers::pi_v<Extended> / 180;
      const int plane = static_cast<int>(cellValue(coord, 3, i));
      const Extended lean = a != 0 && (plane == 1 || plane == 2) ? length * std::sin(a) : 0;
      const Extended drop = a != 0 && (plane == 1 || plane == 2) ? length * std::cos(a) : length;
      box.add(x, y, head, radius);
      box.add(x + (plane == 1 ? lean : 0), y + (plane == 2 ? lean : 0), head - drop, radius);
    }
  }
  Extended centre[3] = {0, 0, 0}, size[3] = {0, 0, 0};
  for (int k = 0; k < 3; ++k)
    if (box.lo[k] <= box.hi[k]) {
      centre[k] = (box.lo[k] + box.hi[k]) / 2;
      size[k] = box.hi[k] - box.lo[k];
    }
  e.FrameCentreX = centre[0], e.FrameCentreY = centre[1], e.FrameCentreZ = centre[2];
  e.FrameSizeX = size[0], e.FrameSizeY = size[1], e.FrameSizeZ = size[2];
}

}  // namespace

// --- frame ---------------------------------------------------------------------

TSceneExtents GetMaxDims(const TProgramData& p) {
  const TProjectTables& t = p.tables();
  const bool pile = isType(p, "PILE"), multi = isType(p, "MULTILAYER");
  const bool stratum = isType(p, "STRATUM"), halfSpace = isType(p, "HALF-SPACE");
  TSceneExtents e;
  if (pile) e.SideSoilDepth = columnSum(t.pilecapsoil());
  if (multi) e.SideSoilDepth = columnSum(t.MultiElement(), t.D().RowCount());
  if (stratum || halfSpace) e.SideSoilDepth = columnSum(t.D1());

  if (p.CircularShape != 0) {
    e.XMin = e.YMin = -p.Radius;
    e.XMax = e.YMax = p.Radius;
    e.HasSideSoil = e.SideSoilDepth >= 1e-5L;
    if (!e.HasSideSoil) e.SideSoilDepth = 0.3L * p.Radius;
    e.HalfSizeMax = p.Radius;
  } else {
    e.XMin = -p.LengthX / 2;
    e.XMax = p.LengthX / 2;
    e.YMin = -p.WidthCopy / 2;
    e.YMax = p.WidthCopy / 2;
    e.HasSideSoil = e.SideSoilDepth >= 1e-5L;
    if (!e.HasSideSoil) e.SideSoilDepth = 0.15L * p.WidthCopy;
    e.HalfSizeMax = std::max(p.LengthX / 2, p.WidthCopy / 2);
  }
  if (stratum && e.SideSoilDepth < p.BaseDepth) e.SideSoilDepth = p.BaseDepth;

  if (e.HasSideSoil) {
    e.ZTop = 0;
    e.ZBottom = -e.SideSoilDepth;
  } else {
    e.ZTop = e.SideSoilDepth;
    e.ZBottom = 0;
  }
  if (pile) e.ZBottom -= columnSum(t.PileData());
  if (stratum || halfSpace) e.ZBottom -= columnSum(t.D1());

  e.ExtentX = e.XMax - e.XMin;
  e.ExtentY = e.YMax - e.YMin;
  e.ExtentZ = e.ZTop - e.ZBottom;
  e.LargestDim = std::max({std::fabs(e.ExtentZ), std::fabs(e.XMax), std::fabs(e.YMax), std::fabs(e.ZTop),
                           std::fabs(e.XMin), std::fabs(e.YMin), std::fabs(e.ZBottom)});
  e.MinPlanExtent = std::min(e.ExtentX, e.ExtentY);
  e.CentreX = (e.XMin + e.XMax) / 2;
  e.CentreY = (e.YMin + e.YMax) / 2;
  frameModel(p, e);
  return e;
}

bool SameFrame(const TSceneExtents& a, const TSceneExtents& b) {
  const auto same = [](Extended x, Extended y) { return x == y || (std::isnan(x) && std::isnan(y)); };
  const Extended TSceneExtents::* const fields[] = {
      &TSceneExtents::SideSoilDepth, &TSceneExtents::HalfSizeMax,  &TSceneExtents::XMin,
      &TSceneExtents::XMax,          &TSceneExtents::YMin,         &TSceneExtents::YMax,
      &TSceneExtents::ZTop,          &TSceneExtents::ZBottom,      &TSceneExtents::ExtentX,
      &TSceneExtents::ExtentY,       &TSceneExtents::ExtentZ,      &TSceneExtents::LargestDim,
      &TSceneExtents::MinPlanExtent, &TSceneExtents::CentreX,      &TSceneExtents::CentreY,
      &TSceneExtents::FrameCentreX,  &TSceneExtents::FrameCentreY, &TSceneExtents::FrameCentreZ,
      &TSceneExtents::FrameSizeX,    &TSceneExtents::FrameSizeY,   &TSceneExtents::FrameSizeZ};
  if (a.HasSideSoil != b.HasSideSoil) return false;
  for (const auto field : fields)
    if (!same(a.*field, b.*field)) return false;
  return true;
}

Extended FitScaleFor(const TSceneExtents& e, int w, int h, Extended angleX, Extended angleY, Extended angleZ) {
  // The rotation of a frame: world Z turned up the screen, then the view
  // angles about x, y and z, as DrawFigure applies them.
  using Matrix = std::array<std::array<Extended, 3>, 3>;
  const auto rotation = [](Extended degrees, std::size_t axis) {
    const Extended a = degrees * std::numbers::pi_v<Extended> / 180, c = std::cos(a), s = std::sin(a);
    const std::size_t i = (axis + 1) % 3, j = (axis + 2) % 3;
    Matrix r{};
    r[axis][axis] = 1;
    r[i][i] = c;
    r[i][j] = -s;
    r[j][i] = s;
    r[j][j] = c;
    return r;
  };
  const auto times = [](const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (std::size_t r = 0; r < 3; ++r)
      for (std::size_t c = 0; c < 3; ++c)
        for (std::size_t k = 0; k < 3; ++k) m[r][c] += a[r][k] * b[k][c];
    return m;
  };
  const Matrix m = times(times(times(rotation(-90, 0), rotation(angleX, 0)), rotation(angleY, 1)),
                         rotation(angleZ, 2));
  // The model's box on the screen: each screen axis takes the box's sides
  // weighted by how far they turn onto it.
  const Extended size[3] = {e.FrameSizeX, e.FrameSizeY, e.FrameSizeZ};
  Extended across = 0, up = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    across += std::fabs(m[0][k]) * size[k];
    up += std::fabs(m[1][k]) * size[k];
  }
  const auto fit = [](int pixels, Extended length) {
    const Extended s = (pixels - 50) / length;
    return std::isfinite(s) && s > 0 ? s : 1;
  };
  return std::min(fit(h, up), fit(w, across));
}

Extended OrthoDepth(const TSceneExtents& e, int w, int h) {
  if (e.MinPlanExtent != 0) return 640 * (e.LargestDim / e.MinPlanExtent) * std::min(w, h) / 2.0L;
  return std::max(w, h) / 2.0L;
}

// --- soil ----------------------------------------------------------------------

std::vector<TSoilBox> SoilBoxes(const TProgramData& p, const TSceneExtents& e) { return soilBoxes(p, e); }

namespace {

std::vector<TSoilBox> soilBoxes(const TProgramData& p, const TSceneExtents& e) {
  const TProjectTables& t = p.tables();
  const bool pile = isType(p, "PILE"), multi = isType(p, "MULTILAYER");
  const bool stratum = isType(p, "STRATUM"), halfSpace = isType(p, "HALF-SPACE");

  // Row count of a group and the thickness of its row i.
  struct Group {
    int rows = 1;
    const TGridTable* table = nullptr;  // column 0 holds the thickness
    Extended fixed = 0;                 // used when there is no table
  };
  Group g1{1, nullptr, e.HalfSizeMax}, g2{1, nullptr, e.HalfSizeMax};
  const Group g3{1, nullptr, e.HalfSizeMax};
  if (pile) {
    g1 = {t.pilecapsoil().RowCount(), &t.pilecapsoil(), 0};
    g2 = {t.PileData().RowCount(), &t.PileData(), 0};
  } else if (halfSpace) {
    g1 = {t.D1().RowCount(), &t.D1(), 0};
    g2 = {0, nullptr, 0};
  } else if (stratum) {
    g1 = {0, nullptr, 0};
    g2 = {1, nullptr, p.BedrockDepth};
  } else if (multi) {
    g1 = {t.D().RowCount(), nullptr, 0};
    g2 = {t.Multisoil().RowCount(), nullptr, 0};
  }

  std::vector<TSoilBox> boxes;
  Extended top = 0;
  int colour = 0;
  int element = 0;  // MULTILAYER: the next MultiElement row, advanced per drawn layer
  const Group* groups[3] = {&g1, &g2, &g3};
  for (int g = 1; g <= 3; ++g) {
    const Group& group = *groups[g - 1];
    for (int row = 0; row < group.rows; ++row) {
      Extended h = group.fixed;
      if (group.table) {
        h = cellValue(*group.table, 0, row);
      } else if (multi && g < 3) {
        // Rows beyond the element table have no thickness and are left out.
        h = element < t.MultiElement().RowCount() ? cellValue(t.MultiElement(), 0, element) : 0;
      }
      if (h == 0) continue;
      if (colour > 11) colour = 0;
      TSoilBox box;
      box.Group = g;
      box.Row = row;
      box.Top = top;
      box.Bottom = top - h;
      box.ColorIndex = g == 3 ? (colour == 5 ? 5 : 4) : colour;
      const std::string number = std::to_string(row + 1);
      if (g == 1)
        box.LayerLabel = "Side Cap " + number;
      else if (g == 2)
        box.LayerLabel = stratum ? "Stratum" : multi ? "Side Column " + number : "Side Pile " + number;
      else
        box.LayerLabel = "Bottom";
      boxes.push_back(box);
      if (multi && g < 3) ++element;
      ++colour;
      top = box.Bottom;
    }
  }
  return boxes;
}

}  // namespace

std::array<Extended, 3> SoilColor(int index) {
  // Red, green, blue by index.
  static constexpr Extended table[12][3] = {{0, 0.5L, 0.5L},        //
                                            {0.8L, 0.55L, 0},       //
                                            {0.55L, 0.4L, 0.2L},    //
                                            {0.4L, 0.4L, 0.2L},     //
                                            {0.4L, 0.4L, 0.55L},    //
                                            {0, 0.5L, 0.5L},        //
                                            {0.2L, 0.2L, 0.55L},    //
                                            {0.8L, 0, 0.8L},        //
                                            {0.4L, 0.4L, 0.55L},    //
                                            {0.15L, 0.15L, 0.45L},  //
                                            {0.65L, 0.4L, 0.2L},    //
                                            {0.4L, 0.5L, 0.55L}};
  if (index < 0 || index > 11) index = 0;
  return {table[index][0], table[index][1], table[index][2]};
}

std::string GetValueLabel(Extended value) {
  double v = static_cast<double>(value);
  if (v == 0) v = 0;  // no "-0"
  const double a = std::fabs(v);
  char buffer[64];
  if (a <= 0.001 || a >= 100000)
    std::snprintf(buffer, sizeof buffer, "%.3E", v);
  else
    std::snprintf(buffer, sizeof buffer, "%.3f", v);
  return buffer;
}

// --- drawing -------------------------------------------------------------------

TBlockScene::TBlockScene(comp::TglCanvas& gl, const TProgramData& project, const TSceneExtents& extents,
                         const TDisplayOptions& options, TViewState& view)
    : m_gl(gl), m_project(project), m_ext(extents), m_options(options), m_view(view) {}

void TBlockScene::glSetupRC(int w, int h) {
  m_gl.GetError();
  m_gl.ClearColor(1, 1, 1, 1);
  m_gl.Clear(TglCanvas::ColorBufferBit());
  m_gl.MatrixMode(TglCanvas::Projection());
  m_gl.LoadIdentity();
  SetOrtho();
  m_view.FitScale = FitScaleFor(m_ext, w, h, m_view.FitAngleX, m_view.FitAngleY, m_view.FitAngleZ);
  if (m_view.ImmediateMode) return;
  m_gl.NewList(1, TglCanvas::Compile());
  DrawPileCap();
  m_gl.EndList();
  m_gl.NewList(2, TglCanvas::Compile());
  DrawAllPiles();
  m_gl.EndList();
  m_gl.NewList(3, TglCanvas::Compile());
  DrawSoilLayers();
  m_gl.EndList();
  m_gl.NewList(4, TglCanvas::Compile());
  DrawLoading();
  m_gl.EndList();
}

void TBlockScene::SetOrtho() {
  const int w = m_gl.ViewWidth(), h = m_gl.ViewHeight();
  const Extended f = OrthoDepth(m_ext, w, h);
  m_gl.Ortho(-w / 2.0L, w / 2.0L, -h / 2.0L, h / 2.0L, -f, f);
}

void TBlockScene::snapshot() { m_view.ModelViewSnapshot = m_gl.GetMatrix(TglCanvas::ModelViewMatrix()); }

void TBlockScene::DrawFigure(const TSelectionBox& selection) {
  m_gl.Clear(TglCanvas::ColorBufferBit());
  m_gl.Clear(TglCanvas::DepthBufferBit());
  m_gl.MatrixMode(TglCanvas::ModelView());
  m_gl.LoadIdentity();
  snapshot();

  m_gl.SetShading(TglCanvas::Smooth());
  m_gl.Enable(TglCanvas::DepthTest());
  m_gl.Enable(TglCanvas::CullFace());

  m_gl.PushMatrix();
  m_gl.Rotate(-90, 1, 0, 0);  // world Z up on the screen

  m_gl.PushMatrix();
  m_gl.Rotate(m_view.AngleX, 1, 0, 0);
  m_gl.Rotate(m_view.AngleY, 0, 1, 0);
  m_gl.Rotate(m_view.AngleZ, 0, 0, 1);
  snapshot();

  m_gl.PushMatrix();
  m_gl.Enable(TglCanvas::DepthTest());
  m_gl.Scale(m_view.ZoomScale, m_view.ZoomScale, m_view.ZoomScale);
  snapshot();
  m_gl.Scale(m_view.FitScale, m_view.FitScale, m_view.FitScale);
  snapshot();
  m_gl.Translate(m_view.PanX, 0, 0);
  m_gl.Translate(0, m_view.PanY, 0);
  m_gl.Translate(0, 0, m_view.PanZ);
  snapshot();
  m_gl.Enable(TglCanvas::DepthTest());

  if (!m_view.ImmediateMode) {
    for (unsigned list = 1; list <= 4; ++list) m_gl.CallList(list);
  } else {
    DrawPileCap();
    DrawAllPiles();
    DrawSoilLayers();
    DrawLoading();
  }

  m_gl.Disable(TglCanvas::DepthTest());
  if (m_options.AxesVisible) DrawAxes();

  m_gl.PopMatrix();
  m_gl.PopMatrix();
  m_gl.PopMatrix();
  if (selection.Active) DrawSelectionBox(selection);
}

void TBlockScene::DrawPileCap() {
  if (!m_options.FoundationVisible) return;
  const Extended d = m_ext.SideSoilDepth;
  Extended c = m_ext.HasSideSoil ? -d / 2 : d / 2;
  if (isType(m_project, "STRATUM") && m_project.BaseDepth > 0) c -= m_project.BaseDepth;
  m_gl.Translate(0, 0, c);
  if (m_project.CircularShape != 0) {
    m_gl.SetColor(0.25L, 0.25L, 0.25L, 1);
    DrawSolidCylinder3DZ(m_project.Radius, d);
    m_gl.SetColor(1, 0.5L, 0, 1);
    DrawCylinder3DZ(m_project.Radius, d);
  } else {
    m_gl.SetColor(0.25L, 0.25L, 0.25L, 1);
    DrawSolidPara3D(m_project.LengthX, m_project.WidthCopy, d);
    m_gl.SetColor(1, 0.5L, 0, 1);
    DrawPara3D(m_project.LengthX, m_project.WidthCopy, d);
  }
  m_gl.Translate(0, 0, -c);
}

void TBlockScene::DrawAllPiles() {
  if (!m_options.PilesVisible || !isType(m_project, "PILE")) return;
  const TGridTable& coord = m_project.tables().Pilecoord();
  const Extended side = m_ext.SideSoilDepth;
  if (m_ext.HasSideSoil) m_gl.Translate(0, 0, -side);
  // All piles in a few arrays: the grey sides and end discs, then the
  // outlined tip discs of one-segment piles and the rims.
  const TPileArrays arrays = BuildPileArrays(m_project, m_view.FitScale * m_view.ZoomScale);
  m_gl.SetColor(0.5L, 0.5L, 0.5L, 1);
  m_gl.DrawElements(TglCanvas::Quads(), arrays.quads.vertices, arrays.quads.indices);
  m_gl.DrawElements(TglCanvas::Triangles(), arrays.triangles.vertices, arrays.triangles.indices);
  m_gl.SetColor(1, 0.5L, 0, 1);
  m_gl.DrawElements(TglCanvas::Triangles(), arrays.outlined.vertices, arrays.outlined.indices);
  m_gl.DrawElements(TglCanvas::Lines(), arrays.rims.vertices, arrays.rims.indices);
  if (m_ext.HasSideSoil) m_gl.Translate(0, 0, side);

  if (m_options.PileNumbersVisible) {
    m_gl.Disable(TglCanvas::DepthTest());
    m_gl.SetColor(1, 0, 0, 1);
    if (!m_ext.HasSideSoil) m_gl.Translate(0, 0, side);
    for (int i = 0; i < coord.RowCount(); ++i)
      m_gl.DrawText(std::to_string(i + 1), cellValue(coord, 0, i), cellValue(coord, 1, i), 0);
    m_gl.Enable(TglCanvas::DepthTest());
    if (!m_ext.HasSideSoil) m_gl.Translate(0, 0, -side);
  }
}

void TBlockScene::DrawSoilLayers() {
  if (!m_options.SoilLayersVisible) return;
  m_gl.Enable(TglCanvas::Blend());
  m_gl.BlendFunc(TglCanvas::SrcAlpha(), TglCanvas::OneMinusSrcAlpha());
  const TSceneExtents& e = m_ext;
  for (const TSoilBox& box : SoilBoxes(m_project, e)) {
    const Extended t = box.Top, b = box.Bottom;
    SetColorLayer(box.ColorIndex, 0.5L);
    m_gl.Translate(e.CentreX, e.CentreY, (t + b) / 2);
    DrawPara3D(2 * e.ExtentX, 2 * e.ExtentY, t - b);
    DrawSolidPara3D(2 * e.ExtentX, 2 * e.ExtentY, t - b);
    m_gl.Translate(-e.CentreX, -e.CentreY, -(t + b) / 2);
    if (m_options.SoilDepthLabelsVisible) {
      m_gl.Disable(TglCanvas::DepthTest());
      m_gl.SetColor(0, 0, 0, 1);
      const Extended lx = e.XMin - e.ExtentX / 2, ly = e.YMin - e.ExtentY / 2;
      m_gl.DrawText(GetValueLabel(-t), lx, ly, t);
      if (box.Group == 3) m_gl.DrawText("Bottom", lx, ly, b);
      m_gl.Enable(TglCanvas::DepthTest());
    }
    if (m_options.SoilLayerLabelsVisible) {
      m_gl.Disable(TglCanvas::DepthTest());
      m_gl.SetColor(0, 0, 0, 1);
      m_gl.DrawText(box.LayerLabel, e.XMax + e.ExtentX / 2, e.YMax + e.ExtentY / 2, (t + b) / 2);
      m_gl.Enable(TglCanvas::DepthTest());
    }
  }
  m_gl.Disable(TglCanvas::Blend());
}

void TBlockScene::DrawAxes() {
  const Extended s = m_view.ZoomScale * m_view.FitScale;
  const Extended l = s == 0 ? 0 : 80 / s;
  m_gl.SetColor(0, 0, 1, 1);
  m_gl.BeginPrimitive(TglCanvas::Lines());
  m_gl.Vertex(0, 0, 0);
  m_gl.Vertex(l, 0, 0);
  m_gl.EndPrimitive();
  m_gl.DrawText("X", l, 0, 0);
  m_gl.SetColor(0, 1, 0, 0);
  m_gl.BeginPrimitive(TglCanvas::Lines());
  m_gl.Vertex(0, 0, 0);
  m_gl.Vertex(0, l, 0);
  m_gl.EndPrimitive();
  m_gl.DrawText("Y", 0, l, 0);
  m_gl.SetColor(1, 0, 0, 0);
  m_gl.BeginPrimitive(TglCanvas::Lines());
  m_gl.Vertex(0, 0, 0);
  m_gl.Vertex(0, 0, -l);
  m_gl.EndPrimitive();
  m_gl.DrawText("Z", 0, 0, -l);
}

void TBlockScene::DrawSelectionBox(const TSelectionBox& s) {
  const Extended w = m_gl.ViewWidth() / 2.0L, h = m_gl.ViewHeight() / 2.0L;
  m_gl.SetColor(0, 1, 0, 1);
  m_gl.BeginPrimitive(TglCanvas::LineStrip());
  m_gl.Vertex(s.DownX - w, h - s.DownY, 0);
  m_gl.Vertex(s.DownX - w, h - s.CurrentY, 0);
  m_gl.Vertex(s.CurrentX - w, h - s.CurrentY, 0);
  m_gl.Vertex(s.CurrentX - w, h - s.DownY, 0);
  m_gl.Vertex(s.DownX - w, h - s.DownY, 0);
  m_gl.EndPrimitive();
}

void TBlockScene::SetColorLayer(int index, Extended alpha) {
  const auto c = SoilColor(index);
  m_gl.SetColor(c[0], c[1], c[2], alpha);
}

// --- primitives ------------------------------------------------------------------

// A face on axis `axis` (0 x, 1 y, 2 z) at coordinate cn, with full sizes su,
// sv along the next two axes in cyclic order. With positive sizes it winds
// counter-clockwise seen from the positive side of its axis.
void TBlockScene::face(Extended su, Extended sv, Extended cn, int axis, bool filled) {
  auto vertex = [&](Extended u, Extended v) {
    if (axis == 0)
      m_gl.Vertex(cn, u, v);
    else if (axis == 1)
      m_gl.Vertex(v, cn, u);
    else
      m_gl.Vertex(u, v, cn);
  };
  const Extended a = su / 2, b = sv / 2;
  if (filled) {
    m_gl.BeginPrimitive(TglCanvas::TriangleFan());
    vertex(0, 0);
  } else {
    m_gl.BeginPrimitive(TglCanvas::LineStrip());
  }
  vertex(-a, -b);
  vertex(a, -b);
  vertex(a, b);
  vertex(-a, b);
  vertex(-a, -b);
  m_gl.EndPrimitive();
}

void TBlockScene::DrawSolidRectX(Extended x, Extended dy, Extended dz) { face(dy, dz, x, 0, true); }
void TBlockScene::DrawSolidRectY(Extended dx, Extended y, Extended dz) { face(dz, dx, y, 1, true); }
void TBlockScene::DrawSolidRectZ(Extended dx, Extended dy, Extended z) { face(dx, dy, z, 2, true); }
void TBlockScene::DrawRectX(Extended x, Extended dy, Extended dz) { face(dy, dz, x, 0, false); }
void TBlockScene::DrawRectY(Extended dx, Extended y, Extended dz) { face(dz, dx, y, 1, false); }
void TBlockScene::DrawRectZ(Extended dx, Extended dy, Extended z) { face(dx, dy, z, 2, false); }

void TBlockScene::para3D(Extended dx, Extended dy, Extended dz, bool filled) {
  // The two X faces, the two Y faces, the two Z faces.
  face(dy, dz, dx / 2, 0, filled);
  face(-dy, dz, -dx / 2, 0, filled);
  face(dz, dx, dy / 2, 1, filled);
  face(dz, -dx, -dy / 2, 1, filled);
  face(dx, dy, dz / 2, 2, filled);
  face(-dx, dy, -dz / 2, 2, filled);
}

void TBlockScene::DrawSolidPara3D(Extended dx, Extended dy, Extended dz) { para3D(dx, dy, dz, true); }
void TBlockScene::DrawPara3D(Extended dx, Extended dy, Extended dz) { para3D(dx, dy, dz, false); }

void TBlockScene::DrawCircleZ(Extended r) {
  m_gl.BeginPrimitive(TglCanvas::LineStrip());
  for (int i = 0; i <= kSegments; ++i) {
    const Extended angle = 2 * std::numbers::pi_v<Extended> * i / kSegments;
    m_gl.Vertex(r * std::cos(angle), r * std::sin(angle), 0);
  }
  m_gl.EndPrimitive();
}

void TBlockScene::DrawShadeCircleZ(Extended r) {
  m_gl.BeginPrimitive(TglCanvas::TriangleFan());
  m_gl.Vertex(0, 0, 0);
  for (int i = 0; i <= kSegments; ++i) {
    const Extended angle = 2 * std::numbers::pi_v<Extended> * i / kSegments;
    m_gl.Vertex(r * std::cos(angle), r * std::sin(angle), 0);
  }
  m_gl.EndPrimitive();
}

void TBlockScene::DrawShadeCylinderZ(Extended r, Extended length) {
  const Extended h = length / 2;
  for (int i = 0; i < kSegments; ++i) {
    const Extended a0 = 2 * std::numbers::pi_v<Extended> * i / kSegments;
    const Extended a1 = 2 * std::numbers::pi_v<Extended> * (i + 1) / kSegments;
    const Extended x0 = r * std::cos(a0), y0 = r * std::sin(a0);
    const Extended x1 = r * std::cos(a1), y1 = r * std::sin(a1);
    m_gl.BeginPrimitive(TglCanvas::TriangleFan());
    m_gl.Vertex(x0, y0, h);
    m_gl.Vertex(x0, y0, -h);
    m_gl.Vertex(x1, y1, -h);
    m_gl.Vertex(x1, y1, h);
    m_gl.EndPrimitive();
  }
}

void TBlockScene::DrawSolidCylinder3DZ(Extended r, Extended length) {
  DrawShadeCylinderZ(r, length);
  m_gl.Translate(0, 0, length / 2);
  DrawShadeCircleZ(r);
  m_gl.Translate(0, 0, -length);
  m_gl.Rotate(180, 1, 0, 0);  // the bottom disc faces down
  DrawShadeCircleZ(r);
  m_gl.Rotate(-180, 1, 0, 0);
  m_gl.Translate(0, 0, length / 2);
}

void TBlockScene::DrawCylinder3DZ(Extended r, Extended length) {
  m_gl.Translate(0, 0, length / 2);
  DrawCircleZ(r);
  m_gl.Translate(0, 0, -length);
  DrawCircleZ(r);
  m_gl.Translate(0, 0, length / 2);
}

}  // namespace zrv::front
