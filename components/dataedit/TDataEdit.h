#pragma once
// The numeric edit box of the data forms: one line for one number, typed as
// a number or an arithmetic expression. When the focus leaves the box (or on
// Enter) the entry is evaluated, checked against the integer-only flag and
// the bounds, and written back normalised, or refused with a message while
// the box keeps the focus. An attached label shows the caption and the unit
// expanded for the current unit system.

#include <QLineEdit>
#include <QPointer>
#include <QString>

#include "base/exceptions.h"  // EIntError, EMinError, EMaxError
#include "base/types.h"
#include "dataedit/EntryCheck.h"

class QLabel;

namespace zrv::comp {

class TDataEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TDataEdit(QWidget* parent = nullptr);

  /// The value: Evaluate(text) with the user's decimal separator; the
  /// evaluator's EAssignError passes through.
  Extended Number() const;
  /// Clamps x into MinVal..MaxVal and shows it formatted (textChanged fires).
  void SetNumber(Extended x);

  /// Bounds; an open bound is +-kMaxExtended. A new bound is kept on its
  /// side of the other one (and in the 32-bit range when IntegerOnly); a
  /// current value beyond it is replaced by it. A text that does not evaluate
  /// at that moment is left for the exit check.
  Extended MaxVal() const { return m_maxVal; }
  void SetMaxVal(Extended x);
  Extended MinVal() const { return m_minVal; }
  void SetMinVal(Extended x);
  bool IntegerOnly() const { return m_integerOnly; }
  /// True re-applies both bounds, clamping them into the 32-bit range.
  void SetIntegerOnly(bool b);
  bool Hex() const { return m_hex; }
  void SetHex(bool b);

  QString Caption() const { return m_caption; }
  void SetCaption(const QString& caption);
  QLabel* EditLabel() const;
  /// The label shows caption and unit and gets this box as its buddy; it is
  /// not owned (a deleted label is forgotten).
  void SetEditLabel(QLabel* label);
  QString UnitsString() const { return m_unitsString; }
  void SetUnitsString(const QString& code);
  int Units() const { return m_units; }
  /// Stored clamped to 1..3 (0 or less gives 1).
  void SetUnits(int units);

  /// Runs the exit check and returns whether the entry was accepted. A
  /// refused entry has had its message shown; the box took the focus back
  /// when visible, and a bound violation replaced the entry by the bound.
  bool IsValid();
  /// Label caption: Caption + " (" + ExpandUnits() + ")", or Caption alone
  /// without a unit code; label enabled as the box.
  void UpdateLabel();
  QString ExpandUnits() const;

  /// The text a value is shown with (general format, 18 digits, or "$" hex).
  QString FormatValue(Extended x) const;

protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void DoExit();
  void TakeFocusBack();
  // The bound clamp of an integer-only box.
  Extended IntegerClamp(Extended x) const;

  Extended m_maxVal = kMaxExtended;
  Extended m_minVal = -kMaxExtended;
  bool m_integerOnly = false;
  bool m_hex = false;
  bool m_valid = false;
  QString m_caption;
  QPointer<QLabel> m_label;
  QString m_unitsString;
  int m_units = 1;
  bool m_inExit = false;
};

}  // namespace zrv::comp
