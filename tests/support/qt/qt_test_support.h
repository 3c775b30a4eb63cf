#pragma once
// Support for widget tests: modal boxes are recorded, not shown; a
// confirmation box is answered with nextAnswer().
#include <QString>
#include <vector>

#include "ui/UiHooks.h"

namespace zrv::test {

struct RecordedMessage {
  comp::TMsgKind kind;
  QString text;
};

/// Every box shown since the last clear, in order.
std::vector<RecordedMessage>& recordedMessages();
/// The answer given to confirmation boxes (Yes until a test sets another).
comp::TMsgResult& nextAnswer();
/// Installs the recorder (done by the test main).
void recordMessages();

}  // namespace zrv::test
