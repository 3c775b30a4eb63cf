// Golden strings of the output editor. The expected fields follow the
// sequential formatted output rules and were checked against an independent
// compiler's run-time library.

#include "expect.h"
#include "fio/fio.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <iostream>
#include <limits>
#include <locale>
#include <stdexcept>

using zrv::fio::edit_a;
using zrv::fio::edit_e;
using zrv::fio::edit_f;
using zrv::fio::edit_i;
using zrv::fio::format;
using Records = std::vector<std::string>;

TEST(fio_edit, integer_fields) {
  EXPECT_EQ(edit_i(5, 3), "  5");
  EXPECT_EQ(edit_i(-42, 4), " -42");
  EXPECT_EQ(edit_i(999, 3), "999");
  EXPECT_EQ(edit_i(1000, 3), "***");
  EXPECT_EQ(edit_i(-10, 2), "**");
  EXPECT_EQ(edit_i(0, 1), "0");
}

TEST(fio_edit, fixed_fields) {
  EXPECT_EQ(edit_f(3.14159, 8, 3), "   3.142");
  EXPECT_EQ(edit_f(-2.5, 6, 2), " -2.50");
  EXPECT_EQ(edit_f(0.35, 6, 3), " 0.350");
  EXPECT_EQ(edit_f(-0.35, 5, 3), "-.350");  // no room for the leading zero
  EXPECT_EQ(edit_f(-0.35, 6, 3), "-0.350");
  EXPECT_EQ(edit_f(0.35, 4, 3), ".350");
  EXPECT_EQ(edit_f(-0.35, 4, 3), "****");
  EXPECT_EQ(edit_f(9.9996, 6, 3), "10.000");  // rounding carries into a new digit
  EXPECT_EQ(edit_f(9.9996, 5, 3), "*****");
  EXPECT_EQ(edit_f(12.0, 5, 0), "  12.");
  EXPECT_EQ(edit_f(0.2, 3, 0), " 0.");
  EXPECT_EQ(edit_f(-0.0, 6, 2), "  0.00");  // negative zero has no sign
  EXPECT_EQ(edit_f(0.0, 4, 2), "0.00");
  EXPECT_EQ(edit_f(-0.001, 6, 2), " -0.00");  // a negative value keeps its sign
  EXPECT_EQ(edit_f(1234.5678, 12, 4), "   1234.5678");
  EXPECT_EQ(edit_f(1.0e10, 7, 2), "*******");
  EXPECT_EQ(edit_f(1.0e300, 12, 2), "************");
  // Rounding of the exact binary value: 0.125 is a tie, 2.675 lies below one.
  EXPECT_EQ(edit_f(0.125, 5, 2), " 0.12");
  EXPECT_EQ(edit_f(0.375, 5, 2), " 0.38");
  EXPECT_EQ(edit_f(2.675, 5, 2), " 2.67");
  // A single-precision value widens exactly before rounding.
  EXPECT_EQ(edit_f(static_cast<double>(0.1f), 12, 10), "0.1000000015");
}

TEST(fio_edit, exponent_fields) {
  EXPECT_EQ(edit_e(1.0e-4, 10, 3), " 0.100E-03");
  EXPECT_EQ(edit_e(999.96, 10, 3, 1), " 1.000E+03");
  EXPECT_EQ(edit_e(999.96, 10, 3), " 0.100E+04");
  EXPECT_EQ(edit_e(123.456, 11, 4, 1), " 1.2346E+02");
  EXPECT_EQ(edit_e(-123.456, 11, 4, 1), "-1.2346E+02");
  EXPECT_EQ(edit_e(-123.456, 10, 4, 1), "**********");
  EXPECT_EQ(edit_e(-0.5, 10, 4), "-.5000E+00");  // leading zero dropped when tight
  EXPECT_EQ(edit_e(0.5, 11, 4), " 0.5000E+00");
  EXPECT_EQ(edit_e(0.0, 10, 3), " 0.000E+00");
  EXPECT_EQ(edit_e(0.0, 10, 3, 1), " 0.000E+00");
  EXPECT_EQ(edit_e(-0.0, 10, 3), " 0.000E+00");
  EXPECT_EQ(edit_e(1.0, 13, 5, 1), "  1.00000E+00");
  EXPECT_EQ(edit_e(6.02214e23, 12, 6, 1), "6.022140E+23");
  // Exponents of three digits take the place of the letter.
  EXPECT_EQ(edit_e(1.0e-100, 10, 3), " 0.100E-99");
  EXPECT_EQ(edit_e(1.0e-101, 10, 3), " 0.100-100");
  EXPECT_EQ(edit_e(9.9996e99, 10, 3), " 0.100+101");
  EXPECT_EQ(edit_e(1.0e-101, 9, 3), "0.100-100");
  EXPECT_EQ(edit_e(1.0e300, 10, 3), " 0.100+301");
  EXPECT_EQ(edit_e(-2.5e150, 11, 3, 1), " -2.500+150");
  EXPECT_EQ(edit_e(1.0e-5, 14, 4), "    0.1000E-04");
  EXPECT_EQ(edit_e(1.0e-5, 9, 2, 2), " 10.0E-06");
  EXPECT_EQ(edit_e(1234.0, 10, 3, -1), " 0.012E+05");
  EXPECT_THROW(edit_e(1.0, 10, 3, 5), std::invalid_argument);
  EXPECT_THROW(edit_e(1.0, 10, 3, -3), std::invalid_argument);
}

TEST(fio_edit, nan_and_infinity) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(edit_f(nan, 7, 2), "    NaN");
  EXPECT_EQ(edit_e(nan, 3, 1), "NaN");
  EXPECT_EQ(edit_e(nan, 2, 1), "**");
  EXPECT_EQ(edit_f(inf, 8, 2), "Infinity");
  EXPECT_EQ(edit_f(inf, 7, 2), "    Inf");
  EXPECT_EQ(edit_f(inf, 3, 1), "Inf");
  EXPECT_EQ(edit_f(inf, 2, 1), "**");
  EXPECT_EQ(edit_e(-inf, 11, 4), "  -Infinity");
  EXPECT_EQ(edit_e(-inf, 8, 2), "    -Inf");
  EXPECT_EQ(edit_e(-inf, 4, 1), "-Inf");
  EXPECT_EQ(edit_e(-inf, 3, 1), "***");
}

TEST(fio_edit, text_fields) {
  EXPECT_EQ(edit_a("ABC", 5), "  ABC");
  EXPECT_EQ(edit_a("ABCDEF", 4), "ABCD");
  EXPECT_EQ(edit_a("ABC", -1), "ABC");
  EXPECT_EQ(edit_a("", 2), "  ");
}

TEST(fio_format, descriptors_and_texts) {
  EXPECT_EQ(format("(1X,'A=',I3,2X,A,'|',A4,F6.2,E10.3)", 7, "xy", "QZ", 1.5, 1.0e-4),
            (Records{" A=  7  xy|  QZ  1.50 0.100E-03"}));
  EXPECT_EQ(format("' IT''S',3('-'),''''"), (Records{" IT'S---'"}));
  EXPECT_EQ(format("(/,/,1X,'END',/)"), (Records{"", "", " END", ""}));
  EXPECT_EQ(format("(1X,'A'//'B')"), (Records{" A", "", "B"}));
  EXPECT_EQ(format("()"), (Records{""}));
  EXPECT_EQ(format("(2I3,3X,2F5.1)", 1, 22, 1.25, -3.0), (Records{"  1 22     1.2 -3.0"}));
  EXPECT_EQ(format("(i3, f5.1)", 4, 2.0), (Records{"  4  2.0"}));
  // Lower case, blanks between items and 1PE without a comma are accepted.
  EXPECT_EQ(format("( 1PE10.3 , 3/ )", 2.0), (Records{" 2.000E+00", "", "", ""}));
  // A number too wide for its field takes the fewest columns that hold it.
  EXPECT_EQ(format("(2X,F7.2,2X,F7.2,1X,I2,1X,1P,E9.3,'|')", 1592.36, 10000.0, 100, -1.0e-3),
            (Records{"  1592.36  10000.00 100 -1.000E-03|"}));
}

TEST(fio_format, scale_factor_stays_for_e_fields_only) {
  EXPECT_EQ(format("(E10.3,1P,E10.3,F6.2,E10.3)", 5.0, 5.0, 5.0, 5.0),
            (Records{" 0.500E+01 5.000E+00  5.00 5.000E+00"}));
  EXPECT_EQ(format("(2X,F7.2,2X,6(1X,1P,E11.4))", 6.28, 1.0, -2.0, 3.0e-3, 4.0e5, 0.0, -1.0e-12),
            (Records{"     6.28    1.0000E+00 -2.0000E+00  3.0000E-03  4.0000E+05  0.0000E+00 -1.0000E-12"}));
  EXPECT_EQ(format("(1P,E10.3,0P,E10.3)", 5.0, 5.0), (Records{" 5.000E+00 0.500E+01"}));
}

TEST(fio_format, items_end_the_list_at_the_next_data_field) {
  EXPECT_EQ(format("(1X,'A=',I3,' B=',I3,' C')", 5), (Records{" A=  5 B="}));
  EXPECT_EQ(format("(I3,/,'X')", 1), (Records{"  1", "X"}));
  EXPECT_EQ(format("(I5)"), (Records{""}));
  EXPECT_EQ(format("(I2,3X,/,2X,'B',4X)", 7), (Records{" 7", "  B"}));
}

TEST(fio_format, reversion_starts_a_new_record_at_the_last_group) {
  const double v[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
  std::vector<zrv::fio::Item> items;
  for (double x : v) items.push_back(zrv::fio::item(x));
  const auto r = format("(9(1X,E10.3))", items);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0], "  0.100E+01  0.200E+01  0.300E+01  0.400E+01  0.500E+01  0.600E+01  0.700E+01  0.800E+01  0.900E+01");
  EXPECT_EQ(r[1], "  0.100E+02  0.110E+02");  // skipped columns never end a record
  // Without a group the whole list repeats.
  EXPECT_EQ(format("(1X,I2)", 1, 2, 3), (Records{"  1", "  2", "  3"}));
  // With several groups, the last one; the scale factor stays in force.
  EXPECT_EQ(format("('H',2(I2),1P,'|',2(E9.2))", 1, 2, 3.0, 4.0, 5.0, 6.0, 7.0),
            (Records{"H 1 2| 3.00E+00 4.00E+00", " 5.00E+00 6.00E+00", " 7.00E+00"}));
  // A nested group reverts with its outer group.
  EXPECT_EQ(format("('<',2(I1,2(I1)),'>')", 1, 2, 3, 4, 5, 6, 7), (Records{"<123456>", "7"}));
}

TEST(fio_format, malformed_lists_and_wrong_items_throw) {
  EXPECT_THROW_MSG(format("(1X,I3", 1), std::invalid_argument, "format \"(1X,I3\": missing ')'");
  EXPECT_THROW_MSG(format("(F6.2)", "x"), std::invalid_argument, "format \"(F6.2)\": F field needs a real");
  EXPECT_THROW(format("(I3", 1), std::invalid_argument);
  EXPECT_THROW(format("(I3))", 1), std::invalid_argument);
  EXPECT_THROW(format("(I3,,I4)", 1, 2), std::invalid_argument);
  EXPECT_THROW(format("(I3,)", 1), std::invalid_argument);
  EXPECT_THROW(format("('abc)"), std::invalid_argument);
  EXPECT_THROW(format("(Q3)", 1), std::invalid_argument);
  EXPECT_THROW(format("(F6)", 1.0), std::invalid_argument);
  EXPECT_THROW(format("(I0)", 1), std::invalid_argument);
  EXPECT_THROW(format("(X)"), std::invalid_argument);
  EXPECT_THROW(format("(I3 I4)", 1, 2), std::invalid_argument);
  EXPECT_THROW(format("(I3)", 1.0), std::invalid_argument);
  EXPECT_THROW(format("(F6.2)", 1), std::invalid_argument);
  EXPECT_THROW(format("(A)", 1), std::invalid_argument);
  EXPECT_THROW(format("('no fields')", 1), std::invalid_argument);
  EXPECT_THROW(format("(I3,2('-'))", 1, 2), std::invalid_argument);
}

TEST(fio_format, report_layout_with_labels) {
  const auto r = format(
      "(/,/,1X,'FREQUENCY  -  ',F12.4,' Hz ','(',F12.4,' rad./sec.)',/,1X,9('*'),/,/,"
      "1X,'HORIZONTAL TRANSLATION (KXX) ..',1P,E13.5,1X,A5)",
      1.0f, 6.28f, 2.5e7f, "kN/m");
  EXPECT_EQ(r, (Records{"", "", " FREQUENCY  -        1.0000 Hz (      6.2800 rad./sec.)", " *********", "",
                        " HORIZONTAL TRANSLATION (KXX) ..  2.50000E+07  kN/m"}));
}

// A numeric punctuation with a decimal comma and grouped thousands, so that
// any number written or read through a stream that follows the global locale
// shows at once; works whether or not a named locale is installed.
struct CommaPoint : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(fio_format, independent_of_the_global_locale) {
  const std::locale old =
      std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
  // A named locale with a decimal comma also changes the C library's numbers.
  std::string c_locale;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
    if (std::setlocale(LC_ALL, name) != nullptr) {
      c_locale = name;
      break;
    }
  const auto r = format("(F8.3,1P,E11.3,I7)", 1234.5, 0.25, 1234567);
  float v = 0.0f;
  const bool read = zrv::fio::read_real20("1234.5", v);
  std::array<float, 2> list{};
  const std::size_t n = zrv::fio::read_list("2.5 1.5E3", list);
  std::setlocale(LC_ALL, "C");
  std::locale::global(old);
  EXPECT_EQ(r, (Records{"1234.500  2.500E-011234567"}));
  EXPECT_TRUE(read);
  EXPECT_EQ(v, 1234.5f);
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(list[0], 2.5f);
  EXPECT_EQ(list[1], 1500.0f);
  if (c_locale.empty()) std::cout << "(no named locale with a decimal comma installed)\n";
}
