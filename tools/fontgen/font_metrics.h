#pragma once
// The vertical plan of the engraving font, in cell units (the cell is 4 wide
// and 7 high; the construction scales one unit to charWidth / 4 mm).
//
// The program places every character with the bottom of its cell on the line's
// base, so the font keeps its own base line above the cell bottom: the band
// below it holds the descenders (g j p q y), the cedilla and the comma, and
// the band above the capitals holds their accents. Every character stands on
// this same inner base line, so mixed text lines up.

namespace velmora::fontgen {

constexpr double kCellWidth = 4;
constexpr double kCellHeight = 7;

constexpr double kDescender = 0;     // bottom of g j p q y
constexpr double kBase = 1.25;       // inner base line of every character
constexpr double kXHeight = 4.25;    // top of a, c, e, m, n, o, ...
constexpr double kCapHeight = 5.75;  // top of capitals, digits and ascenders
constexpr double kCapMiddle = 3.5;   // bars of E, F, H and the like
constexpr double kSmallMiddle = (kBase + kXHeight) / 2;  // - ~ + = on the small letters
constexpr double kDotY = kBase + 0.2;                    // a dot standing on the base line

constexpr double kSmallAccent = 4.75;  // bottom of accents over small letters
constexpr double kCapAccent = 6.25;    // bottom of accents over capitals
constexpr double kAccentHeight = 0.75; // so capital accents end at the cell top

// Depth: every character starts 1 mm above the work (the line's approach
// height), plunges by one feed move to 0.2 mm into the work, and comes back up
// by the same amount before each travel and at its end.
constexpr double kPlunge = 1.2;

}  // namespace velmora::fontgen
