#pragma once
// The worker threads of one analysis run.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "numerics/tasks.h"

namespace zrv {

/// A pool of worker threads kept for one run. The thread that calls run()
/// works on its own batch too, so a pool of one worker runs everything on the
/// caller's thread, and a task may call run() again (its nested batch is then
/// shared with the workers that are idle, never with more threads than the
/// pool holds). A helper thread that cannot be started leaves a smaller pool;
/// every started thread is joined by the destructor.
class WorkerPool final : public TaskRunner {
 public:
  /// Starts workers - 1 helper threads (fewer when the system refuses one).
  explicit WorkerPool(int workers);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  /// Threads that work on a batch: the helpers and the thread that made the
  /// pool, which is worker 0.
  int size() const override { return static_cast<int>(helpers_.size()) + 1; }

  /// Runs task(k, worker) for k = 0..count-1, taken in rising order of k.
  void run(int count, const std::function<void(int, int)>& task) override;

 private:
  struct Batch;
  void serve(int worker);
  // Takes and runs tasks of `batch` until none is left to take.
  void work_on(Batch& batch, int worker);

  std::mutex lock_;
  std::condition_variable wake_;   // a batch was posted, or the pool stops
  std::condition_variable ended_;  // a batch's last task ended
  std::deque<Batch*> open_;        // batches with tasks still to take
  bool stop_ = false;
  std::vector<std::thread> helpers_;
};

}  // namespace zrv
