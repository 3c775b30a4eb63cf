#include "evaluator/evaluator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "expect.h"

using namespace zrv::comp;

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
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("pi"), pi, 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("-PI"), -pi, 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("e"), e, 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("-e"), -e, 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("pi*0.5^2"), pi * 0.25L, 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("cosec(0.5)"), 1 / std::sin(0.5L), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("cos(0.5)"), std::cos(0.5L), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("sec(0.5)"), 1 / std::cos(0.5L), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("csc0.5"), 1 / std::sin(0.5L), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("cotan(0.5)"), 1 / std::tan(0.5L), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("sin-0.5"), -std::sin(0.5L), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("arctanh(0.5)"), 0.5L * std::log(3.0L), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("arcsinh(1)"), std::log(1 + std::sqrt(2.0L)), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("arccosh(2)"), std::log(2 + std::sqrt(3.0L)), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("tanh(1)"), (e * e - 1) / (e * e + 1), 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("log(1000)"), 3, 1e-16));
  EXPECT_TRUE(zrv::test::near_rel(Evaluate("ln(e)"), 1, 1e-16));
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
  EXPECT_THROW_MSG(Evaluate("1.5"), EAssignError,
                   "Entry could not be evaluated:\rinvalid character(s) in expression");
}

TEST(evaluator, the_six_messages) {
  EXPECT_THROW_MSG(Evaluate(""), EAssignError, "Entry could not be evaluated:\rentry cannot be blank");
  EXPECT_THROW_MSG(Evaluate("()"), EAssignError, "Entry could not be evaluated:\rentry cannot be blank");
  EXPECT_THROW_MSG(Evaluate("1+2)"), EAssignError,
                   "Entry could not be evaluated:\r() (parentheses) do not match");
  EXPECT_THROW_MSG(Evaluate(")("), EAssignError,
                   "Entry could not be evaluated:\r() (parentheses) do not match");
  EXPECT_THROW_MSG(Evaluate("2+"), EAssignError, "Entry could not be evaluated:\rinvalid expression");
  EXPECT_THROW_MSG(Evaluate("   "), EAssignError, "Entry could not be evaluated:\rinvalid expression");
  EXPECT_THROW_MSG(Evaluate("2.5!"), EAssignError,
                   "Entry could not be evaluated:\r! (factoral) applicable to integers only");
  EXPECT_THROW_MSG(Evaluate("(0/0)!"), EAssignError,
                   "Entry could not be evaluated:\r! (factoral) applicable to integers only");
  EXPECT_THROW_MSG(Evaluate("$zz"), EAssignError,
                   "Entry could not be evaluated:\rinvalid use of $ (hex function)");
  EXPECT_THROW_MSG(Evaluate("$"), EAssignError,
                   "Entry could not be evaluated:\rinvalid use of $ (hex function)");
  EXPECT_THROW_MSG(Evaluate("$100000000"), EAssignError,
                   "Entry could not be evaluated:\rinvalid use of $ (hex function)");
  EXPECT_THROW_MSG(Evaluate("(1+2"), EAssignError,
                   "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_THROW_MSG(Evaluate("+2"), EAssignError,
                   "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_THROW_MSG(Evaluate("abc"), EAssignError,
                   "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_THROW_MSG(Evaluate("inf"), EAssignError,
                   "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_THROW_MSG(Evaluate("0x10"), EAssignError,
                   "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_THROW_MSG(Evaluate("1E+5"), EAssignError,
                   "Entry could not be evaluated:\rinvalid character(s) in expression");
  EXPECT_THROW(Evaluate("7%0"), EDivByZero);
}

TEST(evaluator, huge_operands_end_at_once) {
  const auto start = std::chrono::steady_clock::now();
  // Factorials that leave the extended range are infinite, not endless loops.
  EXPECT_EQ(Evaluate("5!!!"), HUGE_VALL);
  EXPECT_EQ(Evaluate("1e30!"), HUGE_VALL);
  EXPECT_EQ(Evaluate("-1e4000!"), -HUGE_VALL);
  EXPECT_EQ(Evaluate("(1/0)!"), HUGE_VALL);
  EXPECT_TRUE(zrv::test::near_rel(Factorial(1754) * 1e-15L, std::tgamma(1755.0L) * 1e-15L,
                                  1e-16));  // the last finite one
  EXPECT_EQ(Factorial(20), 2432902008176640000.0L);
  const std::string range = "Entry could not be evaluated:\rnumber too large for an integer";
  EXPECT_THROW_MSG(Evaluate("1e30%7"), EAssignError, range);
  EXPECT_THROW_MSG(Evaluate("7%1e30"), EAssignError, range);
  EXPECT_THROW_MSG(Evaluate("(1/0)%7"), EAssignError, range);
  EXPECT_THROW_MSG(Evaluate("ceil(1e10)"), EAssignError, range);
  EXPECT_THROW_MSG(Evaluate("floor(-(1/0))"), EAssignError, range);
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
  EXPECT_THROW_MSG(Evaluate(functions + "1"), EAssignError, deep);
  EXPECT_THROW_MSG(Evaluate("3" + std::string(n, '!')), EAssignError, deep);
  EXPECT_THROW_MSG(Evaluate(std::string(n, '(') + "1" + std::string(n - 1, ')')), EAssignError,
                   "Entry could not be evaluated:\rinvalid character(s) in expression");
}
