#include "forms/transient.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "dataedit/TDataEdit.h"
#include "grid/TGridTable.h"
#include "grid/TTableColumn.h"
#include "project/TProjectTables.h"

namespace zrv::front {

bool SizeLoadHistories(comp::TGridTable& loads, int points) {
  if (points < 1 || points > kMaxLoadPoints) return false;
  comp::TTableColumn* column = loads.firstTableColumn();
  if (!column) return false;
  bool changed = false;
  for (int r = 0; r < loads.RowCount(); ++r) {
    if (!dynamic_cast<comp::TGridTable*>(column->GetObject(r))) continue;
    comp::TGridTable& history = column->GetTable(r);
    if (history.RowCount() == points) continue;
    history.SetRowCount(points);
    changed = true;
  }
  return changed;
}

bool SizeLoadRows(comp::TGridTable& loads, int count) {
  if (count < 1 || count > kMaxLoadRows || loads.RowCount() == count) return false;
  loads.SetRowCount(count);
  return true;
}

void SizeNewLoadHistories(IMainForm& main, comp::TGridTable& loads) {
  // Only rows made while the table is being edited: the rows that New and
  // Open make are made before the project they belong to is in place.
  loads.OnNewTable = [&main](comp::TGridTable& sender, int, int, comp::TGridTable& history) {
    const int points = main.Project().PointCount;
    if (sender.editor() && points >= 1 && points <= kMaxLoadPoints) history.SetRowCount(points);
  };
}

Tfrmtransient::Tfrmtransient(IMainForm& main, QWidget* parent) : TFieldForm(main, parent) {
  setObjectName(QStringLiteral("frmtransient"));
  setWindowTitle(QStringLiteral("Transient Loading Data"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  comp::TDataEdit* points =
      addEdit(this, grid, 0, {1, QStringLiteral("Number of points "), {}, TEditRange::Int32});
  points->SetIntegerOnly(true);
  bind(bindInteger(points, &TProjectFields::PointCount));
  bind(bindReal(addEdit(this, grid, 1, {2, QStringLiteral("Time interval between points"), {}}),
                &TProjectFields::TimeStep));
  comp::TDataEdit* loads =
      addEdit(this, grid, 2, {3, QStringLiteral("Number of load type to be input"), {}, TEditRange::Int32});
  loads->SetIntegerOnly(true);
  bind(bindInteger(loads, &TProjectFields::LoadTypeCount));
  layout->addLayout(grid);

  addDataButtonRow(layout,
                   QStringLiteral("Enter load type and load amplitude by clicking the right button"),
                   [this] { Button1Click(); });
  layout->addStretch();
  SizeNewLoadHistories(main, main.Tables().TLoadtype());
}

void Tfrmtransient::BeforeLoad() { m_main.Project().LoadTypeCount = m_main.Tables().TLoadtype().RowCount(); }

void Tfrmtransient::StoreEntries() {
  TFieldForm::StoreEntries();
  comp::TGridTable& loads = m_main.Tables().TLoadtype();
  // Both run: new rows get their histories sized too.
  const bool rows = SizeLoadRows(loads, m_main.Project().LoadTypeCount);
  if (SizeLoadHistories(loads, m_main.Project().PointCount) || rows) m_main.SetModified(true);
}

void Tfrmtransient::Button1Click() {
  showReportingError([this] { m_main.Tables().TLoadtype().Show(); });
}

}  // namespace zrv::front
