#pragma once
// Support for widget tests: modal boxes are recorded, not shown; a
// confirmation box and the changed-file question are answered with
// nextAnswer().
#include <QString>
#include <QStringList>
#include <vector>

#include "ui/UiHooks.h"

namespace zrv::test {

struct RecordedMessage {
  comp::TMsgKind kind;
  QString text;
};

/// Every box shown since the last clear, in order.
std::vector<RecordedMessage>& recordedMessages();
/// The answer given to confirmation boxes and the changed-file question (Yes
/// until a test sets another).
comp::TMsgResult& nextAnswer();
/// Installs the recorder (done by the test main).
void recordMessages();

/// The texts of the boxes recorded so far.
inline std::vector<QString> recordedTexts() {
  std::vector<QString> texts;
  for (const auto& m : recordedMessages()) texts.push_back(m.text);
  return texts;
}

/// The texts of the boxes recorded since the last call, and clears them.
inline QStringList takeMessages() {
  QStringList texts;
  for (const auto& m : recordedMessages()) texts << m.text;
  recordedMessages().clear();
  return texts;
}

}  // namespace zrv::test
