// zrv3-viewbench: how fast the 3D view draws a large pile group (not a test).
// It opens the view of the main window on a 12-pile group like the example
// and on 500-pile groups of 30 layers (one radius, a taper, visible steps),
// and prints the time to the first finished frame of each and the frames per
// second while the figure turns.
// Run it on the X server the program would use, or under xvfb-run.
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/MainForm.h"
#include "app/RendererMemory.h"
#include "glcontrol/glWindow.h"
#include "grid/TEnumColumn.h"
#include "project/TProgramData.h"
#include "project/TProjectTables.h"
#include "views/Block.h"

using namespace zrv;
using namespace zrv::front;

namespace {

void setCell(comp::TGridTable& table, int column, int row, double value) {
  if (dynamic_cast<comp::TEnumColumn*>(&table.Column(column)) != nullptr)
    table.Column(column).SetInteger(row, static_cast<int>(value));
  else
    table.Column(column).SetFloat(row, value);
}

// A rectangular group of nx x ny piles at `spacing` under a cap that covers
// them, `layers` pile segments of `length` each, two side-soil layers; every
// tenth pile battered. Radii: 0.3 in every segment, or narrowing by 1 % a
// segment (a taper, whose neighbouring segments differ by less than a pixel
// in the whole view), or alternately 0.3 and 0.45 (steps that stay visible).
enum class Radii { equal, tapered, stepped };
void makeGroup(TMainForm& main, int nx, int ny, int layers, Radii radii) {
  const double spacing = 2.4, length = 18.0 / layers;
  TProgramData& p = main.Project();
  p.FoundationType = "PILE";
  p.CircularShape = 0;
  p.LengthX = spacing * nx;
  p.WidthY = p.WidthCopy = spacing * ny;
  TProjectTables& t = main.Tables();
  t.pilecapsoil().SetRowCount(2);
  setCell(t.pilecapsoil(), 0, 0, 1.0);
  setCell(t.pilecapsoil(), 0, 1, 0.5);
  t.PileData().SetRowCount(layers);
  for (int j = 0; j < layers; ++j) {
    const double r = radii == Radii::tapered ? 0.3 * (1 - 0.01 * j)
                     : radii == Radii::stepped ? (j % 2 ? 0.45 : 0.3)
                                               : 0.3;
    setCell(t.PileData(), 0, j, length);
    setCell(t.PileData(), 1, j, r / 1.4142135623730951);
    setCell(t.PileData(), 2, j, r / 1.4142135623730951);
  }
  t.Pilecoord().SetRowCount(nx * ny);
  for (int i = 0; i < nx * ny; ++i) {
    setCell(t.Pilecoord(), 0, i, (i % nx - (nx - 1) / 2.0) * spacing);
    setCell(t.Pilecoord(), 1, i, (i / nx - (ny - 1) / 2.0) * spacing);
    setCell(t.Pilecoord(), 2, i, i % 10 == 3 ? 10 : 0);
    setCell(t.Pilecoord(), 3, i, i % 20 == 3 ? 2 : 1);
  }
}

template <class Pred>
bool waitFor(Pred pred, int ms) {
  QElapsedTimer t;
  t.start();
  while (!pred()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

struct Timing {
  double firstMs = 0, framesPerSecond = 0;
};

// Opens the view, times its first frame and `frames` frames of turning, and
// closes it again.
Timing measure(TMainForm& main, int frames) {
  Timing timing;
  QElapsedTimer clock;
  clock.start();
  main.Open3DView();
  TDlgBlock* view = main.findChild<TDlgBlock*>();
  if (view == nullptr) return timing;
  int painted = 0;
  comp::TglWindow& gl = view->GL();
  auto paint = gl.OnPaint;
  gl.OnPaint = [&](comp::TglWindow& w) {
    paint(w);
    w.Finish();
    ++painted;
  };
  if (!waitFor([&] { return painted > 0; }, 120000)) return timing;
  timing.firstMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  SetView(view->View(), 4);
  clock.restart();
  for (int k = 0; k < frames; ++k) {
    const int before = painted;
    view->View().AngleZ += 3;
    gl.Invalidate();
    if (!waitFor([&] { return painted > before; }, 60000)) break;
  }
  timing.framesPerSecond = frames / (static_cast<double>(clock.nsecsElapsed()) / 1e9);
  gl.OnPaint = paint;
  view->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
  return timing;
}

}  // namespace

int main(int argc, char** argv) {
  // The program's main keeps freed memory for the renderer; so does the
  // benchmark, so that its figures are the program's.
  KeepRendererMemory();
  QApplication app(argc, argv);
  int frames = 60;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--frames") == 0) frames = std::max(1, std::atoi(argv[i + 1]));
  if (!comp::TglWindow::OpenGLAvailable()) {
    std::fprintf(stderr, "zrv3-viewbench: no OpenGL context on this display\n");
    return 1;
  }
  // Settings go to a folder of the run, not to the user's.
  QTemporaryDir settings;
  QStandardPaths::setTestModeEnabled(true);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  TMainForm main;
  main.resize(1024, 768);
  main.show();
  QCoreApplication::processEvents();

  makeGroup(main, 4, 3, 5, Radii::equal);
  measure(main, 5);  // the first context of the run costs more; not counted
  const Timing small = measure(main, frames);
  std::printf("%-38s first frame %8.1f ms   rotation %7.1f frames/s\n", "12 piles x 5 layers:", small.firstMs,
              small.framesPerSecond);
  for (const auto& [radii, label] : {std::pair{Radii::equal, ":"}, std::pair{Radii::tapered, " (tapered):"},
                                     std::pair{Radii::stepped, " (stepped):"}}) {
    makeGroup(main, 25, 20, 30, radii);
    const Timing large = measure(main, frames);
    const std::string name = std::string("500 piles x 30 layers") + label;
    std::printf("%-38s first frame %8.1f ms (%.2f x)   rotation %7.1f frames/s\n", name.c_str(), large.firstMs,
                small.firstMs > 0 ? large.firstMs / small.firstMs : 0.0, large.framesPerSecond);
  }
  return 0;
}
