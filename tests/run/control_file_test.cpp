#include "run/control_file.hpp"

#include <gtest/gtest.h>

#include <string>

#include "cif2at/failure.hpp"
#include "test_support.hpp"

namespace cif2at {
namespace {

ControlSettings read_settings(const std::string& text) {
  testing::TempFile file(text);
  LineSource source(file.get(), "zelkor.dat");
  return read_control_settings(source, ControlSettings{});
}

TEST(ControlFile, ReadsBothLinesByColumns) {
  struct Case {
    std::string text;
    ControlSettings expected;
  } cases[] = {
      {"", {0, {}, 0, {}}},
      {"    1 1.00 1.00 1.00\n", {1, {1, 1, 1}, 0, {}}},
      {"    1  100  100  100\n", {1, {1, 1, 1}, 0, {}}},
      {"    0\n    1 0.50 0.50 0.50\n", {0, {0, 0, 0}, 1, {0.5f, 0.5f, 0.5f}}},
      {"\n   -1  -50    5 0.5 extra columns are ignored\n", {0, {0, 0, 0}, -1, {-0.5f, 0.05f, 0.5f}}},
      {"    7 0.25\r\n99999\r\n", {7, {0.25f, 0, 0}, 99999, {0, 0, 0}}},
      {"    2 1.00 1.00 1.00\n    1 0.00 0.00 0.50\nnot a number: never read\n", {2, {1, 1, 1}, 1, {0, 0, 0.5f}}},
  };
  for (const Case& c : cases) {
    const ControlSettings s = read_settings(c.text);
    EXPECT_EQ(s.copy_mode, c.expected.copy_mode) << c.text;
    EXPECT_EQ(s.shift_flag, c.expected.shift_flag) << c.text;
    if (s.copy_mode != 0) {
      EXPECT_EQ(s.reflect_base, c.expected.reflect_base) << c.text;
    }
    if (s.shift_flag != 0) {
      EXPECT_EQ(s.shift, c.expected.shift) << c.text;
    }
  }
}

TEST(ControlFile, MalformedFieldsNameTheLineAndColumns) {
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {"1 1.0 1.0 1.0\n", "cif2at: zelkor.dat:1: columns 1-5: expected an integer, found '1 1.0'"},
      {"    1 1.00 1.0x 1.00\n", "cif2at: zelkor.dat:1: columns 11-15: expected a number, found ' 1.0x'"},
      {"    0\n    1 0.50 0.50 (0.5)\n", "cif2at: zelkor.dat:2: columns 16-20: expected a number, found ' (0.5'"},
      {"    1 9E99\n", "cif2at: zelkor.dat:1: columns 6-10: expected a number, found ' 9E99'"},
      {"    1\t1.00\n", "cif2at: zelkor.dat:1: columns 6-10: expected a number, found '\t1.00'"},
      {"    9\n", "cif2at: zelkor.dat:1: copy mode 9: expected 0 to 7"},
      {"   -1\n", "cif2at: zelkor.dat:1: copy mode -1: expected 0 to 7"},
      {"    1 1.00 1.00 1.00\r    1 0.00 0.00 0.50\r",  // CR alone for line ends
       "cif2at: zelkor.dat:1: a CR without LF: lines must end with LF or CR LF"},
      {"    0\n    1 0.50 0.50 0.50 \r\r\n", "cif2at: zelkor.dat:2: a CR without LF: lines must end with LF or CR LF"},
      {std::string("    1\0 1.0\n", 12), "cif2at: zelkor.dat:1: columns 6-10: expected a number, found '\\x00 1.0'"},
  };
  for (const Case& c : cases) {
    const auto failure = testing::failure_of([&] { read_settings(c.text); });
    ASSERT_TRUE(failure) << c.text;
    EXPECT_EQ(failure->kind(), FailureKind::BadValue);
    EXPECT_EQ(describe(*failure), c.message);
  }
}

}  // namespace
}  // namespace cif2at
