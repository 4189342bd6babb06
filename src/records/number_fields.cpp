#include "records/number_fields.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace cif2at {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The field's characters without its blanks.
std::string squeeze(std::string_view text, int width) {
  std::string kept;
  for (char c : text.substr(0, static_cast<std::size_t>(width))) {
    if (c != ' ') kept += c;
  }
  return kept;
}

std::size_t skip_digits(std::string_view s, std::size_t i) {
  while (i < s.size() && is_digit(s[i])) ++i;
  return i;
}

}  // namespace

std::optional<float> nearest_float(std::string_view number) {
  float value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // from_chars refuses both ends of the range; strtof tells them apart.
    const std::string text(number);
    value = std::strtof(text.c_str(), nullptr);
    if (std::isinf(value)) return std::nullopt;
    return value;
  }
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return value;
}

std::optional<std::int32_t> read_int_field(std::string_view text, int width) {
  const std::string s = squeeze(text, width);
  if (s.empty()) return 0;
  const std::size_t digits = (s[0] == '+' || s[0] == '-') ? 1 : 0;
  if (digits == s.size() || skip_digits(s, digits) != s.size()) return std::nullopt;
  std::int32_t value = 0;
  const char* first = s.data() + (s[0] == '+' ? 1 : 0);
  const auto [end, error] = std::from_chars(first, s.data() + s.size(), value);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}

std::optional<float> read_real_field(std::string_view text, int width, int decimals) {
  const std::string s = squeeze(text, width);
  if (s.empty()) return 0.0f;

  std::size_t i = 0;
  const bool negative = s[0] == '-';
  if (s[0] == '+' || s[0] == '-') ++i;
  const std::size_t mantissa_begin = i;
  i = skip_digits(s, i);
  std::size_t digit_count = i - mantissa_begin;
  const bool has_point = i < s.size() && s[i] == '.';
  if (has_point) {
    const std::size_t after_point = i + 1;
    i = skip_digits(s, after_point);
    digit_count += i - after_point;
  }
  if (digit_count == 0) return std::nullopt;
  const std::string_view mantissa = std::string_view(s).substr(mantissa_begin, i - mantissa_begin);

  long exponent = 0;
  if (i < s.size()) {
    const char c = s[i];
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') ++i;
    else if (c != '+' && c != '-') return std::nullopt;
    bool exponent_negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) exponent_negative = s[i++] == '-';
    const std::size_t exponent_begin = i;
    i = skip_digits(s, i);
    if (i == exponent_begin || i != s.size()) return std::nullopt;
    for (std::size_t k = exponent_begin; k < i; ++k) {
      exponent = std::min(exponent * 10 + (s[k] - '0'), 100000L);  // far beyond any float
    }
    if (exponent_negative) exponent = -exponent;
  }
  if (!has_point) exponent -= decimals;  // implied decimals

  const std::string normalised = std::string(mantissa) + 'e' + std::to_string(exponent);
  const std::optional<float> value = nearest_float(normalised);
  if (!value) return std::nullopt;
  return negative ? -*value : *value;
}

}  // namespace cif2at
