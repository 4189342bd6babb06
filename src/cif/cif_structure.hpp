#pragma once

// Items and loops: the structure shared by the readers of the cell and of the atom sites.

#include <optional>
#include <string>
#include <vector>

#include "cif/cif_reader.hpp"

namespace cif2at {

// After a data name outside a loop: its value, or nothing when the name is
// followed by another name, a reserved word or the end of the file (that
// token is then left to be read next).
std::optional<CifToken> read_item_value(CifReader& cif);

// After loop_: the loop's data names in order, in lower case.
std::vector<std::string> read_loop_names(CifReader& cif);

// Passes over a loop's values, up to the next data name, reserved word or the end of the file.
void skip_loop_values(CifReader& cif);

}  // namespace cif2at
