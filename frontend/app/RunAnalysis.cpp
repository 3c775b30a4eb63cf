#include "app/RunAnalysis.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace zrv::front {

TDlgRunAnalysis::TDlgRunAnalysis(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Zorvin, Run Analysis");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Computations are underway", this));
  layout->addWidget(new QLabel("please wait ..........", this));
  m_bar = new QProgressBar(this);
  m_bar->setRange(0, 100);
  m_bar->setValue(50);
  m_bar->setTextVisible(false);
  layout->addWidget(m_bar);
  m_timer = new QTimer(this);
  m_timer->setInterval(100);
  connect(m_timer, &QTimer::timeout, this, &TDlgRunAnalysis::TimerRunTimer);
  m_timer->start();
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgRunAnalysis::TimerRunTimer() {
  if (m_bar->value() + 10 > m_bar->maximum())
    m_bar->setValue(0);
  else
    m_bar->setValue(m_bar->value() + 10);
}

}  // namespace zrv::front
