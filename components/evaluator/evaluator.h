#pragma once
// The expression evaluator of numeric entries: turns what a user typed into
// a number field ("2*pi*0.5^2", "sqrt(16)", "$ff") into an extended real.
//
// Grammar, worked on the text itself: parenthesised groups are evaluated
// innermost first and replaced by their value written in the 18-digit general
// format; the remaining chain of operands is reduced in four left-to-right
// passes: "^"; "*", "/", "%", "&"; "+", "-", "|"; "=". An operand is a number,
// "pi" or "e", a function name followed by its argument operand, "$" and
// hexadecimal digits, or an operand followed by "!". Every failure raises
// EAssignError with a message that begins "Entry could not be evaluated:" and
// a carriage return.

#include <string_view>

#include "base/types.h"

namespace zrv::comp {

/// The reasons an entry fails, each after "Entry could not be evaluated:\r".
namespace evaluator_message {
inline constexpr const char* kPrefix = "Entry could not be evaluated:\r";
inline constexpr const char* kBlank = "entry cannot be blank";
inline constexpr const char* kParentheses = "() (parentheses) do not match";
inline constexpr const char* kInvalidExpression = "invalid expression";
inline constexpr const char* kFactorial = "! (factoral) applicable to integers only";
inline constexpr const char* kHex = "invalid use of $ (hex function)";
inline constexpr const char* kInvalidCharacters = "invalid character(s) in expression";
/// Safety limits: an integer operation on a value no integer can hold, and
/// operands nested beyond what the evaluator follows.
inline constexpr const char* kIntegerRange = "number too large for an integer";
inline constexpr const char* kTooDeep = "expression nested too deeply";
}  // namespace evaluator_message

/// Value of the expression `text`; raises EAssignError. A "%" whose right
/// operand truncates to 0 raises EDivByZero. Arithmetic on valid numbers
/// follows real arithmetic: 1/0 is an infinity.
Extended Evaluate(std::string_view text);

/// Value of one operand (no binary operators left in it).
Extended EvaluateOperand(std::string_view operand);

/// True when the lower-cased text is a function name, "!" or "$".
bool IsFunctionName(std::string_view text);

/// x! for an integral x, with the sign of x ((-3)! is -6); 0! is 1. A product
/// that exceeds the extended range is an infinity. Raises EAssignError for a
/// value that is not integral.
Extended Factorial(Extended x);

}  // namespace zrv::comp
