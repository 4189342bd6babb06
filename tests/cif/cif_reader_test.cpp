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

TEST(CifReader, AByteOrderMarkAtTheStartOfTheFileIsNoPartOfTheFirstValue) {
  struct Case {
    const char* text;
    Tokens expected;
  } cases[] = {
      {"\xEF\xBB\xBF" "data_x _a 1\n", {"data:data_x@1", "n:_a@1", "v:1@1"}},
      {"\xEF\xBB\xBF" "_cell_length_a 1\n", {"n:_cell_length_a@1", "v:1@1"}},
      {"\xEF\xBB\xBF" ";text\n;\n", {"v:text@1"}},
      {"\xEF\xBB\xBF\r\n_a 1\n", {"n:_a@2", "v:1@2"}},
      {"_a\n\xEF\xBB\xBF" "1\n", {"n:_a@1", "v:\xEF\xBB\xBF" "1@2"}},  // only at the start of the file
  };
  for (const Case& c : cases) EXPECT_EQ(tokens(c.text), c.expected) << c.text;

  testing::TempFile file("\xEF\xBB\xBF" "data_x _a 1\n");
  LineSource source(file.get(), "atom.cif");
  CifReader cif(source);
  cif.next();
  const CifMark after_data = cif.mark();
  cif.next();
  cif.seek(after_data);
  EXPECT_EQ(cif.next().text, "_a");  // columns count from after the mark
  cif.seek(CifMark{});
  EXPECT_EQ(cif.next().text, "data_x");
}

TEST(CifReader, ACrWithoutLfOrANulByteInALineIsABadValue) {
  using namespace std::string_literals;
  const std::string cr = "cif2at: atom.cif:2: a CR without LF: lines must end with LF or CR LF";
  const std::string nul = "cif2at: atom.cif:2: a NUL byte: the file is not ASCII or UTF-8 text";
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {"_a 1\n_b 2\r_c 3\r", cr},  // CR alone for line ends
      {"_a 1\nZn1\r Zn\r\n", cr},
      {"_a 1\n_b 2\r\r\n", cr},
      {"_a 1\n;text\rmore\n;\n", cr},
      {"_a 1\n'a\rb'\n", cr},
      {"_a 1\n# a comment\rthat goes on\n", cr},
      {"_a 1\nZn\0" "1 Zn\n"s, nul},
      {"_a 1\n\0\0\0\0"s, nul},  // a tail of zeros
      {"_\0a\0 \0" "1\0\n"s, "cif2at: atom.cif:1: a NUL byte: the file is not ASCII or UTF-8 text"},  // UTF-16
  };
  for (const Case& c : cases) {
    const auto failure = testing::failure_of([&] { tokens(c.text); });
    ASSERT_TRUE(failure) << c.text;
    EXPECT_EQ(failure->kind(), FailureKind::BadValue) << c.text;
    EXPECT_EQ(describe(*failure), c.message) << c.text;
  }
  // Lines of a text field are passed over unread.
  EXPECT_EQ(tokens("_a\n;\nraw \0 \r bytes\n;\n_b 2\n"s), (Tokens{"n:_a@1", "v:@2", "n:_b@5", "v:2@5"}));
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
