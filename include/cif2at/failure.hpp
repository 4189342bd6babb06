#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace cif2at {

enum class FailureKind {
  EndOfFile,    // a read needs more input and the file has none left
  BadValue,     // a value the program cannot use
  FileFailure,  // a file cannot be opened, created, read or written
};

// A fatal failure: it ends the run, and only the program's entry point reports it.
class Failure : public std::runtime_error {
 public:
  Failure(FailureKind kind, std::string file, long line, const std::string& message)
      : std::runtime_error(message), kind_(kind), file_(std::move(file)), line_(line) {}

  FailureKind kind() const { return kind_; }
  const std::string& file() const { return file_; }
  long line() const { return line_; }  // 0 when no line applies

 private:
  FailureKind kind_;
  std::string file_;
  long line_;
};

// The one-line diagnostic: "cif2at: FILE:LINE: message" (without ":LINE" when none applies).
std::string describe(const Failure& failure);

// The same line with another program's name in front, for programs built on these stages.
std::string describe(const Failure& failure, std::string_view program);

// 1 for input the program cannot use, 2 for a file it cannot open, read or write.
int exit_status(const Failure& failure);

}  // namespace cif2at
