#include "records/text_input.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cif2at/failure.hpp"
#include "test_support.hpp"

namespace cif2at {
namespace {

using testing::TempFile;

std::vector<std::string> all_lines(const std::string& text) {
  TempFile file(text);
  LineSource source(file.get(), "t");
  std::vector<std::string> lines;
  while (auto line = source.read_line(true)) lines.emplace_back(*line);
  return lines;
}

TEST(LineSource, SplitsLinesLikeTheFileMeansThem) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(all_lines(""), Lines{});
  EXPECT_EQ(all_lines("a\nb\n"), (Lines{"a", "b"}));        // no empty line after the last line feed
  EXPECT_EQ(all_lines("a\r\nb\r\n"), (Lines{"a", "b"}));    // CR LF reads like LF
  EXPECT_EQ(all_lines("a\nlast"), (Lines{"a", "last"}));    // a last line without line feed counts
  EXPECT_EQ(all_lines("\n\n"), (Lines{"", ""}));            // empty lines are lines, not the end
  EXPECT_EQ(all_lines("x\ry\n"), (Lines{"x\ry"}));          // a lone CR is an ordinary character
  EXPECT_EQ(all_lines(std::string("a\0b\n", 4)), (Lines{std::string("a\0b", 3)}));
}

TEST(LineSource, EndOfFileIsFatalUnlessAllowed) {
  TempFile file("only\n");
  LineSource source(file.get(), "zelkor.dat");
  EXPECT_EQ(*source.read_line(false), "only");
  EXPECT_FALSE(source.read_line(true));
  EXPECT_FALSE(source.read_line(true));  // stays at the end
  const auto failure = testing::failure_of([&] { source.read_line(false); });
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind(), FailureKind::EndOfFile);
  EXPECT_EQ(failure->file(), "zelkor.dat");
}

TEST(LineSource, LinesLongerThanItsBufferAndSeekingBack) {
  const std::string longest(3'000'000, 'x');
  TempFile file("first\n" + longest + "\nlast\n");
  LineSource source(file.get(), "t");
  EXPECT_EQ(*source.read_line(false), "first");
  const SourcePosition second = source.next_position();
  EXPECT_EQ(*source.read_line(false), longest);
  EXPECT_EQ(*source.read_line(false), "last");
  EXPECT_EQ(source.line_number(), 3);
  source.seek(second);
  EXPECT_EQ(source.read_line(false)->size(), longest.size());
  EXPECT_EQ(source.line_number(), 2);
  source.rewind();
  EXPECT_EQ(*source.read_line(false), "first");
  EXPECT_EQ(source.line_number(), 1);
}

TEST(LineSource, SkipsToALineStartingWithAMarkAndCountsTheLines) {
  // Many lines, with the mark inside lines and across buffer refills.
  std::string text = "open\n";
  for (int i = 0; i < 100'000; ++i) text += "1 2 3 ; not a line start;\n";
  text += ";close\r\nafter\n";
  TempFile file(text);
  LineSource source(file.get(), "t");
  source.read_line(false);
  ASSERT_TRUE(source.skip_to_line_starting_with(';'));
  EXPECT_EQ(*source.read_line(false), ";close");
  EXPECT_EQ(source.line_number(), 100'002);
  EXPECT_FALSE(source.skip_to_line_starting_with(';'));  // "after" and then the end

  TempFile right_away(";x\n");
  LineSource at_once(right_away.get(), "t");
  ASSERT_TRUE(at_once.skip_to_line_starting_with(';'));
  EXPECT_EQ(*at_once.read_line(false), ";x");
}

TEST(LineSource, AFileThatCannotBeReadIsAFileFailure) {
  std::FILE* directory = std::fopen("/", "r");
  ASSERT_NE(directory, nullptr);
  LineSource source(directory, "atom.cif");
  const auto failure = testing::failure_of([&] { source.read_line(true); });
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind(), FailureKind::FileFailure);
  EXPECT_EQ(describe(*failure), "cif2at: atom.cif: cannot read: Is a directory");
  std::fclose(directory);
}

}  // namespace
}  // namespace cif2at
