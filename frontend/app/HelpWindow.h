#pragma once
// The program's own window for the HTML help, for a desktop that has no
// program to show the help page or the PDF manual.

#include <QWidget>

class QLabel;
class QTextBrowser;

namespace zrv::front {

class THelpWindow : public QWidget {
  Q_OBJECT
public:
  /// Shows the HTML file `helpPath` (its figures beside it) under `note`;
  /// an empty note is not shown. The window deletes itself when closed.
  THelpWindow(const QString& helpPath, const QString& note, QWidget* parent = nullptr);

  void SetNote(const QString& note);
  QLabel* Note() const { return m_note; }
  QTextBrowser* Browser() const { return m_browser; }

private:
  QLabel* m_note;
  QTextBrowser* m_browser;
};

/// Shows `helpPath` in the help window of `owner` (made on first use, raised
/// afterwards) with `note` above it. False, showing nothing, when the file
/// does not exist.
bool ShowHelpWindow(QWidget* owner, const QString& helpPath, const QString& note);

/// The note above the help when the PDF manual `pdfPath` could not be opened.
QString ManualNote(const QString& pdfPath);

}  // namespace zrv::front
