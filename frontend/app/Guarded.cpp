#include "app/Guarded.h"

#include "ui/UiHooks.h"

namespace zrv::front {

void ShowCurrentException() {
  try {
    throw;
  } catch (const std::exception& e) {
    comp::ShowError(QString::fromUtf8(e.what()));
  } catch (...) {
    comp::ShowError(QStringLiteral("An unexpected error occurred."));
  }
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  guarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace zrv::front
