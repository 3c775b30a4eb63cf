#pragma once
// Keeps the OpenGL driver loaded to the end of the process. The driver is
// otherwise unloaded at exit before the leak checker reports, which then
// cannot name the driver's own allocations and so cannot suppress them.
#include <dlfcn.h>
#include <link.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace zrv::test {

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
