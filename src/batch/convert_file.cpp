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
void replace_whole(const std::filesystem::path& output, const std::string& text, mode_t mode) {
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
