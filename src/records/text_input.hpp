#pragma once

// Reading a text file line by line, in one streaming pass: memory grows with
// the longest line, never with the file.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace cif2at {

// Where a line begins, for coming back to it.
struct SourcePosition {
  long long offset = 0;  // byte offset of the line's first character
  long line = 1;         // its line number
};

class LineSource {
 public:
  // Borrows `file`, which stays open; `name` is the file's name in diagnostics.
  LineSource(std::FILE* file, std::string name);

  const std::string& name() const { return name_; }

  // The next line without its line end (LF, or CR LF). At the end of the file
  // it returns nothing when `end_allowed`, and raises EndOfFile otherwise. The
  // text stays valid until the next call on this source.
  std::optional<std::string_view> read_line(bool end_allowed);

  // Passes over whole lines until the next line begins with `mark`, which is
  // left as the next line to read. False when the file ends first. The lines
  // passed over are counted but never split, so this runs at memory speed.
  bool skip_to_line_starting_with(char mark);

  // Passes over whole lines that hold none of the bytes of `stops` (a
  // NUL-terminated set; a NUL byte in the file always stops), up to the first
  // line that holds one, which is left as the next line to read.
  void skip_lines_without(const char* stops);

  long line_number() const { return line_; }  // of the line last read; 0 before the first
  SourcePosition next_position() const;       // of the line the next read takes
  void seek(const SourcePosition& position);
  void rewind() { seek(SourcePosition{}); }

 private:
  bool fill();  // reads more of the file after the unread bytes; false at its end
  void grow();

  std::FILE* file_;
  std::string name_;
  std::unique_ptr<char[]> buffer_;  // not zeroed: only the bytes read are used
  std::size_t capacity_;
  std::size_t begin_ = 0;         // first unread byte
  std::size_t end_ = 0;           // end of the bytes read into the buffer
  long long buffer_offset_ = 0;   // file offset of buffer_[0]
  long line_ = 0;
};

// Only LF and CR LF end lines. A CR that read_line leaves inside `line`, the
// line last read from `source`, comes from a file with CR alone for line ends,
// which reads as one long line: a BadValue naming the line.
void refuse_lone_cr(std::string_view line, const LineSource& source);

}  // namespace cif2at
