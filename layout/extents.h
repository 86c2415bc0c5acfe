#pragma once
// The live extents of the text block and the read-outs of the three size
// settings. The construction reads these texts back, so their formats are fixed.

#include "common/per_line.h"

#include <string>

namespace velmora {

struct ExtentsInput {
    PerLine<std::u32string> lineText;  // as typed, one element per character
    std::string echelle3;              // value box texts, Windows-1252 bytes
    std::string espace3;
    int echelle2 = 0;                  // scroll bar values
    int interligne2 = 0;
};

struct ExtentsTexts {
    PerLine<std::string> lineReadout;  // " 14 mm"
    std::string encombrement;          // " X :  14 mm / Y :  16 mm"
};

ExtentsTexts computeExtents(const ExtentsInput& input);

// Read-outs of the size scroll bars, in Windows-1252 bytes.
std::string characterSizeReadout(int v);
std::string characterSpacingReadout(int v);
std::string lineSpacingReadout(int v);  // ends with a blank

}  // namespace velmora
