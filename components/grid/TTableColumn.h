#pragma once
// A nested table (or another object) per row. The kind of row r is the
// choice in the table's first column when that is an enumeration column,
// else 1; prototype entry kind - 1 names the table whose clone becomes the
// row's nested table. Without a prototype the table's OnInitRow may supply
// an object; otherwise the cell stays empty.

#include "grid/TColumn.h"
#include "grid/TGridTableList.h"
#include "grid/TObject.h"

namespace zrv::comp {

class TTableColumn : public TColumn {
public:
  explicit TTableColumn(TGridTable& table) : TColumn(table) {}
  ~TTableColumn() override;
  static const TColumnClass& Class();
  const TColumnClass& ClassType() const override { return Class(); }

  TGridTableList& Prototypes() { return m_prototypes; }
  const TGridTableList& Prototypes() const { return m_prototypes; }

  void InsertRows(int index, int count) override;
  void DeleteRow(int index) override;
  /// The nested table of `row`; EInvalidCast "Invalid class typecast" when
  /// the cell is empty or holds another object.
  TGridTable& GetTable(int row) const override;
  /// The cell's object, nullptr for an empty cell.
  TObject* GetObject(int row) const override;
  bool GetChanged() const override;
  /// Closes the nested tables' editors (hiding their columns in turn).
  void Hide() override;
  void ResetChanged() override;
  void SetUnitSystem(int system) override;
  /// Header width, at least two inches.
  int ColumnWidth(const TTextMetrics& metrics) const override;
  /// Writes "FLEXCOLUMN2" and the list of prototype Identifiers (-1 for an
  /// entry that names no table).
  void WriteData(TColWriter& writer) const override;
  bool UsesControls() const override { return true; }
  /// Copies the prototype entries as global list indexes.
  std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  /// Makes the cell of `row` anew from its kind, freeing the old one.
  void createCell(int row);
  /// Caption of the row button: "<row + 1>: <nested table Caption>", or for an
  /// object cell what OnGetButtonCaption gives (empty without a handler).
  std::string buttonCaption(int row) const;
  /// The row button was pressed: opens the nested table's editor (modal when
  /// the owning table's editor is modal) or fires OnButtonClick.
  void pressButton(int row);

  /// Also reads the older record (any other text than "FLEXCOLUMN2",
  /// followed by one list index).
  static std::unique_ptr<TColumn> CreateFromReader(TGridTable& table, TColReader& reader);

private:
  void renumber(int from);
  /// Calls onTable(table, row) for each nested table and onObject(object, row)
  /// for each other object, from row `from` on; empty cells are passed over.
  template <class OnTable, class OnObject>
  void forEachCell(int from, OnTable onTable, OnObject onObject) const;
  TGridTableList m_prototypes;
  std::vector<std::unique_ptr<TObject>> m_cells;
};

}  // namespace zrv::comp
