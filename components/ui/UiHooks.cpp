#include "ui/UiHooks.h"

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace zrv::comp {
namespace {

TMessageHook& messageHook() {
  static TMessageHook hook;
  return hook;
}

TChildHost& childHost() {
  static TChildHost host;
  return host;
}

QString boxTitle() { return QApplication::applicationName(); }

// Messages end their lines with a carriage return ("Entry could not be
// evaluated:\r..."), which a label does not break on.
QString boxText(const QString& text) {
  QString shown = text;
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace

void setMessageHook(TMessageHook hook) { messageHook() = std::move(hook); }

void ShowInformation(const QString& text) {
  if (messageHook()) {
    messageHook()(TMsgKind::Information, text);
    return;
  }
  QMessageBox::information(QApplication::activeWindow(), boxTitle(), boxText(text), QMessageBox::Ok);
}

TMsgResult AskYesNoCancel(const QString& text) {
  if (messageHook()) return messageHook()(TMsgKind::Confirmation, text);
  const auto button = QMessageBox::question(QApplication::activeWindow(), boxTitle(), boxText(text),
                                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                            QMessageBox::Yes);
  if (button == QMessageBox::Yes) return TMsgResult::Yes;
  if (button == QMessageBox::No) return TMsgResult::No;
  return TMsgResult::Cancel;
}

TMsgResult AskReloadOverwrite(const QString& text) {
  if (messageHook()) return messageHook()(TMsgKind::FileChanged, text);
  QMessageBox box(QMessageBox::Question, boxTitle(), boxText(text), QMessageBox::NoButton,
                  QApplication::activeWindow());
  QPushButton* reload = box.addButton(QStringLiteral("&Reload"), QMessageBox::AcceptRole);
  QPushButton* overwrite = box.addButton(QStringLiteral("&Overwrite"), QMessageBox::DestructiveRole);
  // Cancel, the answer that loses nothing, is also the default.
  box.setDefaultButton(box.addButton(QMessageBox::Cancel));
  box.exec();
  if (box.clickedButton() == reload) return TMsgResult::Reload;
  if (box.clickedButton() == overwrite) return TMsgResult::Overwrite;
  return TMsgResult::Cancel;
}

void ShowError(const QString& text) {
  if (messageHook()) {
    messageHook()(TMsgKind::Error, text);
    return;
  }
  QMessageBox::critical(QApplication::activeWindow(), boxTitle(), boxText(text), QMessageBox::Ok);
}

void setChildHost(TChildHost host) { childHost() = std::move(host); }

void ShowAsChild(QWidget* child) {
  if (childHost()) {
    childHost()(child);
    return;
  }
  child->show();
  child->raise();
  child->activateWindow();
}

bool MenusInUse() {
  if (QApplication::activePopupWidget() != nullptr) return true;
  for (QWidget* top : QApplication::topLevelWidgets())
    for (const QMenuBar* bar : top->findChildren<QMenuBar*>())
      if (bar->activeAction() != nullptr) return true;
  return false;
}

}  // namespace zrv::comp
