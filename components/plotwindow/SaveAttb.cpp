#include "plotwindow/SaveAttb.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "dataedit/TDataEdit.h"
#include "plotwindow/PlotGeometry.h"

namespace zrv::comp {
namespace {

TDataEdit* makeEdit(QWidget* parent, QLabel* label, const QString& caption, const QString& units,
                    Extended min, Extended value) {
  auto* e = new TDataEdit(parent);
  e->SetCaption(caption);
  e->SetUnitsString(units);
  e->SetEditLabel(label);
  e->SetMinVal(min);
  e->SetNumber(value);
  e->UpdateLabel();
  label->setBuddy(e);
  return e;
}

}  // namespace

TdlgFormat::TdlgFormat(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Save Attributes");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  QFont f("MS Sans Serif");
  f.setPixelSize(13);
  setFont(f);

  Label1 = new QLabel(this);
  Label2 = new QLabel(this);
  Label3 = new QLabel(this);
  deHeight = makeEdit(this, Label1, "&Height", "in", 2, 4);
  deWidth = makeEdit(this, Label2, "&Width", "in", 2, 6);
  dePPI = makeEdit(this, Label3, "&Pixels Per Inch", "", 10, 72);
  dePPI->SetIntegerOnly(true);
  dePPI->UpdateLabel();

  GroupBox1 = new QGroupBox("Colors", this);
  rbBW = new QRadioButton("Black and White", GroupBox1);
  rb16 = new QRadioButton("16 Colors", GroupBox1);
  rb256 = new QRadioButton("256 Colors", GroupBox1);
  rbHigh = new QRadioButton("High Color (16 bit)", GroupBox1);
  rbTrue = new QRadioButton("True Color (24 bit)", GroupBox1);
  rb16->setChecked(true);
  auto* colors = new QVBoxLayout(GroupBox1);
  for (QRadioButton* rb : {rbBW, rb16, rb256, rbHigh, rbTrue}) colors->addWidget(rb);

  btnOK = new QPushButton("OK", this);
  btnCancel = new QPushButton("Cancel", this);
  btnOK->setDefault(true);

  auto* grid = new QGridLayout;
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(deHeight, 0, 1);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(deWidth, 1, 1);
  grid->addWidget(Label3, 2, 0);
  grid->addWidget(dePPI, 2, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addWidget(GroupBox1);
  top->addLayout(buttons);

  connect(btnOK, &QPushButton::clicked, this, &TdlgFormat::btnOKClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TdlgFormat::btnOKClick() {
  for (TDataEdit* e : {deHeight, deWidth, dePPI})
    if (!e->IsValid()) return;
  const TBitmapSize size = BitmapSize(dePPI->Number(), deHeight->Number(), deWidth->Number());
  const bool fits = size.Width >= 1 && size.Height >= 1 &&
                    size.Width * size.Height <= static_cast<Extended>(kMaxBitmapPixels);
  if (m_bitmap) {
    if (fits) *m_bitmap = QImage(static_cast<int>(size.Width), static_cast<int>(size.Height), QImage::Format_RGB32);
    if (!fits || m_bitmap->isNull()) {
      *m_bitmap = QImage();
      done(kModalAbort);
      return;
    }
  }
  accept();
}

}  // namespace zrv::comp
