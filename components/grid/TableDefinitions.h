#pragma once
// Table definitions as one readable text: the published properties and the
// stored column definitions of a set of grid tables, such as the thirteen
// tables of the main window (tables.coldefs beside this file).
//
//   # comment
//   table Dtransient
//     Identifier = 8
//     Caption = "Load Amplitude"
//     TopLeft = "Point No."
//     Col = {
//       1
//       2 ("Load Amplitude") True False False "FLOATCOLUMN2" "F" 0
//     }
//   end
//
// Properties: Comments, Identifier, Caption, MaxRows, MinRows,
// HardwiredButton, RowGroup, TopLeft (values as in ColText.h) and Col, the
// text form of the "Col" value run between braces. Properties are applied in
// the order written; an omitted property keeps its default.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "grid/TGridTable.h"

namespace zrv::comp {

/// The tables of a definitions text, in order, each with no rows. Raises
/// EReadError "Table <name>: <reason>" (or "Line <n>: <what> expected"
/// outside a table) for a text it cannot read.
std::vector<std::unique_ptr<TGridTable>> readTableDefinitions(std::string_view text);

/// The definitions text of `tables`: Identifier and Col always, the other
/// properties where they differ from their defaults.
std::string writeTableDefinitions(const std::vector<const TGridTable*>& tables);

}  // namespace zrv::comp
