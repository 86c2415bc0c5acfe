#include "glyph_program.h"

#include "font_metrics.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace velmora::fontgen {
namespace {

// Coordinates go to the file in thousandths of a unit: a move within the cell
// then never needs more than six characters ("-6.999").
using Grid = long long;
constexpr double kGridStep = 0.001;
constexpr std::size_t kReadableNumberLength = 6;
// Ends closer than this many steps are one point: the stroke goes on uncut.
constexpr Grid kJoinDistance = 3;
// How far (in steps) an arc's end may move to lie on the arc's circle.
constexpr Grid kArcEndSearch = 2;
// An end this close to the circle (in steps) is on it.
constexpr double kOnCircle = 0.25;
// Arcs are cut in pieces of at most half a turn.
constexpr double kLargestPiece = 180;

struct GridPt {
    Grid x = 0;
    Grid y = 0;
};

GridPt onGrid(Pt p)
{
    return {std::llround(p.x / kGridStep), std::llround(p.y / kGridStep)};
}

double gridDistance(GridPt a, GridPt b)
{
    return std::hypot(static_cast<double>(a.x - b.x), static_cast<double>(a.y - b.y));
}

std::string number(Grid thousandths)
{
    if (thousandths == 0)
        return "0";
    std::string text = thousandths < 0 ? "-" : "";
    const Grid magnitude = std::llabs(thousandths);
    if (magnitude >= 1000)
        text += std::to_string(magnitude / 1000);
    Grid fraction = magnitude % 1000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction + 1000).substr(1);
        while (digits.back() == '0')
            digits.pop_back();
        text += "." + digits;
    }
    if (text.size() > kReadableNumberLength)
        throw std::logic_error("glyph move too long for the copy: " + text);
    return text;
}

double distance(Pt a, Pt b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The paths in cutting order: each time the nearest end of the paths left,
// starting from the character's origin.
std::vector<Path> cuttingOrder(const Glyph& glyph)
{
    std::vector<Path> left(glyph.begin(), glyph.end());
    std::vector<Path> order;
    Pt at{0, 0};
    while (!left.empty()) {
        std::size_t best = 0;
        bool reverse = false;
        double bestDistance = std::numeric_limits<double>::max();
        for (std::size_t i = 0; i < left.size(); ++i) {
            const double toStart = distance(at, left[i].start());
            const double toEnd = distance(at, left[i].end());
            if (toStart < bestDistance - 1e-9) {
                best = i, reverse = false, bestDistance = toStart;
            }
            if (toEnd < bestDistance - 1e-9) {
                best = i, reverse = true, bestDistance = toEnd;
            }
        }
        order.push_back(reverse ? left[best].reversed() : left[best]);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(best));
        at = order.back().end();
    }
    return order;
}

class GlyphEmitter {
public:
    explicit GlyphEmitter(const std::string& comment)
    {
        line("$ " + comment);
        line("G91");
    }

    void cut(const Path& path)
    {
        GridPt start = onGrid(path.start());
        const bool opensWithArc = !path.segments().empty() && path.segments().front().arc;
        if (opensWithArc) {
            // A stroke that opens with an arc starts on the arc's circle.
            const Segment& arc = path.segments().front();
            start = nearestOnCircle(start, onGrid(arc.centre), distance(path.start(), arc.centre) / kGridStep, true);
        }
        if (!down_ || gridDistance(start, at_) > kJoinDistance)
            travelTo(start);
        for (const Segment& s : path.segments()) {
            if (s.arc)
                arc(s);
            else
                lineTo(onGrid(s.to));
        }
    }

    GlyphProgram finish()
    {
        if (down_)
            line("G0Z" + depthText(+1));
        line("G90");
        return std::move(result_);
    }

private:
    static std::string depthText(int sign)
    {
        return number(sign * std::llround(kPlunge / kGridStep));
    }

    void travelTo(GridPt p)
    {
        if (down_)
            line("G0Z" + depthText(+1));
        if (p.x != at_.x || p.y != at_.y)
            line("G0" + delta(p));
        at_ = p;
        line("G1Z" + depthText(-1));
        down_ = true;
        ++result_.strokes;
    }

    void lineTo(GridPt p)
    {
        if (p.x == at_.x && p.y == at_.y)
            return;
        line("G1" + delta(p));
        at_ = p;
    }

    // Splits the arc into equal pieces of at most half a turn; each piece's
    // end is moved to the grid point nearest its true end that lies best on
    // the circle through the piece's start.
    void arc(const Segment& s)
    {
        const int pieces = static_cast<int>(std::ceil(std::abs(s.sweep) / kLargestPiece - 1e-9));
        const GridPt centre = onGrid(s.centre);
        const double cx = s.centre.x, cy = s.centre.y;
        const double startAngle = std::atan2(at_.y * kGridStep - cy, at_.x * kGridStep - cx);
        const double radius = distance({at_.x * kGridStep, at_.y * kGridStep}, s.centre);
        for (int i = 1; i <= pieces; ++i) {
            const double angle = startAngle + s.sweep * std::numbers::pi / 180 * i / pieces;
            const Pt trueEnd{cx + radius * std::cos(angle), cy + radius * std::sin(angle)};
            const GridPt end = i == pieces ? bestArcEnd(onGrid(s.to), centre) : bestArcEnd(onGrid(trueEnd), centre);
            const std::string code = s.sweep > 0 ? "G3" : "G2";
            line(code + delta(end) + "I" + number(centre.x - at_.x) + "J" + number(centre.y - at_.y));
            at_ = end;
        }
    }

    // The end of an arc piece: on the circle through the piece's start.
    GridPt bestArcEnd(GridPt near, GridPt centre)
    {
        const GridPt best = nearestOnCircle(near, centre, gridDistance(at_, centre));
        const double mismatch = std::abs(gridDistance(best, centre) - gridDistance(at_, centre));
        result_.worstArcMismatch = std::max(result_.worstArcMismatch, mismatch * kGridStep);
        return best;
    }

    // The grid point nearest `near` among those close enough to the circle
    // of radius `radius` (in steps) around `centre`; failing any, the one
    // closest to that circle. With `notOutside`, a point outside the circle
    // does not count as close: the arc drawn from it would grow past its
    // drawing, and perhaps past the cell.
    static GridPt nearestOnCircle(GridPt near, GridPt centre, double radius, bool notOutside = false)
    {
        auto mismatch = [&](GridPt p) {
            const double off = gridDistance(p, centre) - radius;
            return notOutside && off > 0 ? off + kOnCircle : std::abs(off);
        };
        GridPt nearest = near, closest = near;
        bool found = false;
        for (Grid dx = -kArcEndSearch; dx <= kArcEndSearch; ++dx)
            for (Grid dy = -kArcEndSearch; dy <= kArcEndSearch; ++dy) {
                const GridPt p{near.x + dx, near.y + dy};
                if (!insideCell(p))
                    continue;
                if (mismatch(p) < mismatch(closest))
                    closest = p;
                if (mismatch(p) <= kOnCircle && (!found || gridDistance(p, near) < gridDistance(nearest, near)))
                    nearest = p, found = true;
            }
        return found ? nearest : closest;
    }

    static bool insideCell(GridPt p)
    {
        return p.x >= 0 && p.y >= 0 && p.x <= std::llround(kCellWidth / kGridStep) &&
               p.y <= std::llround(kCellHeight / kGridStep);
    }

    std::string delta(GridPt p) const
    {
        return "X" + number(p.x - at_.x) + "Y" + number(p.y - at_.y);
    }

    void line(const std::string& text)
    {
        result_.text += text;
        result_.text += "\r\n";
    }

    GlyphProgram result_;
    GridPt at_;
    bool down_ = false;
};

}  // namespace

GlyphProgram writeGlyphProgram(const Glyph& glyph, const std::string& comment)
{
    if (glyph.empty()) {
        GlyphProgram blank;
        blank.text = "$ " + comment + "\r\n";
        return blank;
    }
    GlyphEmitter emitter(comment);
    for (const Path& path : cuttingOrder(glyph))
        emitter.cut(path);
    return emitter.finish();
}

}  // namespace velmora::fontgen
