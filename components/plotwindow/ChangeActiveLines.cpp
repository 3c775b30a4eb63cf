#include "plotwindow/ChangeActiveLines.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace zrv::comp {

QString ToggledCurveState(const QString& state) { return state == kCurveYes ? kCurveNo : kCurveYes; }

TfrmActiveLines::TfrmActiveLines(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Active Curves");
  Label1 = new QLabel("Select Curve to Active/Desactive", this);
  Label2 = new QLabel("Active :", this);
  Label3 = new QLabel("Curve", this);
  lbLines = new QListWidget(this);
  lbLines->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ActivateDesactivateButton = new QPushButton("Activate/Deactivate Selected", this);
  ActivateButton = new QPushButton("Activate All", this);
  DesactivateButton = new QPushButton("Deactivate All", this);
  btnOK = new QPushButton("&OK", this);
  btnCancel = new QPushButton("&Cancel", this);
  setMinimumSize(190, 234);
  resize(260, 320);

  connect(lbLines, &QListWidget::itemDoubleClicked, this, [this] { Toggle(lbLines->currentRow()); });
  connect(ActivateDesactivateButton, &QPushButton::clicked, this, &TfrmActiveLines::ActivateDesactivateButtonClick);
  connect(ActivateButton, &QPushButton::clicked, this, &TfrmActiveLines::ActivateButtonClick);
  connect(DesactivateButton, &QPushButton::clicked, this, &TfrmActiveLines::DesactivateButtonClick);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  layOut();
}

void TfrmActiveLines::SetLines(const QStringList* names, QStringList* states) {
  m_names = names;
  m_states = states;
  lbLines->clear();
  if (!names || !states) return;
  for (int i = 0; i < states->size() && i < names->size(); ++i) {
    lbLines->addItem(QString());
    rewrite(i);
  }
  if (lbLines->count() > 0) lbLines->setCurrentRow(0);
}

void TfrmActiveLines::rewrite(int i) { lbLines->item(i)->setText((*m_states)[i] + "   " + (*m_names)[i]); }

void TfrmActiveLines::Toggle(int i) {
  if (!m_states || i < 0 || i >= lbLines->count()) return;
  (*m_states)[i] = ToggledCurveState((*m_states)[i]);
  rewrite(i);
}

void TfrmActiveLines::ActivateDesactivateButtonClick() {
  for (int i = 0; i < lbLines->count(); ++i)
    if (lbLines->item(i)->isSelected()) Toggle(i);
}

void TfrmActiveLines::ActivateButtonClick() {
  if (!m_states) return;
  for (int i = 0; i < lbLines->count(); ++i) {
    (*m_states)[i] = kCurveYes;
    rewrite(i);
  }
}

void TfrmActiveLines::DesactivateButtonClick() {
  if (!m_states) return;
  for (int i = 0; i < lbLines->count(); ++i) {
    (*m_states)[i] = kCurveNo;
    rewrite(i);
  }
}

void TfrmActiveLines::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  layOut();
}

void TfrmActiveLines::layOut() {
  const int w = width(), h = height();
  const int lh = Label1->sizeHint().height();
  const int bh = btnOK->sizeHint().height();
  int y = 5;
  Label1->setGeometry(10, y, w - 20, lh);
  y += lh + 5;
  Label2->setGeometry(10, y, Label2->sizeHint().width(), lh);
  Label3->setGeometry(20 + Label2->sizeHint().width(), y, Label3->sizeHint().width(), lh);
  y += lh + 10;
  const int listH = qMax(20, h - 2 * lh - 4 * bh - 50);
  lbLines->setGeometry(10, y, w - 20, listH);
  y += listH + 10;
  ActivateDesactivateButton->setGeometry(15, y, qMin(w - 30, ActivateDesactivateButton->sizeHint().width()), bh);
  y += bh + 10;
  const int aw = ActivateButton->sizeHint().width();
  const int dw = DesactivateButton->sizeHint().width();
  ActivateButton->setGeometry(10, y, aw, bh);
  DesactivateButton->setGeometry(w - 10 - dw, y, dw, bh);
  y += bh + 10;
  const int ow = btnOK->sizeHint().width();
  btnOK->setGeometry(20, y, ow, bh);
  btnCancel->setGeometry(w - 20 - ow, y, ow, bh);
}

}  // namespace zrv::comp
