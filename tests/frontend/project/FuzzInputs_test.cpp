// Project files saved from fuzzing runs that once broke the reader. Each one
// reads as the reader's rules say, with no undefined behaviour on the way
// (run under the sanitizers to see the latter).

#include <gtest/gtest.h>

#include <filesystem>

#include "expect.h"
#include "project/TProgramData.h"

namespace zrv::front {
namespace {

std::string input(const std::string& name) {
  return (std::filesystem::path(ZRV_SOURCE_DIR) / "tests/frontend/project/fuzz-inputs" / name).string();
}

TEST(FuzzInputs, MultilayerCountsAtTheEndsOfTheIntegerRange) {
  // Element count -2147483648 with one soil layer: taking the difference of
  // the two counts in int overflowed, and the wrapped count read the
  // soil-below line as a layer. A count below 1 is now refused where it is
  // read, with its line; the tables stay as they were.
  TProjectTables tables;
  EXPECT_THROW_MSG(TProgramData::CreateFromFile(input("multilayer-negative-layers.zvd"), tables),
                   comp::EInOutError,
                   "Error on Line 8\rThe number of foundation layers is -2147483648; it must be at least 1.");
  EXPECT_EQ(tables.MultiElement().RowCount(), 1);
  EXPECT_EQ(tables.Multisoil().RowCount(), 1);
}

}  // namespace
}  // namespace zrv::front
