#include "output/atom_output.hpp"

#include <gtest/gtest.h>

#include <string>

#include "test_support.hpp"

namespace cif2at {
namespace {

AtomSite site(const char* label, const char* symbol, int species, float x, float y, float z) {
  AtomSite s;
  s.label = Label(label);
  s.type_symbol = Label(symbol);
  s.species = species;
  s.x = x;
  s.y = y;
  s.z = z;
  return s;
}

std::string atom_lines(const AtomTable& atoms, const ControlSettings& settings) {
  testing::TempFile file;
  RecordWriter writer(file.get(), "at.dat");
  write_atoms(writer, atoms, settings);
  return file.contents();
}

TEST(AtomOutput, EveryCopyModeWithAndWithoutTranslation) {
  // Zn2 at (0.625, 0.75, 0.5), base (1, 1, 1); translated by (0.5, 0.5, 0.5) when asked.
  const AtomTable atoms{site("Zn2", "Zn2+", 1, 0.625f, 0.75f, 0.5f)};
  const std::string read_as = "   1    0.62500   0.75000   0.50000    Zn2  Zn2+\n";
  const std::string shifted = "   1    1.12500   1.25000   1.00000    Zn2  Zn2+\n";
  struct Case {
    int copy_mode;
    bool translate;
    const char* copy;  // the copy line's coordinates, or nothing
  } cases[] = {
      {0, false, nullptr},
      {1, false, "   0.37500   0.25000   0.50000"},
      {2, false, "   0.37500   0.75000   0.50000"},
      {3, false, "   0.62500   0.25000   0.50000"},
      {4, false, "   0.62500   0.75000   0.50000"},
      {5, false, "   0.62500   0.25000   0.50000"},
      {6, false, "   0.37500   0.75000   0.50000"},
      {7, false, "   0.37500   0.25000   0.50000"},
      {0, true, nullptr},
      {1, true, "  -0.12500  -0.25000   0.00000"},
      {2, true, "  -0.12500   1.25000   1.00000"},
      {3, true, "   1.12500  -0.25000   1.00000"},
      {4, true, "   1.12500   1.25000   0.00000"},
      {5, true, "   1.12500  -0.25000   0.00000"},
      {6, true, "  -0.12500   1.25000   0.00000"},
      {7, true, "  -0.12500  -0.25000   1.00000"},
  };
  for (const Case& c : cases) {
    ControlSettings settings;
    settings.copy_mode = c.copy_mode;
    settings.reflect_base = {1, 1, 1};
    settings.shift_flag = c.translate ? 1 : 0;
    settings.shift = {0.5f, 0.5f, 0.5f};
    const std::string atom_line = c.translate ? shifted : read_as;
    const std::string expected = c.copy ? atom_line + "   1 " + c.copy + "    Zn2  Zn2+\n" : atom_line;
    EXPECT_EQ(atom_lines(atoms, settings), expected) << "copy mode " << c.copy_mode << " translate " << c.translate;
  }
}

TEST(AtomOutput, TranslationFlagAndArithmetic) {
  const AtomTable atoms{site("Se2", "Se2-", 2, 0.625f, 0.75f, 0.875f)};
  ControlSettings settings;
  settings.shift = {0, 0, 0.5f};
  EXPECT_EQ(atom_lines(atoms, settings), "   2    0.62500   0.75000   0.87500    Se2  Se2-\n");  // flag 0: no shift
  for (int flag : {1, -1, 2}) {
    settings.shift_flag = flag;
    EXPECT_EQ(atom_lines(atoms, settings), "   2    0.62500   0.75000   1.37500    Se2  Se2-\n") << flag;
  }
  settings.copy_mode = 1;
  settings.reflect_base = {1, 1, 1};
  EXPECT_EQ(atom_lines(atoms, settings),
            "   2    0.62500   0.75000   1.37500    Se2  Se2-\n"
            "   2    0.37500   0.25000  -0.37500    Se2  Se2-\n");
}

TEST(AtomOutput, CopyPositionReflectsTheSelectedAxes) {
  EXPECT_FALSE(copy_position(0, {1, 1, 1}, {0.1f, 0.2f, 0.3f}));
  EXPECT_EQ(copy_position(3, {0, 0, 0}, {0.125f, 0.25f, 0}), (Coordinates{0.125f, -0.25f, 0}));
  EXPECT_EQ(copy_position(4, {0.5f, 0.5f, 0.5f}, {0.625f, 0.75f, 0.5f}), (Coordinates{0.625f, 0.75f, 0}));
  // Modes 5 to 7 copy every atom, also one that stands on the base point.
  EXPECT_EQ(copy_position(5, {0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}), (Coordinates{0.5f, 0, 0}));
}

TEST(AtomOutput, FinishSummaryDoublesTheCountsOnlyWithCopies) {
  SpeciesSummary summary;
  summary.species_count = 2;
  summary.counts = {2, 3};
  ControlSettings settings;
  const SpeciesSummary plain = finish_summary(summary, settings);
  EXPECT_EQ(plain.counts[0], 2);
  EXPECT_EQ(plain.total, 5);
  settings.copy_mode = 6;
  const SpeciesSummary doubled = finish_summary(summary, settings);
  EXPECT_EQ(doubled.counts[0], 4);
  EXPECT_EQ(doubled.counts[1], 6);
  EXPECT_EQ(doubled.total, 10);
  EXPECT_EQ(finish_summary(SpeciesSummary{}, settings).total, 0);
}

}  // namespace
}  // namespace cif2at
