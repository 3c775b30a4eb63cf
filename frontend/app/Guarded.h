#pragma once
// The one way an exception leaves the program's handlers: its message in the
// error box. Every slot runs its body through `guarded`; the application
// object shows whatever still reaches the event loop, which must never see
// an exception.

#include <QApplication>
#include <exception>
#include <utility>

namespace zrv::front {

/// Shows the message of the exception being handled in the error box.
void ShowCurrentException();

/// Runs `fn`; an exception it raises is shown in the error box and goes no
/// further. Returns whether `fn` ran to its end.
template <class Fn>
bool guarded(Fn&& fn) {
  try {
    std::forward<Fn>(fn)();
    return true;
  } catch (...) {
    ShowCurrentException();
    return false;
  }
}

/// A slot that runs `fn` through `guarded`.
template <class Fn>
auto guard(Fn fn) {
  return [fn = std::move(fn)]() mutable { guarded(fn); };
}

/// The program's application object: an exception that a handler let
/// through is shown, not passed into Qt's event loop.
class TApplication : public QApplication {
public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace zrv::front
