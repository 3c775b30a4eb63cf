#pragma once
// The user's decimal separator, taken from a locale at start-up: edit boxes
// and table cells show and accept numbers with it; files keep ".".

class QLocale;

namespace zrv::front {

/// Makes the decimal separator of `locale` the user's separator ("." when
/// the locale's is neither "." nor ","). The program passes the system
/// locale once, before its main window exists.
void TakeDecimalSeparator(const QLocale& locale);

}  // namespace zrv::front
