#include "app/ReportWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zrv::front {

TReportWindow::TReportWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("ReportWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  m_text = new QPlainTextEdit(this);
  m_text->setReadOnly(true);
  // The report is laid out in columns: a fixed pitch, lines never wrapped.
  m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
  layout->addWidget(m_text);
  resize(900, 640);
}

bool TReportWindow::Load(const QString& path, QString& reason) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    reason = file.errorString();
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    reason = file.errorString();
    return false;
  }
  m_path = path;
  m_text->setPlainText(QString::fromUtf8(bytes));
  setWindowTitle(QStringLiteral("ZORVIN Report - ") + QDir::toNativeSeparators(path));
  return true;
}

bool ShowReportWindow(QWidget* owner, const QString& path, QString& reason) {
  TReportWindow* window =
      owner ? owner->findChild<TReportWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  const bool made = window == nullptr;
  if (made) window = new TReportWindow(owner);
  if (!window->Load(path, reason)) {
    if (made) delete window;
    return false;
  }
  window->show();
  window->raise();
  window->activateWindow();
  return true;
}

}  // namespace zrv::front
