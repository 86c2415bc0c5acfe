#include "layout/block_layout.h"

#include "common/numbers.h"
#include "layout/empty_lines.h"
#include "layout/placement.h"

#include <algorithm>
#include <optional>

namespace velmora {
namespace {

void countCharacters(const BlockInput& input, LayoutResult& result)
{
    result.filledLines = kLineCount;
    for (int line = 1; line <= kLineCount; ++line) {
        if (!lineHoldsText(input.lineText[line]))
            --result.filledLines;
        result.charCount[line] = static_cast<int>(input.lineText[line].size());
        result.totalChars += result.charCount[line];
    }
}

// Every line counts, empty ones with their read-out too: a blank-only line
// emptied for the construction keeps the width its blanks gave.
bool anyLineWiderThan(const PerLine<double>& lineWidth, double limit)
{
    for (int line = 1; line <= kLineCount; ++line)
        if (lineWidth[line] > limit)
            return true;
    return false;
}

// X first, then Y; an axis that is not centred accepts any position.
std::optional<LayoutRefusal> checkFit(const BlockInput& input, Placement placement, double blockHeight)
{
    if (centresX(placement) && (input.posX < 0 || anyLineWiderThan(input.lineWidth, input.posX)))
        return LayoutRefusal::DoesNotFitX;
    if (centresY(placement) && (input.posY < 0 || blockHeight > input.posY))
        return LayoutRefusal::DoesNotFitY;
    return std::nullopt;
}

void placeLineStarts(const BlockInput& input, const LayoutChoices& choices, LayoutResult& result)
{
    for (int line = 1; line <= kLineCount; ++line)
        result.startX[line] =
            lineStartX(choices, input.posX, result.blockWidth, input.lineWidth[line]).value_or(0.0);
}

// The first line's base lies one character height below the block's top edge,
// each following line one line pitch lower, empty lines between included.
// Worked out in double precision from the single-precision sizes.
void placeLineBases(const BlockInput& input, const LayoutChoices& choices, LayoutResult& result)
{
    const std::optional<double> top = blockTopY(choices, input.posY, result.blockHeight);
    if (!top)
        return;
    const double E = input.charWidth;
    const double L = input.lineSpacing;
    float k = 0;
    for (int line = result.firstLine; line <= result.lastLine; ++line) {
        k = k + 1;
        result.baseY[line] = *top + L - k * (E * 7 / 4 + L);
    }
}

}  // namespace

// The text reads " X : <width> mm / Y : <height> mm". The width follows the
// first five characters; the height follows the last ":" from the fifth
// character on, less one character (the blank after it).
BlockExtents readBackExtents(std::string_view encombrement)
{
    BlockExtents extents;
    extents.width = leadingNumber(encombrement.substr(std::min<std::size_t>(5, encombrement.size())));

    std::size_t lastColon = 0;  // a position counted from 1; 0 when there is none
    for (std::size_t position = 5; position <= encombrement.size(); ++position)
        if (encombrement[position - 1] == ':')
            lastColon = position;
    // A text ending in ":" leaves nothing to read, hence no height, rather
    // than a negative count of characters.
    const std::size_t after = encombrement.size() - lastColon;
    const std::size_t heightLength = after > 0 ? after - 1 : 0;
    extents.height = leadingNumber(encombrement.substr(encombrement.size() - heightLength));
    return extents;
}

std::variant<LayoutResult, LayoutRefusal> layoutTextBlock(const BlockInput& input, const LayoutChoices& choices,
                                                          std::string_view encombrement)
{
    LayoutResult result;
    countCharacters(input, result);
    if (result.filledLines == 0)
        return LayoutRefusal::NoText;

    const BlockExtents extents = readBackExtents(encombrement);
    result.blockWidth = extents.width;
    result.blockHeight = extents.height;
    const PerLine<bool> holdingText = linesHoldingText(input.lineText);
    result.firstLine = 1 + emptyLinesAtTop(holdingText);
    result.lastLine = kLineCount - emptyLinesAtBottom(holdingText);

    if (const std::optional<LayoutRefusal> refusal = checkFit(input, choices.placement, result.blockHeight))
        return *refusal;
    placeLineStarts(input, choices, result);
    placeLineBases(input, choices, result);
    return result;
}

}  // namespace velmora
