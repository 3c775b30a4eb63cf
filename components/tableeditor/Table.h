#pragma once
// The window in which the user edits one grid table: a grid with a column of
// row labels and header rows made from the column headers, one grid column
// per visible table column, and below it the row buttons and the table's
// comment. Every cell the user leaves is written back into the table (an
// entry error keeps the cursor in the cell); the window rebuilds itself
// whenever the table's rows change. Choice columns are edited through
// in-cell combo boxes and nested-table columns through in-cell buttons.
//
// The table opens its editor through the launcher that InstallTableEditor
// installs: TGridTable::Show as a child window of the main window,
// TGridTable::ShowModal as a modal window.

#include <QWidget>
#include <functional>

#include "grid/TTableEditor.h"

class QCloseEvent;
class QComboBox;
class QLabel;
class QModelIndex;
class QPushButton;
class QResizeEvent;
class QShowEvent;
class QTableWidget;

namespace zrv::comp {

class TColumn;
class TGridTable;
class TTableForm;

/// Installs the grid's editor launcher, so that TGridTable::Show and
/// ShowModal open a TTableForm. The main window calls it at start.
void InstallTableEditor();

/// Runs an opened modal editor until it closes. The default shows it
/// application-modal and waits; tests install one that returns at once.
/// An empty run restores the default.
using TTableModalRun = std::function<void(TTableForm& form)>;
void setTableModalRun(TTableModalRun run);

/// What the launcher does: shows the table's open editor again, or creates
/// one and shows it as a child window (`modal` false) or runs it modally.
void openTableEditor(TGridTable& table, bool modal);

class TTableForm : public QWidget, public TTableEditor {
  Q_OBJECT
public:
  /// The editor of `table`, linked to it both ways; the table gets at least
  /// MinRows rows. It frees itself when closed.
  TTableForm(TGridTable& table, bool modal, QWidget* parent = nullptr);
  ~TTableForm() override;

  /// The table being edited, nullptr once the window closed.
  TGridTable* Table() const { return m_table; }
  QTableWidget* Grid() const;
  QPushButton* BtnAdd() const { return m_btnAdd; }
  QPushButton* BtnIns() const { return m_btnIns; }
  QPushButton* BtnDel() const { return m_btnDel; }
  QLabel* lblComments() const { return m_lblComments; }
  /// The text of the top-left fixed cell (the table's TopLeft).
  QString topLeftText() const;
  /// The combo box or button over data cell (row, visible column), nullptr
  /// for a column without in-cell controls.
  QComboBox* comboAt(int row, int column) const;
  QPushButton* buttonAt(int row, int column) const;
  int shownRows() const { return m_shownRows; }
  int shownColumns() const { return m_shownColumns; }

  /// Writes the current cell back into the table. False, after an
  /// information box with the entry error, when the table refused it; true
  /// when it was taken or the current cell is no data cell.
  bool CommitCell();
  /// Writes the current cell back like CommitCell, but shows nothing: false
  /// when the table refused the entry, which then stays as typed.
  bool TryCommitCell();

  // What the table tells its editor.
  void cellChanged(int column, int row) override;
  void rowsChanged() override;
  void rowNumberChanged() override;
  bool isModal() const override { return m_modal; }
  void closeEditor() override;

  QSize sizeHint() const override;

signals:
  /// The window closed and let go of its table.
  void closed();

protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  class GridView;
  class CellDelegate;
  class GridSelection;

  void BtnAddClick();
  void BtnInsClick();
  void BtnDelClick();
  void GridKeyEnter();
  void focusChanged(QWidget* old, QWidget* now);

  /// Rebuilds the grid from the table (also on every rows-changed notice).
  void rebuild();
  /// Sizes the window to the shown rows and columns, then places its parts.
  void layoutForm();
  void placeParts();
  /// After the user sized the window: whole rows and columns, and the
  /// window sized to them.
  void snapToWholeCells(const QSize& old);
  /// The window that is sized: the child-window frame or this form.
  QWidget* frame();
  /// Rewrites every data cell of the columns without in-cell controls.
  void refreshCells();
  void refreshCell(int visibleColumn, int row);
  void setCellText(int row, int column, const QString& text);
  void makeControls(int visibleColumn);
  void syncControl(int visibleColumn, int row);
  /// The typed text of a cell: the open editor's, else the cell's.
  QString cellText(int row, int column) const;
  bool commitCell(int row, int column);
  /// Stores the typed text of a data cell into the table; the column's
  /// refusal passes through. False when there was nothing to store.
  bool storeCell(int row, int column);
  /// The grid asks to move from `from` to `to`; false refuses the move.
  bool cellLeaving(const QModelIndex& from, const QModelIndex& to);
  void cellEntered(const QModelIndex& current);
  void selectControlCell(int row, int column);
  void refocusGrid();
  /// Tells a refused entry once no menu is open and no other window is
  /// modal (and only if it is still refused then).
  void tellRefusalLater();
  void tellRefusal();
  /// Opens the cell editor on the current cell (or focuses the open one).
  void editCurrent();
  /// Runs `body`; an entry error is shown as information, any other error
  /// through the application's error box. False when `body` raised.
  bool guarded(const std::function<void()>& body);
  void showEntryError(const char* message);
  void detach();
  int margin() const;

  TGridTable* m_table;
  bool m_modal;
  GridView* m_grid = nullptr;
  CellDelegate* m_delegate = nullptr;
  QLabel* m_topLeft = nullptr;
  QPushButton* m_btnAdd = nullptr;
  QPushButton* m_btnIns = nullptr;
  QPushButton* m_btnDel = nullptr;
  QLabel* m_lblComments = nullptr;
  int m_headerRows = 0;
  int m_shownRows = 0;
  int m_shownColumns = 0;
  bool m_updating = false;        // the grid is being rebuilt: moves commit nothing
  bool m_suspendRebuild = false;  // Add Row runs
  bool m_inMessage = false;       // an entry error is being shown
  bool m_refusalPending = false;  // a refused entry waits to be told
  bool m_layingOut = false;
  bool m_snapPending = false;     // the window is sized to its snapped grid soon
  QRect m_settledFrame;           // the window's geometry after the last sizing
  QMetaObject::Connection m_focusConnection;
};

}  // namespace zrv::comp
