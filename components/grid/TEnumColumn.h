#pragma once
// A choice out of a fixed list of item texts, held per row as the 1-based
// number of the item (new rows hold 1). The editor shows the item texts in
// an in-cell combo box; GetText gives the number.

#include "grid/TColumn.h"

namespace zrv::comp {

class TEnumColumn : public TColumn {
public:
  explicit TEnumColumn(TGridTable& table) : TColumn(table) {}
  static const TColumnClass& Class();
  const TColumnClass& ClassType() const override { return Class(); }

  const std::vector<std::string>& Items() const { return m_items; }
  /// Replaces the item list; in a table's first column this also brings the
  /// table's nested-table columns to one prototype entry per item.
  void SetItems(std::vector<std::string> items);

  void InsertRows(int index, int count) override;
  void DeleteRow(int index) override;
  int GetInteger(int row) const override;
  /// Stores the choice `value` unless the cell holds it already. Raises
  /// EAssignError "Entry must be between 1 and <item count>." for a choice
  /// outside the item list (a column without items takes any value).
  void SetInteger(int row, int value) override;
  std::string GetText(int row) const override;
  /// Evaluates `text`; a result that is not a whole 32-bit number raises
  /// EAssignError "Value must be an integer."; then SetInteger.
  void SetText(int row, std::string_view text) override;
  /// Header width, at least 1.5 inches.
  int ColumnWidth(const TTextMetrics& metrics) const override;
  void WriteData(TColWriter& writer) const override;
  bool UsesControls() const override { return true; }
  std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  static std::unique_ptr<TColumn> CreateFromReader(TGridTable& table, TColReader& reader);

private:
  std::vector<std::string> m_items;
  std::vector<int> m_values;
};

}  // namespace zrv::comp
