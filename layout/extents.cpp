#include "extents.h"

#include "common/numbers.h"

#include <string_view>

namespace velmora {
namespace {

bool isBlankOnly(std::u32string_view text)
{
    return text.find_first_not_of(U' ') == std::u32string_view::npos;
}

// n character cells of width E with a space S between two neighbours; an
// empty line gives -S, shown as 0 but left out of the widest line as it is.
float lineWidth(std::size_t n, double e, double s)
{
    const double count = static_cast<double>(n);
    return static_cast<float>((count - 1) * s + count * e);
}

int emptyLinesFromTop(const PerLine<std::u32string>& lines)
{
    int count = 0;
    for (int line = 1; line <= kLineCount && isBlankOnly(lines[line]); ++line)
        ++count;
    return count;
}

int emptyLinesFromBottom(const PerLine<std::u32string>& lines)
{
    int count = 0;
    for (int line = kLineCount; line >= 1 && isBlankOnly(lines[line]); --line)
        ++count;
    return count;
}

// Every line from the first to the last that holds text, empty lines between
// them included.
float blockHeight(const ExtentsInput& input)
{
    const int top = emptyLinesFromTop(input.lineText);
    const int bottom = emptyLinesFromBottom(input.lineText);
    const float charHeight = static_cast<float>(input.echelle2 * 7 / 4.0);
    const float height = static_cast<float>((4 - top - bottom) * input.interligne2)
        + static_cast<float>(5 - top - bottom) * charHeight;
    return height < 0 ? 0.0f : height;
}

}  // namespace

ExtentsTexts computeExtents(const ExtentsInput& input)
{
    ExtentsTexts texts;
    float maxWidth = 0;
    for (int line = 1; line <= kLineCount; ++line) {
        const double e = leadingNumber(input.echelle3);
        const double s = leadingNumber(input.espace3);
        float width = lineWidth(input.lineText[line].size(), e, s);
        if (width > maxWidth)
            maxWidth = width;
        if (width < 0)
            width = 0;
        texts.lineReadout[line] = numberText(width) + " mm";
    }
    texts.encombrement = " X : " + numberText(maxWidth) + " mm" + " / Y : "
        + numberText(blockHeight(input)) + " mm";
    return texts;
}

std::string characterSizeReadout(int v)
{
    return "Haut. " + numberText(static_cast<float>(v * 7 / 4.0)) + " mm / Larg. "
        + numberText(static_cast<float>(v)) + " mm";
}

std::string characterSpacingReadout(int v)
{
    return "Entre caract\xE8res : " + numberText(static_cast<float>(v)) + " mm";
}

std::string lineSpacingReadout(int v)
{
    return "Espace entre lignes : " + numberText(static_cast<float>(v)) + " mm ";
}

}  // namespace velmora
