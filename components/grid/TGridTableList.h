#pragma once
// The prototype references of one nested-table column: entry i names the
// table whose clone becomes the nested table of a row of kind i + 1. An entry
// holds either a table's Identifier or its index in the global table list,
// and is resolved each time it is used.

#include <vector>

namespace zrv::comp {

class TGridTable;

class TGridTableList {
public:
  void AddIndex(int index) { m_entries.push_back({index, false}); }
  void AddIdentifier(int identifier) { m_entries.push_back({identifier, true}); }
  /// Adds `table` by its global list index.
  void AddTable(const TGridTable& table);
  /// Removes entry i; out-of-range indexes are ignored.
  void Delete(int i);
  int Count() const { return static_cast<int>(m_entries.size()); }
  /// Global list index of entry i's table, -1 when it names none (or i is out of range).
  int ResolveIndex(int i) const;
  /// Entry i's table, nullptr when it names none (or i is out of range).
  TGridTable* ResolveTable(int i) const;

private:
  struct TIntWrapper {
    int value;
    bool byIdentifier;
  };
  std::vector<TIntWrapper> m_entries;
};

}  // namespace zrv::comp
