#pragma once

// The progress line of a batch on a terminal.

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "batch/batch_runner.hpp"

namespace cif2at {

// "  120/10000 done, 2 failed, 5230 files/s, 0:02 left": the count of jobs
// done, padded to the width of the total so that the line keeps its length;
// the rate and the time left once a job is done.
std::string progress_line(const BatchProgress& progress, std::chrono::duration<double> elapsed);

// Draws the progress line in place on `stream`, a terminal, and draws nothing
// when not `enabled`: a log file should hold only the diagnostics and the summary.
class ProgressDisplay {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kRedrawInterval{100};  // at most ten redraws a second

  ProgressDisplay(std::FILE* stream, bool enabled);

  // Redraws the line unless it was drawn less than kRedrawInterval ago, even if cleared since.
  void update(const BatchProgress& progress);
  // Removes the line, so that other text can be written to the stream.
  void clear();

 private:
  std::FILE* stream_;
  bool enabled_;
  bool shown_ = false;
  Clock::time_point start_;
  std::optional<Clock::time_point> last_drawn_;
};

}  // namespace cif2at
