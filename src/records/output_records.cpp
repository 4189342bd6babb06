#include "records/output_records.hpp"

#include <stdio_ext.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include "cif2at/failure.hpp"

namespace cif2at {

namespace {

constexpr char kLineEnd = '\n';

// Right-justifies `text` in `width` columns, or fills them with asterisks when it does not fit.
void put_field(std::string& out, std::string_view text, int width) {
  const auto columns = static_cast<std::size_t>(width);
  if (text.size() > columns) {
    out.append(columns, '*');
  } else {
    out.append(columns - text.size(), ' ');
    out += text;
  }
}

void put_integer(std::string& out, std::int32_t value, int width) {
  char text[16];
  const char* end = std::to_chars(text, text + sizeof text, value).ptr;
  put_field(out, {text, static_cast<std::size_t>(end - text)}, width);
}

// Rounds the exact binary value to `decimals` places, ties to even, as snprintf
// does; the sign is written whenever the sign bit is set, so -0.0000001 is -0.00000.
void put_real(std::string& out, float value, int width, int decimals) {
  if (!std::isfinite(value)) {
    out.append(static_cast<std::size_t>(width), '*');
    return;
  }
  char text[64];  // FLT_MAX needs 39 digits before the point
  const int length = std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
  put_field(out, {text, static_cast<std::size_t>(length)}, width);
}

void put_text(std::string& out, const Label& text, int width) {
  const std::string_view chars = text.view().substr(0, static_cast<std::size_t>(width));
  out += chars;
  out.append(static_cast<std::size_t>(width) - chars.size(), ' ');
}

bool is_regular_file(std::FILE* file) {
  const int fd = fileno(file);
  struct stat status {};
  return fd >= 0 && fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

// After a failed write (a full disk, a size limit), a part of the record may
// stand at the end of the file and the rest wait in the stream's buffer, to be
// written when it closes. Both are dropped, so the file ends after the last
// record written whole.
void drop_unwritten(std::FILE* file, long long written) {
  __fpurge(file);
  // The failure reported is the write's: a file that cannot be cut as well holds what it holds.
  if (is_regular_file(file) && ftruncate(fileno(file), written) != 0) return;
}

// Reads an unsigned number at `pos`; `fallback` when there is none.
int take_number(std::string_view item, std::size_t& pos, int fallback) {
  if (pos >= item.size() || item[pos] < '0' || item[pos] > '9') return fallback;
  int n = 0;
  while (pos < item.size() && item[pos] >= '0' && item[pos] <= '9') n = n * 10 + (item[pos++] - '0');
  return n;
}

}  // namespace

void render_record(std::string_view format, std::span<const OutputValue> values, std::string& out) {
  assert(format.size() >= 2 && format.front() == '(' && format.back() == ')');
  const std::string_view items = format.substr(1, format.size() - 2);
  std::size_t next = 0;  // the next value to write
  for (;;) {
    const std::size_t first_of_pass = next;
    for (std::size_t start = 0; start <= items.size();) {
      std::size_t stop = items.find(',', start);
      if (stop == std::string_view::npos) stop = items.size();
      const std::string_view item = items.substr(start, stop - start);
      start = stop + 1;

      std::size_t pos = 0;
      const int count = take_number(item, pos, 1);
      const char code = pos < item.size() ? item[pos++] : '\0';
      if (code == 'X') {
        out.append(static_cast<std::size_t>(count), ' ');
        continue;
      }
      if (code == '/') {
        out += kLineEnd;
        continue;
      }
      const int width = take_number(item, pos, 0);
      int decimals = 0;
      if (pos < item.size() && item[pos] == '.') decimals = take_number(item, ++pos, 0);
      for (int k = 0; k < count; ++k) {
        if (next == values.size()) {
          out += kLineEnd;
          return;
        }
        const OutputValue& value = values[next++];
        if (code == 'I') put_integer(out, std::get<std::int32_t>(value), width);
        else if (code == 'F') put_real(out, std::get<float>(value), width, decimals);
        else put_text(out, std::get<Label>(value), width);
      }
    }
    // The closing parenthesis: the record ends, or the format starts again on a new line.
    if (next == values.size() || next == first_of_pass) break;
    out += kLineEnd;
  }
  out += kLineEnd;
}

RecordWriter::RecordWriter(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {}

void RecordWriter::write_record(std::string_view format, std::span<const OutputValue> values) {
  auto refuse = [this] {
    throw Failure(FailureKind::FileFailure, name_, 0, std::string("cannot write: ") + std::strerror(errno));
  };
  if (!started_) {
    // The file was opened without being emptied, so that a run which fails
    // before its first line leaves it as it was; the first line replaces it.
    started_ = true;
    if (is_regular_file(file_) && ftruncate(fileno(file_), 0) != 0) refuse();
  }
  lines_.clear();
  render_record(format, values, lines_);
  if (std::fwrite(lines_.data(), 1, lines_.size(), file_) != lines_.size() || std::fflush(file_) != 0) {
    const int error = errno;
    drop_unwritten(file_, written_);
    errno = error;
    refuse();
  }
  written_ += static_cast<long long>(lines_.size());
}

}  // namespace cif2at
