#include "wordreader/wordreader.h"

#include <gtest/gtest.h>

#include <string>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "expect.h"
#include "test_support.h"

using namespace zrv::comp;
using zrv::test::TempDir;
using zrv::test::write_file;


namespace {
const std::string kIncomplete = "This file either invalid or incomplete.";
}  // namespace

TEST(wordreader, empty_file_is_one_line_without_words) {
  TempDir dir;
  write_file(dir / "empty.txt", "");
  TWordReader r((dir / "empty.txt").string());
  EXPECT_EQ(r.LineCount(), 1);
  EXPECT_FALSE(r.Eof());
  EXPECT_EQ(r.WordCount(), 0);
  EXPECT_THROW_MSG(r.ReadFloat(), EInOutError, kIncomplete);
  EXPECT_TRUE(r.Eof());

  TWordReader r2((dir / "empty.txt").string());
  EXPECT_EQ(r2.ReadLine(), "");
  EXPECT_TRUE(r2.Eof());
  // Past the last line every request is a catchable list error.
  EXPECT_THROW_MSG(r2.ReadLine(), EListError, "List index out of bounds (1)");
  EXPECT_THROW(r2.NextWord(), EListError);
  EXPECT_THROW(r2.ReadFloat(), EListError);
  EXPECT_THROW(r2.ReadInteger(), EListError);
  EXPECT_THROW(r2.WordCount(), EListError);
}

TEST(wordreader, reals_across_lines_with_lf_and_crlf) {
  TempDir dir;
  for (const char* text : {"1.5 2.5\n3\n", "1.5 2.5\r\n3\r\n", "1.5 2.5\r\n3"}) {
    write_file(dir / "f.txt", text);
    TWordReader r((dir / "f.txt").string());
    EXPECT_EQ(r.LineCount(), 2);
    EXPECT_EQ(r.ReadFloat(), 1.5L);
    EXPECT_EQ(r.ReadFloat(), 2.5L);
    EXPECT_EQ(r.ReadFloat(), 3.0L);
    EXPECT_FALSE(r.Eof());
    EXPECT_THROW_MSG(r.ReadFloat(), EInOutError, kIncomplete);
  }
  write_file(dir / "g.txt", "a b\r\nc\r\n");
  TWordReader g((dir / "g.txt").string());
  EXPECT_EQ(g.ReadLine(), "a b");  // the CR is not part of the line
  EXPECT_EQ(g.NextWord(), "c");
}

TEST(wordreader, conversion_messages_name_line_and_item) {
  TempDir dir;
  write_file(dir / "f.txt", "1\n2\n3\n4 x 6\n7 2.5 99999999999 1.2E1 7.0 -12\n");
  TWordReader r((dir / "f.txt").string());
  for (int k = 0; k < 4; ++k) r.ReadFloat();
  {
    DecimalSeparatorGuard user(',');
    EXPECT_THROW_MSG(r.ReadFloat(), EInOutError,
                     "Error on Line 4 Item 2\rA floating point number was expected but not found.");
    EXPECT_EQ(decimal_separator(), ',');
  }
  EXPECT_EQ(r.ReadInteger(), 6);
  EXPECT_EQ(r.ReadInteger(), 7);
  EXPECT_THROW_MSG(r.ReadInteger(), EInOutError,
                   "Error on Line 5 Item 2\rAn integer was expected but not found.");
  EXPECT_THROW_MSG(r.ReadInteger(), EInOutError,
                   "Error on Line 5 Item 3\rAn integer was expected but not found.");
  EXPECT_EQ(r.ReadInteger(), 12);
  EXPECT_EQ(r.ReadInteger(), 7);
  EXPECT_EQ(r.ReadInteger(), -12);

  // Integers and reals in files take "." whatever the user's separator.
  write_file(dir / "g.txt", "7.0 7,0 2,5\n");
  TWordReader g((dir / "g.txt").string());
  DecimalSeparatorGuard user(',');
  EXPECT_EQ(g.ReadInteger(), 7);
  EXPECT_THROW_MSG(g.ReadInteger(), EInOutError,
                   "Error on Line 1 Item 2\rAn integer was expected but not found.");
  EXPECT_THROW_MSG(g.ReadFloat(), EInOutError,
                   "Error on Line 1 Item 3\rA floating point number was expected but not found.");
}

TEST(wordreader, words_lines_and_blank_lines) {
  TempDir dir;
  write_file(dir / "f.txt", "\t\tone \t two\t\t three  \n1 2 3 4 5 6 7 8 9\nnext\n\n   \nlast\x01word\n");
  TWordReader r((dir / "f.txt").string());
  EXPECT_EQ(r.WordCount(), 3);
  EXPECT_EQ(r.NextWord(), "one");
  EXPECT_EQ(r.NextWord(), "two");
  EXPECT_EQ(r.NextWord(), "three");
  EXPECT_EQ(r.ReadFloat(), 1.0L);
  EXPECT_EQ(r.ReadLine(), "1 2 3 4 5 6 7 8 9");
  EXPECT_EQ(r.NextWord(), "next");
  // Lines without words between records are passed over.
  EXPECT_EQ(r.NextWord(), "last\x01word");
  EXPECT_EQ(r.LineIndex(), 5);
  EXPECT_THROW_MSG(r.NextWord(), EInOutError, kIncomplete);

  const TWordContainer c = SplitWords(" \x02 a\x03 b \x04");
  EXPECT_EQ(c.raw, " \x02 a\x03 b \x04");
  ASSERT_EQ(c.words.size(), 2u);
  EXPECT_EQ(c.words[0], "a\x03");
  EXPECT_EQ(c.words[1], "b");

  // A leading UTF-8 byte-order mark is not part of the first line; one
  // further on is text.
  write_file(dir / "bom.txt", "\xEF\xBB\xBF" "1.5\n\xEF\xBB\xBF" "2\n");
  TWordReader b((dir / "bom.txt").string());
  EXPECT_EQ(b.ReadFloat(), 1.5L);
  EXPECT_EQ(b.ReadLine(), "1.5");
  EXPECT_EQ(b.ReadLine(), "\xEF\xBB\xBF" "2");
}

TEST(wordreader, missing_file_raises_in_out_error) {
  TempDir dir;
  EXPECT_THROW(TWordReader((dir / "none.txt").string()), EInOutError);
  EXPECT_THROW(TWordReader(dir.path().string()), EInOutError);  // a folder is no file
}
