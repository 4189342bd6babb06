#pragma once

// The control file "zelkor.dat": two lines in the layout (I5,3F5.2).
//   line 1: copy mode, then the base point of the reflected copies
//   line 2: translation flag, then the translation vector

#include "cif2at/records.hpp"
#include "records/text_input.hpp"

namespace cif2at {

// Fills `settings` from the control file's first two lines; a missing line
// leaves its integer as it was. Lines after the second are never read. A
// field that is not a number, a copy mode outside 0 to 7, or a CR without LF
// in a line read, is a BadValue.
ControlSettings read_control_settings(LineSource& source, ControlSettings settings);

}  // namespace cif2at
