#pragma once
// The small window shown while the engine runs.

#include <QDialog>
#include <functional>

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

  /// Runs `work` on a worker thread while this dialog is shown modally: the
  /// windows repaint and the bar moves, and no input reaches the program.
  /// The dialog closes itself when `work` has returned; the user cannot
  /// close it before. Returns what `work` returned; an exception it raised
  /// passes on here.
  int RunWhile(const std::function<int()>& work);

  /// Refused while a run is under way (Escape, the window's close).
  void done(int result) override;

private:
  QProgressBar* m_bar;
  QTimer* m_timer;
  bool m_running = false;
};

}  // namespace zrv::front
