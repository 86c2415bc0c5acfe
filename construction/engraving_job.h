#pragma once
// The values one construction works from, read from the window when
// "Construire" is pressed. Nothing of it outlives that construction.

#include "common/per_line.h"
#include "layout/block_layout.h"
#include "layout/empty_lines.h"

#include <string>

namespace velmora {

struct EngravingJob {
    PerLine<std::u32string> lineText;  // as typed, one element per character
    PerLine<double> lineWidth;         // mm, from the width read-outs
    double posX = 0;
    double posY = 0;
    double approachZ = 0;  // Posz3 + 1 mm
    float charWidth = 0;
    float charSpacing = 0;
    float lineSpacing = 0;
    bool toolChange = false;
    bool coolant = false;
    // Display texts copied into the program unchanged, in Windows-1252 bytes.
    std::string toolText;
    std::string correctorText;
    std::string rangeText;
    std::string spindleText;
    std::string feedText;
    std::string programNumber;

    BlockInput blockInput() const
    {
        return {lineText, lineWidth, posX, posY, charWidth, lineSpacing};
    }
};

// Empties every line that holds only blanks; any other line stays exactly as
// typed, its blanks included.
inline void applyBlankLineRule(EngravingJob& job)
{
    for (int line = 1; line <= kLineCount; ++line)
        if (!lineHoldsText(job.lineText[line]))
            job.lineText[line].clear();
}

}  // namespace velmora
