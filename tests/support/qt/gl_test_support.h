#pragma once
// Support for the tests on a real OpenGL context: waiting for the event loop
// to bring something about, and keeping the OpenGL driver loaded to the end
// of the process. The driver is otherwise unloaded at exit before the leak
// checker reports, which then cannot name the driver's own allocations and so
// cannot suppress them.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <dlfcn.h>
#include <link.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

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

class KeepGlDriverLoaded : public ::testing::Environment {
public:
  // Runs after the last test, while the application and the driver live.
  void TearDown() override {
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* out) {
          if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
            static_cast<std::vector<std::string>*>(out)->push_back(info->dlpi_name);
          return 0;
        },
        &drivers);
    for (const auto& name : drivers) dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
};

inline ::testing::Environment* const keepGlDriverLoaded =
    ::testing::AddGlobalTestEnvironment(new KeepGlDriverLoaded);

}  // namespace zrv::test
