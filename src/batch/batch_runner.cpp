#include "batch/batch_runner.hpp"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace cif2at {

namespace {

struct Slot {
  bool done = false;
  JobOutcome outcome;
};

// What the workers and the reporting thread share, under one lock.
struct SharedResults {
  explicit SharedResults(std::size_t count) : slots(count) {}

  std::mutex lock;
  std::condition_variable all_done;
  std::vector<Slot> slots;
  BatchProgress progress;
};

void work_through(std::atomic<std::size_t>& next_job, SharedResults& shared, const BatchCallbacks& callbacks) {
  const std::size_t count = shared.slots.size();
  for (std::size_t job; (job = next_job.fetch_add(1)) < count;) {
    JobOutcome outcome = callbacks.work(job);
    const std::lock_guard<std::mutex> guard(shared.lock);
    ++shared.progress.done;
    if (outcome) ++shared.progress.failed;
    shared.slots[job] = {true, std::move(outcome)};
    // The reporter looks for finished jobs once a tick; waking it for each
    // one would cost a switch of threads per job, more than a job itself.
    if (shared.progress.done == count) shared.all_done.notify_one();
  }
}

}  // namespace

void run_in_order(std::size_t count, unsigned threads, const BatchCallbacks& callbacks,
                  std::chrono::milliseconds tick_interval) {
  SharedResults shared(count);
  shared.progress.total = count;
  std::atomic<std::size_t> next_job = 0;
  std::vector<std::jthread> workers;
  const std::size_t worker_count = std::min<std::size_t>(std::max(threads, 1u), count);
  for (std::size_t i = 0; i < worker_count; ++i) {
    workers.emplace_back([&] { work_through(next_job, shared, callbacks); });
  }

  std::vector<std::pair<std::size_t, JobOutcome>> ready;
  for (std::size_t reported = 0; reported < count;) {
    BatchProgress progress;
    {
      std::unique_lock<std::mutex> guard(shared.lock);
      shared.all_done.wait_for(guard, tick_interval, [&] { return shared.progress.done == count; });
      for (; reported < count && shared.slots[reported].done; ++reported) {
        ready.emplace_back(reported, std::move(shared.slots[reported].outcome));
      }
      progress = shared.progress;
    }
    // Reported outside the lock, so that a slow standard error never holds up the workers.
    for (const auto& [job, outcome] : ready) callbacks.report(job, outcome);
    ready.clear();
    callbacks.tick(progress);
  }
}

}  // namespace cif2at
