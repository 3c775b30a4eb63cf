// The deck preprocessor: what deck lines become in the scratch deck TAPE7.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "deck/prepro.h"
#include "run/state.h"
#include "../run/run_fixture.h"

namespace zrv::test {
namespace {

struct Prepro {
  std::vector<std::string> scratch;  // TAPE7 records
  std::string report;
};

Prepro preprocess(const std::string& deck) {
  TempDir dir;
  ChangeDir here(dir.path());
  write_file(dir / "deck.zvd", deck);
  auto s = std::make_unique<RunState>();
  s->unit_table[4] = 4;
  s->unit_table[7] = 7;
  s->unit_table[8] = 8;
  s->unit_table[16] = 16;
  using Mode = fio::Unit::Mode;
  EXPECT_TRUE(s->units[4].open("deck.zvd", Mode::input));
  EXPECT_TRUE(s->units[7].open("TAPE7", Mode::scratch));
  EXPECT_TRUE(s->units[8].open("TAPE8", Mode::scratch));
  EXPECT_TRUE(s->units[16].open("report", Mode::output));
  PREPRO(*s);
  EXPECT_EQ(s->unit_table[4], 7);
  Prepro r;
  r.scratch = s->units[7].records();
  for (int u : {4, 7, 8, 16}) s->units[u].close();
  r.report = read_file(dir / "report");
  return r;
}

std::vector<std::string> records(const std::string& deck) { return preprocess(deck).scratch; }

using R = std::vector<std::string>;

TEST(prepro, examples_of_deck_lines) {
  EXPECT_EQ(records("FOUNDATION=PILE\n"), (R{pad("FOUNDATION"), pad("PILE")}));
  EXPECT_EQ(records("RECTANGULAR=10.0 12.5\n"), (R{pad("RECTANGULAR"), "10.0", "12.5"}));
  EXPECT_EQ(records("3(0.5) 1.0\n"), (R{"0.5", "0.5", "0.5", "1.0"}));
  EXPECT_EQ(records("FOUNDATION PILE\n"), (R{pad("FOUNDATION PILE")}));
  EXPECT_EQ(records("1.5E3\n"), (R{std::string(15, ' ') + "1.5E3"}));
  EXPECT_EQ(records("12\n"), (R{"12."}));
}

TEST(prepro, comments_and_blank_lines) {
  EXPECT_EQ(records("$ a comment line\nGRAVITY=9.8 $ the SI value\n"),
            (R{pad("GRAVITY"), "9.8"}));
  EXPECT_EQ(records("\n   \n    $ only a comment\nSTOP\n"), (R{pad("STOP")}));
}

TEST(prepro, repeat_groups) {
  EXPECT_EQ(records("2(1.0,2.0)\n"), (R{"1.0", "2.0", "1.0", "2.0"}));
  // Only the digit before "(" counts; the 1 joins the first copy.
  EXPECT_EQ(records("12(5.0)\n"), (R{"15.0", "5.0"}));
  // A count of 0 drops the group, its count and the comma before the count.
  EXPECT_EQ(records("A 0(1,2) B\n"), (R{pad("A B")}));
  // Without ")" the group closes at the last non-blank column, not copied.
  EXPECT_EQ(records("3(1.0   \n"), (R{"1.", "1.", "1."}));
  // A group inside a group is copied as it stands.
  EXPECT_EQ(records("2(1 3(4))\n"), (R{"1.", pad("3(4"), "1.", pad("3(4)")}));
}

TEST(prepro, code_letters_and_end_marker) {
  EXPECT_EQ(records("A T B\n"), (R{pad("A "), "999.", pad(" B")}));
  EXPECT_EQ(records("H F Q P S V\n"),
            (R{"-999.", "0.", "-997.", "998.", "-998.", "-996."}));
  EXPECT_EQ(records("LOAD=T\n"), (R{pad("LOAD"), "999."}));
  EXPECT_EQ(records("a t b\n"), (R{pad("a t b")}));
  EXPECT_EQ(records("TS\n"), (R{pad("TS")}));
  EXPECT_EQ(records("*\n"), (R{"-999."}));
  EXPECT_EQ(records("1.0*2.0\n"), (R{"1.0", "-999.", "2.0"}));
}

TEST(prepro, numeric_records) {
  EXPECT_EQ(records("1 2 3\n"), (R{"1.", "2.", "3."}));
  EXPECT_EQ(records("5 ABC\n"), (R{"5.", pad("ABC")}));
  EXPECT_EQ(records("-1.5 +2 .5 1.5E-3 2e4 3D2 4d-1\n"),
            (R{"-1.5", "+2.", ".5", pad("", 14) + "1.5E-3", pad("", 17) + "2e4",
               pad("", 17) + "3D2", pad("", 16) + "4d-1"}));
  // A minus that is not first and not after the exponent letter ends the numbers.
  EXPECT_EQ(records("7 1-2 8\n"), (R{"7.", pad("1-2 8")}));
  // Tabs are blanks; CR LF line ends read as LF.
  EXPECT_EQ(records("1.0\t2.0\r\nSTOP\r\n"), (R{"1.0", "2.0", pad("STOP")}));
}

TEST(prepro, long_lines_are_read_whole) {
  // Ten values of a soil row run past column 80; none is cut.
  const std::string row =
      "1 12.345678 1234.5678 0.12345678 0.33333333 0.05 0.12345678 0.33333333 0.1 1";
  const std::string line = row + " 123456.78\n";
  ASSERT_GT(line.size(), 81u);
  EXPECT_EQ(records(line), (R{"1.", "12.345678", "1234.5678", "0.12345678", "0.33333333", "0.05",
                              "0.12345678", "0.33333333", "0.1", "1.", "123456.78"}));
}

TEST(prepro, title_record_is_taken_as_written) {
  EXPECT_EQ(records("TITLE=Pump 2, T=5 Hz * run $1\nSTOP\n"),
            (R{pad("TITLE"), "Pump 2, T=5 Hz * run $1", pad("STOP")}));
  // An empty title is a record of its own and the next line stays a keyword.
  EXPECT_EQ(records("TITLE=\nGRAVITY=9.8\n"), (R{pad("TITLE"), "", pad("GRAVITY"), "9.8"}));
  // A title after blanks, and a title on the line after a bare keyword.
  EXPECT_EQ(records("TITLE  12 piles\n"), (R{pad("TITLE"), "12 piles"}));
  EXPECT_EQ(records("TITLE\n\n$ note\n  3(1) machine, fan\nSTOP\n"),
            (R{pad("TITLE"), "  3(1) machine, fan", pad("STOP")}));
  // Several titles, with numeric records between them that are still split.
  EXPECT_EQ(records("TITLE=A, 1\n1 2\nTITLE=3 4\n5 6\nTITLE\n7\n"),
            (R{pad("TITLE"), "A, 1", "1.", "2.", pad("TITLE"), "3 4", "5.", "6.", pad("TITLE"),
               "7"}));
  // Only a record that begins with the keyword carries a title.
  EXPECT_EQ(records(" TITLE=A\n"), (R{pad(" TITLE"), pad("A")}));
}

TEST(prepro, record_too_long_after_repeats) {
  const std::string exact = "5(" + std::string(99, 'A') + ")";  // 5 x 100 items
  const Prepro p = preprocess(exact + "\nSTOP\n");
  const std::vector<std::string> expected_report{
      "", "", "", "***   INPUT DATA RECORD TOO LONG DUE TO REPEAT    FEATURE   ***", "",
      " ***   DATA TRUNCATED ON THE FOLLOWING LINE    ***", "", " " + pad(exact)};
  EXPECT_EQ(lines_of(p.report), expected_report);
  ASSERT_EQ(p.scratch.size(), 6u);
  EXPECT_EQ(p.scratch[4], pad(std::string(99, 'A')));
  EXPECT_EQ(p.scratch[5], pad("STOP"));

  EXPECT_EQ(preprocess("4(" + std::string(99, 'A') + ")\n").report, "");
  // The items beyond 500 are dropped, the rest of the run goes on.
  const Prepro q = preprocess("9(1.0 2.0 3.0 4.0 5.0 6.0 7.0 8.0 9.0 10. 11. 12. 13. 14.)\n");
  EXPECT_NE(q.report.find("TOO LONG"), std::string::npos);
  ASSERT_EQ(q.scratch.size(), 125u);  // 500 items: 8 full copies of 56 and 52 of the ninth
  EXPECT_EQ(q.scratch.back(), "13.");
}

}  // namespace
}  // namespace zrv::test
