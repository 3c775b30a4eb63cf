#include "grid/TTableColumn.h"

#include <algorithm>

#include "base/exceptions.h"
#include "grid/GlobalTableList.h"
#include "grid/TEnumColumn.h"
#include "grid/TGridTable.h"

namespace zrv::comp {

namespace {
constexpr const char* kMarker = "FLEXCOLUMN2";
}

const TColumnClass& TTableColumn::Class() { return columnClassOf<TTableColumn>("TTableColumn"); }

TTableColumn::~TTableColumn() = default;

std::unique_ptr<TColumn> TTableColumn::CreateFromReader(TGridTable& table, TColReader& reader) {
  auto c = std::make_unique<TTableColumn>(table);
  c->ReadData(reader);
  if (reader.readString() == kMarker) {
    reader.readListBegin();
    while (!reader.endOfList()) c->m_prototypes.AddIdentifier(reader.readInteger());
    reader.readListEnd();
    return c;
  }
  const int k = reader.readInteger();
  const auto* first = table.ColumnCount() > 0 ? dynamic_cast<const TEnumColumn*>(&table.Column(0)) : nullptr;
  if (!first) {
    c->m_prototypes.AddIndex(k);
  } else {
    for (int i = 0; i < static_cast<int>(first->Items().size()); ++i) {
      if (table.HardwiredButton())
        c->m_prototypes.AddIndex(k);
      else
        c->m_prototypes.AddIdentifier(i + 1);
    }
  }
  return c;
}

void TTableColumn::createCell(int row) {
  checkRow(row);
  TGridTable& owner = Table();
  const auto* first = owner.ColumnCount() > 0 ? dynamic_cast<const TEnumColumn*>(&owner.Column(0)) : nullptr;
  const int kind = first && row < first->RowCount() ? first->GetInteger(row) : 1;
  std::unique_ptr<TObject> cell;
  // A kind below 1 (an enumeration without items takes any value) names no prototype.
  const TGridTable* proto = kind >= 1 ? m_prototypes.ResolveTable(kind - 1) : nullptr;
  if (proto && owner.isMadeFrom(*proto)) proto = nullptr;  // a prototype that contains itself
  if (proto) {
    cell = std::make_unique<TGridTable>(&owner, row + 1, *proto);
  } else if (owner.OnInitRow) {
    owner.OnInitRow(owner, Index(), row, kind, cell);
    if (cell && owner.OnSetRow) owner.OnSetRow(owner, Index(), cell.get(), row);
  }
  m_cells[slot(row)] = std::move(cell);
  if (proto && owner.OnNewTable) owner.OnNewTable(owner, Index(), row, static_cast<TGridTable&>(*m_cells[slot(row)]));
  if (TTableEditor* e = owner.editor()) e->cellChanged(Index(), row);
}

void TTableColumn::InsertRows(int index, int count) {
  TColumn::InsertRows(index, count);
  for (int i = 0; i < count; ++i) m_cells.insert(m_cells.begin() + index, nullptr);
  try {
    for (int r = index; r < index + count; ++r) createCell(r);
  } catch (...) {
    // A cell could not be made (OnInitRow or OnSetRow raised): the new rows
    // are removed again, so that the column keeps the table's row count.
    for (int i = 0; i < count; ++i) {
      m_cells.erase(m_cells.begin() + index);
      TColumn::DeleteRow(index);
    }
    throw;
  }
  renumber(index + count);
}

void TTableColumn::DeleteRow(int index) {
  checkRow(index);
  m_cells.erase(m_cells.begin() + index);
  TColumn::DeleteRow(index);
  renumber(index);
}

template <class OnTable, class OnObject>
void TTableColumn::forEachCell(int from, OnTable onTable, OnObject onObject) const {
  for (int r = from; r < RowCount(); ++r) {
    TObject* cell = m_cells[slot(r)].get();
    if (auto* t = dynamic_cast<TGridTable*>(cell))
      onTable(*t, r);
    else if (cell)
      onObject(cell, r);
  }
}

void TTableColumn::renumber(int from) {
  TGridTable& owner = Table();
  forEachCell(
      from, [](TGridTable& t, int r) { t.SetRowNumber(r + 1); },
      [&](TObject* cell, int r) {
        if (owner.OnSetRow) owner.OnSetRow(owner, Index(), cell, r);
      });
}

TGridTable& TTableColumn::GetTable(int row) const {
  checkRow(row);
  auto* t = dynamic_cast<TGridTable*>(m_cells[slot(row)].get());
  if (!t) throw EInvalidCast("Invalid class typecast");
  return *t;
}

TObject* TTableColumn::GetObject(int row) const {
  checkRow(row);
  return m_cells[slot(row)].get();
}

bool TTableColumn::GetChanged() const {
  TGridTable& owner = Table();
  bool changed = false;  // once set, no further cell is asked
  forEachCell(
      0, [&](TGridTable& t, int) { changed = changed || t.GetChanged(); },
      [&](TObject* cell, int r) {
        if (!changed && owner.OnGetChanged) owner.OnGetChanged(owner, Index(), r, cell, changed);
      });
  return changed;
}

void TTableColumn::Hide() {
  TGridTable& owner = Table();
  forEachCell(
      0,
      [](TGridTable& t, int) {
        if (TTableEditor* e = t.editor()) e->closeEditor();
        for (int c = 0; c < t.ColumnCount(); ++c) t.Column(c).Hide();
      },
      [&](TObject* cell, int r) {
        if (owner.OnHide) owner.OnHide(owner, Index(), r, cell);
      });
}

void TTableColumn::ResetChanged() {
  TGridTable& owner = Table();
  forEachCell(
      0, [](TGridTable& t, int) { t.SetChanged(false); },
      [&](TObject* cell, int r) {
        if (owner.OnResetChanged) owner.OnResetChanged(owner, Index(), r, cell);
      });
}

void TTableColumn::SetUnitSystem(int system) {
  TGridTable& owner = Table();
  forEachCell(
      0, [system](TGridTable& t, int) { t.SetUnitSystem(system); },
      [&](TObject* cell, int r) {
        if (owner.OnSetUnits) owner.OnSetUnits(owner, Index(), r, cell, system);
      });
}

int TTableColumn::ColumnWidth(const TTextMetrics& metrics) const {
  return std::max(TColumn::ColumnWidth(metrics), 2 * metrics.pixelsPerInch());
}

void TTableColumn::WriteData(TColWriter& writer) const {
  TColumn::WriteData(writer);
  writer.writeString(kMarker);
  writer.writeListBegin();
  for (int i = 0; i < m_prototypes.Count(); ++i) {
    const TGridTable* t = m_prototypes.ResolveTable(i);
    writer.writeInteger(t ? t->Identifier() : -1);
  }
  writer.writeListEnd();
}

std::unique_ptr<TColumn> TTableColumn::Clone(TGridTable& table) const {
  auto c = TColumn::Clone(table);
  auto& t = static_cast<TTableColumn&>(*c);
  for (int i = 0; i < m_prototypes.Count(); ++i) t.m_prototypes.AddIndex(m_prototypes.ResolveIndex(i));
  return c;
}

std::string TTableColumn::buttonCaption(int row) const {
  checkRow(row);
  TObject* cell = m_cells[slot(row)].get();
  if (cell && !dynamic_cast<TGridTable*>(cell)) {
    std::string caption;
    TGridTable& owner = Table();
    if (owner.OnGetButtonCaption) owner.OnGetButtonCaption(owner, Index(), row, cell, caption);
    return caption;
  }
  const auto* t = static_cast<const TGridTable*>(cell);
  return std::to_string(row + 1) + ": " + (t ? t->Caption() : std::string());
}

void TTableColumn::pressButton(int row) {
  checkRow(row);
  TObject* cell = m_cells[slot(row)].get();
  TGridTable& owner = Table();
  if (auto* t = dynamic_cast<TGridTable*>(cell)) {
    if (owner.editor() && owner.editor()->isModal())
      t->ShowModal();
    else
      t->Show();
  } else if (owner.OnButtonClick) {
    owner.OnButtonClick(owner, Index(), row, cell);
  }
}

}  // namespace zrv::comp
