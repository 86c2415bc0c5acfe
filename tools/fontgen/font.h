#pragma once
// The engraving font: one glyph file for every printable character of
// Windows-1252, generated from the drawings in this folder.

#include "glyph_program.h"
#include "strokes.h"

#include <map>
#include <string>

namespace velmora::fontgen {

// Every glyph, by character code.
std::map<int, Glyph> engravingFont();

// The file name of a character's glyph, "Ascii<code>.prg".
std::string glyphFileName(int code);

// Every glyph file (its text and figures about it), by character code.
std::map<int, GlyphProgram> engravingFontFiles();

}  // namespace velmora::fontgen
