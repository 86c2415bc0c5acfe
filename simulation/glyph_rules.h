#pragma once
// The rules a glyph file must follow so that the construction copies it
// faithfully. The copy keeps only the G, X, Y, Z, I and J words of a line (and
// comment lines whole), reads each number from at most six characters, and
// keeps only the last G word of a line; a glyph moves in incremental mode from
// its character's origin and must hand the program back in absolute mode.

#include <string>
#include <string_view>
#include <vector>

namespace velmora::simulation {

struct GlyphIssue {
    int line = 0;  // 1-based, 0 for the file as a whole
    std::string what;
};

// Everything in the file's text that the copy would lose or change, and every
// break of the file's framing (CR LF line ends, G91 first, G90 last). A file
// holding nothing, or only comment lines, is a glyph that cuts nothing.
std::vector<GlyphIssue> checkGlyphText(std::string_view bytes);

}  // namespace velmora::simulation
