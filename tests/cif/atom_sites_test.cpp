#include "cif/atom_sites.hpp"

#include <gtest/gtest.h>

#include <string>

#include "cif/cell_block.hpp"
#include "cif2at/failure.hpp"
#include "test_support.hpp"

namespace cif2at {
namespace {

const std::string kCell =
    "data_s\n_cell_length_a 1 _cell_length_b 1 _cell_length_c 1\n"
    "_cell_angle_alpha 90 _cell_angle_beta 90 _cell_angle_gamma 90\n";

AtomTable read_sites(const std::string& text) {
  testing::TempFile file(text);
  LineSource source(file.get(), "atom.cif");
  CifReader cif(source);
  const CellBlock cell = read_cell_block(cif);
  return read_atom_sites(cif, cell.atom_search_start);
}

std::string rows(int n) {
  std::string text = "loop_ _atom_site_label _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z\n";
  for (int i = 1; i <= n; ++i) text += std::string("C") + std::to_string(i) + " 0.1 0.2 0.3\n";
  return text;
}

TEST(AtomSites, FindsTheLoopByItsCoordinateColumns) {
  const AtomTable sites = read_sites(
      "loop_ _atom_site_aniso_label _atom_site_aniso_U_11 Zn1 0.01\n"
      "_atom_site_fract_x 7\n" + kCell +
      "loop_ _atom_site_fract_x _atom_site_fract_y _atom_site_label _atom_site_fract_z\n"
      "0.5 0.25 Zn1 -0.125(3)\n"
      "loop_ _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z _atom_site_label 9 9 9 Later\n");
  ASSERT_EQ(sites.size(), 1u);
  EXPECT_EQ(sites[0].label, Label("Zn1"));
  EXPECT_EQ(sites[0].type_symbol, Label("Zn"));
  EXPECT_EQ(sites[0].x, 0.5f);
  EXPECT_EQ(sites[0].y, 0.25f);
  EXPECT_EQ(sites[0].z, -0.125f);
}

TEST(AtomSites, TheLoopMayStandBeforeTheCell) {
  const AtomTable sites = read_sites(
      "data_s\nloop_ _atom_site_label _atom_site_type_symbol _atom_site_fract_x _atom_site_fract_y\n"
      "_atom_site_fract_z\nO1 O2- 0 0 0 Si1 Si4+ 1 1 1\n" + kCell.substr(7));
  ASSERT_EQ(sites.size(), 2u);
  EXPECT_EQ(sites[1].type_symbol, Label("Si4+"));
  EXPECT_EQ(sites[1].x, 1.0f);
}

TEST(AtomSites, OnlyTheStructureBlocksLoopCounts) {
  const std::string loop = "loop_ _atom_site_label _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z\n";
  const AtomTable sites = read_sites("data_other\n" + loop + "Wrong 9 9 9\n" + kCell + "_after_the_cell 1\n" + loop +
                                     "Right 0.5 0.5 0.5\n");
  ASSERT_EQ(sites.size(), 1u);
  EXPECT_EQ(sites[0].label, Label("Righ"));
}

TEST(AtomSites, LabelsAndTypeSymbolsKeepFourCharacters) {
  // Without a type-symbol column the type symbol is the label's leading letters.
  const AtomTable sites = read_sites(
      kCell + "loop_ _atom_site_label _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z\n"
              "H10AB 0 0 0\nO1A 0 0 0\nCL3 0 0 0\n'loop_' 0 0 0\nloopA 0 0 0\n'' 0 0 0\n1X 0 0 0\nAbcdefg 0 0 0\n");
  const char* expected[][2] = {{"H10A", "H"}, {"O1A", "O"},     {"CL3", "CL"}, {"loop", "loop"},
                               {"loop", "loop"}, {"", ""}, {"1X", ""},    {"Abcd", "Abcd"}};
  ASSERT_EQ(sites.size(), std::size(expected));
  for (std::size_t i = 0; i < sites.size(); ++i) {
    EXPECT_EQ(sites[i].label, Label(expected[i][0])) << i;
    EXPECT_EQ(sites[i].type_symbol, Label(expected[i][1])) << i;
  }
}

TEST(AtomSites, ReadingStopsAtTheEndOfTheLoop) {
  EXPECT_EQ(read_sites(kCell + rows(2) + "_x\n;never closed\n").size(), 2u);
  EXPECT_EQ(read_sites(kCell + rows(2) + "#done").size(), 2u);
}

TEST(AtomSites, ExactlyTheMostAtomsFit) {
  EXPECT_EQ(read_sites(kCell + rows(kMaxAtoms)).size(), static_cast<std::size_t>(kMaxAtoms));
}

TEST(AtomSites, RowsItCannotUseAreReportedWithTheirPlace) {
  const std::string header = "loop_\n_atom_site_label\n_atom_site_fract_x\n_atom_site_fract_y\n_atom_site_fract_z\n";
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {kCell, "cif2at: atom.cif: no atom-site loop with _atom_site_fract_x, _y, _z"},
      {kCell + "loop_ _atom_site_fract_x _atom_site_fract_y 1 2\ndata_next\n" + header + "C1 0 0 0\n",
       "cif2at: atom.cif: no atom-site loop with _atom_site_fract_x, _y, _z"},
      {kCell + "loop_\n_atom_site_type_symbol _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z\nC 0 0 0\n",
       "cif2at: atom.cif:4: the atom-site loop has no _atom_site_label"},
      {kCell + header + "C1 0 0 0\nC2 0 0\n", "cif2at: atom.cif:10: the atom-site loop ends inside the row of atom 'C2': expected 4 values, found 3"},
      {kCell + header + "C1 0 0 0\nC2 0 0\n_next_item 1\n",
       "cif2at: atom.cif:11: the atom-site loop ends inside the row of atom 'C2': expected 4 values, found 3"},
      {kCell + header + "C1 0 0 loop_\n", "cif2at: atom.cif:9: the atom-site loop ends inside the row of atom 'C1': expected 4 values, found 3"},
      {kCell + "loop_ _atom_site_fract_x _atom_site_label _atom_site_fract_y _atom_site_fract_z\n0 data_x\n",
       "cif2at: atom.cif:5: the atom-site loop ends inside a row: expected 4 values, found 1"},
      {kCell + header + "C1 0 ? 0\n", "cif2at: atom.cif:9: atom 'C1': _atom_site_fract_y: expected a number, found '?'"},
      {kCell + header + "C1 0 0\n.\n", "cif2at: atom.cif:10: atom 'C1': _atom_site_fract_z: expected a number, found '.'"},
      {kCell + header + "C1 '' 0 0\n", "cif2at: atom.cif:9: atom 'C1': _atom_site_fract_x: expected a number, found ''"},
      {kCell + header + "C1 zero 0 0\n", "cif2at: atom.cif:9: atom 'C1': _atom_site_fract_x: expected a number, found 'zero'"},
      {kCell + header + "C1 1e39 0 0\n", "cif2at: atom.cif:9: atom 'C1': _atom_site_fract_x: expected a number, found '1e39'"},
      {kCell + rows(kMaxAtoms + 1), "cif2at: atom.cif:205: more than 200 atom sites"},
      {kCell + "_x\n;never closed\n" + header + "C1 0 0 0\n", "cif2at: atom.cif:5: text field opened here is never closed (no line beginning with ';' follows)"},
  };
  for (const Case& c : cases) EXPECT_EQ(testing::diagnostic_of([&] { read_sites(c.text); }), c.message) << c.text;
}

}  // namespace
}  // namespace cif2at
