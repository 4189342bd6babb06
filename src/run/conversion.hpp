#pragma once

// A whole conversion: "atom.cif" and "zelkor.dat" in, "at.dat" out.

#include "cif2at/records.hpp"
#include "records/output_records.hpp"
#include "records/text_input.hpp"

namespace cif2at {

// Runs the stages once each, in order: the control file, the cell, the cell
// line, the atom sites, the species, the atom lines, the trailer. A Failure
// ends it at once; every line written before it stays written.
void convert(LineSource& cif, LineSource& control, RecordWriter& out);

// The same with the control file already read: for runs that share one.
void convert(LineSource& cif, const ControlSettings& settings, RecordWriter& out);

// Opens "atom.cif", "at.dat" and "zelkor.dat" in the working directory,
// creating any that is absent, and converts.
void run_conversion();

}  // namespace cif2at
