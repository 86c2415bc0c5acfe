#include "character_pick.h"

#include "simulation/program_interpreter.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace velmora::preview {
namespace {

// Strokes run along the edges of their cells; a point this close to a cell
// still belongs to it.
constexpr double kEdgeMillimetres = 0.001;

QPointF nearestPointOnSegment(QPointF a, QPointF b, QPointF p)
{
    const QPointF ab = b - a;
    const double lengthSquared = QPointF::dotProduct(ab, ab);
    if (lengthSquared == 0)
        return a;
    const double t = std::clamp(QPointF::dotProduct(p - a, ab) / lengthSquared, 0.0, 1.0);
    return a + ab * t;
}

std::optional<QPointF> nearestStrokePoint(const std::vector<QPolygonF>& strokes, QPointF at, double reach)
{
    std::optional<QPointF> nearest;
    double best = reach;
    for (const QPolygonF& stroke : strokes)
        for (qsizetype i = 0; i < stroke.size(); ++i) {
            const QPointF point = nearestPointOnSegment(stroke[i], stroke[std::min(i + 1, stroke.size() - 1)], at);
            const double distance = QLineF(point, at).length();
            if (distance <= best) {
                best = distance;
                nearest = point;
            }
        }
    return nearest;
}

bool holds(const QRectF& area, QPointF point)
{
    return area.adjusted(-kEdgeMillimetres, -kEdgeMillimetres, kEdgeMillimetres, kEdgeMillimetres).contains(point);
}

// Of the cells holding `point`, the one whose centre is nearest `at`.
const CharacterCell* cellHolding(const std::vector<CharacterCell>& cells, QPointF point, QPointF at)
{
    const CharacterCell* found = nullptr;
    double best = std::numeric_limits<double>::infinity();
    for (const CharacterCell& cell : cells)
        if (holds(cell.area, point)) {
            const double distance = QLineF(cell.area.center(), at).length();
            if (distance < best) {
                best = distance;
                found = &cell;
            }
        }
    return found;
}

bool holdsAStroke(const QRectF& area, const std::vector<QPolygonF>& strokes)
{
    for (const QPolygonF& stroke : strokes)
        for (const QPointF& point : stroke)
            if (holds(area, point))
                return true;
    return false;
}

}  // namespace

std::vector<CharacterCell> characterCells(const EngravingJob& job, const LayoutResult& layout)
{
    std::vector<CharacterCell> cells;
    const double width = job.charWidth;
    const double height = static_cast<double>(job.charWidth) * 7 / 4;
    for (int line = std::max(layout.firstLine, 1); line <= std::min(layout.lastLine, kLineCount); ++line) {
        double x = layout.startX[line];
        int rank = 0;
        for (char32_t character : job.lineText[line]) {
            cells.push_back({{line, ++rank}, character, QRectF(x, layout.baseY[line], width, height)});
            x = static_cast<double>(job.charWidth) + x + static_cast<double>(job.charSpacing);
        }
    }
    return cells;
}

const CharacterCell* cellAt(const std::vector<CharacterCell>& cells, TextPlace place)
{
    for (const CharacterCell& cell : cells)
        if (cell.place == place)
            return &cell;
    return nullptr;
}

std::optional<TextPlace> pickCharacter(const std::vector<CharacterCell>& cells, const std::vector<QPolygonF>& strokes,
                                       QPointF at, double reach)
{
    const CharacterCell* clicked = nullptr;
    if (const auto onStroke = nearestStrokePoint(strokes, at, reach))
        clicked = cellHolding(cells, *onStroke, at);
    if (!clicked)
        clicked = cellHolding(cells, at, at);
    // A blank has no strokes: the next character that is not one follows it.
    while (clicked && clicked->character == U' ') {
        const auto next = clicked - cells.data() + 1;
        clicked = next < static_cast<std::ptrdiff_t>(cells.size()) ? &cells[static_cast<std::size_t>(next)] : nullptr;
    }
    if (!clicked || !holdsAStroke(clicked->area, strokes))
        return std::nullopt;
    return clicked->place;
}

std::vector<QPolygonF> strokesBefore(std::string_view wholeProgram, const std::vector<CharacterCell>& cells,
                                     TextPlace resumePoint)
{
    std::vector<QRectF> engraved;
    for (const CharacterCell& cell : cells)
        if (cell.place.line < resumePoint.line ||
            (cell.place.line == resumePoint.line && cell.place.character < resumePoint.character))
            engraved.push_back(cell.area);
    std::vector<QPolygonF> strokes;
    for (const simulation::Move& move : simulation::interpretProgram(wholeProgram).moves) {
        if (!move.isCut())
            continue;
        const QPointF start(move.start.x, move.start.y);
        const QPointF end(move.end.x, move.end.y);
        const bool inEngravedCell = std::any_of(engraved.begin(), engraved.end(), [&](const QRectF& area) {
            return holds(area, start) && holds(area, end);
        });
        if (!inEngravedCell)
            continue;
        if (strokes.empty() || strokes.back().back() != start)
            strokes.push_back(QPolygonF{start});
        const std::vector<simulation::Point> points = simulation::tracePoints(move, 0.05);
        for (std::size_t i = 1; i < points.size(); ++i)
            strokes.back().append(QPointF(points[i].x, points[i].y));
    }
    return strokes;
}

QString selectionText(const CharacterCell& cell)
{
    const char32_t character[] = {cell.character};
    return QStringLiteral("Ligne %1, caractère %2 « %3 »")
        .arg(cell.place.line)
        .arg(cell.place.character)
        .arg(QString::fromUcs4(character, 1));
}

}  // namespace velmora::preview
