#include "app/RunAnalysis.h"

#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <memory>

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

int TDlgRunAnalysis::RunWhile(const std::function<int()>& work) {
  int result = -1;
  std::exception_ptr failure;
  std::unique_ptr<QThread> worker(QThread::create([&] {
    try {
      result = work();
    } catch (...) {
      failure = std::current_exception();
    }
  }));
  // Delivered through this dialog's event loop, also when the work ends
  // before the loop has started.
  connect(worker.get(), &QThread::finished, this, [this] {
    m_running = false;
    accept();
  });
  m_running = true;
  worker->start();
  exec();
  worker->wait();
  if (failure) std::rethrow_exception(failure);
  return result;
}

void TDlgRunAnalysis::done(int result) {
  if (m_running) return;
  QDialog::done(result);
}

}  // namespace zrv::front
