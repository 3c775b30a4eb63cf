#include "tableeditor/Table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>

#include "base/exceptions.h"
#include "grid/TColumn.h"
#include "grid/TEnumColumn.h"
#include "grid/TGridTable.h"
#include "grid/TTableColumn.h"
#include "tableeditor/TableLayout.h"
#include "ui/UiHooks.h"

namespace zrv::comp {

namespace {

constexpr const char* kRowProperty = "zrvRow";
constexpr const char* kColumnProperty = "zrvColumn";

QString qs(const std::string& s) { return QString::fromStdString(s); }

// Column widths measured in the grid's font.
class QtTextMetrics : public TTextMetrics {
public:
  explicit QtTextMetrics(const QWidget& w) : m_metrics(w.font()), m_ppi(w.logicalDpiX()) {}
  int textWidth(std::string_view text) const override {
    return m_metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
  int pixelsPerInch() const override { return m_ppi; }

private:
  QFontMetrics m_metrics;
  int m_ppi;
};

void defaultModalRun(TTableForm& form) {
  QPointer<TTableForm> f(&form);
  QEventLoop loop;
  QObject::connect(&form, &TTableForm::closed, &loop, &QEventLoop::quit);
  form.setWindowModality(Qt::ApplicationModal);
  form.show();
  if (f && f->Table()) loop.exec(QEventLoop::DialogExec);
}

TTableModalRun& modalRun() {
  static TTableModalRun run;
  return run;
}

// Sets a flag for the life of a scope.
class FlagScope {
public:
  explicit FlagScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
  ~FlagScope() { m_flag = m_old; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

private:
  bool& m_flag;
  bool m_old;
};

}  // namespace

void setTableModalRun(TTableModalRun run) { modalRun() = std::move(run); }

void openTableEditor(TGridTable& table, bool modal) {
  if (auto* open = dynamic_cast<TTableForm*>(table.editor())) {
    open->show();
    open->raise();
    open->activateWindow();
    return;
  }
  auto* form = new TTableForm(table, modal);
  if (!modal) {
    ShowAsChild(form);
  } else if (modalRun()) {
    modalRun()(*form);
  } else {
    defaultModalRun(*form);
  }
}

void InstallTableEditor() {
  setEditorLauncher([](TGridTable& table, bool modal) { openTableEditor(table, modal); });
}

// ---------------------------------------------------------------------------

// The grid: Enter moves on by the editor's own rule (after the cell editor
// has handed its text to the cell).
class TTableForm::GridView : public QTableWidget {
public:
  explicit GridView(TTableForm* form) : QTableWidget(form), m_form(form) {}
  bool editing() const { return state() == QAbstractItemView::EditingState; }

protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
      QTimer::singleShot(0, m_form, [f = m_form] { f->GridKeyEnter(); });
      e->accept();
      return;
    }
    QTableWidget::keyPressEvent(e);
  }

private:
  TTableForm* m_form;
};

// Remembers the open cell editor, so that the typed text is known before
// the grid hands it to the cell.
class TTableForm::CellDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    m_editor = qobject_cast<QLineEdit*>(w);
    m_index = index;
    return w;
  }
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
    if (editor == m_editor) {
      m_editor = nullptr;
      m_index = QPersistentModelIndex();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
  }
  QLineEdit* editorAt(int row, int column) const {
    if (!m_editor || !m_index.isValid() || m_index.row() != row || m_index.column() != column) return nullptr;
    return m_editor.data();
  }

private:
  mutable QPointer<QLineEdit> m_editor;
  mutable QPersistentModelIndex m_index;
};

// Every move of the grid's cursor passes here first: the cell being left is
// committed, and a refused entry keeps the cursor where it is.
class TTableForm::GridSelection : public QItemSelectionModel {
public:
  GridSelection(QTableWidget* grid, TTableForm* form) : QItemSelectionModel(grid->model(), grid), m_form(form) {}
  void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override {
    const QModelIndex from = currentIndex();
    if (index != from && !m_form->cellLeaving(from, index)) return;
    QItemSelectionModel::setCurrentIndex(index, command);
    if (index != from) m_form->cellEntered(index);
  }

private:
  TTableForm* m_form;
};

// ---------------------------------------------------------------------------

TTableForm::TTableForm(TGridTable& table, bool modal, QWidget* parent)
    : QWidget(parent, Qt::Window), m_table(&table), m_modal(modal) {
  // First, so that a table that cannot make its rows leaves nothing behind.
  table.SetRowCount(std::max(table.RowCount(), table.MinRows()));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);

  m_grid = new GridView(this);
  m_grid->setObjectName("Grid");
  m_delegate = new CellDelegate(m_grid);
  m_grid->setItemDelegate(m_delegate);
  QItemSelectionModel* own = m_grid->selectionModel();
  m_grid->setSelectionModel(new GridSelection(m_grid, this));
  delete own;
  m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                          QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  m_grid->setCornerButtonEnabled(false);
  m_grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_topLeft = new QLabel(m_grid);
  m_topLeft->setObjectName("TopLeft");
  m_topLeft->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_topLeft->setMargin(2);

  m_btnAdd = new QPushButton(tr("&Add Row"), this);
  m_btnAdd->setObjectName("BtnAdd");
  m_btnIns = new QPushButton(tr("&Insert Row"), this);
  m_btnIns->setObjectName("BtnIns");
  m_btnDel = new QPushButton(tr("&Delete Row"), this);
  m_btnDel->setObjectName("BtnDel");
  m_lblComments = new QLabel(this);
  m_lblComments->setObjectName("lblComments");
  connect(m_btnAdd, &QPushButton::clicked, this, [this] { BtnAddClick(); });
  connect(m_btnIns, &QPushButton::clicked, this, [this] { BtnInsClick(); });
  connect(m_btnDel, &QPushButton::clicked, this, [this] { BtnDelClick(); });
  m_focusConnection =
      connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) { focusChanged(old, now); });

  table.setEditor(this);
  setWindowTitle(qs(tableEditorCaption(table)));
  m_topLeft->setText(qs(table.TopLeft()));
  m_lblComments->setText(qs(table.Comments()));
  m_lblComments->setVisible(!table.Comments().empty());
  m_shownColumns = table.visibleColumnCount();
  m_shownRows = std::min(table.RowCount(), kMaxShownRows);
  rebuild();
  FlagScope updating(m_updating);
  m_grid->setCurrentCell(0, 0);
}

TTableForm::~TTableForm() {
  detach();
  // The grid, its cell editors and in-cell controls call back while they
  // go: they go while this object is still whole.
  disconnect(m_focusConnection);
  m_updating = true;
  delete m_grid;
  m_grid = nullptr;
}

QTableWidget* TTableForm::Grid() const { return m_grid; }

QString TTableForm::topLeftText() const { return m_topLeft->text(); }

QComboBox* TTableForm::comboAt(int row, int column) const {
  return qobject_cast<QComboBox*>(m_grid->cellWidget(row, column));
}

QPushButton* TTableForm::buttonAt(int row, int column) const {
  return qobject_cast<QPushButton*>(m_grid->cellWidget(row, column));
}

int TTableForm::margin() const { return logicalDpiX() / 20; }

// --- building ---------------------------------------------------------------

void TTableForm::rebuild() {
  if (!m_table || m_suspendRebuild) return;
  FlagScope updating(m_updating);
  TGridTable& t = *m_table;
  const int columns = t.visibleColumnCount();
  const int rows = t.RowCount();
  m_shownColumns = std::min(m_shownColumns, columns);
  m_shownRows = std::min(m_shownRows, rows);
  m_headerRows = headerRowCount(t);
  m_grid->setColumnCount(columns);
  m_grid->setRowCount(rows);

  QStringList labels;
  for (int r = 0; r < rows; ++r) labels << qs(rowLabel(r, t.RowGroup()));
  m_grid->setVerticalHeaderLabels(labels);

  const QtTextMetrics metrics(*m_grid);
  bool controls = false;
  for (int i = 0; i < columns; ++i) controls = controls || t.visibleColumn(i).UsesControls();
  if (controls) m_grid->verticalHeader()->setDefaultSectionSize(QComboBox().sizeHint().height());
  m_grid->verticalHeader()->setFixedWidth(
      std::max(metrics.textWidth(t.TopLeft() + "  "), metrics.pixelsPerInch() / 3));

  for (int i = 0; i < columns; ++i) {
    const TColumn& c = t.visibleColumn(i);
    m_grid->setColumnWidth(i, c.ColumnWidth(metrics));
    QStringList header;
    for (const auto& line : columnHeaderLines(c, m_headerRows)) header << qs(line);
    m_grid->setHorizontalHeaderItem(i, new QTableWidgetItem(header.join('\n')));
    if (c.UsesControls()) {
      for (int r = 0; r < rows; ++r) {
        auto* item = new QTableWidgetItem();
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_grid->setItem(r, i, item);
      }
      makeControls(i);
    } else {
      for (int r = 0; r < rows; ++r) {
        // cellWidget() also gives an open cell editor, which must stay.
        if (QWidget* w = m_grid->cellWidget(r, i); w && w->property(kRowProperty).isValid()) m_grid->removeCellWidget(r, i);
        setCellText(r, i, qs(c.GetText(r)));
      }
    }
  }

  const TRowButtons buttons = rowButtonState(t);
  for (QPushButton* b : {m_btnAdd, m_btnIns, m_btnDel}) b->setVisible(buttons.visible);
  m_btnAdd->setEnabled(buttons.addEnabled);
  m_btnIns->setEnabled(buttons.addEnabled);
  m_btnDel->setEnabled(buttons.deleteEnabled);
  layoutForm();
}

void TTableForm::makeControls(int visibleColumn) {
  TColumn& c = m_table->visibleColumn(visibleColumn);
  const auto place = [&](QWidget* w, int r) {
    w->setProperty(kRowProperty, r);
    w->setProperty(kColumnProperty, visibleColumn);
    w->installEventFilter(this);
    m_grid->setCellWidget(r, visibleColumn, w);
  };
  if (auto* e = dynamic_cast<TEnumColumn*>(&c)) {
    QStringList items;
    for (const auto& s : e->Items()) items << qs(s);
    for (int r = 0; r < c.RowCount(); ++r) {
      auto* combo = new QComboBox();
      combo->addItems(items);
      combo->setMaxVisibleItems(11);
      combo->setCurrentIndex(e->GetInteger(r) - 1);
      connect(combo, &QComboBox::currentIndexChanged, this, [this, visibleColumn, r](int index) {
        if (!m_table || m_updating || index < 0) return;
        TColumn& col = m_table->visibleColumn(visibleColumn);
        const bool ok = guarded([&] {
          if (col.GetInteger(r) == index + 1) return;
          col.SetInteger(r, index + 1);
          m_table->SetChanged(true);
        });
        if (!ok && m_table) syncControl(visibleColumn, r);
      });
      place(combo, r);
    }
  } else if (auto* tc = dynamic_cast<TTableColumn*>(&c)) {
    for (int r = 0; r < c.RowCount(); ++r) {
      auto* button = new QPushButton(qs(tc->buttonCaption(r)));
      connect(button, &QPushButton::clicked, this, [this, visibleColumn, r] {
        // A refused move (the cell left held a bad entry) presses nothing.
        if (!m_table || m_grid->currentRow() != r || m_grid->currentColumn() != visibleColumn) return;
        guarded([&] { static_cast<TTableColumn&>(m_table->visibleColumn(visibleColumn)).pressButton(r); });
      });
      place(button, r);
    }
  }
}

void TTableForm::syncControl(int visibleColumn, int row) {
  TColumn& c = m_table->visibleColumn(visibleColumn);
  if (row >= c.RowCount()) return;
  if (QComboBox* combo = comboAt(row, visibleColumn)) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(c.GetInteger(row) - 1);
  } else if (QPushButton* button = buttonAt(row, visibleColumn)) {
    if (auto* tc = dynamic_cast<TTableColumn*>(&c)) button->setText(qs(tc->buttonCaption(row)));
  }
}

void TTableForm::setCellText(int row, int column, const QString& text) {
  QTableWidgetItem* item = m_grid->item(row, column);
  if (!item) {
    item = new QTableWidgetItem();
    m_grid->setItem(row, column, item);
  }
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
  item->setText(text);
  // An open cell editor shows the value too, so that leaving the cell does
  // not write an older text back.
  if (QLineEdit* e = m_delegate->editorAt(row, column)) e->setText(text);
}

void TTableForm::refreshCell(int visibleColumn, int row) {
  const TColumn& c = m_table->visibleColumn(visibleColumn);
  if (row < 0 || row >= c.RowCount() || row >= m_grid->rowCount() || visibleColumn >= m_grid->columnCount()) return;
  if (c.UsesControls())
    syncControl(visibleColumn, row);
  else
    setCellText(row, visibleColumn, qs(c.GetText(row)));
}

void TTableForm::refreshCells() {
  FlagScope updating(m_updating);
  const int columns = std::min(m_table->visibleColumnCount(), m_grid->columnCount());
  for (int i = 0; i < columns; ++i) {
    const TColumn& c = m_table->visibleColumn(i);
    if (c.UsesControls()) continue;
    for (int r = 0; r < std::min(c.RowCount(), m_grid->rowCount()); ++r) setCellText(r, i, qs(c.GetText(r)));
  }
}

// --- layout -----------------------------------------------------------------

namespace {

TGridMetrics metricsOf(const QTableWidget& grid, int rowLabelWidth, int rowCount) {
  TGridMetrics m;
  m.frame = grid.frameWidth();
  m.rowLabelWidth = rowLabelWidth;
  m.headerHeight = grid.horizontalHeader()->sizeHint().height();
  m.rowHeight = grid.verticalHeader()->defaultSectionSize();
  m.vScrollWidth = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
  m.hScrollHeight = m.vScrollWidth;
  for (int c = 0; c < grid.columnCount(); ++c) m.columnWidths.push_back(grid.columnWidth(c));
  m.rowCount = rowCount;
  return m;
}

constexpr int kGridSlack = 2;  // keeps whole rows and columns clear of the frame

QSize buttonSize(const QPushButton& b, int ppi) {
  const QSize hint = b.sizeHint();
  return {std::max(81 * ppi / 96, hint.width()), std::max(21 * ppi / 96, hint.height())};
}

}  // namespace

QSize TTableForm::sizeHint() const {
  const int m = margin();
  const TGridMetrics metrics = metricsOf(*m_grid, m_grid->verticalHeader()->width(), m_grid->rowCount());
  const int first = std::max(0, m_grid->columnAt(0));
  const TGridExtent ext = gridExtent(metrics, first, m_shownColumns, m_shownRows);
  const QSize bs = buttonSize(*m_btnAdd, logicalDpiX());
  const bool buttons = !m_btnAdd->isHidden();
  const bool label = !m_lblComments->isHidden();
  const int width = std::max(m + ext.width + kGridSlack, m + 3 * bs.width() + 2 * m) + m;
  int height = m + ext.height + kGridSlack + m;
  if (buttons) height += bs.height() + m;
  if (label) height += m_lblComments->sizeHint().height() + m;
  return {width, height};
}

void TTableForm::layoutForm() {
  if (!m_table || m_layingOut) return;
  {
    FlagScope layingOut(m_layingOut);
    updateGeometry();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
      sub->adjustSize();
    else
      resize(sizeHint());
    placeParts();
    m_settledFrame = frame()->geometry();
  }
  if (m_table && m_table->OnResize) guarded([this] { m_table->OnResize(*m_table); });
}

void TTableForm::placeParts() {
  if (!m_table) return;
  const int m = margin();
  const TGridMetrics metrics = metricsOf(*m_grid, m_grid->verticalHeader()->width(), m_grid->rowCount());
  const int first = std::max(0, m_grid->columnAt(0));
  const TGridExtent ext = gridExtent(metrics, first, m_shownColumns, m_shownRows);
  m_grid->setGeometry(m, m, ext.width + kGridSlack, ext.height + kGridSlack);
  m_topLeft->setGeometry(metrics.frame, metrics.frame, m_grid->verticalHeader()->width(), metrics.headerHeight);
  const QSize bs = buttonSize(*m_btnAdd, logicalDpiX());
  int top = m_grid->geometry().bottom() + 1 + m;
  int left = m;
  for (QPushButton* b : {m_btnAdd, m_btnIns, m_btnDel}) {
    b->setGeometry(left, top, bs.width(), bs.height());
    left += bs.width() + m;
  }
  if (!m_btnAdd->isHidden()) top += bs.height() + m;
  m_lblComments->setGeometry(m, top, std::max(0, width() - 2 * m), m_lblComments->sizeHint().height());
}

QWidget* TTableForm::frame() {
  auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
  return sub ? static_cast<QWidget*>(sub) : this;
}

void TTableForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (!m_table) return;
  if (!m_layingOut) guarded([&] { snapToWholeCells(event->oldSize()); });
  placeParts();
  if (!m_layingOut && m_table->OnResize) guarded([this] { m_table->OnResize(*m_table); });
}

void TTableForm::snapToWholeCells(const QSize& old) {
  // The user sized the window: the grid takes the whole rows and columns
  // of the nearest fitting layout, and the window snaps to it on the side
  // that was dragged.
  const int m = margin();
  const QSize bs = buttonSize(*m_btnAdd, logicalDpiX());
  int below = 0;
  if (!m_btnAdd->isHidden()) below += bs.height() + m;
  if (!m_lblComments->isHidden()) below += m_lblComments->sizeHint().height() + m;
  const TGridMetrics metrics = metricsOf(*m_grid, m_grid->verticalHeader()->width(), m_grid->rowCount());
  TSnapRequest r;
  r.firstColumn = std::max(0, m_grid->columnAt(0));
  r.firstRow = std::max(0, m_grid->rowAt(0));
  r.shownColumns = m_shownColumns;
  r.shownRows = m_shownRows;
  r.width = width() - 2 * m - kGridSlack;
  r.height = height() - 2 * m - kGridSlack - below;
  r.widthDragged = !old.isValid() || old.width() != width();
  r.heightDragged = !old.isValid() || old.height() != height();
  r.minWidth = 3 * bs.width() + 2 * m - kGridSlack;
  const TSnapResult snap = snapGridSize(metrics, r);
  m_shownRows = snap.shown.rows;
  m_shownColumns = snap.shown.columns;
  m_grid->horizontalScrollBar()->setValue(snap.firstColumn);
  m_grid->verticalScrollBar()->setValue(snap.firstRow);
  if (m_snapPending) return;
  // Sized once the drag step is over, keeping the edges that did not move.
  const QRect dragged = frame()->geometry();
  const QRect before = m_settledFrame;
  m_snapPending = true;
  QTimer::singleShot(0, this, [this, dragged, before] {
    m_snapPending = false;
    if (!m_table) return;
    layoutForm();
    QWidget* f = frame();
    QRect g = f->geometry();
    if (before.isValid() && dragged.left() != before.left() && dragged.right() == before.right())
      g.moveRight(dragged.right());
    if (before.isValid() && dragged.top() != before.top() && dragged.bottom() == before.bottom())
      g.moveBottom(dragged.bottom());
    if (g.topLeft() != f->geometry().topLeft()) f->move(g.topLeft());
    m_settledFrame = f->geometry();
  });
}

void TTableForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  editCurrent();
}

void TTableForm::editCurrent() {
  const QModelIndex i = m_grid->currentIndex();
  if (!m_table || !i.isValid() || !(m_grid->model()->flags(i) & Qt::ItemIsEditable)) return;
  if (QLineEdit* e = m_delegate->editorAt(i.row(), i.column())) {
    e->setFocus();
    return;
  }
  if (!m_grid->editing()) m_grid->edit(i);
}

// --- committing and moving --------------------------------------------------

QString TTableForm::cellText(int row, int column) const {
  if (QLineEdit* e = m_delegate->editorAt(row, column)) return e->text();
  const QTableWidgetItem* item = m_grid->item(row, column);
  return item ? item->text() : QString();
}

bool TTableForm::storeCell(int row, int column) {
  if (!m_table || row < 0 || column < 0 || row >= m_table->RowCount() || column >= m_table->visibleColumnCount())
    return false;
  TColumn& c = m_table->visibleColumn(column);
  if (c.UsesControls()) return false;
  const std::string text = cellText(row, column).toStdString();
  // A cell left as it is shown is not written back: the shown text has 8
  // significant digits and would round the stored value.
  if (text == c.GetText(row)) return false;
  c.SetText(row, text);
  m_table->SetChanged(true);
  return true;
}

bool TTableForm::commitCell(int row, int column) {
  return guarded([&] { storeCell(row, column); });
}

bool TTableForm::CommitCell() { return commitCell(m_grid->currentRow(), m_grid->currentColumn()); }

bool TTableForm::TryCommitCell() {
  try {
    storeCell(m_grid->currentRow(), m_grid->currentColumn());
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TTableForm::cellLeaving(const QModelIndex& from, const QModelIndex&) {
  if (m_updating || !m_table || !from.isValid()) return true;
  if (commitCell(from.row(), from.column())) return true;
  // The grid may have closed the cell editor on its way: open it again on
  // the refused entry.
  refocusGrid();
  return false;
}

void TTableForm::cellEntered(const QModelIndex& current) {
  if (m_updating || !m_table) return;
  // Evaluated expressions and linked or grouped values show at once.
  refreshCells();
  if (current.isValid() && isVisible()) editCurrent();
}

void TTableForm::GridKeyEnter() {
  if (!m_table) return;
  const QModelIndex cur = m_grid->currentIndex();
  if (!cur.isValid()) return;
  const TCellPos next = cellAfterEnter({cur.row(), cur.column()}, m_grid->rowCount(), m_grid->columnCount());
  m_grid->setCurrentCell(next.row, next.column);
}

void TTableForm::selectControlCell(int row, int column) {
  if (m_updating || !m_table) return;
  if (m_grid->currentRow() == row && m_grid->currentColumn() == column) return;
  m_grid->setCurrentCell(row, column);
  if (m_grid->currentRow() != row || m_grid->currentColumn() != column) refocusGrid();
}

bool TTableForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    const QVariant row = watched->property(kRowProperty);
    if (row.isValid()) selectControlCell(row.toInt(), watched->property(kColumnProperty).toInt());
  }
  return QWidget::eventFilter(watched, event);
}

void TTableForm::focusChanged(QWidget* old, QWidget* now) {
  if (!m_table || m_inMessage || m_updating) return;
  const auto within = [this](QWidget* w) { return w && (w == m_grid || m_grid->isAncestorOf(w)); };
  if (!within(old) || within(now)) return;
  // The cell is stored at once, but a refusal is told later: this notice
  // comes from inside whatever moved the focus (a menu popping up, an
  // accelerator), and a modal box's event loop run there could close the
  // menu under the code that is opening it.
  if (!TryCommitCell()) tellRefusalLater();
}

void TTableForm::tellRefusalLater() {
  if (m_refusalPending) return;
  m_refusalPending = true;
  QTimer::singleShot(0, this, [this] { tellRefusal(); });
}

void TTableForm::tellRefusal() {
  if (!m_refusalPending || !m_table) return;
  // While a menu is open, the menu bar is worked by keyboard or another
  // window is modal, the box waits.
  const QWidget* modal = QApplication::activeModalWidget();
  if (m_inMessage || comp::MenusInUse() || (modal != nullptr && modal != window())) {
    QTimer::singleShot(comp::kMenusRetryMs, this, [this] { tellRefusal(); });
    return;
  }
  m_refusalPending = false;
  // The entry may have been mended or dropped meanwhile; if not, its
  // message is shown and the cursor goes back to it.
  if (!CommitCell()) refocusGrid();
}

void TTableForm::refocusGrid() {
  QTimer::singleShot(0, this, [this] {
    if (!m_table) return;
    activateWindow();
    m_grid->setFocus();
    editCurrent();
  });
}

void TTableForm::showEntryError(const char* message) {
  m_refusalPending = false;  // told here
  FlagScope inMessage(m_inMessage);
  ShowInformation(QString::fromStdString(message));
}

bool TTableForm::guarded(const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const EAssignError& e) {
    showEntryError(e.what());
  } catch (const std::exception& e) {
    m_refusalPending = false;  // told here
    FlagScope inMessage(m_inMessage);
    ShowError(QString::fromStdString(e.what()));
  }
  return false;
}

// --- row buttons ------------------------------------------------------------

void TTableForm::BtnAddClick() {
  if (!m_table || !CommitCell()) return;
  const int before = m_table->RowCount();
  const int shown = shownRowsAfterAdd(m_shownRows, before, m_table->RowGroup());
  bool added = false;
  {
    FlagScope suspended(m_suspendRebuild);
    added = guarded([this] {
      m_table->addRowGroup();
      m_table->SetChanged(true);
    });
  }
  if (!m_table) return;
  if (added) m_shownRows = shown;
  rebuild();
  if (added) m_grid->scrollToBottom();
}

void TTableForm::BtnInsClick() {
  if (!m_table || !CommitCell()) return;
  guarded([this] {
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_table->RowCount()) throw Exception("Grid.Row not in valid range");
    m_table->SetChanged(true);
    if (m_shownRows >= m_table->RowCount()) m_shownRows = std::min(m_shownRows + m_table->RowGroup(), kMaxShownRows);
    m_table->insertRowGroup(row);
  });
}

void TTableForm::BtnDelClick() {
  if (!m_table || !CommitCell()) return;
  guarded([this] {
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_table->RowCount()) throw Exception("Grid.Row not in valid range");
    m_table->SetChanged(true);
    m_table->deleteRowGroup(row);
  });
}

// --- what the table tells the editor ----------------------------------------

void TTableForm::cellChanged(int column, int row) {
  if (!m_table || column < 0 || column >= m_table->ColumnCount()) return;
  const int visible = m_table->visibleIndexOf(m_table->Column(column));
  if (visible < 0) return;
  FlagScope updating(m_updating);
  refreshCell(visible, row);
}

void TTableForm::rowsChanged() { rebuild(); }

void TTableForm::rowNumberChanged() {
  if (m_table) setWindowTitle(qs(tableEditorCaption(*m_table)));
}

// --- closing ----------------------------------------------------------------

void TTableForm::detach() {
  if (!m_table) return;
  TGridTable* t = m_table;
  m_table = nullptr;
  if (t->editor() == this) t->setEditor(nullptr);
  emit closed();
}

void TTableForm::closeEditor() {
  detach();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
    sub->close();
  else
    close();
}

void TTableForm::closeEvent(QCloseEvent* event) {
  if (m_table && !CommitCell()) {
    event->ignore();
    return;
  }
  detach();
  QWidget::closeEvent(event);
}

}  // namespace zrv::comp
