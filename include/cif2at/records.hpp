#pragma once

// The records that pass from one stage of a conversion to the next.

#include <array>
#include <vector>

#include "cif2at/fixed_text.hpp"
#include "cif2at/limits.hpp"

namespace cif2at {

using Label = FixedText<kLabelWidth>;
using Coordinates = std::array<float, 3>;  // x, y, z

struct CellParameters {
  float a = 0, b = 0, c = 0;               // edge lengths
  float alpha = 0, beta = 0, gamma = 0;    // angles in degrees
};

struct AtomSite {
  Label label;
  Label type_symbol;
  float x = 0, y = 0, z = 0;  // fractional coordinates as read
  int species = 0;            // 1 to species_count once grouped
};

// At most kMaxAtoms sites: in file order as read, in species order once grouped.
using AtomTable = std::vector<AtomSite>;

struct SpeciesSummary {
  int species_count = 0;
  std::array<int, kMaxSpecies> counts{};  // atoms of species 1 to species_count
  int total = 0;
};

// What "zelkor.dat" asks for. Each triple is read only when its integer is nonzero.
struct ControlSettings {
  int copy_mode = 0;        // 0: no copies; 1 to 7: which axes a copy reflects
  Coordinates reflect_base{};
  int shift_flag = 0;       // nonzero: translate every atom by `shift`
  Coordinates shift{};
};

}  // namespace cif2at
