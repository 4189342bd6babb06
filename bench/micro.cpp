// Micro-benchmarks of the CIF value reader, the CIF number reader and the record writer.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cif/cif_number.hpp"
#include "cif/cif_reader.hpp"
#include "records/output_records.hpp"

namespace {

std::string atom_rows(int rows) {
  std::string text = "loop_\n_atom_site_label\n_atom_site_type_symbol\n_atom_site_fract_x\n_atom_site_fract_y\n"
                     "_atom_site_fract_z\n_atom_site_U_iso_or_equiv\n_atom_site_adp_type\n";
  for (int i = 0; i < rows; ++i) {
    text += "C" + std::to_string(i) + " C 0.24563(8) 0.11804(4) -0.41260(6) 0.01834(13) Uani 'a b' # note\n";
  }
  return text;
}

void cif_reader(benchmark::State& state) {
  std::string text = atom_rows(10'000);
  std::size_t tokens = 0;
  for (auto _ : state) {
    std::FILE* file = fmemopen(text.data(), text.size(), "r");
    cif2at::LineSource source(file, "atom.cif");
    cif2at::CifReader cif(source);
    while (cif.next().kind != cif2at::TokenKind::End) ++tokens;
    std::fclose(file);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  benchmark::DoNotOptimize(tokens);
}
BENCHMARK(cif_reader);

void cif_number(benchmark::State& state) {
  const std::vector<std::string> values = {"0.24563(8)", "-0.41260(6)", "10.2345(12)", "120", "5.551115123125783e-17"};
  for (auto _ : state) {
    for (const std::string& value : values) benchmark::DoNotOptimize(cif2at::parse_cif_number(value));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}
BENCHMARK(cif_number);

void write_record(benchmark::State& state) {
  std::FILE* sink = std::fopen("/dev/null", "w");
  cif2at::RecordWriter writer(sink, "at.dat");
  const cif2at::OutputValue values[] = {1, 0.24563f, -0.1180f, 0.4126f, cif2at::Label("C12"), cif2at::Label("C")};
  for (auto _ : state) writer.write_record("(I4,X,3F10.5,4X,A4,X,A4)", values);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
  std::fclose(sink);
}
BENCHMARK(write_record);

void render_record(benchmark::State& state) {
  const cif2at::OutputValue values[] = {1, 0.24563f, -0.1180f, 0.4126f, cif2at::Label("C12"), cif2at::Label("C")};
  std::string line;
  for (auto _ : state) {
    line.clear();
    cif2at::render_record("(I4,X,3F10.5,4X,A4,X,A4)", values, line);
    benchmark::DoNotOptimize(line.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(render_record);

}  // namespace

BENCHMARK_MAIN();
