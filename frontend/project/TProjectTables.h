#pragma once
// The thirteen grid tables of a project (soil, piles, elements, loads,
// masses), made from the compiled-in column definitions, and the two
// prototypes of the nested tables of moment rows (a moment amplitude, a
// moment spectrum), which are no project data of their own. One set lives for
// the whole program run, outside any window; a new or read project resets
// it. Nested-table columns find their prototypes by Identifier among all
// live tables, so only one set may exist at a time.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/types.h"
#include "grid/TGridTable.h"

namespace zrv::front {

using comp::Extended;
using comp::TGridTable;

/// The plain contents of one table: cells per row (a choice as its number,
/// a nested-table cell as 0), and for a table with a nested-table column the
/// column-0 values of each row's nested table.
struct TTableImage {
  int unitSystem = 1;
  std::vector<std::vector<Extended>> cells;
  std::vector<std::vector<Extended>> nested;
  bool operator==(const TTableImage&) const = default;
};

class TProjectTables {
public:
  static constexpr int kCount = 13;

  /// Raises comp::Exception when the definitions cannot be read (a build fault).
  TProjectTables();
  ~TProjectTables();
  TProjectTables(const TProjectTables&) = delete;
  TProjectTables& operator=(const TProjectTables&) = delete;

  TGridTable& D() const { return *m_tables[0]; }
  TGridTable& D1() const { return *m_tables[1]; }
  TGridTable& pilecapsoil() const { return *m_tables[2]; }
  TGridTable& Multisoil() const { return *m_tables[3]; }
  TGridTable& MultiElement() const { return *m_tables[4]; }
  TGridTable& PileData() const { return *m_tables[5]; }
  TGridTable& Pilecoord() const { return *m_tables[6]; }
  TGridTable& TLoadtype() const { return *m_tables[7]; }
  TGridTable& Dtransient() const { return *m_tables[8]; }
  TGridTable& Trandom() const { return *m_tables[9]; }
  TGridTable& Tspectrum() const { return *m_tables[10]; }
  TGridTable& MassCal() const { return *m_tables[11]; }
  TGridTable& TBattered() const { return *m_tables[12]; }

  /// Table i in definition order (0 to 12).
  TGridTable& at(int i) const { return *m_tables.at(static_cast<std::size_t>(i)); }

  /// Every table: row count 0, then MinRows rows of default values.
  void resetRows();
  /// Every table switches to unit system 1 or 2 (float columns rescale).
  void setUnitSystem(int system);
  /// True when some table reports a change.
  bool changed() const;
  /// Clears every table's changed flag.
  void clearChanged();

private:
  // Declared first, so that they outlive the tables cloned from them.
  std::vector<std::unique_ptr<TGridTable>> m_prototypes;
  std::vector<std::unique_ptr<TGridTable>> m_tables;
};

/// The contents of `table`.
TTableImage captureTable(const TGridTable& table);
/// Replaces the contents of `table` by `image`: unit system, rows, cells and
/// nested rows. Raises comp::EAssignError for a choice outside the column's items.
void applyTable(TGridTable& table, const TTableImage& image);

/// Cell (row, column) of `table` as a real: a float value or a choice number.
Extended cellValue(const TGridTable& table, int column, int row);

}  // namespace zrv::front
