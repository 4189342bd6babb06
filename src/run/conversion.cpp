#include "run/conversion.hpp"
#include "run/file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "cif/atom_sites.hpp"
#include "cif/cell_block.hpp"
#include "cif/cif_reader.hpp"
#include "cif2at/failure.hpp"
#include "output/at_file.hpp"
#include "output/atom_output.hpp"
#include "run/control_file.hpp"
#include "species/type_groups.hpp"

namespace cif2at {

namespace {

[[noreturn]] void refuse(const char* name, const char* what) { refuse_file(name, what, errno); }

// Input files are opened for reading only, so a read-only one works; one that
// does not exist is created empty first.
File open_input(const char* name) {
  if (std::FILE* file = std::fopen(name, "r")) return File(file);
  if (errno != ENOENT) refuse(name, "cannot open");
  const int fd = ::open(name, O_WRONLY | O_CREAT, 0666);
  if (fd < 0) refuse(name, "cannot create");
  ::close(fd);
  if (std::FILE* file = std::fopen(name, "r")) return File(file);
  refuse(name, "cannot open");
}

// Opened without being emptied: the first line written replaces the old contents.
File open_output(const char* name) {
  const int fd = ::open(name, O_WRONLY | O_CREAT, 0666);
  if (fd < 0) refuse(name, "cannot open for writing");
  if (std::FILE* file = ::fdopen(fd, "w")) return File(file);
  ::close(fd);
  refuse(name, "cannot open for writing");
}

}  // namespace

void convert(LineSource& cif_source, LineSource& control, RecordWriter& out) {
  convert(cif_source, read_control_settings(control, ControlSettings{}), out);
}

void convert(LineSource& cif_source, const ControlSettings& settings, RecordWriter& out) {
  CifReader cif(cif_source);
  const CellBlock cell = read_cell_block(cif);
  write_cell_line(out, cell.cell);
  const AtomTable atoms = read_atom_sites(cif, cell.atom_search_start);
  const GroupedAtoms grouped = group_species(atoms, cif_source.name());
  write_atoms(out, grouped.atoms, settings);
  write_trailer(out, finish_summary(grouped.summary, settings));
}

void run_conversion() {
  const File cif_file = open_input(kCifFile);
  File out_file = open_output(kOutputFile);
  const File control_file = open_input(kControlFile);
  LineSource cif(cif_file.get(), kCifFile);
  LineSource control(control_file.get(), kControlFile);
  RecordWriter out(out_file.get(), kOutputFile);
  convert(cif, control, out);
  if (std::fclose(out_file.release()) != 0) refuse(kOutputFile, "cannot write");
}

}  // namespace cif2at
