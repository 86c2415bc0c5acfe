#pragma once
// The glyph files: one small G-code file per character, Ascii<code>.prg, drawn
// on a grid 4 units wide and 7 high. Copying a glyph scales its X, Y, I and J
// words to the character size and keeps G and Z as they are.

#include "common/failure.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace velmora {

class ProgramWriter;

// A glyph is a few dozen short lines (the supplied ones are under 1 KiB); a
// file beyond this is no glyph, and copied for every character it would blow
// the program up.
inline constexpr std::size_t kGlyphFileLimit = 64 * 1024;

// "Ascii65.prg" for code 65.
std::string glyphFileName(std::uint8_t code);

// The texts of the words of a glyph set at one character size. A set draws on
// the same few grid values over and over, so each value is read and written
// once per construction.
class GlyphWordTexts {
public:
    explicit GlyphWordTexts(float charWidth) : charWidth_(charWidth) {}
    // The number text of a word: `scaled` for X, Y, I and J; `numberChars`
    // are the at most six characters that follow the letter.
    const std::string& numberText(bool scaled, std::string_view numberChars);

private:
    float charWidth_;
    std::unordered_map<std::string, std::string> texts_;
    std::string key_;
};

// One glyph line as it goes into the program: the recognised words in the
// order G X Y Z I J, X Y I J scaled by charWidth / 4; a line holding "$"
// anywhere is a comment and is copied unchanged.
std::string transformGlyphLine(std::string_view line, GlyphWordTexts& words);

// Ascii<code>.prg of glyphFolder read to its end, untransformed; a missing
// file is a FailureKind::Read that isMissingFile() tells.
Result<std::string> readGlyphFile(const std::filesystem::path& glyphFolder, std::uint8_t code);

// Every line of a glyph file transformed (a last line without a line end
// counts like the others), each ended with CR LF.
std::string transformGlyph(std::string_view fileBytes, GlyphWordTexts& words);

}  // namespace velmora
