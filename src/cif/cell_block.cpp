#include "cif/cell_block.hpp"

#include <array>
#include <optional>
#include <string>

#include "cif/cif_number.hpp"
#include "cif/cif_structure.hpp"
#include "cif2at/failure.hpp"

namespace cif2at {

namespace {

constexpr std::array<std::string_view, 6> kCellNames = {
    "_cell_length_a",    "_cell_length_b",   "_cell_length_c",
    "_cell_angle_alpha", "_cell_angle_beta", "_cell_angle_gamma",
};

struct FoundValue {
  std::string text;
  long line = 0;
};

int cell_index(std::string_view name) {
  for (std::size_t i = 0; i < kCellNames.size(); ++i) {
    if (iequals(name, kCellNames[i])) return static_cast<int>(i);
  }
  return -1;
}

float cell_value(const std::string& file, int index, const FoundValue& found) {
  const std::optional<float> value = parse_cif_number(found.text);
  if (!value) {
    throw Failure(FailureKind::BadValue, file, found.line,
                  std::string(kCellNames[static_cast<std::size_t>(index)]) + ": expected a number, found '" +
                      found.text + "'");
  }
  const bool angle = index >= 3;
  return angle && *value < kAngleFloor ? kRightAngle : *value;
}

}  // namespace

CellBlock read_cell_block(CifReader& cif) {
  CellBlock result{{}, cif.mark()};
  std::array<std::optional<FoundValue>, 6> found;
  bool holds_cell = false;  // this block has _cell_length_a
  int found_count = 0;

  auto missing = [&](long line) {
    for (std::size_t i = 0; i < found.size(); ++i) {
      if (!found[i]) {
        throw Failure(FailureKind::BadValue, cif.file_name(), line,
                      "the data block with _cell_length_a has no " + std::string(kCellNames[i]));
      }
    }
  };

  for (;;) {
    const CifToken token = cif.next();
    switch (token.kind) {
      case TokenKind::Name: {
        const int index = cell_index(token.text);
        const std::string name(token.text);
        const long line = token.line;
        const std::optional<CifToken> value = read_item_value(cif);
        if (index < 0) break;
        if (!value) throw Failure(FailureKind::BadValue, cif.file_name(), line, name + " has no value");
        if (found[static_cast<std::size_t>(index)]) break;  // the first occurrence counts
        found[static_cast<std::size_t>(index)] = FoundValue{std::string(value->text), value->line};
        holds_cell = holds_cell || index == 0;
        if (++found_count < 6) break;
        std::array<float, 6> v{};
        for (int i = 0; i < 6; ++i) v[static_cast<std::size_t>(i)] = cell_value(cif.file_name(), i, *found[static_cast<std::size_t>(i)]);
        result.cell = {v[0], v[1], v[2], v[3], v[4], v[5]};
        return result;
      }
      case TokenKind::Loop:
        read_loop_names(cif);
        skip_loop_values(cif);
        break;
      case TokenKind::Data:
        if (holds_cell) missing(token.line);
        found = {};
        found_count = 0;
        result.block_start = cif.mark();
        break;
      case TokenKind::End:
        if (holds_cell) missing(token.line);
        throw Failure(FailureKind::EndOfFile, cif.file_name(), 0, "no _cell_length_a found");
      case TokenKind::Value:
      case TokenKind::Reserved:
        break;  // not the cell's concern
    }
  }
}

}  // namespace cif2at
