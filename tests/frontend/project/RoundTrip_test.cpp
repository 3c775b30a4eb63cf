// Write, read and write again: every generated project gives the same files,
// and the project read back holds the same data.

#include <gtest/gtest.h>

#include "project_compare.h"
#include "project_fixtures.h"
#include "test_support.h"

namespace zrv::front {
namespace {

using namespace fixtures;

TEST(ProjectRoundTrip, EveryFoundationAndLoadRereadsToTheSameFiles) {
  zrv::test::TempDir dir;
  TProjectTables tables;
  for (const Generated& g : allProjects()) {
    SCOPED_TRACE(g.name);
    TProgramData first(tables);
    g.make(first);
    first.FileName = (dir / (g.name + ".zvd")).string();
    first.WriteInputFiles();
    const auto firstTables = captureAll(tables);

    auto second = TProgramData::CreateFromFile(first.FileName, tables);
    EXPECT_FALSE(second->Modified());
    second->FileName = (dir / (g.name + "-2.zvd")).string();
    second->WriteInputFiles();

    EXPECT_EQ(zrv::test::read_file(dir / (g.name + ".zvd")), zrv::test::read_file(dir / (g.name + "-2.zvd")));
    EXPECT_EQ(zrv::test::read_file(dir / (g.name + ".zvm")), zrv::test::read_file(dir / (g.name + "-2.zvm")));
    EXPECT_EQ(zrv::test::read_file(dir / (g.name + ".zvt")), zrv::test::read_file(dir / (g.name + "-2.zvt")));
    expectSameFields(first, *second, 1e-7L);
    expectSameTables(firstTables, captureAll(tables), 1e-7L);
  }
}

}  // namespace
}  // namespace zrv::front
