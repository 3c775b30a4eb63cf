#pragma once
// Test helpers of the grid tests.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "expect.h"
#include "grid/TGridTable.h"

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
