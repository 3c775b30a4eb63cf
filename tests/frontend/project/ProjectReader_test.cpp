// Reading project files: the reader's edge cases, and damaged files, which
// give one error and leave the open project as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "base/numbers.h"
#include "expect.h"
#include "project_compare.h"
#include "wordreader/wordreader.h"
#include "project_fixtures.h"
#include "test_support.h"

namespace zrv::front {
namespace {

using namespace fixtures;

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  return lines;
}

std::string joinLines(const std::vector<std::string>& lines, std::size_t count) {
  std::string s;
  for (std::size_t i = 0; i < count && i < lines.size(); ++i) s += lines[i] + '\n';
  return s;
}

std::string replaceOnce(std::string text, const std::string& from, const std::string& to) {
  const auto pos = text.find(from);
  if (pos != std::string::npos) text.replace(pos, from.size(), to);
  return text;
}

class Reader : public ::testing::Test {
protected:
  std::unique_ptr<TProgramData> read(const std::string& text) {
    zrv::test::write_file(dir / "in.zvd", text);
    return TProgramData::CreateFromFile((dir / "in.zvd").string(), tables);
  }
  static std::string example(const std::string& name) {
    return zrv::test::read_file(std::filesystem::path(ZRV_EXAMPLES_DIR) / name);
  }
  zrv::test::TempDir dir;
  TProjectTables tables;
};

TEST_F(Reader, HeaderEdgeCases) {
  // No MATRIX line; English units; CR LF line ends.
  std::string deck = example("stratum-harmonic.zvd");
  deck = replaceOnce(deck, "MATRIX\n", "");
  std::string crlf;
  for (char c : deck) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  auto p = read(crlf);
  EXPECT_EQ(p->GenerateMatrix, 0);
  EXPECT_EQ(p->UnitSystem, 1);
  EXPECT_EQ(tables.D1().UnitSystem(), 1);
  EXPECT_EQ(p->ProjectTitle, "Compressor block on a clay stratum over rock - harmonic load");
  EXPECT_EQ(p->FoundationType, "STRATUM");
  EXPECT_EQ(p->FoundationCode, 3);
  EXPECT_EQ(p->LoadingText, "HARMONIC ");
  // 251.2 and 12.56 rad/s are 40 and 2 Hz; the step 1.57 is 0.25 Hz.
  EXPECT_NEAR(static_cast<double>(p->MaxFrequency), 40, 1e-12);
  EXPECT_NEAR(static_cast<double>(p->MinFrequency), 2, 1e-12);
  EXPECT_NEAR(static_cast<double>(p->FrequencyStep), 0.25, 1e-12);
  EXPECT_EQ(p->LengthX, 20);
  EXPECT_EQ(p->WidthCopy, 12);
  EXPECT_EQ(p->MassComponentCount, 3);
  EXPECT_EQ(tables.MassCal().RowCount(), 3);
  EXPECT_EQ(p->CBGlobalX, *comp::parse_number("-0.18181818", '.'));
  EXPECT_FALSE(p->Modified());

  p = read(replaceOnce(example("halfspace-harmonic.zvd"), "314 6.28 3.14", "314 6.28 6.28"));
  EXPECT_NEAR(static_cast<double>(p->MaxFrequency), 50, 1e-12);
  EXPECT_NEAR(static_cast<double>(p->MinFrequency), 1, 1e-12);
  EXPECT_EQ(p->LoadPointReference, 1);
  EXPECT_EQ(p->WeakZone, 1);
  EXPECT_EQ(p->UnitSystem, 2);
  EXPECT_NEAR(static_cast<double>(cellValue(tables.D1(), 5, 0)), 0.7, 1e-15);
}

TEST_F(Reader, PileGroupWords) {
  std::string deck = example("pilegroup-harmonic.zvd");
  auto p = read(deck);
  EXPECT_EQ(p->PileHeadFixed, 1);
  EXPECT_EQ(p->PileInteraction, 1);
  EXPECT_EQ(p->EndBearing, 0);
  EXPECT_EQ(p->Battered, 1);
  EXPECT_EQ(p->SideCapWeakened, 0);
  EXPECT_EQ(tables.Pilecoord().RowCount(), 12);
  EXPECT_EQ(cellValue(tables.Pilecoord(), 3, 2), 2);   // pile 3 in YZ
  EXPECT_EQ(cellValue(tables.Pilecoord(), 3, 9), 2);   // pile 10 in YZ
  EXPECT_EQ(cellValue(tables.Pilecoord(), 2, 9), 8);
  EXPECT_EQ(cellValue(tables.Pilecoord(), 3, 10), 1);
  EXPECT_EQ(tables.D().RowCount(), 5);
  EXPECT_EQ(tables.pilecapsoil().RowCount(), 1);
  EXPECT_EQ(cellValue(tables.pilecapsoil(), 1, 0), 150);
  EXPECT_EQ(p->QuadraticLoad, 1);

  deck = replaceOnce(replaceOnce(deck, "FIXED=12", "PINNED=12"), "INTERACTION \n", "");
  p = read(replaceOnce(deck, "FLOATING\n", "END-BEARING\n"));
  EXPECT_EQ(p->PileHeadFixed, 0);
  EXPECT_EQ(p->PileInteraction, 0);
  EXPECT_EQ(p->EndBearing, 1);
  EXPECT_EQ(tables.Pilecoord().RowCount(), 12);
  EXPECT_EQ(tables.D().RowCount(), 5);
  EXPECT_EQ(cellValue(tables.D(), 0, 4), 260);

  // Words of a batter line may be separated by tabs.
  p = read(replaceOnce(example("pilegroup-harmonic.zvd"), "3 YZ", "3\tYZ"));
  EXPECT_EQ(cellValue(tables.Pilecoord(), 3, 2), 2);

  // Piles numbered above 99 keep their batter plane.
  TProgramData big(tables);
  pileGroup(big, 120, false);
  big.FileName = (dir / "big.zvd").string();
  big.WriteInputFiles();
  p = TProgramData::CreateFromFile(big.FileName, tables);
  EXPECT_EQ(tables.Pilecoord().RowCount(), 120);
  EXPECT_EQ(cellValue(tables.Pilecoord(), 3, 104), 2);
  EXPECT_EQ(cellValue(tables.Pilecoord(), 2, 104), 5);
  EXPECT_EQ(cellValue(tables.Pilecoord(), 3, 105), 1);
}

TEST_F(Reader, MultilayerWithoutSideSoilRows) {
  // The side soil table keeps one row: a file without side soil rows would
  // come back with one, and one soil column row fewer.
  TProgramData m(tables);
  multilayerRandom(m);
  tables.D().SetRowCount(0);
  fill(tables.Multisoil(), Rows(5, {220, 19, 0.35, 0.05, 1, 1}));
  m.FileName = (dir / "m.zvd").string();
  m.WriteInputFiles();
  const auto lines = splitLines(zrv::test::read_file(m.FileName));
  const auto at = std::find(lines.begin(), lines.end(), "CONSTANTS=0") - lines.begin() + 1;
  EXPECT_THROW_MSG(TProgramData::CreateFromFile(m.FileName, tables), comp::EInOutError,
                   "Error on Line " + std::to_string(at) + "\rThe number of soil layers is 0; it must be at least 1.");
}

TEST_F(Reader, TailMayBeMissing) {
  const std::string deck = example("halfspace-harmonic.zvd");
  const std::string head = deck.substr(0, deck.find("RUN \n") + 5);
  auto p = read(head);
  EXPECT_EQ(p->MassComponentCount, 0);
  EXPECT_EQ(tables.MassCal().RowCount(), 1);
  EXPECT_EQ(p->CGLocalX, 0);
  EXPECT_EQ(p->CBGlobalZ, 0);
  // The load point is given about the centre of the base, which its line
  // carries ("2 2 2.8 1 3 2 0").
  EXPECT_EQ(p->CBLocalX, 3);
  EXPECT_EQ(p->CBLocalY, 2);

  // A count of 0: the coordinate lines that follow are read all the same.
  p = read(head + "0\n1 2 3 \n3 2 0 \n7 8 9 \n");
  EXPECT_EQ(p->MassComponentCount, 0);
  EXPECT_EQ(tables.MassCal().RowCount(), 1);
  EXPECT_EQ(p->CGLocalX, 1);
  EXPECT_EQ(p->CBLocalY, 2);
  EXPECT_EQ(p->CBGlobalZ, 9);
  // A count of 0 alone: no coordinates follow.
  p = read(head + "0\n");
  EXPECT_EQ(p->CGLocalZ, 0);
  EXPECT_EQ(p->CBLocalX, 3);
  // A tail whose centre of the base differs from the load point's cannot be
  // kept: the writer writes one centre on both lines.
  try {
    read(head + "0\n1 2 3 \n4 5 6 \n7 8 9 \n");
    ADD_FAILURE() << "read";
  } catch (const comp::EInOutError& e) {
    EXPECT_STREQ(e.what(), "Error on Line 26\rThe centre of the base given with the load point was expected.");
  }
}

// A file whose counts disagree with the rows after them, or whose lines hold
// more or fewer values than a save writes, would be read into a project that
// saves as another file: it is refused, naming the line.
TEST_F(Reader, RefusesRowsThatDisagreeWithTheirCounts) {
  const std::string stratum = example("stratum-harmonic.zvd");
  const std::string tail = stratum.substr(stratum.find("RUN \n") + 5);
  const std::string head = stratum.substr(0, stratum.size() - tail.size());
  const std::string piles = example("pilegroup-harmonic.zvd");
  const std::string halfspace = example("halfspace-harmonic.zvd");
  const std::string transient = example("halfspace-transient.zvd");
  const std::string row3 = "496.89441 15.5 6 7 5 4 4 \n", global = "-0.18181818 0 3.3727273 \n";
  const struct {
    std::string deck;
    const char* message;
  } cases[] = {
      // The tail after RUN (lines 22 to 28): the count, three mass rows,
      // three coordinate lines, and the end.
      {head + replaceOnce(tail, "3\n", "2\n"),
       "Error on Line 25\rA line of the three coordinates of the centre of gravity was expected, not "
       "\"496.89441 15.5 6 7 5 4 4\"."},
      {head + replaceOnce(tail, "3\n", "4\n"),
       "Error on Line 26\rA mass component of seven values was expected, not \"10.181818 6 3.3727273\"."},
      {head + replaceOnce(tail, "3\n", "0\n"),
       "Error on Line 23\rA line of the three coordinates of the centre of gravity was expected, not "
       "\"5590.0621 10 6 2.5 20 12 5\"."},
      {head + replaceOnce(tail, "3\n", "-1\n"),
       "Error on Line 22\rThe number of mass components is -1; it must be at least 0."},
      {head + replaceOnce(tail, "3\n", "3 3\n"),
       "Error on Line 22\rThe number of mass components alone on its line was expected, not \"3 3\"."},
      {head + replaceOnce(tail, row3, row3 + row3),
       "Error on Line 26\rA line of the three coordinates of the centre of gravity was expected, not "
       "\"496.89441 15.5 6 7 5 4 4\"."},
      {head + replaceOnce(tail, row3, "496.89441 15.5 6 7 5 4\n"),
       "Error on Line 25\rA mass component of seven values was expected, not \"496.89441 15.5 6 7 5 4\"."},
      {head + replaceOnce(tail, "5590.0621", "0"),
       "Error on Line 23\rA mass of at least 1E-8 in the first mass component was expected."},
      {head + replaceOnce(tail, "10 6 0 \n", "10 6 0 0\n"),
       "Error on Line 27\rA line of the three coordinates of the centre of the base was expected, not "
       "\"10 6 0 0\"."},
      {head + replaceOnce(tail, global, ""),
       "Error on Line 28\rA line of the three coordinates of the centre of the base in global coordinates was "
       "expected, not the end of the file."},
      {head + "0\n1 2 3 \n",
       "Error on Line 24\rA line of the three coordinates of the centre of the base was expected, not the end "
       "of the file."},
      {head + tail + global,
       "Error on Line 29\rThe end of the file was expected, not \"-0.18181818 0 3.3727273\"."},
      // Rows before RUN: each on its line, numbered from 1.
      {replaceOnce(halfspace, "WEAK \n", ""), "Error on Line 12\r6 values were expected on the line, not 10."},
      {replaceOnce(transient, "0 0 0\n", "0 0 0 0\n"), "Error on Line 6\r7 values were expected on the line, not 8."},
      {replaceOnce(transient, "\n0 \nRUN", "\n0 5\nRUN"), "Error on Line 532\r1 value was expected on the line, not 2."},
      {replaceOnce(halfspace, "2 2 2.8 1 3 2 0", "2 2 2.8 0 3 2 0"),
       "Error on Line 22\r4 values were expected on the line, not 7."},
      {replaceOnce(piles, "\n3 1.2 -2.4", "\n4 1.2 -2.4"), "Error on Line 12\rThe row number 3 was expected, not 4."},
      {replaceOnce(piles, "3 YZ", "4 YZ"), "Error on Line 37\rThe row number 3 was expected, not 4."},
      {replaceOnce(piles, "3 YZ  ", "3 YZX"),
       "Error on Line 37\rThe pile number and the batter plane XZ or YZ was expected, not \"3 YZX\"."},
      {replaceOnce(halfspace, "BELOW=250 19 0.33 0.05", "BELOW=250 19 0.33 0.05 7"),
       "Error on Line 14\r\"BELOW=\" and the four values of the soil below was expected, not \"BELOW=250 19 0.33 "
       "0.05 7\"."},
      {replaceOnce(piles, "EMBEDDED\n1 \n", "EMBEDDED\n1 \n1 \n"),
       "Error on Line 70\r5 values were expected on the line, not 6."},
      // Plain side soil without a velocity in its last layer is not written.
      {replaceOnce(piles, "1 1.5 150 18", "1 1.5 0 18"),
       "Error on Line 69\rA shear-wave velocity above 0.00001 in the last side soil layer was expected."},
  };
  TProgramData open(tables);
  halfspaceHarmonic(open);
  const auto before = captureAll(tables);
  for (const auto& c : cases) {
    try {
      read(c.deck);
      ADD_FAILURE() << "read " << c.message;
    } catch (const comp::EInOutError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  EXPECT_TRUE(captureAll(tables) == before);
}

// A leading byte-order mark, tabs where blanks may stand, and a title of
// more than 248 letters, cut between letters.
TEST_F(Reader, ByteOrderMarkTabsAndLongTitles) {
  auto p = read("\xEF\xBB\xBF" + example("halfspace-transient.zvd"));
  EXPECT_EQ(p->ProjectTitle, "Forging hammer anvil block on sand - half-space - transient load");

  p = read(replaceOnce(replaceOnce(example("pilegroup-harmonic.zvd"), "-10 \n", "-10\t\n"), "10.8,8.4",
                       "10.8,\t8.4"));
  EXPECT_EQ(cellValue(tables.Pilecoord(), 2, 0), -10);
  EXPECT_EQ(p->WidthY, static_cast<Extended>(8.4L));

  const std::string letters = std::string(247, 'a') + "\xC3\xA9";  // 248 letters, the last of two bytes
  p = read(replaceOnce(example("halfspace-transient.zvd"), "TITLE=Forging", "TITLE=" + letters + "Forging"));
  EXPECT_EQ(p->ProjectTitle, letters);
}

TEST_F(Reader, FailedReadLeavesTheOpenProjectAlone) {
  TProgramData open(tables);
  halfspaceHarmonic(open);
  const auto before = captureAll(tables);
  open.SetModified(true);

  const std::string deck = example("halfspace-transient.zvd");
  try {
    read(deck.substr(0, deck.find("470.2282")));
    ADD_FAILURE() << "read";
  } catch (const comp::EInOutError& e) {
    EXPECT_STREQ(e.what(), "This file either invalid or incomplete.");
  }
  try {
    read(replaceOnce(deck, "0.004 \n", "0,004 \n"));
    ADD_FAILURE() << "read";
  } catch (const comp::EInOutError& e) {
    EXPECT_STREQ(e.what(), "Error on Line 17 Item 1\rA floating point number was expected but not found.");
  }
  try {
    read(replaceOnce(deck, "BELOW=220 19 0.3", "BELOW=220 19 NaN"));
    ADD_FAILURE() << "read";
  } catch (const comp::EConvertError& e) {
    EXPECT_STREQ(e.what(), "Error on Line 12\r'NaN' is not a valid number.");
  }
  // A pile group of no piles: the tables cannot hold it as written, so the
  // file is refused instead of being read as one pile at (0, 0).
  std::vector<std::string> piles = splitLines(example("pilegroup-harmonic.zvd"));
  const auto at = [&](const std::string& line) { return std::find(piles.begin(), piles.end(), line); };
  piles.erase(at("FIXED=12") + 1, at("FIXED=12") + 13);
  *at("FIXED=12") = "FIXED=0";
  piles.erase(at("BATTERED"), at("BATTERED") + 25);
  try {
    read(joinLines(piles, piles.size()));
    ADD_FAILURE() << "read";
  } catch (const comp::EInOutError& e) {
    EXPECT_STREQ(e.what(), "Error on Line 9\rThe number of piles is 0; it must be at least 1.");
  }
  EXPECT_THROW(TProgramData::CreateFromFile((dir / "none.zvd").string(), tables), comp::EInOutError);
  EXPECT_TRUE(captureAll(tables) == before);
  EXPECT_TRUE(open.Modified());
}

// Every keyword the reader relies on is checked: a file that would mean
// something else to the engine once saved again is refused, naming its line
// and what was expected, and stays as it was.
TEST_F(Reader, RefusesWhatItWouldHaveToGuess) {
  TProgramData open(tables);
  halfspaceHarmonic(open);
  const auto before = captureAll(tables);
  const std::string stratum = example("stratum-harmonic.zvd");
  const std::string piles = example("pilegroup-harmonic.zvd");
  const std::string transient = example("halfspace-transient.zvd");
  const struct {
    std::string deck;
    const char* message;
  } cases[] = {
      {replaceOnce(stratum, "GRAVITY=32.2", "GRAVTY=32.2"),
       "Error on Line 3\r\"GRAVITY=32.2\" or \"GRAVITY=9.8\" was expected, not \"GRAVTY=32.2\"."},
      {replaceOnce(stratum, "GRAVITY=32.2", "GRAVITY=10"),
       "Error on Line 3\r\"GRAVITY=32.2\" or \"GRAVITY=9.8\" was expected, not \"GRAVITY=10\"."},
      {replaceOnce(stratum, "GRAVITY=32.2", "STOP=32.2"),
       "Error on Line 3\r\"GRAVITY=32.2\" or \"GRAVITY=9.8\" was expected, not \"STOP=32.2\"."},
      {replaceOnce(transient, "MASS \n", "MAS\n"), "Error on Line 5\r\"MASS\" was expected, not \"MAS\"."},
      {replaceOnce(piles, "3 YZ", "3 ZY"),
       "Error on Line 37\rThe pile number and the batter plane XZ or YZ was expected, not \"3 ZY\"."},
      {replaceOnce(transient, "\nCONSTANTS \n0 0", "\nCONSTANT \n0 0"),
       "Error on Line 7\r\"CONSTANTS\" was expected, not \"CONSTANT\"."},
      {replaceOnce(transient, "\nLOAD \n", "\nLOADS \n"), "Error on Line 13\r\"LOAD\" was expected, not \"LOADS\"."},
      {replaceOnce(transient, "RUN \n", "RUM \n"), "Error on Line 533\r\"RUN\" was expected, not \"RUM\"."},
      // Values the writer derives from a soil row, which a save would replace.
      {replaceOnce(example("halfspace-harmonic.zvd"), "0.7 0.33 0.1 0.1", "0.7 0.3 0.1 0.1"),
       "Error on Line 13\rThe weak zone values 0.33 0.1 0.1 were expected, not 0.3 0.1 0.1."},
      {replaceOnce(example("multilayer-harmonic.zvd"), "WEAK \nCONSTANTS=2", "CONSTANTS=2"),
       "Error on Line 18\r\"WEAK\" before the side soil layers was expected, not \"CONSTANTS=2\"."},
      // A load choice from 1 to 6.
      {replaceOnce(transient, "\n2 \n3 \n0 \n", "\n2 \n7 \n0 \n"),
       "Error on Line 19\rA load choice from 1 to 6 was expected, not 7."},
      // A carriage return in the title would be saved as a blank.
      {replaceOnce(transient, "TITLE=Forging", "TITLE=\rForging"),
       "Error on Line 1\rA title without carriage returns was expected, not \"TITLE= Forging hammer anvil block on "
       "sand - half-space - transient load\"."},
  };
  for (const auto& c : cases) {
    try {
      read(c.deck);
      ADD_FAILURE() << "read " << c.message;
    } catch (const comp::EInOutError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  // A message quotes at most 80 characters of a line, control characters
  // as blanks: a file with CR line ends only is one line.
  std::string crOnly = replaceOnce(transient, "TITLE=", "TITLE =");
  std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
  std::string shown = crOnly.substr(0, 80);
  std::replace(shown.begin(), shown.end(), '\r', ' ');
  try {
    read(crOnly);
    ADD_FAILURE() << "read";
  } catch (const comp::EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Error on Line 1\r\"TITLE=\" and the title was expected, not \"" + shown +
                                         "...\".");
  }
  // 80 letters, not 80 bytes, and never half a letter.
  std::string accents;
  for (int i = 0; i < 100; ++i) accents += "\xC3\xA9";
  try {
    read(replaceOnce(stratum, "GRAVITY=32.2", "GRAVITY=" + accents));
    ADD_FAILURE() << "read";
  } catch (const comp::EConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "Error on Line 3\r'" + accents.substr(0, 2 * 80) + "...' is not a valid number.");
  }
  EXPECT_TRUE(captureAll(tables) == before);

  // The load choices 6 are read, the same coordinate twice for a spectrum.
  auto p = read(replaceOnce(transient, "\n2 \n3 \n0 \n", "\n2 \n6 \n0 \n"));
  EXPECT_EQ(cellValue(tables.TLoadtype(), 0, 0), 6);
  const std::string random = example("stratum-random.zvd");
  p = read(replaceOnce(random, "\n2 2\n", "\n6 6\n"));
  EXPECT_EQ(cellValue(tables.Trandom(), 0, 0), 6);
  EXPECT_THROW(read(replaceOnce(random, "\n2 2\n", "\n2 5\n")), comp::EInOutError);
}

TEST_F(Reader, TruncatedAndCorruptedExamplesGiveOneError) {
  for (const auto& entry : std::filesystem::directory_iterator(ZRV_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".zvd") continue;
    SCOPED_TRACE(entry.path().filename().string());
    const auto lines = splitLines(zrv::test::read_file(entry.path()));
    std::size_t run = 0;
    while (run < lines.size() && lines[run] != "RUN ") ++run;
    ASSERT_LT(run, lines.size());

    // Cut after every line: before the end of "RUN" always an error.
    for (std::size_t n = 0; n <= run; ++n) {
      SCOPED_TRACE("cut after " + std::to_string(n) + " lines");
      const auto before = captureAll(tables);
      EXPECT_THROW(read(joinLines(lines, n)), comp::Exception);
      EXPECT_TRUE(captureAll(tables) == before);
    }
    for (std::size_t n = run + 1; n <= lines.size(); ++n) {
      try {
        read(joinLines(lines, n));
      } catch (const comp::Exception& e) {
        EXPECT_NE(std::string(e.what()), "");
      }
    }

    // Every word that is read as a number, replaced by NaN or asterisks.
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto words = comp::SplitWords(lines[i]).words;
      // The pile number before a batter plane is not read.
      const bool planeLine = words.size() == 2 && (words[1] == "XZ" || words[1] == "YZ");
      for (std::size_t w = planeLine ? 1 : 0; w < words.size(); ++w) {
        if (!comp::parse_number(words[w], '.')) continue;
        for (const char* bad : {"NaN", "*******"}) {
          auto damaged = lines;
          std::string rebuilt;
          for (std::size_t k = 0; k < words.size(); ++k) rebuilt += (k ? " " : "") + (k == w ? bad : words[k]);
          damaged[i] = rebuilt;
          SCOPED_TRACE("line " + std::to_string(i + 1) + " word " + std::to_string(w + 1) + " " + bad);
          EXPECT_THROW(read(joinLines(damaged, damaged.size())), comp::Exception);
        }
      }
    }
    // The numbers cut from whole lines.
    for (const char* key : {"GRAVITY=", "RECTANGULAR=", "CIRCULAR=", "BELOW=", "LAYERS=", "FIXED=", "LAYER=", "CONSTANTS="}) {
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(key, 0) != 0) continue;
        auto damaged = lines;
        damaged[i] = std::string(key) + "***";
        SCOPED_TRACE(damaged[i]);
        EXPECT_THROW(read(joinLines(damaged, damaged.size())), comp::Exception);
      }
    }
  }
}

}  // namespace
}  // namespace zrv::front
