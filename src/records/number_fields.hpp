#pragma once

// Fixed-width number fields, as in the control file's (I5,3F5.2) layout.

#include <cstdint>
#include <optional>
#include <string_view>

namespace cif2at {

// The integer in the first `width` characters of `text` (missing characters
// count as blanks). Blanks are not significant; a field of blanks reads 0.
// Nothing when the field holds anything but an optionally signed integer.
std::optional<std::int32_t> read_int_field(std::string_view text, int width);

// The real in the first `width` characters of `text`, blanks dropped as for
// integers. Without a decimal point the last `decimals` digits are the
// fraction (15 with 2 decimals is 0.15). An exponent is E, e, D or d and
// digits, or a sign and digits alone (1.5+2). Nothing when the field is not
// such a number or lies beyond the single-precision range.
std::optional<float> read_real_field(std::string_view text, int width, int decimals);

// The float nearest to a decimal number written without sign: digits with an
// optional point and an optional exponent, already checked. Nothing when the
// value overflows single precision; a value below its range rounds to zero.
std::optional<float> nearest_float(std::string_view number);

}  // namespace cif2at
