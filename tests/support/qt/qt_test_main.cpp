// The main of every Qt test program: one QApplication for all tests, and the
// modal boxes answered by a recorder instead of a person.
#include <QApplication>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>

#include <string>
#include <vector>

#include "qt_test_support.h"

namespace zrv::test {

std::vector<RecordedMessage>& recordedMessages() {
  static std::vector<RecordedMessage> messages;
  return messages;
}

comp::TMsgResult& nextAnswer() {
  static comp::TMsgResult answer = comp::TMsgResult::Yes;
  return answer;
}

void recordMessages() {
  comp::setMessageHook([](comp::TMsgKind kind, const QString& text) {
    recordedMessages().push_back({kind, text});
    if (kind == comp::TMsgKind::Confirmation || kind == comp::TMsgKind::FileChanged) return nextAnswer();
    return comp::TMsgResult::Ok;
  });
}

namespace {

// Keeps every shared object that is loaded when the last test ends loaded to
// the end of the process. The OpenGL driver and its helpers are otherwise
// unloaded when the application closes its display, before the leak checker
// reports; it then cannot name the module of their allocations, and a
// suppression by module name cannot match them.
class KeepModulesLoaded : public ::testing::Environment {
public:
  void TearDown() override {
    std::vector<std::string> modules;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* out) {
          if (info->dlpi_name && *info->dlpi_name)
            static_cast<std::vector<std::string>*>(out)->emplace_back(info->dlpi_name);
          return 0;
        },
        &modules);
    for (const auto& name : modules) dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
};

}  // namespace

}  // namespace zrv::test

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no application, and so no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Kaltro");
  QApplication::setApplicationName("ZORVIN");
  zrv::test::recordMessages();
  ::testing::AddGlobalTestEnvironment(new zrv::test::KeepModulesLoaded);
  return RUN_ALL_TESTS();
}
