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

// The texts of one row that the table needs, kept until the row is complete.
struct Row {
  long line = 0;  // where the row begins
  std::string label;
  std::string type_symbol;
  std::array<std::string, 3> fract;
  std::array<long, 3> fract_line{};
};

// What a column of the loop gives the table, looked up once for all its rows.
enum class Role : unsigned char { None, Label, TypeSymbol, X, Y, Z };

std::vector<Role> column_roles(const Columns& columns, std::size_t width) {
  std::vector<Role> roles(width, Role::None);
  if (columns.type_symbol != kNone) roles[columns.type_symbol] = Role::TypeSymbol;
  roles[columns.label] = Role::Label;
  roles[columns.fract[0]] = Role::X;
  roles[columns.fract[1]] = Role::Y;
  roles[columns.fract[2]] = Role::Z;
  return roles;
}

// The next row, a value for each column, or nothing where the loop ends.
std::optional<Row> read_row(CifReader& cif, const std::vector<Role>& roles) {
  CifToken token = cif.next();
  if (token.kind != TokenKind::Value) return std::nullopt;
  Row row;
  row.line = token.line;
  bool have_label = false;
  for (std::size_t column = 0; column < roles.size(); ++column) {
    if (column > 0) token = cif.next();
    if (token.kind != TokenKind::Value) {
      const std::string atom = have_label ? "the row of atom " + in_quotes(row.label) : "a row";
      throw Failure(FailureKind::BadValue, cif.file_name(), token.line,
                    "the atom-site loop ends inside " + atom + ": expected " + std::to_string(roles.size()) +
                        " values, found " + std::to_string(column));
    }
    switch (const Role role = roles[column]) {
      case Role::None:
        break;
      case Role::Label:
        row.label = token.text;
        have_label = true;
        break;
      case Role::TypeSymbol:
        row.type_symbol = token.text;
        break;
      case Role::X:
      case Role::Y:
      case Role::Z: {
        const auto axis = static_cast<std::size_t>(role) - static_cast<std::size_t>(Role::X);
        row.fract[axis] = token.text;
        row.fract_line[axis] = token.line;
        break;
      }
    }
  }
  return row;
}

AtomSite to_site(const Row& row, const Columns& columns, const std::string& file) {
  AtomSite site;
  site.label = Label(row.label);
  site.type_symbol = Label(columns.type_symbol == kNone ? leading_letters(row.label) : row.type_symbol);
  const std::array<float*, 3> targets{&site.x, &site.y, &site.z};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::optional<float> value = parse_cif_number(row.fract[axis]);
    if (!value) {
      throw Failure(FailureKind::BadValue, file, row.fract_line[axis],
                    "atom " + in_quotes(row.label) + ": " + std::string(kFractNames[axis]) +
                        ": expected a number, found " + in_quotes(row.fract[axis]));
    }
    *targets[axis] = *value;
  }
  return site;
}

AtomTable read_rows(CifReader& cif, const Columns& columns, std::size_t width) {
  const std::vector<Role> roles = column_roles(columns, width);
  AtomTable table;
  while (const std::optional<Row> row = read_row(cif, roles)) {
    if (table.size() == static_cast<std::size_t>(kMaxAtoms)) {
      throw Failure(FailureKind::BadValue, cif.file_name(), row->line,
                    "more than " + std::to_string(kMaxAtoms) + " atom sites");
    }
    table.push_back(to_site(*row, columns, cif.file_name()));
  }
  return table;
}

}  // namespace

bool is_atom_site_loop(const std::vector<std::string>& names) { return atom_site_columns(names).has_value(); }

AtomTable read_atom_sites(CifReader& cif, const CifMark& start) {
  cif.seek(start);
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
