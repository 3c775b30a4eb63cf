#include "plotwindow/ChangeLineNames.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>

#include "plotwindow/PlotGeometry.h"
#include "ui/UiHooks.h"

namespace zrv::comp {

TfrmLineNames::TfrmLineNames(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Legend");
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  Label1 = new QLabel("Select line to modify:", this);
  lbLines = new QListWidget(this);
  Label2 = new QLabel("Type new legend below:", this);
  edLine = new QLineEdit(this);
  btnOK = new QPushButton("&OK", this);
  btnCancel = new QPushButton("&Cancel", this);
  // Enter belongs to the edit: it renames, it does not close the dialog.
  for (QPushButton* b : {btnOK, btnCancel}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  setMinimumSize(195, 167);
  resize(260, 240);

  connect(lbLines, &QListWidget::currentRowChanged, this, &TfrmLineNames::ShowSelected);
  connect(lbLines, &QListWidget::itemClicked, this, &TfrmLineNames::ShowSelected);
  connect(lbLines, &QListWidget::itemDoubleClicked, this, &TfrmLineNames::ShowSelected);
  connect(edLine, &QLineEdit::returnPressed, this, &TfrmLineNames::edLineAccept);
  edLine->installEventFilter(this);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  layOut();
}

void TfrmLineNames::SetNames(QStringList* names) {
  m_names = names;
  lbLines->clear();
  if (names) lbLines->addItems(*names);
  if (lbLines->count() > 0) lbLines->setCurrentRow(0);
  ShowSelected();
}

void TfrmLineNames::ShowSelected() {
  const int row = lbLines->currentRow();
  if (row < 0) {
    edLine->clear();
    return;
  }
  QPalette pal = edLine->palette();
  pal.setColor(QPalette::Text, QColor(QRgb(PlotColor(row))));
  edLine->setPalette(pal);
  edLine->setText(lbLines->item(row)->text());
}

void TfrmLineNames::edLineAccept() {
  const int row = lbLines->currentRow();
  if (row < 0) return;
  if (edLine->text().isEmpty()) {
    ShowInformation("The line must have a name!");
    edLine->setText(lbLines->item(row)->text());
    return;
  }
  lbLines->item(row)->setText(edLine->text());
}

bool TfrmLineNames::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edLine && event->type() == QEvent::FocusOut) edLineAccept();
  return QDialog::eventFilter(watched, event);
}

void TfrmLineNames::done(int result) {
  if (m_names) {
    for (int i = 0; i < lbLines->count() && i < m_names->size(); ++i) (*m_names)[i] = lbLines->item(i)->text();
  }
  QDialog::done(result);
}

void TfrmLineNames::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  layOut();
}

void TfrmLineNames::layOut() {
  const int w = width(), h = height();
  const int lh = Label1->sizeHint().height();
  const int eh = edLine->sizeHint().height();
  const int bh = btnOK->sizeHint().height();
  const int bw = btnOK->sizeHint().width();
  int y = 5;
  Label1->setGeometry(10, y, w - 20, lh);
  y += lh + 5;
  const int listH = qMax(20, h - 2 * lh - eh - bh - 40);
  lbLines->setGeometry(10, y, w - 20, listH);
  y += listH + 5;
  Label2->setGeometry(10, y, w - 20, lh);
  y += lh + 5;
  edLine->setGeometry(10, y, w - 20, eh);
  y += eh + 5;
  btnOK->setGeometry(20, y, bw, bh);
  btnCancel->setGeometry(w - 20 - bw, y, bw, bh);
}

}  // namespace zrv::comp
