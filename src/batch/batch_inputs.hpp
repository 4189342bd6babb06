#pragma once

// Which files a batch converts, and where each output goes.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cif2at {

struct BatchJob {
  std::filesystem::path input;   // as the command line or the directory search gives it
  std::filesystem::path output;  // <name>.at.dat in the output directory or beside the input
};

// The CIFs named by `paths`, in their order. A regular file is taken as it
// is, whatever its name; a directory gives every regular file below it whose
// name ends in ".cif" in any case, sorted by path so that the order never
// depends on the file system. Links to directories below are not followed,
// so a link loop cannot make the search endless. A path that does not exist
// or is neither a file nor a directory, or a directory that cannot be read,
// is a FileFailure.
std::vector<std::filesystem::path> collect_inputs(std::span<const std::string> paths);

// "<name>.at.dat" for the input's file name without its ".cif" ending (in any case).
std::string output_name(const std::filesystem::path& input);

// Pairs each input with its output, in `out_dir` when given (it must be a
// directory) and beside the input otherwise. Two inputs with one output, or
// an output that is one of the inputs, is a BadValue, found before anything
// is written.
std::vector<BatchJob> plan_jobs(const std::vector<std::filesystem::path>& inputs,
                                const std::optional<std::filesystem::path>& out_dir);

}  // namespace cif2at
