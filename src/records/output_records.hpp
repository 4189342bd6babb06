#pragma once

// Writing fixed-column lines from format texts such as "(I4,X,3F10.5,4X,A4,X,A4)".

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "cif2at/records.hpp"

namespace cif2at {

// An integer for an I field, a real for an F field, a four-character text for an A field.
using OutputValue = std::variant<std::int32_t, float, Label>;

// Renders `values` by `format` into the lines it yields, each ended by a line
// feed. Items: Iw, Fw.d, Aw, nX (X alone is one blank), and / for a line end;
// a count before I or F repeats the field. When the format runs out while
// values remain, the line ends and the format starts again from its first item.
// A value too wide for its field, or not finite, fills the field with asterisks.
void render_record(std::string_view format, std::span<const OutputValue> values, std::string& out);

class RecordWriter {
 public:
  // Borrows `file`, open for writing at its start; `name` is its name in diagnostics.
  RecordWriter(std::FILE* file, std::string name);

  // Writes the lines of one record. The file then ends after them: the first
  // record of a run replaces whatever the file held before. When the write
  // fails, the file ends after the records before it.
  void write_record(std::string_view format, std::span<const OutputValue> values);

 private:
  std::FILE* file_;
  std::string name_;
  bool started_ = false;
  long long written_ = 0;  // bytes of the records written whole
  std::string lines_;
};

}  // namespace cif2at
