#pragma once
// Where every line of the text block starts: the inputs, the operator's three
// choices and the results of the layout step of a construction.

#include "common/per_line.h"

#include <string>
#include <string_view>
#include <variant>

namespace velmora {

enum class Justification { None, Left, Centred, Right };
enum class Placement { None, CentreXY, CentreX, CentreY, Free };
enum class Corner { None, TopLeft, TopRight, BottomLeft, BottomRight };

struct LayoutChoices {
    Justification justification = Justification::None;
    Placement placement = Placement::None;
    Corner corner = Corner::None;
};

// What the layout step takes from the engraving job.
struct BlockInput {
    PerLine<std::u32string> lineText;  // blank-only lines already emptied
    PerLine<double> lineWidth;         // read-outs as read before that
    double posX = 0;
    double posY = 0;
    float charWidth = 0;
    float lineSpacing = 0;
};

struct LayoutResult {
    PerLine<int> charCount;
    int totalChars = 0;
    int filledLines = 0;
    double blockWidth = 0;
    double blockHeight = 0;
    int firstLine = 0;
    int lastLine = 0;
    PerLine<double> startX;
    PerLine<double> baseY;
};

// Why a job was refused; the operator sees one message for all three.
enum class LayoutRefusal { NoText, DoesNotFitX, DoesNotFitY };

// The block's extents as the operator reads them in Encombrement
// (" X :  14 mm / Y :  16 mm"), with the precision of that display.
struct BlockExtents {
    double width = 0;
    double height = 0;
};
BlockExtents readBackExtents(std::string_view encombrement);

// The layout step of a construction: counts the characters, refuses a job
// without text, refreshes the extents and reads them back, checks that a
// centred block fits on the plate, and works out where every line starts.
// `encombrement` is the extents text as the form shows it, fresh from
// updateExtents: the block's width and height are read back from it, so the
// construction places the block exactly as the operator sees it measured.
std::variant<LayoutResult, LayoutRefusal> layoutTextBlock(const BlockInput& input, const LayoutChoices& choices,
                                                          std::string_view encombrement);

}  // namespace velmora
