#pragma once

// An open stdio file that closes itself, and the failure for a file the system refuses.

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "cif2at/failure.hpp"

namespace cif2at {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A FileFailure naming `name`: what could not be done, and the system's reason `error`.
[[noreturn]] inline void refuse_file(const std::string& name, const char* what, int error) {
  throw Failure(FailureKind::FileFailure, name, 0, std::string(what) + ": " + std::strerror(error));
}

}  // namespace cif2at
