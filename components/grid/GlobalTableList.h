#pragma once
// Every grid table alive, in creation order: tables add themselves when
// created and leave when destroyed. Nested-table columns find their
// prototype tables here by Identifier or by list index.

namespace zrv::comp {

class TGridTable;

int GlobalTableCount();
/// The table at list `index`, nullptr when the index is negative or too large.
TGridTable* GlobalTableAt(int index);
/// List index of `table`, -1 when it is not in the list.
int GlobalTableIndexOf(const TGridTable* table);
/// List index of the table with `identifier`, -1 when none or when it is negative.
int GlobalTableIndexOfIdentifier(int identifier);

}  // namespace zrv::comp
