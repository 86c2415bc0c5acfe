#pragma once
// Single-stroke drawings in cell units: a glyph is a list of paths, each path
// one continuous stroke of straight lines and circular arcs, cut without
// lifting the tool.

#include <functional>
#include <vector>

namespace velmora::fontgen {

struct Pt {
    double x = 0;
    double y = 0;
};

struct Segment {
    Pt to;
    bool arc = false;
    Pt centre;
    double sweep = 0;  // degrees, positive counterclockwise
};

class Path {
public:
    explicit Path(Pt start) : start_(start) {}

    // A straight line to (x, y).
    Path& L(double x, double y);
    Path& L(Pt p) { return L(p.x, p.y); }
    // An arc around (cx, cy), from the current point, turning by `sweep`
    // degrees (positive counterclockwise); it ends where the turn takes it.
    Path& A(double cx, double cy, double sweep);
    // The arc from the current point through (xm, ym) to (x, y).
    Path& arcThrough(double xm, double ym, double x, double y);

    Pt start() const { return start_; }
    Pt end() const { return segments_.empty() ? start_ : segments_.back().to; }
    const std::vector<Segment>& segments() const { return segments_; }

    // The same stroke cut from its other end.
    Path reversed() const;
    // The stroke under a similarity (a map that keeps circles circles);
    // `flips` tells that it mirrors, which turns arcs the other way.
    Path mapped(const std::function<Pt(Pt)>& map, bool flips) const;

private:
    Pt start_;
    std::vector<Segment> segments_;
};

using Glyph = std::vector<Path>;

// The point of a circle at an angle (degrees, counterclockwise from +X).
Pt at(double cx, double cy, double r, double degrees);

// Starting points.
Path P(double x, double y);
inline Path P(Pt p) { return P(p.x, p.y); }
Path polar(double cx, double cy, double r, double degrees);  // on a circle
Path circle(double cx, double cy, double r);                  // closed, from the top

// Whole-glyph maps.
Glyph translated(const Glyph& glyph, double dx, double dy);
Glyph scaled(const Glyph& glyph, double factor, Pt fixed);       // about a fixed point
Glyph mirroredX(const Glyph& glyph, double axisX);               // left for right
Glyph rotated180(const Glyph& glyph, Pt centre);                 // upside down
Glyph operator+(Glyph a, const Glyph& b);                        // strokes of both

}  // namespace velmora::fontgen
