#pragma once
// The numeric edit box of the data forms: one line for one number, typed as
// a number or an arithmetic expression. When the focus leaves the box (or on
// Enter) the entry is evaluated, checked against the integer-only flag and
// the bounds, and written back normalised, or refused with a message while
// the box keeps the focus. An attached label shows the caption and the unit
// expanded for the current unit system.

#include <QLineEdit>
#include <QString>

#include "base/exceptions.h"  // EIntError, EMinError, EMaxError
#include "base/types.h"
#include "dataedit/EntryBox.h"

namespace zrv::comp {

class TDataEdit : public QLineEdit, public TEntryBox {
  Q_OBJECT
public:
  explicit TDataEdit(QWidget* parent = nullptr);

  /// The value: Evaluate(text) with the user's decimal separator; the
  /// evaluator's EAssignError passes through.
  Extended Number() const override;

  bool Hex() const { return m_hex; }
  void SetHex(bool b);

  QString ExpandUnits() const override;
  /// The text a value is shown with (general format, 18 digits, or "$" hex).
  QString FormatValue(Extended x) const override;

protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

  QString EntrySource() const override { return text(); }
  void ShowText(const QString& text) override;
  /// An accepted entry is written back normalised.
  void EntryAccepted(Extended value) override { ShowText(FormatValue(value)); }
  std::string BoundText(Extended bound) const override { return FormatValue(bound).toStdString(); }
  /// Only a visible box takes the focus back.
  void TakeFocusBack() override;

private:
  bool m_hex = false;
};

}  // namespace zrv::comp
