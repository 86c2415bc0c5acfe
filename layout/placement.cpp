#include "layout/placement.h"

#include <algorithm>
#include <iterator>

namespace velmora {
namespace {

// Which column of the line-start table, and which rule for the top edge, a
// placement and a corner select. On an axis that is not centred the corner
// plays no part.
enum class XColumn { None, CentredLeftCorner, CentredRightCorner, NotCentred };
enum class TopEdgeCase { None, CentredTopCorner, CentredBottomCorner, NotCentred };

struct PlacementRow {
    Placement placement;
    bool xCentred;
    bool yCentred;
};

constexpr PlacementRow kPlacements[] = {
    // placement              X centred   Y centred
    {Placement::CentreXY,     true,       true},   // "Centrage  X / Y"
    {Placement::CentreX,      true,       false},  // "Centrage  X "
    {Placement::CentreY,      false,      true},   // "Centrage  Y "
    {Placement::Free,         false,      false},  // "Placement libre"
};

struct CornerRow {
    Corner corner;
    XColumn whenXCentred;
    TopEdgeCase whenYCentred;
};

constexpr CornerRow kCorners[] = {
    // corner                 X centred                         Y centred
    {Corner::TopLeft,         XColumn::CentredLeftCorner,       TopEdgeCase::CentredTopCorner},
    {Corner::TopRight,        XColumn::CentredRightCorner,      TopEdgeCase::CentredTopCorner},
    {Corner::BottomLeft,      XColumn::CentredLeftCorner,       TopEdgeCase::CentredBottomCorner},
    {Corner::BottomRight,     XColumn::CentredRightCorner,      TopEdgeCase::CentredBottomCorner},
};

// PX = posX, W = block width, w = the line's width. With X centred the block's
// left edge lies (PX - W) / 2 from the chosen edge of the plate, and a right
// corner puts the plate at -PX..0, shifting every value by -PX.
struct Across {
    double PX;
    double W;
    double w;
};
using StartXRule = double (*)(Across);

struct StartXRow {
    Justification justification;
    StartXRule centredLeftCorner;
    StartXRule centredRightCorner;
    StartXRule notCentred;
};

constexpr StartXRow kStartX[] = {
    {Justification::Left,  // "Alignement à gauche": every line starts at the block's left edge
     /* X centred, left corner  */ [](Across a) { return (a.PX - a.W) / 2; },
     /* X centred, right corner */ [](Across a) { return (a.PX - a.W) / 2 - a.PX; },
     /* X not centred           */ [](Across a) { return a.PX; }},
    {Justification::Centred,  // "Centré": every line centred on the block's middle
     /* X centred, left corner  */ [](Across a) { return (a.PX - a.w) / 2; },
     /* X centred, right corner */ [](Across a) { return (a.PX - a.w) / 2 - a.PX; },
     /* X not centred           */ [](Across a) { return (a.W - a.w) / 2 + a.PX; }},
    {Justification::Right,  // "Alignement à droite": every line ends at the block's right edge
     /* X centred, left corner  */ [](Across a) { return (a.PX - a.W) / 2 + a.W - a.w; },
     /* X centred, right corner */ [](Across a) { return -((a.PX - a.W) / 2 + a.w); },
     /* X not centred           */ [](Across a) { return a.W - a.w + a.PX; }},
};

// PY = posY, H = block height. A top corner puts the plate at -PY..0, a bottom
// corner at 0..PY.
struct Down {
    double PY;
    double H;
};
using TopEdgeRule = double (*)(Down);

struct TopEdgeRow {
    TopEdgeCase topEdgeCase;
    TopEdgeRule top;
};

constexpr TopEdgeRow kTopEdge[] = {
    {TopEdgeCase::CentredTopCorner,    [](Down d) { return -(d.PY - d.H) / 2; }},
    {TopEdgeCase::CentredBottomCorner, [](Down d) { return d.PY - (d.PY - d.H) / 2; }},
    {TopEdgeCase::NotCentred,          [](Down d) { return d.PY; }},  // whatever the corner
};

template <typename Table, typename Key, typename Field>
auto findRow(const Table& table, Key key, Field field) -> decltype(&table[0])
{
    const auto found = std::find_if(std::begin(table), std::end(table),
                                    [&](const auto& row) { return row.*field == key; });
    return found == std::end(table) ? nullptr : &*found;
}

XColumn xColumnFor(const LayoutChoices& choices)
{
    const PlacementRow* placement = findRow(kPlacements, choices.placement, &PlacementRow::placement);
    if (!placement)
        return XColumn::None;
    if (!placement->xCentred)
        return XColumn::NotCentred;
    const CornerRow* corner = findRow(kCorners, choices.corner, &CornerRow::corner);
    return corner ? corner->whenXCentred : XColumn::None;
}

TopEdgeCase topEdgeCaseFor(const LayoutChoices& choices)
{
    const PlacementRow* placement = findRow(kPlacements, choices.placement, &PlacementRow::placement);
    if (!placement)
        return TopEdgeCase::None;
    if (!placement->yCentred)
        return TopEdgeCase::NotCentred;
    const CornerRow* corner = findRow(kCorners, choices.corner, &CornerRow::corner);
    return corner ? corner->whenYCentred : TopEdgeCase::None;
}

StartXRule startXRule(const StartXRow& row, XColumn column)
{
    switch (column) {
    case XColumn::CentredLeftCorner:
        return row.centredLeftCorner;
    case XColumn::CentredRightCorner:
        return row.centredRightCorner;
    case XColumn::NotCentred:
        return row.notCentred;
    case XColumn::None:
        break;
    }
    return nullptr;
}

}  // namespace

bool centresX(Placement placement)
{
    const PlacementRow* row = findRow(kPlacements, placement, &PlacementRow::placement);
    return row && row->xCentred;
}

bool centresY(Placement placement)
{
    const PlacementRow* row = findRow(kPlacements, placement, &PlacementRow::placement);
    return row && row->yCentred;
}

std::optional<double> lineStartX(const LayoutChoices& choices, double PX, double W, double w)
{
    const StartXRow* row = findRow(kStartX, choices.justification, &StartXRow::justification);
    const StartXRule rule = row ? startXRule(*row, xColumnFor(choices)) : nullptr;
    if (!rule)
        return std::nullopt;
    return rule({PX, W, w});
}

std::optional<double> blockTopY(const LayoutChoices& choices, double PY, double H)
{
    const TopEdgeRow* row = findRow(kTopEdge, topEdgeCaseFor(choices), &TopEdgeRow::topEdgeCase);
    if (!row)
        return std::nullopt;
    return row->top({PY, H});
}

}  // namespace velmora
