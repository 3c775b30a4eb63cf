#include "grid/TGridTableList.h"

#include "grid/GlobalTableList.h"

namespace zrv::comp {

void TGridTableList::AddTable(const TGridTable& table) { AddIndex(GlobalTableIndexOf(&table)); }

void TGridTableList::Delete(int i) {
  if (i >= 0 && i < Count()) m_entries.erase(m_entries.begin() + i);
}

int TGridTableList::ResolveIndex(int i) const {
  if (i < 0 || i >= Count()) return -1;
  const TIntWrapper& e = m_entries[static_cast<std::size_t>(i)];
  const int index = e.byIdentifier ? GlobalTableIndexOfIdentifier(e.value) : e.value;
  return GlobalTableAt(index) ? index : -1;
}

TGridTable* TGridTableList::ResolveTable(int i) const { return GlobalTableAt(ResolveIndex(i)); }

}  // namespace zrv::comp
