#pragma once
// The one place where the component library and the program talk to the
// user through modal boxes and place their child windows. Everything goes
// through replaceable hooks, so that tests answer the boxes and see the
// windows without a person at the screen.

#include <QString>
#include <functional>

class QWidget;

namespace zrv::comp {

/// The kinds of modal box the system shows.
enum class TMsgKind {
  Information,   // OK
  Confirmation,  // Yes / No / Cancel
  Error,         // OK: the application's default handler for an exception
  FileChanged,   // Reload / Overwrite / Cancel: a file changed on disk before it is written over
};

/// The button that closed a box.
enum class TMsgResult { Ok, Yes, No, Cancel, Reload, Overwrite };

/// Answers a box: (kind, text) -> the button. Installed by tests.
using TMessageHook = std::function<TMsgResult(TMsgKind, const QString&)>;

/// Replaces the boxes by `hook` (an empty hook restores the real boxes).
void setMessageHook(TMessageHook hook);

/// An information box with an OK button.
void ShowInformation(const QString& text);
/// A confirmation box with Yes, No and Cancel; Cancel when closed otherwise.
TMsgResult AskYesNoCancel(const QString& text);
/// A question with Reload, Overwrite and Cancel, asked before a file that
/// changed on disk is written over; Cancel when closed otherwise.
TMsgResult AskReloadOverwrite(const QString& text);
/// What the application's default handler shows for an exception that
/// reaches the user interface: the exception's message, OK.
void ShowError(const QString& text);

/// True while a menu is open or a menu bar is being worked from the
/// keyboard. A modal box shown then would run its own event loop under the
/// code that is opening the menu and could close the menu beneath it, so a
/// refusal waits and looks again every `kMenusRetryMs` milliseconds.
bool MenusInUse();
constexpr int kMenusRetryMs = 50;

/// Places a child window of the main window (a multiple-document child).
/// The main window installs it; without one, the window is shown on its own.
using TChildHost = std::function<void(QWidget* child)>;
void setChildHost(TChildHost host);
/// Shows `child` as a child window of the main window (or on its own).
void ShowAsChild(QWidget* child);

}  // namespace zrv::comp
