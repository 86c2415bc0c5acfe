#pragma once
// The text of a coordinate in a program line. A program of a few thousand
// characters writes one X per character, so this is the construction's
// busiest number rule; it gives exactly numberTextTrimmed(double).

#include <cstddef>
#include <string>

namespace velmora {

// Room enough for any coordinate text: the longest, "-1.23456789012345E-308",
// has 22 characters.
inline constexpr std::size_t kCoordinateTextRoom = 24;

// Writes numberTextTrimmed(value) from `out` on, which has room for
// kCoordinateTextRoom characters, and returns where the text ends.
char* writeCoordinateText(char* out, double value);

// Appends numberTextTrimmed(value) to `out`: "43", "45.5", "-24", ".5", "0".
void appendCoordinateText(std::string& out, double value);

}  // namespace velmora
