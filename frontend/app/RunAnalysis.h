#pragma once
// The small window shown while the engine runs.

#include <QDialog>

class QProgressBar;
class QTimer;

namespace zrv::front {

class TDlgRunAnalysis : public QDialog {
  Q_OBJECT
public:
  explicit TDlgRunAnalysis(QWidget* parent = nullptr);

  QProgressBar* ProgressBarRun() const { return m_bar; }
  /// Advances the bar by 10, back to 0 when that would pass its maximum.
  void TimerRunTimer();

private:
  QProgressBar* m_bar;
  QTimer* m_timer;
};

}  // namespace zrv::front
