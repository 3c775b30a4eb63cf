#include "dataedit/EntryCheck.h"

#include <cmath>

#include "base/exceptions.h"
#include "evaluator/evaluator.h"

namespace zrv::comp {

TEntryCheck CheckEntry(std::string_view text, bool integerOnly, Extended minVal, Extended maxVal) {
  TEntryCheck check;
  Extended x = 0;
  try {
    x = Evaluate(text);
  } catch (const EAssignError& e) {
    check.fault = TEntryFault::Assign;
    check.errorText = e.what();
    return check;
  } catch (const Exception& e) {
    check.fault = TEntryFault::Other;
    check.errorText = e.what();
    return check;
  }
  if (integerOnly && x != std::trunc(x)) {
    check.fault = TEntryFault::Integer;
    return check;
  }
  if (x < minVal) {
    check.fault = TEntryFault::Min;
    check.value = minVal;
    return check;
  }
  if (!(x <= maxVal)) {
    check.fault = TEntryFault::Max;
    check.value = maxVal;
    return check;
  }
  check.value = x;
  return check;
}

std::string EntryFaultMessage(const TEntryCheck& check, bool integerOnly, const std::string& boundText) {
  switch (check.fault) {
    case TEntryFault::None:
      return {};
    case TEntryFault::Assign:
      return integerOnly ? entry_message::kValidInteger : check.errorText;
    case TEntryFault::Integer:
      return entry_message::kInteger;
    case TEntryFault::Min:
      return entry_message::kMin + boundText;
    case TEntryFault::Max:
      return entry_message::kMax + boundText;
    case TEntryFault::Other:
      return check.errorText;
  }
  return {};
}

}  // namespace zrv::comp
