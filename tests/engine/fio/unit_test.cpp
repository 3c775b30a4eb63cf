// Sequential units: positioning, end of file, opening modes and the files
// written at close.

#include "fio/fio.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

using zrv::fio::Status;
using zrv::fio::Unit;
using zrv::test::read_file;
using zrv::test::TempDir;
using zrv::test::write_file;

TEST(fio_unit, write_rewind_read_and_backspace) {
  TempDir dir;
  Unit u;
  ASSERT_TRUE(u.open((dir / "TAPE7").string(), Unit::Mode::scratch));
  u.write("A");
  u.write("B");
  u.write_fmt("(I3,/,F5.2)", 7, 1.5);
  u.rewind();
  std::string r;
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, "A");
  u.backspace();  // the record is handed back
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, "A");
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, "B");
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, "  7");
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, " 1.50");
  EXPECT_EQ(u.read(r), Status::end);
  EXPECT_EQ(r, "");
  EXPECT_EQ(u.read(r), Status::end);  // stays at the end
  // A backspace after the end leaves the unit at the end, not on the last record.
  u.backspace();
  EXPECT_EQ(u.read(r), Status::end);
  u.backspace();
  u.backspace();  // now back over the last record
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, " 1.50");
  // Backspace at the start stays there.
  u.rewind();
  u.backspace();
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, "A");
  // A write after a read ends the file there.
  u.write("C");
  EXPECT_EQ(u.read(r), Status::end);
  u.backspace();
  u.backspace();
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, "C");
  EXPECT_EQ(u.records(), (std::vector<std::string>{"A", "C"}));
  EXPECT_TRUE(u.close());
  EXPECT_FALSE(u.is_open());
  EXPECT_EQ(read_file(dir / "TAPE7"), "A\nC\n");
}

TEST(fio_unit, input_files_are_read_only_and_cleaned) {
  TempDir dir;
  const auto deck = dir / "deck.zvd";
  write_file(deck, "TITLE\r\n\tA\tB \r\n\r\nlast");
  Unit u;
  ASSERT_TRUE(u.open(deck.string(), Unit::Mode::input));
  EXPECT_EQ(u.path(), deck.string());
  std::string r;
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, "TITLE");
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, " A B ");
  EXPECT_EQ(u.read(r), Status::ok);
  EXPECT_EQ(r, "");
  EXPECT_EQ(u.read(r), Status::ok);  // a last line without its LF is a record
  EXPECT_EQ(r, "last");
  EXPECT_EQ(u.read(r), Status::end);
  u.write("ignored");  // an input unit is never written
  EXPECT_TRUE(u.close());
  EXPECT_EQ(read_file(deck), "TITLE\r\n\tA\tB \r\n\r\nlast");

  // An empty file has no records; a missing file or a folder does not open.
  write_file(dir / "empty", "");
  ASSERT_TRUE(u.open((dir / "empty").string(), Unit::Mode::input));
  EXPECT_EQ(u.read(r), Status::end);
  EXPECT_FALSE(u.open((dir / "missing").string(), Unit::Mode::input));
  EXPECT_FALSE(u.is_open());
  EXPECT_FALSE(u.open(dir.path().string(), Unit::Mode::input));
  EXPECT_EQ(u.read(r), Status::error);  // a closed unit
  EXPECT_TRUE(u.close());               // closing a closed unit is harmless
}

TEST(fio_unit, output_files_are_truncated_at_open_and_written_at_close) {
  TempDir dir;
  const auto out = dir / "run.zvo";
  write_file(out, "old report\nold line\n");
  {
    Unit u;
    ASSERT_TRUE(u.open(out.string(), Unit::Mode::output));
    EXPECT_EQ(read_file(out), "");  // truncated at once
    u.write("1");
    u.write("");
    u.write(" LINE");
    // The records stay in memory until the unit is closed (here by its destructor).
    EXPECT_EQ(read_file(out), "");
  }
  EXPECT_EQ(read_file(out), "1\n\n LINE\n");

  // Reopening a unit closes (writes) its former file first.
  Unit u;
  ASSERT_TRUE(u.open((dir / "a").string(), Unit::Mode::output));
  u.write("first");
  ASSERT_TRUE(u.open((dir / "b").string(), Unit::Mode::scratch));
  EXPECT_EQ(read_file(dir / "a"), "first\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "b"));
  EXPECT_TRUE(u.records().empty());

  // An output path in a missing folder does not open.
  Unit v;
  EXPECT_FALSE(v.open((dir / "no" / "such.zvo").string(), Unit::Mode::output));
  EXPECT_FALSE(v.is_open());
}

TEST(fio_unit, close_reports_a_file_that_cannot_be_written) {
  TempDir dir;
  std::filesystem::create_directory(dir / "sub");
  Unit u;
  ASSERT_TRUE(u.open((dir / "sub" / "f").string(), Unit::Mode::output));
  u.write("x");
  std::filesystem::remove_all(dir / "sub");  // its folder vanished meanwhile
  EXPECT_FALSE(u.close());
  EXPECT_FALSE(u.is_open());
}

TEST(fio_units, console_reads_lines_of_standard_input) {
  TempDir dir;
  write_file(dir / "answers", "deck.zvd\r\n\treport.zvo\nlast");
  ASSERT_NE(std::freopen((dir / "answers").c_str(), "r", stdin), nullptr);
  EXPECT_FALSE(zrv::fio::Units::console_is_terminal());
  std::string line;
  EXPECT_TRUE(zrv::fio::Units::console_read(line));
  EXPECT_EQ(line, "deck.zvd");
  EXPECT_TRUE(zrv::fio::Units::console_read(line));
  EXPECT_EQ(line, " report.zvo");
  EXPECT_TRUE(zrv::fio::Units::console_read(line));
  EXPECT_EQ(line, "last");
  EXPECT_FALSE(zrv::fio::Units::console_read(line));
  EXPECT_EQ(line, "");

  zrv::fio::Units units;
  EXPECT_FALSE(units[16].is_open());
  EXPECT_THROW(units[17], std::out_of_range);
}
