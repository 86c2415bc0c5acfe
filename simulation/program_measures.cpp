#include "program_measures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::simulation {

void Bounds::include(const Point& p)
{
    if (empty) {
        minX = maxX = p.x;
        minY = maxY = p.y;
        minZ = maxZ = p.z;
        empty = false;
        return;
    }
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    minZ = std::min(minZ, p.z);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
    maxZ = std::max(maxZ, p.z);
}

void Bounds::include(const Bounds& other)
{
    if (other.empty)
        return;
    include(Point{other.minX, other.minY, other.minZ});
    include(Point{other.maxX, other.maxY, other.maxZ});
}

namespace {

// The arc passes the axis point at `angle` when that angle lies within its
// sweep, counted from the start angle in the arc's own direction.
bool sweepPasses(double startAngle, double sweep, double angle)
{
    constexpr double kTwoPi = 2 * std::numbers::pi;
    double offset = sweep >= 0 ? angle - startAngle : startAngle - angle;
    offset = std::fmod(offset, kTwoPi);
    if (offset < 0)
        offset += kTwoPi;
    return offset <= std::abs(sweep);
}

}  // namespace

Bounds moveBounds(const Move& move)
{
    Bounds b;
    b.include(move.start);
    b.include(move.end);
    if (!move.isArc())
        return b;
    const double sweep = arcSweep(move);
    const double r = arcRadius(move);
    const double startAngle = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX);
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double angle = quarter * std::numbers::pi / 2;
        if (sweepPasses(startAngle, sweep, angle))
            b.include(Point{move.centreX + r * std::cos(angle), move.centreY + r * std::sin(angle), move.start.z});
    }
    return b;
}

Bounds cuttingBounds(std::span<const Move> moves)
{
    Bounds b;
    for (const Move& m : moves)
        if (m.isCut())
            b.include(moveBounds(m));
    return b;
}

PathLengths pathLengths(std::span<const Move> moves)
{
    PathLengths lengths;
    for (const Move& m : moves)
        (m.isCut() ? lengths.cutting : lengths.rapid) += moveLength(m);
    return lengths;
}

}  // namespace velmora::simulation
