#pragma once
// The exit check of a numeric entry box, apart from any widget: evaluate the
// text, test it against the integer-only flag and the bounds, and say what
// the user is told when it fails.

#include <string>
#include <string_view>

#include "base/types.h"

namespace zrv::comp {

/// The messages of a refused entry.
namespace entry_message {
inline constexpr const char* kValidInteger = "Entry must be a valid integer.";
inline constexpr const char* kInteger = "Entry must be an integer.";
inline constexpr const char* kMin = "Entry must be greater than or equal to ";
inline constexpr const char* kMax = "Entry must be less than or equal to ";
}  // namespace entry_message

/// Why an entry was refused.
enum class TEntryFault {
  None,     // accepted
  Assign,   // the text could not be evaluated
  Integer,  // integer-only and not integral
  Min,      // below the minimum
  Max,      // above the maximum, or not a number
  Other,    // another component error while evaluating (e.g. "%" by zero)
};

/// Result of CheckEntry.
struct TEntryCheck {
  TEntryFault fault = TEntryFault::None;
  /// The accepted value; for Min and Max the violated bound.
  Extended value = 0;
  /// The evaluator's (or other component error's) message for Assign and Other.
  std::string errorText;
};

/// Evaluates `text` and checks it: not integral while `integerOnly` gives
/// Integer; x < minVal gives Min; not (x <= maxVal) gives Max (so NaN too).
/// Never raises.
TEntryCheck CheckEntry(std::string_view text, bool integerOnly, Extended minVal, Extended maxVal);

/// What the user is told about a refused entry; `boundText` is the violated
/// bound as the box formats it. Empty for an accepted one.
std::string EntryFaultMessage(const TEntryCheck& check, bool integerOnly, const std::string& boundText);

/// The largest extended real the boxes use as their open bound.
inline constexpr Extended kMaxExtended = 1.18973149535723176E4932L;
/// The range an integer-only box's bounds are clamped into.
inline constexpr Extended kMinInteger = -2147483648.0L;
inline constexpr Extended kMaxInteger = 2147483647.0L;

}  // namespace zrv::comp
