#pragma once

// Helpers shared by the tests: files in memory, and runs of the real program
// in a fresh temporary directory.

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "cif2at/failure.hpp"

namespace cif2at::testing {

// The failure that `action` raises, if any.
template <class Action>
std::optional<Failure> failure_of(Action&& action) {
  try {
    action();
  } catch (const Failure& failure) {
    return failure;
  }
  return std::nullopt;
}

// The diagnostic line of that failure, or "no failure".
template <class Action>
std::string diagnostic_of(Action&& action) {
  const std::optional<Failure> failure = failure_of(action);
  return failure ? describe(*failure) : "no failure";
}

// The "at.dat" of the bundled example, the wurtzite form of ZnSe.
inline constexpr const char* kExampleAtDat =
    " 3.9980    3.9980   13.4510    90.0000   90.0000  120.0000\n"
    "   1    0.12500   0.25000   0.00000    Zn1  Zn2+\n"
    "   1    0.62500   0.75000   0.50000    Zn2  Zn2+\n"
    "   2    0.12500   0.25000   0.37500    Se1  Se2-\n"
    "   2    0.62500   0.75000   0.87500    Se2  Se2-\n"
    "\n"
    "    2    2    2    4\n";

// A temporary file holding `text`, open for reading and writing at its start.
class TempFile {
 public:
  explicit TempFile(std::string_view text = {});
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  std::FILE* get() const { return file_; }
  std::string contents() const;  // everything the file holds now

 private:
  std::FILE* file_;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, std::string_view text);
std::string fixture(std::string_view name);  // a file of tests/data

// The files a run leaves in its directory, by name, and what it printed.
struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
  std::map<std::string, std::string> files;

  std::optional<std::string> file(const std::string& name) const;
};

// A fresh working directory, removed afterwards.
class WorkDir {
 public:
  WorkDir();
  ~WorkDir();
  WorkDir(const WorkDir&) = delete;
  WorkDir& operator=(const WorkDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  void write(const std::string& name, std::string_view text) const { write_file(path_ / name, text); }

  // Runs the program in this directory with `arguments` (a shell word list),
  // after the shell commands `before`, run in the directory too.
  RunResult run(const std::string& arguments = {}, const std::string& before = {}) const {
    return run_program(CIF2AT_BINARY, arguments, before);
  }
  // The same for another program; the files are those of this directory only.
  RunResult run_program(const std::string& program, const std::string& arguments,
                        const std::string& before = {}) const;

 private:
  std::filesystem::path root_;  // holds the working directory and the captured streams
  std::filesystem::path path_;
};

// Every regular file below `directory`, by its path relative to it ("sub/x.cif").
std::map<std::string, std::string> files_below(const std::filesystem::path& directory);

// Runs the program in a fresh directory that holds `files`.
RunResult run_with(const std::map<std::string, std::string>& files, const std::string& arguments = {});

}  // namespace cif2at::testing
