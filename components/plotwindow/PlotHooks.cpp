#include "plotwindow/PlotHooks.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

namespace zrv::comp {
namespace {

TModalRunner& modalRunner() {
  static TModalRunner runner;
  return runner;
}
TSaveFileHook& saveFileHook() {
  static TSaveFileHook hook;
  return hook;
}
TPrintDialogHook& printHook() {
  static TPrintDialogHook hook;
  return hook;
}
TPageSetupHook& pageSetupHook() {
  static TPageSetupHook hook;
  return hook;
}

}  // namespace

void setModalRunner(TModalRunner runner) { modalRunner() = std::move(runner); }

int RunModal(QDialog& dialog) {
  if (modalRunner()) return modalRunner()(dialog);
  return dialog.exec();
}

void setSaveFileHook(TSaveFileHook hook) { saveFileHook() = std::move(hook); }

QString AskSaveFileName(QWidget* parent, const QString& filter, const QString& suffix) {
  QString name;
  if (saveFileHook()) {
    name = saveFileHook()(parent, filter, suffix);
  } else {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      name = dialog.selectedFiles().constFirst();
  }
  if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += "." + suffix;
  return name;
}

void setPrintDialogHook(TPrintDialogHook hook) { printHook() = std::move(hook); }

bool RunPrintDialog(QPrinter& printer, QWidget* parent) {
  if (printHook()) return printHook()(printer, parent);
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

void setPageSetupHook(TPageSetupHook hook) { pageSetupHook() = std::move(hook); }

bool RunPageSetupDialog(QPrinter& printer, QWidget* parent) {
  if (pageSetupHook()) return pageSetupHook()(printer, parent);
  QPageSetupDialog dialog(&printer, parent);
  // Centred across the screen, its top at a third of the free height.
  dialog.adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect s = screen->availableGeometry();
    dialog.move(s.left() + (s.width() - dialog.width()) / 2, s.top() + (s.height() - dialog.height()) / 3);
  }
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace zrv::comp
