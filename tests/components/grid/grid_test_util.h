#pragma once
// Test helpers of the grid tests.

#include <gtest/gtest.h>

#include <string>

#include <utility>
#include <vector>

#include "grid/TGridTable.h"

// Expects `statement` to throw `type` whose what() is exactly `message`.
#define EXPECT_THROW_MSG(statement, type, message)                                   \
  do {                                                                               \
    try {                                                                            \
      statement;                                                                     \
      ADD_FAILURE() << #statement " threw nothing";                                  \
    } catch (const type& e_) {                                                       \
      EXPECT_EQ(std::string(e_.what()), std::string(message)) << #statement;         \
    } catch (const std::exception& e_) {                                             \
      ADD_FAILURE() << #statement " threw another type: " << e_.what();              \
    }                                                                                \
  } while (0)

namespace zrv::comp::test {

// An editor that only records what the table tells it.
class RecordingEditor : public TTableEditor {
public:
  explicit RecordingEditor(TGridTable& t, bool m = false) : table(&t), modal(m) { t.setEditor(this); }
  ~RecordingEditor() override {
    if (table) table->setEditor(nullptr);
  }
  void cellChanged(int column, int row) override { cells.push_back({column, row}); }
  void rowsChanged() override { ++rebuilds; }
  void rowNumberChanged() override { ++retitles; }
  bool isModal() const override { return modal; }
  void closeEditor() override {
    ++closes;
    if (table) table->setEditor(nullptr);
    table = nullptr;
  }

  TGridTable* table;
  bool modal;
  std::vector<std::pair<int, int>> cells;
  int rebuilds = 0;
  int retitles = 0;
  int closes = 0;
};

}  // namespace zrv::comp::test
