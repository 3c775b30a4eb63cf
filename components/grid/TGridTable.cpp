#include "grid/TGridTable.h"

#include <algorithm>

#include "base/exceptions.h"
#include "grid/ColumnRegistry.h"
#include "grid/GlobalTableList.h"
#include "grid/TEnumColumn.h"
#include "grid/TTableColumn.h"

namespace zrv::comp {

namespace {

std::vector<TGridTable*>& tables() {
  static std::vector<TGridTable*> list;
  return list;
}

int g_nextIdentifier = 0;

TEditorLauncher& launcher() {
  static TEditorLauncher l;
  return l;
}

}  // namespace

int GlobalTableCount() { return static_cast<int>(tables().size()); }

TGridTable* GlobalTableAt(int index) {
  if (index < 0 || index >= GlobalTableCount()) return nullptr;
  return tables()[static_cast<std::size_t>(index)];
}

int GlobalTableIndexOf(const TGridTable* table) {
  const auto& l = tables();
  const auto it = std::find(l.begin(), l.end(), table);
  return it == l.end() ? -1 : static_cast<int>(it - l.begin());
}

int GlobalTableIndexOfIdentifier(int identifier) {
  if (identifier < 0) return -1;
  const auto& l = tables();
  for (std::size_t i = 0; i < l.size(); ++i)
    if (l[i]->Identifier() == identifier) return static_cast<int>(i);
  return -1;
}

void setEditorLauncher(TEditorLauncher l) { launcher() = std::move(l); }
const TEditorLauncher& editorLauncher() { return launcher(); }

// ---------------------------------------------------------------------------

TGridTable::TGridTable(TGridTable* owner)
    : m_identifier(g_nextIdentifier++), m_owner(owner), m_unitSystem(owner ? owner->m_unitSystem : 1) {
  tables().push_back(this);
}

TGridTable::TGridTable(TGridTable* owner, int rowNumber, const TGridTable& prototype) : TGridTable(owner) {
  m_source = &prototype;
  m_caption = prototype.m_caption;
  m_comments = prototype.m_comments;
  m_topLeft = prototype.m_topLeft;
  m_minRows = prototype.m_minRows;
  m_maxRows = prototype.m_maxRows;
  for (const auto& c : prototype.m_columns) AddColumn(c->Clone(*this));
  m_rowNumber = rowNumber;
  SetRowCount(m_minRows);
}

TGridTable::~TGridTable() {
  if (m_editor) m_editor->closeEditor();
  m_editor = nullptr;
  while (m_rowCount > 0) deleteRowAt(m_rowCount - 1);
  m_columns.clear();
  auto& l = tables();
  l.erase(std::remove(l.begin(), l.end(), this), l.end());
  // Clones forget a prototype that is gone, so that a table made later at
  // the same address is not taken for it.
  for (TGridTable* t : l)
    if (t->m_source == this) t->m_source = nullptr;
}

void TGridTable::SetIdentifier(int v) {
  if (v < 0) return;
  for (TGridTable* t : tables())
    if (t != this && t->m_identifier == v) t->m_identifier = m_identifier;
  m_identifier = v;
}

void TGridTable::SetMinRows(int v) {
  if (v <= 0) {
    if (!m_reading) throw Exception("Value must be greater than 0");
    v = 1;
  }
  m_minRows = v;
}

bool TGridTable::isMadeFrom(const TGridTable& prototype) const {
  for (const TGridTable* t = this; t; t = t->m_owner)
    if (t == &prototype || t->m_source == &prototype) return true;
  return false;
}

// --- rows -------------------------------------------------------------------

void TGridTable::insertRowsAt(int index, int count) {
  std::size_t done = 0;
  try {
    for (; done < m_columns.size(); ++done) m_columns[done]->InsertRows(index, count);
  } catch (...) {
    // Every column keeps exactly RowCount cells: undo the columns that took the rows.
    for (std::size_t c = 0; c < done; ++c)
      for (int i = 0; i < count; ++i) m_columns[c]->DeleteRow(index);
    throw;
  }
  m_rowCount += count;
}

void TGridTable::deleteRowAt(int index) {
  for (auto& c : m_columns) c->DeleteRow(index);
  --m_rowCount;
}

void TGridTable::notifyRowsChanged() {
  if (m_editor) m_editor->rowsChanged();
}

void TGridTable::SetRowCount(int n) {
  if (n < 0) n = 0;
  const int before = m_rowCount;
  while (m_rowCount > n) deleteRowAt(m_rowCount - 1);
  while (m_rowCount < n) insertRowsAt(m_rowCount, m_rowGroup);
  if (m_rowCount != before) notifyRowsChanged();
}

void TGridTable::addRowGroup() {
  insertRowsAt(m_rowCount, m_rowGroup);
  notifyRowsChanged();
}

void TGridTable::insertRowGroup(int row) {
  if (row < 0 || row > m_rowCount) throw EListError(list_index_message(row));
  insertRowsAt(row / m_rowGroup * m_rowGroup, m_rowGroup);
  notifyRowsChanged();
}

void TGridTable::deleteRowGroup(int row) {
  if (row < 0 || row >= m_rowCount) throw EListError(list_index_message(row));
  const int first = row / m_rowGroup * m_rowGroup;
  const int n = std::min(m_rowGroup, m_rowCount - first);
  for (int i = 0; i < n; ++i) deleteRowAt(first);
  notifyRowsChanged();
}

// --- columns ----------------------------------------------------------------

TColumn& TGridTable::Column(int index) const {
  if (index < 0 || index >= ColumnCount()) throw EListError(list_index_message(index));
  return *m_columns[static_cast<std::size_t>(index)];
}

int TGridTable::IndexOfColumn(const TColumn& column) const {
  for (std::size_t i = 0; i < m_columns.size(); ++i)
    if (m_columns[i].get() == &column) return static_cast<int>(i);
  return -1;
}

TColumn& TGridTable::AddColumn(std::unique_ptr<TColumn> column) {
  if (&column->Table() != this) throw Exception("Column was made for another table");
  TColumn& c = *column;
  c.m_attached = true;
  m_columns.push_back(std::move(column));
  try {
    c.InsertRows(c.RowCount(), m_rowCount - c.RowCount());
  } catch (...) {
    m_columns.pop_back();
    throw;
  }
  return c;
}

int TGridTable::visibleColumnCount() const {
  return static_cast<int>(std::count_if(m_columns.begin(), m_columns.end(), [](const auto& c) { return c->Visible(); }));
}

TColumn& TGridTable::visibleColumn(int i) const {
  int k = 0;
  for (const auto& c : m_columns)
    if (c->Visible() && k++ == i) return *c;
  throw EListError("Index out of bounds");
}

int TGridTable::visibleIndexOf(const TColumn& column) const {
  int k = 0;
  for (const auto& c : m_columns) {
    if (c.get() == &column) return c->Visible() ? k : -1;
    if (c->Visible()) ++k;
  }
  return -1;
}

std::shared_ptr<TData> TGridTable::GetData(int column, int row) const { return Column(column).GetData(row); }

// --- state ------------------------------------------------------------------

void TGridTable::SetUnitSystem(int s) {
  if (s == m_unitSystem) return;
  for (auto& c : m_columns) c->SetUnitSystem(s);
  m_unitSystem = s;
  notifyRowsChanged();
}

bool TGridTable::GetChanged() const {
  return m_changed || std::any_of(m_columns.begin(), m_columns.end(), [](const auto& c) { return c->GetChanged(); });
}

void TGridTable::SetChanged(bool b) {
  if (b) {
    m_changed = true;
    return;
  }
  m_changed = false;
  for (auto& c : m_columns) c->ResetChanged();
}

void TGridTable::SetRowNumber(int n) {
  m_rowNumber = n;
  if (m_editor) m_editor->rowNumberChanged();
}

// --- column callbacks -------------------------------------------------------

TTableColumn* TGridTable::firstTableColumn() const {
  for (const auto& c : m_columns)
    if (auto* t = dynamic_cast<TTableColumn*>(c.get())) return t;
  return nullptr;
}

void TGridTable::cellChanged(TColumn& column, int row) {
  const int index = IndexOfColumn(column);
  if (index == 0 && dynamic_cast<TEnumColumn*>(&column)) {
    // The first column chooses the prototype of the row's nested table.
    if (TTableColumn* t = firstTableColumn(); t && row < t->RowCount()) t->createCell(row);
  }
  if (m_editor) m_editor->cellChanged(index, row);
}

void TGridTable::itemsChanged(TEnumColumn& column) {
  if (IndexOfColumn(column) == 0) normalisePrototypes();
}

void TGridTable::normalisePrototypes() {
  const auto* first = m_columns.empty() ? nullptr : dynamic_cast<const TEnumColumn*>(m_columns[0].get());
  const int n = first ? static_cast<int>(first->Items().size()) : 1;
  for (auto& c : m_columns) {
    auto* t = dynamic_cast<TTableColumn*>(c.get());
    if (!t) continue;
    TGridTableList& p = t->Prototypes();
    while (p.Count() < n) p.AddIdentifier(-1);
    while (p.Count() > n) p.Delete(p.Count() - 1);
  }
}

// --- stored column definitions ----------------------------------------------

void TGridTable::ReadColumns(TColReader& reader) {
  int n = 0;
  try {
    n = reader.readInteger();
  } catch (const Exception&) {
    throw Exception("Error reading column count");
  }
  for (int i = 0; i < n; ++i) {
    const auto wrapped = [i](const Exception& e) {
      return Exception("Error occured when creating column " + std::to_string(i) + ": " + e.what());
    };
    int id = 0;
    try {
      id = reader.readInteger();
    } catch (const Exception& e) {
      throw wrapped(e);
    }
    const TColumnClass* cls = ColumnTypeClass(id);
    if (!cls) throw Exception("Error Column Class not defined");
    std::unique_ptr<TColumn> column;
    try {
      column = cls->createFromReader(*this, reader);
    } catch (const Exception& e) {
      throw wrapped(e);
    }
    AddColumn(std::move(column));
    normalisePrototypes();
  }
  notifyRowsChanged();
}

void TGridTable::WriteColumns(TColWriter& writer) const {
  writer.writeInteger(ColumnCount());
  for (const auto& c : m_columns) {
    const int id = ColumnTypeId(c->ClassType());
    if (id < 0) throw Exception("Error Column Class not defined");
    writer.beginRecord();
    writer.writeInteger(id);
    c->WriteData(writer);
  }
}

// --- editor -----------------------------------------------------------------

void TGridTable::Show() {
  if (visibleColumnCount() > 0 && launcher()) launcher()(*this, false);
}

void TGridTable::ShowModal() {
  if (visibleColumnCount() > 0 && launcher()) launcher()(*this, true);
}

void TGridTable::Refresh() {
  if (!m_editor) return;
  // The editors of nested tables go with this one.
  for (auto& c : m_columns) c->Hide();
  m_editor->closeEditor();
  m_editor = nullptr;
  Show();
}

}  // namespace zrv::comp
