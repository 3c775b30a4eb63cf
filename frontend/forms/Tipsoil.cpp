#include "forms/Tipsoil.h"

#include <QGridLayout>

namespace zrv::front {

TfrmTipsoil::TfrmTipsoil(IMainForm& main, QWidget* parent) : TFieldForm(main, parent) {
  setObjectName(QStringLiteral("frmTipsoil"));
  setWindowTitle(QStringLiteral("Soil Below The Footing"));
  auto* grid = new QGridLayout(this);
  bind(bindReal(addEdit(this, grid, 0, {1, QStringLiteral("Shear wave velocity"), QStringLiteral("L2/sec"),
                                        TEditRange::Int32}),
                &TProjectFields::TipShearWaveVelocity));
  bind(bindReal(addEdit(this, grid, 1, {2, QStringLiteral("Unit weight"), QStringLiteral("F/L2^3")}),
                &TProjectFields::TipUnitWeight));
  bind(bindReal(addEdit(this, grid, 2, {3, QStringLiteral("Poisson's ratio"), {}}), &TProjectFields::TipPoisson));
  bind(bindReal(addEdit(this, grid, 3, {4, QStringLiteral("Material damping"), {}}), &TProjectFields::TipDamping));
  grid->setRowStretch(4, 1);
}

}  // namespace zrv::front
