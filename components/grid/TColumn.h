#pragma once
// The abstract column of a grid table: header lines, visibility, grouping,
// one cell handle per row, and the typed cell operations that the concrete
// column types override (TEnumColumn, TIntColumn, TFloatColumn,
// TStringColumn, TTableColumn). A typed operation that a column type does
// not support raises EInvalidCast "Data of wrong type".

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"
#include "grid/ColStream.h"

namespace zrv::comp {

class TColumn;
class TData;
class TGridTable;
class TObject;

// A column class as the column-type registry knows it: its name and its two
// constructors (empty, and from the "Col" value run).
struct TColumnClass {
  const char* name;
  std::unique_ptr<TColumn> (*create)(TGridTable& table);
  std::unique_ptr<TColumn> (*createFromReader)(TGridTable& table, TColReader& reader);
};

/// The registry entry of column type T (made once): `name` and the
/// constructors T(table) and T::CreateFromReader(table, reader).
template <class T>
const TColumnClass& columnClassOf(const char* name) {
  static const TColumnClass cls{
      name, [](TGridTable& table) -> std::unique_ptr<TColumn> { return std::make_unique<T>(table); },
      &T::CreateFromReader};
  return cls;
}

// Text measures of the editor's grid, for column widths in pixels.
class TTextMetrics {
public:
  virtual ~TTextMetrics() = default;
  virtual int textWidth(std::string_view text) const = 0;
  virtual int pixelsPerInch() const = 0;
};

class TColumn {
public:
  /// An empty column for `table`: no header lines, visible, not grouped, no rows.
  explicit TColumn(TGridTable& table) : m_table(&table) {}
  virtual ~TColumn();
  TColumn(const TColumn&) = delete;
  TColumn& operator=(const TColumn&) = delete;

  virtual const TColumnClass& ClassType() const = 0;

  std::vector<std::string>& Headers() { return m_headers; }
  const std::vector<std::string>& Headers() const { return m_headers; }
  bool Visible() const { return m_visible; }
  void SetVisible(bool v) { m_visible = v; }
  /// When set, a write to a cell writes every cell of its row group.
  bool Grouped() const { return m_grouped; }
  void SetGrouped(bool v) { m_grouped = v; }
  TGridTable& Table() const { return *m_table; }
  /// This column's index in its table, -1 before the table added it.
  int Index() const;
  int RowCount() const { return static_cast<int>(m_rows.size()); }

  /// Inserts `count` rows at `index` (0 <= index <= RowCount).
  virtual void InsertRows(int index, int count);
  virtual void DeleteRow(int index);
  virtual int HeaderLineCount() const { return static_cast<int>(m_headers.size()); }
  virtual std::string GetHeaderLine(int i) const;
  virtual TGridTable& GetTable(int row) const;
  virtual Extended GetFloat(int row) const;
  virtual void SetFloat(int row, Extended value);
  virtual int GetInteger(int row) const;
  virtual void SetInteger(int row, int value);
  virtual TObject* GetObject(int row) const;
  virtual std::string GetText(int row) const;
  virtual void SetText(int row, std::string_view text);
  virtual bool GetChanged() const { return false; }
  /// The table's RowGroup once the table added this column, else 1.
  int RowGroup() const;
  virtual void Hide() {}
  virtual void ResetChanged() {}
  /// Widest header line plus two blanks; 0 without header lines.
  virtual int ColumnWidth(const TTextMetrics& metrics) const;
  /// Called by the table while it still holds the old unit system.
  virtual void SetUnitSystem(int system);
  /// Writes the column's part of the "Col" record (after the type id).
  virtual void WriteData(TColWriter& writer) const;
  /// True for columns edited through in-cell controls (combo boxes, buttons).
  virtual bool UsesControls() const { return false; }
  /// A new column of the same class for `table` with the definition copied
  /// (never the cell values).
  virtual std::unique_ptr<TColumn> Clone(TGridTable& table) const;

  /// The handle of the cell in `row`.
  std::shared_ptr<TData> GetData(int row) const;
  /// Row of a handle, -1 when it is not (or no longer) in this column.
  int IndexOfData(const TData& data) const;

protected:
  /// Reads the common part of the "Col" record: header list, Visible, Grouped.
  void ReadData(TColReader& reader);
  /// Raises EListError unless 0 <= row < RowCount.
  void checkRow(int row) const;
  /// The position in the column's storage of a row (or count) already checked
  /// to be non-negative.
  static std::size_t slot(int row) { return static_cast<std::size_t>(row); }
  /// The rows that a write to `row` sets: its group when Grouped, else itself.
  std::pair<int, int> writtenRows(int row) const;
  /// Tells the table that a cell changed (nothing before the table added the column).
  void signalCellChanged(int row);
  [[noreturn]] static void wrongType();

private:
  friend class TGridTable;
  TGridTable* m_table;
  bool m_attached = false;
  std::vector<std::string> m_headers;
  bool m_visible = true;
  bool m_grouped = false;
  std::vector<std::shared_ptr<TData>> m_rows;
};

}  // namespace zrv::comp
