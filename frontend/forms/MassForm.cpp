#include "forms/MassForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "app/IMainForm.h"
#include "dataedit/TDataEdit.h"
#include "forms/FormPictures.h"
#include "forms/MassCalculator.h"
#include "project/TProjectTables.h"
#include "ui/UiHooks.h"

namespace zrv::front {

namespace {

const char* const kNote =
    "The mass moments of inertia must include the masses of all\n"
    "the equipment on the foundation and the mass of the concrete\n"
    "footing or pile cap itself.\n"
    "\n"
    "Known values can be typed straight into the boxes.\n"
    "\n"
    "Otherwise the program computes them:\n"
    "1. enter the local coordinates of the centre of the base (C.B.),\n"
    "2. click \"Input all the mass components\" and type every mass\n"
    "   with the local coordinates of its centre and its dimensions,\n"
    "3. click \"Calculate mass moment of inertia\".\n"
    "The computed C.B. in global coordinates then becomes the\n"
    "position of the foundation base.";

QGroupBox* addGroup(QWidget* parent, QGridLayout* outer, int row, const QString& caption, const char* name) {
  auto* group = new QGroupBox(caption, parent);
  group->setObjectName(QLatin1String(name));
  outer->addWidget(group, row, 0);
  return group;
}

}  // namespace

TMassForm::TMassForm(IMainForm& main, const TMassFormDesign& design, QWidget* parent) : TFieldForm(main, parent) {
  setWindowTitle(design.title);
  auto* top = new QHBoxLayout(this);
  auto* left = new QGridLayout;
  top->addLayout(left, 1);

  const QString length = QStringLiteral("L2");
  const QString inertia = QStringLiteral("F6-L2^2");
  auto number = [&design](TMassBox b) { return design.editNumbers[static_cast<std::size_t>(b)]; };
  auto add = [&](QWidget* box, QGridLayout* grid, int row, TMassBox b, const QString& caption,
                 const QString& units, TEditRange range = TEditRange::Full) {
    comp::TDataEdit* edit = addEdit(box, grid, row, {number(b), caption, units, range});
    m_boxes[static_cast<std::size_t>(b)] = edit;
    return edit;
  };

  QGroupBox* mass = addGroup(this, left, 0, design.massGroupCaption, "GroupBox1");
  auto* massGrid = new QGridLayout(mass);
  add(mass, massGrid, 0, kTotalMass, design.massCaption, QStringLiteral("F6"), TEditRange::Int32);
  add(mass, massGrid, 1, kIxx, QStringLiteral("Mass moment of inertia about X-axis"), inertia);
  add(mass, massGrid, 2, kIyy, QStringLiteral("Mass moment of inertia about Y-axis"), inertia);
  add(mass, massGrid, 3, kIzz, QStringLiteral("Mass moment of inertia about Z-axis"), inertia);
  add(mass, massGrid, 4, kIxy, QStringLiteral("Cross product X-Y (product of inertia)"), inertia);
  add(mass, massGrid, 5, kIxz, QStringLiteral("Cross product X-Z (product of inertia)"), inertia);
  add(mass, massGrid, 6, kIyz, QStringLiteral("Cross product Y-Z (product of inertia)"), inertia);

  QGroupBox* cbLocal = addGroup(this, left, 1, QStringLiteral("Local coordinates of C.B."), "GroupBox2");
  auto* cbLocalGrid = new QGridLayout(cbLocal);
  add(cbLocal, cbLocalGrid, 0, kCBLocalX, QStringLiteral("x-coord. of C.B."), length);
  add(cbLocal, cbLocalGrid, 1, kCBLocalY, QStringLiteral("y-coord. of C.B."), length);
  add(cbLocal, cbLocalGrid, 2, kCBLocalZ, QStringLiteral("z-coord. of C.B."), length);

  auto* buttons = new QHBoxLayout;
  m_input = new QPushButton(QStringLiteral("Input all the mass components"), this);
  m_input->setObjectName(QStringLiteral("Button%1").arg(design.inputButton));
  m_calculate = new QPushButton(QStringLiteral("Calculate mass moment of inertia"), this);
  m_calculate->setObjectName(QStringLiteral("Button%1").arg(design.calculateButton));
  buttons->addWidget(m_input);
  buttons->addWidget(m_calculate);
  left->addLayout(buttons, 2, 0);
  connect(m_input, &QPushButton::clicked, this, [this] { InputComponents(); });
  connect(m_calculate, &QPushButton::clicked, this, [this] { Calculate(); });

  QGroupBox* cg = addGroup(this, left, 3, QStringLiteral("Computed Coordinates of C.G. in local coordinates"),
                           "GroupBox3");
  auto* cgGrid = new QGridLayout(cg);
  add(cg, cgGrid, 0, kCGLocalX, QStringLiteral("x-coord. of C.G."), length);
  add(cg, cgGrid, 1, kCGLocalY, QStringLiteral("y-coord. of C.G."), length);
  add(cg, cgGrid, 2, kCGLocalZ, QStringLiteral("z-coord. of C.G."), length);

  QGroupBox* cbGlobal = addGroup(this, left, 4, QStringLiteral("Computed Coordinates of C.B. in global coordinates"),
                                 "GroupBox4");
  auto* cbGlobalGrid = new QGridLayout(cbGlobal);
  add(cbGlobal, cbGlobalGrid, 0, kCBGlobalX, QStringLiteral("X-coord. of C.B."), length);
  add(cbGlobal, cbGlobalGrid, 1, kCBGlobalY, QStringLiteral("Y-coord. of C.B."), length);
  add(cbGlobal, cbGlobalGrid, 2, kCBGlobalZ, QStringLiteral("Z-coord. of C.B."), length);
  left->setRowStretch(5, 1);

  // The computed centres are shown, not typed.
  for (TMassBox b : {kCGLocalX, kCGLocalY, kCGLocalZ, kCBGlobalX, kCBGlobalY, kCBGlobalZ}) Box(b)->setEnabled(false);

  auto* right = new QVBoxLayout;
  top->addLayout(right);
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setPixmap(QPixmap::fromImage(
      drawFormPicture(design.pileCap ? TFormPicture::PileCapMass : TFormPicture::FootingMass)));
  right->addWidget(picture);
  auto* memo = new QPlainTextEdit(QString::fromLatin1(kNote), this);
  memo->setObjectName(QStringLiteral("Memo1"));
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  int widest = 0;
  for (const QString& line : memo->toPlainText().split(QLatin1Char('\n')))
    widest = std::max(widest, memo->fontMetrics().horizontalAdvance(line));
  memo->setMinimumSize(widest + 24, memo->fontMetrics().lineSpacing() * 14 + 12);
  right->addWidget(memo);

  bind(bindMassProperty(Box(kTotalMass), 0));
  for (int i = 1; i <= 6; ++i) bind(bindMassProperty(Box(static_cast<TMassBox>(kTotalMass + i)), i));
  bind(bindReal(Box(kCBLocalX), &TProjectFields::CBLocalX));
  bind(bindReal(Box(kCBLocalY), &TProjectFields::CBLocalY));
  bind(bindReal(Box(kCBLocalZ), &TProjectFields::CBLocalZ));
  bind(bindReal(Box(kCGLocalX), &TProjectFields::CGLocalX));
  bind(bindReal(Box(kCGLocalY), &TProjectFields::CGLocalY));
  bind(bindReal(Box(kCGLocalZ), &TProjectFields::CGLocalZ));
  bind(bindReal(Box(kCBGlobalX), &TProjectFields::CBGlobalX));
  bind(bindReal(Box(kCBGlobalY), &TProjectFields::CBGlobalY));
  bind(bindReal(Box(kCBGlobalZ), &TProjectFields::CBGlobalZ));
}

void TMassForm::InputComponents() { m_main.Tables().MassCal().Show(); }

void TMassForm::Calculate() {
  try {
    const TPoint3 cbLocal{Box(kCBLocalX)->Number(), Box(kCBLocalY)->Number(), Box(kCBLocalZ)->Number()};
    const TMassResult r = calculateMass(massComponents(m_main.Tables().MassCal()), m_main.Project());
    Box(kTotalMass)->SetNumber(r.totalMass);
    Box(kIxx)->SetNumber(r.Ixx);
    Box(kIyy)->SetNumber(r.Iyy);
    Box(kIzz)->SetNumber(r.Izz);
    Box(kIxy)->SetNumber(r.Ixy);
    Box(kIxz)->SetNumber(r.Ixz);
    Box(kIyz)->SetNumber(r.Iyz);
    Box(kCGLocalX)->SetNumber(r.cg.x);
    Box(kCGLocalY)->SetNumber(r.cg.y);
    Box(kCGLocalZ)->SetNumber(r.cg.z);
    const TPoint3 cbGlobal = baseInGlobal(cbLocal, r.cg);
    Box(kCBGlobalX)->SetNumber(cbGlobal.x);
    Box(kCBGlobalY)->SetNumber(cbGlobal.y);
    Box(kCBGlobalZ)->SetNumber(cbGlobal.z);
  } catch (const comp::Exception& e) {
    comp::ShowError(QString::fromStdString(e.what()));
    return;
  }
  m_calculated = true;
  MarkModified();
}

void TMassForm::StoreEntries() {
  TFieldForm::StoreEntries();
  if (!m_calculated) return;
  TProgramData& p = m_main.Project();
  p.BaseX = p.CBGlobalX;
  p.BaseY = p.CBGlobalY;
  p.BaseZ = p.CBGlobalZ;
}

}  // namespace zrv::front
