#pragma once

// The command line of cif2at-batch.

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace cif2at {

inline constexpr const char* kBatchProgram = "cif2at-batch";
inline constexpr unsigned kMaxJobs = 1024;  // more threads than this only costs memory

enum class BatchRequest { Convert, Help, Version };

struct BatchOptions {
  unsigned jobs = 0;                   // 0: one per hardware thread
  std::optional<std::string> control;  // the control file every conversion reads
  std::optional<std::string> out_dir;  // where the outputs go; none: beside each input
  std::vector<std::string> paths;      // CIF files and directories, in the order given
};

struct ParsedArguments {
  BatchRequest request = BatchRequest::Convert;
  BatchOptions options;
  std::string error;  // not empty: the command line cannot be used, and why
};

// Reads the arguments after the program name. Options take their value as
// the next argument or after "=" (--jobs 4, --jobs=4); "--" ends the options.
// The first of --help, --version or a usage error decides the request.
ParsedArguments parse_arguments(std::span<const char* const> arguments);

}  // namespace cif2at
