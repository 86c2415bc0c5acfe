#pragma once
// The live read-outs beside the text lines and the size scroll bars: the
// width of every line, the extents of the whole block, and the readable form
// of each size. The construction reads the widths and the extents back from
// these texts, so their formats are fixed.

#include "common/per_line.h"

#include <string>

namespace velmora {

struct ExtentsInput {
    PerLine<std::u32string> lineText;  // the five entry boxes as typed
    std::string echelle3;              // text of Echelle3 (Windows-1252 bytes)
    std::string espace3;               // text of Espace3
    int echelle2 = 0;                  // value of Echelle2
    int interligne2 = 0;               // value of Interligne2
};

struct ExtentsTexts {
    PerLine<std::string> lineReadout;  // Saisie13..Saisie53, e.g. " 14 mm"
    std::string encombrement;          // " X :  14 mm / Y :  16 mm"
};

// The arithmetic of updateExtents. Line widths come from the value boxes
// (Echelle3, Espace3), the height from the scroll bars (Echelle2, Interligne2).
// Linear in the length of the lines and free of per-character work beyond
// finding the first non-blank, as it runs on every keystroke.
ExtentsTexts computeExtents(const ExtentsInput& input);

// Read-out texts of the three size scroll bars, in Windows-1252 bytes.
std::string characterSizeReadout(int v);     // "Haut.  8.75 mm / Larg.  5 mm"
std::string characterSpacingReadout(int v);  // "Entre caractères :  2 mm"
std::string lineSpacingReadout(int v);       // "Espace entre lignes :  10 mm " (trailing blank)

}  // namespace velmora
