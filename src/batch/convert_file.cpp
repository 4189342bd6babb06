#include "batch/convert_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "records/output_records.hpp"
#include "records/text_input.hpp"
#include "run/control_file.hpp"
#include "run/conversion.hpp"
#include "run/file.hpp"

namespace cif2at {

namespace {

File open_for_reading(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (file == nullptr) refuse_file(path, "cannot open", errno);
  return File(file);
}

// The lines of one conversion, gathered in memory: nothing reaches the disk
// unless the whole conversion succeeds, and then in one write.
std::string convert_in_memory(const BatchJob& job, const ControlSettings& settings) {
  const File input = open_for_reading(job.input.string());
  char* bytes = nullptr;
  std::size_t size = 0;
  std::FILE* memory = ::open_memstream(&bytes, &size);
  if (memory == nullptr) throw std::bad_alloc();
  try {
    LineSource cif(input.get(), job.input.string());
    RecordWriter out(memory, job.output.string());
    convert(cif, settings, out);
  } catch (...) {
    std::fclose(memory);
    std::free(bytes);
    throw;
  }
  const bool closed = std::fclose(memory) == 0;
  std::string text(bytes, closed ? size : 0);
  std::free(bytes);
  if (!closed) throw std::bad_alloc();
  return text;
}

bool write_all(int fd, const std::string& text) {
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = EIO;  // write(2) returning 0 leaves errno unset
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A temporary file beside the output, hidden and never ending in ".cif", so
// that a later search of the directory does not take it for an input.
void rename_into_place(const std::filesystem::path& output, const std::string& text, mode_t mode) {
  const std::string name = output.string();
  std::string temporary = (output.parent_path() / ("." + output.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) refuse_file(name, "cannot create", errno);
  auto give_up = [&](const char* what) {
    const int error = errno;
    ::unlink(temporary.c_str());
    refuse_file(name, what, error);
  };
  if (::fchmod(fd, mode) != 0 || !write_all(fd, text)) {
    const int error = errno;
    ::close(fd);
    errno = error;
    give_up("cannot write");
  }
  if (::close(fd) != 0) give_up("cannot write");
  if (std::rename(temporary.c_str(), name.c_str()) != 0) give_up("cannot rename into place");
}

// A new output is written to a file without a name in its directory and
// linked under its name once whole: one directory entry made and none renamed
// or removed, where most of a batch's time in the kernel goes. Returns false,
// with nothing left behind, when that cannot be done: an older output stands
// there, the file system or a missing /proc does not allow it, or the write
// fails (and then fails again in rename_into_place, which reports it).
bool link_new_file(const std::filesystem::path& output, const std::string& text) {
  const std::filesystem::path directory = output.has_parent_path() ? output.parent_path() : ".";
  const int fd = ::open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  char self[32];
  std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
  const bool linked =
      write_all(fd, text) && ::linkat(AT_FDCWD, self, AT_FDCWD, output.c_str(), AT_SYMLINK_FOLLOW) == 0;
  // Closing an unnamed file frees it. The kernel may report a failed write only
  // now; the output is then taken back, as no older one stood under its name.
  if (::close(fd) != 0 && linked) {
    const int error = errno;
    ::unlink(output.c_str());
    refuse_file(output.string(), "cannot write", error);
  }
  return linked;
}

void replace_whole(const std::filesystem::path& output, const std::string& text, mode_t mode) {
  if (!link_new_file(output, text)) rename_into_place(output, text, mode);
}

}  // namespace

ControlSettings read_shared_control(const std::string& path) {
  const File file = open_for_reading(path);
  LineSource source(file.get(), path);
  return read_control_settings(source, ControlSettings{});
}

mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

std::optional<Failure> convert_job(const BatchJob& job, const ControlSettings& settings, mode_t mode) {
  try {
    replace_whole(job.output, convert_in_memory(job, settings), mode);
    return std::nullopt;
  } catch (const Failure& failure) {
    return failure;
  } catch (const std::bad_alloc&) {
    return Failure(FailureKind::FileFailure, job.input.string(), 0, "out of memory");
  }
}

}  // namespace cif2at
