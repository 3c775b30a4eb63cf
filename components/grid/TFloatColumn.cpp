#include "grid/TFloatColumn.h"

#include <algorithm>
#include <cmath>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "evaluator/evaluator.h"
#include "grid/TGridTable.h"
#include "units/units.h"

namespace zrv::comp {

namespace {
constexpr const char* kMarker = "FLOATCOLUMN2";
}

const TColumnClass& TFloatColumn::Class() { return columnClassOf<TFloatColumn>("TFloatColumn"); }

std::unique_ptr<TColumn> TFloatColumn::CreateFromReader(TGridTable& table, TColReader& reader) {
  auto c = std::make_unique<TFloatColumn>(table);
  c->ReadData(reader);
  c->m_topDepth = reader.readBoolean();
  std::string s = reader.readString();
  if (s == kMarker) {
    c->m_units = reader.readString();
    c->m_default = reader.readFloat();
  } else {
    c->m_units = std::move(s);
  }
  // A code that cannot be converted fails here, not halfway through a unit switch.
  UnitConversionFactor(kUnitsEnglish, kUnitsSI, c->m_units);
  return c;
}

void TFloatColumn::SetUnits(std::string v) {
  UnitConversionFactor(kUnitsEnglish, kUnitsSI, v);
  m_units = std::move(v);
}

TFloatColumn* TFloatColumn::neighbour(int offset) const {
  const int i = Index();
  if (i < 0) return nullptr;
  const int j = i + offset;
  if (j < 0 || j >= Table().ColumnCount()) return nullptr;
  return dynamic_cast<TFloatColumn*>(&Table().Column(j));
}

void TFloatColumn::InsertRows(int index, int count) {
  const int i = Index();
  if (m_topDepth && i >= 0 && i + 1 < Table().ColumnCount() && !neighbour(1))
    throw Exception("If column if a topdepth then the next column must be a float column");
  TColumn::InsertRows(index, count);
  const TFloatColumn* next = m_topDepth ? neighbour(1) : nullptr;
  const TFloatColumn* prev = neighbour(-1);
  if (prev && !prev->m_topDepth) prev = nullptr;
  std::vector<Extended> fresh;
  for (int d = index; d < index + count; ++d) {
    // A new layer starts at the bottom of the layer above and ends at the top
    // of the layer below.
    if (next && d >= 1 && d <= next->RowCount() - 1)
      fresh.push_back(next->m_values[slot(d - 1)]);
    else if (prev && d + 1 < prev->RowCount())
      fresh.push_back(prev->m_values[slot(d + 1)]);
    else
      fresh.push_back(m_default);
  }
  m_values.insert(m_values.begin() + index, fresh.begin(), fresh.end());
}

void TFloatColumn::DeleteRow(int index) {
  checkRow(index);
  const TFloatColumn* next = m_topDepth ? neighbour(1) : nullptr;
  // The layer below takes over the deleted layer's top.
  if (next && index > 0 && index < RowCount() - 1 && index - 1 < next->RowCount())
    m_values[slot(index + 1)] = next->m_values[slot(index - 1)];
  TColumn::DeleteRow(index);
  m_values.erase(m_values.begin() + index);
}

std::string TFloatColumn::GetHeaderLine(int i) const {
  std::string line = TColumn::GetHeaderLine(i);
  if (i == HeaderLineCount() - 1 && !m_units.empty())
    line += " (" + UnitText(m_units, Table().UnitSystem()) + ")  ";
  return line;
}

Extended TFloatColumn::GetFloat(int row) const {
  checkRow(row);
  return m_values[slot(row)];
}

void TFloatColumn::SetFloat(int row, Extended value) {
  const auto [first, last] = writtenRows(row);
  if (Grouped()) {
    for (int r = first; r <= last; ++r) {
      m_values[slot(r)] = value;
      signalCellChanged(r);
    }
    return;
  }
  m_values[slot(row)] = value;
  TFloatColumn* next = m_topDepth ? neighbour(1) : nullptr;
  TFloatColumn* prev = neighbour(-1);
  if (next && row - 1 >= 0 && row - 1 < next->RowCount()) {
    next->m_values[slot(row - 1)] = value;
    next->signalCellChanged(row - 1);
  } else if (prev && prev->m_topDepth && row + 1 < prev->RowCount()) {
    prev->m_values[slot(row + 1)] = value;
    prev->signalCellChanged(row + 1);
  }
  signalCellChanged(row);
}

std::string TFloatColumn::GetText(int row) const { return format_general(GetFloat(row), 8); }

void TFloatColumn::SetText(int row, std::string_view text) {
  checkRow(row);
  const Extended v = Evaluate(text);
  if (!std::isfinite(v)) throw EAssignError("Entry must be a finite number.");
  SetFloat(row, v);
}

int TFloatColumn::ColumnWidth(const TTextMetrics& metrics) const {
  return std::max(TColumn::ColumnWidth(metrics), metrics.pixelsPerInch() / 2);
}

void TFloatColumn::SetUnitSystem(int system) {
  const Extended f = UnitConversionFactor(Table().UnitSystem(), system, m_units);
  for (int r = 0; r < RowCount(); ++r) {
    m_values[slot(r)] *= f;
    signalCellChanged(r);
  }
}

void TFloatColumn::WriteData(TColWriter& writer) const {
  TColumn::WriteData(writer);
  writer.writeBoolean(m_topDepth);
  writer.writeString(kMarker);
  writer.writeString(m_units);
  writer.writeFloat(m_default);
}

std::unique_ptr<TColumn> TFloatColumn::Clone(TGridTable& table) const {
  auto c = TColumn::Clone(table);
  auto& t = static_cast<TFloatColumn&>(*c);
  t.m_topDepth = m_topDepth;
  t.m_units = m_units;
  t.m_default = m_default;
  return c;
}

}  // namespace zrv::comp
