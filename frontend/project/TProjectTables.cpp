#include "project/TProjectTables.h"

#include "base/exceptions.h"
#include "grid/TEnumColumn.h"
#include "grid/TTableColumn.h"
#include "grid/TableDefinitions.h"

namespace zrv::front {

extern const char* const kProjectTableDefinitions;

namespace {

constexpr std::array<const char*, TProjectTables::kCount> kNames = {
    "D",         "D1",        "pilecapsoil", "Multisoil", "MultiElement", "PileData", "Pilecoord",
    "TLoadtype", "Dtransient", "Trandom",    "Tspectrum", "MassCal",      "TBattered"};
// The prototypes of the nested tables of moment rows, after the thirteen.
constexpr std::array<const char*, 2> kMomentPrototypes = {"DtransientMoment", "TspectrumMoment"};

}  // namespace

TProjectTables::TProjectTables() {
  m_tables = comp::readTableDefinitions(kProjectTableDefinitions);
  if (m_tables.size() != kNames.size() + kMomentPrototypes.size())
    throw comp::Exception("Project table definitions are incomplete");
  for (std::size_t i = 0; i < m_tables.size(); ++i) {
    const char* name = i < kNames.size() ? kNames[i] : kMomentPrototypes[i - kNames.size()];
    if (m_tables[i]->Name() != name)
      throw comp::Exception(std::string("Project table definitions: expected table ") + name);
  }
  for (std::size_t i = kNames.size(); i < m_tables.size(); ++i) m_prototypes.push_back(std::move(m_tables[i]));
  m_tables.resize(kNames.size());
  resetRows();
}

TProjectTables::~TProjectTables() {
  // Tables with nested rows go first, while their prototypes still exist.
  for (auto& t : m_tables) t->SetRowCount(0);
}

void TProjectTables::resetRows() {
  for (auto& t : m_tables) {
    t->SetRowCount(0);
    t->SetRowCount(t->MinRows());
  }
}

void TProjectTables::setUnitSystem(int system) {
  for (auto& t : m_tables) t->SetUnitSystem(system);
  for (auto& t : m_prototypes) t->SetUnitSystem(system);
}

bool TProjectTables::changed() const {
  for (const auto& t : m_tables)
    if (t->GetChanged()) return true;
  return false;
}

void TProjectTables::clearChanged() {
  for (auto& t : m_tables) t->SetChanged(false);
}

Extended cellValue(const TGridTable& table, int column, int row) {
  const comp::TColumn& c = table.Column(column);
  if (dynamic_cast<const comp::TEnumColumn*>(&c)) return c.GetInteger(row);
  if (dynamic_cast<const comp::TTableColumn*>(&c)) return 0;
  return c.GetFloat(row);
}

TTableImage captureTable(const TGridTable& table) {
  TTableImage image;
  image.unitSystem = table.UnitSystem();
  const comp::TTableColumn* nestedColumn = table.firstTableColumn();
  for (int r = 0; r < table.RowCount(); ++r) {
    std::vector<Extended> row;
    for (int c = 0; c < table.ColumnCount(); ++c) row.push_back(cellValue(table, c, r));
    image.cells.push_back(std::move(row));
    if (nestedColumn) {
      std::vector<Extended> values;
      if (nestedColumn->GetObject(r)) {
        const TGridTable& nested = nestedColumn->GetTable(r);
        for (int i = 0; i < nested.RowCount(); ++i) values.push_back(cellValue(nested, 0, i));
      }
      image.nested.push_back(std::move(values));
    }
  }
  return image;
}

void applyTable(TGridTable& table, const TTableImage& image) {
  table.SetRowCount(0);
  table.SetUnitSystem(image.unitSystem);
  table.SetRowCount(static_cast<int>(image.cells.size()));
  for (int r = 0; r < static_cast<int>(image.cells.size()); ++r) {
    const auto& row = image.cells[static_cast<std::size_t>(r)];
    for (int c = 0; c < table.ColumnCount() && c < static_cast<int>(row.size()); ++c) {
      comp::TColumn& column = table.Column(c);
      if (dynamic_cast<comp::TEnumColumn*>(&column))
        column.SetInteger(r, static_cast<int>(row[static_cast<std::size_t>(c)]));
      else if (!dynamic_cast<comp::TTableColumn*>(&column))
        column.SetFloat(r, row[static_cast<std::size_t>(c)]);
    }
  }
  comp::TTableColumn* nestedColumn = table.firstTableColumn();
  if (!nestedColumn) return;
  for (int r = 0; r < static_cast<int>(image.nested.size()) && r < table.RowCount(); ++r) {
    if (!nestedColumn->GetObject(r)) continue;
    TGridTable& nested = nestedColumn->GetTable(r);
    const auto& values = image.nested[static_cast<std::size_t>(r)];
    nested.SetRowCount(static_cast<int>(values.size()));
    for (int i = 0; i < static_cast<int>(values.size()); ++i)
      nested.Column(0).SetFloat(i, values[static_cast<std::size_t>(i)]);
  }
}

}  // namespace zrv::front
