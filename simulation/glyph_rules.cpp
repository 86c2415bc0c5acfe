#include "glyph_rules.h"

#include "common/fields.h"
#include "common/numbers.h"

#include <cstdio>
#include <set>

namespace velmora::simulation {
namespace {

// The copy reads at most this many characters after a word's letter.
constexpr std::size_t kReadableNumberLength = 6;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
// Moves, and the two distance modes that frame a glyph.
bool isGlyphCode(double code)
{
    return code == 0 || code == 1 || code == 2 || code == 3 || code == 90 || code == 91;
}

bool isCopiedLetter(char c) { return c == 'G' || c == 'X' || c == 'Y' || c == 'Z' || c == 'I' || c == 'J'; }

std::string shown(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F)
        return std::string("'") + c + "'";
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// A number as this system writes it: optional minus, digits with at most one
// point, at least one digit.
bool isPlainNumber(std::string_view text)
{
    std::size_t at = 0;
    if (at < text.size() && text[at] == '-')
        ++at;
    bool digit = false, point = false;
    for (; at < text.size(); ++at) {
        if (isDigit(text[at]))
            digit = true;
        else if (text[at] == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

class GlyphLinter {
public:
    std::vector<GlyphIssue> run(std::string_view bytes)
    {
        checkLineEnds(bytes);
        const std::vector<std::string> lines = splitLines(bytes);
        int firstMove = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int number = static_cast<int>(i) + 1;
            if (isComment(lines[i])) {
                checkComment(lines[i], number);
                continue;
            }
            checkMoveLine(lines[i], number);
            if (firstMove == 0)
                firstMove = number;
        }
        if (firstMove != 0)
            checkFraming(lines, firstMove);
        return std::move(issues_);
    }

private:
    static bool isComment(std::string_view line) { return !line.empty() && line.front() == '$'; }

    void checkLineEnds(std::string_view bytes)
    {
        int line = 1;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
                add(line, "carriage return without line feed");
            if (bytes[i] == '\n') {
                if (i == 0 || bytes[i - 1] != '\r')
                    add(line, "line feed without carriage return");
                ++line;
            }
        }
        if (!bytes.empty() && bytes.back() != '\n')
            add(line, "last line without CR LF");
    }

    // A comment line reaches the machine as it stands. The download splits
    // its items at commas and double quotes, and the machine's character set
    // is plain ASCII.
    void checkComment(std::string_view line, int number)
    {
        for (char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == ',' || c == '"')
                add(number, "comment holds " + shown(c) + ", which splits it when sent");
            else if (byte < 0x20 || byte >= 0x7F)
                add(number, "comment holds the byte " + shown(c));
        }
    }

    void checkMoveLine(std::string_view line, int number)
    {
        if (line.empty()) {
            add(number, "empty line");
            return;
        }
        std::set<char> seen;
        int gWords = 0;
        std::size_t at = 0;
        while (at < line.size()) {
            const char letter = line[at++];
            std::size_t end = at;
            while (end < line.size() && !isCopiedLetter(line[end]) && (isDigit(line[end]) || line[end] == '.' ||
                                                                       line[end] == '-'))
                ++end;
            const std::string_view value = line.substr(at, end - at);
            at = end;
            if (letter == ' ' || letter == '\t') {
                add(number, "blank inside a move line");
                continue;
            }
            if (!isCopiedLetter(letter)) {
                add(number, "word " + shown(letter) + " is dropped by the copy");
                continue;
            }
            if (!seen.insert(letter).second)
                add(number, shown(letter) + " twice on one line");
            gWords += letter == 'G';
            checkNumber(letter, value, number);
        }
        if (gWords > 1)
            add(number, "more than one G word: the copy keeps only the last");
        const bool modeChange = line.find("G90") != std::string_view::npos || line.find("G91") != std::string_view::npos;
        if (modeChange && line != "G90" && line != "G91")
            add(number, "a change of distance mode must stand alone on its line");
    }

    void checkNumber(char letter, std::string_view value, int number)
    {
        const std::string word = std::string(1, letter) + std::string(value);
        if (!isPlainNumber(value))
            add(number, "word " + word + " has no plain number");
        else if (value.size() > kReadableNumberLength)
            add(number, "number of " + word + " is longer than the copy reads");
        else if (letter == 'G' && !isGlyphCode(leadingNumber(value)))
            add(number, word + " is not a code a glyph may use");
    }

    void checkFraming(const std::vector<std::string>& lines, int firstMove)
    {
        if (lines[static_cast<std::size_t>(firstMove) - 1] != "G91")
            add(firstMove, "the first move line must be G91");
        if (lines.back() != "G90")
            add(static_cast<int>(lines.size()), "the last line must be G90");
    }

    void add(int line, std::string what) { issues_.push_back({line, std::move(what)}); }

    std::vector<GlyphIssue> issues_;
};

}  // namespace

std::vector<GlyphIssue> checkGlyphText(std::string_view bytes)
{
    return GlyphLinter().run(bytes);
}

}  // namespace velmora::simulation
