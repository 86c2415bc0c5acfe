#include "layout/extents.h"

#include "common/numbers.h"
#include "layout/empty_lines.h"

#include <cmath>
#include <cstddef>
#include <limits>

namespace velmora {
namespace {

// Rounds a double-precision result to the single precision it is kept in.
// A conversion past the single-precision range is undefined in C++; rounding
// to nearest makes such a value an infinity, so say so explicitly.
float keptInSingle(double value)
{
    using Single = std::numeric_limits<float>;
    const double halfUnitAboveLargest = std::ldexp(1.0, Single::max_exponent - Single::digits - 1);
    if (std::fabs(value) >= Single::max() + halfUnitAboveLargest)
        return std::signbit(value) ? -Single::infinity() : Single::infinity();
    return static_cast<float>(value);
}

// n character cells of width E with a gap S between two neighbours; an empty
// line gives -S, which the caller shows as 0.
float lineWidthOf(std::size_t characters, double E, double S)
{
    const double n = static_cast<double>(characters);
    return keptInSingle((n - 1) * S + n * E);
}

// The block spans every line from the first to the last that holds text, the
// empty lines between them included: one line space fewer than character heights.
float blockHeightOf(const PerLine<std::u32string>& lines, int Ec, int Li)
{
    const PerLine<bool> holdingText = linesHoldingText(lines);
    const float top = static_cast<float>(emptyLinesAtTop(holdingText));
    const float bottom = static_cast<float>(emptyLinesAtBottom(holdingText));
    const float charHeight = keptInSingle(static_cast<double>(Ec) * 7 / 4);
    const float height = keptInSingle((4.0 - top - bottom) * Li + (5.0 - top - bottom) * charHeight);
    return height < 0 ? 0.0f : height;
}

std::string millimetres(float value) { return numberText(value) + " mm"; }

}  // namespace

ExtentsTexts computeExtents(const ExtentsInput& input)
{
    // Both value boxes are read once: every line would read the same numbers.
    const double E = leadingNumber(input.echelle3);
    const double S = leadingNumber(input.espace3);

    ExtentsTexts texts;
    float maxWidth = 0;
    for (int line = 1; line <= kLineCount; ++line) {
        float width = lineWidthOf(input.lineText[line].size(), E, S);
        if (width > maxWidth)
            maxWidth = width;
        if (width < 0)
            width = 0;
        texts.lineReadout[line] = millimetres(width);
    }
    const float height = blockHeightOf(input.lineText, input.echelle2, input.interligne2);
    texts.encombrement = " X : " + millimetres(maxWidth) + " / Y : " + millimetres(height);
    return texts;
}

std::string characterSizeReadout(int v)
{
    const float charHeight = keptInSingle(static_cast<double>(v) * 7 / 4);
    const float charWidth = static_cast<float>(v);
    return "Haut. " + millimetres(charHeight) + " / Larg. " + millimetres(charWidth);
}

std::string characterSpacingReadout(int v)
{
    return "Entre caract\xE8res : " + millimetres(static_cast<float>(v));
}

std::string lineSpacingReadout(int v)
{
    return "Espace entre lignes : " + millimetres(static_cast<float>(v)) + " ";
}

}  // namespace velmora
