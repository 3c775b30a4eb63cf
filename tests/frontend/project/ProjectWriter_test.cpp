// What the project writer writes in its edge cases, what it refuses, and
// how a failed save leaves the files.

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <locale>

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
  EXPECT_EQ(formatWide(2.0L / 3), " 6.66666666666667E-0001");
  EXPECT_EQ(formatWide(-1.5e-300L), "-1.50000000000000E-0300");
  // Fixed notation from 0.00001 up to 8 digits before the point.
  EXPECT_EQ(formatReal(0.00001L), "0.00001");
  EXPECT_EQ(formatReal(0.000012345678L), "0.000012345678");
  EXPECT_EQ(formatReal(0.000001L), "1E-6");
  EXPECT_EQ(formatReal(12345678), "12345678");
  EXPECT_EQ(formatReal(99999999.7L), "1E8");
  EXPECT_EQ(formatReal(-0.0L), "0");
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
};

TEST_F(Writer, FrequenciesInRadiansAndTheirLines) {
  TProgramData p(tables);
  p.MaxFrequency = 50;
  p.MinFrequency = 1;
  p.FrequencyStep = 1;
  EXPECT_EQ(linesFrom(write(p), "NONQUADRATIC ", 2), "NONQUADRATIC \n314 6.28 6.28 \n");

  // Random-load frequencies are written in radians too.
  multilayerRandom(p);
  EXPECT_EQ(linesFrom(write(p), "RANDOM ", 8), "RANDOM \nCONSTANTS \n251.2 \n12.56 \n12 \n120 \n2 \n1 1\n");
}

TEST_F(Writer, TitleIsOneLineNeverEmpty) {
  TProgramData p(tables);
  p.ProjectTitle = "";
  EXPECT_EQ(write(p).substr(0, 8), "TITLE= \n");
  p.ProjectTitle = "Block A\r\nrev. 2, E=30000";
  EXPECT_EQ(write(p).substr(0, 36), "TITLE=Block A  rev. 2, E=30000\nMATRI");
}

TEST_F(Writer, FirstMassZeroWritesNoComponents) {
  TProgramData p(tables);
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
  TProgramData p(tables);
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
  TProgramData p(tables);
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

TEST_F(Writer, PileAndSideWeakZonesEndOnlyAboveSixNines) {
  // A pile soil layer or a side layer keeps its weak zone up to a ratio of
  // 0.999999 and loses it just above.
  TProgramData p(tables);
  pileGroup(p, 4, false);
  fill(tables.D(), {{140, 18, 0.35, 0.05, 0.999995}, {170, 18.5, 0.35, 0.05, 0.9999995}, {200, 19, 0.35, 0.05, 1},
                    {230, 19, 0.4, 0.04, 1}, {260, 19.5, 0.4, 0.04, 1}});
  fill(tables.pilecapsoil(), {{1, 150, 18, 0.33, 0.05, 0.999995}, {0.5, 160, 18, 0.33, 0.05, 0.9999995}});
  const std::string deck = write(p);
  EXPECT_EQ(linesFrom(deck, "CONSTANTS", 3),
            "CONSTANTS\n1 140 18 0.35 0.05 0.999995 0.35 0.1 1\n2 170 18.5 0.35 0.05 0.9999995 0.35 0.1 0\n");
  EXPECT_EQ(linesFrom(deck, "EMBEDDED", 4),
            "EMBEDDED\n2 \n1 1 150 18 0.33 0.05 0.999995 0.33 0.1 0.1\n2 0.5 160 18 0.33 0.05 0.9999995 0.33 0.1 0\n");
}

// A small pile group written whole: every line as the record layout gives it.
TEST_F(Writer, PileGroupFilesLineByLine) {
  TProgramData p(tables);
  p.ProjectTitle = "T";
  p.FoundationType = "PILE";
  p.FoundationCode = 2;
  p.CircularShape = 1;
  p.Radius = 1.5;
  p.MassProperties = {10, 20, 30, 40, 0, 0.5, 0};
  p.BaseZ = 1.2;
  p.PileLength = 3;
  p.PileUnitWeight = 24;
  p.StaticLoad = 500;
  p.PilePoisson = 0.2;
  p.PileDamping = 0.02;
  p.ShearRigidityCoef = 1.11;
  p.PileModulus = 3e7;
  fill(tables.Pilecoord(), {{-1, 0, 0, 1}, {1, 0, 10, 2}});
  fill(tables.PileData(), {{3, 0.3, 0.3, 0.28, 0.0064, 0.0064, 0.0127}});
  fill(tables.D(), {{140, 18, 0.35, 0.05, 1}});
  fill(tables.pilecapsoil(), {{1, 150, 18, 0.33, 0.05, 0.6}});
  p.TipShearWaveVelocity = 320;
  p.TipUnitWeight = 20;
  p.TipPoisson = 0.35;
  p.TipDamping = 0.03;
  p.MaxFrequency = 20;
  p.MinFrequency = 2;
  p.FrequencyStep = 2;
  p.ForceX = 1;
  p.ForceY = 2;
  p.ForceZ = 3;
  p.MomentX = 4;
  p.MomentY = 5;
  p.MomentZ = 6;
  p.LoadPointX = 0.5;
  p.LoadPointZ = -1;
  fill(tables.MassCal(), {{10, 0, 0, 0.5, 3, 3, 1}});
  p.CGLocalZ = 0.5;
  p.CBGlobalZ = 0.5;
  EXPECT_EQ(write(p),
            "TITLE=T\nMATRIX\nGRAVITY=9.8\nFOUNDATION=PILE\nCIRCULAR=1.5\nMASS \n10 20 30 40 0 0.5 0\n"
            "LAYERS=1\nFIXED=2\n1 -1 0 \n2 1 0 \n"
            "CONSTANTS \n0 0 1.2 3 24 \n500 0.2 0.02 1.11 30000000\n"
            "ELEMENT\n1 3 0.3 0.3 0.28 0.0064 0.0064 0.0127\n"
            "FLOATING\nBATTERED\n1 XZ  \n0 \n2 YZ  \n10 \nINTERACTION \n"
            "SOIL \nWEAK\nCONSTANTS\n1 140 18 0.35 0.05 1 0.35 0.1 0\n"
            "BELOW=320 20 0.35 0.03\n"
            "SIDE-CAP\nEMBEDDED\n1 \n1 1 150 18 0.33 0.05 0.6 0.33 0.1 0.1\n"
            "LOAD \nHARMONIC \nCONSTANTS \nNONQUADRATIC \n125.6 12.56 12.56 \n1 2 3 \n4 5 6 \n0.5 0 -1 0 \n"
            "RUN \n1\n10 0 0 0.5 3 3 1 \n0 0 0.5 \n0 0 0 \n0 0 0.5 \n");
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvm"),
            "1\n10 0 0 0.5 3 3 1 \n"
            " 0.00000000000000E+0000  0.00000000000000E+0000  5.00000000000000E-0001 \n"
            " 0.00000000000000E+0000  0.00000000000000E+0000  0.00000000000000E+0000 \n"
            " 0.00000000000000E+0000  0.00000000000000E+0000  5.00000000000000E-0001 \n");
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvt"),
            "CIRCULAR \n 1.5 1.5 1\n2\n3 \n1 -1 0 \n2 1 0 \n"
            "ELEMENT\n1\n1 3 0.3 0.3 0.28 0.0064 0.0064 0.0127\n"
            "BATTERED\n1 0 0 \n2 90 10 \nSOIL\nPILE\n3\n1 1 \n2 3\n3 0.6\n");
  EXPECT_EQ(p.EmbedDepth, 1);
}

// The geometry file of the other systems, with its defaults: an embedment of
// 0.15 times the width or radius, a pile length of 2 times the length or 3
// times the radius.
TEST_F(Writer, GeometryFilesAndTheirDefaults) {
  TProgramData m(tables);
  multilayerRandom(m);
  write(m);
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvt"),
            "RECTANGULAR \n 5 5 3\n 0\nSOIL\nMULTILAYER\n2\n4\n1 1.5 \n2 1.5 \n3 12\n4 2.4\n");

  TProgramData s(tables);
  stratumTransient(s);
  fill(tables.D1(), {{0, 600, 115, 0.4, 0.05, 0}});
  const std::string deck = write(s);
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvt"),
            "CIRCULAR \n 9.5 9.5 1.425\n 0\nSOIL\nSTRATUM\n 0\n2\n1 28.5\n2 5.7\n");
  EXPECT_EQ(s.PileLength, 28.5L);
  const std::string head =
      "TITLE=Hammer block, stratum\nGRAVITY=32.2\nFOUNDATION=STRATUM\nCIRCULAR=9.5\nMASS \n6832.2981 ";
  EXPECT_EQ(deck.substr(0, head.size()), head);
  EXPECT_EQ(linesFrom(deck, "CONSTANTS ", 2), "CONSTANTS \n0 0 3.3727273 3 35 \n");
  EXPECT_EQ(linesFrom(deck, "SOIL ", 10),
            "SOIL \nCONSTANTS \n600 115 0.4 0.05\nLOAD \nTRANSIENT \nCONSTANTS \n32 \n0.004 \n2 \n3 \n");

  TProgramData h(tables);
  h.LengthX = 4;
  h.WidthY = 2;
  h.WidthCopy = 2;
  fill(tables.D1(), {{0.5, 150, 18, 0.3, 0.05, 0.5}, {0.25, 160, 18, 0.3, 0.05, 0.5}});
  write(h);
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvt"),
            "RECTANGULAR \n 4 2 0.75\n 0\nSOIL\nHALF-SPACE\n2\n4\n1 0.5 \n2 0.25 \n3 8\n4 1.6\n");
}

TEST_F(Writer, TransientAndHalfSpaceWithoutWeakZone) {
  TProgramData p(tables);
  halfspaceTransientPlain(p);
  const std::string deck = write(p);
  EXPECT_EQ(linesFrom(deck, "SOIL ", 4), "SOIL \nCONSTANTS=1\n1 0 160 18 0.3 0.05\nBELOW=220 19 0.3 0.05\n");
  EXPECT_EQ(linesFrom(deck, "TRANSIENT ", 9),
            "TRANSIENT \nCONSTANTS \n16 \n0.004 \n1 \n3 \n0 \n400 \n800 \n");
  EXPECT_EQ(linesFrom(deck, "HALF-SPACE", 2), "<no line HALF-SPACE>");
  EXPECT_TRUE(hasLine(deck, "CIRCULAR=2.5"));
}

TEST_F(Writer, RefusesCountsTheFileCannotCarry) {
  TProgramData p(tables);
  pileGroup(p, 4, true);
  fill(tables.D(), {{140, 18, 0.35, 0.05, 0.6}});
  p.FileName = (dir / "job.zvd").string();
  zrv::test::write_file(p.FileName, "old");
  p.SetModified(false);
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
  EXPECT_TRUE(p.Modified());

  TProgramData m(tables);
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
  TProgramData u(tables);
  u.FoundationType = "PILES";
  try {
    checkWritable(u);
    ADD_FAILURE() << "no refusal";
  } catch (const EProjectError& e) {
    EXPECT_STREQ(e.what(), "The foundation type \"PILES\" is not known.");
  }

  TProgramData t(tables);
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
  TProgramData p(tables);
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
  TProgramData p(tables);
  halfspaceHarmonic(p);
  // The geometry file's name is taken by a folder: nothing is replaced.
  p.FileName = (dir / "job.zvd").string();
  zrv::test::write_file(dir / "job.zvd", "old deck");
  zrv::test::write_file(dir / "job.zvm", "old mass");
  std::filesystem::create_directory(dir / "job.zvt");
  p.SetModified(false);
  try {
    p.WriteInputFiles();
    ADD_FAILURE() << "saved";
  } catch (const comp::EInOutError& e) {
    // The system's reason is given.
    EXPECT_EQ(std::string(e.what()),
              "Could not write the file " + (dir / "job.zvt").string() + ": " + std::strerror(EISDIR) + ".");
  }
  EXPECT_TRUE(p.Modified());
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvd"), "old deck");
  EXPECT_EQ(zrv::test::read_file(dir / "job.zvm"), "old mass");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 3);  // no temporary file left behind

  // A folder that does not exist.
  p.FileName = (dir / "missing" / "job.zvd").string();
  try {
    p.WriteInputFiles();
    ADD_FAILURE() << "saved";
  } catch (const comp::EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "Could not write the file " + p.FileName + ": " + std::strerror(ENOENT) + ".");
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

  // A folder that may not be written to: the old deck stays whole. (The
  // super-user writes anywhere, so the folder is probed first.)
  const auto locked = dir / "locked";
  std::filesystem::create_directory(locked);
  zrv::test::write_file(locked / "job.zvd", "old deck");
  std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const bool enforced = !std::ofstream(locked / "probe");
  if (enforced) {
    p.FileName = (locked / "job.zvd").string();
    p.SetModified(false);
    EXPECT_THROW(p.WriteInputFiles(), comp::EInOutError);
    EXPECT_TRUE(p.Modified());
    EXPECT_EQ(zrv::test::read_file(locked / "job.zvd"), "old deck");
  }
  std::filesystem::permissions(locked, std::filesystem::perms::owner_all);

  // Saved again where it can be: the modified state is cleared.
  write(p, "good");
  EXPECT_FALSE(p.Modified());
}

TEST_F(Writer, SaveKeepsTheFileWhereAndAsItIs) {
  namespace fs = std::filesystem;
  TProgramData p(tables);
  halfspaceHarmonic(p);
  // Through a symbolic link: the file it points to is replaced, the link stays.
  fs::create_directory(dir / "real");
  zrv::test::write_file(dir / "real" / "job.zvd", "old deck");
  fs::create_symlink(fs::path("real") / "job.zvd", dir / "job.zvd");
  const std::string deck = write(p);
  EXPECT_TRUE(fs::is_symlink(dir / "job.zvd"));
  EXPECT_EQ(zrv::test::read_file(dir / "real" / "job.zvd"), deck);
  EXPECT_NE(deck, "old deck");

  // The file's permissions stay.
  for (const auto mode : {fs::perms::owner_read | fs::perms::owner_write,
                          fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read}) {
    fs::permissions(dir / "real" / "job.zvd", mode);
    write(p);
    EXPECT_EQ(fs::status(dir / "real" / "job.zvd").permissions(), mode);
  }

  // Names up to the usual limit of 255 bytes save (the mass and geometry
  // files are named alike).
  for (const std::size_t length : {245u, 255u}) {
    const std::string name(length - 4, 'n');
    EXPECT_EQ(write(p, name), deck);
    EXPECT_TRUE(fs::exists(dir / (name + ".zvm")));
    EXPECT_TRUE(fs::exists(dir / (name + ".zvt")));
  }
  int hidden = 0;
  for (const auto& e : fs::directory_iterator(dir.path())) hidden += e.path().filename().string()[0] == '.';
  EXPECT_EQ(hidden, 0);
}

/// Switches the process to a German locale ("," decimal separator, "."
/// thousands): the C locale, as a program started with LC_ALL=de_DE.UTF-8
/// gets it, and the C++ global locale too when the system has the locale
/// installed. Without it the locale is compiled into `dir` and only the C
/// locale is set (loading a C++ locale from such a folder leaks inside the C
/// library). False when neither can be had.
bool useGermanLocale(const std::filesystem::path& dir) {
  const char* const name = "de_DE.UTF-8";
  if (std::setlocale(LC_ALL, name)) {
    std::locale::global(std::locale(name));
  } else {
    const std::string command = "localedef -i de_DE -f UTF-8 '" + (dir / name).string() + "' > /dev/null 2>&1";
    if (std::system(command.c_str()) == -1 || !std::filesystem::exists(dir / name)) return false;
    ::setenv("LOCPATH", dir.c_str(), 1);
    if (!std::setlocale(LC_ALL, name)) return false;
  }
  return std::string(std::localeconv()->decimal_point) == ",";
}

TEST_F(Writer, FilesDoNotDependOnLocaleOrDecimalSeparator) {
  const auto files = [&](const std::string& name) {
    return zrv::test::read_file(dir / (name + ".zvd")) + zrv::test::read_file(dir / (name + ".zvm")) +
           zrv::test::read_file(dir / (name + ".zvt"));
  };
  std::vector<std::string> plain;
  for (const Generated& g : allProjects()) {
    TProgramData p(tables);
    g.make(p);
    write(p, g.name);
    plain.push_back(files(g.name));
  }
  // Written under the user's "," separator and, when it can be had, a German
  // locale, then read back and written again: the same bytes.
  const std::string savedC = std::setlocale(LC_ALL, nullptr);
  const std::locale savedCxx;
  zrv::test::TempDir locales;
  const bool german = useGermanLocale(locales.path());
  {
    comp::DecimalSeparatorGuard comma(',');
    std::size_t i = 0;
    for (const Generated& g : allProjects()) {
      SCOPED_TRACE(g.name);
      TProgramData p(tables);
      g.make(p);
      write(p, g.name + "-de");
      EXPECT_EQ(files(g.name + "-de"), plain[i]);
      auto back = TProgramData::CreateFromFile(p.FileName, tables);
      write(*back, g.name + "-de2");
      EXPECT_EQ(files(g.name + "-de2"), plain[i++]);
    }
    EXPECT_EQ(comp::decimal_separator(), ',');
  }
  EXPECT_EQ(comp::decimal_separator(), '.');
  std::locale::global(savedCxx);
  std::setlocale(LC_ALL, savedC.c_str());
  if (!german) GTEST_SKIP() << "no German locale could be had; checked with the ',' separator only";
}

}  // namespace
}  // namespace zrv::front
