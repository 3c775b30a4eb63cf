#include "glcontrol/glWindow.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLWidget>
#include <QVBoxLayout>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "ui/UiHooks.h"

namespace zrv::comp {

namespace {

constexpr const char* kBetweenBeginEnd = "operation cannot be performed between glBegin and glEnd";

TShiftState shiftState(const QMouseEvent& event) {
  TShiftState s = 0;
  const Qt::KeyboardModifiers m = event.modifiers();
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::AltModifier) s |= ssAlt;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  const Qt::MouseButtons b = event.buttons();
  if (b & Qt::LeftButton) s |= ssLeft;
  if (b & Qt::RightButton) s |= ssRight;
  if (b & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

TMouseButton mouseButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbNone;
  }
}

// Shows the message of an exception that a handler let through, after the
// current event, so that no exception crosses the event loop and no box
// opens inside a paint.
void reportLater(QObject* context, const std::string& message) {
  QMetaObject::invokeMethod(
      context, [text = QString::fromStdString(message)] { ShowError(text); }, Qt::QueuedConnection);
}

}  // namespace

// ---------------------------------------------------------------------------

Tgl3Vector::Tgl3Vector(TglWindow& window, double x, double y, double z)
    : m_window(window), m_x(x), m_y(y), m_z(z) {}

void Tgl3Vector::SetX(double v) {
  m_x = v;
  m_window.Invalidate();
}
void Tgl3Vector::SetY(double v) {
  m_y = v;
  m_window.Invalidate();
}
void Tgl3Vector::SetZ(double v) {
  m_z = v;
  m_window.Invalidate();
}

TglLight::TglLight(TglWindow& window) : m_window(window) { m_window.m_lights.push_back(this); }

TglLight::~TglLight() {
  auto& list = m_window.m_lights;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

// ---------------------------------------------------------------------------

// The OpenGL widget that fills the control and hands its cycle to it.
class TglWindow::Surface : public QOpenGLWidget {
public:
  explicit Surface(TglWindow& owner) : QOpenGLWidget(&owner), m_owner(owner) {
    setFormat(owner.m_format);
    setMouseTracking(true);
  }

protected:
  void initializeGL() override { m_owner.initializeGL(); }
  void resizeGL(int w, int h) override { glViewport(0, 0, w, h); }
  void paintGL() override { m_owner.paintGL(); }
  void mousePressEvent(QMouseEvent* event) override { m_owner.mousePressEvent(event); }
  void mouseReleaseEvent(QMouseEvent* event) override { m_owner.mouseReleaseEvent(event); }
  void mouseMoveEvent(QMouseEvent* event) override { m_owner.mouseMoveEvent(event); }

private:
  TglWindow& m_owner;
};

TglWindow::TglWindow(QWidget* parent)
    : QWidget(parent), m_eye(*this, 0, 0, 1), m_up(*this, 0, 1, 0), m_view(*this, 0, 0, 0) {
  m_format.setRenderableType(QSurfaceFormat::OpenGL);
  m_format.setProfile(QSurfaceFormat::CompatibilityProfile);
  m_format.setDepthBufferSize(24);
  m_format.setRedBufferSize(8);
  m_format.setGreenBufferSize(8);
  m_format.setBlueBufferSize(8);
  setMouseTracking(true);
  // An OpenGL widget on a platform without OpenGL brings its whole window
  // down when shown, so it is made only where a context can be made.
  if (OpenGLAvailable()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_surface = new Surface(*this);
    layout->addWidget(m_surface);
  }
}

QOpenGLContext* TglWindow::context() const { return m_surface ? m_surface->context() : nullptr; }

void TglWindow::makeCurrent() {
  if (m_surface) m_surface->makeCurrent();
}

void TglWindow::doneCurrent() {
  if (m_surface) m_surface->doneCurrent();
}

void TglWindow::Invalidate() {
  if (m_surface) m_surface->update();
}

QImage TglWindow::GrabFrame() { return m_surface ? m_surface->grabFramebuffer() : QImage(); }

bool TglWindow::OpenGLAvailable() {
  static const bool available = [] {
    QOpenGLContext context;
    if (!context.create()) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
    context.doneCurrent();
    return true;
  }();
  return available;
}

TglWindow::~TglWindow() {
  // The surface and its context go first, while this object is whole.
  disconnect(m_contextGone);
  releaseContextResources();
  delete m_surface;
  m_surface = nullptr;
}

void TglWindow::releaseContextResources() { m_ownedLights.clear(); }

int TglWindow::ViewWidth() const { return m_surface ? m_surface->width() : width(); }
int TglWindow::ViewHeight() const { return m_surface ? m_surface->height() : height(); }

void TglWindow::SetBackgroundColor(const QColor& colour) {
  m_background = colour;
  Invalidate();
}

void TglWindow::SetFOV(double degrees) {
  m_fov = degrees;
  Invalidate();
}

// --- context -----------------------------------------------------------------

bool TglWindow::bind() {
  if (!context()) return false;
  if (QOpenGLContext::currentContext() != context()) makeCurrent();
  return true;
}

void TglWindow::MakeCurrent() { bind(); }

void TglWindow::finishAccess() {
  const GLenum error = glGetError();
  if (!m_painting) {
    doneCurrent();
    Invalidate();
  }
  if (error == GL_INVALID_OPERATION) throw EOpenGL(kBetweenBeginEnd);
}

bool TglWindow::capability(unsigned cap) {
  if (!bind()) {
    for (const auto& [c, on] : m_pending)
      if (c == cap) return on;
    return false;  // every one of them is off in a new context
  }
  glGetError();
  const bool on = glIsEnabled(cap) == GL_TRUE;
  finishAccess();
  return on;
}

void TglWindow::setCapability(unsigned cap, bool on) {
  if (!bind()) {
    std::erase_if(m_pending, [cap](const auto& p) { return p.first == cap; });
    m_pending.emplace_back(cap, on);
    Invalidate();
    return;
  }
  glGetError();
  if (on)
    glEnable(cap);
  else
    glDisable(cap);
  finishAccess();
}

TGLShadeModel TglWindow::ShadeModel() {
  if (!bind()) return m_pendingShade == GL_FLAT ? TGLShadeModel::glFlat : TGLShadeModel::glSmooth;
  glGetError();
  GLint mode = 0;
  glGetIntegerv(GL_SHADE_MODEL, &mode);
  finishAccess();
  return mode == GL_SMOOTH ? TGLShadeModel::glSmooth : TGLShadeModel::glFlat;
}

void TglWindow::SetShadeModel(TGLShadeModel model) {
  const GLenum mode = model == TGLShadeModel::glSmooth ? GL_SMOOTH : GL_FLAT;
  if (!bind()) {
    m_pendingShade = static_cast<int>(mode);
    Invalidate();
    return;
  }
  glGetError();
  glShadeModel(mode);
  finishAccess();
}

// --- flags -------------------------------------------------------------------

bool TglWindow::TestAndSetInitialized() {
  const bool done = m_initialized;
  m_initialized = true;
  return done;
}

bool TglWindow::TestAndClearRedraw() {
  const bool requested = m_redraw;
  m_redraw = false;
  return requested;
}

// --- Qt's context cycle --------------------------------------------------------

void TglWindow::initializeGL() {
  // A new context (also after the widget moved to another window): the
  // owner's set-up must run again, and the lights belong to this context.
  m_initialized = false;
  m_ownedLights.clear();
  for (int i = 0; i < 8; ++i) m_ownedLights.push_back(std::make_unique<TglLight>(*this));
  disconnect(m_contextGone);
  m_contextGone =
      connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { releaseContextResources(); });
  for (const auto& [cap, on] : m_pending) {
    if (on)
      glEnable(cap);
    else
      glDisable(cap);
  }
  m_pending.clear();
  if (m_pendingShade) glShadeModel(static_cast<GLenum>(m_pendingShade));
  m_pendingShade = 0;
}

void TglWindow::paintGL() {
  if (!OnPaint) return;
  m_painting = true;
  try {
    OnPaint(*this);
  } catch (const std::exception& e) {
    reportLater(this, e.what());
  }
  m_painting = false;
  glGetError();
  glFlush();
}

// --- mouse -------------------------------------------------------------------

void TglWindow::mouseEvent(const TMouseEvent& handler, QMouseEvent* event, TMouseButton button) {
  const QPoint p = event->position().toPoint();
  m_mouseX = p.x();
  m_mouseY = p.y();
  m_mouseButton = button;
  m_mouseShift = shiftState(*event);
  if (!handler) return;
  try {
    handler(*this, button, m_mouseShift, p.x(), p.y());
  } catch (const std::exception& e) {
    reportLater(this, e.what());
  }
  if (QOpenGLContext::currentContext()) glGetError();
}

void TglWindow::mousePressEvent(QMouseEvent* event) {
  m_mouseDown = true;
  mouseEvent(OnMouseDown, event, mouseButton(event->button()));
}

void TglWindow::mouseReleaseEvent(QMouseEvent* event) {
  m_mouseDown = false;
  mouseEvent(OnMouseUp, event, mouseButton(event->button()));
}

void TglWindow::mouseMoveEvent(QMouseEvent* event) { mouseEvent(OnMouseMove, event, TMouseButton::mbNone); }

// --- thin operations -----------------------------------------------------------

void TglWindow::MatrixMode(unsigned mode) { glMatrixMode(mode); }
void TglWindow::Clear(unsigned mask) { glClear(mask); }
void TglWindow::Enable(unsigned capability) { glEnable(capability); }
void TglWindow::Disable(unsigned capability) { glDisable(capability); }
void TglWindow::BeginPrimitive(unsigned mode) { glBegin(mode); }
void TglWindow::EndPrimitive() { glEnd(); }
void TglWindow::Finish() { glFinish(); }
void TglWindow::Rotate(Extended angle, Extended x, Extended y, Extended z) {
  glRotated(static_cast<double>(angle), static_cast<double>(x), static_cast<double>(y),
            static_cast<double>(z));
}
void TglWindow::Translate(Extended x, Extended y, Extended z) {
  glTranslated(static_cast<double>(x), static_cast<double>(y), static_cast<double>(z));
}
void TglWindow::Scale(Extended x, Extended y, Extended z) {
  glScaled(static_cast<double>(x), static_cast<double>(y), static_cast<double>(z));
}
void TglWindow::Ortho(Extended left, Extended right, Extended bottom, Extended top, Extended nearZ,
                      Extended farZ) {
  glOrtho(static_cast<double>(left), static_cast<double>(right), static_cast<double>(bottom),
          static_cast<double>(top), static_cast<double>(nearZ), static_cast<double>(farZ));
}
void TglWindow::Vertex(Extended x, Extended y, Extended z) {
  glVertex3d(static_cast<double>(x), static_cast<double>(y), static_cast<double>(z));
}
void TglWindow::SetColor(Extended r, Extended g, Extended b, Extended a) {
  glColor4f(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), static_cast<float>(a));
}
void TglWindow::ClearColor(Extended r, Extended g, Extended b, Extended a) {
  glClearColor(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), static_cast<float>(a));
}
void TglWindow::LoadIdentity() { glLoadIdentity(); }
void TglWindow::PushMatrix() { glPushMatrix(); }
void TglWindow::PopMatrix() { glPopMatrix(); }
void TglWindow::BlendFunc(unsigned source, unsigned destination) { glBlendFunc(source, destination); }
void TglWindow::NewList(unsigned list, unsigned mode) { glNewList(list, mode); }
void TglWindow::EndList() { glEndList(); }
void TglWindow::CallList(unsigned list) { glCallList(list); }
void TglWindow::SetShading(unsigned mode) { glShadeModel(mode); }

void TglWindow::DrawElements(unsigned mode, const std::vector<float>& xyz, const std::vector<unsigned>& indices) {
  if (indices.empty()) return;
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, xyz.data());
  glDrawElements(mode, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
  glDisableClientState(GL_VERTEX_ARRAY);
}
unsigned TglWindow::GetError() { return glGetError(); }

TglMatrix TglWindow::GetMatrix(unsigned name) {
  double m[16] = {};
  glGetDoublev(name, m);
  TglMatrix out{};
  for (int i = 0; i < 16; ++i) out[static_cast<std::size_t>(i)] = m[i];
  return out;
}

std::array<int, 4> TglWindow::GetViewport() {
  GLint v[4] = {};
  glGetIntegerv(GL_VIEWPORT, v);
  return {v[0], v[1], v[2], v[3]};
}

void TglWindow::DrawText(const std::string& text, Extended x, Extended y, Extended z) {
  glRasterPos3f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  if (text.empty()) return;
  glListBase(kFontListBase);
  glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
}

void TglWindow::BuildFont() {
  const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  const QFontMetrics metrics(font);
  const int h = std::max(1, metrics.height());
  const int descent = metrics.descent();
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  std::vector<GLubyte> bits;
  for (int code = 0; code < 255; ++code) {
    const QChar ch(static_cast<char16_t>(code));
    const bool printable = code >= 32 && ch.isPrint();
    const int advance = printable ? metrics.horizontalAdvance(ch) : 0;
    const int w = std::max(1, advance);
    QImage glyph(w, h, QImage::Format_Grayscale8);
    glyph.fill(0);
    if (printable) {
      QPainter p(&glyph);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(0, h - descent, QString(ch));
    }
    // glBitmap rows run bottom-up, eight pixels a byte, high bit first.
    const int stride = (w + 7) / 8;
    bits.assign(static_cast<std::size_t>(stride * h), 0);
    for (int row = 0; row < h; ++row) {
      const uchar* line = glyph.constScanLine(h - 1 - row);
      for (int col = 0; col < w; ++col)
        if (line[col] >= 128)
          bits[static_cast<std::size_t>(row * stride + col / 8)] |= GLubyte(0x80 >> (col % 8));
    }
    glNewList(kFontListBase + static_cast<unsigned>(code), GL_COMPILE);
    glBitmap(w, h, 0, static_cast<GLfloat>(descent), static_cast<GLfloat>(advance), 0, bits.data());
    glEndList();
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

// --- off-screen rendering --------------------------------------------------------

QImage TglWindow::RenderToImage(int w, int h, const std::function<void()>& draw) {
  w = std::max(1, w);
  h = std::max(1, h);
  QOpenGLContext* previous = QOpenGLContext::currentContext();
  QSurface* previousSurface = previous ? previous->surface() : nullptr;
  auto restore = [&] {
    if (previous && previousSurface) previous->makeCurrent(previousSurface);
  };

  QOpenGLContext ctx;
  ctx.setFormat(format());
  if (!ctx.create()) throw EOpenGL("ChoosePixelFormat failed");
  QOffscreenSurface surface;
  surface.setFormat(ctx.format());
  surface.create();
  if (!surface.isValid() || !ctx.makeCurrent(&surface)) {
    restore();
    throw EOpenGL("SetPixelFormat failed");
  }
  QImage image;
  {
    QOpenGLFramebufferObjectFormat fboFormat;
    fboFormat.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    QOpenGLFramebufferObject fbo(w, h, fboFormat);
    if (!fbo.isValid() || !fbo.bind()) {
      ctx.doneCurrent();
      restore();
      throw EOpenGL("SetPixelFormat failed");
    }
    glViewport(0, 0, w, h);
    BuildFont();
    try {
      draw();
    } catch (...) {
      fbo.release();
      ctx.doneCurrent();
      restore();
      throw;
    }
    glFinish();
    // The colour buffer as it is, alpha left out, rows turned top down.
    image = QImage(w, h, QImage::Format_RGB888);
    GLint packAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<uchar> rgb(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    const std::size_t stride = static_cast<std::size_t>(w) * 3;
    for (int row = 0; row < h; ++row)
      std::memcpy(image.scanLine(h - 1 - row), rgb.data() + static_cast<std::size_t>(row) * stride, stride);
    fbo.release();
  }
  ctx.doneCurrent();
  restore();
  return image;
}

}  // namespace zrv::comp
