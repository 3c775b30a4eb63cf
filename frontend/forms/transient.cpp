#include "forms/transient.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "dataedit/TDataEdit.h"

namespace zrv::front {

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
}

void Tfrmtransient::Button1Click() {
  showReportingError([this] { m_main.Tables().TLoadtype().Show(); });
}

}  // namespace zrv::front
