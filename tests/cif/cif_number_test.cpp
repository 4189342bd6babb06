#include "cif/cif_number.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace cif2at {
namespace {

TEST(CifNumber, ReadsTheWholeValueAndStepsOverTheUncertainty) {
  struct Case {
    const char* text;
    float expected;
  } cases[] = {
      {"5.4310(2)", 5.431f},    {"5.43(1)", 5.43f},       {"95.1(3)", 95.1f},     {"12.34567(8)", 12.34567f},
      {"120", 120.0f},          {"90", 90.0f},            {"10", 10.0f},          {".5", 0.5f},
      {"5.", 5.0f},             {"-0.12345(6)", -0.12345f}, {"0.12(3)", 0.12f},   {"1", 1.0f},
      {"+0.25", 0.25f},         {"-0", -0.0f},            {"1.5E2", 150.0f},      {"1.5e-2(3)", 0.015f},
      {"0.09316000000000002", 0.09316f},
      {"5.551115123125783e-17", 5.551115123125783e-17f},
      {"0.333333333333333333333333", 1.0f / 3.0f},
      {"1e-50", 0.0f},
  };
  for (const Case& c : cases) {
    const std::optional<float> value = parse_cif_number(c.text);
    ASSERT_TRUE(value) << c.text;
    EXPECT_EQ(*value, c.expected) << c.text;
    EXPECT_EQ(std::signbit(*value), std::signbit(c.expected)) << c.text;
  }
}

TEST(CifNumber, AnythingElseIsNoNumber) {
  for (const char* text : {"", "?", ".", "abc", "5.4x", "0.25(3)x", "1.5(", "1.5()", "(5)", "1.5E", "1,5",
                           "3.5e38", "-1e39", "1.2.3", "+", "-.", "1.5(2", "1.5(a)", "1.5 ", " 1.5", "inf",
                           "nan", "0x10", "1.5D2", "1.5(2)(3)"}) {
    EXPECT_FALSE(parse_cif_number(text)) << "'" << text << "'";
  }
}

}  // namespace
}  // namespace cif2at
