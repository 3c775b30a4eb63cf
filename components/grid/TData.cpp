#include "grid/TData.h"

#include "base/exceptions.h"
#include "grid/TColumn.h"

namespace zrv::comp {

int TData::Row() const { return m_column ? m_column->IndexOfData(*this) : -1; }

TColumn& TData::column() const {
  if (!m_column) throw EListError(list_index_message(-1));
  return *m_column;
}

TGridTable& TData::GetTable() const { return column().GetTable(Row()); }
Extended TData::GetFloat() const { return column().GetFloat(Row()); }
int TData::GetInteger() const { return column().GetInteger(Row()); }
std::string TData::GetText() const { return column().GetText(Row()); }
void TData::SetFloat(Extended value) { column().SetFloat(Row(), value); }
void TData::SetInteger(int value) { column().SetInteger(Row(), value); }

}  // namespace zrv::comp
