#pragma once
// The program's own read-only window for the report of a run, for a desktop
// that has no program to open the report with and no editor configured.

#include <QWidget>

class QPlainTextEdit;

namespace zrv::front {

class TReportWindow : public QWidget {
  Q_OBJECT
public:
  /// An empty window; it deletes itself when closed.
  explicit TReportWindow(QWidget* parent = nullptr);

  /// Shows the text of `path` (its title names the file). False, leaving
  /// the window as it was, when the file cannot be read; `reason` then
  /// holds the system's reason.
  bool Load(const QString& path, QString& reason);
  QString Path() const { return m_path; }
  QPlainTextEdit* Text() const { return m_text; }

private:
  QPlainTextEdit* m_text;
  QString m_path;
};

/// Shows the report `path` in the report window of `owner` (made on first
/// use, read again and raised afterwards). False, showing nothing, when the
/// file cannot be read; `reason` then holds the system's reason.
bool ShowReportWindow(QWidget* owner, const QString& path, QString& reason);

}  // namespace zrv::front
