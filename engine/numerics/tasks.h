#pragma once
// A way for a kernel to hand out independent pieces of work without starting
// threads of its own: the caller that owns the threads supplies the runner.

#include <functional>

namespace zrv {

/// Runs independent tasks. run(count, task) calls task(k, worker) once for
/// every k in 0..count-1, possibly several at once on other threads, and
/// returns when all have run. worker (0..size()-1) names the thread running
/// the task, so that each thread can keep its own working storage; no two
/// tasks run at once with the same worker. An exception thrown by a task is
/// passed on by run, once the tasks already started have ended.
class TaskRunner {
 public:
  virtual int size() const = 0;
  virtual void run(int count, const std::function<void(int, int)>& task) = 0;

 protected:
  ~TaskRunner() = default;
};

}  // namespace zrv
