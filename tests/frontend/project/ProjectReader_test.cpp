// Reading project files: the reader's edge cases, and damaged files, which
// give one error and leave the open project as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "base/numbers.h"
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
  TProgramData m(tables);
  multilayerRandom(m);
  tables.D().SetRowCount(0);
  fill(tables.Multisoil(), Rows(5, {220, 19, 0.35, 0.05, 1, 1}));
  m.FileName = (dir / "m.zvd").string();
  m.WriteInputFiles();
  auto p = TProgramData::CreateFromFile(m.FileName, tables);
  EXPECT_EQ(tables.Multisoil().RowCount(), 5);
  EXPECT_EQ(cellValue(tables.Multisoil(), 0, 4), 220);
  EXPECT_EQ(p->LoadType, 3);
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
  p = read(head + "0\n1 2 3 \n");
  EXPECT_EQ(p->CGLocalZ, 3);
  EXPECT_EQ(p->CBLocalX, 3);
  // A tail whose centre of the base differs from the load point's cannot be
  // kept: the writer writes one centre on both lines.
  try {
    read(head + "0\n1 2 3 \n4 5 6 \n7 8 9 \n");
    ADD_FAILURE() << "read";
  } catch (const comp::EInOutError& e) {
    EXPECT_STREQ(e.what(), "Error on Line 26\rThe centre of the base given with the load point was expected.");
  }

  // Rows, then the file ends before the coordinates.
  p = read(head + "2\n117.55102 3 2 1 6 4 2 \n12 2 2 2.6 2.5 1.6 1.2\n3.005816 2 1.2268249 \n");
  EXPECT_EQ(tables.MassCal().RowCount(), 2);
  EXPECT_EQ(cellValue(tables.MassCal(), 6, 1), static_cast<Extended>(1.2L));
  EXPECT_EQ(p->CGLocalX, static_cast<Extended>(3.005816L));
  EXPECT_EQ(p->CBLocalX, 3);
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
  };
  for (const auto& c : cases) {
    try {
      read(c.deck);
      ADD_FAILURE() << "read " << c.message;
    } catch (const comp::EInOutError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  // A message quotes at most 80 characters of a line: a file with CR line
  // ends only is one line.
  std::string crOnly = replaceOnce(transient, "TITLE=", "TITLE =");
  std::replace(crOnly.begin(), crOnly.end(), '\n', '\r');
  try {
    read(crOnly);
    ADD_FAILURE() << "read";
  } catch (const comp::EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Error on Line 1\r\"TITLE=\" and the title was expected, not \"" +
                                         crOnly.substr(0, 80) + "...\".");
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
