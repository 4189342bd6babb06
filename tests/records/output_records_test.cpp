#include "records/output_records.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "cif2at/failure.hpp"
#include "test_support.hpp"

namespace cif2at {
namespace {

std::string render(std::string_view format, const std::vector<OutputValue>& values) {
  std::string out;
  render_record(format, values, out);
  return out;
}

TEST(RecordFields, RenderAsTheFormatSays) {
  struct Case {
    const char* format;
    OutputValue value;
    const char* written;
  } cases[] = {
      {"(F7.4)", 5.431f, " 5.4310"},
      {"(F8.4)", 90.0f, " 90.0000"},
      {"(F8.4)", 120.0f, "120.0000"},
      {"(F7.4)", 0.5f, " 0.5000"},
      {"(F7.4)", -0.5f, "-0.5000"},
      {"(F7.4)", 100.0f, "*******"},
      {"(F7.4)", 99.99996f, "*******"},   // rounds up into one more digit
      {"(F7.4)", -9.99996f, "*******"},
      {"(F7.4)", 13.451f, "13.4510"},
      {"(F10.5)", 0.12345f, "   0.12345"},
      {"(F10.5)", 2.0f / 3.0f, "   0.66667"},
      {"(F10.5)", -0.125f, "  -0.12500"},
      {"(F10.5)", -0.0000001f, "  -0.00000"},  // the sign bit decides the sign
      {"(F10.5)", -0.0f, "  -0.00000"},
      {"(F10.5)", 0.0000001f, "   0.00000"},
      {"(F10.5)", 0.015625f, "   0.01562"},   // halfway: ties to even on the exact binary value
      {"(F10.5)", 0.046875f, "   0.04688"},
      {"(F10.5)", 9999.99999f, "**********"},
      {"(F10.5)", 1234.5f, "1234.50000"},
      {"(F10.5)", -999.5f, "-999.50000"},
      {"(F10.5)", std::numeric_limits<float>::infinity(), "**********"},
      {"(F10.5)", std::nanf(""), "**********"},
      {"(F10.5)", std::numeric_limits<float>::max(), "**********"},
      {"(I4)", 3, "   3"},
      {"(I5)", 0, "    0"},
      {"(I4)", -12, " -12"},
      {"(I4)", 12345, "****"},
      {"(I4)", -1000, "****"},
      {"(A4)", Label("O1"), "O1  "},
      {"(A4)", Label("H10AB"), "H10A"},
  };
  for (const Case& c : cases) EXPECT_EQ(render(c.format, {c.value}), std::string(c.written) + "\n") << c.format;
}

TEST(RecordFormats, BlanksRepeatsAndLineEnds) {
  EXPECT_EQ(render("(I4,X,3F10.5,4X,A4,X,A4)", {1, 0.125f, 0.25f, 0.0f, Label("Zn1"), Label("Zn2+")}),
            "   1    0.12500   0.25000   0.00000    Zn1  Zn2+\n");
}

TEST(RecordFormats, TheTrailerFormatRestartsWithItsLineEnd) {
  auto counts = [](int n) {
    std::vector<OutputValue> values;
    for (int i = 1; i <= n; ++i) values.emplace_back(i);
    return values;
  };
  EXPECT_EQ(render("(/,10I5)", counts(2)), "\n    1    2\n");
  EXPECT_EQ(render("(/,10I5)", counts(10)), "\n    1    2    3    4    5    6    7    8    9   10\n");
  EXPECT_EQ(render("(/,10I5)", counts(11)), "\n    1    2    3    4    5    6    7    8    9   10\n\n   11\n");
  EXPECT_EQ(render("(/,10I5)", counts(12)),
            "\n    1    2    3    4    5    6    7    8    9   10\n\n   11   12\n");
}

TEST(RecordWriter, TheFirstRecordReplacesTheOldContents) {
  testing::TempFile file("an old at.dat, longer than the new one\nwith more lines\n");
  RecordWriter writer(file.get(), "at.dat");
  EXPECT_EQ(file.contents(), "an old at.dat, longer than the new one\nwith more lines\n");
  const OutputValue one[] = {1};
  writer.write_record("(I4)", one);
  EXPECT_EQ(file.contents(), "   1\n");
  writer.write_record("(I4)", one);
  EXPECT_EQ(file.contents(), "   1\n   1\n");
}

TEST(RecordWriter, AWriteTheFileSystemRefusesIsAFileFailure) {
  std::FILE* full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  RecordWriter writer(full, "at.dat");
  const OutputValue one[] = {1};
  const auto failure = testing::failure_of([&] { writer.write_record("(I4)", one); });
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->kind(), FailureKind::FileFailure);
  EXPECT_EQ(describe(*failure), "cif2at: at.dat: cannot write: No space left on device");
  std::fclose(full);
}

}  // namespace
}  // namespace cif2at
