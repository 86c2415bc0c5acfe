#pragma once
// Which text lines hold text. Both the live extents and the layout step of a
// construction count the empty lines above and below the text the same way,
// so they share these.

#include "common/per_line.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace velmora {

// A line holds text unless nothing but blanks (space characters) remains once
// the blanks at both ends are removed. A plain loop rather than
// find_first_not_of, which checks every character against a set: a long line of
// blanks is scanned on every keystroke.
inline bool lineHoldsText(std::u32string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char32_t c) { return c != U' '; });
}

// Each line scanned once, for the counts below.
inline PerLine<bool> linesHoldingText(const PerLine<std::u32string>& lines)
{
    PerLine<bool> holding;
    for (int line = 1; line <= kLineCount; ++line)
        holding[line] = lineHoldsText(lines[line]);
    return holding;
}

// Consecutive empty lines from line 1 downward (5 when all are empty).
inline int emptyLinesAtTop(const PerLine<bool>& holdingText)
{
    int count = 0;
    while (count < kLineCount && !holdingText[count + 1])
        ++count;
    return count;
}

// Consecutive empty lines from line 5 upward (5 when all are empty).
inline int emptyLinesAtBottom(const PerLine<bool>& holdingText)
{
    int count = 0;
    while (count < kLineCount && !holdingText[kLineCount - count])
        ++count;
    return count;
}

}  // namespace velmora
