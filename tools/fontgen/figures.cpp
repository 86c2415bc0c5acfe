// Figures: as tall as the capitals, a little narrower (0.25 to 3.75) so that
// 0 and O stay apart; round parts of radius 1.75 or so.

#include "font_metrics.h"
#include "font_parts.h"

namespace velmora::fontgen {
namespace {

constexpr double B = kBase;
constexpr double T = kCapHeight;

Glyph six()
{
    return {polar(2.375, 4, 1.75, 45).A(2.375, 4, 135).L(0.625, 2.625).A(2, 2.625, 360)};
}

}  // namespace

void addFigures(GlyphTable& t)
{
    t['0'] = {P(0.25, 3).L(0.25, 4).A(2, 4, -180).L(3.75, 3).A(2, 3, -180)};
    t['1'] = {P(0.75, 4.75).L(2.25, T).L(2.25, B)};
    t['2'] = {polar(2, 4, 1.75, 160).A(2, 4, -205).L(0.25, B).L(3.75, B)};
    t['3'] = {P(0.25, T).L(3.5, T).L(2, 4).A(2, 2.625, -240)};
    t['4'] = {P(2.75, B).L(2.75, T).L(0.25, 2.5).L(3.75, 2.5)};
    t['5'] = {P(3.5, T).L(1.1, T).L(at(2, 2.625, 1.375, 140)).A(2, 2.625, -290)};
    t['6'] = six();
    t['7'] = {P(0.25, T).L(3.75, T).L(1.5, B)};
    t['8'] = {P(2, 3.625).A(2, 4.6875, -360).A(2, 2.4375, 360)};
    t['9'] = rotated180(six(), {2, (B + T) / 2});
}

}  // namespace velmora::fontgen
