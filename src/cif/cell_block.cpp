#include "cif/cell_block.hpp"

#include <array>
#include <optional>
#include <string>

#include "cif/atom_sites.hpp"
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

constexpr std::size_t kNotCell = kCellNames.size();

std::size_t cell_index(std::string_view name) {
  std::size_t i = 0;
  while (i < kCellNames.size() && !iequals(name, kCellNames[i])) ++i;
  return i;
}

float cell_value(const std::string& file, std::size_t index, const FoundValue& found) {
  const std::optional<float> value = parse_cif_number(found.text);
  if (!value) {
    throw Failure(FailureKind::BadValue, file, found.line,
                  std::string(kCellNames[index]) + ": expected a number, found " + in_quotes(found.text));
  }
  const bool angle = index >= 3;
  return angle && *value < kAngleFloor ? kRightAngle : *value;
}

}  // namespace

CellBlock read_cell_block(CifReader& cif) {
  CellBlock result{{}, cif.mark()};
  CifMark block_start = result.atom_search_start;
  bool atom_loop_passed = false;  // the atom-site stage must then search from the block start
  std::array<std::optional<FoundValue>, 6> found;
  bool holds_cell = false;  // this block has _cell_length_a
  std::size_t found_count = 0;

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
        const std::size_t index = cell_index(token.text);
        const std::string name(token.text);
        const long line = token.line;
        const std::optional<CifToken> value = read_item_value(cif);
        if (index == kNotCell) break;
        if (!value) throw Failure(FailureKind::BadValue, cif.file_name(), line, name + " has no value");
        if (found[index]) break;  // the first occurrence counts
        found[index] = FoundValue{std::string(value->text), value->line};
        holds_cell = holds_cell || index == 0;
        if (++found_count < kCellNames.size()) break;
        std::array<float, 6> v{};
        for (std::size_t i = 0; i < v.size(); ++i) v[i] = cell_value(cif.file_name(), i, *found[i]);
        result.cell = {v[0], v[1], v[2], v[3], v[4], v[5]};
        result.atom_search_start = atom_loop_passed ? block_start : cif.mark();
        return result;
      }
      case TokenKind::Loop:
        atom_loop_passed = is_atom_site_loop(read_loop_names(cif)) || atom_loop_passed;
        skip_loop_values(cif);
        break;
      case TokenKind::Data:
        if (holds_cell) missing(token.line);
        found = {};
        found_count = 0;
        atom_loop_passed = false;
        block_start = cif.mark();
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
