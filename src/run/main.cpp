// cif2at: converts the structure in "atom.cif" to "at.dat" in the working directory.

#include <cstdio>
#include <cstring>
#include <new>

#include "cif2at/failure.hpp"
#include "run/conversion.hpp"

namespace {

constexpr const char* kUsage =
    "Usage: cif2at\n"
    "Reads the unit cell and the atom sites of \"atom.cif\" in the working directory and\n"
    "writes them to \"at.dat\", the atoms grouped by species. An optional \"zelkor.dat\"\n"
    "asks for a translation of every atom and a reflected copy of each.\n"
    "Arguments are ignored, except --help and --version given alone.\n";

}  // namespace

int main(int argc, char** argv) {
  // Given alone, these only print: a user who types them must not overwrite "at.dat".
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("cif2at " CIF2AT_VERSION);
    return 0;
  }
  try {
    cif2at::run_conversion();
    return 0;
  } catch (const cif2at::Failure& failure) {
    std::fprintf(stderr, "%s\n", cif2at::describe(failure).c_str());
    return cif2at::exit_status(failure);
  } catch (const std::bad_alloc&) {
    std::fputs("cif2at: out of memory\n", stderr);
    return 2;
  }
}
