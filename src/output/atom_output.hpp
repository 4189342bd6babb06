#pragma once

// Writing the atoms, translated and with reflected copies when "zelkor.dat" asks for them.

#include <optional>

#include "cif2at/records.hpp"
#include "records/output_records.hpp"

namespace cif2at {

// The copy of an atom line at `xyz`: each axis that `copy_mode` reflects
// becomes the base coordinate minus the atom's. Nothing for copy mode 0.
//   mode:      1    2  3  4  5    6    7
//   reflects:  xyz  x  y  z  yz   xz   xy
std::optional<Coordinates> copy_position(int copy_mode, const Coordinates& reflect_base, const Coordinates& xyz);

// One atom line per atom of the grouped table, translated by `shift` when
// shift_flag is nonzero, each followed by its copy line when copy_mode asks for one.
void write_atoms(RecordWriter& writer, const AtomTable& atoms, const ControlSettings& settings);

// Doubles the counts when copies are written, and forms the total.
SpeciesSummary finish_summary(SpeciesSummary summary, const ControlSettings& settings);

}  // namespace cif2at
