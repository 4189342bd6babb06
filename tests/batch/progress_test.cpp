#include "batch/progress.hpp"

#include <gtest/gtest.h>

namespace cif2at {
namespace {

TEST(Progress, LineKeepsItsWidthAndEstimatesTheTimeLeft) {
  using Seconds = std::chrono::duration<double>;
  struct Case {
    BatchProgress progress;
    double elapsed;
    const char* line;
  } cases[] = {
      {{0, 0, 10000}, 0.0, "    0/10000 done, 0 failed"},
      {{0, 0, 10000}, 0.5, "    0/10000 done, 0 failed"},  // no rate before the first job
      {{120, 2, 10000}, 1.0, "  120/10000 done, 2 failed, 120 files/s, 1:23 left"},  // 82.3 s, rounded up
      {{9999, 3, 10000}, 2.0, " 9999/10000 done, 3 failed, 5000 files/s, 0:01 left"},
      {{10000, 0, 10000}, 2.0, "10000/10000 done, 0 failed, 5000 files/s, 0:00 left"},
      {{1, 0, 10000}, 1.0, "    1/10000 done, 0 failed, 1 files/s, 2:46:39 left"},
      {{3, 1, 7}, 0.001, "3/7 done, 1 failed, 3000 files/s, 0:01 left"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(progress_line(c.progress, Seconds(c.elapsed)), c.line);
  }
}

}  // namespace
}  // namespace cif2at
