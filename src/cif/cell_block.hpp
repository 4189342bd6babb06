#pragma once

// The unit cell of "atom.cif".

#include "cif/cif_reader.hpp"
#include "cif2at/records.hpp"

namespace cif2at {

struct CellBlock {
  CellParameters cell;
  // Where the atom-site search begins: just after the cell items, or the
  // start of the structure block when an atom-site loop came before them.
  CifMark atom_search_start;
};

// Finds the structure block, the first data block that holds _cell_length_a,
// and reads its six cell items, in any order, each from the first occurrence
// outside a loop. Reading stops once all six are read. An angle below 1
// degree is taken as 90 (some programs write 0 for an angle they fix).
CellBlock read_cell_block(CifReader& cif);

}  // namespace cif2at
