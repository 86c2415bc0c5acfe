#include "glyph_file.h"

#include "common/fields.h"
#include "common/numbers.h"
#include "common/whole_file.h"

#include <cmath>
#include <limits>

namespace velmora {
namespace {

// A number is read from at most this many characters after its letter, so
// reads -12.34.
constexpr std::size_t kNumberWidth = 6;

enum class Word { G, X, Y, Z, I, J, Count };

std::optional<Word> wordOf(char letter)
{
    switch (letter) {
    case 'G':
        return Word::G;
    case 'X':
        return Word::X;
    case 'Y':
        return Word::Y;
    case 'Z':
        return Word::Z;
    case 'I':
        return Word::I;
    case 'J':
        return Word::J;
    default:
        return std::nullopt;
    }
}

bool isScaled(Word word) { return word == Word::X || word == Word::Y || word == Word::I || word == Word::J; }

// Keeps a value in single precision. A value beyond its range (X9E99 in a
// damaged glyph file) reads as 0, like a number too large for double
// precision does everywhere else, rather than writing "Inf" into a program.
float toSingle(double value)
{
    if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())))
        return 0.0f;
    return static_cast<float>(value);
}

std::string wordNumberText(bool scaled, std::string_view numberChars, float charWidth)
{
    float value = toSingle(leadingNumber(numberChars));
    if (scaled)
        value = toSingle(static_cast<double>(charWidth) * static_cast<double>(value) / 4.0);
    return numberTextTrimmed(value);
}

// Scans a glyph line; `numberText(scaled, chars)` gives the text of a word's
// number.
template <typename NumberText>
std::string transformLine(std::string_view line, NumberText&& numberText)
{
    constexpr std::string_view kLetters = "GXYZIJ";
    std::string words[static_cast<int>(Word::Count)];
    for (std::size_t k = 0; k < line.size(); ++k) {
        if (line[k] == '$')
            return std::string(line);
        const auto word = wordOf(line[k]);
        if (!word)
            continue;
        const auto index = static_cast<int>(*word);
        words[index] = kLetters[static_cast<std::size_t>(index)];
        words[index] += numberText(isScaled(*word), line.substr(k + 1, kNumberWidth));
    }
    std::string result;
    for (const std::string& word : words)
        result += word;
    return result;
}

}  // namespace

std::string glyphFileName(std::uint8_t code) { return "Ascii" + std::to_string(code) + ".prg"; }

const std::string& GlyphWordTexts::numberText(bool scaled, std::string_view numberChars)
{
    key_.assign(1, scaled ? 'S' : 'U');
    key_.append(numberChars);
    auto found = texts_.find(key_);
    if (found == texts_.end())
        found = texts_.emplace(key_, wordNumberText(scaled, numberChars, charWidth_)).first;
    return found->second;
}

std::string transformGlyphLine(std::string_view line, GlyphWordTexts& words)
{
    return transformLine(line, [&words](bool scaled, std::string_view numberChars) -> const std::string& {
        return words.numberText(scaled, numberChars);
    });
}

Result<std::string> readGlyphFile(const std::filesystem::path& glyphFolder, std::uint8_t code)
{
    return readWholeFile(glyphFolder / glyphFileName(code), kGlyphFileLimit);
}

std::string transformGlyph(std::string_view fileBytes, GlyphWordTexts& words)
{
    std::string programLines;
    forEachLine(fileBytes, [&](LineSpan line) {
        programLines += transformGlyphLine(fileBytes.substr(line.begin, line.length), words);
        programLines += "\r\n";
    });
    return programLines;
}

}  // namespace velmora
