#pragma once
// "Legend": renames the curves of a plot. The caller hands in the names
// list (one name per curve); the dialog edits its own copy and writes every
// entry back when it closes, however it closes; the caller applies the names
// only on OK.

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zrv::comp {

class TfrmLineNames : public QDialog {
  Q_OBJECT
public:
  explicit TfrmLineNames(QWidget* parent = nullptr);

  /// Fills the list from `names` (kept, not owned) and selects entry 0.
  void SetNames(QStringList* names);

  QLabel* Label1 = nullptr;
  QListWidget* lbLines = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* edLine = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

  /// Enter in the edit, or leaving it: a non-empty text replaces the
  /// selected entry; an empty one is refused with "The line must have a
  /// name!" and the edit gets the entry back.
  void edLineAccept();
  /// The edit shows the selected entry in the curve colour of its index.
  void ShowSelected();

  void done(int result) override;

protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void layOut();
  QStringList* m_names = nullptr;
};

}  // namespace zrv::comp
