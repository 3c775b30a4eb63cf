#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "base/exceptions.h"
#include "base/kalstring.h"

using namespace zrv::comp;

TEST(numbers, general_format_chooses_fixed_or_scientific) {
  EXPECT_EQ(format_general(0.0L, 8, '.'), "0");
  EXPECT_EQ(format_general(-0.0L, 8, '.'), "0");
  EXPECT_EQ(format_general(1.0L, 8, '.'), "1");
  EXPECT_EQ(format_general(-2.5L, 8, '.'), "-2.5");
  EXPECT_EQ(format_general(100.0L, 8, '.'), "100");
  EXPECT_EQ(format_general(12345678.0L, 8, '.'), "12345678");
  EXPECT_EQ(format_general(123456789.0L, 8, '.'), "1.2345679E8");
  EXPECT_EQ(format_general(99999999.5L, 8, '.'), "1E8");  // rounds up into a ninth digit
  EXPECT_EQ(format_general(1.0L / 3, 8, '.'), "0.33333333");
  EXPECT_EQ(format_general(2.0L / 3, 4, '.'), "0.6667");
  EXPECT_EQ(format_general(0.0001L, 8, '.'), "0.0001");
  EXPECT_EQ(format_general(0.00001L, 8, '.'), "0.00001");
  EXPECT_EQ(format_general(0.000001L, 8, '.'), "1E-6");
  EXPECT_EQ(format_general(-1.5e-7L, 8, '.'), "-1.5E-7");
  EXPECT_EQ(format_general(1e20L, 15, '.'), "1E20");
  EXPECT_EQ(format_general(6.02214076e23L, 5, '.'), "6.0221E23");
  EXPECT_EQ(format_general(1234.5L, 5, ','), "1234,5");
  EXPECT_EQ(format_general(0.1L, 18, '.'), "0.1");
  EXPECT_EQ(format_general(3.14159265358979323846L, 18, '.'), "3.14159265358979324");
  EXPECT_EQ(format_general(std::numeric_limits<long double>::infinity(), 8, '.'), "INF");
  EXPECT_EQ(format_general(-std::numeric_limits<long double>::infinity(), 8, '.'), "-INF");
  EXPECT_EQ(format_general(std::nanl(""), 8, '.'), "NAN");
  // 0.1f widened keeps its binary error, which 8 digits hide and 15 show.
  EXPECT_EQ(format_general(0.1f, 8, '.'), "0.1");
  EXPECT_EQ(format_general(0.1f, 15, '.'), "0.100000001490116");
}

TEST(numbers, parser_is_strict) {
  EXPECT_EQ(parse_number("12", '.'), 12.0L);
  EXPECT_EQ(parse_number("  -1.5e3  ", '.'), -1500.0L);
  EXPECT_EQ(parse_number("+.5", '.'), 0.5L);
  EXPECT_EQ(parse_number("5.", '.'), 5.0L);
  EXPECT_EQ(parse_number("1E-3", '.'), 0.001L);
  EXPECT_EQ(parse_number("2,25", ','), 2.25L);
  EXPECT_EQ(parse_number("1e-6000", '.'), 0.0L);
  EXPECT_EQ(parse_number("0.1", '.'), 0.1L);  // correctly rounded, like the literal
  for (const char* bad : {"", " ", ".", "-", "1.2.3", "1,5", "1e", "1e+", "e5", "inf", "nan", "INF",
                          "0x10", "1d3", "1 2", "12a", "--1", "\t1", "1e6000"})
    EXPECT_FALSE(parse_number(bad, '.').has_value()) << bad;
  EXPECT_FALSE(parse_number("1.5", ',').has_value());
}

TEST(numbers, separator_guard_restores) {
  ASSERT_EQ(decimal_separator(), '.');
  try {
    DecimalSeparatorGuard guard(',');
    EXPECT_EQ(decimal_separator(), ',');
    EXPECT_EQ(format_general(0.5L, 8), "0,5");
    EXPECT_EQ(parse_number("0,25"), 0.25L);
    throw std::runtime_error("x");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(decimal_separator(), '.');
}

TEST(numbers, rounding_and_checked_conversion) {
  EXPECT_EQ(round_half_even(0.5L), 0.0L);
  EXPECT_EQ(round_half_even(1.5L), 2.0L);
  EXPECT_EQ(round_half_even(2.5L), 2.0L);
  EXPECT_EQ(round_half_even(-2.5L), -2.0L);
  EXPECT_EQ(round_half_even(-3.5L), -4.0L);
  EXPECT_EQ(round_half_even(2.4999L), 2.0L);
  EXPECT_EQ(round_half_even(1e30L), 1e30L);

  EXPECT_EQ(trunc_to_int32(-2.9L), -2);
  EXPECT_EQ(trunc_to_int32(2147483647.9L), 2147483647);
  EXPECT_EQ(trunc_to_int32(-2147483648.0L), -2147483647 - 1);
  EXPECT_FALSE(trunc_to_int32(2147483648.0L));
  EXPECT_FALSE(trunc_to_int32(-2147483649.0L));
  EXPECT_FALSE(trunc_to_int32(std::nanl("")));
  EXPECT_EQ(trunc_to_int64(-9223372036854775808.0L), std::numeric_limits<std::int64_t>::min());
  EXPECT_FALSE(trunc_to_int64(9223372036854775808.0L));
  EXPECT_FALSE(trunc_to_int64(1e30L));
  EXPECT_FALSE(trunc_to_int64(std::numeric_limits<long double>::infinity()));
  EXPECT_EQ(round_to_int32(2.5L), 2);
  EXPECT_FALSE(round_to_int32(2147483647.5L));  // rounds to 2^31
}

TEST(kalstring, helpers) {
  using namespace KalString;
  EXPECT_EQ(CharAt("abc", 0), '\0');
  EXPECT_EQ(CharAt("abc", 4), '\0');
  EXPECT_EQ(PosOrEnd("x", "abc"), 4);
  EXPECT_EQ(PosFrom("a", "abca", 2), 4);
  // Inserted text is never searched again.
  EXPECT_EQ(ReplaceAll("F/F", "F", "FF"), "FF/FF");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(exceptions, family) {
  const EFileNotFoundError e("Library could not be located");
  const EDLLError& base = e;
  const Exception& root = e;
  EXPECT_STREQ(base.what(), "Library could not be located");
  EXPECT_STREQ(root.what(), "Library could not be located");
  EXPECT_STREQ(EMinError().what(), "");
  EXPECT_EQ(list_index_message(5), "List index out of bounds (5)");
}
