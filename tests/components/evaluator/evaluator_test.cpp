#include "evaluator/evaluator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "base/exceptions.h"
#include "base/numbers.h"

using namespace zrv::comp;

namespace {

std::string error_of(const std::string& text) {
  try {
    Evaluate(text);
  } catch (const EAssignError& e) {
    return e.what();
  }
  return "<no EAssignError>";
}

void expect_near_rel(long double actual, long double expected) {
  EXPECT_LE(std::fabs(actual - expected), 1e-16L * std::fabs(expected)) << static_cast<double>(actual);
}

}  // namespace

TEST(evaluator, arithmetic_and_precedence) {
  EXPECT_EQ(Evaluate("2+3*4"), 14);
  EXPECT_EQ(Evaluate("(2+3)*4"), 20);
  EXPECT_EQ(Evaluate("2*3*4"), 24);
  EXPECT_EQ(Evaluate("10-2-3"), 5);
  EXPECT_EQ(Evaluate("-2^2"), 4);
  EXPECT_EQ(Evaluate("2^3^2"), 64);
  EXPECT_EQ(Evaluate("3*-2"), -6);
  EXPECT_EQ(Evaluate("3--2"), 5);
  EXPECT_EQ(Evaluate("2-(0-3)"), 5);
  EXPECT_EQ(Evaluate("1e3"), 1000);
  EXPECT_EQ(Evaluate("1E-3"), 0.001L);
  EXPECT_EQ(Evaluate("7%3"), 1);
  EXPECT_EQ(Evaluate("-7%3"), -1);
  EXPECT_EQ(Evaluate("7.9%3.9"), 1);  // operands truncated
  EXPECT_EQ(Evaluate("2=2"), 1);
  EXPECT_EQ(Evaluate("2=3"), 0);
  EXPECT_EQ(Evaluate("1&0"), 0);
  EXPECT_EQ(Evaluate("0&1"), 0);
  EXPECT_EQ(Evaluate("2&3"), 1);
  EXPECT_EQ(Evaluate("0|2"), 1);
  EXPECT_EQ(Evaluate("0|0"), 0);
  EXPECT_EQ(Evaluate("1+1=2"), 1);
  EXPECT_EQ(Evaluate(" 1 +\t2 "), 3);
  EXPECT_EQ(Evaluate("((((2))))"), 2);
  EXPECT_EQ(Evaluate("2(3)"), 23);  // a group is replaced by its value text
  EXPECT_EQ(Evaluate("$ff"), 255);
  EXPECT_EQ(Evaluate("$FF"), 255);
  EXPECT_EQ(Evaluate("$7fffffff"), 2147483647);
  EXPECT_EQ(Evaluate("$ffffffff"), -1);
  EXPECT_EQ(Evaluate("5!"), 120);
  EXPECT_EQ(Evaluate("0!"), 1);
  EXPECT_EQ(Evaluate("-3!"), -6);
  EXPECT_EQ(Evaluate("(3)!"), 6);
  // 1/0 is an infinity that survives later steps.
  EXPECT_EQ(Evaluate("1/0"), HUGE_VALL);
  EXPECT_EQ(Evaluate("(1/0)+1"), HUGE_VALL);
  EXPECT_EQ(Evaluate("-(1/0)"), -HUGE_VALL);
  EXPECT_TRUE(std::isnan(Evaluate("(0/0)*2")));
}

TEST(evaluator, constants_and_functions) {
  const long double pi = 3.141592653589793238462643383279503L;
  const long double e = 2.718281828459045235360287471352662L;
  expect_near_rel(Evaluate("pi"), pi);
  expect_near_rel(Evaluate("-PI"), -pi);
  expect_near_rel(Evaluate("e"), e);
  expect_near_rel(Evaluate("-e"), -e);
  expect_near_rel(Evaluate("pi*0.5^2"), pi * 0.25L);
  expect_near_rel(Evaluate("cosec(0.5)"), 1 / std::sin(0.5L));
  expect_near_rel(Evaluate("cos(0.5)"), std::cos(0.5L));
  expect_near_rel(Evaluate("sec(0.5)"), 1 / std::cos(0.5L));
  expect_near_rel(Evaluate("csc0.5"), 1 / std::sin(0.5L));
  expect_near_rel(Evaluate("cotan(0.5)"), 1 / std::tan(0.5L));
  expect_near_rel(Evaluate("sin-0.5"), -std::sin(0.5L));
  expect_near_rel(Evaluate("arctanh(0.5)"), 0.5L * std::log(3.0L));
  expect_near_rel(Evaluate("arcsinh(1)"), std::log(1 + std::sqrt(2.0L)));
  expect_near_rel(Evaluate("arccosh(2)"), std::log(2 + std::sqrt(3.0L)));
  expect_near_rel(Evaluate("tanh(1)"), (e * e - 1) / (e * e + 1));
  expect_near_rel(Evaluate("log(1000)"), 3);
  expect_near_rel(Evaluate("ln(e)"), 1);
  EXPECT_EQ(Evaluate("sqrtsqrt16"), 2);
  EXPECT_EQ(Evaluate("sqrt(16)+1"), 5);
  EXPECT_EQ(Evaluate("abs(-2.5)"), 2.5L);
  EXPECT_EQ(Evaluate("frac(-2.75)"), -0.75L);
  EXPECT_EQ(Evaluate("int(-2.75)"), -2);
  EXPECT_EQ(Evaluate("round(2.5)"), 2);
  EXPECT_EQ(Evaluate("round(3.5)"), 4);
  EXPECT_EQ(Evaluate("round(-2.5)"), -2);
  EXPECT_EQ(Evaluate("ceil(2.1)"), 3);
  EXPECT_EQ(Evaluate("floor(-2.1)"), -3);
  EXPECT_TRUE(IsFunctionName("SQRT"));
  EXPECT_TRUE(IsFunctionName("$"));
  EXPECT_TRUE(IsFunctionName("!"));
  EXPECT_FALSE(IsFunctionName("sqr"));
}

TEST(evaluator, separator_follows_the_user_setting) {
  DecimalSeparatorGuard guard(',');
  EXPECT_EQ(Evaluate("1,5*2"), 3);
  EXPECT_EQ(Evaluate("(1/4)*2"), 0.5L);  // the intermediate 0,25 is read back
  EXPECT_EQ(error_of("1.5"), "Entry could not be evaluated:\rinvalid character(s) in expression");
}

TEST(evaluator, the_six_messages) {
  EXPECT_EQ(error_of(""), "Entry could not be evaluated:\rentry cannot be blank");
  EXPECT_EQ(error_of("()"), "Entry could not be evaluated:\rentry cannot be blank");
  EXPECT_EQ(error_of("1+2)"), "Entry could not be evaluated:\r() (parentheses) do not match");
  EXPECT_EQ(error_of(")("), "Entry could not be evaluated:\r() (parentheses) do not match");
  EXPECT_EQ(error_of("2+"), "Entry could not be evaluated:\rinvalid expression");
  EXPECT_EQ(error_of("   "), "Entry could not be evaluated:\rinvalid expression");
  EXPECT_EQ(error_of("2.5!"), "Entry could not be evaluated:\r! (factoral) applicable to integers only");
  EXPECT_EQ(error_of("(0/0)!"), "Entry could not be evaluated:\r! (factoral) applicable to integers only");
  EXPECT_EQ(error_of("$zz"), "Entry could not be evaluated:\rinvalid use of $ (hex function)");
  EXPECT_EQ(error_of("$"), "Entry could not be evaluated:\rinvalid use of $ (hex function)");
  EXPECT_EQ(error_of("$100000000"), "Entry could not be evaluated:\rinvalid use of $ (hex function)");
  EXPECT_EQ(error_of("(1+2"), "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_EQ(error_of("+2"), "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_EQ(error_of("abc"), "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_EQ(error_of("inf"), "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_EQ(error_of("0x10"), "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_EQ(error_of("1E+5"), "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_THROW(Evaluate("7%0"), EDivByZero);
}

TEST(evaluator, huge_operands_end_at_once) {
  const auto start = std::chrono::steady_clock::now();
  // Factorials that leave the extended range are infinite, not endless loops.
  EXPECT_EQ(Evaluate("5!!!"), HUGE_VALL);
  EXPECT_EQ(Evaluate("1e30!"), HUGE_VALL);
  EXPECT_EQ(Evaluate("-1e4000!"), -HUGE_VALL);
  EXPECT_EQ(Evaluate("(1/0)!"), HUGE_VALL);
  expect_near_rel(Factorial(1754) * 1e-15L, std::tgamma(1755.0L) * 1e-15L);  // the last finite one
  EXPECT_EQ(Factorial(20), 2432902008176640000.0L);
  const std::string range = "Entry could not be evaluated:\rnumber too large for an integer";
  EXPECT_EQ(error_of("1e30%7"), range);
  EXPECT_EQ(error_of("7%1e30"), range);
  EXPECT_EQ(error_of("(1/0)%7"), range);
  EXPECT_EQ(error_of("ceil(1e10)"), range);
  EXPECT_EQ(error_of("floor(-(1/0))"), range);
  EXPECT_EQ(Evaluate("-9223372036854775808%-1"), 0);
  EXPECT_EQ(Evaluate("round(1e30)"), 1e30L);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(evaluator, long_input_does_not_exhaust_the_stack) {
  const int n = 100000;
  EXPECT_EQ(Evaluate(std::string(n, '(') + "1" + std::string(n, ')')), 1);
  std::string sum = "0";
  for (int k = 0; k < n / 5; ++k) sum += "+(1)";
  EXPECT_EQ(Evaluate(sum), n / 5);
  EXPECT_EQ(Evaluate(std::string(n, '-') + "3"), 3);  // signs cancel in pairs
  const std::string deep = "Entry could not be evaluated:\rexpression nested too deeply";
  std::string functions;
  for (int k = 0; k < n; ++k) functions += "abs";
  EXPECT_EQ(error_of(functions + "1"), deep);
  EXPECT_EQ(error_of("3" + std::string(n, '!')), deep);
  EXPECT_EQ(error_of(std::string(n, '(') + "1" + std::string(n - 1, ')')),
            "Entry could not be evaluated:\rinvalid character(s) in expression");
}
