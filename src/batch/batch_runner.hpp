#pragma once

// Running the conversions of a batch on several threads while reporting
// their results in input order.

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>

#include "cif2at/failure.hpp"

namespace cif2at {

using JobOutcome = std::optional<Failure>;  // nothing when the job succeeded

struct BatchProgress {
  std::size_t done = 0;    // jobs finished, in any order
  std::size_t failed = 0;  // of those, the ones that failed
  std::size_t total = 0;
};

struct BatchCallbacks {
  std::function<JobOutcome(std::size_t job)> work;                       // on a worker thread
  std::function<void(std::size_t job, const JobOutcome& outcome)> report;  // on the caller's thread
  std::function<void(const BatchProgress& progress)> tick;                // on the caller's thread
};

// Runs work(i) for every job i below `count` on `threads` threads (at most
// one per job). report(i, ...) comes on the calling thread in the order of i,
// within a `tick_interval` of job i and every job before it being done, so
// what is reported never depends on the number of threads or their timing.
// tick() comes once every `tick_interval` while the jobs run, and at the end.
void run_in_order(std::size_t count, unsigned threads, const BatchCallbacks& callbacks,
                  std::chrono::milliseconds tick_interval);

}  // namespace cif2at
