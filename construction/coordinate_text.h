#pragma once
// The text of a coordinate in a program line. A program of a few thousand
// characters writes one X per character, so this is the construction's
// busiest number rule; it gives exactly numberTextTrimmed(double).

#include <string>

namespace velmora {

// Appends numberTextTrimmed(value) to `out`: "43", "45.5", "-24", ".5", "0".
void appendCoordinateText(std::string& out, double value);

}  // namespace velmora
