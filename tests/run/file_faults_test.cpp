// Runs of the real program where the file system refuses a file. The tests run
// as root, who may read and write any file whatever its permissions, so the
// faults are ones that hold for root too: a directory where a file should be,
// a device that is always full, a working directory that no longer exists, a
// directory flagged immutable, a limit on the size of files.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "test_support.hpp"

namespace cif2at {
namespace {

namespace fs = std::filesystem;
using testing::fixture;
using testing::RunResult;
using testing::WorkDir;

using Files = std::map<std::string, std::string>;

const std::string kOldOutput = "an earlier at.dat\n";

void expect_failure(const RunResult& run, const std::string& err, const Files& files, const char* name) {
  EXPECT_EQ(run.status, 2) << name;
  EXPECT_EQ(run.out, "") << name;
  EXPECT_EQ(run.err, err) << name;
  EXPECT_EQ(run.files, files) << name;  // the regular files the directory holds afterwards
}

TEST(FileFaults, EachNamesTheFileAndLeavesAtDatAsFarAsTheRunGot) {
  const std::string cif = fixture("zns_example.cif");
  const auto directory = [](const char* name) { return [=](const WorkDir& dir) { fs::create_directory(dir.path() / name); }; };
  struct Case {
    const char* name;
    Files files;
    std::function<void(const WorkDir&)> fault;
    std::string before;  // shell commands run in the directory just before the program
    std::string err;
    Files after;
  } cases[] = {
      {"atom.cif is a directory", {{"at.dat", kOldOutput}}, directory("atom.cif"), "",
       "cif2at: atom.cif: cannot read: Is a directory\n", {{"at.dat", kOldOutput}, {"zelkor.dat", ""}}},
      {"zelkor.dat is a directory", {{"atom.cif", cif}, {"at.dat", kOldOutput}}, directory("zelkor.dat"), "",
       "cif2at: zelkor.dat: cannot read: Is a directory\n", {{"atom.cif", cif}, {"at.dat", kOldOutput}}},
      {"at.dat is a directory", {{"atom.cif", cif}}, directory("at.dat"), "",
       "cif2at: at.dat: cannot open for writing: Is a directory\n", {{"atom.cif", cif}}},
      {"at.dat is a link to a full device", {{"atom.cif", cif}},
       [](const WorkDir& dir) { fs::create_symlink("/dev/full", dir.path() / "at.dat"); }, "",
       "cif2at: at.dat: cannot write: No space left on device\n", {{"atom.cif", cif}, {"zelkor.dat", ""}}},
      {"the working directory is removed", {}, nullptr, "rmdir \"$PWD\"",
       "cif2at: atom.cif: cannot create: No such file or directory\n", {}},
  };
  for (const Case& c : cases) {
    const WorkDir dir;
    for (const auto& [name, text] : c.files) dir.write(name, text);
    if (c.fault) c.fault(dir);
    expect_failure(dir.run({}, c.before), c.err, c.after, c.name);
  }
  const WorkDir dir;  // a link stays a link, to the same place
  fs::create_symlink("/dev/full", dir.path() / "at.dat");
  dir.write("atom.cif", cif);
  dir.run();
  EXPECT_EQ(fs::read_symlink(dir.path() / "at.dat"), "/dev/full");
}

// Sets the immutable flag of a directory for its lifetime: no file can be
// created in it, not even by root, while its files can still be read and written.
class ImmutableDirectory {
 public:
  explicit ImmutableDirectory(const fs::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_DIRECTORY)) {
    set_ = fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags_) == 0 && set_flags(flags_ | FS_IMMUTABLE_FL);
  }
  ~ImmutableDirectory() {
    if (set_) set_flags(flags_);
    if (fd_ >= 0) ::close(fd_);
  }
  ImmutableDirectory(const ImmutableDirectory&) = delete;
  ImmutableDirectory& operator=(const ImmutableDirectory&) = delete;

  bool set() const { return set_; }

 private:
  bool set_flags(int flags) { return ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0; }

  int fd_;
  int flags_ = 0;
  bool set_ = false;
};

TEST(FileFaults, AFileThatMustBeCreatedWhereNoneCanBe) {
  const std::string cif = fixture("zns_example.cif");
  struct Case {
    const char* name;
    Files files;
    std::string err;
  } cases[] = {
      {"no at.dat", {{"atom.cif", cif}, {"zelkor.dat", ""}},
       "cif2at: at.dat: cannot open for writing: Operation not permitted\n"},
      {"no zelkor.dat", {{"atom.cif", cif}, {"at.dat", kOldOutput}},
       "cif2at: zelkor.dat: cannot create: Operation not permitted\n"},
  };
  for (const Case& c : cases) {
    const WorkDir dir;
    for (const auto& [name, text] : c.files) dir.write(name, text);
    const ImmutableDirectory immutable(dir.path());
    if (!immutable.set()) GTEST_SKIP() << "the file system of " << dir.path() << " has no immutable flag";
    expect_failure(dir.run(), c.err, c.files, c.name);
  }
}

// Lowers the limit on the size of the files this process and its children
// write, for its lifetime. Going over it fails the write with EFBIG instead
// of raising SIGXFSZ, which is ignored meanwhile.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : old_signal_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old_limit_);
    rlimit limit = old_limit_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_signal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_limit_{};
  void (*old_signal_)(int);
};

TEST(FileFaults, AWriteThatFailsHalfWayLeavesTheLinesWrittenWhole) {
  const Files files = {{"atom.cif", fixture("shelxl.cif")}, {"zelkor.dat", "    1 1.00 1.00 1.00\n"}};
  const std::string full = *testing::run_with(files).file("at.dat");
  constexpr std::size_t kLimit = 512;
  ASSERT_GT(full.size(), kLimit);
  const std::string whole_lines = full.substr(0, full.rfind('\n', kLimit - 1) + 1);

  const WorkDir dir;
  for (const auto& [name, text] : files) dir.write(name, text);
  dir.write("at.dat", kOldOutput);
  RunResult run;
  {
    const FileSizeLimit limit(kLimit);
    run = dir.run();
  }
  Files after = files;
  after["at.dat"] = whole_lines;
  expect_failure(run, "cif2at: at.dat: cannot write: File too large\n", after, "over the size limit");
}

}  // namespace
}  // namespace cif2at
