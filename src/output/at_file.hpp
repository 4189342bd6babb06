#pragma once

// The lines of "at.dat": the cell line, one line per atom or copy, and the trailer of counts.

#include <string_view>

#include "cif2at/records.hpp"
#include "records/output_records.hpp"

namespace cif2at {

inline constexpr std::string_view kCellLineFormat = "(F7.4,3X,F7.4,3X,F7.4,3X,F8.4,2X,F8.4,2X,F8.4)";
inline constexpr std::string_view kAtomLineFormat = "(I4,X,3F10.5,4X,A4,X,A4)";
inline constexpr std::string_view kTrailerFormat = "(/,10I5)";  // ten counts to a line, an empty line before each

void write_cell_line(RecordWriter& writer, const CellParameters& cell);

void write_atom_line(RecordWriter& writer, int species, float x, float y, float z, const Label& label,
                     const Label& type_symbol);

// species_count, the count of each species, then the total.
void write_trailer(RecordWriter& writer, const SpeciesSummary& summary);

}  // namespace cif2at
