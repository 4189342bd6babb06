#include "cif2at/failure.hpp"

#include <gtest/gtest.h>

#include <string>

namespace cif2at {
namespace {

using namespace std::string_literals;

TEST(Diagnostic, ControlCharactersFromAFileAreShownNotWritten) {
  struct Case {
    std::string message;
    std::string shown;
  } cases[] = {
      {"found '0\0" "5'"s, "found '0\\x005'"},
      {"found '5\r_b'", "found '5\\x0D_b'"},  // a CR would send the terminal back over the line
      {"found '\x1B[2J\x7F'", "found '\\x1B[2J\\x7F'"},
      {"found '\n'", "found '\\x0A'"},
      {"found '\t1.00'", "found '\t1.00'"},
      {"found 'Zn\xE9" "1 \xC3\xA9'", "found 'Zn\xE9" "1 \xC3\xA9'"},  // bytes above ASCII stay as they are
  };
  for (const Case& c : cases) {
    EXPECT_EQ(describe(Failure(FailureKind::BadValue, "zelkor.dat", 2, c.message)), "cif2at: zelkor.dat:2: " + c.shown);
  }
}

TEST(Diagnostic, QuotedValuesAreCutAfterFortyCharacters) {
  const std::string forty(40, 'x');
  EXPECT_EQ(in_quotes(""), "''");
  EXPECT_EQ(in_quotes("O'Brien"), "'O'Brien'");
  EXPECT_EQ(in_quotes(forty), "'" + forty + "'");
  EXPECT_EQ(in_quotes(forty + "y"), "'" + forty + "...'");
  EXPECT_EQ(in_quotes(std::string(10'000'000, 'x')), "'" + forty + "...'");
  // Never inside a UTF-8 character: the two bytes of an e with acute accent stand at 39 and 40.
  EXPECT_EQ(in_quotes(std::string(39, 'x') + "\xC3\xA9" + "z"), "'" + std::string(39, 'x') + "...'");
}

}  // namespace
}  // namespace cif2at
