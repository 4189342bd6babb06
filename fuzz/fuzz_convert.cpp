// Feeds arbitrary bytes through a whole conversion, in memory.
//
// An input is the bytes of "atom.cif", optionally followed by kControlMark
// and the bytes of "zelkor.dat"; without the mark "zelkor.dat" is empty.
// A Failure is an expected outcome; anything else that escapes, every
// sanitizer report, a diagnostic that is not one short readable line and an
// at.dat that ends inside a line are faults.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "cif2at/failure.hpp"
#include "cif2at/limits.hpp"
#include "records/output_records.hpp"
#include "records/text_input.hpp"
#include "run/conversion.hpp"

namespace {

constexpr std::string_view kControlMark = "\n--zelkor.dat--\n";

// A read-only stream over `bytes`; glibc accepts a size of 0 for an empty file.
std::FILE* open_bytes(std::string_view bytes) {
  static char empty[1];
  void* buffer = bytes.empty() ? empty : const_cast<char*>(bytes.data());
  std::FILE* file = fmemopen(buffer, bytes.size(), "r");
  if (file == nullptr) std::abort();
  return file;
}

// A diagnostic is one short line of visible characters, whatever the files hold.
bool readable(std::string_view diagnostic) {
  if (diagnostic.size() > 512) return false;
  for (const char c : diagnostic) {
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t mark = input.find(kControlMark);
  const std::string_view cif_bytes = input.substr(0, mark);
  const std::string_view control_bytes =
      mark == std::string_view::npos ? std::string_view{} : input.substr(mark + kControlMark.size());

  std::FILE* cif_file = open_bytes(cif_bytes);
  std::FILE* control_file = open_bytes(control_bytes);
  char* output = nullptr;
  std::size_t output_size = 0;
  std::FILE* out_file = open_memstream(&output, &output_size);
  if (out_file == nullptr) std::abort();
  {
    cif2at::LineSource cif(cif_file, cif2at::kCifFile);
    cif2at::LineSource control(control_file, cif2at::kControlFile);
    cif2at::RecordWriter out(out_file, cif2at::kOutputFile);
    try {
      cif2at::convert(cif, control, out);
    } catch (const cif2at::Failure& failure) {
      if (!readable(cif2at::describe(failure))) std::abort();
    }
  }
  std::fclose(out_file);
  // at.dat holds whole lines, however the run ended.
  if (output_size > 0 && output[output_size - 1] != '\n') std::abort();
  std::free(output);
  std::fclose(control_file);
  std::fclose(cif_file);
  return 0;
}
