#include "dataedit/EntryBox.h"

#include <QFocusEvent>
#include <QLabel>
#include <algorithm>

#include "base/exceptions.h"
#include "ui/UiHooks.h"
#include "units/units.h"

namespace zrv::comp {

std::optional<Extended> TEntryBox::TryNumber() const {
  try {
    return Number();
  } catch (const Exception&) {
    return std::nullopt;
  }
}

void TEntryBox::SetNumber(Extended x) {
  if (x > m_maxVal) x = m_maxVal;
  if (x < m_minVal) x = m_minVal;
  ShowText(FormatValue(x));
}

Extended TEntryBox::IntegerClamp(Extended x) const {
  if (!m_integerOnly) return x;
  return std::clamp(x, kMinInteger, kMaxInteger);
}

void TEntryBox::SetMaxVal(Extended x) {
  x = IntegerClamp(std::max(x, m_minVal));
  // The bound is stored before the value is moved to it, so that the value
  // shown is the new bound and not the old one.
  m_maxVal = x;
  if (auto current = TryNumber(); current && *current > x) SetNumber(x);
}

void TEntryBox::SetMinVal(Extended x) {
  x = IntegerClamp(std::min(x, m_maxVal));
  m_minVal = x;
  if (auto current = TryNumber(); current && x > *current) SetNumber(x);
}

void TEntryBox::SetIntegerOnly(bool b) {
  m_integerOnly = b;
  if (b) {
    SetMaxVal(m_maxVal);
    SetMinVal(m_minVal);
  }
}

void TEntryBox::SetCaption(const QString& caption) {
  m_caption = caption;
  UpdateLabel();
}

QLabel* TEntryBox::EditLabel() const { return m_label.data(); }

void TEntryBox::SetEditLabel(QLabel* label) {
  m_label = label;
  if (label) label->setBuddy(&m_box);
  UpdateLabel();
}

void TEntryBox::SetUnitsString(const QString& code) {
  m_unitsString = code;
  UpdateLabel();
}

void TEntryBox::SetUnits(int units) {
  m_units = std::clamp(units, kUnitsEnglish, kUnitsSymbolic);
  UpdateLabel();
}

void TEntryBox::UpdateLabel() {
  if (!m_label) return;
  m_label->setEnabled(m_box.isEnabled());
  if (m_unitsString.isEmpty())
    m_label->setText(m_caption);
  else
    m_label->setText(m_caption + QStringLiteral(" (") + ExpandUnits() + QStringLiteral(")"));
}

bool TEntryBox::IsValid() {
  DoExit();
  return m_valid;
}

void TEntryBox::DoExit() {
  // A message box or the focus taken back must not start a second check.
  if (m_inExit) return;
  m_inExit = true;
  m_valid = false;
  const TEntryCheck check = CheckEntry(EntrySource().toStdString(), m_integerOnly, m_minVal, m_maxVal);
  if (check.fault == TEntryFault::None) {
    EntryAccepted(check.value);
    m_valid = true;
  } else {
    // A bound violation replaces the entry by the bound it broke.
    const bool bound = check.fault == TEntryFault::Min || check.fault == TEntryFault::Max;
    if (bound) SetNumber(check.value);
    const std::string boundText = bound ? BoundText(check.value) : std::string();
    ShowInformation(QString::fromStdString(EntryFaultMessage(check, m_integerOnly, boundText)));
    TakeFocusBack();
  }
  m_inExit = false;
}

bool TEntryBox::FocusLeaves(const QFocusEvent& event) const {
  const Qt::FocusReason reason = event.reason();
  if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason)
    return false;
  return m_box.isVisible() && m_box.window()->isVisible();
}

}  // namespace zrv::comp
