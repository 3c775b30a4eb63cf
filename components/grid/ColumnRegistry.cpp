#include "grid/ColumnRegistry.h"

#include <algorithm>
#include <vector>

#include "grid/TEnumColumn.h"
#include "grid/TFloatColumn.h"
#include "grid/TIntColumn.h"
#include "grid/TStringColumn.h"
#include "grid/TTableColumn.h"

namespace zrv::comp {

namespace {

struct TColumnTypeStorage {
  const TColumnClass* cls;
  int id;
};

std::vector<TColumnTypeStorage>& registry() {
  static std::vector<TColumnTypeStorage> r{
      {&TEnumColumn::Class(), 0},  {&TIntColumn::Class(), 1},    {&TFloatColumn::Class(), 2},
      {&TTableColumn::Class(), 3}, {&TStringColumn::Class(), 4},
  };
  return r;
}

}  // namespace

void RegisterColumnType(const TColumnClass& cls, int id) { registry().push_back({&cls, id}); }

void UnregisterColumnType(const TColumnClass& cls) {
  auto& r = registry();
  r.erase(std::remove_if(r.begin(), r.end(), [&](const auto& e) { return e.cls == &cls; }), r.end());
}

int ColumnTypeId(const TColumnClass& cls) {
  for (const auto& e : registry())
    if (e.cls == &cls) return e.id;
  return -1;
}

const TColumnClass* ColumnTypeClass(int id) {
  for (const auto& e : registry())
    if (e.id == id) return e.cls;
  return nullptr;
}

}  // namespace zrv::comp
