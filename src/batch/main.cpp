// cif2at-batch: converts many CIFs at once, each to its own "<name>.at.dat",
// with the stages cif2at runs on "atom.cif".

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <exception>
#include <new>
#include <thread>

#include "batch/batch_arguments.hpp"
#include "batch/batch_inputs.hpp"
#include "batch/batch_runner.hpp"
#include "batch/convert_file.hpp"
#include "batch/progress.hpp"
#include "cif2at/failure.hpp"

namespace {

using namespace cif2at;

constexpr const char* kShortUsage =
    "Usage: cif2at-batch [--jobs N] [--control FILE] [--out DIR] PATH...\n"
    "Try 'cif2at-batch --help' for more information.\n";

constexpr const char* kHelp =
    "Usage: cif2at-batch [--jobs N] [--control FILE] [--out DIR] PATH...\n"
    "Converts each CIF to <name>.at.dat, the file cif2at writes as \"at.dat\" for it\n"
    "as \"atom.cif\". A PATH is a CIF file, or a directory searched recursively for\n"
    "files ending in .cif (in any case); <name> is the file name without .cif.\n"
    "\n"
    "  --jobs N        convert on N threads (default: one per hardware thread)\n"
    "  --control FILE  read FILE as \"zelkor.dat\" for every conversion\n"
    "                  (default: an empty control file)\n"
    "  --out DIR       write the outputs into DIR (default: beside each input)\n"
    "  --help          print this text and exit\n"
    "  --version       print the version and exit\n"
    "\n"
    "Each output is written whole or not at all. A conversion that fails prints\n"
    "one line, writes nothing and leaves an older output as it was; the others go\n"
    "on. Exit status: 0 all converted, 1 some failed, 2 nothing done (a usage\n"
    "error, or a control file, output directory or input that cannot be used).\n";

struct BatchPlan {
  std::vector<BatchJob> jobs;
  ControlSettings settings;
};

// Everything that can be found wrong before the first conversion.
BatchPlan plan(const BatchOptions& options) {
  BatchPlan result;
  if (options.control) result.settings = read_shared_control(*options.control);
  std::optional<std::filesystem::path> out_dir;
  if (options.out_dir) out_dir = *options.out_dir;
  result.jobs = plan_jobs(collect_inputs(options.paths), out_dir);
  return result;
}

int convert_all(const BatchPlan& plan, unsigned jobs) {
  const mode_t mode = new_file_mode();
  ProgressDisplay display(stderr, ::isatty(STDERR_FILENO) == 1);
  std::size_t failed = 0;
  BatchCallbacks callbacks{
      [&](std::size_t job) { return convert_job(plan.jobs[job], plan.settings, mode); },
      [&](std::size_t, const JobOutcome& outcome) {
        if (!outcome) return;
        ++failed;
        display.clear();
        std::fprintf(stderr, "%s\n", describe(*outcome, kBatchProgram).c_str());
      },
      [&](const BatchProgress& progress) { display.update(progress); },
  };
  run_in_order(plan.jobs.size(), jobs, callbacks, ProgressDisplay::kRedrawInterval);
  display.clear();
  std::fprintf(stderr, "%zu converted, %zu failed\n", plan.jobs.size() - failed, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedArguments parsed = parse_arguments({argv + 1, static_cast<std::size_t>(argc - 1)});
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "%s: %s\n%s", kBatchProgram, parsed.error.c_str(), kShortUsage);
    return 2;
  }
  if (parsed.request == BatchRequest::Help) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (parsed.request == BatchRequest::Version) {
    std::printf("%s %s\n", kBatchProgram, CIF2AT_VERSION);
    return 0;
  }
  try {
    const BatchPlan batch = plan(parsed.options);
    const unsigned jobs = parsed.options.jobs != 0 ? parsed.options.jobs : std::thread::hardware_concurrency();
    return convert_all(batch, jobs);
  } catch (const Failure& failure) {
    std::fprintf(stderr, "%s\n", describe(failure, kBatchProgram).c_str());
    return 2;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", kBatchProgram);
    return 2;
  } catch (const std::exception& error) {  // such as threads that cannot be started
    std::fprintf(stderr, "%s: %s\n", kBatchProgram, error.what());
    return 2;
  }
}
