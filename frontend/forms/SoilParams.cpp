#include "forms/SoilParams.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dataedit/TDataEdit.h"
#include "project/TProgramData.h"

namespace zrv::front {

TfrmShape::TfrmShape(IMainForm& main, QWidget* parent) : TFieldForm(main, parent) {
  setObjectName(QStringLiteral("frmShape"));
  setWindowTitle(QStringLiteral("Foundation Shape"));
  auto* grid = new QGridLayout(this);
  auto* group = new QGroupBox(QStringLiteral("Shape"), this);
  group->setObjectName(QStringLiteral("GroupBox1"));
  auto* buttons = new QVBoxLayout(group);
  m_rectangular = new QRadioButton(QStringLiteral("Rectangular"), group);
  m_rectangular->setObjectName(QStringLiteral("RadioButton1"));
  m_circular = new QRadioButton(QStringLiteral("Circular"), group);
  m_circular->setObjectName(QStringLiteral("RadioButton2"));
  buttons->addWidget(m_rectangular);
  buttons->addWidget(m_circular);
  grid->addWidget(group, 0, 0, 1, 2);
  connect(m_rectangular, &QRadioButton::clicked, this, [this] { RadioButton1Click(); });
  connect(m_circular, &QRadioButton::clicked, this, [this] { RadioButton2Click(); });

  const QString length = QStringLiteral("L2");
  bind(bindReal(addEdit(this, grid, 1, {1, QStringLiteral("Radius"), length, TEditRange::Int32}),
                &TProjectFields::Radius));
  bind(bindReal(addEdit(this, grid, 2, {2, QStringLiteral("Length x, "), length}), &TProjectFields::LengthX));
  bind(bindReal(addEdit(this, grid, 3, {3, QStringLiteral("Width y, "), length}), &TProjectFields::WidthY));
  grid->setRowStretch(4, 1);
}

void TfrmShape::RadioButton1Click() { setShape(0); }

void TfrmShape::RadioButton2Click() { setShape(1); }

void TfrmShape::setShape(int circular) {
  (circular == 1 ? m_circular : m_rectangular)->setChecked(true);
  int& field = m_main.Project().CircularShape;
  // The shape is a project field like any other: changing it is a change of
  // the project.
  if (field != circular) {
    field = circular;
    Changed();
  }
  showBoxes(circular == 1);
}

void TfrmShape::showBoxes(bool circular) {
  auto show = [this](int number, bool visible) {
    comp::TDataEdit* edit = DataEdit(number);
    edit->setVisible(visible);
    edit->EditLabel()->setVisible(visible);
  };
  show(1, circular);
  show(2, !circular);
  show(3, !circular);
}

void TfrmShape::StoreEntries() {
  TFieldForm::StoreEntries();
  TProgramData& p = m_main.Project();
  p.WidthCopy = p.WidthY;
}

void TfrmShape::BeforeLoad() {
  const int shape = m_main.Project().CircularShape;
  // Checking a button that was not checked runs its click handler.
  if (shape == 0 && !m_rectangular->isChecked()) RadioButton1Click();
  if (shape == 1 && !m_circular->isChecked()) RadioButton2Click();
  showBoxes(shape == 1);
}

}  // namespace zrv::front
