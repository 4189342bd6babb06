#include "output/at_file.hpp"

#include <vector>

namespace cif2at {

void write_cell_line(RecordWriter& writer, const CellParameters& cell) {
  const OutputValue values[] = {cell.a, cell.b, cell.c, cell.alpha, cell.beta, cell.gamma};
  writer.write_record(kCellLineFormat, values);
}

void write_atom_line(RecordWriter& writer, int species, float x, float y, float z, const Label& label,
                     const Label& type_symbol) {
  const OutputValue values[] = {species, x, y, z, label, type_symbol};
  writer.write_record(kAtomLineFormat, values);
}

void write_trailer(RecordWriter& writer, const SpeciesSummary& summary) {
  std::vector<OutputValue> values{summary.species_count};
  for (int k = 0; k < summary.species_count; ++k) values.emplace_back(summary.counts[static_cast<std::size_t>(k)]);
  values.emplace_back(summary.total);
  writer.write_record(kTrailerFormat, values);
}

}  // namespace cif2at
