#include "output/at_file.hpp"

#include <gtest/gtest.h>

#include <string>

#include "test_support.hpp"

namespace cif2at {
namespace {

TEST(AtFile, TheWritersProduceTheWholeFile) {
  testing::TempFile file;
  RecordWriter writer(file.get(), "at.dat");
  write_cell_line(writer, {3.998f, 3.998f, 13.451f, 90, 90, 120});
  write_atom_line(writer, 1, 0.125f, 0.25f, 0, Label("Zn1"), Label("Zn2+"));
  write_atom_line(writer, 1, 0.625f, 0.75f, 0.5f, Label("Zn2"), Label("Zn2+"));
  write_atom_line(writer, 2, 0.125f, 0.25f, 0.375f, Label("Se1"), Label("Se2-"));
  write_atom_line(writer, 2, 0.625f, 0.75f, 0.875f, Label("Se2"), Label("Se2-"));
  SpeciesSummary summary;
  summary.species_count = 2;
  summary.counts = {2, 2};
  summary.total = 4;
  write_trailer(writer, summary);
  EXPECT_EQ(file.contents(), testing::kExampleAtDat);
}

TEST(AtFile, CellLineColumns) {
  testing::TempFile file;
  RecordWriter writer(file.get(), "at.dat");
  write_cell_line(writer, {13.451f, 100.0f, -10.0f, 1000.0f, -99.99f, 0.5f});
  EXPECT_EQ(file.contents(), "13.4510   *******   *******   ********  -99.9900    0.5000\n");
}

TEST(AtFile, TrailerLayouts) {
  auto trailer = [](std::vector<int> counts) {
    testing::TempFile file;
    RecordWriter writer(file.get(), "at.dat");
    SpeciesSummary summary;
    summary.species_count = static_cast<int>(counts.size());
    for (std::size_t k = 0; k < counts.size(); ++k) {
      summary.counts[k] = counts[k];
      summary.total += counts[k];
    }
    write_trailer(writer, summary);
    return file.contents();
  };
  EXPECT_EQ(trailer({}), "\n    0    0\n");
  EXPECT_EQ(trailer({5}), "\n    1    5    5\n");
  EXPECT_EQ(trailer({1, 1, 1, 1, 1, 1, 1, 1}), "\n    8    1    1    1    1    1    1    1    1    8\n");
  EXPECT_EQ(trailer({1, 1, 1, 1, 1, 1, 1, 1, 1}), "\n    9    1    1    1    1    1    1    1    1    1\n\n    9\n");
  EXPECT_EQ(trailer({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
            "\n   10    1    2    3    4    5    6    7    8    9\n\n   10   55\n");
}

}  // namespace
}  // namespace cif2at
