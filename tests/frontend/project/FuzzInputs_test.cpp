// Project files saved from fuzzing runs that once broke the reader. Each one
// reads as the reader's rules say, with no undefined behaviour on the way
// (run under the sanitizers to see the latter).

#include <gtest/gtest.h>

#include <filesystem>

#include "project/TProgramData.h"

namespace zrv::front {
namespace {

std::string input(const std::string& name) {
  return (std::filesystem::path(ZRV_SOURCE_DIR) / "tests/frontend/project/fuzz-inputs" / name).string();
}

TEST(FuzzInputs, MultilayerCountsAtTheEndsOfTheIntegerRange) {
  // Element count -2147483648 with one soil layer: no layer lies below the
  // soil layers, so none is read before the soil below; taking the
  // difference in int overflowed, and the wrapped count read the soil-below
  // line as a layer.
  TProjectTables tables;
  NullProjectHost host;
  auto p = TProgramData::CreateFromFile(input("multilayer-negative-layers.zvd"), tables, host);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->FoundationCode, 4);
  ASSERT_EQ(tables.D().RowCount(), 1);
  EXPECT_EQ(cellValue(tables.D(), 0, 0), 160);
  EXPECT_EQ(cellValue(tables.D(), 4, 0), 0.8L);
  // Only the default row that every table keeps.
  EXPECT_EQ(tables.Multisoil().RowCount(), 1);
  EXPECT_EQ(cellValue(tables.Multisoil(), 1, 0), 0);
  EXPECT_EQ(p->TipShearWaveVelocity, 300);
  EXPECT_EQ(p->MaxFrequency, 251.2L / 6.28L);
}

}  // namespace
}  // namespace zrv::front
