#pragma once
// A free text per row; new rows hold the default text.

#include "grid/TColumn.h"

namespace zrv::comp {

class TStringColumn : public TColumn {
public:
  explicit TStringColumn(TGridTable& table) : TColumn(table) {}
  static const TColumnClass& Class();
  const TColumnClass& ClassType() const override { return Class(); }

  const std::string& DefaultText() const { return m_default; }
  void SetDefaultText(std::string v) { m_default = std::move(v); }
  /// Column width in inches.
  Extended WidthFactor() const { return m_widthFactor; }
  void SetWidthFactor(Extended v) { m_widthFactor = v; }

  void InsertRows(int index, int count) override;
  void DeleteRow(int index) override;
  std::string GetText(int row) const override;
  void SetText(int row, std::string_view text) override;
  /// Header width, at least WidthFactor inches.
  int ColumnWidth(const TTextMetrics& metrics) const override;
  void WriteData(TColWriter& writer) const override;
  std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

  static std::unique_ptr<TColumn> CreateFromReader(TGridTable& table, TColReader& reader);

private:
  std::string m_default;
  Extended m_widthFactor = 1.0L;
  std::vector<std::string> m_values;
};

}  // namespace zrv::comp
