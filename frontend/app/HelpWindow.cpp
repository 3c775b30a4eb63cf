#include "app/HelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zrv::front {

THelpWindow::THelpWindow(const QString& helpPath, const QString& note, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("ZORVIN Help"));
  auto* layout = new QVBoxLayout(this);
  m_note = new QLabel(this);
  m_note->setWordWrap(true);
  m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(m_note);
  m_browser = new QTextBrowser(this);
  m_browser->setOpenLinks(true);
  m_browser->setOpenExternalLinks(false);
  layout->addWidget(m_browser, 1);
  // The figures are found beside the page.
  m_browser->setSearchPaths({QFileInfo(helpPath).absolutePath()});
  m_browser->setSource(QUrl::fromLocalFile(helpPath));
  SetNote(note);
  resize(820, 640);
}

void THelpWindow::SetNote(const QString& note) {
  m_note->setText(note);
  m_note->setVisible(!note.isEmpty());
}

bool ShowHelpWindow(QWidget* owner, const QString& helpPath, const QString& note) {
  if (!QFileInfo::exists(helpPath)) return false;
  THelpWindow* window = owner ? owner->findChild<THelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  if (window) {
    window->SetNote(note);
  } else {
    window = new THelpWindow(helpPath, note, owner);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return true;
}

QString ManualNote(const QString& pdfPath) {
  return QStringLiteral("No program to show the PDF manual was found. The manual is the file ") +
         QDir::toNativeSeparators(pdfPath) + QStringLiteral("; its text is shown below.");
}

}  // namespace zrv::front
