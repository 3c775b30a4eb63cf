#pragma once
// Root of the objects that a nested-table cell can own: a nested grid table,
// or an object that the table's owner supplies through OnInitRow.

namespace zrv::comp {

class TObject {
public:
  virtual ~TObject() = default;
};

}  // namespace zrv::comp
