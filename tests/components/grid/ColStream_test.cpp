// The two forms of the "Col" value run: binary tags and payloads, the
// 80-bit real, and the text tokens.

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "grid/ColBinary.h"
#include "grid/ColText.h"
#include "grid_test_util.h"

namespace zrv::comp {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::initializer_list<int> b) { return Bytes(b.begin(), b.end()); }

Bytes enc(long double v) {
  const auto b = encodeExtended(v);
  return Bytes(b.begin(), b.end());
}

TEST(ColBinary, ExtendedMatchesTheTenByteLayout) {
  // 1 = 1.0 x 2^0: explicit integer bit, biased exponent 0x3FFF.
  EXPECT_EQ(enc(1.0L), bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  // -2.5 = -1.25 x 2^1: mantissa 0xA0..., exponent 0x4000 with the sign bit.
  EXPECT_EQ(enc(-2.5L), bytesOf({0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}));
  EXPECT_EQ(enc(0.0L), Bytes(10, 0));

  // Where long double is the 80-bit format, its memory image is a second reference.
  if constexpr (LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384) {
    for (long double v : {3.14159265358979323846L, -1e-300L, 1e4000L, LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN * 3,
                          224.8089237L, std::numeric_limits<long double>::infinity()}) {
      std::uint8_t image[sizeof(long double)] = {};
      std::memcpy(image, &v, sizeof v);
      EXPECT_EQ(enc(v), Bytes(image, image + 10)) << static_cast<double>(v);
      EXPECT_EQ(decodeExtended(encodeExtended(v)), v);
    }
  }
  EXPECT_TRUE(std::isnan(decodeExtended(encodeExtended(std::numeric_limits<long double>::quiet_NaN()))));
}

TEST(ColBinary, IntegersTakeTheSmallestTagAndReadBackSigned) {
  TColBinaryWriter w;
  for (int v : {0, 127, -128, 128, -129, 32767, -32768, 32768, -2147483647 - 1}) w.writeInteger(v);
  EXPECT_EQ(w.bytes(), bytesOf({2, 0, 2, 127, 2, 0x80, 3, 0x80, 0, 3, 0x7F, 0xFF, 3, 0xFF, 0x7F, 3, 0x00, 0x80,
                                4, 0x00, 0x80, 0, 0, 4, 0, 0, 0, 0x80}));
  TColBinaryReader r(w.bytes());
  for (int v : {0, 127, -128, 128, -129, 32767, -32768, 32768, -2147483647 - 1}) EXPECT_EQ(r.readInteger(), v);
  EXPECT_EQ(r.remaining(), 0u);
}

TEST(ColBinary, StringsBooleansListsAndWrongValues) {
  TColBinaryWriter w;
  w.writeListBegin();
  w.writeString("ab");
  w.writeListEnd();
  w.writeBoolean(true);
  w.writeBoolean(false);
  const std::string longText(300, 'x');
  w.writeString(longText);
  const Bytes head(w.bytes().begin(), w.bytes().begin() + 12);
  EXPECT_EQ(head, bytesOf({1, 6, 2, 'a', 'b', 0, 9, 8, 12, 0x2C, 0x01, 0}));

  TColBinaryReader r(w.bytes());
  r.readListBegin();
  EXPECT_FALSE(r.endOfList());
  EXPECT_EQ(r.readString(), "ab");
  EXPECT_TRUE(r.endOfList());
  r.readListEnd();
  EXPECT_TRUE(r.readBoolean());
  EXPECT_FALSE(r.readBoolean());
  EXPECT_EQ(r.readString(), longText);

  const Bytes data = bytesOf({6, 1, 'a', 2, 7, 6, 5, 'x'});
  TColBinaryReader bad(data);
  EXPECT_THROW_MSG(bad.readInteger(), EReadError, "An integer expected at byte 0");
  TColBinaryReader bad2(data);
  bad2.readString();
  EXPECT_EQ(bad2.readFloat(), 7.0L);  // an integer is read as a real too
  EXPECT_THROW_MSG(bad2.readString(), EReadError, "Stream ended inside a value");
  TColBinaryReader empty(Bytes{});
  EXPECT_THROW_MSG(empty.readBoolean(), EReadError, "Stream ended where a Boolean was expected");
}

TEST(ColText, TokensRoundTripThroughTheWriter) {
  TColTextWriter w("  ");
  w.writeInteger(3);
  w.beginRecord();
  w.writeListBegin();
  w.writeString("Layer ");
  w.writeString("say \"hi\"\\\r\n\x01");
  w.writeListEnd();
  w.writeBoolean(true);
  w.writeFloat(0.1L);
  w.writeFloat(-1e300L);
  w.writeFloat(0);
  w.beginRecord();
  w.writeListBegin();
  w.writeListEnd();
  EXPECT_EQ(w.text(),
            "  3\n"
            "  (\"Layer \" \"say \\\"hi\\\"\\\\\\r\\n\\x01\") True 0.1 -1e+300 0\n"
            "  ()\n");

  TColTextStringReader r(w.text());
  EXPECT_EQ(r.readInteger(), 3);
  r.readListBegin();
  EXPECT_EQ(r.readString(), "Layer ");
  EXPECT_EQ(r.readString(), "say \"hi\"\\\r\n\x01");
  EXPECT_TRUE(r.endOfList());
  r.readListEnd();
  EXPECT_TRUE(r.readBoolean());
  EXPECT_EQ(r.readFloat(), 0.1L);  // shortest text that reads back exactly
  EXPECT_EQ(r.readFloat(), -1e300L);
  EXPECT_EQ(r.readFloat(), 0.0L);
  r.readListBegin();
  r.readListEnd();
  EXPECT_TRUE(r.atEnd());
}

TEST(ColText, ReadsCommentsSignsAndCrLfAndNamesTheLineOfAnError) {
  TColTextStringReader r("# heading\r\n+12 -7 # trailing\r\n  +2.5e-3 inf\r\n\"a\\x41\"");
  EXPECT_EQ(r.readInteger(), 12);
  EXPECT_EQ(r.readInteger(), -7);
  EXPECT_EQ(r.readFloat(), 2.5e-3L);
  EXPECT_EQ(r.readFloat(), std::numeric_limits<Extended>::infinity());
  EXPECT_EQ(r.readString(), "aA");

  TColTextStringReader a("1.5");
  EXPECT_THROW_MSG(a.readInteger(), EReadError, "Line 1: a 32-bit integer expected");
  TColTextStringReader b("\n\n2147483648");
  EXPECT_THROW_MSG(b.readInteger(), EReadError, "Line 3: a 32-bit integer expected");
  TColTextStringReader c("true");
  EXPECT_THROW_MSG(c.readBoolean(), EReadError, "Line 1: True or False expected");
  TColTextStringReader d("\"open\n\"");
  EXPECT_THROW_MSG(d.readString(), EReadError, "Line 1: a closing quote expected");
  TColTextStringReader e("\"\\q\"");
  EXPECT_THROW_MSG(e.readString(), EReadError, "Line 1: an escape (\\\" \\\\ \\r \\n \\t \\xHH) expected");
  TColTextStringReader f("  ;");
  EXPECT_THROW_MSG(f.readString(), EReadError, "Line 1: a value expected");
  TColTextStringReader g("");
  EXPECT_THROW_MSG(g.readListBegin(), EReadError, "Line 1: a list \"(\" expected");
}

}  // namespace
}  // namespace zrv::comp
