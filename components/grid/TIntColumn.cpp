#include "grid/TIntColumn.h"

#include <algorithm>
#include <cmath>

#include "base/exceptions.h"
#include "base/numbers.h"
#include "evaluator/evaluator.h"
#include "grid/TGridTable.h"

namespace zrv::comp {

const TColumnClass& TIntColumn::Class() { return columnClassOf<TIntColumn>("TIntColumn"); }

std::unique_ptr<TColumn> TIntColumn::CreateFromReader(TGridTable& table, TColReader& reader) {
  auto c = std::make_unique<TIntColumn>(table);
  c->ReadData(reader);
  c->m_default = reader.readInteger();
  c->m_minimum = reader.readInteger();
  c->m_maximum = reader.readInteger();
  return c;
}

void TIntColumn::InsertRows(int index, int count) {
  TColumn::InsertRows(index, count);
  m_values.insert(m_values.begin() + index, slot(count), m_default);
}

void TIntColumn::DeleteRow(int index) {
  TColumn::DeleteRow(index);
  m_values.erase(m_values.begin() + index);
}

int TIntColumn::GetInteger(int row) const {
  checkRow(row);
  return m_values[slot(row)];
}

void TIntColumn::outOfLimits() const {
  throw EAssignError("Entry must be between " + std::to_string(m_minimum) + " and " +
                     std::to_string(m_maximum) + ".");
}

void TIntColumn::SetInteger(int row, int value) {
  const auto [first, last] = writtenRows(row);
  if (value < m_minimum || value > m_maximum) outOfLimits();
  for (int r = first; r <= last; ++r) {
    m_values[slot(r)] = value;
    signalCellChanged(r);
  }
}

std::string TIntColumn::GetText(int row) const { return std::to_string(GetInteger(row)); }

void TIntColumn::SetText(int row, std::string_view text) {
  checkRow(row);
  const Extended v = Evaluate(text);
  if (Table().editor() && std::fabs(v - std::trunc(v)) > 1e-10L)
    throw EAssignError("Entry must be an integer.");
  // Checked before the conversion: outside the limits (or NaN) the value may
  // not even fit an integer.
  const Extended r = round_half_even(v);
  if (!(r >= m_minimum && r <= m_maximum)) outOfLimits();
  SetInteger(row, static_cast<int>(r));
}

int TIntColumn::ColumnWidth(const TTextMetrics& metrics) const {
  return std::max(TColumn::ColumnWidth(metrics), metrics.pixelsPerInch() / 2);
}

void TIntColumn::WriteData(TColWriter& writer) const {
  TColumn::WriteData(writer);
  writer.writeInteger(m_default);
  writer.writeInteger(m_minimum);
  writer.writeInteger(m_maximum);
}

std::unique_ptr<TColumn> TIntColumn::Clone(TGridTable& table) const {
  auto c = TColumn::Clone(table);
  auto& t = static_cast<TIntColumn&>(*c);
  t.m_default = m_default;
  t.m_minimum = m_minimum;
  t.m_maximum = m_maximum;
  return c;
}

}  // namespace zrv::comp
