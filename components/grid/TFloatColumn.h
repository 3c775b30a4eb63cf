#pragma once
// A real per row with a unit code (such as "L2" or "F/L2^3"): the values are
// held in the table's unit system and rescaled when it changes; the last
// header line shows the unit expanded for that system.
//
// A TopDepth column holds the top of each layer and the next column its
// bottom: writing a top also writes the bottom of the layer above, writing a
// bottom also writes the top of the layer below.

#include "grid/TColumn.h"

namespace zrv::comp {

class TFloatColumn : public TColumn {
public:
  explicit TFloatColumn(TGridTable& table) : TColumn(table) {}
  static const TColumnClass& Class();
  const TColumnClass& ClassType() const override { return Class(); }

  Extended Default() const { return m_default; }
  void SetDefault(Extended v) { m_default = v; }
  bool TopDepth() const { return m_topDepth; }
  void SetTopDepth(bool v) { m_topDepth = v; }
  const std::string& Units() const { return m_units; }
  /// Raises the units' EConvertError for a code whose exponent is not a digit,
  /// which a later unit switch could not convert.
  void SetUnits(std::string v);

  /// A TopDepth column raises Exception "If column if a topdepth then the
  /// next column must be a float column" when the next column is of another type.
  void InsertRows(int index, int count) override;
  void DeleteRow(int index) override;
  /// The last line, when there is a unit code: "<line> (<unit text>)  ".
  std::string GetHeaderLine(int i) const override;
  Extended GetFloat(int row) const override;
  void SetFloat(int row, Extended value) override;
  /// General format with 8 significant digits and the user's separator.
  std::string GetText(int row) const override;
  /// Evaluates `text` and stores it; EAssignError "Entry must be a finite
  /// number." for an infinity or NaN (such as 1/0).
  void SetText(int row, std::string_view text) override;
  /// Header width (unit included), at least half an inch.
  int ColumnWidth(const TTextMetrics& metrics) const override;
  /// Multiplies every value by the factor from the table's system to `system`.
  void SetUnitSystem(int system) override;
  /// Writes the TopDepth flag, "FLOATCOLUMN2", the unit code and the default.
  void WriteData(TColWriter& writer) const override;
  std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  /// Also reads the older record that has the unit code in place of
  /// "FLOATCOLUMN2" and no default (default 0). A unit code whose exponent
  /// is not a digit raises the units' EConvertError.
  static std::unique_ptr<TColumn> CreateFromReader(TGridTable& table, TColReader& reader);

private:
  TFloatColumn* neighbour(int offset) const;
  Extended m_default = 0;
  bool m_topDepth = false;
  std::string m_units;
  std::vector<Extended> m_values;
};

}  // namespace zrv::comp
