#pragma once
// Sizes of a program's tool path, for a preview that shows how large the
// engraving is and how long it takes.
//
// A cutting move here is a feed move: G1, G2 or G3. Deciding by the feed word
// rather than by depth needs no knowledge of where the workpiece top lies, and
// it errs on the safe side: a feed move above the work counts as ink.

#include "moves.h"

#include <span>

namespace velmora::simulation {

struct Bounds {
    double minX = 0, minY = 0, minZ = 0;
    double maxX = 0, maxY = 0, maxZ = 0;
    bool empty = true;

    void include(const Point& p);
    void include(const Bounds& other);
};

// Every point the move passes through is inside: for an arc, its end points
// and the points where it crosses the axes through its centre.
Bounds moveBounds(const Move& move);

// Bounds of the cutting moves; empty when there is none.
Bounds cuttingBounds(std::span<const Move> moves);

struct PathLengths {
    double cutting = 0;  // G1, G2, G3 (arcs along the arc)
    double rapid = 0;    // G0
};

PathLengths pathLengths(std::span<const Move> moves);

}  // namespace velmora::simulation
