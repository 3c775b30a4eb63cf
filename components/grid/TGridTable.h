#pragma once
// A table of rows with typed columns (soil layers, pile coordinates, load
// amplitudes...). Every column holds exactly RowCount cells. Rows are added,
// inserted and deleted in groups of RowGroup rows. Float columns rescale when
// the table's unit system changes; a nested-table column gives each row a
// table cloned from a prototype table named by Identifier.
//
// The column definitions are stored as the "Col" value run (ReadColumns,
// WriteColumns) in its binary or text form. The editor window is not part of
// this library: a table only talks to it through TTableEditor.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/types.h"
#include "grid/ColStream.h"
#include "grid/TColumn.h"
#include "grid/TData.h"
#include "grid/TObject.h"
#include "grid/TTableEditor.h"

namespace zrv::comp {

class TEnumColumn;
class TTableColumn;

class TGridTable : public TObject {
public:
  // Events. ACol is the column's index, ARow the 0-based row; the object
  // events serve nested-table columns whose cells hold objects other than tables.
  using TNotifyEvent = std::function<void(TGridTable& sender)>;
  using TButtonClickEvent = std::function<void(TGridTable& sender, int col, int row, TObject* data)>;
  using TGetButtonCaptionEvent =
      std::function<void(TGridTable& sender, int col, int row, TObject* data, std::string& caption)>;
  using TGetChangedEvent = std::function<void(TGridTable& sender, int col, int row, TObject* data, bool& changed)>;
  using THideEvent = std::function<void(TGridTable& sender, int col, int row, TObject* data)>;
  using TInitRowEvent =
      std::function<void(TGridTable& sender, int col, int row, int kind, std::unique_ptr<TObject>& data)>;
  using TResetChangedEvent = std::function<void(TGridTable& sender, int col, int row, TObject* data)>;
  using TSetRowEvent = std::function<void(TGridTable& sender, int col, TObject* data, int row)>;
  using TSetUnitsEvent = std::function<void(TGridTable& sender, int col, int row, TObject* data, int system)>;
  using TNewTableEvent = std::function<void(TGridTable& sender, int col, int row, TGridTable& nested)>;

  /// A new table: the next global Identifier, unit system of `owner` (1
  /// without one), MinRows 1, MaxRows 0, RowGroup 1, no columns, no rows.
  explicit TGridTable(TGridTable* owner = nullptr);
  /// A clone of `prototype` owned by `owner` as the nested table of its row
  /// `rowNumber` (1-based): texts, row limits and column definitions copied,
  /// then MinRows rows.
  TGridTable(TGridTable* owner, int rowNumber, const TGridTable& prototype);
  ~TGridTable() override;
  TGridTable(const TGridTable&) = delete;
  TGridTable& operator=(const TGridTable&) = delete;

  // Published properties.
  const std::string& Name() const { return m_name; }
  void SetName(std::string v) { m_name = std::move(v); }
  const std::string& Comments() const { return m_comments; }
  void SetComments(std::string v) { m_comments = std::move(v); }
  int Identifier() const { return m_identifier; }
  /// Negative values are ignored; a table that already has `v` gets this table's identifier.
  void SetIdentifier(int v);
  const std::string& Caption() const { return m_caption; }
  void SetCaption(std::string v) { m_caption = std::move(v); }
  /// Row limit of the editor's Add and Insert buttons; 0 means none.
  int MaxRows() const { return m_maxRows; }
  void SetMaxRows(int v) { m_maxRows = v; }
  int MinRows() const { return m_minRows; }
  /// v <= 0 raises Exception "Value must be greater than 0"; while reading
  /// definitions 1 is stored instead.
  void SetMinRows(int v);
  bool HardwiredButton() const { return m_hardwiredButton; }
  void SetHardwiredButton(bool v) { m_hardwiredButton = v; }
  int RowGroup() const { return m_rowGroup; }
  /// Stores max(1, v).
  void SetRowGroup(int v) { m_rowGroup = v < 1 ? 1 : v; }
  const std::string& TopLeft() const { return m_topLeft; }
  void SetTopLeft(std::string v) { m_topLeft = std::move(v); }

  TNotifyEvent OnResize;
  TButtonClickEvent OnButtonClick;
  TGetButtonCaptionEvent OnGetButtonCaption;
  TGetChangedEvent OnGetChanged;
  THideEvent OnHide;
  TInitRowEvent OnInitRow;
  TResetChangedEvent OnResetChanged;
  TSetRowEvent OnSetRow;
  TSetUnitsEvent OnSetUnits;
  /// A nested-table column made `nested` for `row` (a new row, or a row whose
  /// kind changed); the handler may size or fill it.
  TNewTableEvent OnNewTable;

  // Rows.
  int RowCount() const { return m_rowCount; }
  /// n < 0 is taken as 0; rows are deleted from the end while there are more
  /// than n and row groups are added while there are fewer, so the count can
  /// overshoot n when RowGroup > 1.
  void SetRowCount(int n);
  /// Adds one row group at the end.
  void addRowGroup();
  /// Inserts one row group before the group that holds `row` (0 <= row <= RowCount).
  void insertRowGroup(int row);
  /// Deletes the row group that holds `row` (0 <= row < RowCount).
  void deleteRowGroup(int row);

  // Columns.
  int ColumnCount() const { return static_cast<int>(m_columns.size()); }
  /// Raises EListError for an index out of range.
  TColumn& Column(int index) const;
  int IndexOfColumn(const TColumn& column) const;
  /// Takes the column, gives it RowCount cells and links it to the table.
  TColumn& AddColumn(std::unique_ptr<TColumn> column);
  int visibleColumnCount() const;
  /// Raises EListError "Index out of bounds" for an index out of range.
  TColumn& visibleColumn(int i) const;
  /// Index among the visible columns, -1 for a hidden or foreign column.
  int visibleIndexOf(const TColumn& column) const;

  /// The handle of cell (column, row).
  std::shared_ptr<TData> GetData(int column, int row) const;

  // State.
  int UnitSystem() const { return m_unitSystem; }
  /// Rescales every float column (and nested table) from the current system
  /// to `s`; nothing when `s` is the current system.
  void SetUnitSystem(int s);
  /// True when the changed flag is set or a column reports a change.
  bool GetChanged() const;
  /// True sets the flag; False clears it and every column's changed state.
  void SetChanged(bool b);
  /// 0 for a top-level table, else the 1-based row of the parent row.
  int RowNumber() const { return m_rowNumber; }
  void SetRowNumber(int n);
  /// The table that owns this nested table, nullptr for a top-level one.
  TGridTable* Owner() const { return m_owner; }
  /// True when this table or one of its owners is `prototype` or a clone of
  /// it: cloning `prototype` here again would never end.
  bool isMadeFrom(const TGridTable& prototype) const;

  // The stored column definitions ("Col").
  /// Reads the column count and the column records and appends the columns.
  /// Raises Exception "Error reading column count", "Error Column Class not
  /// defined" or "Error occured when creating column <i>: <reason>".
  void ReadColumns(TColReader& reader);
  /// Writes the column count and every column record in the current form.
  void WriteColumns(TColWriter& writer) const;
  /// Set while definitions are read: MinRows then accepts 0 (stored as 1).
  void setReading(bool reading) { m_reading = reading; }
  bool reading() const { return m_reading; }

  // Editor.
  TTableEditor* editor() const { return m_editor; }
  /// Called by the editor when it opens and (with nullptr) when it closes.
  void setEditor(TTableEditor* editor) { m_editor = editor; }
  /// Opens the editor non-modally (nothing without visible columns).
  void Show();
  void ShowModal();
  /// When the editor is open: closes it and the editors of its nested
  /// tables, and opens a new one.
  void Refresh();

  // Called by the columns.
  /// A cell was written: the first nested-table column re-creates the row's
  /// object when column 0 (an enumeration) changed; then the editor redraws.
  void cellChanged(TColumn& column, int row);
  /// The item list of an enumeration column changed.
  void itemsChanged(TEnumColumn& column);
  /// Brings every nested-table column to one prototype entry per item of the
  /// first column (one entry when it is not an enumeration column).
  void normalisePrototypes();
  /// The first nested-table column, nullptr when there is none.
  TTableColumn* firstTableColumn() const;

private:
  void insertRowsAt(int index, int count);
  void deleteRowAt(int index);
  void notifyRowsChanged();

  std::string m_name;
  std::string m_comments;
  int m_identifier;
  std::string m_caption;
  int m_maxRows = 0;
  int m_minRows = 1;
  bool m_hardwiredButton = false;
  int m_rowGroup = 1;
  std::string m_topLeft;

  TGridTable* m_owner;
  const TGridTable* m_source = nullptr;  // prototype of a clone while it lives; compared, never used
  int m_rowCount = 0;
  int m_unitSystem = 1;
  bool m_changed = false;
  int m_rowNumber = 0;
  bool m_reading = false;
  std::vector<std::unique_ptr<TColumn>> m_columns;
  TTableEditor* m_editor = nullptr;
};

}  // namespace zrv::comp
