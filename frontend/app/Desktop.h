#pragma once
// The main window's ways out to the desktop: file dialogs, modal dialogs,
// started programs and opened documents. Each is a replaceable function, so
// that tests answer them and never wait for a person or start a program.

#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QUrl;
class QWidget;

namespace zrv::front {

struct TDesktop {
  /// (parent, caption, start file or folder, filter) -> the chosen file, or
  /// empty when cancelled.
  std::function<QString(QWidget*, const QString&, const QString&, const QString&)> openFile;
  std::function<QString(QWidget*, const QString&, const QString&, const QString&)> saveFile;
  /// Runs a modal dialog; returns its result code.
  std::function<int(QDialog&)> execDialog;
  /// Starts `program` with `arguments` without waiting; false when it could not start.
  std::function<bool(const QString&, const QStringList&)> startDetached;
  /// Opens a document or address with the desktop's associated program.
  std::function<bool(const QUrl&)> openUrl;
};

/// The hooks in use; the real dialogs and services until a test replaces them.
TDesktop& desktop();
/// Puts the real dialogs and services back.
void resetDesktop();

}  // namespace zrv::front
