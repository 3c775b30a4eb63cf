#pragma once
// The combo-box twin of the numeric edit box: a number typed as digits (no
// expressions) or picked from a list of named values. Picking an item stands
// for the matching entry of Values. The exit check and its messages are
// those of TDataEdit; an accepted entry is left as typed.

#include <QComboBox>
#include <QPointer>
#include <QString>
#include <QStringList>

#include "base/types.h"
#include "dataedit/EntryCheck.h"

class QLabel;

namespace zrv::comp {

class TDataCombo : public QComboBox {
  Q_OBJECT
public:
  /// An editable combo box holding "0".
  explicit TDataCombo(QWidget* parent = nullptr);

  /// The value: when the text is one of the items, Evaluate of the Values
  /// entry at its index, else Evaluate(text); EAssignError passes through.
  Extended Number() const;
  /// Clamps x into MinVal..MaxVal and shows it formatted.
  void SetNumber(Extended x);

  Extended MaxVal() const { return m_maxVal; }
  void SetMaxVal(Extended x);
  Extended MinVal() const { return m_minVal; }
  void SetMinVal(Extended x);
  bool IntegerOnly() const { return m_integerOnly; }
  void SetIntegerOnly(bool b);

  /// The values the items stand for, index by index.
  QStringList Values() const { return m_values; }
  void SetValues(const QStringList& values) { m_values = values; }

  QString Caption() const { return m_caption; }
  void SetCaption(const QString& caption);
  QLabel* EditLabel() const;
  void SetEditLabel(QLabel* label);
  QString UnitsString() const { return m_unitsString; }
  void SetUnitsString(const QString& code);
  int Units() const { return m_units; }
  /// Stored clamped to 1..3 (0 or less gives 1).
  void SetUnits(int units);

  bool IsValid();
  /// Label caption: Caption + " (" + ExpandUnits() + ")", or Caption alone.
  void UpdateLabel();
  /// The combo-box expansion: only F and L are expanded.
  QString ExpandUnits() const;

  /// IntegerOnly: the value truncated to an integer; else 8 significant digits.
  QString FormatValue(Extended x) const;

  /// Whether a typed key is taken: backspace, "-", the decimal separator,
  /// digits and "E" (after upper-casing); others are swallowed.
  static bool AcceptsKey(QChar upper);

protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void DoExit();
  Extended IntegerClamp(Extended x) const;
  std::optional<Extended> TryNumber() const;

  Extended m_maxVal = kMaxExtended;
  Extended m_minVal = -kMaxExtended;
  bool m_integerOnly = false;
  bool m_valid = false;
  QStringList m_values;
  QString m_caption;
  QPointer<QLabel> m_label;
  QString m_unitsString;
  int m_units = 1;
  bool m_inExit = false;
};

}  // namespace zrv::comp
