#include "forms/Foundations.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "dataedit/TDataEdit.h"

namespace zrv::front {

TfrmFoundations::TfrmFoundations(IMainForm& main, QWidget* parent) : TFieldForm(main, parent) {
  setObjectName(QStringLiteral("frmFoundations"));
  setWindowTitle(QStringLiteral("Foundation Data"));
  auto* outer = new QGridLayout(this);
  auto* group = new QGroupBox(QStringLiteral("Global Coordinates of Foundation Base"), this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  auto* inGroup = new QGridLayout(group);
  outer->addWidget(group, 0, 0, 1, 2);
  const QString length = QStringLiteral("L2");
  bind(bindReal(addEdit(group, inGroup, 0, {1, QStringLiteral("X Coordinate (Xc)"), length, TEditRange::Int32}),
                &TProjectFields::BaseX));
  bind(bindReal(addEdit(group, inGroup, 1, {2, QStringLiteral("Y Coordinate (Yc) "), length}),
                &TProjectFields::BaseY));
  bind(bindReal(addEdit(group, inGroup, 2, {3, QStringLiteral("Z Coordinate (Zc) "), length}),
                &TProjectFields::BaseZ));
  bind(bindReal(addEdit(this, outer, 1, {4, QStringLiteral("Depth from ground surface to base of foundation"), length}),
                &TProjectFields::BaseDepth));
  bind(bindReal(addEdit(this, outer, 2,
                        {5, QStringLiteral("Depth from ground surface to bed rock (rigid underlying layer)"), length}),
                &TProjectFields::BedrockDepth));
  outer->setRowStretch(3, 1);
}

void TfrmFoundations::BeforeLoad() {
  const int code = m_main.Project().FoundationCode;
  if (code != 1 && code != 3) return;
  for (int n : {4, 5}) {
    comp::TDataEdit* edit = DataEdit(n);
    edit->setVisible(code == 3);
    edit->EditLabel()->setVisible(code == 3);
  }
}

}  // namespace zrv::front
