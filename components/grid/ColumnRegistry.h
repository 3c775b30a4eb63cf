#pragma once
// The column-type registry: which column class a stream type id in a "Col"
// record stands for. Made on first use with the five column types:
// TEnumColumn 0, TIntColumn 1, TFloatColumn 2, TTableColumn 3, TStringColumn 4.

#include "grid/TColumn.h"

namespace zrv::comp {

/// Appends an entry (class, stream type id).
void RegisterColumnType(const TColumnClass& cls, int id);
/// Removes every entry of `cls`.
void UnregisterColumnType(const TColumnClass& cls);
/// Stream type id of `cls`, -1 when it is not registered.
int ColumnTypeId(const TColumnClass& cls);
/// Class registered under `id`, nullptr when none is.
const TColumnClass* ColumnTypeClass(int id);

}  // namespace zrv::comp
