#include "moves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::simulation {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// End points closer than this are the same point: the arc is a full turn.
constexpr double kSamePoint = 1e-9;

// Angle in (0, 2pi]; 0 becomes a full turn.
double positiveTurn(double angle)
{
    double a = std::fmod(angle, kTwoPi);
    if (a <= 0)
        a += kTwoPi;
    return a;
}

}  // namespace

double arcRadius(const Move& move)
{
    return std::hypot(move.start.x - move.centreX, move.start.y - move.centreY);
}

double arcSweep(const Move& move)
{
    if (!move.isArc())
        return 0;
    if (std::hypot(move.end.x - move.start.x, move.end.y - move.start.y) < kSamePoint)
        return move.kind == MoveKind::CounterClockwiseArc ? kTwoPi : -kTwoPi;
    const double from = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX);
    const double to = std::atan2(move.end.y - move.centreY, move.end.x - move.centreX);
    return move.kind == MoveKind::CounterClockwiseArc ? positiveTurn(to - from) : -positiveTurn(from - to);
}

double moveLength(const Move& move)
{
    const double dz = move.end.z - move.start.z;
    if (!move.isArc())
        return std::hypot(move.end.x - move.start.x, move.end.y - move.start.y, dz);
    return std::hypot(std::abs(arcSweep(move)) * arcRadius(move), dz);
}

std::vector<Point> tracePoints(const Move& move, double maxStepRadians)
{
    if (!move.isArc())
        return {move.start, move.end};
    const double sweep = arcSweep(move);
    const int steps = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / maxStepRadians)));
    const double from = std::atan2(move.start.y - move.centreY, move.start.x - move.centreX);
    const double r0 = arcRadius(move);
    const double r1 = std::hypot(move.end.x - move.centreX, move.end.y - move.centreY);
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    points.push_back(move.start);
    for (int i = 1; i < steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double angle = from + sweep * t;
        const double r = r0 + (r1 - r0) * t;
        points.push_back({move.centreX + r * std::cos(angle), move.centreY + r * std::sin(angle),
                          move.start.z + (move.end.z - move.start.z) * t});
    }
    points.push_back(move.end);
    return points;
}

}  // namespace velmora::simulation
