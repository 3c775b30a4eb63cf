// What the project writer writes in its edge cases, what it refuses, and
// how a failed save leaves the files.

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <limits>

#include "base/numbers.h"
#include "grid/TTableColumn.h"
#include "project/ProjectText.h"
#include "project/ProjectWriter.h"
#include "project_fixtures.h"
#include "test_support.h"

namespace zrv::front {
namespace {

using namespace fixtures;

/// The lines of `text` from the one equal to `first`, `count` of them.
std::string linesFrom(const std::string& text, const std::string& first, int count) {
  auto pos = text.find("\n" + first + "\n");
  if (pos == std::string::npos) return "<no line " + first + ">";
  ++pos;
  auto end = pos;
  for (int i = 0; i < count && end != std::string::npos; ++i) end = text.find('\n', end) + 1;
  return text.substr(pos, end - pos);
}

bool hasLine(const std::string& text, const std::string& line) {
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(ProjectText, NumberForms) {
  EXPECT_EQ(formatReal(0.5), "0.5");
  EXPECT_EQ(formatReal(314), "314");
  EXPECT_EQ(formatReal(50 * 6.28L), "314");
  EXPECT_EQ(formatReal(1.0L / 3), "0.33333333");
  EXPECT_EQ(formatReal(2e-7L), "2E-7");
  EXPECT_EQ(formatReal(-123456789.0L), "-1.2345679E8");
  EXPECT_EQ(formatWide(1), " 1.00000000000000E+0000");
  EXPECT_EQ(formatWide(0), " 0.00000000000000E+0000");
  EXPECT_EQ(formatWide(-0.087864358151859), "-8.78643581518590E-0002");
  EXPECT_EQ(formatWide(12345.678), " 1.23456780000000E+0004");
  EXPECT_EQ(changeFileExt("/a/b.c/job.zvd", ".zvm"), "/a/b.c/job.zvm");
  EXPECT_EQ(changeFileExt("/a/b.c/job", ".zvt"), "/a/b.c/job.zvt");
}

class Writer : public ::testing::Test {
protected:
  std::string write(TProgramData& p, const std::string& name = "job") {
    p.FileName = (dir / (name + ".zvd")).string();
    p.WriteInputFiles();
    return zrv::test::read_file(p.FileName);
  }
  zrv::test::TempDir dir;
  TProjectTables tables;
  NullProjectHost host;
};

TEST_F(Writer, FrequenciesInRadiansAndTheirLines) {
  TProgramData p(tables, host);
  p.MaxFrequency = 50;
  p.MinFrequency = 1;
  p.FrequencyStep = 1;
  EXPECT_EQ(linesFrom(write(p), "NONQUADRATIC ", 2), "NONQUADRATIC \n314 6.28 6.28 \n");

  // Random-load frequencies are written in radians too.
  multilayerRandom(p);
  EXPECT_EQ(linesFrom(write(p), "RANDOM ", 8), "RANDOM \nCONSTANTS \n251.2 \n12.56 \n12 \n120 \n2 \n1 1\n");
}

TEST_F(Writer, TitleIsOneLineNeverEmpty) {
  TProgramData p(tables, host);
  p.ProjectTitle = "";
  EXPECT_EQ(write(p).substr(0, 8), "TITLE= \n");
  p.ProjectTitle = "Block A\r\nrev. 2, E=30000";
  EXPECT_EQ(write(p).substr(0, 36), "TITLE=Block A  rev. 2, E=30000\nMATRI");
}

TEST_F(Writer, FirstMassZeroWritesNoComponents) {
  TProgramData p(tables, host);
  massComponents(p);
  fill(tables.MassCal(), {{0, 1, 2, 3, 4, 5, 6}, {12, 2, 2, 2.6, 2.5, 1.6, 1.2}});
  EXPECT_EQ(linesFrom(write(p), "RUN ", 5), "RUN \n0\n3.005816 2 1.2268249 \n3 2 0 \n-0.0058160237 0 1.2268249 \n");
  EXPECT_EQ(p.MassComponentCount, 0);
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvm"), "0\n");

  fill(tables.MassCal(), {{1e-8, 1, 2, 3, 4, 5, 6}});
  EXPECT_EQ(linesFrom(write(p), "RUN ", 3), "RUN \n1\n1E-8 1 2 3 4 5 6 \n");
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvm"),
            "1\n1E-8 1 2 3 4 5 6 \n"
            " 3.00581600000000E+0000  2.00000000000000E+0000  1.22682490000000E+0000 \n"
            " 3.00000000000000E+0000  2.00000000000000E+0000  0.00000000000000E+0000 \n"
            "-5.81602370000000E-0003  0.00000000000000E+0000  1.22682490000000E+0000 \n");
}

TEST_F(Writer, TinyBatterAnglesAndSideCapSoil) {
  TProgramData p(tables, host);
  pileGroupPlain(p);
  fill(tables.Pilecoord(), {{-2, -2, 0, 1}, {2, -2, 0.00000005, 2}});
  fill(tables.pilecapsoil(), {{1.5, 0, 18, 0.33, 0.05, 0}});
  std::string deck = write(p);
  EXPECT_FALSE(hasLine(deck, "BATTERED"));
  EXPECT_EQ(p.Battered, 0);
  // No side-cap soil values: no embedded block at all.
  EXPECT_EQ(linesFrom(deck, "BELOW=320 20 0.35 0.03", 2), "BELOW=320 20 0.35 0.03\nLOAD \n");

  fill(tables.Pilecoord(), {{-2, -2, 0, 1}, {2, -2, 0.0000002, 2}});
  fill(tables.pilecapsoil(), {{1.5, 150, 18, 0.33, 0.05, 0}});
  deck = write(p);
  EXPECT_EQ(linesFrom(deck, "END-BEARING", 6), "END-BEARING\nBATTERED\n1 XZ  \n0 \n2 YZ  \n2E-7 \n");
  EXPECT_EQ(linesFrom(deck, "EMBEDDED", 3), "EMBEDDED\n1 \n1 1.5 150 18 0.33 0.05\n");
  EXPECT_FALSE(hasLine(deck, "SIDE-CAP"));
  EXPECT_TRUE(hasLine(deck, "PINNED=2"));
  EXPECT_FALSE(hasLine(deck, "INTERACTION "));

  // A weak-zone ratio of 1 makes the side cap weakened; that row's zone has
  // no thickness.
  fill(tables.pilecapsoil(), {{1.5, 150, 18, 0.33, 0.05, 1}, {1, 0, 18, 0.3, 0.04, 0.5}});
  deck = write(p);
  EXPECT_EQ(linesFrom(deck, "SIDE-CAP", 5),
            "SIDE-CAP\nEMBEDDED\n2 \n1 1.5 150 18 0.33 0.05 1 0.33 0.1 0\n2 1 0 18 0.3 0.04 0.5 0.3 0.08 0.1\n");
  // The flags stay set once set.
  fill(tables.Pilecoord(), {{-2, -2, 0, 1}, {2, -2, 0, 1}});
  fill(tables.pilecapsoil(), {{1.5, 150, 18, 0.33, 0.05, 0}});
  deck = write(p);
  EXPECT_TRUE(hasLine(deck, "BATTERED"));
  EXPECT_TRUE(hasLine(deck, "SIDE-CAP"));
}

TEST_F(Writer, MultilayerRowsComeFromTheSideSoilThenTheSoilColumn) {
  TProgramData p(tables, host);
  multilayerRandom(p);
  EXPECT_EQ(linesFrom(write(p), "WEAK ", 7),
            "WEAK \n"
            "CONSTANTS=2\n"
            "1 160 18 0.35 0.05 0.8 0.35 0.1 1\n"
            "2 190 18.5 0.35 0.05 1 0.35 0.1 0\n"
            "3 220 19 0.35 0.05 1 1\n"
            "4 240 19.2 0.35 0.045 1 1\n"
            "5 260 19.5 0.35 0.04 1 1\n");
  // The weak zone of a multilayer side layer disappears above 0.99999, of a
  // pile soil layer only above 0.999999.
  fill(tables.D(), {{160, 18, 0.35, 0.05, 0.999995}, {190, 18.5, 0.35, 0.05, 0.99998}});
  EXPECT_EQ(linesFrom(write(p), "CONSTANTS=2", 3),
            "CONSTANTS=2\n1 160 18 0.35 0.05 0.999995 0.35 0.1 0\n2 190 18.5 0.35 0.05 0.99998 0.35 0.1 1\n");
}

TEST_F(Writer, TransientAndHalfSpaceWithoutWeakZone) {
  TProgramData p(tables, host);
  halfspaceTransientPlain(p);
  const std::string deck = write(p);
  EXPECT_EQ(linesFrom(deck, "SOIL ", 4), "SOIL \nCONSTANTS=1\n1 0 160 18 0.3 0.05\nBELOW=220 19 0.3 0.05\n");
  EXPECT_EQ(linesFrom(deck, "TRANSIENT ", 9),
            "TRANSIENT \nCONSTANTS \n16 \n0.004 \n1 \n3 \n0 \n400 \n800 \n");
  EXPECT_EQ(linesFrom(deck, "HALF-SPACE", 2), "<no line HALF-SPACE>");
  EXPECT_TRUE(hasLine(deck, "CIRCULAR=2.5"));
}

TEST_F(Writer, RefusesCountsTheFileCannotCarry) {
  TProgramData p(tables, host);
  pileGroup(p, 4, true);
  fill(tables.D(), {{140, 18, 0.35, 0.05, 0.6}});
  p.FileName = (dir / "job.zvd").string();
  zrv::test::write_file(p.FileName, "old");
  host.setModified(false);
  try {
    p.WriteInputFiles();
    ADD_FAILURE() << "no refusal";
  } catch (const EProjectError& e) {
    EXPECT_STREQ(e.what(),
                 "The table \"Soil Properties\" has 1 rows; it must have one row per row of the table "
                 "\"Pile Data\" (5).");
  }
  EXPECT_EQ(zrv::test::read_file(p.FileName), "old");
  EXPECT_FALSE(std::filesystem::exists(dir / "job.zvm"));
  EXPECT_TRUE(host.modified());

  TProgramData m(tables, host);
  multilayerRandom(m);
  fill(tables.Multisoil(), {{220, 19, 0.35, 0.05, 1, 1}});
  EXPECT_THROW(
      {
        try {
          projectFileText(m);
        } catch (const EProjectError& e) {
          EXPECT_STREQ(e.what(), "The table \"Soil Column Layer\" has 1 rows; the elements below the side soil need 3.");
          throw;
        }
      },
      EProjectError);

  multilayerRandom(m);
  m.PointCount = 13;
  try {
    checkWritable(m);
    ADD_FAILURE() << "no refusal";
  } catch (const EProjectError& e) {
    EXPECT_STREQ(e.what(),
                 "The table \"Random Spectrum Data\" of row 1 of the table \"Random Loading data\" has 12 rows; "
                 "the number of points is 13.");
  }
  TProgramData u(tables, host);
  u.FoundationType = "PILES";
  try {
    checkWritable(u);
    ADD_FAILURE() << "no refusal";
  } catch (const EProjectError& e) {
    EXPECT_STREQ(e.what(), "The foundation type \"PILES\" is not known.");
  }

  TProgramData t(tables, host);
  stratumTransient(t);
  tables.TLoadtype().firstTableColumn()->GetTable(1).SetRowCount(31);
  try {
    checkWritable(t);
    ADD_FAILURE() << "no refusal";
  } catch (const EProjectError& e) {
    EXPECT_STREQ(e.what(),
                 "The table \"Load Amplitude\" of row 2 of the table \"Transient Loading Data\" has 31 rows; "
                 "the number of points is 32.");
  }
}

TEST_F(Writer, RefusesValuesThatAreNotNumbers) {
  TProgramData p(tables, host);
  tables.D1().Column(2).SetFloat(0, std::numeric_limits<Extended>::infinity());
  try {
    projectFileText(p);
    ADD_FAILURE() << "no refusal";
  } catch (const EProjectError& e) {
    EXPECT_STREQ(e.what(), "The table \"Soil Layer Data\" holds a value that is not a finite number in row 1.");
  }
  tables.D1().Column(2).SetFloat(0, 18);
  p.TipDamping = std::numeric_limits<Extended>::quiet_NaN();
  try {
    projectFileText(p);
    ADD_FAILURE() << "no refusal";
  } catch (const EProjectError& e) {
    EXPECT_STREQ(e.what(), "The project holds a value that is not a finite number.");
  }
}

TEST_F(Writer, FailedSaveLeavesTheOldFilesAndTheProjectModified) {
  TProgramData p(tables, host);
  halfspaceHarmonic(p);
  // The geometry file's name is taken by a folder: nothing is replaced.
  p.FileName = (dir / "job.zvd").string();
  zrv::test::write_file(dir / "job.zvd", "old deck");
  zrv::test::write_file(dir / "job.zvm", "old mass");
  std::filesystem::create_directory(dir / "job.zvt");
  host.setModified(false);
  try {
    p.WriteInputFiles();
    ADD_FAILURE() << "saved";
  } catch (const comp::EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Could not write the file " + (dir / "job.zvt").string() + ".");
  }
  EXPECT_TRUE(host.modified());
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvd"), "old deck");
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvm"), "old mass");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 3);  // no temporary file left behind

  // A folder that does not exist.
  p.FileName = (dir / "missing" / "job.zvd").string();
  EXPECT_THROW(p.WriteInputFiles(), comp::EInOutError);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

  // Saved again where it can be: the modified state is cleared.
  write(p, "good");
  EXPECT_FALSE(host.modified());
}

TEST_F(Writer, FilesDoNotDependOnLocaleOrDecimalSeparator) {
  std::vector<std::string> plain;
  for (const Generated& g : allProjects()) {
    TProgramData p(tables, host);
    g.make(p);
    const std::string deck = write(p, g.name);
    plain.push_back(deck + zrv::test::read_file(dir / (g.name + ".zvm")));
  }
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  {
    comp::DecimalSeparatorGuard comma(',');
    std::size_t i = 0;
    for (const Generated& g : allProjects()) {
      SCOPED_TRACE(g.name);
      TProgramData p(tables, host);
      g.make(p);
      const std::string deck = write(p, g.name + "-de");
      EXPECT_EQ(deck + zrv::test::read_file(dir / (g.name + "-de.zvm")), plain[i++]);
      auto back = TProgramData::CreateFromFile(p.FileName, tables, host);
      EXPECT_NEAR(static_cast<double>(back->TipPoisson), static_cast<double>(p.TipPoisson), 1e-12);
    }
    EXPECT_EQ(comp::decimal_separator(), ',');
  }
  EXPECT_EQ(comp::decimal_separator(), '.');
  std::setlocale(LC_ALL, saved.c_str());
  if (!german) GTEST_SKIP() << "de_DE.UTF-8 is not installed; checked with the ',' separator only";
}

}  // namespace
}  // namespace zrv::front
