// The run's worker pool: every task runs once, nested batches finish on the
// same threads, and a failing task's exception reaches the caller.

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "analysis/pool.h"

namespace {

TEST(WorkerPool, RunsEveryTaskOnceAlsoInNestedBatches) {
  for (int workers : {1, 3, 8}) {
    SCOPED_TRACE(workers);
    zrv::WorkerPool pool(workers);
    ASSERT_GE(pool.size(), 1);
    ASSERT_LE(pool.size(), workers);
    std::vector<std::atomic<int>> runs(40 * 3);
    std::atomic<bool> bad_worker{false};
    pool.run(40, [&](int k, int worker) {
      if (worker < 0 || worker >= pool.size()) bad_worker = true;
      pool.run(3, [&](int c, int) { ++runs[static_cast<std::size_t>(3 * k + c)]; });
    });
    EXPECT_FALSE(bad_worker);
    for (const std::atomic<int>& r : runs) EXPECT_EQ(r, 1);
  }
}

TEST(WorkerPool, PassesATasksExceptionOnAndStaysUsable) {
  zrv::WorkerPool pool(4);
  EXPECT_THROW(pool.run(50,
                        [](int k, int) {
                          if (k == 7) throw std::runtime_error("task 7");
                        }),
               std::runtime_error);
  std::atomic<int> again{0};
  pool.run(20, [&](int, int) { ++again; });
  EXPECT_EQ(again, 20);
}

}  // namespace
