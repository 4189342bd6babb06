#include "output/atom_output.hpp"

#include <cassert>

#include "output/at_file.hpp"

namespace cif2at {

namespace {

// The axes each copy mode reflects, x, y, z; mode 0 writes no copy.
constexpr bool kReflected[8][3] = {
    {false, false, false}, {true, true, true},  {true, false, false}, {false, true, false},
    {false, false, true},  {false, true, true}, {true, false, true},  {true, true, false},
};

}  // namespace

std::optional<Coordinates> copy_position(int copy_mode, const Coordinates& reflect_base, const Coordinates& xyz) {
  // The control file reader accepts copy modes 0 to 7 only.
  assert(copy_mode >= 0 && copy_mode <= 7);
  if (copy_mode <= 0 || copy_mode > 7) return std::nullopt;
  // Every atom gets its copy in every mode, also in modes 5 to 7: the trailer
  // doubles every count, so a left-out copy would leave the counts wrong.
  Coordinates copy = xyz;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if (kReflected[copy_mode][axis]) copy[axis] = reflect_base[axis] - xyz[axis];
  }
  return copy;
}

void write_atoms(RecordWriter& writer, const AtomTable& atoms, const ControlSettings& settings) {
  for (const AtomSite& site : atoms) {
    Coordinates xyz{site.x, site.y, site.z};
    if (settings.shift_flag != 0) {
      for (std::size_t axis = 0; axis < 3; ++axis) xyz[axis] += settings.shift[axis];
    }
    write_atom_line(writer, site.species, xyz[0], xyz[1], xyz[2], site.label, site.type_symbol);
    if (const auto copy = copy_position(settings.copy_mode, settings.reflect_base, xyz)) {
      write_atom_line(writer, site.species, (*copy)[0], (*copy)[1], (*copy)[2], site.label, site.type_symbol);
    }
  }
}

SpeciesSummary finish_summary(SpeciesSummary summary, const ControlSettings& settings) {
  summary.total = 0;
  for (int k = 0; k < summary.species_count; ++k) {
    int& count = summary.counts[static_cast<std::size_t>(k)];
    if (settings.copy_mode != 0) count *= 2;
    summary.total += count;
  }
  return summary;
}

}  // namespace cif2at
