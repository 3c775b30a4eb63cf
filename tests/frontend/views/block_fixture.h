#pragma once
// Support for the 3D-view tests: a main window without windows holding one
// project, table filling, and a canvas that records what a scene draws with
// every vertex and text position carried through the current model-view
// matrix, so that geometry is checked without OpenGL.
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "fake_main_form.h"
#include "glcontrol/glCanvas.h"

namespace zrv::test::block {

using comp::Extended;
using Vec3 = std::array<Extended, 3>;
using Matrix = comp::TglMatrix;

using FakeMain = FakeMainForm;
using test::setRows;

inline Matrix identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

/// a x b, column-major.
inline Matrix multiply(const Matrix& a, const Matrix& b) {
  Matrix m{};
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      Extended s = 0;
      for (int k = 0; k < 4; ++k) s += a[k * 4 + r] * b[c * 4 + k];
      m[c * 4 + r] = s;
    }
  return m;
}

inline Vec3 mapPoint(const Matrix& m, const Vec3& p) {
  return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12], m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
          m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}

/// The point that `m` (a rotation times a uniform scale, plus a shift) maps to `e`.
inline Vec3 unmapPoint(const Matrix& m, const Vec3& e) {
  const Vec3 d{e[0] - m[12], e[1] - m[13], e[2] - m[14]};
  const Extended s2 = m[0] * m[0] + m[1] * m[1] + m[2] * m[2];
  return {(m[0] * d[0] + m[1] * d[1] + m[2] * d[2]) / s2, (m[4] * d[0] + m[5] * d[1] + m[6] * d[2]) / s2,
          (m[8] * d[0] + m[9] * d[1] + m[10] * d[2]) / s2};
}

struct Primitive {
  unsigned mode = 0;
  std::array<Extended, 4> colour{};
  std::vector<Vec3> vertices;  // carried through the model-view matrix
  unsigned list = 0;           // the display list being compiled, 0 for none
  bool array = false;          // drawn as one vertex array
};

struct Text {
  std::string text;
  Vec3 at{};
  std::array<Extended, 4> colour{};
};

class RecordingCanvas : public comp::TglCanvas {
public:
  int width = 400, height = 300;
  std::vector<Primitive> primitives;
  std::vector<Text> texts;
  std::vector<unsigned> calledLists;
  std::vector<std::pair<unsigned, bool>> capabilities;  // enable (true) or disable
  Matrix projection = identity();
  Matrix modelView = identity();

  void MatrixMode(unsigned mode) override { m_projection = mode == Projection(); }
  void Clear(unsigned) override {}
  void Enable(unsigned c) override { capabilities.emplace_back(c, true); }
  void Disable(unsigned c) override { capabilities.emplace_back(c, false); }
  void BeginPrimitive(unsigned mode) override { primitives.push_back({mode, m_colour, {}, m_list, false}); }
  void EndPrimitive() override {}
  void Finish() override {}
  void Rotate(Extended angle, Extended x, Extended y, Extended z) override {
    const Extended n = std::sqrt(x * x + y * y + z * z);
    x /= n, y /= n, z /= n;
    const Extended a = angle * std::numbers::pi_v<Extended> / 180, c = std::cos(a), s = std::sin(a);
    const Matrix r = {x * x * (1 - c) + c,
                      y * x * (1 - c) + z * s,
                      x * z * (1 - c) - y * s,
                      0,
                      x * y * (1 - c) - z * s,
                      y * y * (1 - c) + c,
                      y * z * (1 - c) + x * s,
                      0,
                      x * z * (1 - c) + y * s,
                      y * z * (1 - c) - x * s,
                      z * z * (1 - c) + c,
                      0,
                      0,
                      0,
                      0,
                      1};
    current() = multiply(current(), r);
  }
  void Translate(Extended x, Extended y, Extended z) override {
    Matrix t = identity();
    t[12] = x, t[13] = y, t[14] = z;
    current() = multiply(current(), t);
  }
  void Scale(Extended x, Extended y, Extended z) override {
    Matrix t = identity();
    t[0] = x, t[5] = y, t[10] = z;
    current() = multiply(current(), t);
  }
  void Ortho(Extended l, Extended r, Extended b, Extended t, Extended n, Extended f) override {
    ortho = {l, r, b, t, n, f};
  }
  void Vertex(Extended x, Extended y, Extended z) override {
    primitives.back().vertices.push_back(mapPoint(modelView, {x, y, z}));
  }
  void SetColor(Extended r, Extended g, Extended b, Extended a) override { m_colour = {r, g, b, a}; }
  void ClearColor(Extended r, Extended g, Extended b, Extended a) override { clearColour = {r, g, b, a}; }
  void LoadIdentity() override { current() = identity(); }
  void PushMatrix() override { m_stack.push_back(modelView); }
  void PopMatrix() override {
    modelView = m_stack.back();
    m_stack.pop_back();
  }
  void BlendFunc(unsigned, unsigned) override {}
  void NewList(unsigned list, unsigned) override { m_list = list; }
  void EndList() override { m_list = 0; }
  void CallList(unsigned list) override { calledLists.push_back(list); }
  void SetShading(unsigned) override {}
  void DrawElements(unsigned mode, const std::vector<float>& xyz, const std::vector<unsigned>& indices) override {
    if (indices.empty()) return;
    Primitive p{mode, m_colour, {}, m_list, true};
    for (unsigned i : indices)
      p.vertices.push_back(mapPoint(modelView, {xyz.at(3 * i), xyz.at(3 * i + 1), xyz.at(3 * i + 2)}));
    primitives.push_back(std::move(p));
  }
  unsigned GetError() override { return 0; }
  Matrix GetMatrix(unsigned) override { return modelView; }
  void DrawText(const std::string& text, Extended x, Extended y, Extended z) override {
    texts.push_back({text, mapPoint(modelView, {x, y, z}), m_colour});
  }
  int ViewWidth() const override { return width; }
  int ViewHeight() const override { return height; }

  std::array<Extended, 6> ortho{};
  std::array<Extended, 4> clearColour{};
  int stackDepth() const { return static_cast<int>(m_stack.size()); }

private:
  Matrix& current() { return m_projection ? projection : modelView; }
  bool m_projection = false;
  std::array<Extended, 4> m_colour{};
  unsigned m_list = 0;
  std::vector<Matrix> m_stack;
};

}  // namespace zrv::test::block
