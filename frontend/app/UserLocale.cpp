#include "app/UserLocale.h"

#include <QLocale>

#include "base/numbers.h"

namespace zrv::front {

void TakeDecimalSeparator(const QLocale& locale) {
  // Only these two keep the evaluator's operators and the number texts apart.
  const QString point = locale.decimalPoint();
  comp::set_decimal_separator(point == QLatin1String(",") ? ',' : '.');
}

}  // namespace zrv::front
