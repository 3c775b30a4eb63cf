#pragma once
// The OpenGL window control: a widget that owns one OpenGL context (through
// an OpenGL widget that fills it, made only where the platform offers OpenGL),
// makes it current around each paint and calls its owner's paint handler there, and
// wraps the fixed-function OpenGL 1.1 calls its owner draws with. A few
// capabilities are exposed as properties that read and write the state of
// the control's own context. Figures can also be rendered off-screen into an
// image, in a context of their own.

#include <QColor>
#include <QImage>
#include <QSurfaceFormat>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "base/exceptions.h"
#include "glcontrol/glCanvas.h"

class QOpenGLContext;

namespace zrv::comp {

class TglWindow;

/// A vector of three doubles whose changes repaint the window that holds it.
class Tgl3Vector {
public:
  Tgl3Vector(TglWindow& window, double x, double y, double z);
  double X() const { return m_x; }
  double Y() const { return m_y; }
  double Z() const { return m_z; }
  void SetX(double v);
  void SetY(double v);
  void SetZ(double v);

private:
  TglWindow& m_window;
  double m_x, m_y, m_z;
};

/// A light of the window; it registers itself in the window's list and
/// carries no light data.
class TglLight {
public:
  explicit TglLight(TglWindow& window);
  ~TglLight();
  TglLight(const TglLight&) = delete;
  TglLight& operator=(const TglLight&) = delete;

private:
  TglWindow& m_window;
};

enum class TGLShadeModel { glFlat, glSmooth };

class TglWindow : public QWidget, public TglCanvas {
  Q_OBJECT
public:
  using TNotifyEvent = std::function<void(TglWindow& sender)>;
  /// Button (the one pressed or released; mbNone on a move), keys and
  /// buttons held, position in pixels from the top left.
  using TMouseEvent =
      std::function<void(TglWindow& sender, TMouseButton button, TShiftState shift, int x, int y)>;

  /// The font display lists start here.
  static constexpr unsigned kFontListBase = 1000;

  /// Without OpenGL on the platform the control stays empty: no context, no paints.
  explicit TglWindow(QWidget* parent = nullptr);
  ~TglWindow() override;

  /// The control's context; null before it is made or without OpenGL.
  QOpenGLContext* context() const;
  QSurfaceFormat format() const { return m_format; }
  /// Makes the context current or none current (nothing without a context).
  void makeCurrent();
  void doneCurrent();
  /// Schedules a paint of the OpenGL surface.
  void Invalidate();
  /// The last frame rendered (an empty image without OpenGL).
  QImage GrabFrame();

  /// True when the platform can make an OpenGL context (tried once).
  static bool OpenGLAvailable();

  QColor BackgroundColor() const { return m_background; }
  /// Stored and repainted; the owner clears with its own colour.
  void SetBackgroundColor(const QColor& colour);

  /// Capabilities of the control's context. Reading or writing one binds the
  /// context, discards the pending error, acts, then checks the error state
  /// (EOpenGL "operation cannot be performed between glBegin and glEnd") and,
  /// outside a paint, releases the context and repaints. Before the context
  /// exists the values are kept and applied when it is made.
  bool Blending() { return capability(Blend()); }
  void SetBlending(bool on) { setCapability(Blend(), on); }
  bool PolygonFiltering() { return capability(kPolygonSmooth); }
  void SetPolygonFiltering(bool on) { setCapability(kPolygonSmooth, on); }
  bool DepthTesting() { return capability(DepthTest()); }
  void SetDepthTesting(bool on) { setCapability(DepthTest(), on); }
  bool Fog() { return capability(kFog); }
  void SetFog(bool on) { setCapability(kFog, on); }
  bool Lighting() { return capability(kLighting); }
  void SetLighting(bool on) { setCapability(kLighting, on); }
  TGLShadeModel ShadeModel();
  void SetShadeModel(TGLShadeModel model);

  /// Stored only: (0, 0, 1), (0, 1, 0), (0, 0, 0) and 45 at creation.
  Tgl3Vector& EyePosition() { return m_eye; }
  Tgl3Vector& UpVector() { return m_up; }
  Tgl3Vector& ViewPosition() { return m_view; }
  double FOV() const { return m_fov; }
  void SetFOV(double degrees);

  /// Called on every paint with the context current.
  TNotifyEvent OnPaint;
  /// Stored; the control never calls it.
  TNotifyEvent OnCreate;
  TMouseEvent OnMouseDown, OnMouseUp, OnMouseMove;

  /// Makes the control's context current (when it is not already).
  void MakeCurrent();

  /// The next paint runs the owner's set-up: returns the set-up-done flag and sets it.
  bool TestAndSetInitialized();
  void ResetInitialized() { m_initialized = false; }
  void RequestRedraw() { m_redraw = true; }
  bool TestAndClearRedraw();
  /// True while OnPaint runs.
  bool Painting() const { return m_painting; }

  /// The size of the surface drawn on (the control's own without OpenGL).
  /// It can lag behind the control's size until the control's layout has run.
  int ViewWidth() const override;
  int ViewHeight() const override;
  void SetViewSize(int w, int h) { resize(w, h); }

  /// The viewport: x, y, width, height.
  std::array<int, 4> GetViewport();
  /// Builds 255 bitmap display lists (character codes 0 to 254) from the
  /// system font, starting at kFontListBase, in the current context.
  void BuildFont();

  /// Renders `draw` off-screen into a w x h image with 24-bit colour, in a
  /// fresh context of its own (no display lists of the window; font lists are
  /// built in it first). The window's context is current again at its next
  /// paint. Raises EOpenGL "ChoosePixelFormat failed" when no context can be
  /// made and "SetPixelFormat failed" when it cannot be used.
  QImage RenderToImage(int w, int h, const std::function<void()>& draw);

  // Thin operations on the current context: one OpenGL call each, no error check.
  void MatrixMode(unsigned mode) override;
  void Clear(unsigned mask) override;
  void Enable(unsigned capability) override;
  void Disable(unsigned capability) override;
  void BeginPrimitive(unsigned mode) override;
  void EndPrimitive() override;
  void Finish() override;
  void Rotate(Extended angle, Extended x, Extended y, Extended z) override;
  void Translate(Extended x, Extended y, Extended z) override;
  void Scale(Extended x, Extended y, Extended z) override;
  void Ortho(Extended left, Extended right, Extended bottom, Extended top, Extended nearZ,
             Extended farZ) override;
  void Vertex(Extended x, Extended y, Extended z) override;
  void SetColor(Extended r, Extended g, Extended b, Extended a) override;
  void ClearColor(Extended r, Extended g, Extended b, Extended a) override;
  void LoadIdentity() override;
  void PushMatrix() override;
  void PopMatrix() override;
  void BlendFunc(unsigned source, unsigned destination) override;
  void NewList(unsigned list, unsigned mode) override;
  void EndList() override;
  void CallList(unsigned list) override;
  void SetShading(unsigned mode) override;
  void DrawElements(unsigned mode, const std::vector<float>& xyz, const std::vector<unsigned>& indices) override;
  unsigned GetError() override;
  TglMatrix GetMatrix(unsigned name) override;
  /// Raster position (x, y, z), then the font lists of the text's bytes.
  void DrawText(const std::string& text, Extended x, Extended y, Extended z) override;

  /// Number of lights in the window's list (eight while the context lives).
  int LightCount() const { return static_cast<int>(m_lights.size()); }

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

private:
  friend class TglLight;
  class Surface;
  friend class Surface;
  void initializeGL();
  void paintGL();
  static constexpr unsigned kPolygonSmooth = 0x0B41;
  static constexpr unsigned kFog = 0x0B60;
  static constexpr unsigned kLighting = 0x0B50;

  bool capability(unsigned cap);
  void setCapability(unsigned cap, bool on);
  /// Binds the context; false when it does not exist yet.
  bool bind();
  /// Error check, then release and repaint unless painting.
  void finishAccess();
  void mouseEvent(const TMouseEvent& handler, QMouseEvent* event, TMouseButton button);
  void releaseContextResources();

  Surface* m_surface = nullptr;  // null without OpenGL
  QSurfaceFormat m_format;
  QColor m_background = Qt::white;
  Tgl3Vector m_eye, m_up, m_view;
  double m_fov = 45;
  bool m_initialized = false;
  bool m_redraw = false;
  bool m_painting = false;
  /// Capability values set before the context existed.
  std::vector<std::pair<unsigned, bool>> m_pending;
  int m_pendingShade = 0;
  std::vector<TglLight*> m_lights;
  std::vector<std::unique_ptr<TglLight>> m_ownedLights;
  QMetaObject::Connection m_contextGone;
  // Recorded, read by nothing.
  int m_mouseX = 0, m_mouseY = 0;
  TMouseButton m_mouseButton = TMouseButton::mbNone;
  TShiftState m_mouseShift = 0;
  bool m_mouseDown = false;
};

}  // namespace zrv::comp
