#include "grid/TStringColumn.h"

#include <algorithm>

#include "base/numbers.h"

namespace zrv::comp {

const TColumnClass& TStringColumn::Class() { return columnClassOf<TStringColumn>("TStringColumn"); }

std::unique_ptr<TColumn> TStringColumn::CreateFromReader(TGridTable& table, TColReader& reader) {
  auto c = std::make_unique<TStringColumn>(table);
  c->ReadData(reader);
  c->m_default = reader.readString();
  c->m_widthFactor = reader.readFloat();
  return c;
}

void TStringColumn::InsertRows(int index, int count) {
  TColumn::InsertRows(index, count);
  m_values.insert(m_values.begin() + index, slot(count), m_default);
}

void TStringColumn::DeleteRow(int index) {
  TColumn::DeleteRow(index);
  m_values.erase(m_values.begin() + index);
}

std::string TStringColumn::GetText(int row) const {
  checkRow(row);
  return m_values[slot(row)];
}

void TStringColumn::SetText(int row, std::string_view text) {
  const auto [first, last] = writtenRows(row);
  for (int r = first; r <= last; ++r) {
    m_values[slot(r)] = std::string(text);
    signalCellChanged(r);
  }
}

int TStringColumn::ColumnWidth(const TTextMetrics& metrics) const {
  // A width factor read from a definition may be huge or not a number: such a
  // width is no width at all rather than an undefined conversion.
  const auto inches = round_to_int32(metrics.pixelsPerInch() * m_widthFactor);
  return std::max(TColumn::ColumnWidth(metrics), inches.value_or(0));
}

void TStringColumn::WriteData(TColWriter& writer) const {
  TColumn::WriteData(writer);
  writer.writeString(m_default);
  writer.writeFloat(m_widthFactor);
}

std::unique_ptr<TColumn> TStringColumn::Clone(TGridTable& table) const {
  auto c = TColumn::Clone(table);
  auto& t = static_cast<TStringColumn&>(*c);
  t.m_default = m_default;
  t.m_widthFactor = m_widthFactor;
  return c;
}

}  // namespace zrv::comp
