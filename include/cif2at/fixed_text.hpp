#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace cif2at {

// A text of exactly N characters: a shorter one is padded with blanks on the
// right, a longer one keeps its first N characters. Compared byte for byte,
// trailing blanks included.
template <std::size_t N>
struct FixedText {
  std::array<char, N> chars;

  FixedText() { chars.fill(' '); }
  explicit FixedText(std::string_view text) {
    chars.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), N), chars.begin());
  }

  std::string_view view() const { return {chars.data(), N}; }
  bool operator==(const FixedText&) const = default;
};

}  // namespace cif2at
