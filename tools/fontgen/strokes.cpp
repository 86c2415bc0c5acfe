#include "strokes.h"

#include <cmath>
#include <numbers>

namespace velmora::fontgen {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

Pt turned(Pt p, Pt centre, double degrees)
{
    const double c = std::cos(degrees * kDegree), s = std::sin(degrees * kDegree);
    const double dx = p.x - centre.x, dy = p.y - centre.y;
    return {centre.x + dx * c - dy * s, centre.y + dx * s + dy * c};
}

double angleOf(Pt p, Pt centre)
{
    return std::atan2(p.y - centre.y, p.x - centre.x) / kDegree;
}

// Angle from `from` to `to` in the given direction, in (0, 360].
double turnBetween(double from, double to, bool counterclockwise)
{
    double d = counterclockwise ? to - from : from - to;
    d = std::fmod(d, 360.0);
    if (d <= 0)
        d += 360;
    return d;
}

}  // namespace

Path& Path::L(double x, double y)
{
    segments_.push_back({{x, y}, false, {}, 0});
    return *this;
}

Path& Path::A(double cx, double cy, double sweep)
{
    const Pt centre{cx, cy};
    segments_.push_back({turned(end(), centre, sweep), true, centre, sweep});
    return *this;
}

Path& Path::arcThrough(double xm, double ym, double x, double y)
{
    // Centre: where the perpendicular bisectors of the two chords meet.
    const Pt a = end(), b{xm, ym}, c{x, y};
    const double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    const double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
    const Pt centre{(a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d,
                    (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d};
    // The arc turns the way that passes through the middle point.
    const double start = angleOf(a, centre), middle = angleOf(b, centre), finish = angleOf(c, centre);
    const bool counterclockwise = turnBetween(start, middle, true) < turnBetween(start, finish, true);
    const double sweep = counterclockwise ? turnBetween(start, finish, true) : -turnBetween(start, finish, false);
    segments_.push_back({c, true, centre, sweep});
    return *this;
}

Path Path::reversed() const
{
    Path back(end());
    for (std::size_t i = segments_.size(); i-- > 0;) {
        const Segment& s = segments_[i];
        const Pt to = i == 0 ? start_ : segments_[i - 1].to;
        back.segments_.push_back({to, s.arc, s.centre, -s.sweep});
    }
    return back;
}

Path Path::mapped(const std::function<Pt(Pt)>& map, bool flips) const
{
    Path out(map(start_));
    for (const Segment& s : segments_)
        out.segments_.push_back({map(s.to), s.arc, map(s.centre), flips ? -s.sweep : s.sweep});
    return out;
}

Pt at(double cx, double cy, double r, double degrees)
{
    return {cx + r * std::cos(degrees * kDegree), cy + r * std::sin(degrees * kDegree)};
}

Path P(double x, double y)
{
    return Path({x, y});
}

Path polar(double cx, double cy, double r, double degrees)
{
    return Path(at(cx, cy, r, degrees));
}

Path circle(double cx, double cy, double r)
{
    return std::move(P(cx, cy + r).A(cx, cy, -360));
}

namespace {

Glyph mapAll(const Glyph& glyph, const std::function<Pt(Pt)>& map, bool flips)
{
    Glyph out;
    for (const Path& p : glyph)
        out.push_back(p.mapped(map, flips));
    return out;
}

}  // namespace

Glyph translated(const Glyph& glyph, double dx, double dy)
{
    return mapAll(glyph, [=](Pt p) { return Pt{p.x + dx, p.y + dy}; }, false);
}

Glyph scaled(const Glyph& glyph, double factor, Pt fixed)
{
    return mapAll(
        glyph, [=](Pt p) { return Pt{fixed.x + (p.x - fixed.x) * factor, fixed.y + (p.y - fixed.y) * factor}; },
        false);
}

Glyph mirroredX(const Glyph& glyph, double axisX)
{
    return mapAll(glyph, [=](Pt p) { return Pt{2 * axisX - p.x, p.y}; }, true);
}

Glyph rotated180(const Glyph& glyph, Pt centre)
{
    return mapAll(glyph, [=](Pt p) { return Pt{2 * centre.x - p.x, 2 * centre.y - p.y}; }, false);
}

Glyph operator+(Glyph a, const Glyph& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace velmora::fontgen
