#include "cell_check.h"

#include "program_measures.h"

#include <cmath>
#include <cstdio>

namespace velmora::simulation {

Cell cellAt(double x, double y, double charWidth)
{
    return {x, y, charWidth, charWidth * 7 / 4};
}

namespace {

constexpr double kSameHeight = 1e-6;

std::string cellName(int cell)
{
    return "character " + std::to_string(cell + 1);
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

class CellChecker {
public:
    CellChecker(std::span<const Cell> cells, const CellCheckOptions& options) : cells_(cells), options_(options) {}

    void visit(const Move& move)
    {
        if (startsNextCell(move))
            openCell(move);
        else if (move.toSafeHeight)
            closeCell();
        else if (current_ >= 0 && settling_ && move.kind == MoveKind::Rapid && atOrigin(move.end, current_))
            startZ_ = move.end.z;  // line block and approach moves on the origin set the starting height
        else
            settling_ = false;

        if (move.kind == MoveKind::Rapid)
            checkRapid(move);
        else
            checkCut(move);
    }

    void finish(const Interpretation& interpretation)
    {
        if (open_)
            checkEndHeight(interpretation.end.z, 0);
        const int count = static_cast<int>(cells_.size());
        if (next_ == count - 1)
            add(0, next_, cellName(next_) + ": the tool never comes to its cell origin");
        else if (next_ < count)
            add(0, next_, "characters " + std::to_string(next_ + 1) + " to " + std::to_string(count) +
                              ": the tool never comes to their cell origins");
        if (interpretation.incrementalAtEnd)
            add(0, -1, "the program ends in incremental mode");
        if (interpretation.end.z <= options_.workTopZ)
            add(0, -1, "the program ends with the tool in the work");
    }

    std::vector<Violation> take() { return std::move(violations_); }

private:
    bool atOrigin(const Point& p, int cell) const
    {
        return std::abs(p.x - cells_[cell].x) <= options_.tolerance &&
               std::abs(p.y - cells_[cell].y) <= options_.tolerance;
    }

    bool startsNextCell(const Move& move) const
    {
        return next_ < static_cast<int>(cells_.size()) && move.kind == MoveKind::Rapid && !move.incremental &&
               !move.toSafeHeight && atOrigin(move.end, next_);
    }

    void openCell(const Move& move)
    {
        if (open_)
            checkEndHeight(move.start.z, move.sourceLine);
        current_ = next_++;
        open_ = true;
        settling_ = true;
        startZ_ = move.end.z;
    }

    void closeCell()
    {
        if (open_)
            checkEndHeight(lastZ_, lastLine_);
        open_ = false;
        settling_ = false;
    }

    void checkEndHeight(double z, int line)
    {
        if (std::abs(z - startZ_) > kSameHeight)
            add(line, current_, cellName(current_) + " ends at Z " + number(z) + ", not at its starting height " +
                                    number(startZ_));
    }

    void checkRapid(const Move& move)
    {
        const bool travels = std::hypot(move.end.x - move.start.x, move.end.y - move.start.y) > options_.tolerance;
        if (move.end.z <= options_.workTopZ)
            add(move.sourceLine, current_, "rapid move into the work (Z " + number(move.end.z) + ")");
        else if (travels && move.start.z <= options_.workTopZ)
            add(move.sourceLine, current_, "rapid travel starting in the work (Z " + number(move.start.z) + ")");
        note(move);
    }

    void checkCut(const Move& move)
    {
        if (!open_) {
            add(move.sourceLine, -1, "cut outside every character");
        } else if (!insideCell(move)) {
            add(move.sourceLine, current_, "cut leaves the cell of " + cellName(current_));
        }
        checkDepth(move);
        settling_ = false;
        note(move);
    }

    bool insideCell(const Move& move) const
    {
        const Bounds b = moveBounds(move);
        const Cell& c = cells_[current_];
        const double t = options_.tolerance;
        return b.minX >= c.x - t && b.maxX <= c.x + c.width + t && b.minY >= c.y - t && b.maxY <= c.y + c.height + t;
    }

    void checkDepth(const Move& move)
    {
        if (!options_.engravingZ)
            return;
        const double depth = *options_.engravingZ;
        const bool travels = std::hypot(move.end.x - move.start.x, move.end.y - move.start.y) > 0;
        const bool atDepth = std::abs(move.start.z - depth) <= kSameHeight && std::abs(move.end.z - depth) <= kSameHeight;
        if (travels && !atDepth)
            add(move.sourceLine, current_, "cut at Z " + number(move.end.z) + " instead of the engraving depth");
        else if (std::min(move.start.z, move.end.z) < depth - kSameHeight)
            add(move.sourceLine, current_, "cut below the engraving depth (Z " + number(move.end.z) + ")");
    }

    void note(const Move& move)
    {
        lastZ_ = move.end.z;
        lastLine_ = move.sourceLine;
    }

    void add(int line, int cell, std::string what) { violations_.push_back({line, cell, std::move(what)}); }

    std::span<const Cell> cells_;
    const CellCheckOptions& options_;
    std::vector<Violation> violations_;
    int next_ = 0;
    int current_ = -1;
    bool open_ = false;
    bool settling_ = false;
    double startZ_ = 0;
    double lastZ_ = 0;
    int lastLine_ = 0;
};

}  // namespace

std::vector<Violation> checkMovesAgainstCells(const Interpretation& interpretation, std::span<const Cell> cells,
                                              const CellCheckOptions& options)
{
    CellChecker checker(cells, options);
    for (const Move& move : interpretation.moves)
        checker.visit(move);
    checker.finish(interpretation);
    std::vector<Violation> violations = checker.take();
    if (interpretation.stop)
        violations.insert(violations.begin(),
                          {interpretation.stop->line, -1, "the program cannot be read: " + interpretation.stop->reason});
    return violations;
}

std::vector<Violation> checkProgramAgainstCells(std::string_view program, std::span<const Cell> cells,
                                                const CellCheckOptions& options)
{
    return checkMovesAgainstCells(interpretProgram(program, options.interpreter), cells, options);
}

}  // namespace velmora::simulation
