#pragma once
// Support for the tests on a real OpenGL context: waiting for the event loop
// to bring something about, and counting what a view drew.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <gtest/gtest.h>

namespace zrv::test {

/// Runs the event loop until `pred` holds or `ms` milliseconds have passed;
/// whether it holds.
template <class Pred>
bool waitFor(Pred pred, int ms = 3000) {
  QElapsedTimer t;
  t.start();
  while (!pred()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

/// The number of pixels of `image` that are not white: what a view drew.
inline int figurePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
  return n;
}

}  // namespace zrv::test
