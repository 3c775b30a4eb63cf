#include "dataedit/TDataCombo.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "evaluator/evaluator.h"
#include "ui/UiHooks.h"
#include "units/units.h"

namespace zrv::comp {

TDataCombo::TDataCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  // Typed entries are numbers, not new items.
  setInsertPolicy(QComboBox::NoInsert);
  setEditText(QStringLiteral("0"));
}

Extended TDataCombo::Number() const {
  QString source = currentText();
  const int index = findText(source, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0 && index < m_values.size()) source = m_values.at(index);
  return Evaluate(source.toStdString());
}

std::optional<Extended> TDataCombo::TryNumber() const {
  try {
    return Number();
  } catch (const Exception&) {
    return std::nullopt;
  }
}

void TDataCombo::SetNumber(Extended x) {
  if (x > m_maxVal) x = m_maxVal;
  if (x < m_minVal) x = m_minVal;
  setEditText(FormatValue(x));
}

Extended TDataCombo::IntegerClamp(Extended x) const {
  if (!m_integerOnly) return x;
  return std::clamp(x, kMinInteger, kMaxInteger);
}

void TDataCombo::SetMaxVal(Extended x) {
  x = IntegerClamp(std::max(x, m_minVal));
  m_maxVal = x;
  if (auto current = TryNumber(); current && *current > x) SetNumber(x);
}

void TDataCombo::SetMinVal(Extended x) {
  x = IntegerClamp(std::min(x, m_maxVal));
  m_minVal = x;
  if (auto current = TryNumber(); current && x > *current) SetNumber(x);
}

void TDataCombo::SetIntegerOnly(bool b) {
  m_integerOnly = b;
  if (b) {
    SetMaxVal(m_maxVal);
    SetMinVal(m_minVal);
  }
}

void TDataCombo::SetCaption(const QString& caption) {
  m_caption = caption;
  UpdateLabel();
}

QLabel* TDataCombo::EditLabel() const { return m_label.data(); }

void TDataCombo::SetEditLabel(QLabel* label) {
  m_label = label;
  if (label) label->setBuddy(this);
  UpdateLabel();
}

void TDataCombo::SetUnitsString(const QString& code) {
  m_unitsString = code;
  UpdateLabel();
}

void TDataCombo::SetUnits(int units) {
  m_units = std::clamp(units, kUnitsEnglish, kUnitsSymbolic);
  UpdateLabel();
}

QString TDataCombo::ExpandUnits() const {
  return QString::fromStdString(ComboUnitText(m_unitsString.toStdString(), m_units));
}

void TDataCombo::UpdateLabel() {
  if (!m_label) return;
  m_label->setEnabled(isEnabled());
  if (m_unitsString.isEmpty())
    m_label->setText(m_caption);
  else
    m_label->setText(m_caption + QStringLiteral(" (") + ExpandUnits() + QStringLiteral(")"));
}

QString TDataCombo::FormatValue(Extended x) const {
  if (m_integerOnly) {
    if (auto n = trunc_to_int64(x)) return QString::number(*n);
  }
  return QString::fromStdString(format_general(x, 8));
}

bool TDataCombo::AcceptsKey(QChar upper) {
  return upper == QLatin1Char('-') || upper == QLatin1Char('E') || upper.isDigit() ||
         upper == QLatin1Char('.') || upper == QLatin1Char(decimal_separator());
}

bool TDataCombo::IsValid() {
  DoExit();
  return m_valid;
}

void TDataCombo::DoExit() {
  if (m_inExit) return;
  m_inExit = true;
  m_valid = false;
  QString source = currentText();
  const int index = findText(source, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0 && index < m_values.size()) source = m_values.at(index);
  const TEntryCheck check = CheckEntry(source.toStdString(), m_integerOnly, m_minVal, m_maxVal);
  if (check.fault == TEntryFault::None) {
    m_valid = true;
  } else {
    const bool bound = check.fault == TEntryFault::Min || check.fault == TEntryFault::Max;
    if (bound) SetNumber(check.value);
    const std::string boundText = bound ? format_general(check.value, 8) : std::string();
    ShowInformation(QString::fromStdString(EntryFaultMessage(check, m_integerOnly, boundText)));
    setFocus(Qt::OtherFocusReason);
  }
  m_inExit = false;
}

void TDataCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  const Qt::FocusReason reason = event->reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
  if (!isVisible() || !window()->isVisible()) return;
  DoExit();
}

void TDataCombo::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (text.size() == 1 && text.front().isPrint()) {
    const QChar upper = text.front().toUpper();
    if (!AcceptsKey(upper)) {
      event->accept();
      return;
    }
    if (upper != text.front()) {
      QKeyEvent converted(event->type(), event->key(), event->modifiers(), QString(upper));
      QComboBox::keyPressEvent(&converted);
      return;
    }
  }
  QComboBox::keyPressEvent(event);
}

void TDataCombo::changeEvent(QEvent* event) {
  QComboBox::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) UpdateLabel();
}

}  // namespace zrv::comp
