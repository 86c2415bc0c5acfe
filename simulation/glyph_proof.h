#pragma once
// Proofs: glyphs set side by side at their drawn size (4 units = one
// character 4 mm wide, so the glyph lines need no scaling), for looking at the
// font and checking it glyph by glyph. A proof is a plain sequence of
// moves, not a machining program: it has no header, tool or spindle lines.

#include "cell_check.h"

#include <string>
#include <vector>

namespace velmora::simulation {

struct ProofLayout {
    double charSpacing = 1;  // gap between cells, mm
    double lineSpacing = 2;  // gap between lines, mm
    double approachZ = 1;    // height the tool comes down to above each line
    double originX = 0;      // left end of the first line's first cell
    double originY = 0;      // base of the first line
};

struct GlyphProof {
    std::string program;     // CR LF lines
    std::vector<Cell> cells; // in the order the program engraves them
};

// Each inner list is one line of text, each entry one glyph file's text.
// Lines follow each other downward at a pitch of one cell height (7) plus
// the line spacing.
GlyphProof unitScaleProof(const std::vector<std::vector<std::string>>& lines, const ProofLayout& layout = {});

}  // namespace velmora::simulation
