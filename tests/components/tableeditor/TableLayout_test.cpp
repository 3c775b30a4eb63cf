// The editor's arithmetic without a window: caption and row path, header
// rows, row labels, row buttons, Enter moves and the grid's size.

#include "tableeditor/TableLayout.h"

#include <gtest/gtest.h>

#include "base/exceptions.h"
#include "expect.h"
#include "grid/TEnumColumn.h"
#include "grid/TFloatColumn.h"
#include "grid/TGridTable.h"
#include "grid/TIntColumn.h"
#include "grid/TableDefinitions.h"
#include "grid/TTableColumn.h"
#include "test_support.h"

namespace zrv::comp {
namespace {

std::vector<std::unique_ptr<TGridTable>> projectTables() {
  return readTableDefinitions(test::read_file(std::string(ZRV_SOURCE_DIR) + "/components/grid/tables.coldefs"));
}

TGridTable& byName(const std::vector<std::unique_ptr<TGridTable>>& tables, const std::string& name) {
  for (const auto& t : tables)
    if (t->Name() == name) return *t;
  throw std::runtime_error("no table " + name);
}

TEST(TableLayout, CaptionCarriesTheRowPathOfNestedTables) {
  const auto tables = projectTables();
  TGridTable& soil = byName(tables, "D");
  EXPECT_EQ(tableEditorCaption(soil), "Soil Properties ");
  EXPECT_EQ(rowPath(soil), "");

  TGridTable& loads = byName(tables, "TLoadtype");
  loads.SetRowCount(3);
  TGridTable& third = loads.Column(1).GetTable(2);
  EXPECT_EQ(tableEditorCaption(third), "Load Amplitude  3");

  // A table nested two deep shows both row numbers.
  TGridTable outer;
  outer.AddColumn(std::make_unique<TTableColumn>(outer));
  static_cast<TTableColumn&>(outer.Column(0)).Prototypes().AddTable(loads);
  outer.SetRowCount(2);
  TGridTable& inner = outer.Column(0).GetTable(1);
  EXPECT_EQ(tableEditorCaption(inner), "Transient Loading Data  2");
  TGridTable& innermost = inner.Column(1).GetTable(0);
  EXPECT_EQ(tableEditorCaption(innermost), "Load Amplitude  2 1");
}

TEST(TableLayout, HeaderRowsComeFromTheTallestVisibleColumn) {
  const auto tables = projectTables();
  TGridTable& piles = byName(tables, "PileData");
  EXPECT_EQ(headerRowCount(piles), 2);
  EXPECT_EQ(columnHeaderLines(piles.Column(0), 2), (std::vector<std::string>{"Layer ", "depth,  (ft)  "}));
  piles.SetUnitSystem(2);
  EXPECT_EQ(columnHeaderLines(piles.Column(0), 2), (std::vector<std::string>{"Layer ", "depth,  (m)  "}));

  TGridTable t;
  auto a = std::make_unique<TIntColumn>(t);
  a->Headers() = {"one"};
  auto b = std::make_unique<TIntColumn>(t);
  b->Headers() = {"x", "y", "z"};
  b->SetVisible(false);
  auto c = std::make_unique<TIntColumn>(t);
  c->Headers() = {"p", "q"};
  t.AddColumn(std::move(a));
  t.AddColumn(std::move(b));
  t.AddColumn(std::move(c));
  EXPECT_EQ(headerRowCount(t), 2);  // the hidden column's three lines do not count
  EXPECT_EQ(columnHeaderLines(t.Column(0), 2), (std::vector<std::string>{"one", ""}));

  TGridTable none;
  EXPECT_EQ(headerRowCount(none), 0);
}

TEST(TableLayout, RowsOfOneGroupShareTheirLabel) {
  EXPECT_EQ(rowLabel(0, 1), "1");
  EXPECT_EQ(rowLabel(9, 1), "10");
  EXPECT_EQ(rowLabel(0, 2), "1");
  EXPECT_EQ(rowLabel(1, 2), "1");
  EXPECT_EQ(rowLabel(2, 2), "2");
  EXPECT_EQ(rowLabel(3, 2), "2");
  EXPECT_EQ(rowLabel(5, 3), "2");
}

TEST(TableLayout, RowButtonsKeepTheTableWithinItsLimits) {
  TGridTable t;
  t.AddColumn(std::make_unique<TIntColumn>(t));
  t.SetMinRows(2);
  t.SetMaxRows(2);
  t.SetRowCount(2);
  EXPECT_FALSE(rowButtonState(t).visible);

  t.SetMaxRows(4);
  TRowButtons b = rowButtonState(t);
  EXPECT_TRUE(b.visible);
  EXPECT_TRUE(b.addEnabled);
  EXPECT_FALSE(b.deleteEnabled);  // at MinRows
  t.SetRowCount(3);
  b = rowButtonState(t);
  EXPECT_TRUE(b.addEnabled);
  EXPECT_TRUE(b.deleteEnabled);
  t.SetRowCount(4);
  EXPECT_FALSE(rowButtonState(t).addEnabled);  // at MaxRows

  t.SetMaxRows(0);  // no limit
  t.SetRowCount(600);
  EXPECT_TRUE(rowButtonState(t).addEnabled);

  // Groups of two: one more group would pass MaxRows 5, one fewer MinRows 2.
  TGridTable g;
  g.AddColumn(std::make_unique<TIntColumn>(g));
  g.SetRowGroup(2);
  g.SetMinRows(2);
  g.SetMaxRows(5);
  g.SetRowCount(4);
  b = rowButtonState(g);
  EXPECT_FALSE(b.addEnabled);
  EXPECT_TRUE(b.deleteEnabled);
  g.SetRowCount(2);
  b = rowButtonState(g);
  EXPECT_TRUE(b.addEnabled);
  EXPECT_FALSE(b.deleteEnabled);
}

TEST(TableLayout, EnterWalksDownThenToTheNextColumn) {
  EXPECT_EQ(cellAfterEnter({0, 0}, 3, 2), (TCellPos{1, 0}));
  EXPECT_EQ(cellAfterEnter({2, 0}, 3, 2), (TCellPos{0, 1}));
  EXPECT_EQ(cellAfterEnter({2, 1}, 3, 2), (TCellPos{0, 0}));
  EXPECT_EQ(cellAfterEnter({0, 0}, 1, 1), (TCellPos{0, 0}));
}

TEST(TableLayout, AddingShowsOneMoreGroupUpToTen) {
  EXPECT_EQ(shownRowsAfterAdd(4, 4, 1), 5);
  EXPECT_EQ(shownRowsAfterAdd(4, 4, 3), 7);
  EXPECT_EQ(shownRowsAfterAdd(9, 9, 2), 10);
  EXPECT_EQ(shownRowsAfterAdd(10, 10, 1), 10);
  EXPECT_EQ(shownRowsAfterAdd(3, 5, 1), 3);  // not all rows were shown
}

// A grid of three columns and 25 rows of 20 pixels, with scroll bars of 15
// and 16 pixels.
TGridMetrics sampleMetrics() {
  TGridMetrics m;
  m.frame = 1;
  m.rowLabelWidth = 30;
  m.headerHeight = 40;
  m.rowHeight = 20;
  m.vScrollWidth = 15;
  m.hScrollHeight = 16;
  m.columnWidths = {50, 60, 70};
  m.rowCount = 25;
  return m;
}

TEST(TableLayout, GridExtentCountsWholeRowsColumnsAndScrollBars) {
  TGridMetrics m = sampleMetrics();

  // Everything but the rows fits: 2 + 30 + 180 + 15 wide, 2 + 40 + 200 high.
  TGridExtent e = gridExtent(m, 0, 3, 10);
  EXPECT_EQ(e.width, 227);
  EXPECT_EQ(e.height, 242);
  EXPECT_TRUE(e.vScroll);
  EXPECT_FALSE(e.hScroll);

  // Two columns from the second one, all rows: 2 + 30 + 130; 2 + 40 + 500 + 16.
  m.rowCount = 4;
  e = gridExtent(m, 1, 2, 4);
  EXPECT_EQ(e.width, 162);
  EXPECT_EQ(e.height, 138);
  EXPECT_FALSE(e.vScroll);
  EXPECT_TRUE(e.hScroll);
}

TEST(TableLayout, ShownCountsAreTheWholeRowsAndColumnsThatFit) {
  TGridMetrics m = sampleMetrics();

  // The size of ten rows and all columns gives them back.
  TShownCounts s = shownCountsForSize(m, 0, 227, 242);
  EXPECT_EQ(s.rows, 10);
  EXPECT_EQ(s.columns, 3);

  // One pixel narrower: the last column no longer fits, and the horizontal
  // bar that now appears takes the room of one row (242 - 16 = 226 leaves
  // 184 pixels: 9 rows).
  s = shownCountsForSize(m, 0, 226, 242);
  EXPECT_EQ(s.columns, 2);
  EXPECT_EQ(s.rows, 9);

  // Far too small still shows one row and one column.
  s = shownCountsForSize(m, 0, 10, 10);
  EXPECT_EQ(s.rows, 1);
  EXPECT_EQ(s.columns, 1);

  // Room for more rows than the table has.
  m.rowCount = 3;
  s = shownCountsForSize(m, 0, 1000, 1000);
  EXPECT_EQ(s.rows, 3);
  EXPECT_EQ(s.columns, 3);
}

TEST(TableLayout, ADraggedSizeSnapsToWholeRowsAndColumns) {
  const TGridMetrics m = sampleMetrics();
  auto snap = [&](int w, int h, int first = 0, bool wd = true, bool hd = true, int shownRows = 10, int minW = 0) {
    return snapGridSize(m, {first, 0, 3, shownRows, w, h, wd, hd, minW});
  };
  // All columns fit; 208 pixels below the header hold 10 rows: a vertical
  // bar only, 2 + 30 + 180 + 15 by 2 + 40 + 200, inside the dragged size.
  TSnapResult s = snap(227, 250);
  EXPECT_TRUE(s.extent.vScroll);
  EXPECT_FALSE(s.extent.hScroll);
  EXPECT_EQ(s.extent.width, 227);
  EXPECT_EQ(s.extent.height, 242);
  EXPECT_EQ(s.shown.rows, 10);
  EXPECT_EQ(s.shown.columns, 3);

  // 200 wide: the vertical-bar size would overhang by 27 x 242; both bars fit
  // within it: two columns (110 of 153) and 9 rows (192 / 20).
  s = snap(200, 250);
  EXPECT_TRUE(s.extent.vScroll && s.extent.hScroll);
  EXPECT_EQ(s.shown.columns, 2);
  EXPECT_EQ(s.shown.rows, 9);
  EXPECT_EQ(s.extent.width, 157);
  EXPECT_EQ(s.extent.height, 238);

  // Scrolled to the last column: columns are taken to the right, then to the left.
  s = snap(180, 250, 2);
  EXPECT_EQ(s.firstColumn, 1);
  EXPECT_EQ(s.shown.columns, 2);

  // Only a side edge dragged (the height is that of 4 rows): the 4 rows stay,
  // under the horizontal bar that one column of 103 pixels needs.
  s = snap(150, 122, 0, true, false, 4);
  EXPECT_EQ(s.shown.rows, 4);
  EXPECT_EQ(s.shown.columns, 1);
  // Never narrower than the row buttons.
  EXPECT_EQ(snap(60, 250, 0, true, true, 10, 200).extent.width, 200);

  // Room for everything: no bars (the first candidate wins the tie).
  s = snap(300, 600);
  EXPECT_FALSE(s.extent.vScroll || s.extent.hScroll);
  EXPECT_EQ(s.shown.rows, 25);

  TGridMetrics none = m;
  none.columnWidths.clear();
  EXPECT_THROW_MSG(snapGridSize(none, {}), Exception, "There must be at least 2 columns in grid");
}

}  // namespace
}  // namespace zrv::comp
