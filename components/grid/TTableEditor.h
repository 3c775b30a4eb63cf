#pragma once
// What a grid table needs of the window that edits it. The window itself
// (grid, row buttons, in-cell combo boxes and buttons) lives with the user
// interface; the table only calls back through this interface.

#include <functional>

namespace zrv::comp {

class TGridTable;

class TTableEditor {
public:
  virtual ~TTableEditor() = default;
  /// One cell's value changed: redraw that cell (column index, 0-based row).
  virtual void cellChanged(int column, int row) = 0;
  /// Rows were added, inserted or deleted, or the unit system changed: rebuild.
  virtual void rowsChanged() = 0;
  /// The row number of a nested table changed: retitle.
  virtual void rowNumberChanged() = 0;
  /// True when the editor was opened modally.
  virtual bool isModal() const = 0;
  /// Closes and frees the editor; it detaches itself from the table first.
  virtual void closeEditor() = 0;
};

/// Opens the editor of a table (modal or not); installed by the user interface.
/// Without one, TGridTable::Show and ShowModal do nothing.
using TEditorLauncher = std::function<void(TGridTable& table, bool modal)>;
void setEditorLauncher(TEditorLauncher launcher);
const TEditorLauncher& editorLauncher();

}  // namespace zrv::comp
