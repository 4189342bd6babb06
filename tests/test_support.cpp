#include "test_support.hpp"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace cif2at::testing {

namespace fs = std::filesystem;

TempFile::TempFile(std::string_view text) : file_(std::tmpfile()) {
  if (file_ == nullptr) throw std::runtime_error("tmpfile failed");
  // An empty view may hold a null pointer, which fwrite must not be given.
  if (!text.empty()) std::fwrite(text.data(), 1, text.size(), file_);
  std::rewind(file_);
}

TempFile::~TempFile() { std::fclose(file_); }

std::string TempFile::contents() const {
  std::fflush(file_);
  const long here = std::ftell(file_);
  std::rewind(file_);
  std::string text;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file_)) > 0;) text.append(chunk, n);
  std::fseek(file_, here, SEEK_SET);
  return text;
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const fs::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string fixture(std::string_view name) { return read_file(fs::path(CIF2AT_TEST_DATA) / name); }

std::optional<std::string> RunResult::file(const std::string& name) const {
  const auto found = files.find(name);
  if (found == files.end()) return std::nullopt;
  return found->second;
}

WorkDir::WorkDir() {
  std::string pattern = (fs::temp_directory_path() / "cif2at-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  path_ = root_ / "work";
  fs::create_directory(path_);
}

WorkDir::~WorkDir() {
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(root_, ignored);
}

RunResult WorkDir::run_program(const std::string& program, const std::string& arguments,
                                const std::string& before) const {
  const std::string command = "cd '" + path_.string() + "' && " + (before.empty() ? "" : before + " && ") + "'" +
                              program + "' " + arguments + " >'" + (root_ / "stdout").string() + "' 2>'" +
                              (root_ / "stderr").string() + "'";
  const int raw = std::system(command.c_str());
  RunResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = read_file(root_ / "stdout");
  result.err = read_file(root_ / "stderr");
  if (!fs::exists(path_)) return result;  // removed by `before`
  for (const auto& entry : fs::directory_iterator(path_)) {
    if (entry.is_regular_file()) result.files[entry.path().filename().string()] = read_file(entry.path());
  }
  return result;
}

std::map<std::string, std::string> files_below(const fs::path& directory) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(directory)) {
    if (entry.is_regular_file()) files[entry.path().lexically_relative(directory).string()] = read_file(entry.path());
  }
  return files;
}

RunResult run_with(const std::map<std::string, std::string>& files, const std::string& arguments) {
  const WorkDir dir;
  for (const auto& [name, text] : files) dir.write(name, text);
  return dir.run(arguments);
}

}  // namespace cif2at::testing
