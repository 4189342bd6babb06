#pragma once

// The atom-site table of "atom.cif".

#include <string>
#include <vector>

#include "cif/cif_reader.hpp"
#include "cif2at/records.hpp"

namespace cif2at {

// Whether a loop with these data names (in lower case) is an atom-site loop.
bool is_atom_site_loop(const std::vector<std::string>& names);

// Reads the atom-site loop of the structure block, searching from `start`,
// which lies before it in the block: the first loop whose data names include _atom_site_fract_x,
// _y and _z, whatever its other columns and their order. The type symbol is
// the _atom_site_type_symbol column or, when the loop has none, the label's
// leading letters. Nothing after the loop is read.
AtomTable read_atom_sites(CifReader& cif, const CifMark& start);

}  // namespace cif2at
