#pragma once

// Numbering the chemical species and grouping the atoms by species.

#include <string_view>

#include "cif2at/records.hpp"

namespace cif2at {

struct GroupedAtoms {
  AtomTable atoms;         // species 1 first, each species in file order
  SpeciesSummary summary;  // species_count and counts; total is formed later
};

// A species is one distinct four-character type symbol, compared byte for
// byte; species are numbered by the first appearance of their symbol. More
// than kMaxSpecies symbols is a BadValue naming `file_name`.
GroupedAtoms group_species(const AtomTable& atoms, std::string_view file_name);

}  // namespace cif2at
