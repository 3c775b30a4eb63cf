#include "forms/Multimat.h"

#include <QGridLayout>

namespace zrv::front {

TfrmMultimat::TfrmMultimat(IMainForm& main, QWidget* parent) : TFieldForm(main, parent) {
  setObjectName(QStringLiteral("frmMultimat"));
  setWindowTitle(QStringLiteral("Foundation Properties"));
  auto* grid = new QGridLayout(this);
  struct Row {
    TEditDesign design;
    Extended TProjectFields::*field;
  };
  const QString length = QStringLiteral("L2");
  const Row rows[] = {
      {{1, QStringLiteral("Distance from center of foundation base to center of gravity (Xc) "), length},
       &TProjectFields::BaseX},
      {{2, QStringLiteral("Distance from center of foundation base to center of gravity (Yc)"), length},
       &TProjectFields::BaseY},
      {{3, QStringLiteral("Height of center of gravity of foundation from the base (Zc)"), length},
       &TProjectFields::BaseZ},
      {{4, QStringLiteral("Unit weight of pile"), QStringLiteral("F/L2^3")}, &TProjectFields::PileUnitWeight},
      {{5, QStringLiteral("Poisson's ratio of the pile"), {}}, &TProjectFields::PilePoisson},
      {{6, QStringLiteral("Material damping of the pile"), {}}, &TProjectFields::PileDamping},
      {{7, QStringLiteral("&Elastic modulus of the pile "), QStringLiteral("F/L2\u00B2")},
       &TProjectFields::PileModulus},
      {{8, QStringLiteral("Total length of pile"), length, TEditRange::Int32}, &TProjectFields::PileLength},
      {{9, QStringLiteral("Cross-sectional coefficient of rigidity"), QStringLiteral("F/L2"), TEditRange::Int32},
       &TProjectFields::ShearRigidityCoef},
      {{10, QStringLiteral("Static load on foundation"), QStringLiteral("F"), TEditRange::Max, 2.147483647E+12L},
       &TProjectFields::StaticLoad},
  };
  int r = 0;
  for (const Row& row : rows) {
    bind(bindReal(addEdit(this, grid, r, row.design), row.field));
    ++r;
  }
  grid->setRowStretch(r, 1);
}

}  // namespace zrv::front
