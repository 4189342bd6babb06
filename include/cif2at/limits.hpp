#pragma once

// Fixed limits of the program and of the files it reads and writes.

namespace cif2at {

inline constexpr int kMaxAtoms = 200;    // atom sites one "at.dat" can hold
inline constexpr int kMaxSpecies = 10;   // distinct type symbols
inline constexpr int kLabelWidth = 4;    // labels and type symbols are kept to four characters
inline constexpr int kControlFieldWidth = 5;  // "zelkor.dat" is written as (I5,3F5.2)
inline constexpr int kControlDecimals = 2;
inline constexpr float kAngleFloor = 1.0f;    // cell angles below this are read as right angles
inline constexpr float kRightAngle = 90.0f;

inline constexpr const char* kCifFile = "atom.cif";
inline constexpr const char* kOutputFile = "at.dat";
inline constexpr const char* kControlFile = "zelkor.dat";

}  // namespace cif2at
