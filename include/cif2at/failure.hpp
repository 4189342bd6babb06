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

// `text` with its control characters but the tab written as \xNN. A message
// quotes bytes of the files, and a NUL, a CR or an escape would cut the
// diagnostic short or garble the terminal.
std::string visible(std::string_view text);

// A fatal failure: it ends the run, and only the program's entry point reports it.
class Failure : public std::runtime_error {
 public:
  Failure(FailureKind kind, std::string file, long line, const std::string& message)
      : std::runtime_error(visible(message)), kind_(kind), file_(std::move(file)), line_(line) {}

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

// A value from a file in single quotes, for a message. One longer than 40
// characters is cut there and ends in "...": a quote never closed or a line of
// megabytes must still give a diagnostic one can read.
std::string in_quotes(std::string_view value);

// The same line with another program's name in front, for programs built on these stages.
std::string describe(const Failure& failure, std::string_view program);

// 1 for input the program cannot use, 2 for a file it cannot open, read or write.
int exit_status(const Failure& failure);

}  // namespace cif2at
