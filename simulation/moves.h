#pragma once
// Tool moves as a program makes the machine perform them, and the geometry
// that lengths, bounds and drawings of those moves share.

#include <vector>

namespace velmora::simulation {

struct Point {
    double x = 0;
    double y = 0;
    double z = 0;
};

enum class MoveKind {
    Rapid,             // G0
    Line,              // G1
    ClockwiseArc,      // G2, in the XY plane
    CounterClockwiseArc // G3, in the XY plane
};

struct Move {
    MoveKind kind = MoveKind::Rapid;
    Point start;
    Point end;
    double centreX = 0;  // arcs only
    double centreY = 0;
    int sourceLine = 0;       // 1-based line of the program that made the move
    bool incremental = false; // programmed in incremental mode (G91)
    bool toSafeHeight = false; // the retract to the safe height (G52)

    bool isCut() const { return kind != MoveKind::Rapid; }
    bool isArc() const { return kind == MoveKind::ClockwiseArc || kind == MoveKind::CounterClockwiseArc; }
};

// Signed angle swept by an arc, in radians: positive counterclockwise. An arc
// that ends where it starts is a full turn. 0 for straight moves.
double arcSweep(const Move& move);

// Radius at the arc's start point (the programmed one).
double arcRadius(const Move& move);

// Length of the tool path: straight distance, or the arc (helical when Z
// changes along it).
double moveLength(const Move& move);

// Points along the move from its start to its end, for drawing: the two end
// points of a straight move, or one point every `maxStepRadians` or less along
// an arc. The radius is blended from start to end so that the last point is
// exactly the programmed end.
std::vector<Point> tracePoints(const Move& move, double maxStepRadians = 0.1);

}  // namespace velmora::simulation
