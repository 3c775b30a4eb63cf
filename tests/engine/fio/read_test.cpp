// The 20-column real read of the deck and list-directed reads.

#include "fio/fio.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

using zrv::fio::read_list;
using zrv::fio::read_real20;

namespace {

// Reads `text` and returns the value, or NaN when the read fails.
float r20(std::string_view text) {
  float v = -7.0f;
  if (!read_real20(text, v)) {
    EXPECT_EQ(v, 0.0f) << "value after a failed read of \"" << text << "\"";
    return std::numeric_limits<float>::quiet_NaN();
  }
  return v;
}

}  // namespace

TEST(fio_read_real20, numbers_as_the_deck_writes_them) {
  EXPECT_EQ(r20("1.5E3"), 1500.0f);
  EXPECT_EQ(r20("               1.5E3"), 1500.0f);  // right-aligned exponent token
  EXPECT_EQ(r20("12."), 12.0f);
  EXPECT_EQ(r20("12"), 12.0f);  // no point: a whole number
  EXPECT_EQ(r20("-.5"), -0.5f);
  EXPECT_EQ(r20("+3"), 3.0f);
  EXPECT_EQ(r20("1.5e3"), 1500.0f);
  EXPECT_EQ(r20("1.5D-3"), 1.5e-3f);
  EXPECT_EQ(r20("1.5d+3"), 1500.0f);
  EXPECT_EQ(r20("1.5+3"), 1500.0f);  // signed exponent without its letter
  EXPECT_EQ(r20("2.5-1"), 0.25f);
  EXPECT_EQ(r20("1 2"), 12.0f);  // blanks are ignored
  EXPECT_EQ(r20("  1.5e 3"), 1500.0f);
  EXPECT_EQ(r20("\t7.25"), 7.25f);
  EXPECT_EQ(r20(""), 0.0f);  // all blanks read zero
  EXPECT_EQ(r20("                    "), 0.0f);
  EXPECT_EQ(r20("0.1"), 0.1f);  // correctly rounded to single precision
  EXPECT_EQ(r20("3.4028234E38"), std::numeric_limits<float>::max());
  EXPECT_EQ(r20("1E-50"), 0.0f);  // below the float range: zero
  EXPECT_EQ(r20("000000000000000000.5"), 0.5f);
  // Only the first 20 columns count.
  EXPECT_EQ(r20("1234567890123456789012345"), 12345678901234567890.0f);
  EXPECT_EQ(r20("                   5XYZ"), 5.0f);
  EXPECT_EQ(r20("7,8"), 7.0f);  // a comma ends the field
}

TEST(fio_read_real20, text_and_broken_numbers_fail) {
  for (const char* bad : {"1.5E", "E3", "abc", "PILE", "1.5E3X", ".", "-.", "-", "1..5", "1.5E+", "1.5E3.0",
                          "1E50", "-1E39", "NaN", "Inf", "1.5-", "--1"}) {
    EXPECT_TRUE(std::isnan(r20(bad))) << bad;
  }
}

TEST(fio_read_list, values_separators_and_repeats) {
  std::array<float, 8> out{};
  out.fill(-1.0f);
  EXPECT_EQ(read_list("  3  ", out), 1u);
  EXPECT_EQ(out[0], 3.0f);

  out.fill(-1.0f);
  EXPECT_EQ(read_list(" 1.00000000000000E+0000 -2.5E-0003,4\n 5", out), 4u);
  EXPECT_EQ(out[0], 1.0f);
  EXPECT_EQ(out[1], -2.5e-3f);
  EXPECT_EQ(out[2], 4.0f);
  EXPECT_EQ(out[3], 5.0f);
  EXPECT_EQ(out[4], -1.0f);

  out.fill(-1.0f);
  EXPECT_EQ(read_list("3*1.5 2", out), 4u);
  EXPECT_EQ(out[2], 1.5f);
  EXPECT_EQ(out[3], 2.0f);

  out.fill(-1.0f);  // a repeat longer than the room left stops at the end
  EXPECT_EQ(read_list("20*9", std::span<float>(out.data(), 3)), 3u);
  EXPECT_EQ(out[2], 9.0f);
  EXPECT_EQ(out[3], -1.0f);

  out.fill(-1.0f);  // null values leave their elements untouched
  EXPECT_EQ(read_list("1,,3 , ,5 2* 8", out), 8u);
  EXPECT_EQ(out[0], 1.0f);
  EXPECT_EQ(out[1], -1.0f);
  EXPECT_EQ(out[2], 3.0f);
  EXPECT_EQ(out[3], -1.0f);
  EXPECT_EQ(out[4], 5.0f);
  EXPECT_EQ(out[5], -1.0f);
  EXPECT_EQ(out[6], -1.0f);
  EXPECT_EQ(out[7], 8.0f);

  out.fill(-1.0f);  // a slash ends the read
  EXPECT_EQ(read_list("1 2 / 3 4", out), 2u);
  EXPECT_EQ(out[2], -1.0f);

  out.fill(-1.0f);  // the first item that is not a number ends the read
  EXPECT_EQ(read_list("1 2 x 4", out), 2u);
  EXPECT_EQ(read_list("1 0*4", out), 1u);
  EXPECT_EQ(read_list("*4", out), 0u);
  EXPECT_EQ(read_list("1.5E", out), 0u);
  EXPECT_EQ(read_list("", out), 0u);
  EXPECT_EQ(read_list("1 2", std::span<float>()), 0u);
}
