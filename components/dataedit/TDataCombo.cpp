#include "dataedit/TDataCombo.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "base/numbers.h"
#include "evaluator/evaluator.h"
#include "units/units.h"

namespace zrv::comp {

TDataCombo::TDataCombo(QWidget* parent) : QComboBox(parent), TEntryBox(static_cast<QWidget&>(*this)) {
  setEditable(true);
  // Typed entries are numbers, not new items.
  setInsertPolicy(QComboBox::NoInsert);
  setEditText(QStringLiteral("0"));
}

QString TDataCombo::EntrySource() const {
  QString source = currentText();
  const int index = findText(source, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0 && index < m_values.size()) source = m_values.at(index);
  return source;
}

Extended TDataCombo::Number() const { return Evaluate(EntrySource().toStdString()); }

QString TDataCombo::ExpandUnits() const {
  return QString::fromStdString(ComboUnitText(UnitsString().toStdString(), Units()));
}

QString TDataCombo::FormatValue(Extended x) const {
  if (IntegerOnly()) {
    if (auto n = trunc_to_int64(x)) return QString::number(*n);
  }
  return QString::fromStdString(format_general(x, 8));
}

std::string TDataCombo::BoundText(Extended bound) const { return format_general(bound, 8); }

bool TDataCombo::AcceptsKey(QChar upper) {
  return upper == QLatin1Char('-') || upper == QLatin1Char('E') || upper.isDigit() ||
         upper == QLatin1Char('.') || upper == QLatin1Char(decimal_separator());
}

void TDataCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (FocusLeaves(*event)) DoExit();
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
