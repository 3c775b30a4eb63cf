// The record reader, the keyword look-up and the dispatcher, through whole
// runs on small decks.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "deck/reader.h"
#include "run/state.h"
#include "../run/run_fixture.h"

namespace zrv::test {
namespace {

using L = std::vector<std::string>;

struct Outcome {
  int code = -1;
  L report;
};

Outcome run(const std::string& deck) {
  TempDir dir;
  Outcome o;
  o.code = run_deck(dir, deck);
  o.report = lines_of(read_file(dir / "job.zvo"));
  return o;
}

const L stop_frame{"1", "", "", " *** RUN TERMINATED BY 'STOP' KEYWORD ***"};
const L fatal_frame{"1", "", "", "*** FATAL ERROR IN INPUT DATA ***",
                    "*** EXECUTION TERMINATED ***"};

TEST(dispatcher, records_after_run_are_never_read) {
  const Outcome o = run("NOECHO\nRUN\nBOGUS\nTITLE=never\nSTOP\n");
  EXPECT_EQ(o.code, 3);
  EXPECT_EQ(o.report, concat({"", "", " INSUFFICIENT INPUT DATA TO COMPLETE RUN",
                              " PROGRAM WILL TERMINATE"},
                             fatal_frame));
}

TEST(dispatcher, deck_without_run_or_stop_ends_as_stop) {
  const Outcome o = run("NARROW\nLONG\nSHORT\nSTATIC\nDYNAMIC\n");
  EXPECT_EQ(o.code, 2);
  EXPECT_EQ(o.report, concat({"", "", " *** INPUT ERROR ***    END OF FILE ENCOUNTERED WHILE",
                              "                        READING   1 ALPHANUMERIC WORDS", "", "",
                              " END OF FILE ENCOUNTERED - PROGRAM STOP EXECUTED"},
                             stop_frame));
}

TEST(dispatcher, unknown_and_misplaced_words) {
  // Lower case is unknown; CONSTANTS at the top level is a misplaced
  // sub-keyword and the numbers after it are met as words.
  const Outcome o =
      run("stop\nCONSTANTS=1 2.5\nWEAK\nHARMONIC\nMASS\n1.5E3\nSTOP\n");
  EXPECT_EQ(o.code, 2);
  EXPECT_EQ(o.report,
            concat({"", "", " UNRECOGNIZED KEYWORD - stop",
                    "", "", " CONS SUBKEYWORD MUST BE PRECEEDED BY FOUNDATION KEYWORD",
                    "", "", " UNRECOGNIZED KEYWORD - 1.  ",
                    "", "", " UNRECOGNIZED KEYWORD - 2.5 ",
                    "", "", " WEAK SUBKEYWORD MUST BE PRECEEDED BY SOIL KEYWORD",
                    "", "", " HARM SUBKEYWORD MUST BE PRECEEDED BY LOAD KEYWORD",
                    "", "",
                    " MASS SUBKEYWORD MUST BE PRECEEDED BY ONE OF FOUNDATION, SOIL OR LOAD "
                    "KEYWORDS"},
                   stop_frame));  // 1.5E3 stands right-aligned: its word is blank, ignored
}

TEST(dispatcher, option_keywords) {
  const L wide{"", "", " WIDE PRINTOUT FOR HARMONIC RESPONSE CURVE", " " + std::string(41, '*')};
  const L dime{"", "", " DIMENSIONLESS RESPONSE", " " + std::string(22, '*')};
  const L matr{"", "", " STIFFNESS AND DAMPING CONSTANTS TO BE PRINTED",
               " " + std::string(45, '*')};
  EXPECT_EQ(run("WIDE\nDIMENSIONLESS\nMATRIX\nSTOP\n").report,
            concat(concat(concat(wide, dime), matr), stop_frame));
  // With the echo off only WIDE still writes its lines.
  EXPECT_EQ(run("NOECHO\nWIDE\nDIME\nMATR\nECHO\nDIME\nSTOP\n").report,
            concat(concat(wide, dime), stop_frame));
}

TEST(dispatcher, keyword_where_a_number_is_wanted) {
  // The keyword is reported as alphanumeric, handed back and read as the
  // next word: the fatal error wins over the STOP that follows.
  const Outcome o = run("GRAVITY\nSTOP\n");
  EXPECT_EQ(o.code, 3);
  const std::string alpha = " *** INPUT ERROR ***    ALPHANUMERIC ENCOUNTERED - \"";
  EXPECT_EQ(o.report, concat({"", "", alpha + "STOP                \",",
                              "", "", alpha + std::string(20, ' ') + "\",",
                              "", "", alpha + std::string(20, ' ') + "\",",
                              "", "", alpha + std::string(20, ' ') + "\",",
                              "", "", " ERROR ENCOUNTERED WHILE READING GRAV. CONSTANT",
                              " PROGRAM WILL NOT EXECUTE"},
                             fatal_frame));
  // A word that is no keyword stays consumed.
  const Outcome w = run("GRAVITY=G\nSTOP\n");
  EXPECT_EQ(w.code, 3);
  EXPECT_EQ(w.report.at(2), alpha + "G                   \",");
  EXPECT_EQ(w.report.at(14), " ERROR ENCOUNTERED WHILE READING GRAV. CONSTANT");
}

TEST(dispatcher, deck_ending_inside_a_group_is_fatal) {
  const Outcome g = run("GRAVITY\n");
  EXPECT_EQ(g.code, 3);
  EXPECT_EQ(g.report,
            concat({"", "", " *** INPUT ERROR ***    END OF FILE ENCOUNTERED WHILE READING",
                    "                        NUMBER   1 OF   1 NUMBERS TO BE READ", "", "",
                    " *** INPUT ERROR ***    THE DECK ENDED BEFORE ITS LAST GROUP WAS COMPLETE"},
                   fatal_frame));
  const Outcome t = run("TITLE\n");
  EXPECT_EQ(t.code, 3);
  EXPECT_EQ(L(t.report.begin(), t.report.begin() + 6),
            (L{"", "", " END OF FILE ENCOUNTERED WHILE READING TITLE", "", "",
               " *** INPUT ERROR ***    THE DECK ENDED BEFORE ITS LAST GROUP WAS COMPLETE"}));
}

TEST(keyfnd, table_lookup) {
  TempDir dir;
  ChangeDir here(dir.path());
  auto s = std::make_unique<RunState>();
  s->unit_table[16] = 16;
  ASSERT_TRUE(s->units[16].open("report", fio::Unit::Mode::output));
  const std::pair<const char*, int> known[] = {
      {"    ", 1}, {"WIDE", 2}, {"FOUNDRY", 24}, {"FOUNDATION", 24}, {"RUN", 28},
      {"STOP", 29}, {"TITLE", 30}, {"PAD", 45}, {"QUADRATIC", 51}, {"NONQUADRATIC", 52},
      {"END-BEARING", 35}, {"GRAVITY", 20}};
  for (const auto& [text, slot] : known) {
    int index = 0;
    int status = 0;
    KEYFND(*s, Word(text), index, status);
    EXPECT_EQ(index, slot) << text;
    EXPECT_EQ(status, 1);
  }
  EXPECT_EQ(s->keyword_count, 52);
  int index = 0;
  int status = 0;
  KEYFND(*s, Word("RUNS"), index, status);
  EXPECT_EQ(index, 999);
  s->units[16].close();
  EXPECT_EQ(read_file(dir / "report"), "\n\n UNRECOGNIZED KEYWORD - RUNS\n");
}

// The record reader on a hand-made scratch deck.
class readit : public ::testing::Test {
protected:
  void SetUp() override {
    here_ = std::make_unique<ChangeDir>(dir_.path());
    s_ = std::make_unique<RunState>();
    s_->unit_table[4] = 7;
    s_->unit_table[16] = 16;
    ASSERT_TRUE(s_->units[16].open("report", fio::Unit::Mode::output));
  }
  void scratch(const std::vector<std::string>& records) {
    ASSERT_TRUE(s_->units[7].open("TAPE7", fio::Unit::Mode::scratch));
    for (const auto& r : records) s_->units[7].write(r);
    s_->units[7].rewind();
  }
  std::string report() {
    s_->units[16].close();
    return read_file(dir_ / "report");
  }
  TempDir dir_;
  std::unique_ptr<ChangeDir> here_;
  std::unique_ptr<RunState> s_;
  float value = -1.0f;
  Word word;
  int status = -5;
};

TEST_F(readit, numbers_words_and_hand_back) {
  scratch({"12.", std::string(15, ' ') + "1.5E3", "     2.5d-1", "-0.25", "FOUN",
           "0.000000000000000000012345", "1" + std::string(24, '0') + "."});
  READIT(*s_, 1, value, word, status);
  EXPECT_EQ(value, 12.0f);
  EXPECT_EQ(status, 1);
  READIT(*s_, 0, value, word, status);  // hand back: the same record again
  EXPECT_EQ(status, 1);
  READIT(*s_, 1, value, word, status);
  EXPECT_EQ(value, 12.0f);
  READIT(*s_, 1, value, word, status);
  EXPECT_EQ(value, 1500.0f);
  READIT(*s_, 1, value, word, status);
  EXPECT_EQ(value, 0.25f);
  READIT(*s_, 1, value, word, status);
  EXPECT_EQ(value, -0.25f);
  READIT(*s_, -1, value, word, status);
  EXPECT_EQ(word, Word("FOUN"));
  // Numbers longer than the 20-column field are read whole.
  READIT(*s_, 1, value, word, status);
  EXPECT_FLOAT_EQ(value, 1.2345e-20f);
  READIT(*s_, 1, value, word, status);
  EXPECT_FLOAT_EQ(value, 1e24f);
  EXPECT_EQ(status, 1);
  // The end of the deck while a word is wanted.
  READIT(*s_, -1, value, word, status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(word, Word("    "));
  EXPECT_EQ(s_->flags.fatal, 0);
  EXPECT_EQ(report(),
            "\n\n *** INPUT ERROR ***    END OF FILE ENCOUNTERED WHILE\n"
            "                        READING   1 ALPHANUMERIC WORDS\n");
}

TEST_F(readit, text_where_a_number_is_wanted) {
  const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz!?";
  scratch({text, "NEXT"});
  READIT(*s_, 1, value, word, status);
  EXPECT_EQ(status, -1);
  EXPECT_EQ(value, 0.0f);
  READIT(*s_, -1, value, word, status);  // no keyword count yet: consumed
  EXPECT_EQ(word, Word("NEXT"));
  const std::string head = "\n\n *** INPUT ERROR ***    ALPHANUMERIC ENCOUNTERED - \"";
  EXPECT_EQ(report(), head + "ABCDEFGHIJKLMNOPQRST\",\n" + head + "UVWXYZ0123456789abcd\",\n" +
                          head + "efghijklmnopqrstuvwx\",\n" + head + "yz!?                \",\n");
}

TEST_F(readit, invalid_counts_hand_the_record_back) {
  scratch({"1.", "2."});
  READIT(*s_, 1, value, word, status);
  READIT(*s_, 2, value, word, status);
  READIT(*s_, -3, value, word, status);
  READIT(*s_, 1, value, word, status);
  EXPECT_EQ(value, 1.0f);
  const std::string msg = "\n\n *** INVALID CALL TO READIT, BACKSPACE ASSUMED ***\n\n";
  EXPECT_EQ(report(), msg + msg);
}

}  // namespace
}  // namespace zrv::test
