#include "forms/Massdata.h"

namespace zrv::front {

namespace {

TMassFormDesign footingDesign() {
  return {QStringLiteral("Mass Data"),
          QStringLiteral("Total mass (self weight only) of the foundation"),
          QStringLiteral("Combined Mass (including self-weight) on Foundation  "),
          {1, 2, 3, 4, 5, 6, 7, 11, 12, 13, 8, 9, 10, 14, 15, 16},
          2,
          1,
          false};
}

}  // namespace

TfrmMassdata::TfrmMassdata(IMainForm& main, QWidget* parent) : TMassForm(main, footingDesign(), parent) {
  setObjectName(QStringLiteral("frmMassdata"));
}

}  // namespace zrv::front
