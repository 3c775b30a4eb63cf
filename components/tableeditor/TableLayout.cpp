#include "tableeditor/TableLayout.h"

#include <algorithm>
#include <limits>

#include "base/exceptions.h"
#include "grid/TColumn.h"
#include "grid/TGridTable.h"

namespace zrv::comp {

std::string rowPath(const TGridTable& table) {
  if (!table.Owner()) return std::string();
  return rowPath(*table.Owner()) + " " + std::to_string(table.RowNumber());
}

std::string tableEditorCaption(const TGridTable& table) { return table.Caption() + " " + rowPath(table); }

int headerRowCount(const TGridTable& table) {
  int h = 0;
  for (int i = 0; i < table.visibleColumnCount(); ++i) h = std::max(h, table.visibleColumn(i).HeaderLineCount());
  return h;
}

std::vector<std::string> columnHeaderLines(const TColumn& column, int rows) {
  std::vector<std::string> lines;
  const int n = column.HeaderLineCount();
  for (int j = 0; j < rows; ++j) lines.push_back(j < n ? column.GetHeaderLine(j) : std::string());
  return lines;
}

std::string rowLabel(int row, int rowGroup) { return std::to_string(row / std::max(1, rowGroup) + 1); }

TRowButtons rowButtonState(const TGridTable& table) {
  TRowButtons b;
  b.visible = table.MinRows() != table.MaxRows();
  const int n = table.RowCount();
  const int g = table.RowGroup();
  b.addEnabled = table.MaxRows() <= 0 || n + g <= table.MaxRows();
  b.deleteEnabled = n - g >= table.MinRows();
  return b;
}

TCellPos cellAfterEnter(TCellPos current, int rowCount, int columnCount) {
  if (current.row < rowCount - 1) return {current.row + 1, current.column};
  if (current.column < columnCount - 1) return {0, current.column + 1};
  return {0, 0};
}

int shownRowsAfterAdd(int shownRows, int rowCountBefore, int rowGroup) {
  if (shownRows < rowCountBefore) return shownRows;
  return std::min(shownRows + rowGroup, kMaxShownRows);
}

namespace {
// Width of column c (0 <= c < the column count).
int widthOf(const TGridMetrics& m, int c) { return m.columnWidths[static_cast<std::size_t>(c)]; }
}  // namespace

TGridExtent gridExtent(const TGridMetrics& m, int firstColumn, int shownColumns, int shownRows) {
  const int columns = static_cast<int>(m.columnWidths.size());
  TGridExtent e;
  e.vScroll = shownRows < m.rowCount;
  e.hScroll = shownColumns < columns;
  e.width = 2 * m.frame + m.rowLabelWidth;
  for (int c = std::max(0, firstColumn); c < std::min(columns, firstColumn + shownColumns); ++c)
    e.width += widthOf(m, c);
  if (e.vScroll) e.width += m.vScrollWidth;
  e.height = 2 * m.frame + m.headerHeight + m.rowHeight * shownRows;
  if (e.hScroll) e.height += m.hScrollHeight;
  return e;
}

TShownCounts shownCountsForSize(const TGridMetrics& m, int firstColumn, int width, int height) {
  const int columns = static_cast<int>(m.columnWidths.size());
  firstColumn = std::clamp(firstColumn, 0, std::max(0, columns - 1));
  TShownCounts s;
  bool vScroll = false;
  bool hScroll = false;
  // Each scroll bar takes room from the other direction: settle them in turn.
  for (int pass = 0; pass < 3; ++pass) {
    int room = width - 2 * m.frame - m.rowLabelWidth - (vScroll ? m.vScrollWidth : 0);
    s.columns = 0;
    for (int c = firstColumn; c < columns && widthOf(m, c) <= room; ++c) {
      room -= widthOf(m, c);
      ++s.columns;
    }
    const int rowRoom = height - 2 * m.frame - m.headerHeight - (hScroll ? m.hScrollHeight : 0);
    s.rows = m.rowHeight > 0 ? std::clamp(rowRoom / m.rowHeight, 0, m.rowCount) : m.rowCount;
    if (columns > 0) s.columns = std::max(1, s.columns);
    if (m.rowCount > 0) s.rows = std::max(1, s.rows);
    vScroll = s.rows < m.rowCount;
    hScroll = s.columns < columns - firstColumn || firstColumn > 0;
  }
  return s;
}

TSnapResult snapGridSize(const TGridMetrics& m, const TSnapRequest& r) {
  const int columns = static_cast<int>(m.columnWidths.size());
  if (columns + 1 < 2) throw Exception("There must be at least 2 columns in grid");
  TSnapResult best;
  long long bestExcess = std::numeric_limits<long long>::max();
  for (const auto& [vBar, hBar] : {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
    TSnapResult c;
    // Whole columns across.
    int width = 2 * m.frame + m.rowLabelWidth + (vBar ? m.vScrollWidth : 0);
    if (!hBar) {
      c.firstColumn = 0;
      c.shown.columns = columns;
    } else if (!r.widthDragged) {
      c.firstColumn = std::clamp(r.firstColumn, 0, columns - 1);
      c.shown.columns = std::clamp(r.shownColumns, 1, columns - c.firstColumn);
    } else {
      int room = r.width - width;
      int first = std::clamp(r.firstColumn, 0, columns - 1);
      int last = first;  // one past the last column taken
      while (last < columns && widthOf(m, last) <= room) room -= widthOf(m, last++);
      while (first > 0 && widthOf(m, first - 1) <= room) room -= widthOf(m, --first);
      if (last == first) ++last;  // at least one column
      c.firstColumn = first;
      c.shown.columns = last - first;
    }
    for (int k = c.firstColumn; k < c.firstColumn + c.shown.columns; ++k) width += widthOf(m, k);
    // Whole rows down.
    int height = 2 * m.frame + m.headerHeight + (hBar ? m.hScrollHeight : 0);
    if (!vBar) {
      c.firstRow = 0;
      c.shown.rows = m.rowCount;
    } else {
      if (!r.heightDragged)
        c.shown.rows = r.shownRows;
      else
        c.shown.rows = m.rowHeight > 0 ? (r.height - height) / m.rowHeight : m.rowCount;
      c.shown.rows = std::clamp(c.shown.rows, std::min(1, m.rowCount), m.rowCount);
      c.firstRow = std::clamp(r.firstRow, 0, std::max(0, m.rowCount - c.shown.rows));
    }
    height += m.rowHeight * c.shown.rows;
    // A bar is there only when not everything is shown in its direction.
    if (vBar && c.shown.rows >= m.rowCount) continue;
    if (hBar && c.shown.columns >= columns) continue;
    c.extent = {std::max(width, r.minWidth), height, vBar, hBar};
    const long long excess = static_cast<long long>(c.extent.width) * c.extent.height -
                             static_cast<long long>(std::clamp(r.width, 0, c.extent.width)) *
                                 std::clamp(r.height, 0, c.extent.height);
    if (excess < bestExcess) {
      bestExcess = excess;
      best = c;
    }
  }
  return best;
}

}  // namespace zrv::comp
