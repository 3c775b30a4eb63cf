#include "grid/TEnumColumn.h"

#include <algorithm>
#include <cmath>

#include "base/exceptions.h"
#include "evaluator/evaluator.h"
#include "grid/TGridTable.h"

namespace zrv::comp {

const TColumnClass& TEnumColumn::Class() { return columnClassOf<TEnumColumn>("TEnumColumn"); }

std::unique_ptr<TColumn> TEnumColumn::CreateFromReader(TGridTable& table, TColReader& reader) {
  auto c = std::make_unique<TEnumColumn>(table);
  c->ReadData(reader);
  reader.readListBegin();
  while (!reader.endOfList()) c->m_items.push_back(reader.readString());
  reader.readListEnd();
  return c;
}

void TEnumColumn::SetItems(std::vector<std::string> items) {
  m_items = std::move(items);
  if (Index() >= 0) Table().itemsChanged(*this);
}

void TEnumColumn::InsertRows(int index, int count) {
  TColumn::InsertRows(index, count);
  m_values.insert(m_values.begin() + index, slot(count), 1);
}

void TEnumColumn::DeleteRow(int index) {
  TColumn::DeleteRow(index);
  m_values.erase(m_values.begin() + index);
}

int TEnumColumn::GetInteger(int row) const {
  checkRow(row);
  return m_values[slot(row)];
}

void TEnumColumn::SetInteger(int row, int value) {
  const auto [first, last] = writtenRows(row);
  const int n = static_cast<int>(m_items.size());
  if (n > 0 && (value < 1 || value > n))
    throw EAssignError("Entry must be between 1 and " + std::to_string(n) + ".");
  for (int r = first; r <= last; ++r) {
    if (m_values[slot(r)] == value) continue;
    m_values[slot(r)] = value;
    signalCellChanged(r);
  }
}

std::string TEnumColumn::GetText(int row) const { return std::to_string(GetInteger(row)); }

void TEnumColumn::SetText(int row, std::string_view text) {
  checkRow(row);
  const Extended v = Evaluate(text);
  if (!(v >= -2147483648.0L && v <= 2147483647.0L) || v != std::trunc(v))
    throw EAssignError("Value must be an integer.");
  SetInteger(row, static_cast<int>(v));
}

int TEnumColumn::ColumnWidth(const TTextMetrics& metrics) const {
  return std::max(TColumn::ColumnWidth(metrics), 3 * metrics.pixelsPerInch() / 2);
}

void TEnumColumn::WriteData(TColWriter& writer) const {
  TColumn::WriteData(writer);
  writer.writeListBegin();
  for (const auto& item : m_items) writer.writeString(item);
  writer.writeListEnd();
}

std::unique_ptr<TColumn> TEnumColumn::Clone(TGridTable& table) const {
  auto c = TColumn::Clone(table);
  static_cast<TEnumColumn&>(*c).m_items = m_items;
  return c;
}

}  // namespace zrv::comp
