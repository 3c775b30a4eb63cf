#pragma once
// Checks shared by the tests: closeness to a reference value, and an
// exception of a given type with a given text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <exception>
#include <sstream>
#include <string>
#include <type_traits>

namespace zrv::test {

namespace detail {

template <class T>
struct is_complex : std::false_type {};
template <class T>
struct is_complex<std::complex<T>> : std::true_type {};

template <class T>
std::complex<long double> widened(const T& v) {
  if constexpr (is_complex<T>::value)
    return {static_cast<long double>(v.real()), static_cast<long double>(v.imag())};
  else
    return static_cast<long double>(v);
}

template <class T>
std::string shown(const T& v) {
  std::ostringstream out;
  out.precision(17);
  const std::complex<long double> w = widened(v);
  if constexpr (is_complex<T>::value)
    out << '(' << static_cast<double>(w.real()) << ", " << static_cast<double>(w.imag()) << ')';
  else
    out << static_cast<double>(w.real());
  return out.str();
}

}  // namespace detail

/// |got - want| / |want| for real or complex values of any precision; |got|
/// where `want` is zero.
template <class A, class B>
double relative_error(const A& got, const B& want) {
  const std::complex<long double> g = detail::widened(got), w = detail::widened(want);
  const long double size = std::abs(w);
  return static_cast<double>(size == 0 ? std::abs(g) : std::abs(g - w) / size);
}

/// Whether |actual - expected| <= rel * max(|expected|, floor): a relative
/// tolerance, or an absolute one of rel * floor near zero. Use it in
/// EXPECT_TRUE; a failure shows both values and the error.
template <class A, class B>
::testing::AssertionResult near_rel(const A& actual, const B& expected, double rel, double floor = 0) {
  const std::complex<long double> a = detail::widened(actual), e = detail::widened(expected);
  const long double err = std::abs(a - e);
  if (err <= static_cast<long double>(rel) * std::max<long double>(std::abs(e), floor))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << detail::shown(actual) << ", expected "
                                       << detail::shown(expected) << " within " << rel << " (off by "
                                       << static_cast<double>(err) << ")";
}

}  // namespace zrv::test

/// Expects `statement` to throw `type` whose what() is exactly `message`.
#define EXPECT_THROW_MSG(statement, type, message)                              \
  do {                                                                          \
    try {                                                                       \
      statement;                                                                \
      ADD_FAILURE() << #statement " threw nothing";                             \
    } catch (const type& e_) {                                                  \
      EXPECT_EQ(std::string(e_.what()), std::string(message)) << #statement;    \
    } catch (const std::exception& e_) {                                        \
      ADD_FAILURE() << #statement " threw another type: " << e_.what();         \
    }                                                                           \
  } while (0)
