// The main of every Qt test program: one QApplication for all tests, and the
// modal boxes answered by a recorder instead of a person.
#include <QApplication>
#include <gtest/gtest.h>

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
    if (kind == comp::TMsgKind::Confirmation) return nextAnswer();
    return comp::TMsgResult::Ok;
  });
}

}  // namespace zrv::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Kaltro");
  QApplication::setApplicationName("ZORVIN");
  zrv::test::recordMessages();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
