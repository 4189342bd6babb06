#include "cif/cif_structure.hpp"

namespace cif2at {

std::optional<CifToken> read_item_value(CifReader& cif) {
  const CifToken token = cif.next();
  if (token.kind == TokenKind::Value) return token;
  cif.put_back();
  return std::nullopt;
}

std::vector<std::string> read_loop_names(CifReader& cif) {
  std::vector<std::string> names;
  for (CifToken token = cif.next(); token.kind == TokenKind::Name; token = cif.next()) {
    names.push_back(to_lower(token.text));
  }
  cif.put_back();
  return names;
}

void skip_loop_values(CifReader& cif) {
  do {
    cif.skip_value_lines();  // long loops of numbers, such as reflection lists
  } while (cif.next().kind == TokenKind::Value);
  cif.put_back();
}

}  // namespace cif2at
