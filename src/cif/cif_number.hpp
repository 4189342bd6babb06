#pragma once

#include <optional>
#include <string_view>

namespace cif2at {

// A CIF number is the whole value: an optional sign, digits with at most one
// decimal point, an optional exponent (E or e, an optional sign, digits), and
// optionally a standard uncertainty in parentheses, as refinement programs
// write it: 5.4310(2). Its value is the number without the uncertainty,
// rounded to the nearest float; every digit counts and no decimals are implied.
// Nothing when the text is not such a number or overflows single precision.
std::optional<float> parse_cif_number(std::string_view text);

}  // namespace cif2at
