#include "cif/cif_structure.hpp"

#include <gtest/gtest.h>

#include <string>

#include "test_support.hpp"

namespace cif2at {
namespace {

// Skips the values of the loop at the start of `text` and gives the token that
// ends it, or the diagnostic of the line that stops the reader.
std::string token_after_loop(const std::string& text) {
  testing::TempFile file(text);
  LineSource source(file.get(), "atom.cif");
  CifReader cif(source);
  EXPECT_EQ(cif.next().kind, TokenKind::Loop);
  read_loop_names(cif);
  std::string end;
  const std::string failure = testing::diagnostic_of([&] {
    skip_loop_values(cif);
    const CifToken token = cif.next();
    end = std::string(token.text) + "@" + std::to_string(token.line);
  });
  return end.empty() ? failure : end;
}

TEST(CifStructure, LongLoopsOfValuesEndExactlyWhereTheyEnd) {
  std::string numbers;
  for (int i = 0; i < 50'000; ++i) numbers += "   1  -2   3  123.45   11.20 # comment 'x\n";
  const std::string head = "loop_ _refln_index_h _refln_index_k\n";
  struct Case {
    std::string text;
    const char* end;
  } cases[] = {
      {head + numbers + "_next 1\n", "_next@50002"},
      {head + numbers + "4 5 _next 1\n", "_next@50002"},
      {head + numbers + "4 5 'quoted _name' Loop_\n", "Loop_@50002"},
      {head + numbers + ";\n_inside a text field\n;\n" + numbers + "DATA_b\n", "DATA_b@100005"},
      {head + numbers + "\tstop_\n", "stop_@50002"},
      // The skip stops at a NUL byte, and the reader refuses the line.
      {head + numbers + std::string("1 \0 2\n", 6) + "save_x\n",
       "cif2at: atom.cif:50002: a NUL byte: the file is not ASCII or UTF-8 text"},
      {head + numbers, "@50001"},
      {head + numbers + "1 2", "@50002"},
  };
  for (const Case& c : cases) EXPECT_EQ(token_after_loop(c.text), c.end);
}

}  // namespace
}  // namespace cif2at
