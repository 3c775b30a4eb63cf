#include "dataedit/TDataEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <optional>
#include <cstdint>

#include "base/numbers.h"
#include "evaluator/evaluator.h"
#include "ui/UiHooks.h"
#include "units/units.h"

namespace zrv::comp {

namespace {

// Keys that extend the current entry instead of replacing a selected one.
bool isOperatorKey(const QString& text) {
  return text.size() == 1 && QStringLiteral("+-/*^=%!").contains(text.front());
}

// The evaluated text, or nothing when it does not evaluate.
std::optional<Extended> tryNumber(const TDataEdit& edit) {
  try {
    return edit.Number();
  } catch (const Exception&) {
    return std::nullopt;
  }
}

}  // namespace

TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent) { setText(QStringLiteral("0")); }

Extended TDataEdit::Number() const { return Evaluate(text().toStdString()); }

void TDataEdit::SetNumber(Extended x) {
  if (x > m_maxVal) x = m_maxVal;
  if (x < m_minVal) x = m_minVal;
  setText(FormatValue(x));
}

Extended TDataEdit::IntegerClamp(Extended x) const {
  if (!m_integerOnly) return x;
  return std::clamp(x, kMinInteger, kMaxInteger);
}

void TDataEdit::SetMaxVal(Extended x) {
  x = IntegerClamp(std::max(x, m_minVal));
  // The bound is stored before the value is moved to it, so that the value
  // shown is the new bound and not the old one.
  m_maxVal = x;
  if (auto current = tryNumber(*this); current && *current > x) SetNumber(x);
}

void TDataEdit::SetMinVal(Extended x) {
  x = IntegerClamp(std::min(x, m_maxVal));
  m_minVal = x;
  if (auto current = tryNumber(*this); current && x > *current) SetNumber(x);
}

void TDataEdit::SetIntegerOnly(bool b) {
  m_integerOnly = b;
  if (b) {
    SetMaxVal(m_maxVal);
    SetMinVal(m_minVal);
  }
}

void TDataEdit::SetHex(bool b) {
  if (m_hex == b) return;
  m_hex = b;
  if (auto current = tryNumber(*this)) setText(FormatValue(*current));
}

void TDataEdit::SetCaption(const QString& caption) {
  m_caption = caption;
  UpdateLabel();
}

QLabel* TDataEdit::EditLabel() const { return m_label.data(); }

void TDataEdit::SetEditLabel(QLabel* label) {
  m_label = label;
  if (label) label->setBuddy(this);
  UpdateLabel();
}

void TDataEdit::SetUnitsString(const QString& code) {
  m_unitsString = code;
  UpdateLabel();
}

void TDataEdit::SetUnits(int units) {
  m_units = std::clamp(units, kUnitsEnglish, kUnitsSymbolic);
  UpdateLabel();
}

QString TDataEdit::ExpandUnits() const {
  return QString::fromStdString(EditUnitText(m_unitsString.toStdString(), m_units));
}

void TDataEdit::UpdateLabel() {
  if (!m_label) return;
  m_label->setEnabled(isEnabled());
  if (m_unitsString.isEmpty())
    m_label->setText(m_caption);
  else
    m_label->setText(m_caption + QStringLiteral(" (") + ExpandUnits() + QStringLiteral(")"));
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

bool TDataEdit::IsValid() {
  DoExit();
  return m_valid;
}

void TDataEdit::DoExit() {
  // A message box or the focus taken back must not start a second check.
  if (m_inExit) return;
  m_inExit = true;
  m_valid = false;
  const TEntryCheck check = CheckEntry(text().toStdString(), m_integerOnly, m_minVal, m_maxVal);
  if (check.fault == TEntryFault::None) {
    setText(FormatValue(check.value));
    m_valid = true;
  } else {
    // A bound violation replaces the entry by the bound it broke.
    const bool bound = check.fault == TEntryFault::Min || check.fault == TEntryFault::Max;
    if (bound) SetNumber(check.value);
    const std::string boundText = bound ? FormatValue(check.value).toStdString() : std::string();
    ShowInformation(QString::fromStdString(EntryFaultMessage(check, m_integerOnly, boundText)));
    TakeFocusBack();
  }
  m_inExit = false;
}

void TDataEdit::TakeFocusBack() {
  if (isVisible()) setFocus(Qt::OtherFocusReason);
}

void TDataEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Only a move of the focus to another control of the window leaves the
  // box; a menu, a message box or another application taking the focus does
  // not, nor does the window going away.
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  if (!isVisible() || !window()->isVisible()) return;
  DoExit();
}

void TDataEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    DoExit();
    selectAll();
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
