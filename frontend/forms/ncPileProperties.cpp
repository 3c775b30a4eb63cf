#include "forms/ncPileProperties.h"

namespace zrv::front {

namespace {

TMassFormDesign pileCapDesign() {
  return {QStringLiteral("Pile Cap Properties"),
          QStringLiteral("Total mass (including equipment) of footing"),
          QStringLiteral("Combined Mass (including Self-Weight of Pile Cap)"),
          {5, 6, 7, 8, 9, 10, 11, 4, 12, 13, 1, 2, 3, 14, 15, 16},
          1,
          2,
          true};
}

}  // namespace

TfrmNCPileProperties::TfrmNCPileProperties(IMainForm& main, QWidget* parent)
    : TMassForm(main, pileCapDesign(), parent) {
  setObjectName(QStringLiteral("frmNCPileProperties"));
}

}  // namespace zrv::front
