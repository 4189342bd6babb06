#include "cif/cif_number.hpp"

#include "records/number_fields.hpp"

namespace cif2at {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::size_t skip_digits(std::string_view s, std::size_t i) {
  while (i < s.size() && is_digit(s[i])) ++i;
  return i;
}

}  // namespace

std::optional<float> parse_cif_number(std::string_view text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) ++i;
  const std::size_t number_begin = i;

  i = skip_digits(text, i);
  std::size_t digits = i - number_begin;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = i + 1;
    i = skip_digits(text, fraction);
    digits += i - fraction;
  }
  if (digits == 0) return std::nullopt;

  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t exponent = i;
    i = skip_digits(text, i);
    if (i == exponent) return std::nullopt;
  }
  const std::size_t number_end = i;

  if (i < text.size() && text[i] == '(') {  // the standard uncertainty, never read
    const std::size_t uncertainty = i + 1;
    i = skip_digits(text, uncertainty);
    if (i == uncertainty || i == text.size() || text[i] != ')') return std::nullopt;
    ++i;
  }
  if (i != text.size()) return std::nullopt;

  const auto value = nearest_float(text.substr(number_begin, number_end - number_begin));
  if (!value) return std::nullopt;
  return negative ? -*value : *value;
}

}  // namespace cif2at
