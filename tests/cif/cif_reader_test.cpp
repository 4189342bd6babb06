#include "cif/cif_reader.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cif2at/failure.hpp"
#include "test_support.hpp"

namespace cif2at {
namespace {

// The tokens of `text`, each written as kind:text.
std::vector<std::string> tokens(const std::string& text) {
  testing::TempFile file(text);
  LineSource source(file.get(), "atom.cif");
  CifReader cif(source);
  std::vector<std::string> out;
  for (CifToken t = cif.next(); t.kind != TokenKind::End; t = cif.next()) {
    const char* kind = t.kind == TokenKind::Value  ? "v"
                       : t.kind == TokenKind::Name ? "n"
                       : t.kind == TokenKind::Loop ? "loop"
                       : t.kind == TokenKind::Data ? "data"
                                                   : "reserved";
    out.push_back(std::string(kind) + ":" + std::string(t.text) + "@" + std::to_string(t.line));
  }
  return out;
}

using Tokens = std::vector<std::string>;

TEST(CifReader, SplitsValuesTheWayCifDoes) {
  struct Case {
    const char* text;
    Tokens expected;
  } cases[] = {
      {"_a 1\n", {"n:_a@1", "v:1@1"}},
      {"_a\t1\t 2\n", {"n:_a@1", "v:1@1", "v:2@1"}},  // tabs separate
      {"'some aren't half tricky'\n", {"v:some aren't half tricky@1"}},
      {"'O'Brien, P.' next\n", {"v:O'Brien, P.@1", "v:next@1"}},
      {"\"say \"hi\"\"\n", {"v:say \"hi\"@1"}},
      {"'' \"\"\n", {"v:@1", "v:@1"}},
      {"'still open at the end\n", {"v:still open at the end@1"}},
      {"C1' C1# x,y,z a/b\n", {"v:C1'@1", "v:C1#@1", "v:x,y,z@1", "v:a/b@1"}},
      {"1 # a comment 'with quote\n2 #\n", {"v:1@1", "v:2@2"}},
      {"'#not a comment'\n", {"v:#not a comment@1"}},
      {"LOOP_ Data_x save_f global_ stop_ loop_x\n",
       {"loop:LOOP_@1", "data:Data_x@1", "reserved:save_f@1", "reserved:global_@1", "reserved:stop_@1",
        "v:loop_x@1"}},
      {"_a\r\n1\r\n", {"n:_a@1", "v:1@2"}},
      {"_t\n;first line\n_cell_length_a 99\nloop_\n; close 'q r'\n_b 2\n",
       {"n:_t@1", "v:first line@2", "v:close@5", "v:q r@5", "n:_b@6", "v:2@6"}},
      {"_t\r\n;\r\ntext\r\n;\r\n_b 2\r\n", {"n:_t@1", "v:@2", "n:_b@5", "v:2@5"}},
      {" ;not a text field\n", {"v:;not@1", "v:a@1", "v:text@1", "v:field@1"}},
  };
  for (const Case& c : cases) EXPECT_EQ(tokens(c.text), c.expected) << c.text;
}

TEST(CifReader, ATextFieldThatIsNeverClosedIsABadValue) {
  const auto failure = testing::failure_of([&] { tokens("_a 1\n_b\n;opened here\nand never closed\n"); });
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind(), FailureKind::BadValue);
  EXPECT_EQ(describe(*failure),
  "cif2at: atom.cif:3: text field opened here is never closed (no line beginning with ';' follows)");
}

TEST(CifReader, SeeksBackToAMarkInsideALine) {
  testing::TempFile file(";text\n;\n_x 1 data_b _y 2\n_z 3\n");
  LineSource source(file.get(), "atom.cif");
  CifReader cif(source);
  EXPECT_EQ(cif.next().text, "text");
  const CifMark start = cif.mark();
  EXPECT_EQ(cif.next().text, "_x");
  cif.next();
  EXPECT_EQ(cif.next().kind, TokenKind::Data);
  const CifMark after_data = cif.mark();
  while (cif.next().kind != TokenKind::End) {
  }
  cif.seek(after_data);
  const CifToken y = cif.next();
  EXPECT_EQ(y.text, "_y");
  EXPECT_EQ(y.line, 3);
  cif.seek(start);
  EXPECT_EQ(cif.next().text, "_x");
  cif.seek(CifMark{});
  EXPECT_EQ(cif.next().text, "text");  // a text field again at the start of the file
}

TEST(CifReader, PutBackGivesTheLastTokenAgain) {
  testing::TempFile file("_a 1\n");
  LineSource source(file.get(), "atom.cif");
  CifReader cif(source);
  EXPECT_EQ(cif.next().text, "_a");
  cif.put_back();
  EXPECT_EQ(cif.next().text, "_a");
  EXPECT_EQ(cif.next().text, "1");
}

}  // namespace
}  // namespace cif2at
