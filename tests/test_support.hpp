#pragma once

// Helpers shared by the tests: files in memory, and runs of the real program
// in a fresh temporary directory.

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace cif2at::testing {

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

  // Runs the program in this directory with `arguments` (a shell word list).
  RunResult run(const std::string& arguments = {}) const { return run_program(CIF2AT_BINARY, arguments); }
  // The same for another program; the files are those of this directory only.
  RunResult run_program(const std::string& program, const std::string& arguments) const;

 private:
  std::filesystem::path root_;  // holds the working directory and the captured streams
  std::filesystem::path path_;
};

// Every regular file below `directory`, by its path relative to it ("sub/x.cif").
std::map<std::string, std::string> files_below(const std::filesystem::path& directory);

// Runs the program in a fresh directory that holds `files`.
RunResult run_with(const std::map<std::string, std::string>& files, const std::string& arguments = {});

}  // namespace cif2at::testing
