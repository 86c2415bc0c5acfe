#pragma once
// The drawings of the engraving font, by character code in Windows-1252.
// Letters, figures and signs are drawn once; accented letters are composed
// from their base letter and their accent.

#include "strokes.h"

#include <map>

namespace velmora::fontgen {

using GlyphTable = std::map<int, Glyph>;

void addCapitals(GlyphTable& table);       // A-Z and the other capitals of the code page
void addSmallLetters(GlyphTable& table);   // a-z and the other small letters
void addFigures(GlyphTable& table);        // 0-9
void addPunctuation(GlyphTable& table);    // the signs of ASCII; needs the capitals
void addSigns(GlyphTable& table);          // the signs beyond ASCII; needs all the above
void addAccentedLetters(GlyphTable& table);  // needs the base letters in the table

// Shapes the parts share.
Glyph dotlessI();
Glyph dot(double x, double y);  // a small closed circle that engraves as a dot
Glyph comma(double x);          // the comma's shape, hanging from the base line at x
Glyph quoteRight(double x);     // ' shaped like a raised comma
Glyph spacingAccent(int code);  // accents that stand alone (^ ~ ¨ ¯ ´ ¸ `)

}  // namespace velmora::fontgen
