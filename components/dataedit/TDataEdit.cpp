#include "dataedit/TDataEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <cstdint>

#include "base/numbers.h"
#include "evaluator/evaluator.h"
#include "units/units.h"

namespace zrv::comp {

namespace {

// Keys that extend the current entry instead of replacing a selected one.
bool isOperatorKey(const QString& text) {
  return text.size() == 1 && QStringLiteral("+-/*^=%!").contains(text.front());
}

}  // namespace

TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent), TEntryBox(static_cast<QWidget&>(*this)) {
  ShowText(QStringLiteral("0"));
}

void TDataEdit::ShowText(const QString& text) {
  setText(text);
  // A value longer than the box shows its leading digits: a tail such as
  // "26.49501661129568" of 4726.49501661129568 would be misread.
  home(false);
}

Extended TDataEdit::Number() const { return Evaluate(text().toStdString()); }

void TDataEdit::SetHex(bool b) {
  if (m_hex == b) return;
  m_hex = b;
  if (auto current = TryNumber()) ShowText(FormatValue(*current));
}

QString TDataEdit::ExpandUnits() const {
  return QString::fromStdString(EditUnitText(UnitsString().toStdString(), Units()));
}

QString TDataEdit::FormatValue(Extended x) const {
  if (m_hex) {
    // "$" and at least four hexadecimal digits of the rounded value; a
    // negative one in its 32-bit two's complement.
    if (auto n = round_to_int32(x))
      return QStringLiteral("$") +
             QStringLiteral("%1").arg(static_cast<std::uint32_t>(*n), 4, 16, QLatin1Char('0')).toUpper();
  }
  return QString::fromStdString(format_general(x, 18));
}

void TDataEdit::TakeFocusBack() {
  if (isVisible()) setFocus(Qt::OtherFocusReason);
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (FocusLeaves(*event)) DoExit();
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    DoExit();
    // The whole entry selected, the caret before its first digit.
    setSelection(static_cast<int>(text().size()), -static_cast<int>(text().size()));
    event->accept();
    return;
  }
  if (isOperatorKey(event->text()) && hasSelectedText() && selectedText() == text()) end(false);
  QLineEdit::keyPressEvent(event);
}

void TDataEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) UpdateLabel();
}

}  // namespace zrv::comp
