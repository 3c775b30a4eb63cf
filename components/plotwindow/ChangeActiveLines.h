#pragma once
// "Active Curves": chooses which curves are listed in the legend and drawn.
// The caller hands in the names and a state list (" yes : " or " no  : " per
// curve); the dialog changes the states in place and the caller applies
// them on OK.

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace zrv::comp {

inline constexpr const char* kCurveYes = " yes : ";
inline constexpr const char* kCurveNo = " no  : ";

/// The state after a toggle: " yes : " from anything else, else " no  : ".
QString ToggledCurveState(const QString& state);

class TfrmActiveLines : public QDialog {
  Q_OBJECT
public:
  explicit TfrmActiveLines(QWidget* parent = nullptr);

  /// Fills one entry per curve (state + "   " + name) and selects entry 0.
  /// Both lists are kept, not owned, and must have the same length.
  void SetLines(const QStringList* names, QStringList* states);

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QListWidget* lbLines = nullptr;
  QPushButton* ActivateDesactivateButton = nullptr;
  QPushButton* ActivateButton = nullptr;
  QPushButton* DesactivateButton = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;

  void Toggle(int i);
  /// Toggles every selected entry.
  void ActivateDesactivateButtonClick();
  void ActivateButtonClick();
  void DesactivateButtonClick();

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void rewrite(int i);
  void layOut();
  const QStringList* m_names = nullptr;
  QStringList* m_states = nullptr;
};

}  // namespace zrv::comp
