#include "evaluator/evaluator.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "base/exceptions.h"
#include "base/numbers.h"

namespace zrv::comp {

namespace {

namespace msg = evaluator_message;

// Stands for a binary minus once the minus signs are classified.
constexpr char kBinaryMinus = static_cast<char>(155);
// Leads the text of an intermediate infinity or NaN, which the number format
// cannot carry; users do not type it.
constexpr char kSpecialMark = '\x7f';
// Deepest chain of function prefixes and "!" suffixes followed.
constexpr int kMaxOperandDepth = 500;

[[noreturn]] void fail(const char* reason) { throw EAssignError(std::string(msg::kPrefix) + reason); }

bool is_operator(char c) {
  switch (c) {
    case '^': case '*': case '/': case '%': case '&': case '+': case kBinaryMinus: case '|': case '=':
      return true;
    default:
      return false;
  }
}

// An intermediate value as text, read back by EvaluateOperand.
std::string value_text(Extended v) {
  if (std::isnan(v)) return std::string(1, kSpecialMark) + "NAN";
  if (std::isinf(v)) return (v < 0 ? "-" : "") + std::string(1, kSpecialMark) + "INF";
  return format_general(v, 18);
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// The result of a checked real-to-integer conversion; a value that the
// integer cannot hold (or that is not finite) fails the entry.
template <class Int>
Int in_range(std::optional<Int> converted) {
  if (!converted) fail(msg::kIntegerRange);
  return *converted;
}

using Function = Extended (*)(Extended);

struct NamedFunction {
  const char* name;
  Function f;
};

// Tried in this order; the first name the operand begins with wins.
const NamedFunction kFunctions[] = {
    {"arctanh", [](Extended x) { return std::atanh(x); }},
    {"arctan", [](Extended x) { return std::atan(x); }},
    {"cotan", [](Extended x) { return 1 / std::tan(x); }},
    {"tanh", [](Extended x) { return std::tanh(x); }},
    {"tan", [](Extended x) { return std::tan(x); }},
    {"arccosh", [](Extended x) { return std::acosh(x); }},
    {"arccos", [](Extended x) { return std::acos(x); }},
    {"cosh", [](Extended x) { return std::cosh(x); }},
    {"cosec", [](Extended x) { return 1 / std::sin(x); }},
    {"cos", [](Extended x) { return std::cos(x); }},
    {"sec", [](Extended x) { return 1 / std::cos(x); }},
    {"arcsinh", [](Extended x) { return std::asinh(x); }},
    {"arcsin", [](Extended x) { return std::asin(x); }},
    {"sinh", [](Extended x) { return std::sinh(x); }},
    {"sin", [](Extended x) { return std::sin(x); }},
    {"csc", [](Extended x) { return 1 / std::sin(x); }},
    {"abs", [](Extended x) { return std::fabs(x); }},
    {"frac", [](Extended x) { return std::isinf(x) ? std::copysign(0.0L, x) : x - std::trunc(x); }},
    {"int", [](Extended x) { return std::trunc(x); }},
    {"ln", [](Extended x) { return std::log(x); }},
    {"round", [](Extended x) { return round_half_even(x); }},
    {"ceil", [](Extended x) { return static_cast<Extended>(in_range(trunc_to_int32(std::ceil(x)))); }},
    {"floor", [](Extended x) { return static_cast<Extended>(in_range(trunc_to_int32(std::floor(x)))); }},
    {"log", [](Extended x) { return std::log10(x); }},
    {"sqrt", [](Extended x) { return std::sqrt(x); }},
};

Extended hex_value(std::string_view digits) {
  if (digits.empty()) fail(msg::kHex);
  std::uint64_t v = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else fail(msg::kHex);
    v = v * 16 + static_cast<std::uint64_t>(d);
    if (v > 0xFFFFFFFFu) fail(msg::kHex);
  }
  // A 32-bit integer: eight digits wrap into the negative range.
  return static_cast<Extended>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

// Removes every "--" pair (a doubled sign cancels) and lower-cases. The
// result holds no "--" and no capitals, so the tail of a normalised operand
// needs no second pass.
std::string normalise(std::string_view operand) {
  std::string op;
  op.reserve(operand.size());
  for (std::size_t i = 0; i < operand.size(); ++i) {
    if (operand[i] == '-' && i + 1 < operand.size() && operand[i + 1] == '-') {
      ++i;
      continue;
    }
    op += operand[i];
  }
  return lower(op);
}

// Value of a normalised operand.
Extended operand_value(std::string_view op, int depth) {
  if (depth > kMaxOperandDepth) fail(msg::kTooDeep);
  if (op == "pi") return std::numbers::pi_v<Extended>;
  if (op == "-pi") return -std::numbers::pi_v<Extended>;
  if (op == "e") return std::numbers::e_v<Extended>;
  if (op == "-e") return -std::numbers::e_v<Extended>;

  for (const auto& fn : kFunctions) {
    const std::string_view name(fn.name);
    if (op.compare(0, name.size(), name) == 0)
      return fn.f(operand_value(op.substr(name.size()), depth + 1));
  }
  if (!op.empty() && op.back() == '!')
    return Factorial(operand_value(op.substr(0, op.size() - 1), depth + 1));
  if (!op.empty() && op.front() == '$') return hex_value(op.substr(1));

  const std::string_view body = (!op.empty() && op.front() == '-') ? op.substr(1) : op;
  if (!body.empty() && body.front() == kSpecialMark) {
    const Extended sign = op.front() == '-' ? -1 : 1;
    if (body.substr(1) == "inf") return sign * HUGE_VALL;
    if (body.substr(1) == "nan") return std::nanl("");
  }
  const auto v = parse_number(op);
  if (!v) fail(msg::kInvalidCharacters);
  return *v;
}

// The text of `a op b`.
std::string apply(char op, const std::string& left, const std::string& right) {
  const Extended a = EvaluateOperand(left);
  const Extended b = EvaluateOperand(right);
  switch (op) {
    case '^': return value_text(std::pow(a, b));
    case '*': return value_text(a * b);
    case '/': return value_text(a / b);
    case '%': {
      const std::int64_t x = in_range(trunc_to_int64(a));
      const std::int64_t y = in_range(trunc_to_int64(b));
      if (y == 0) throw EDivByZero("Division by zero");
      return std::to_string(y == -1 ? 0 : x % y);  // x % -1 is 0 and must not trap
    }
    case '&': return (a != 0 && b != 0) ? "1" : "0";
    case '+': return value_text(a + b);
    case kBinaryMinus: return value_text(a - b);
    case '|': return (a != 0 || b != 0) ? "1" : "0";
    case '=': return a == b ? "1" : "0";
    default: fail(msg::kInvalidExpression);
  }
}

// The value of a text without parentheses.
Extended evaluate_flat(std::string text) {
  // Minus signs: a sign of its operand, or a binary minus.
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '-') continue;
    bool unary = i == 0 || IsFunctionName(std::string_view(text).substr(0, i));
    if (!unary) {
      const char before = text[i - 1];
      unary = std::string_view("%&*+/=E^e|-").find(before) != std::string_view::npos || before == kBinaryMinus;
    }
    if (!unary) text[i] = kBinaryMinus;
  }

  std::vector<std::string> operands;
  std::vector<char> operators;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t p = start;
    while (p < text.size() && !is_operator(text[p])) ++p;
    operands.push_back(text.substr(start, p - start));
    if (p == text.size()) break;
    operators.push_back(text[p]);
    start = p + 1;
  }
  if (operands.size() != operators.size() + 1) fail(msg::kInvalidExpression);

  // Four passes of left-to-right reduction.
  static const char* const kPasses[] = {"^", "*/%&", "+\x9b|", "="};
  for (const char* pass : kPasses) {
    std::vector<std::string> out_operands{operands[0]};
    std::vector<char> out_operators;
    for (std::size_t k = 0; k < operators.size(); ++k) {
      if (std::string_view(pass).find(operators[k]) != std::string_view::npos) {
        out_operands.back() = apply(operators[k], out_operands.back(), operands[k + 1]);
      } else {
        out_operators.push_back(operators[k]);
        out_operands.push_back(operands[k + 1]);
      }
    }
    operands = std::move(out_operands);
    operators = std::move(out_operators);
  }
  return EvaluateOperand(operands[0]);
}

}  // namespace

bool IsFunctionName(std::string_view text) {
  if (text.size() > 7) return false;  // longer than every name
  const std::string t = lower(text);
  if (t == "!" || t == "$") return true;
  for (const auto& fn : kFunctions)
    if (t == fn.name) return true;
  return false;
}

Extended Factorial(Extended x) {
  if (!(x == std::trunc(x))) fail(msg::kFactorial);
  const Extended a = std::fabs(x);
  Extended r = 1;
  if (a != 0) {
    // Stops as soon as the product overflows: beyond that point every further
    // factor leaves it infinite, and a huge operand would never count down.
    r = a;
    for (Extended k = a - 1; k >= 1 && std::isfinite(r); k -= 1) r *= k;
  }
  return x < 0 ? -r : r;
}

Extended EvaluateOperand(std::string_view operand) { return operand_value(normalise(operand), 0); }

Extended Evaluate(std::string_view text) {
  if (text.empty()) fail(msg::kBlank);
  // Groups are closed in the order of their ")" (each the innermost group
  // then open), with an explicit stack of the texts of the open groups.
  std::vector<std::string> open{std::string()};
  for (char c : text) {
    if (c == ' ' || c == '\t') continue;
    if (c == '(') {
      open.emplace_back();
    } else if (c == ')') {
      if (open.size() == 1) fail(msg::kParentheses);
      const std::string inner = std::move(open.back());
      open.pop_back();
      open.back() += value_text(Evaluate(inner));
    } else {
      open.back() += c;
    }
  }
  // A "(" that no ")" closed stays in the text and fails as a character.
  std::string flat = open[0];
  for (std::size_t k = 1; k < open.size(); ++k) flat += "(" + open[k];
  return evaluate_flat(std::move(flat));
}

}  // namespace zrv::comp
