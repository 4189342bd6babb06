#include "cif/cell_block.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cif2at/failure.hpp"
#include "test_support.hpp"

namespace cif2at {
namespace {

CellParameters read_cell(const std::string& text) {
  testing::TempFile file(text);
  LineSource source(file.get(), "atom.cif");
  CifReader cif(source);
  return read_cell_block(cif).cell;
}

void expect_cell(const CellParameters& cell, float a, float b, float c, float alpha, float beta, float gamma) {
  EXPECT_EQ(cell.a, a);
  EXPECT_EQ(cell.b, b);
  EXPECT_EQ(cell.c, c);
  EXPECT_EQ(cell.alpha, alpha);
  EXPECT_EQ(cell.beta, beta);
  EXPECT_EQ(cell.gamma, gamma);
}

TEST(CellBlock, ReadsTheCellWhereverAndHoweverTheItemsStand) {
  expect_cell(read_cell(testing::fixture("cell_in_order.cif")), 5.431f, 5.431f, 13.451f, 90, 90, 120);
  expect_cell(read_cell(testing::fixture("cell_alphabetical.cif")), 7.1234f, 8.5f, 10.0f, 90, 101.25f, 90);
  expect_cell(read_cell(testing::fixture("cell_after_global_block.cif")), 3.998f, 3.998f, 6.551f, 90, 90, 120);
  expect_cell(read_cell(testing::fixture("cell_after_text_field.cif")), 4.1f, 4.2f, 4.3f, 91, 92, 93);
}

TEST(CellBlock, ValuesOnTheirOwnLinesAndCrLf) {
  expect_cell(read_cell("data_x\r\n_cell_length_a\r\n  5.0\r\n_cell_length_b\r\n'6.0'\r\n_cell_length_c\r\n;7.0\r\n;\r\n"
                        "_cell_angle_alpha 90 _cell_angle_beta 95.5(3)\r\n_cell_angle_gamma\r\n# comment\r\n90.0\r\n"),
              5, 6, 7, 90, 95.5f, 90);
}

TEST(CellBlock, TheFirstOccurrenceCountsAndLoopsAreNotItems) {
  expect_cell(read_cell("loop_ _cell_length_a 9 9\n"
                        "_cell_length_a 1 _cell_length_b 2 _cell_length_c 3 _cell_length_a 4\n"
                        "_cell_angle_alpha 90 _cell_angle_beta 90 _cell_angle_gamma 90\n"),
              1, 2, 3, 90, 90, 90);
  // Data names compare without regard to case.
  expect_cell(read_cell("_CELL_LENGTH_A 1 _Cell_Length_B 2 _cell_length_c 3 "
                        "_cell_angle_alpha 90 _cell_angle_beta 90 _cell_angle_gamma 90\n"),
              1, 2, 3, 90, 90, 90);
}

TEST(CellBlock, AnglesBelowOneDegreeAreRightAngles) {
  const std::string lengths = "_cell_length_a 1 _cell_length_b 1 _cell_length_c 1\n";
  expect_cell(read_cell(lengths + "_cell_angle_alpha 1.0 _cell_angle_beta 0.5 _cell_angle_gamma 0\n"), 1, 1, 1, 1,
              90, 90);
  expect_cell(read_cell(lengths + "_cell_angle_alpha -60 _cell_angle_beta 0.99999 _cell_angle_gamma 1\n"), 1, 1, 1,
              90, 90, 1);
  // Lengths have no such rule.
  expect_cell(read_cell("_cell_length_a 0.5 _cell_length_b 0 _cell_length_c -1\n"
                        "_cell_angle_alpha 90 _cell_angle_beta 90 _cell_angle_gamma 90\n"),
              0.5f, 0, -1, 90, 90, 90);
}

TEST(CellBlock, StopsReadingOnceItHasAllSixItems) {
  // A fault after the cell is the atom-site stage's to find.
  expect_cell(read_cell("_cell_length_a 1 _cell_length_b 2 _cell_length_c 3\n"
                        "_cell_angle_alpha 90 _cell_angle_beta 90 _cell_angle_gamma 90\n"
                        "_cell_volume\n;never closed\n"),
              1, 2, 3, 90, 90, 90);
}

TEST(CellBlock, ItemsItCannotUseAreReportedWithTheirPlace) {
  const std::string lengths = "data_s\n_cell_length_a 1\n_cell_length_b 2\n_cell_length_c 3\n";
  const std::string angles = "_cell_angle_alpha 90\n_cell_angle_beta 90\n";
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {"", "cif2at: atom.cif: no _cell_length_a found"},
      {"data_a\n_cell_length_b 5\ndata_b\n_title x\n", "cif2at: atom.cif: no _cell_length_a found"},
      {lengths + angles, "cif2at: atom.cif:6: the data block with _cell_length_a has no _cell_angle_gamma"},
      {lengths + angles + "data_next\n_cell_angle_gamma 90\n",
       "cif2at: atom.cif:7: the data block with _cell_length_a has no _cell_angle_gamma"},
      {lengths + angles + "_cell_angle_gamma\n_cell_volume 12\n", "cif2at: atom.cif:7: _cell_angle_gamma has no value"},
      {lengths + angles + "_cell_angle_gamma\nloop_\n", "cif2at: atom.cif:7: _cell_angle_gamma has no value"},
      {lengths + angles + "_cell_angle_gamma\n", "cif2at: atom.cif:7: _cell_angle_gamma has no value"},
      {lengths + angles + "_cell_angle_gamma\n?\n", "cif2at: atom.cif:8: _cell_angle_gamma: expected a number, found '?'"},
      {"_cell_length_a 5.4x\n_cell_length_b 2 _cell_length_c 3\n" + angles + "_cell_angle_gamma 90\n",
       "cif2at: atom.cif:1: _cell_length_a: expected a number, found '5.4x'"},
      {lengths + angles + "_cell_angle_gamma '.'\n", "cif2at: atom.cif:7: _cell_angle_gamma: expected a number, found '.'"},
      {lengths + angles + "_cell_angle_gamma ''\n", "cif2at: atom.cif:7: _cell_angle_gamma: expected a number, found ''"},
      {lengths + angles + "_cell_angle_gamma 1e39\n",
       "cif2at: atom.cif:7: _cell_angle_gamma: expected a number, found '1e39'"},
      {lengths + angles + "_cell_angle_gamma 1,5\n", "cif2at: atom.cif:7: _cell_angle_gamma: expected a number, found '1,5'"},
  };
  for (const Case& c : cases) EXPECT_EQ(testing::diagnostic_of([&] { read_cell(c.text); }), c.message) << c.text;
}

TEST(CellBlock, NoCellIsAnEndOfFile) {
  const auto failure = testing::failure_of([] { read_cell("data_empty\n"); });
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind(), FailureKind::EndOfFile);
}

}  // namespace
}  // namespace cif2at
