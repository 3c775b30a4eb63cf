#pragma once
// The data-form pattern shared by every data form: a child window of the
// main window that loads project fields into its controls when activated
// (and again after a unit switch), stores them back when deactivated, and
// refuses to be left or closed while its focused edit box holds an entry
// that fails its check.

#include <QWidget>

#include "app/IMainForm.h"

namespace zrv::comp {
class TDataEdit;
}

namespace zrv::front {

class TDataForm : public QWidget {
  Q_OBJECT
public:
  /// The form deletes itself when closed.
  explicit TDataForm(IMainForm& main, QWidget* parent = nullptr);

  /// Loads the project's values and unit labels into the controls.
  virtual void FormActivate() = 0;
  /// Stores the controls into the project. Returns false, storing nothing,
  /// when the focused control is an edit box whose check fails (its own
  /// message has been shown); the main window then keeps the form in front.
  bool FormDeactivate();
  /// Closes and frees the form without storing anything, whatever its focused
  /// edit box holds: the project it shows is being replaced.
  void Discard();

protected:
  /// Stores every control into its field (integer fields rounded).
  virtual void StoreEntries() = 0;
  /// The change handlers: mark the project modified.
  void MarkModified();
  /// The focused edit box of this form when its check fails, else null.
  comp::TDataEdit* InvalidFocusedEdit();

  /// Close: refused while the focused edit box is invalid; otherwise the
  /// form is deactivated and freed. A discarded form closes without storing.
  void closeEvent(QCloseEvent* event) override;

  IMainForm& m_main;

private:
  bool m_discarding = false;
};

}  // namespace zrv::front
