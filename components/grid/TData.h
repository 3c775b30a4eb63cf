#pragma once
// The handle of one table cell. It holds only its column; its row is looked
// up each time, so a handle follows its cell while rows are inserted or
// deleted before it. A handle whose cell was deleted is detached: every
// operation on it raises EListError "List index out of bounds (-1)".

#include <string>

#include "base/types.h"

namespace zrv::comp {

class TColumn;
class TGridTable;

class TData {
public:
  explicit TData(TColumn* column) : m_column(column) {}
  TData(const TData&) = delete;
  TData& operator=(const TData&) = delete;

  /// The column, or nullptr once the cell was deleted.
  TColumn* Column() const { return m_column; }
  /// The cell's current 0-based row, -1 once the cell was deleted.
  int Row() const;

  TGridTable& GetTable() const;
  Extended GetFloat() const;
  int GetInteger() const;
  std::string GetText() const;
  void SetFloat(Extended value);
  void SetInteger(int value);

private:
  friend class TColumn;
  TColumn& column() const;
  TColumn* m_column;
};

}  // namespace zrv::comp
