#pragma once
// The combo-box twin of the numeric edit box: a number typed as digits (no
// expressions) or picked from a list of named values. Picking an item stands
// for the matching entry of Values. The exit check and its messages are
// those of TDataEdit; an accepted entry is left as typed.

#include <QComboBox>
#include <QString>
#include <QStringList>

#include "base/types.h"
#include "dataedit/EntryBox.h"

namespace zrv::comp {

class TDataCombo : public QComboBox, public TEntryBox {
  Q_OBJECT
public:
  /// An editable combo box holding "0".
  explicit TDataCombo(QWidget* parent = nullptr);

  /// The value: when the text is one of the items, Evaluate of the Values
  /// entry at its index, else Evaluate(text); EAssignError passes through.
  Extended Number() const override;

  /// The values the items stand for, index by index.
  QStringList Values() const { return m_values; }
  void SetValues(const QStringList& values) { m_values = values; }

  /// The combo-box expansion: only F and L are expanded.
  QString ExpandUnits() const override;
  /// IntegerOnly: the value truncated to an integer; else 8 significant digits.
  QString FormatValue(Extended x) const override;

  /// Whether a typed key is taken: backspace, "-", the decimal separator,
  /// digits and "E" (after upper-casing); others are swallowed.
  static bool AcceptsKey(QChar upper);

protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

  /// The typed text, or the Values entry of the item it names.
  QString EntrySource() const override;
  void ShowText(const QString& text) override { setEditText(text); }
  /// An accepted entry is left as typed.
  void EntryAccepted(Extended) override {}
  /// The bound in 8 significant digits, integer-only or not.
  std::string BoundText(Extended bound) const override;
  void TakeFocusBack() override { setFocus(Qt::OtherFocusReason); }

private:
  QStringList m_values;
};

}  // namespace zrv::comp
