#pragma once
// A whole number per row within a minimum and a maximum; new rows hold the
// default.

#include <climits>

#include "grid/TColumn.h"

namespace zrv::comp {

class TIntColumn : public TColumn {
public:
  explicit TIntColumn(TGridTable& table) : TColumn(table) {}
  static const TColumnClass& Class();
  const TColumnClass& ClassType() const override { return Class(); }

  int Default() const { return m_default; }
  void SetDefault(int v) { m_default = v; }
  int Minimum() const { return m_minimum; }
  void SetMinimum(int v) { m_minimum = v; }
  int Maximum() const { return m_maximum; }
  void SetMaximum(int v) { m_maximum = v; }

  void InsertRows(int index, int count) override;
  void DeleteRow(int index) override;
  int GetInteger(int row) const override;
  /// Raises EAssignError "Entry must be between <min> and <max>." for a value
  /// outside the limits.
  void SetInteger(int row, int value) override;
  std::string GetText(int row) const override;
  /// Evaluates `text`. While the table's editor is open a value with a
  /// fractional part above 1e-10 raises EAssignError "Entry must be an
  /// integer."; a value outside the limits always raises the limits message.
  /// The value is then rounded, halves to even.
  void SetText(int row, std::string_view text) override;
  /// Header width, at least half an inch.
  int ColumnWidth(const TTextMetrics& metrics) const override;
  void WriteData(TColWriter& writer) const override;
  std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  static std::unique_ptr<TColumn> CreateFromReader(TGridTable& table, TColReader& reader);

private:
  [[noreturn]] void outOfLimits() const;
  int m_default = 0;
  int m_minimum = INT_MIN;
  int m_maximum = INT_MAX;
  std::vector<int> m_values;
};

}  // namespace zrv::comp
