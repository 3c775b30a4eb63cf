#pragma once
// A way for a kernel to hand out independent pieces of work without starting
// threads of its own: the caller that owns the threads supplies the runner.

#include <functional>

namespace zrv {

/// Runs independent tasks. run(count, task) calls task(k) once for every k in
/// 0..count-1, possibly several at once on other threads, and returns when
/// all have run. An exception thrown by a task is passed on by run, once the
/// tasks already started have ended.
class TaskRunner {
 public:
  virtual void run(int count, const std::function<void(int)>& task) = 0;

 protected:
  ~TaskRunner() = default;
};

}  // namespace zrv
