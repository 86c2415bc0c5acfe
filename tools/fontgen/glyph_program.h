#pragma once
// Turns a drawn glyph into the text of its glyph file: incremental moves from
// the character's origin, at the engraving depth, numbers that the copy reads
// whole, arcs whose end lies on their circle.

#include "strokes.h"

#include <string>

namespace velmora::fontgen {

struct GlyphProgram {
    std::string text;               // CR LF lines
    int strokes = 0;                // plunges into the work
    double worstArcMismatch = 0;    // largest |end radius - start radius|
};

// `comment` becomes the first line ("$ " and the comment); the paths are cut
// in the order and direction that keep the travel short, and a path that
// starts where the last one ended is cut without lifting.
GlyphProgram writeGlyphProgram(const Glyph& glyph, const std::string& comment);

}  // namespace velmora::fontgen
