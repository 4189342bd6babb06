#include "cif/atom_sites.hpp"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "cif/cif_number.hpp"
#include "cif/cif_structure.hpp"
#include "cif2at/failure.hpp"

namespace cif2at {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::array<std::string_view, 3> kFractNames = {"_atom_site_fract_x", "_atom_site_fract_y",
                                                         "_atom_site_fract_z"};

std::size_t column_of(const std::vector<std::string>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return i;
  }
  return kNone;
}

struct Columns {
  std::size_t label = kNone;
  std::size_t type_symbol = kNone;
  std::array<std::size_t, 3> fract{kNone, kNone, kNone};
};

std::optional<Columns> atom_site_columns(const std::vector<std::string>& names) {
  Columns columns;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    columns.fract[axis] = column_of(names, kFractNames[axis]);
    if (columns.fract[axis] == kNone) return std::nullopt;
  }
  columns.label = column_of(names, "_atom_site_label");
  columns.type_symbol = column_of(names, "_atom_site_type_symbol");
  return columns;
}

// Without a type-symbol column the element is the label's leading letters: Zn1 gives Zn.
std::string_view leading_letters(std::string_view label) {
  std::size_t n = 0;
  while (n < label.size() && ((label[n] >= 'A' && label[n] <= 'Z') || (label[n] >= 'a' && label[n] <= 'z'))) ++n;
  return label.substr(0, n);
}

struct Row {
  std::string label;
  std::string type_symbol;
  std::array<std::string, 3> fract;
  std::array<long, 3> fract_line{};
};

class RowReader {
 public:
  RowReader(CifReader& cif, const Columns& columns, std::size_t width)
      : cif_(cif), columns_(columns), width_(width) {}

  // The next row, or nothing where the loop ends.
  std::optional<AtomSite> next() {
    CifToken token = cif_.next();
    if (token.kind != TokenKind::Value) return std::nullopt;
    row_line_ = token.line;
    Row row;
    bool have_label = false;
    for (std::size_t column = 0; column < width_; ++column) {
      if (column > 0) token = cif_.next();
      if (token.kind != TokenKind::Value) {
        const std::string atom = have_label ? "the row of atom '" + row.label + "'" : "a row";
        throw Failure(FailureKind::BadValue, cif_.file_name(), token.line,
                      "the atom-site loop ends inside " + atom + ": expected " + std::to_string(width_) +
                          " values, found " + std::to_string(column));
      }
      if (column == columns_.label) {
        row.label = token.text;
        have_label = true;
      }
      if (column == columns_.type_symbol) row.type_symbol = token.text;
      for (std::size_t axis = 0; axis < 3; ++axis) {
        if (column == columns_.fract[axis]) {
          row.fract[axis] = token.text;
          row.fract_line[axis] = token.line;
        }
      }
    }
    return to_site(row);
  }

 private:
  AtomSite to_site(const Row& row) const {
    AtomSite site;
    site.label = Label(row.label);
    site.type_symbol = Label(columns_.type_symbol == kNone ? leading_letters(row.label) : row.type_symbol);
    std::array<float*, 3> targets{&site.x, &site.y, &site.z};
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const std::optional<float> value = parse_cif_number(row.fract[axis]);
      if (!value) {
        throw Failure(FailureKind::BadValue, cif_.file_name(), row.fract_line[axis],
                      "atom '" + row.label + "': " + std::string(kFractNames[axis]) +
                          ": expected a number, found '" + row.fract[axis] + "'");
      }
      *targets[axis] = *value;
    }
    return site;
  }

  CifReader& cif_;
  const Columns& columns_;
  std::size_t width_;
  long row_line_ = 0;

 public:
  long row_line() const { return row_line_; }  // where the last row read begins
};

AtomTable read_rows(CifReader& cif, const Columns& columns, std::size_t width) {
  AtomTable table;
  RowReader rows(cif, columns, width);
  while (std::optional<AtomSite> site = rows.next()) {
    if (table.size() == static_cast<std::size_t>(kMaxAtoms)) {
      throw Failure(FailureKind::BadValue, cif.file_name(), rows.row_line(),
                    "more than " + std::to_string(kMaxAtoms) + " atom sites");
    }
    table.push_back(*site);
  }
  return table;
}

}  // namespace

AtomTable read_atom_sites(CifReader& cif, const CifMark& block_start) {
  cif.seek(block_start);
  for (;;) {
    const CifToken token = cif.next();
    switch (token.kind) {
      case TokenKind::Name:
        read_item_value(cif);
        break;
      case TokenKind::Loop: {
        const long loop_line = token.line;
        const std::vector<std::string> names = read_loop_names(cif);
        const std::optional<Columns> columns = atom_site_columns(names);
        if (!columns) {
          skip_loop_values(cif);
          break;
        }
        if (columns->label == kNone) {
          throw Failure(FailureKind::BadValue, cif.file_name(), loop_line,
                        "the atom-site loop has no _atom_site_label");
        }
        return read_rows(cif, *columns, names.size());
      }
      case TokenKind::Data:
      case TokenKind::End:
        throw Failure(FailureKind::BadValue, cif.file_name(), 0,
                      "no atom-site loop with _atom_site_fract_x, _y, _z");
      case TokenKind::Value:
      case TokenKind::Reserved:
        break;
    }
  }
}

}  // namespace cif2at
