// The signs of the code page beyond ASCII: quotes and dashes of typeset
// French text, currency, superior figures and fractions, and the rest.
// Several reuse letters and figures, made smaller.

#include "font_metrics.h"
#include "font_parts.h"

namespace velmora::fontgen {
namespace {

constexpr double B = kBase;
constexpr double T = kCapHeight;
constexpr double M = kCapMiddle;
constexpr double SmallMiddle = kSmallMiddle;
constexpr double DotY = kDotY;

Glyph quoteLeft(double x)
{
    return rotated180(quoteRight(x), {x - 0.25, T - 0.5});
}

Glyph guillemet(double x)
{
    return {P(x + 0.6, SmallMiddle + 1.25).L(x - 0.6, SmallMiddle).L(x + 0.6, SmallMiddle - 1.25)};
}

// A figure set small at the top of the cell, like an exponent.
Glyph superior(const GlyphTable& t, int figure)
{
    return scaled(t.at(figure), 0.45, {2, T});
}

// A small figure, its top at the capital height (up) or its foot on the base
// line, moved sideways by dx: the parts of a fraction.
Glyph fractionPart(const GlyphTable& t, int figure, bool up, double dx)
{
    return translated(scaled(t.at(figure), 0.4, {2, up ? T : B}), dx, 0);
}

Glyph fraction(const GlyphTable& t, int numerator, int denominator)
{
    return fractionPart(t, numerator, true, -1.1) + fractionPart(t, denominator, false, 1.1) +
           Glyph{P(1, 1.5).L(3, 5.5)};
}

// ª and º: a small letter raised above the line and underlined.
Glyph ordinal(const GlyphTable& t, int letter)
{
    return translated(scaled(t.at(letter), 0.5, {2, B}), 0, 2.75) + Glyph{P(1.25, 3.6).L(2.75, 3.6)};
}

Glyph inCircle(const Glyph& inner)
{
    return Glyph{circle(2, M, 2)} + inner;
}

void addQuotesAndDashes(GlyphTable& t)
{
    t[0x82] = comma(2.25);                                              // ‚
    t[0x84] = comma(1.5) + comma(3);                                    // „
    t[0x85] = dot(0.5, DotY) + dot(2, DotY) + dot(3.5, DotY);           // …
    t[0x8B] = guillemet(1.9);                                           // ‹
    t[0x9B] = mirroredX(guillemet(1.9), 2);                             // ›
    t[0x91] = quoteLeft(2.25);                                          // ‘
    t[0x92] = quoteRight(2.25);                                         // ’
    t[0x93] = quoteLeft(1.5) + quoteLeft(3);                            // “
    t[0x94] = quoteRight(1.5) + quoteRight(3);                          // ”
    t[0xAB] = guillemet(1.25) + guillemet(2.75);                        // «
    t[0xBB] = mirroredX(t[0xAB], 2);                                    // »
    t[0x96] = {P(0.5, SmallMiddle).L(3.5, SmallMiddle)};                // –
    t[0x97] = {P(0, SmallMiddle).L(4, SmallMiddle)};                    // —
    t[0xAD] = t.at('-');                                                // soft hyphen
    t[0xA0] = {};                                                       // no-break space
}

void addMarks(GlyphTable& t)
{
    t[0x86] = {P(2, T).L(2, 0.5), P(0.75, 4.5).L(3.25, 4.5)};                             // †
    t[0x87] = t[0x86] + Glyph{P(0.75, 2.25).L(3.25, 2.25)};                               // ‡
    t[0x89] = {circle(0.8, 4.9, 0.55), P(0.25, B).L(3.25, T), circle(1.95, 2, 0.5),
               circle(3.4, 2, 0.5)};                                                         // ‰
    t[0x95] = {circle(2, SmallMiddle, 0.6), circle(2, SmallMiddle, 0.3)};                    // •
    t[0x99] = {P(0, T).L(1.5, T), P(0.75, T).L(0.75, 4), P(1.9, 4).L(1.9, T).L(2.95, 4.6).L(4, T).L(4, 4)};  // ™
    t[0xA1] = rotated180(t.at('!'), {2, 3});                                                 // ¡
    t[0xBF] = rotated180(t.at('?'), {2, 3});                                                 // ¿
    t[0xA6] = {P(2, 0.75).L(2, 3), P(2, 4).L(2, 6.25)};                                      // ¦
    t[0xA7] = scaled(t.at('s'), 0.75, {2, B}) + translated(scaled(t.at('s'), 0.75, {2, B}), 0, 2);  // §
    t[0xA9] = inCircle({polar(2, M, 1, 45).A(2, M, 270)});                                   // ©
    t[0xAE] = inCircle(scaled(t.at('R'), 0.45, {2, M}));                                     // ®
    t[0xAA] = ordinal(t, 'a');                                                                // ª
    t[0xBA] = ordinal(t, 'o');                                                                // º
    t[0xAC] = {P(0.5, M).L(3.5, M).L(3.5, 2.5)};                                             // ¬
    t[0xB0] = {circle(2, T - 0.625, 0.625)};                                                 // °
    t[0xB1] = {P(0.5, 4).L(3.5, 4), P(2, 2.75).L(2, 5.25), P(0.5, 1.75).L(3.5, 1.75)};       // ±
    t[0xB6] = {P(3.25, B).L(3.25, T).L(1.5, T).A(1.5, 4.875, 180).L(2.25, 4), P(2.25, T).L(2.25, B)};  // ¶
    t[0xB7] = dot(2, SmallMiddle);                                                           // ·
    t[0xD7] = {P(0.9, 2.4).L(3.1, 4.6), P(0.9, 4.6).L(3.1, 2.4)};                            // ×
    t[0xF7] = Glyph{P(0.5, M).L(3.5, M)} + dot(2, 4.6) + dot(2, 2.4);                        // ÷
}

void addCurrencies(GlyphTable& t)
{
    t[0x80] = {polar(2.25, 4, 1.75, 40).A(2.25, 4, 140).L(0.5, 3).A(2.25, 3, 140), P(0, 3).L(2.5, 3),
               P(0, 4).L(2.75, 4)};                                                          // €
    t[0x83] = {P(at(2.875, 5.25, 0.625, 30)).A(2.875, 5.25, 150).L(1.75, 0.75).A(1.125, 0.75, -150),
               P(1, 4).L(3, 4)};                                                             // ƒ
    t[0xA2] = t.at('c') + Glyph{P(2, 0.75).L(2, 4.75)};                                      // ¢
    t[0xA3] = {polar(2.5, 4.5, 1, 30).A(2.5, 4.5, 150).L(1.5, 2).L(0.75, B).L(3.75, B),
               P(0.75, M).L(2.75, M)};                                                       // £
    t[0xA4] = {circle(2, M, 1), P(0.94, 2.44).L(1.29, 2.79), P(3.06, 2.44).L(2.71, 2.79),
               P(0.94, 4.56).L(1.29, 4.21), P(3.06, 4.56).L(2.71, 4.21)};                   // ¤
    t[0xA5] = t.at('Y') + Glyph{P(0.75, 3).L(3.25, 3), P(0.75, 2.25).L(3.25, 2.25)};         // ¥
}

void addSmallFigures(GlyphTable& t)
{
    t[0xB9] = superior(t, '1');
    t[0xB2] = superior(t, '2');
    t[0xB3] = superior(t, '3');
    t[0xBC] = fraction(t, '1', '4');
    t[0xBD] = fraction(t, '1', '2');
    t[0xBE] = fraction(t, '3', '4');
}

}  // namespace

void addSigns(GlyphTable& t)
{
    addQuotesAndDashes(t);
    addMarks(t);
    addCurrencies(t);
    addSmallFigures(t);
    for (int code : {0x88, 0x98, 0xA8, 0xAF, 0xB4, 0xB8})
        t[code] = spacingAccent(code);
}

}  // namespace velmora::fontgen
