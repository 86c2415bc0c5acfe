#include "font.h"

#include "font_parts.h"

namespace velmora::fontgen {
namespace {

// The comment that heads a glyph file: the code, and the character itself
// when it is a plain letter or figure (the comment reaches the machine, which
// reads ASCII).
std::string glyphComment(int code)
{
    std::string comment = "CAR " + std::to_string(code);
    const bool plain = (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
    if (plain)
        comment += " " + std::string(1, static_cast<char>(code));
    return comment;
}

}  // namespace

std::map<int, Glyph> engravingFont()
{
    GlyphTable table;
    addCapitals(table);
    addSmallLetters(table);
    addFigures(table);
    addPunctuation(table);
    addSigns(table);
    addAccentedLetters(table);
    return table;
}

std::string glyphFileName(int code)
{
    return "Ascii" + std::to_string(code) + ".prg";
}

std::map<int, GlyphProgram> engravingFontFiles()
{
    std::map<int, GlyphProgram> files;
    for (const auto& [code, glyph] : engravingFont())
        files[code] = writeGlyphProgram(glyph, glyphComment(code));
    return files;
}

}  // namespace velmora::fontgen
