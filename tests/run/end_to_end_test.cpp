// Runs of the real program in a fresh directory: every file afterwards, the
// exit status and both console streams.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "test_support.hpp"

namespace cif2at {
namespace {

using testing::fixture;
using testing::run_with;
using testing::RunResult;
using testing::WorkDir;

const char* const kZnSe =
    " 3.9980    3.9980   13.4510    90.0000   90.0000  120.0000\n"
    "   1    0.12500   0.25000   0.00000    Zn1  Zn2+\n"
    "   1    0.62500   0.75000   0.50000    Zn2  Zn2+\n"
    "   2    0.12500   0.25000   0.37500    Se1  Se2-\n"
    "   2    0.62500   0.75000   0.87500    Se2  Se2-\n"
    "\n"
    "    2    2    2    4\n";

const std::string kCellLine = " 3.9980    3.9980   13.4510    90.0000   90.0000  120.0000\n";

void expect_success(const RunResult& run) {
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "");
}

TEST(EndToEnd, AnEmptyDirectory) {
  const RunResult run = run_with({});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "cif2at: atom.cif: no _cell_length_a found\n");
  EXPECT_EQ(run.file("atom.cif"), "");
  EXPECT_EQ(run.file("at.dat"), "");
  EXPECT_EQ(run.file("zelkor.dat"), "");
}

TEST(EndToEnd, TheExampleStructure) {
  const RunResult run = run_with({{"atom.cif", fixture("zns_example.cif")}});
  expect_success(run);
  EXPECT_EQ(run.file("at.dat"), kZnSe);
  EXPECT_EQ(run.file("zelkor.dat"), "");  // created, and left empty
}

TEST(EndToEnd, RealAtomSiteLoopsConvertCompletely) {
  for (const char* name : {"shelxl", "type_symbol_first", "type_symbol_last", "no_type_symbol", "row_layout",
                           "loop_at_end", "cell_alphabetical_atoms"}) {
    const RunResult run = run_with({{"atom.cif", fixture(std::string(name) + ".cif")}});
    expect_success(run);
    EXPECT_EQ(run.file("at.dat"), fixture(std::string("expected/") + name + ".at.dat")) << name;
  }
}

TEST(EndToEnd, TranslationAndCopiesThroughTheControlFile) {
  const RunResult run = run_with({{"atom.cif", fixture("zns_example.cif")},
                                  {"zelkor.dat", "    1 1.00 1.00 1.00\n    1 0.00 0.00 0.50\n"}});
  expect_success(run);
  EXPECT_EQ(run.file("at.dat"), kCellLine +
                                    "   1    0.12500   0.25000   0.50000    Zn1  Zn2+\n"
                                    "   1    0.87500   0.75000   0.50000    Zn1  Zn2+\n"
                                    "   1    0.62500   0.75000   1.00000    Zn2  Zn2+\n"
                                    "   1    0.37500   0.25000   0.00000    Zn2  Zn2+\n"
                                    "   2    0.12500   0.25000   0.87500    Se1  Se2-\n"
                                    "   2    0.87500   0.75000   0.12500    Se1  Se2-\n"
                                    "   2    0.62500   0.75000   1.37500    Se2  Se2-\n"
                                    "   2    0.37500   0.25000  -0.37500    Se2  Se2-\n"
                                    "\n"
                                    "    2    4    4    8\n");
}

TEST(EndToEnd, ControlFileCases) {
  const std::string zn2_moved = "   1    1.12500   1.25000   1.00000    Zn2  Zn2+\n";
  struct Case {
    const char* name;
    std::string control;
    int status;
    std::string err;
    std::string zn2_lines;  // what at.dat holds for Zn2 when the run succeeds
  } cases[] = {
      {"empty", "", 0, "", "   1    0.62500   0.75000   0.50000    Zn2  Zn2+\n"},
      {"one line", "    1 1.00 1.00 1.00\n", 0, "",
       "   1    0.62500   0.75000   0.50000    Zn2  Zn2+\n   1    0.37500   0.25000   0.50000    Zn2  Zn2+\n"},
      {"digits without a point", "    2  100  100  100\n", 0, "",
       "   1    0.62500   0.75000   0.50000    Zn2  Zn2+\n   1    0.37500   0.75000   0.50000    Zn2  Zn2+\n"},
      {"no copies, then a translation", "    0\n    1 0.50 0.50 0.50\n", 0, "", zn2_moved},
      {"empty first line", "\n    1 0.50 0.50 0.50\n", 0, "", zn2_moved},
      {"CR LF", "    0\r\n    1 0.50 0.50 0.50\r\n", 0, "", zn2_moved},
      {"malformed third line, never read", "    0\n    1 0.50 0.50 0.50\nrubbish(\n", 0, "", zn2_moved},
      {"free-form values", "1 1.0 1.0 1.0\n", 1,
       "cif2at: zelkor.dat:1: columns 1-5: expected an integer, found '1 1.0'\n", ""},
      {"malformed second line", "    0\n    1 0.5x\n", 1,
       "cif2at: zelkor.dat:2: columns 6-10: expected a number, found ' 0.5x'\n", ""},
      {"copy mode out of range", "    9 1.00 1.00 1.00\n", 1, "cif2at: zelkor.dat:1: copy mode 9: expected 0 to 7\n",
       ""},
  };
  const std::string old_output = "an earlier at.dat\n";
  for (const Case& c : cases) {
    const RunResult run = run_with(
        {{"atom.cif", fixture("zns_example.cif")}, {"zelkor.dat", c.control}, {"at.dat", old_output}});
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.err, c.err) << c.name;
    EXPECT_EQ(run.file("zelkor.dat"), c.control) << c.name;
    if (c.status != 0) {
      EXPECT_EQ(run.file("at.dat"), old_output) << c.name;  // untouched
      continue;
    }
    const std::string at = *run.file("at.dat");
    EXPECT_NE(at.find(c.zn2_lines), std::string::npos) << c.name << "\n" << at;
  }
}

TEST(EndToEnd, FailuresEndTheRunAndLeaveAtDatAsFarAsItGot) {
  const std::string old_output = "an earlier at.dat\nwith two lines\n";
  const std::string cell =
      "data_x\n_cell_length_a 3.998 _cell_length_b 3.998 _cell_length_c 13.451\n"
      "_cell_angle_alpha 90 _cell_angle_beta 90 _cell_angle_gamma 120\n";
  const std::string header =
      "loop_ _atom_site_label _atom_site_type_symbol _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z\n";
  struct Case {
    const char* name;
    std::string cif;
    int status;
    std::string err;
    std::string at_dat;
  } cases[] = {
      {"no cell", "data_x\n_title 'no cell here'\n", 1, "cif2at: atom.cif: no _cell_length_a found\n", old_output},
      {"bad cell value", "data_x\n_cell_length_a 5.4x\n" + cell.substr(7), 1,
       "cif2at: atom.cif:2: _cell_length_a: expected a number, found '5.4x'\n", old_output},
      {"no atom loop", cell, 1, "cif2at: atom.cif: no atom-site loop with _atom_site_fract_x, _y, _z\n", kCellLine},
      {"row cut short", cell + header + "Zn1 Zn 0 0\n", 1,
       "cif2at: atom.cif:5: the atom-site loop ends inside the row of atom 'Zn1': expected 5 values, found 4\n",
       kCellLine},
      {"text field never closed", cell + "_details\n;open\n" + header, 1,
       "cif2at: atom.cif:5: text field opened here is never closed (no line beginning with ';' follows)\n",
       kCellLine},
      {"bad coordinate", cell + header + "Zn1 Zn 0 0(1 0\n", 1,
       "cif2at: atom.cif:5: atom 'Zn1': _atom_site_fract_y: expected a number, found '0(1'\n", kCellLine},
      {"eleven species", cell + header + "A H 0 0 0 B He 0 0 0 C Li 0 0 0 D Be 0 0 0 E B 0 0 0 F C 0 0 0\n"
                                         "G N 0 0 0 H O 0 0 0 I F 0 0 0 J Ne 0 0 0 K Na 0 0 0\n",
       1, "cif2at: atom.cif: more than 10 species: type symbol 'Na' would be the 11th\n", kCellLine},
  };
  for (const Case& c : cases) {
    const RunResult run = run_with({{"atom.cif", c.cif}, {"at.dat", old_output}});
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.out, "") << c.name;
    EXPECT_EQ(run.err, c.err) << c.name;
    EXPECT_EQ(run.file("at.dat"), c.at_dat) << c.name;
  }
}

TEST(EndToEnd, ALongerOldOutputIsReplacedAndASecondRunDoesNotAppend) {
  const WorkDir dir;
  dir.write("atom.cif", fixture("zns_example.cif"));
  dir.write("at.dat", std::string(100'000, 'x') + "\n");
  expect_success(dir.run());
  const RunResult again = dir.run();
  expect_success(again);
  EXPECT_EQ(again.file("at.dat"), kZnSe);
}

TEST(EndToEnd, ArgumentsAreIgnoredButHelpAndVersionTouchNothing) {
  const RunResult with_arguments = run_with({{"atom.cif", fixture("zns_example.cif")}}, "-x foo --help bar");
  expect_success(with_arguments);
  EXPECT_EQ(with_arguments.file("at.dat"), kZnSe);

  for (const char* option : {"--help", "--version"}) {
    const RunResult run = run_with({{"atom.cif", fixture("zns_example.cif")}}, option);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(run.file("at.dat")) << option;
    EXPECT_FALSE(run.file("zelkor.dat")) << option;
  }
}

TEST(EndToEnd, ReadOnlyInputsAreRead) {
  const WorkDir dir;
  dir.write("atom.cif", fixture("zns_example.cif"));
  dir.write("zelkor.dat", "");
  namespace fs = std::filesystem;
  for (const char* name : {"atom.cif", "zelkor.dat"}) fs::permissions(dir.path() / name, fs::perms::owner_read);
  const RunResult run = dir.run();
  expect_success(run);
  EXPECT_EQ(run.file("at.dat"), kZnSe);
}

TEST(EndToEnd, AtDatThatCannotBeWritten) {
  const WorkDir dir;
  dir.write("atom.cif", fixture("zns_example.cif"));
  std::filesystem::create_directory(dir.path() / "at.dat");
  const RunResult run = dir.run();
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "cif2at: at.dat: cannot open for writing: Is a directory\n");
}

}  // namespace
}  // namespace cif2at
