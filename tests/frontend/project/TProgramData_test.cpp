// The new project, reading into an image and committing it, the modified
// state, and the unit switch.

#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "project/TProgramData.h"
#include "project_compare.h"
#include "project_fixtures.h"
#include "test_support.h"

namespace zrv::front {
namespace {

using namespace fixtures;

TEST(TProgramData, NewProjectWritesTheDefaultFiles) {
  zrv::test::TempDir dir;
  TProjectTables tables;
  tables.D().SetChanged(true);
  TProgramData p(tables);
  EXPECT_FALSE(p.Modified());
  EXPECT_EQ(p.FileName, "NewData.zvd");
  EXPECT_EQ(p.UnitSystem, 2);
  for (int i = 0; i < TProjectTables::kCount; ++i) {
    EXPECT_EQ(tables.at(i).RowCount(), 1) << i;
    EXPECT_EQ(tables.at(i).UnitSystem(), 2) << i;
  }

  p.FileName = (dir / "new.zvd").string();
  p.WriteInputFiles();
  EXPECT_EQ(zrv::test::read_file(dir / "new.zvd"),
            "TITLE=New Pile\n"
            "MATRIX\n"
            "GRAVITY=9.8\n"
            "FOUNDATION=HALF-SPACE\n"
            "RECTANGULAR=0,0\n"
            "MASS \n"
            "0 0 0 0 0 0 0\n"
            "CONSTANTS \n"
            "0 0 0 \n"
            "SOIL \n"
            "WEAK \n"
            "CONSTANTS=1\n"
            "1 0 0 0 0 0 0 0 0 0.1\n"
            "BELOW=0 0 0 0\n"
            "LOAD \n"
            "HARMONIC \n"
            "CONSTANTS \n"
            "NONQUADRATIC \n"
            "0 0 0 \n"
            "0 0 0 \n"
            "0 0 0 \n"
            "0 0 0 0 \n"
            "RUN \n"
            "0\n"
            "0 0 0 \n"
            "0 0 0 \n"
            "0 0 0 \n");
  EXPECT_EQ(zrv::test::read_file(dir / "new.zvm"), "0\n");
  EXPECT_EQ(zrv::test::read_file(dir / "new.zvt"),
            "RECTANGULAR \n"
            " 0 0 0\n"
            " 0\n"
            "SOIL\n"
            "HALF-SPACE\n"
            " 0\n"
            "2\n"
            "1 0\n"
            "2 0\n");
  EXPECT_EQ(p.MassFileName, (dir / "new.zvm").string());
  EXPECT_EQ(p.GeometryFileName, (dir / "new.zvt").string());
}

// Physical units, independent of the program's unit table.
constexpr double kNewtonsPerPound = 4.4482216152605;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kKilogramsPerSlug = 14.59390294;

// A file is read whole into an image while the open project stays as it
// is; only then does the image replace it. A commit that the tables cannot
// take leaves a new project's tables, never half of one.
TEST(TProgramData, ReadIntoAnImageThenCommitted) {
  zrv::test::TempDir dir;
  TProjectTables tables;
  TProgramData open(tables);
  halfspaceHarmonic(open);
  open.FileName = (dir / "job.zvd").string();
  open.WriteInputFiles();
  const auto written = captureAll(tables);
  fill(tables.D1(), {{2, 160, 18, 0.3, 0.04, 0.5}, {3, 170, 18, 0.3, 0.04, 0.5}});
  tables.D1().SetChanged(true);
  EXPECT_TRUE(open.Modified());
  const auto edited = captureAll(tables);

  TProjectImage image = TProgramData::ReadFile(open.FileName, tables);
  EXPECT_EQ(captureAll(tables), edited);
  EXPECT_TRUE(open.Modified());
  EXPECT_EQ(image.fields.FileName, open.FileName);
  EXPECT_EQ(image.fields.ProjectTitle, "Compressor block, half-space");
  expectSameTables({written[1]}, {image.tables[1]}, 1e-15L);

  auto read = TProgramData::FromImage(image, tables);
  expectSameTables(written, captureAll(tables), 1e-15L);
  EXPECT_FALSE(read->Modified());
  tables.D1().SetChanged(true);
  EXPECT_TRUE(read->Modified());
  read->SetModified(false);
  EXPECT_FALSE(tables.changed());

  image.tables[6].cells = {{1, 2, 0, 9}};  // no batter plane 9
  EXPECT_THROW(TProgramData::FromImage(image, tables), comp::EAssignError);
  for (int i = 0; i < TProjectTables::kCount; ++i) {
    EXPECT_EQ(tables.at(i).RowCount(), 1) << i;
    EXPECT_EQ(tables.at(i).UnitSystem(), 2) << i;
  }
}

TEST(TProgramData, EnglishToSIUsesThePhysicalFactors) {
  TProjectTables tables;
  TProgramData p(tables);
  p.SetUnitSystem(1);
  p.Radius = 10;                  // ft
  p.TipUnitWeight = 120;          // lb/ft3
  p.PileModulus = 4.32e8;         // lb/ft2
  p.StaticLoad = 1000;            // lb
  p.MassProperties[0] = 100;      // slug
  p.MassProperties[1] = 1000;     // slug ft2
  p.ForceX = 2;                   // lb
  p.MomentX = 3;                  // lb ft
  p.MaxFrequency = 50;            // Hz, never converted
  p.TimeStep = 0.01;
  p.EmbedDepth = 2;
  p.MassCGX[1] = 4;
  fill(tables.D1(), {{10, 500, 120, 0.3, 0.05, 0.5}});
  p.SetUnitSystem(2);

  const double kN = kNewtonsPerPound / 1000, m = kMetresPerFoot, Mg = kKilogramsPerSlug / 1000;
  EXPECT_NEAR(static_cast<double>(p.Radius), 10 * m, 1e-9);
  EXPECT_NEAR(static_cast<double>(p.TipUnitWeight), 120 * kN / (m * m * m), 1e-6 * 18.85);
  EXPECT_NEAR(static_cast<double>(p.PileModulus), 4.32e8 * kN / (m * m), 1e-6 * 2.07e7);
  EXPECT_NEAR(static_cast<double>(p.StaticLoad), 1000 * kN, 1e-6 * 4.45);
  EXPECT_NEAR(static_cast<double>(p.MassProperties[0]), 100 * Mg, 1e-8);
  EXPECT_NEAR(static_cast<double>(p.MassProperties[1]), 1000 * Mg * m * m, 1e-8);
  EXPECT_NEAR(static_cast<double>(p.ForceX), 2 * kN, 1e-9);
  EXPECT_NEAR(static_cast<double>(p.MomentX), 3 * kN * m, 1e-9);
  EXPECT_EQ(p.MaxFrequency, 50);
  EXPECT_EQ(p.TimeStep, static_cast<Extended>(0.01));
  EXPECT_EQ(p.EmbedDepth, 2);
  EXPECT_EQ(p.MassCGX[1], 4);
  EXPECT_NEAR(static_cast<double>(cellValue(tables.D1(), 0, 0)), 10 * m, 1e-9);
  EXPECT_NEAR(static_cast<double>(cellValue(tables.D1(), 2, 0)), 120 * kN / (m * m * m), 1e-5);
  EXPECT_EQ(cellValue(tables.D1(), 3, 0), static_cast<Extended>(0.3));

  // A quadratic load is a mass times an arm: forces by Mg m, moments by Mg m2.
  p.SetUnitSystem(1);
  p.QuadraticLoad = 1;
  p.ForceX = 2;   // slug ft
  p.MomentX = 3;  // slug ft2
  p.SetUnitSystem(2);
  EXPECT_NEAR(static_cast<double>(p.ForceX), 2 * Mg * m, 1e-10);
  EXPECT_NEAR(static_cast<double>(p.MomentX), 3 * Mg * m * m, 1e-10);
}

// The program's own conversion pairs: the force and length factors to SI are
// the reciprocals of 224.8089237 lbs per kN and 3.280839895 ft per m; the
// mass factor is the reciprocal of 68.5217659 slug per Mg.
TEST(TProgramData, ConversionPairsAreReciprocal) {
  TProjectTables tables;
  TProgramData p(tables);
  p.SetUnitSystem(1);
  p.StaticLoad = 1;
  p.Radius = 1;
  p.MassProperties[0] = 1;
  p.SetUnitSystem(2);
  EXPECT_NEAR(static_cast<double>(p.StaticLoad), 0.00444822199911631, 1e-17);
  EXPECT_NEAR(static_cast<double>(p.Radius), 0.3048000000012192, 1e-16);
  EXPECT_NEAR(static_cast<double>(p.MassProperties[0]), 1 / 68.5217659, 1e-17);
  p.StaticLoad = p.Radius = p.MassProperties[0] = 1;
  p.SetUnitSystem(1);
  EXPECT_NEAR(static_cast<double>(p.StaticLoad), 224.8089237, 1e-12);
  EXPECT_NEAR(static_cast<double>(p.Radius), 3.280839895, 1e-14);
  EXPECT_NEAR(static_cast<double>(p.MassProperties[0]), 68.5217659, 1e-12);
}

TEST(TProgramData, SwitchingThereAndBackRestoresEveryValue) {
  TProjectTables tables;
  for (const Generated& g : allProjects()) {
    SCOPED_TRACE(g.name);
    TProgramData p(tables);
    g.make(p);
    p.QuadraticLoad = 1;
    for (Extended* v : {&p.CBGlobalY, &p.CGLocalZ, &p.LoadPointY, &p.BedrockDepth, &p.MomentY})
      *v = 1.2345678901234L;
    const TProjectFields before = p;
    const auto tablesBefore = captureAll(tables);

    // Choosing the current system changes nothing at all.
    p.SetUnitSystem(p.UnitSystem);
    expectSameFields(before, p, 0);
    EXPECT_EQ(captureAll(tables), tablesBefore);

    const int other = 3 - p.UnitSystem;
    p.SetUnitSystem(other);
    EXPECT_EQ(p.UnitSystem, other);
    EXPECT_FALSE(zrv::test::near_rel(before.Radius + before.LengthX, p.Radius + p.LengthX, 1e-3));
    p.SetUnitSystem(3 - other);
    expectSameFields(before, p, 1e-9L);
    expectSameTables(tablesBefore, captureAll(tables), 1e-9L);
  }
}

}  // namespace
}  // namespace zrv::front
