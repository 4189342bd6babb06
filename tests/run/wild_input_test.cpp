// Runs of the real program on files as they come from other programs,
// editors and damaged disks: each gives the right "at.dat" or one clear line.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "test_support.hpp"

namespace cif2at {
namespace {

using namespace std::string_literals;
using testing::run_with;
using testing::RunResult;

const std::string kCell =
    "data_x\n_cell_length_a 3.998 _cell_length_b 3.998 _cell_length_c 13.451\n"
    "_cell_angle_alpha 90 _cell_angle_beta 90 _cell_angle_gamma 120\n";
const std::string kLoop =
    "loop_ _atom_site_label _atom_site_type_symbol _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z\n";
const std::string kRow = "Zn1 Zn 0.125 0.25 0\n";
const std::string kStructure = kCell + kLoop + kRow;

const std::string kCellLine = " 3.9980    3.9980   13.4510    90.0000   90.0000  120.0000\n";
const std::string kConverted = kCellLine + "   1    0.12500   0.25000   0.00000    Zn1  Zn  \n\n    1    1    1\n";
const std::string kOldOutput = "an earlier at.dat\n";

const std::string kTenMegabytes(10 << 20, 'x');

std::string with_line_ends(std::string text, const std::string& line_end) {
  std::string out;
  for (const char c : text) out += c == '\n' ? line_end : std::string(1, c);
  return out;
}

// Little-endian UTF-16 with its byte-order mark, as some programs on Windows save text.
std::string utf16(const std::string& text) {
  std::string out = "\xFF\xFE";
  for (const char c : text) out += std::string(1, c) + '\0';
  return out;
}

struct Case {
  const char* name;
  std::string cif;
  std::string control;
  int status;
  std::string err;
  std::string at_dat;
};

void check(const Case& c) {
  const RunResult run = run_with({{"atom.cif", c.cif}, {"zelkor.dat", c.control}, {"at.dat", kOldOutput}});
  EXPECT_EQ(run.status, c.status) << c.name;
  EXPECT_EQ(run.out, "") << c.name;
  EXPECT_EQ(run.err, c.err) << c.name;
  EXPECT_EQ(run.file("at.dat"), c.at_dat) << c.name;
}

TEST(WildInput, NulBytes) {
  const std::string nul = "a NUL byte: the file is not ASCII or UTF-8 text\n";
  const Case cases[] = {
      {"in a label", kCell + kLoop + "Zn\0" "1 Zn 0.125 0.25 0\n"s, "", 1, "cif2at: atom.cif:5: " + nul, kCellLine},
      {"a damaged tail of zeros", kStructure + std::string(4096, '\0'), "", 1, "cif2at: atom.cif:6: " + nul,
       kCellLine},
      {"a file in UTF-16", utf16(kStructure), "", 1, "cif2at: atom.cif:1: " + nul, kOldOutput},
      {"in the zelkor.dat fields", kStructure, "    1\0 1.0\n"s, 1,
       "cif2at: zelkor.dat:1: columns 6-10: expected a number, found '\\x00 1.0'\n", kOldOutput},
      {"in a text field, which is never read", kCell + "_details\n;\n\0\0\0\n;\n"s + kLoop + kRow, "", 0, "",
       kConverted},
  };
  for (const Case& c : cases) check(c);
}

TEST(WildInput, TenMegabyteLines) {
  const Case cases[] = {
      {"a comment before the cell", "#" + kTenMegabytes + "\n" + kStructure, "", 0, "", kConverted},
      {"a line of a text field", kCell + "_details\n;\n" + kTenMegabytes + "\n;\n" + kLoop + kRow, "", 0, "",
       kConverted},
      {"a value, cut in the message", kCell + kLoop + "Zn1 Zn 0.125 0.25 " + kTenMegabytes + "\n", "", 1,
       "cif2at: atom.cif:5: atom 'Zn1': _atom_site_fract_z: expected a number, found '" + kTenMegabytes.substr(0, 40) +
           "...'\n",
       kCellLine},
      {"a line of zelkor.dat, read to column 20", kStructure, "    0" + kTenMegabytes + "\n", 1,
       "cif2at: zelkor.dat:1: columns 6-10: expected a number, found 'xxxxx'\n", kOldOutput},
  };
  for (const Case& c : cases) check(c);
}

TEST(WildInput, LineEnds) {
  const std::string cr = "a CR without LF: lines must end with LF or CR LF\n";
  const Case cases[] = {
      {"only blanks and line ends", " \n\n\t\n   \r\n\n", "", 1, "cif2at: atom.cif: no _cell_length_a found\n",
       kOldOutput},
      {"zelkor.dat of only blanks and line ends", kStructure, "     \n\n  \n", 0, "", kConverted},
      {"CR LF", with_line_ends(kStructure, "\r\n"), "    0\r\n    0\r\n", 0, "", kConverted},
      {"CR alone", with_line_ends(kStructure, "\r"), "", 1, "cif2at: atom.cif:1: " + cr, kOldOutput},
      {"CR alone in zelkor.dat", kStructure, "    1 1.00 1.00 1.00\r    1 0.00 0.00 0.50\r", 1,
       "cif2at: zelkor.dat:1: " + cr, kOldOutput},
      {"a stray CR in a label", kCell + kLoop + "Zn1\r Zn 0.125 0.25 0\n", "", 1, "cif2at: atom.cif:5: " + cr,
       kCellLine},
      {"no line end after the last row", kCell + kLoop + "Zn1 Zn 0.125 0.25 0", "", 0, "", kConverted},
  };
  for (const Case& c : cases) check(c);
}

TEST(WildInput, AUtf8ByteOrderMarkIsSkipped) {
  const std::string bom = "\xEF\xBB\xBF";
  const Case cases[] = {
      {"before data_", bom + kStructure, "", 0, "", kConverted},
      {"before the first cell item", bom + kStructure.substr(kStructure.find('_')), "", 0, "", kConverted},
      {"before a text field", bom + ";\npublication text\n;\n" + kStructure, "", 0, "", kConverted},
  };
  for (const Case& c : cases) check(c);
}

TEST(WildInput, QuotesAndTextFieldsLeftOpen) {
  std::string cell_quote_open = kStructure;
  cell_quote_open.replace(cell_quote_open.find("13.451"), 6, "'13.451");  // the last value of its line
  const Case cases[] = {
      {"a quote open to the end of the line is closed there", cell_quote_open, "", 0, "", kConverted},
      {"a quote open across a row", kCell + kLoop + "'Zn1 Zn 0.125 0.25 0\n", "", 1,
       "cif2at: atom.cif:5: the atom-site loop ends inside the row of atom 'Zn1 Zn 0.125 0.25 0': expected 5 "
       "values, found 1\n",
       kCellLine},
      {"a text field never closed in a row", kCell + kLoop + "Zn1 Zn 0.125 0.25\n;0\n", "", 1,
       "cif2at: atom.cif:6: text field opened here is never closed (no line beginning with ';' follows)\n",
       kCellLine},
      {"a text field never closed before the cell", "data_x\n_details\n;\n" + kStructure, "", 1,
       "cif2at: atom.cif:3: text field opened here is never closed (no line beginning with ';' follows)\n",
       kOldOutput},
  };
  for (const Case& c : cases) check(c);
}

TEST(WildInput, Latin1BytesAreKeptAsTheyAre) {
  const std::string label_only = "loop_ _atom_site_label _atom_site_fract_x _atom_site_fract_y _atom_site_fract_z\n";
  const Case cases[] = {
      {"in a label with a type symbol", kCell + kLoop + "Zn\xE9 Zn 0.125 0.25 0\n", "", 0, "",
       kCellLine + "   1    0.12500   0.25000   0.00000    Zn\xE9  Zn  \n\n    1    1    1\n"},
      {"in a label that gives the type symbol", kCell + label_only + "Zn\xE9" "1 0.125 0.25 0\n", "", 0, "",
       kCellLine + "   1    0.12500   0.25000   0.00000    Zn\xE9" "1 Zn  \n\n    1    1    1\n"},
      {"in a coordinate", kCell + kLoop + "Zn1 Zn 0.125\xB0 0.25 0\n", "", 1,
       "cif2at: atom.cif:5: atom 'Zn1': _atom_site_fract_x: expected a number, found '0.125\xB0'\n", kCellLine},
  };
  for (const Case& c : cases) check(c);
}

}  // namespace
}  // namespace cif2at
