#include "grid/TColumn.h"

#include <algorithm>

#include "base/exceptions.h"
#include "grid/TData.h"
#include "grid/TGridTable.h"

namespace zrv::comp {

TColumn::~TColumn() {
  for (auto& d : m_rows) d->m_column = nullptr;
}

int TColumn::Index() const { return m_attached ? m_table->IndexOfColumn(*this) : -1; }

void TColumn::InsertRows(int index, int count) {
  if (index < 0 || index > RowCount()) throw EListError(list_index_message(index));
  std::vector<std::shared_ptr<TData>> fresh;
  for (int i = 0; i < count; ++i) fresh.push_back(std::make_shared<TData>(this));
  m_rows.insert(m_rows.begin() + index, fresh.begin(), fresh.end());
}

void TColumn::DeleteRow(int index) {
  checkRow(index);
  m_rows[slot(index)]->m_column = nullptr;
  m_rows.erase(m_rows.begin() + index);
}

std::string TColumn::GetHeaderLine(int i) const {
  if (i < 0 || i >= static_cast<int>(m_headers.size())) throw EListError(list_index_message(i));
  return m_headers[slot(i)];
}

void TColumn::wrongType() { throw EInvalidCast("Data of wrong type"); }

TGridTable& TColumn::GetTable(int) const { wrongType(); }
Extended TColumn::GetFloat(int) const { wrongType(); }
void TColumn::SetFloat(int, Extended) { wrongType(); }
int TColumn::GetInteger(int) const { wrongType(); }
void TColumn::SetInteger(int, int) { wrongType(); }
TObject* TColumn::GetObject(int) const { wrongType(); }
std::string TColumn::GetText(int) const { return std::string(); }
void TColumn::SetText(int, std::string_view) {}

int TColumn::RowGroup() const { return m_attached ? m_table->RowGroup() : 1; }

int TColumn::ColumnWidth(const TTextMetrics& metrics) const {
  int w = 0;
  for (int i = 0; i < HeaderLineCount(); ++i) w = std::max(w, metrics.textWidth(GetHeaderLine(i) + "  "));
  return w;
}

void TColumn::SetUnitSystem(int) {}

void TColumn::WriteData(TColWriter& writer) const {
  writer.writeListBegin();
  for (const auto& h : m_headers) writer.writeString(h);
  writer.writeListEnd();
  writer.writeBoolean(m_visible);
  writer.writeBoolean(m_grouped);
}

void TColumn::ReadData(TColReader& reader) {
  reader.readListBegin();
  while (!reader.endOfList()) m_headers.push_back(reader.readString());
  reader.readListEnd();
  m_visible = reader.readBoolean();
  m_grouped = reader.readBoolean();
}

std::unique_ptr<TColumn> TColumn::Clone(TGridTable& table) const {
  auto c = ClassType().create(table);
  c->m_visible = m_visible;
  c->m_headers = m_headers;
  return c;
}

std::shared_ptr<TData> TColumn::GetData(int row) const {
  checkRow(row);
  return m_rows[slot(row)];
}

int TColumn::IndexOfData(const TData& data) const {
  for (std::size_t i = 0; i < m_rows.size(); ++i)
    if (m_rows[i].get() == &data) return static_cast<int>(i);
  return -1;
}

void TColumn::checkRow(int row) const {
  if (row < 0 || row >= RowCount()) throw EListError(list_index_message(row));
}

std::pair<int, int> TColumn::writtenRows(int row) const {
  checkRow(row);
  if (!m_grouped) return {row, row};
  const int g = RowGroup();
  const int first = row / g * g;
  return {first, std::min(first + g, RowCount()) - 1};
}

void TColumn::signalCellChanged(int row) {
  if (m_attached) m_table->cellChanged(*this, row);
}

}  // namespace zrv::comp
