#include "cif2at/failure.hpp"

namespace cif2at {

std::string describe(const Failure& failure) { return describe(failure, "cif2at"); }

std::string describe(const Failure& failure, std::string_view program) {
  std::string text(program);
  text += ": ";
  text += failure.file();
  if (failure.line() > 0) {
    text += ':';
    text += std::to_string(failure.line());
  }
  text += ": ";
  text += failure.what();
  return text;
}

int exit_status(const Failure& failure) { return failure.kind() == FailureKind::FileFailure ? 2 : 1; }

}  // namespace cif2at
