#include "batch/batch_runner.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace cif2at {
namespace {

using std::chrono::milliseconds;

// Jobs that finish out of order: the early ones take longest.
JobOutcome slow_early_job(std::size_t job, std::size_t count) {
  std::this_thread::sleep_for(std::chrono::microseconds(200 * (count - job)));
  if (job % 3 == 1) return Failure(FailureKind::BadValue, "job" + std::to_string(job), 0, "fails");
  return std::nullopt;
}

TEST(BatchRunner, ReportsEveryJobOnceInOrderWhateverTheThreads) {
  constexpr std::size_t kCount = 40;
  for (unsigned threads : {1u, 2u, 7u, 64u}) {
    std::vector<std::size_t> order;
    std::vector<std::string> failures;
    BatchProgress last;
    const std::thread::id caller = std::this_thread::get_id();
    std::set<std::thread::id> workers;
    std::mutex workers_lock;
    BatchCallbacks callbacks;
    callbacks.work = [&](std::size_t job) {
      {
        const std::lock_guard<std::mutex> guard(workers_lock);
        workers.insert(std::this_thread::get_id());
      }
      return slow_early_job(job, kCount);
    };
    callbacks.report = [&](std::size_t job, const JobOutcome& outcome) {
      EXPECT_EQ(std::this_thread::get_id(), caller);
      order.push_back(job);
      if (outcome) failures.push_back(outcome->file());
    };
    callbacks.tick = [&](const BatchProgress& progress) {
      EXPECT_GE(progress.done, order.size());  // reported jobs are done jobs
      last = progress;
    };
    run_in_order(kCount, threads, callbacks, milliseconds(1));

    std::vector<std::size_t> expected(kCount);
    for (std::size_t i = 0; i < kCount; ++i) expected[i] = i;
    EXPECT_EQ(order, expected) << threads;
    std::vector<std::string> expected_failures;
    for (std::size_t i = 1; i < kCount; i += 3) expected_failures.push_back("job" + std::to_string(i));
    EXPECT_EQ(failures, expected_failures) << threads;
    EXPECT_EQ(last.done, kCount);
    EXPECT_EQ(last.failed, expected_failures.size());
    EXPECT_EQ(last.total, kCount);
    EXPECT_LE(workers.size(), threads);
    EXPECT_FALSE(workers.contains(caller));
  }
}

TEST(BatchRunner, NoJobsCallsNothing) {
  bool called = false;
  BatchCallbacks callbacks{[&](std::size_t) {
                             called = true;
                             return JobOutcome{};
                           },
                           [&](std::size_t, const JobOutcome&) { called = true; },
                           [&](const BatchProgress&) { called = true; }};
  run_in_order(0, 4, callbacks, milliseconds(1));
  EXPECT_FALSE(called);
}

}  // namespace
}  // namespace cif2at
