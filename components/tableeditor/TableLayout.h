#pragma once
// The arithmetic of the table editor window that needs no widget: its
// caption, the header rows and row labels of its grid, the state of its row
// buttons, the cell that Enter moves to, and the size of the grid for a
// number of shown rows and columns. Coordinates here are data coordinates:
// row 0 is the table's first row, column 0 its first visible column.

#include <string>
#include <vector>

namespace zrv::comp {

class TColumn;
class TGridTable;

/// At most this many data rows are shown at once when the editor opens.
inline constexpr int kMaxShownRows = 10;

/// Empty for a top-level table; for a nested table its owner's row path, a
/// blank and its 1-based row number (" 3", " 2 3", ...).
std::string rowPath(const TGridTable& table);
/// The editor's caption: Caption, a blank, then the row path.
std::string tableEditorCaption(const TGridTable& table);

/// The largest header line count among the visible columns.
int headerRowCount(const TGridTable& table);
/// The `rows` header texts of a column: its header lines (the last one with
/// its unit), then empty texts.
std::vector<std::string> columnHeaderLines(const TColumn& column, int rows);
/// The label of data row `row`: the rows of one row group share a number.
std::string rowLabel(int row, int rowGroup);

struct TRowButtons {
  bool visible = false;      // all three, only when MinRows != MaxRows
  bool addEnabled = false;   // Add Row and Insert Row
  bool deleteEnabled = false;
};
/// Add and Insert stay enabled while one more row group keeps the table
/// within MaxRows (0: no limit); Delete while one row group fewer keeps it at
/// MinRows or above.
TRowButtons rowButtonState(const TGridTable& table);

struct TCellPos {
  int row = 0;
  int column = 0;
  bool operator==(const TCellPos&) const = default;
};
/// Enter: the next row; from the last row the first row of the next column;
/// from the last row of the last column the first row of the first column.
TCellPos cellAfterEnter(TCellPos current, int rowCount, int columnCount);

/// Shown rows after a row group was added: one group more when all rows
/// were shown, at most kMaxShownRows.
int shownRowsAfterAdd(int shownRows, int rowCountBefore, int rowGroup);

/// Pixel measures of the editor's grid.
struct TGridMetrics {
  int frame = 0;            // frame width on each side
  int rowLabelWidth = 0;    // the fixed column of row labels
  int headerHeight = 0;     // all fixed header rows together
  int rowHeight = 0;        // one data row
  int vScrollWidth = 0;
  int hScrollHeight = 0;
  std::vector<int> columnWidths;  // the visible columns
  int rowCount = 0;
};

struct TGridExtent {
  int width = 0;
  int height = 0;
  bool vScroll = false;
  bool hScroll = false;
};

/// The grid's size when it shows `shownRows` whole rows and `shownColumns`
/// whole columns from visible column `firstColumn`, with a scroll bar for
/// each direction in which not everything is shown.
TGridExtent gridExtent(const TGridMetrics& m, int firstColumn, int shownColumns, int shownRows);

struct TShownCounts {
  int rows = 0;
  int columns = 0;
};
/// How many whole rows, and whole columns from `firstColumn`, a grid of
/// `width` x `height` pixels shows; at least one of each when the table has any.
TShownCounts shownCountsForSize(const TGridMetrics& m, int firstColumn, int width, int height);

/// A size the user dragged the grid to, and what the grid shows now.
struct TSnapRequest {
  int firstColumn = 0;   // first scrolled-in visible column
  int firstRow = 0;      // first scrolled-in data row
  int shownColumns = 0;
  int shownRows = 0;
  int width = 0;         // the dragged grid size
  int height = 0;
  bool widthDragged = true;   // false: only the top or bottom edge moved
  bool heightDragged = true;  // false: only the left or right edge moved
  int minWidth = 0;      // the grid is never counted narrower (the row buttons)
};

struct TSnapResult {
  TGridExtent extent;    // the winner's grid size
  int firstColumn = 0;
  int firstRow = 0;
  TShownCounts shown;
};

/// The grid size of whole rows and columns for a dragged size: four
/// candidates, without scroll bars (everything shown), with a vertical, with
/// a horizontal and with both bars (as many whole columns, from the first
/// one to the right and then to the left, and as many whole rows as fit;
/// the current ones along an edge that was not dragged); a bar that the
/// counts would not need rules its candidate out. The candidate whose size
/// exceeds the dragged one by the smallest area wins, ties in that order.
/// Raises Exception "There must be at least 2 columns in grid" for a grid
/// with fewer columns, the row labels counted.
TSnapResult snapGridSize(const TGridMetrics& m, const TSnapRequest& r);

}  // namespace zrv::comp
