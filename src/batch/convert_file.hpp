#pragma once

// One conversion of a batch: an input CIF by its own path to its output file.

#include <sys/types.h>

#include <optional>
#include <string>

#include "batch/batch_inputs.hpp"
#include "cif2at/failure.hpp"
#include "cif2at/records.hpp"

namespace cif2at {

// Reads the control file at `path` once for every conversion of the batch.
// A file that cannot be read is a FileFailure; a malformed one a BadValue.
ControlSettings read_shared_control(const std::string& path);

// The mode a new file gets from open(2) with 0666 under the process's umask.
// Read once, before any thread starts: umask(2) can only be read by setting it.
mode_t new_file_mode();

// Converts `job.input` and puts the result at `job.output` whole: it is
// written to a file without a name in the output's directory and linked under
// the name, or, where an older output stands, written to a temporary file
// beside it and renamed over it; a reader sees the old output or the new one,
// never a part. A failed conversion leaves no file behind and the old output
// as it was. Returns the failure, if any; its diagnostic names the input by
// `job.input`.
std::optional<Failure> convert_job(const BatchJob& job, const ControlSettings& settings, mode_t mode);

}  // namespace cif2at
