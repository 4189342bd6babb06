#include "records/number_fields.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace cif2at {
namespace {

TEST(IntField, ReadsSignedIntegersAndIgnoresBlanks) {
  struct Case {
    std::string text;
    std::optional<int> expected;
  } cases[] = {
      {"  1 2", 12}, {"     ", 0}, {"", 0}, {"    1", 1}, {"-9999", -9999}, {"+12", 12}, {"12345678", 12345},
      {"  1.0", std::nullopt}, {"    -", std::nullopt}, {"1\t", std::nullopt}, {"1,2", std::nullopt},
      {"   a1", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(read_int_field(c.text, 5), c.expected) << "'" << c.text << "'";
}

TEST(RealField, ReadsFortranStyleFieldsToTheNearestFloat) {
  struct Case {
    std::string text;
    int width;
    int decimals;
    std::optional<float> expected;
  } cases[] = {
      {"  1.5", 5, 2, 1.5f},
      {"   15", 5, 2, 0.15f},
      {"  100", 5, 2, 1.0f},
      {"    5", 5, 2, 0.05f},
      {"     ", 5, 2, 0.0f},
      {"", 5, 2, 0.0f},
      {" 1.00", 5, 2, 1.0f},
      {"-0.50", 5, 2, -0.5f},
      {"1.5E2", 7, 2, 150.0f},
      {"15E1", 7, 2, 1.5f},
      {"1.5d1", 7, 0, 15.0f},
      {"1.5+2", 7, 0, 150.0f},
      {"1.5-1", 7, 0, 0.15f},
      {"90", 7, 3, 0.09f},
      {"5.", 5, 2, 5.0f},
      {".5", 5, 2, 0.5f},
      {"1 . 5", 5, 2, 1.5f},
      {"1.5xyz", 3, 0, 1.5f},  // only the field's own characters count
      {"1.5(2)", 5, 2, std::nullopt},
      {"?", 5, 2, std::nullopt},
      {"1/2", 5, 2, std::nullopt},
      {"1\t5", 5, 2, std::nullopt},
      {"1,5", 5, 2, std::nullopt},
      {"1.2.3", 5, 2, std::nullopt},
      {"1.5E", 5, 2, std::nullopt},
      {"1.5E+", 5, 2, std::nullopt},
      {"1x5", 5, 2, std::nullopt},
      {".", 5, 2, std::nullopt},
      {"-", 5, 2, std::nullopt},
      {"E5", 5, 2, std::nullopt},
      {"9E99", 5, 2, std::nullopt},  // beyond single precision
      {"inf", 5, 2, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(read_real_field(c.text, c.width, c.decimals), c.expected)
        << "'" << c.text << "' width " << c.width << " decimals " << c.decimals;
  }
}

TEST(RealField, DecimalsScaleButNeverDecideSuccess) {
  for (const char* text : {"  125", "1.25 ", "12E-1", "1.2x"}) {
    const bool ok = read_real_field(text, 5, 0).has_value();
    for (int decimals = 1; decimals <= 5; ++decimals) EXPECT_EQ(read_real_field(text, 5, decimals).has_value(), ok);
  }
  EXPECT_EQ(read_real_field("  125", 5, 0), 125.0f);
  EXPECT_EQ(read_real_field("  125", 5, 3), 0.125f);
  EXPECT_EQ(read_real_field("  125", 5, 5), 0.00125f);
}

TEST(NearestFloat, RoundsOnceFromTheDecimalText) {
  EXPECT_EQ(nearest_float("0.1"), 0.1f);
  EXPECT_EQ(nearest_float("16777217"), 16777216.0f);  // halfway: ties to even
  EXPECT_EQ(nearest_float("1e-50"), 0.0f);            // below the range rounds to zero
  EXPECT_EQ(nearest_float("1e-45"), std::nextafter(0.0f, 1.0f));
  EXPECT_EQ(nearest_float("3.4028235e38"), 3.4028235e38f);
  EXPECT_FALSE(nearest_float("3.5e38"));
}

}  // namespace
}  // namespace cif2at
