#include "toolpath_preview.h"

#include "common/fields.h"
#include "layout/placement.h"

#include <algorithm>

namespace velmora::preview {
namespace {

bool leftCorner(Corner corner) { return corner == Corner::TopLeft || corner == Corner::BottomLeft; }
bool topCorner(Corner corner) { return corner == Corner::TopLeft || corner == Corner::TopRight; }

// A plate of negative size cannot hold a block; the construction refuses it,
// so nothing is drawn for it.
std::optional<Range> span(double size, bool fromZero)
{
    if (size < 0)
        return std::nullopt;
    return fromZero ? Range{0, size} : Range{-size, 0};
}

}  // namespace

PlateExtent plateExtent(Placement placement, Corner corner, double posX, double posY)
{
    PlateExtent plate;
    if (corner == Corner::None)
        return plate;
    if (centresX(placement))
        plate.x = span(posX, leftCorner(corner));
    if (centresY(placement))
        plate.y = span(posY, !topCorner(corner));
    return plate;
}

double assumedRetractZ(double workTopZ)
{
    return std::max(kDefaultRetractZ, workTopZ + kRetractClearance);
}

namespace {

// Moves of one kind that follow each other without a break in the plane make
// one path, cut into pieces of at most kPieceMoves moves.
class PathBuilder {
public:
    explicit PathBuilder(std::vector<PathPiece>& pieces) : pieces_(pieces) {}

    void add(const simulation::Move& move)
    {
        const auto startX = static_cast<float>(move.start.x);
        const auto startY = static_cast<float>(move.start.y);
        const bool joined = open_ && lastX_ == startX && lastY_ == startY;
        if (!joined || pieces_.back().elements.size() >= kPieceMoves) {
            PathPiece piece;
            piece.startX = startX;
            piece.startY = startY;
            piece.continuesPrevious = joined;
            piece.area.include(simulation::Point{startX, startY, 0});
            pieces_.push_back(std::move(piece));
            open_ = true;
        }
        PathPiece& piece = pieces_.back();
        PathElement element;
        element.x = lastX_ = static_cast<float>(move.end.x);
        element.y = lastY_ = static_cast<float>(move.end.y);
        if (move.isArc()) {
            element.centreX = static_cast<float>(move.centreX);
            element.centreY = static_cast<float>(move.centreY);
            element.sweep = static_cast<float>(simulation::arcSweep(move));
            piece.area.include(simulation::moveBounds(move));
        } else {
            piece.area.include(simulation::Point{move.end.x, move.end.y, 0});
        }
        piece.elements.push_back(element);
    }

    void shrink()
    {
        for (PathPiece& piece : pieces_)
            piece.elements.shrink_to_fit();
    }

private:
    static constexpr std::size_t kPieceMoves = 256;
    std::vector<PathPiece>& pieces_;
    bool open_ = false;
    float lastX_ = 0, lastY_ = 0;
};

bool movesInPlane(const simulation::Move& move)
{
    return move.isArc() || move.start.x != move.end.x || move.start.y != move.end.y;
}

std::string lineOf(std::string_view program, int number)
{
    std::string text;
    int at = 0;
    forEachLine(program, [&](LineSpan line) {
        if (++at < number)
            return true;
        text = program.substr(line.begin, line.length);
        return false;
    });
    return text;
}

}  // namespace

ToolpathPreview previewProgram(std::string_view program, double workTopZ)
{
    ToolpathPreview preview;
    preview.retractZ = assumedRetractZ(workTopZ);
    simulation::InterpreterOptions options;
    options.safeZ = preview.retractZ;
    options.start = {0, 0, preview.retractZ};
    PathBuilder cuts(preview.paths.cuts);
    PathBuilder rapids(preview.paths.rapids);
    const simulation::Interpretation read = simulation::interpretProgram(
        program, options, [&](const simulation::Move& move) {
            if (preview.paths.elementCount == kMostTracedMoves) {
                preview.tooManyMoves = true;
                preview.lastLineRead = move.sourceLine - 1;
                return false;
            }
            (move.isCut() ? preview.lengths.cutting : preview.lengths.rapid) += simulation::moveLength(move);
            if (move.isCut())
                preview.cuts.include(simulation::moveBounds(move));
            if (movesInPlane(move)) {
                (move.isCut() ? cuts : rapids).add(move);
                ++preview.paths.elementCount;
            }
            return true;
        });
    cuts.shrink();
    rapids.shrink();
    preview.stop = read.stop;
    if (preview.stop)
        preview.stopLineText = lineOf(program, preview.stop->line);
    return preview;
}

std::optional<double> machiningSeconds(const simulation::PathLengths& lengths, double feed, double rapidRate)
{
    if (!(feed > 0) || !(rapidRate > 0))
        return std::nullopt;
    return 60 * (lengths.cutting / feed + lengths.rapid / rapidRate);
}

}  // namespace velmora::preview
