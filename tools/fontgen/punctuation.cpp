// The signs of ASCII. Marks that sit on the line (. , : ;) use the base line,
// marks of the small letters (- ~ + =) are centred on the x-height band or on
// the capitals' middle, brackets run a little above the capitals and below
// the base line.

#include "font_metrics.h"
#include "font_parts.h"

namespace velmora::fontgen {
namespace {

constexpr double B = kBase;
constexpr double T = kCapHeight;
constexpr double M = kCapMiddle;
constexpr double SmallMiddle = kSmallMiddle;
constexpr double DotY = kDotY;
constexpr double HighDotY = kXHeight - 0.5;

Glyph question()
{
    return Glyph{polar(2, 4.5, 1.25, 160).A(2, 4.5, -250).L(2, 2.5)} + dot(2, DotY);
}

Glyph leftParenthesis()
{
    return {P(2.75, 6.25).arcThrough(1.25, 3.5, 2.75, 0.75)};
}

Glyph leftBrace()
{
    return {P(3, 6.25).A(3, 5.75, 90).L(2.5, 4).A(2, 4, -90).A(2, 3, -90).L(2.5, 1.25).A(3, 1.25, 90)};
}

Glyph lessThan()
{
    return {P(3.5, 5).L(0.5, M).L(3.5, 2)};
}

Glyph ampersand()
{
    const Pt top{1.6, 4.7}, bottom{1.6, 2.45};
    return {P(3.75, B)
                .L(at(top.x, top.y, 0.95, 225))
                .A(top.x, top.y, -270)
                .L(at(bottom.x, bottom.y, 1.2, 135))
                .A(bottom.x, bottom.y, 245)
                .L(3.5, M)};
}

Glyph commercialAt()
{
    return {P(2.75, 4.35).L(2.75, M).A(1.9, M, 360).L(2.75, 2.75).L(at(2, M, 1.9, -20)).A(2, M, 300)};
}

}  // namespace

Glyph dot(double x, double y)
{
    return {circle(x, y, 0.15)};
}

Glyph comma(double x)
{
    return {P(x, B + 0.5).L(x, B).A(x - 0.5, B, -90)};
}

Glyph quoteRight(double x)
{
    return {P(x, T).L(x, T - 0.5).A(x - 0.5, T - 0.5, -90)};
}

void addPunctuation(GlyphTable& t)
{
    t[' '] = {};
    t['!'] = Glyph{P(2, T).L(2, 2.5)} + dot(2, DotY);
    t['"'] = {P(1.25, T).L(1.25, 4.75), P(2.75, T).L(2.75, 4.75)};
    t['#'] = {P(1.25, 1.75).L(1.75, 5.25), P(2.25, 1.75).L(2.75, 5.25), P(0.5, 2.75).L(3.5, 2.75),
              P(0.5, 4.25).L(3.5, 4.25)};
    t['%'] = {circle(1, 4.9, 0.6), circle(3, 2.1, 0.6), P(0.5, B).L(3.5, T)};
    t['&'] = ampersand();
    t['\''] = {P(2, T).L(2, 4.75)};
    t['('] = leftParenthesis();
    t[')'] = mirroredX(leftParenthesis(), 2);
    t['*'] = {P(2, 5.5).L(2, 3.5), P(1.134, 5).L(2.866, 4), P(1.134, 4).L(2.866, 5)};
    t['+'] = {P(0.5, M).L(3.5, M), P(2, 2).L(2, 5)};
    t[','] = comma(2.25);
    t['-'] = {P(1, SmallMiddle).L(3, SmallMiddle)};
    t['.'] = dot(2, DotY);
    t['/'] = {P(0.5, B).L(3.5, T)};
    t[':'] = dot(2, DotY) + dot(2, HighDotY);
    t[';'] = comma(2.25) + dot(2.25, HighDotY);
    t['<'] = lessThan();
    t['='] = {P(0.5, 4.25).L(3.5, 4.25), P(0.5, 2.75).L(3.5, 2.75)};
    t['>'] = mirroredX(lessThan(), 2);
    t['?'] = question();
    t['@'] = commercialAt();
    t['['] = {P(2.75, 6.25).L(1.5, 6.25).L(1.5, 0.75).L(2.75, 0.75)};
    t['\\'] = mirroredX(t['/'], 2);
    t[']'] = mirroredX(t['['], 2);
    t['^'] = {P(1, 4.5).L(2, T).L(3, 4.5)};
    t['_'] = {P(0, 0.25).L(4, 0.25)};
    t['`'] = spacingAccent('`');
    t['{'] = leftBrace();
    t['|'] = {P(2, 0.75).L(2, 6.25)};
    t['}'] = mirroredX(leftBrace(), 2);
    t['~'] = {P(0.75, SmallMiddle).arcThrough(1.375, 3.25, 2, SmallMiddle).arcThrough(2.625, 2.25, 3.25, SmallMiddle)};
    // The dollar is the capital S, a little smaller, with its stroke.
    t['$'] = scaled(t.at('S'), 0.8, {2, M}) + Glyph{P(2, 0.75).L(2, 6.25)};
}

}  // namespace velmora::fontgen
