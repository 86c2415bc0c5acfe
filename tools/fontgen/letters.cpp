// Capitals and small letters. Capitals stand on the base line and reach the
// capital height; round capitals are two half circles of radius 2 joined by
// short straights. Small letters use bowls of radius 1.5 between the base
// line and the x-height; ascenders reach the capital height, descenders the
// cell bottom. Wide letters fill the cell width, so the spacing the operator
// sets is the gap between them; narrow ones stand centred.

#include "font_metrics.h"
#include "font_parts.h"

namespace velmora::fontgen {
namespace {

constexpr double B = kBase;
constexpr double T = kCapHeight;
constexpr double X = kXHeight;
constexpr double D = kDescender;
constexpr double M = kCapMiddle;
constexpr double BowlY = B + 1.5;  // centre of the small bowls

Glyph capitalO()
{
    return {P(0, 3.25).L(0, 3.75).A(2, 3.75, -180).L(4, 3.25).A(2, 3.25, -180)};
}

Glyph capitalP()
{
    return {P(0, B).L(0, T).L(2.75, T).A(2.75, 4.5, -180).L(0, 3.25)};
}

Glyph capitalS()
{
    return {polar(2.875, 4.625, 1.125, 30)
                .A(2.875, 4.625, 60)
                .L(1.125, T)
                .A(1.125, 4.625, 180)
                .L(2.875, M)
                .A(2.875, 2.375, -180)
                .L(1.125, B)
                .A(1.125, 2.375, -60)};
}

Glyph smallA()
{
    return {P(3.5, X).L(3.5, BowlY).A(2, BowlY, 360).L(3.5, B)};
}

Glyph smallO()
{
    return {circle(2, BowlY, 1.5)};
}

Glyph smallS()
{
    return {polar(2.75, 3.5, 0.75, 30)
                .A(2.75, 3.5, 60)
                .L(1.25, X)
                .A(1.25, 3.5, 180)
                .L(2.75, BowlY)
                .A(2.75, 2.0, -180)
                .L(1.25, B)
                .A(1.25, 2.0, -60)};
}

void addBasicCapitals(GlyphTable& t)
{
    t['A'] = {P(0, B).L(2, T).L(4, B).L(3.4, 2.6).L(0.6, 2.6)};
    t['B'] = {P(0, 3.75).L(2.75, 3.75).A(2.75, 4.75, 180).L(0, T).L(0, B).L(2.75, B).A(2.75, 2.5, 180)};
    t['C'] = {polar(2, 3.75, 2, 35).A(2, 3.75, 145).L(0, 3.25).A(2, 3.25, 145)};
    t['D'] = {P(0, B).L(0, T).L(2, T).A(2, 3.75, -90).L(4, 3.25).A(2, 3.25, -90).L(0, B)};
    t['E'] = {P(3.75, T).L(0.25, T).L(0.25, B).L(3.75, B), P(0.25, M).L(3, M)};
    t['F'] = {P(3.75, T).L(0.25, T).L(0.25, B), P(0.25, M).L(3, M)};
    t['G'] = {polar(2, 3.75, 2, 35).A(2, 3.75, 145).L(0, 3.25).A(2, 3.25, 180).L(4, M).L(2.25, M)};
    t['H'] = {P(0, B).L(0, T), P(4, B).L(4, T), P(0, M).L(4, M)};
    t['I'] = {P(1.25, T).L(2.75, T).L(2, T).L(2, B).L(1.25, B).L(2.75, B)};
    t['J'] = {P(3.75, T).L(3.75, 3).A(2, 3, -180)};
    t['K'] = {P(0, T).L(0, B), P(4, T).L(0, 2.75), P(1.4, 3.8).L(4, B)};
    t['L'] = {P(0.25, T).L(0.25, B).L(3.75, B)};
    t['M'] = {P(0, B).L(0, T).L(2, 2.5).L(4, T).L(4, B)};
    t['N'] = {P(0, B).L(0, T).L(4, B).L(4, T)};
    t['O'] = capitalO();
    t['P'] = capitalP();
    t['Q'] = capitalO() + Glyph{P(2.5, 2.75).L(4, B)};
    t['R'] = capitalP() + Glyph{P(2, 3.25).L(4, B)};
    t['S'] = capitalS();
    t['T'] = {P(0, T).L(4, T), P(2, T).L(2, B)};
    t['U'] = {P(0, T).L(0, 3.25).A(2, 3.25, 180).L(4, T)};
    t['V'] = {P(0, T).L(2, B).L(4, T)};
    t['W'] = {P(0, T).L(1, B).L(2, 4.25).L(3, B).L(4, T)};
    t['X'] = {P(0, T).L(4, B), P(4, T).L(0, B)};
    t['Y'] = {P(0, T).L(2, M).L(2, B), P(2, M).L(4, T)};
    t['Z'] = {P(0, T).L(4, T).L(0, B).L(4, B)};
}

void addBasicSmallLetters(GlyphTable& t)
{
    t['a'] = smallA();
    t['b'] = {P(0.5, T).L(0.5, BowlY).A(2, BowlY, -360).L(0.5, B)};
    t['c'] = {polar(2, BowlY, 1.5, 40).A(2, BowlY, 280)};
    t['d'] = {P(3.5, T).L(3.5, BowlY).A(2, BowlY, 360).L(3.5, B)};
    t['e'] = {P(0.5, BowlY).L(3.5, BowlY).A(2, BowlY, 320)};
    t['f'] = {P(1.75, B).L(1.75, 4.75).A(2.75, 4.75, -120), P(0.75, X).L(3.25, X)};
    t['g'] = {P(3.5, X).L(3.5, BowlY).A(2, BowlY, 360).L(3.5, 0.75).A(2.75, 0.75, -90).L(1.25, D).A(1.25, 0.5, -60)};
    t['h'] = {P(0.5, T).L(0.5, B).L(0.5, BowlY).A(2, BowlY, -180).L(3.5, B)};
    t['i'] = dotlessI() + dot(2, 5.0);
    t['j'] = Glyph{P(2.5, X).L(2.5, 0.75).A(1.75, 0.75, -150)} + dot(2.5, 5.0);
    t['k'] = {P(0.5, T).L(0.5, B), P(3.5, X).L(0.5, 2.25), P(1.7, 3.05).L(3.5, B)};
    t['l'] = {P(1.75, T).L(1.75, 1.75).A(2.25, 1.75, 90).L(2.75, B)};
    t['m'] = {P(0, B).L(0, X).L(0, 3.25).A(1, 3.25, -180).L(2, B).L(2, 3.25).A(3, 3.25, -180).L(4, B)};
    t['n'] = {P(0.5, B).L(0.5, X).L(0.5, BowlY).A(2, BowlY, -180).L(3.5, B)};
    t['o'] = smallO();
    t['p'] = {P(0.5, X).L(0.5, BowlY).A(2, BowlY, -360).L(0.5, D)};
    t['q'] = {P(3.5, X).L(3.5, BowlY).A(2, BowlY, 360).L(3.5, D)};
    t['r'] = {P(0.5, B).L(0.5, X).L(0.5, BowlY).A(2, BowlY, -120)};
    t['s'] = smallS();
    t['t'] = {P(1.75, 5.25).L(1.75, 1.75).A(2.25, 1.75, 90).L(3, B), P(0.75, X).L(3, X)};
    t['u'] = {P(0.5, X).L(0.5, BowlY).A(2, BowlY, 180).L(3.5, X), P(3.5, X).L(3.5, B)};
    t['v'] = {P(0.5, X).L(2, B).L(3.5, X)};
    t['w'] = {P(0, X).L(1, B).L(2, 3.25).L(3, B).L(4, X)};
    t['x'] = {P(0.5, X).L(3.5, B), P(3.5, X).L(0.5, B)};
    t['y'] = {P(0.5, X).L(2, B), P(3.5, X).L(1.375, D)};
    t['z'] = {P(0.5, X).L(3.5, X).L(0.5, B).L(3.5, B)};
}

}  // namespace

Glyph dotlessI()
{
    return {P(2, B).L(2, X)};
}

void addCapitals(GlyphTable& t)
{
    addBasicCapitals(t);
    t[0xC6] = {P(0, B).L(2, T).L(4, T), P(2, T).L(2, B).L(4, B), P(2, M).L(3.5, M), P(0.6, 2.6).L(2, 2.6)};  // Æ
    t[0x8C] = {P(4, T).L(2, T).A(2, 3.75, 90).L(0, 3.25).A(2, 3.25, 90).L(4, B), P(2, T).L(2, B),
               P(2, M).L(3.5, M)};  // Œ
    t[0xD0] = {P(0.75, B).L(0.75, T).L(2.375, T).A(2.375, 4.125, -90).L(4, 2.875).A(2.375, 2.875, -90).L(0.75, B),
               P(0, M).L(1.75, M)};                                    // Ð
    t[0xD8] = capitalO() + Glyph{P(0.2, B).L(3.8, T)};                 // Ø
    t[0xDE] = {P(0, T).L(0, B), P(0, 4.75).L(2.75, 4.75).A(2.75, 3.625, -180).L(0, 2.5)};  // Þ
}

void addSmallLetters(GlyphTable& t)
{
    addBasicSmallLetters(t);
    const Glyph smallE = {P(2, BowlY).L(4, BowlY).L(4, 3.25).A(3, 3.25, 180).L(2, 2.25).A(3, 2.25, 135)};
    t[0x9C] = Glyph{P(0, 2.25).L(0, 3.25).A(1, 3.25, -180).L(2, 2.25).A(1, 2.25, -180)} + smallE;  // œ
    t[0xE6] = Glyph{polar(1, 3.25, 1, 150).A(1, 3.25, -150).L(2, B), P(2, 2).A(1.25, 2, 360)} + smallE;  // æ
    t[0xF0] = smallO() + Glyph{P(3.5, BowlY).arcThrough(3.1, 4.75, 1.5, T), P(1.5, 4.5).L(3.25, 5.25)};  // ð
    t[0xF8] = smallO() + Glyph{P(0.5, B).L(3.5, X)};                                                       // ø
    t[0xFE] = {P(0.5, T).L(0.5, D), P(0.5, BowlY).A(2, BowlY, -360)};                                      // þ
    t[0xDF] = {P(0.5, B).L(0.5, 4.625).A(1.625, 4.625, -180).arcThrough(2.55, 3.85, 1.6, M).L(2.375, M)
                   .A(2.375, 2.375, -180).L(1.25, B)};                                                      // ß
    t[0xB5] = {P(0.5, X).L(0.5, D), P(0.5, BowlY).A(2, BowlY, 180).L(3.5, X), P(3.5, X).L(3.5, B)};        // µ
}

}  // namespace velmora::fontgen
