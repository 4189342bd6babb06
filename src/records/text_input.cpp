#include "records/text_input.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "cif2at/failure.hpp"

namespace cif2at {

namespace {

// Large enough that reads cost little beside the copying; small enough that
// a short file does not pay for pages it never fills.
constexpr std::size_t kBufferSize = std::size_t{1} << 16;

// The first read is smaller: a conversion usually ends at the atom-site loop,
// in the first few kilobytes of a refinement file, and need not copy the rest.
constexpr std::size_t kFirstReadSize = std::size_t{1} << 14;

std::string_view without_cr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace

LineSource::LineSource(std::FILE* file, std::string name)
    : file_(file), name_(std::move(name)), buffer_(std::make_unique_for_overwrite<char[]>(kBufferSize)), capacity_(kBufferSize) {
  // The source buffers for itself, so a file's reads go straight into its
  // buffer. A stream in memory has no file descriptor and keeps its buffer:
  // unbuffered, it would be read byte by byte.
  if (fileno(file_) >= 0) std::setvbuf(file_, nullptr, _IONBF, 0);
}

void LineSource::grow() {
  auto larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
  std::memcpy(larger.get(), buffer_.get(), end_);
  buffer_ = std::move(larger);
  capacity_ *= 2;
}

bool LineSource::fill() {
  if (begin_ > 0) {  // keep only the unread bytes, at the front
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    buffer_offset_ += static_cast<long long>(begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  // One byte stays free after the data, for the sentinel of skip_lines_without.
  if (end_ + 1 == capacity_) grow();  // a very long line
  const std::size_t room = capacity_ - 1 - end_;
  const std::size_t wanted = buffer_offset_ + static_cast<long long>(end_) == 0 ? std::min(room, kFirstReadSize) : room;
  const std::size_t got = std::fread(buffer_.get() + end_, 1, wanted, file_);
  if (got == 0 && std::ferror(file_)) {
    throw Failure(FailureKind::FileFailure, name_, 0,
                  std::string("cannot read: ") + std::strerror(errno));
  }
  end_ += got;
  return got > 0;
}

std::optional<std::string_view> LineSource::read_line(bool end_allowed) {
  std::size_t scanned = 0;  // bytes after begin_ known to hold no line feed
  for (;;) {
    const char* start = buffer_.get() + begin_;
    const std::size_t unread = end_ - begin_;
    if (const void* lf = std::memchr(start + scanned, '\n', unread - scanned)) {
      const std::size_t length = static_cast<const char*>(lf) - start;
      begin_ += length + 1;
      ++line_;
      return without_cr({start, length});
    }
    scanned = unread;
    if (!fill()) break;
  }
  if (begin_ == end_) {
    if (end_allowed) return std::nullopt;
    throw Failure(FailureKind::EndOfFile, name_, line_, "unexpected end of file");
  }
  // The last line, without a line feed.
  const std::string_view line(buffer_.get() + begin_, end_ - begin_);
  begin_ = end_;
  ++line_;
  return without_cr(line);
}

bool LineSource::skip_to_line_starting_with(char mark) {
  bool at_line_start = true;  // begin_ is always at a line start on entry
  for (;;) {
    if (begin_ == end_ && !fill()) return false;
    const char* start = buffer_.get() + begin_;
    const char* end = buffer_.get() + end_;
    if (at_line_start && *start == mark) return true;
    // A line begins with `mark` where `mark` follows a line feed.
    for (const char* p = start + 1; p < end;) {
      const char* hit = static_cast<const char*>(std::memchr(p, mark, end - p));
      if (hit == nullptr) break;
      if (hit[-1] == '\n') {
        line_ += std::count(start, hit, '\n');
        begin_ += hit - start;
        return true;
      }
      p = hit + 1;
    }
    line_ += std::count(start, end, '\n');
    at_line_start = end[-1] == '\n';
    begin_ = end_;
  }
}

void LineSource::skip_lines_without(const char* stops) {
  for (;;) {
    const char* start = buffer_.get() + begin_;
    const char* end = buffer_.get() + end_;
    buffer_[end_] = '\0';  // stops strcspn at the end of the data
    const char* hit = start + std::strcspn(start, stops);
    if (hit < end) {  // the line that holds `hit` is the next to read
      const void* lf = memrchr(start, '\n', static_cast<std::size_t>(hit - start));
      const char* line_start = lf ? static_cast<const char*>(lf) + 1 : start;
      line_ += std::count(start, line_start, '\n');
      begin_ += static_cast<std::size_t>(line_start - start);
      return;
    }
    if (const void* lf = memrchr(start, '\n', end_ - begin_)) {  // keep a partial last line
      const char* after = static_cast<const char*>(lf) + 1;
      line_ += std::count(start, after, '\n');
      begin_ += static_cast<std::size_t>(after - start);
    }
    if (!fill()) return;
  }
}

SourcePosition LineSource::next_position() const {
  return {buffer_offset_ + static_cast<long long>(begin_), line_ + 1};
}

void LineSource::seek(const SourcePosition& position) {
  const long long end_offset = buffer_offset_ + static_cast<long long>(end_);
  if (position.offset >= buffer_offset_ && position.offset <= end_offset) {  // still in the buffer
    begin_ = static_cast<std::size_t>(position.offset - buffer_offset_);
    line_ = position.line - 1;
    return;
  }
  if (std::fseek(file_, position.offset, SEEK_SET) != 0) {
    throw Failure(FailureKind::FileFailure, name_, 0,
                  std::string("cannot read: ") + std::strerror(errno));
  }
  begin_ = end_ = 0;
  buffer_offset_ = position.offset;
  line_ = position.line - 1;
}

void refuse_lone_cr(std::string_view line, const LineSource& source) {
  if (line.find('\r') == std::string_view::npos) return;
  throw Failure(FailureKind::BadValue, source.name(), source.line_number(),
                "a CR without LF: lines must end with LF or CR LF");
}

}  // namespace cif2at
