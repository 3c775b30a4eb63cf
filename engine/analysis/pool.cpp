#include "analysis/pool.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <system_error>

namespace zrv {

namespace {

// The pool's name for the thread running: 0 for the thread that made the
// pool (and any other caller), 1.. for its helpers.
thread_local int current_worker = 0;

}  // namespace

struct WorkerPool::Batch {
  int count = 0;
  const std::function<void(int, int)>* task = nullptr;
  std::atomic<int> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr error;  // the first failure, under the pool's lock
  int users = 0;             // helpers working on the batch, under the pool's lock
};

WorkerPool::WorkerPool(int workers) {
  const int wanted = std::max(workers, 1) - 1;
  helpers_.reserve(static_cast<std::size_t>(wanted));
  for (int h = 1; h <= wanted; ++h) {
    try {
      helpers_.emplace_back([this, h] { serve(h); });
    } catch (const std::system_error&) {
      break;  // run with the helpers already started
    }
  }
}

WorkerPool::~WorkerPool() {
  {
    const std::lock_guard<std::mutex> hold(lock_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : helpers_) t.join();
}

void WorkerPool::work_on(Batch& batch, int worker) {
  for (int k = batch.next++; k < batch.count; k = batch.next++) {
    if (batch.failed) continue;
    try {
      (*batch.task)(k, worker);
    } catch (...) {
      const std::lock_guard<std::mutex> hold(lock_);
      if (!batch.error) batch.error = std::current_exception();
      batch.failed = true;
    }
  }
}

void WorkerPool::serve(int worker) {
  current_worker = worker;
  std::unique_lock<std::mutex> hold(lock_);
  for (;;) {
    wake_.wait(hold, [this] { return stop_ || !open_.empty(); });
    if (stop_) return;
    Batch* batch = open_.front();
    ++batch->users;
    hold.unlock();
    work_on(*batch, worker);
    hold.lock();
    // Nothing is left to take: no thread need look at the batch again.
    std::erase(open_, batch);
    if (--batch->users == 0) ended_.notify_all();
  }
}

void WorkerPool::run(int count, const std::function<void(int, int)>& task) {
  const int worker = current_worker;
  if (helpers_.empty() || count <= 1) {
    for (int k = 0; k < count; ++k) task(k, worker);
    return;
  }
  Batch batch;
  batch.count = count;
  batch.task = &task;
  {
    const std::lock_guard<std::mutex> hold(lock_);
    open_.push_back(&batch);
  }
  wake_.notify_all();
  work_on(batch, worker);
  std::unique_lock<std::mutex> hold(lock_);
  std::erase(open_, &batch);
  // Every task has been taken; wait for the helpers still running one.
  ended_.wait(hold, [&batch] { return batch.users == 0; });
  if (batch.error) std::rethrow_exception(batch.error);
}

}  // namespace zrv
