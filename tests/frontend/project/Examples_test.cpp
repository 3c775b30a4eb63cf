// The example projects: each reads and writes back to the same deck and
// mass file.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

#include "project/TProgramData.h"
#include "test_support.h"

namespace zrv::front {
namespace {

TEST(ProjectExamples, ReadAndWriteBackUnchanged) {
  zrv::test::TempDir dir;
  TProjectTables tables;
  int decks = 0;
  for (const auto& entry : std::filesystem::directory_iterator(ZRV_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".zvd") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++decks;
    auto project = TProgramData::CreateFromFile(entry.path().string(), tables);
    project->FileName = (dir / entry.path().filename().string()).string();
    project->WriteInputFiles();
    EXPECT_EQ(zrv::test::read_file(entry.path()), zrv::test::read_file(project->FileName));
    auto mass = entry.path();
    mass.replace_extension(".zvm");
    if (!std::filesystem::exists(mass)) continue;
    // The deck keeps 8 digits, the mass file 15: the coordinate lines agree
    // to the deck's precision, every other line exactly.
    std::istringstream expected(zrv::test::read_file(mass)), written(zrv::test::read_file(project->MassFileName));
    std::string a, b;
    while (std::getline(expected, a)) {
      ASSERT_TRUE(std::getline(written, b));
      if (a.size() == 72 && a[17] == 'E') {  // three width-23 values and their blanks
        for (int k = 0; k < 3; ++k) {
          const double x = std::stod(a.substr(24 * k, 23)), y = std::stod(b.substr(24 * k, 23));
          EXPECT_NEAR(x, y, 1e-7 * std::fabs(x)) << a;
        }
      } else {
        EXPECT_EQ(a, b);
      }
    }
    EXPECT_FALSE(std::getline(written, b));
  }
  EXPECT_GE(decks, 6);
}

}  // namespace
}  // namespace zrv::front
