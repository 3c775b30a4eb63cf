#include "plotwindow/Caption.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zrv::comp {

TfrmGraphCaption::TfrmGraphCaption(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Graph Caption");
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  Label1 = new QLabel("Enter Graph Caption", this);
  edtCaption = new QLineEdit(this);
  Label1->setBuddy(edtCaption);
  GroupBox1 = new QGroupBox("Caption Location", this);
  rbTop = new QRadioButton("Top", GroupBox1);
  rbBottom = new QRadioButton("Bottom", GroupBox1);
  auto* where = new QHBoxLayout(GroupBox1);
  where->addWidget(rbTop);
  where->addWidget(rbBottom);
  btnOK = new QPushButton("&OK", this);
  btnOK->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOK);
  auto* top = new QVBoxLayout(this);
  top->addWidget(Label1);
  top->addWidget(edtCaption);
  top->addWidget(GroupBox1);
  top->addLayout(buttons);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace zrv::comp
