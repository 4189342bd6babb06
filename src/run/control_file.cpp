#include "run/control_file.hpp"

#include <optional>
#include <string>

#include "cif2at/failure.hpp"
#include "records/number_fields.hpp"

namespace cif2at {

namespace {

struct ControlLine {
  int flag = 0;
  Coordinates vector{};
};

std::string columns_of(std::size_t field) {
  const std::size_t first = field * kControlFieldWidth + 1;
  return "columns " + std::to_string(first) + "-" + std::to_string(first + kControlFieldWidth - 1);
}

// The `field`-th five-column field of the line, blank-padded.
std::string field_text(std::string_view line, std::size_t field) {
  const std::size_t first = field * kControlFieldWidth;
  std::string text(first < line.size() ? line.substr(first, kControlFieldWidth) : std::string_view{});
  text.resize(kControlFieldWidth, ' ');
  return text;
}

std::optional<ControlLine> read_control_line(LineSource& source) {
  const std::optional<std::string_view> line = source.read_line(true);
  if (!line) return std::nullopt;
  // Columns past the fields are never read, so a file with CR alone for line
  // ends would lose its second line without a word.
  refuse_lone_cr(*line, source);
  auto malformed = [&](std::size_t field, const char* expected) {
    return Failure(FailureKind::BadValue, source.name(), source.line_number(),
                   columns_of(field) + ": expected " + expected + ", found '" + field_text(*line, field) + "'");
  };
  ControlLine result;
  const std::optional<std::int32_t> flag = read_int_field(field_text(*line, 0), kControlFieldWidth);
  if (!flag) throw malformed(0, "an integer");
  result.flag = *flag;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::optional<float> value = read_real_field(field_text(*line, axis + 1), kControlFieldWidth, kControlDecimals);
    if (!value) throw malformed(axis + 1, "a number");
    result.vector[axis] = *value;
  }
  return result;
}

}  // namespace

ControlSettings read_control_settings(LineSource& source, ControlSettings settings) {
  const std::optional<ControlLine> copies = read_control_line(source);
  if (!copies) return settings;
  if (copies->flag < 0 || copies->flag > 7) {
    throw Failure(FailureKind::BadValue, source.name(), source.line_number(),
                  "copy mode " + std::to_string(copies->flag) + ": expected 0 to 7");
  }
  settings.copy_mode = copies->flag;
  settings.reflect_base = copies->vector;

  const std::optional<ControlLine> translation = read_control_line(source);
  if (!translation) return settings;
  settings.shift_flag = translation->flag;
  settings.shift = translation->vector;
  return settings;
}

}  // namespace cif2at
