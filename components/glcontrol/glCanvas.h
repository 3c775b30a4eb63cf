#pragma once
// The fixed-function drawing operations a 3D scene is written against. The
// OpenGL window control implements them with OpenGL 1.1 calls on the current
// context; tests implement them with a recorder that follows the matrices,
// so that scene code is checked without a display.

#include <array>
#include <string>
#include <vector>

#include "base/types.h"

namespace zrv::comp {

/// Keys and buttons held during a mouse event.
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;
enum class TMouseButton { mbNone, mbLeft, mbRight, mbMiddle };

/// A 4x4 matrix in OpenGL's order (column by column).
using TglMatrix = std::array<Extended, 16>;

class TglCanvas {
public:
  virtual ~TglCanvas() = default;

  // OpenGL constants, so that owners need no OpenGL header.
  static constexpr unsigned ModelView() { return 0x1700; }
  static constexpr unsigned ModelViewMatrix() { return 0x0BA6; }
  static constexpr unsigned Projection() { return 0x1701; }
  static constexpr unsigned ColorBufferBit() { return 0x4000; }
  static constexpr unsigned DepthBufferBit() { return 0x100; }
  static constexpr unsigned DepthTest() { return 0x0B71; }
  static constexpr unsigned Lines() { return 1; }
  static constexpr unsigned LineStrip() { return 3; }
  static constexpr unsigned Triangles() { return 4; }
  static constexpr unsigned TriangleFan() { return 6; }
  static constexpr unsigned Quads() { return 7; }
  static constexpr unsigned Compile() { return 0x1300; }
  static constexpr unsigned Blend() { return 0x0BE2; }
  static constexpr unsigned SrcAlpha() { return 0x0302; }
  static constexpr unsigned OneMinusSrcAlpha() { return 0x0303; }
  static constexpr unsigned Smooth() { return 0x1D01; }
  static constexpr unsigned CullFace() { return 0x0B44; }

  virtual void MatrixMode(unsigned mode) = 0;
  virtual void Clear(unsigned mask) = 0;
  virtual void Enable(unsigned capability) = 0;
  virtual void Disable(unsigned capability) = 0;
  virtual void BeginPrimitive(unsigned mode) = 0;
  virtual void EndPrimitive() = 0;
  virtual void Finish() = 0;
  /// Angle in degrees about the axis (x, y, z).
  virtual void Rotate(Extended angle, Extended x, Extended y, Extended z) = 0;
  virtual void Translate(Extended x, Extended y, Extended z) = 0;
  virtual void Scale(Extended x, Extended y, Extended z) = 0;
  virtual void Ortho(Extended left, Extended right, Extended bottom, Extended top, Extended nearZ,
                     Extended farZ) = 0;
  virtual void Vertex(Extended x, Extended y, Extended z) = 0;
  virtual void SetColor(Extended r, Extended g, Extended b, Extended a) = 0;
  virtual void ClearColor(Extended r, Extended g, Extended b, Extended a) = 0;
  virtual void LoadIdentity() = 0;
  virtual void PushMatrix() = 0;
  virtual void PopMatrix() = 0;
  virtual void BlendFunc(unsigned source, unsigned destination) = 0;
  virtual void NewList(unsigned list, unsigned mode) = 0;
  virtual void EndList() = 0;
  virtual void CallList(unsigned list) = 0;
  virtual void SetShading(unsigned mode) = 0;
  /// Draws primitives from an array of vertices at once (glDrawElements) in
  /// the current colour: `xyz` holds three coordinates per vertex, `indices`
  /// the vertices of the primitives in order; an empty list draws nothing.
  /// Vertices that several primitives share are given, and transformed, once.
  virtual void DrawElements(unsigned mode, const std::vector<float>& xyz, const std::vector<unsigned>& indices) = 0;
  /// The pending error code, cleared.
  virtual unsigned GetError() = 0;
  /// The matrix named `name` (ModelViewMatrix()), in OpenGL's order.
  virtual TglMatrix GetMatrix(unsigned name) = 0;
  /// `text` at the raster position of (x, y, z), through the font lists.
  virtual void DrawText(const std::string& text, Extended x, Extended y, Extended z) = 0;
  /// The drawing surface in pixels.
  virtual int ViewWidth() const = 0;
  virtual int ViewHeight() const = 0;
};

}  // namespace zrv::comp
