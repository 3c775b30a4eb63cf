#include "app/Desktop.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QProcess>
#include <QUrl>

namespace zrv::front {

namespace {

TDesktop realDesktop() {
  TDesktop d;
  d.openFile = [](QWidget* parent, const QString& caption, const QString& start, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, caption, start, filter);
  };
  d.saveFile = [](QWidget* parent, const QString& caption, const QString& start, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, caption, start, filter);
  };
  d.execDialog = [](QDialog& dialog) { return dialog.exec(); };
  d.startDetached = [](const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
  };
  d.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  return d;
}

}  // namespace

TDesktop& desktop() {
  static TDesktop d = realDesktop();
  return d;
}

void resetDesktop() { desktop() = realDesktop(); }

}  // namespace zrv::front
