// Accents and the accented letters composed from them. An accent is drawn
// centred on x = 2 with its bottom at 0, then raised into the band above the
// letter: over capitals it ends at the cell top, over small letters at the
// capital height. The cedilla hangs from the base line into the descender
// band.

#include "font_metrics.h"
#include "font_parts.h"

#include <array>

namespace velmora::fontgen {
namespace {

enum class Accent { Acute, Grave, Circumflex, Diaeresis, Tilde, Ring, Cedilla, Caron, Macron };

constexpr double H = kAccentHeight;

Glyph accentShape(Accent accent)
{
    switch (accent) {
    case Accent::Acute: return {P(1.75, 0).L(2.5, H)};
    case Accent::Grave: return {P(1.5, H).L(2.25, 0)};
    case Accent::Circumflex: return {P(1.25, 0).L(2, H).L(2.75, 0)};
    case Accent::Caron: return {P(1.25, H).L(2, 0).L(2.75, H)};
    case Accent::Diaeresis: return dot(1.25, H / 2) + dot(2.75, H / 2);
    case Accent::Tilde: return {P(1.125, 0.15).arcThrough(1.5625, 0.6, 2, 0.375).arcThrough(2.4375, 0.15, 2.875, 0.6)};
    case Accent::Ring: return {circle(2, H / 2, H / 2)};
    case Accent::Macron: return {P(1.25, H / 2).L(2.75, H / 2)};
    case Accent::Cedilla: break;
    }
    // The cedilla is placed on the base line, not raised.
    return {P(2, kBase).L(2, 0.95).arcThrough(2.45, 0.6, 2, 0.25).L(1.5, 0.3)};
}

Glyph accentAbove(Accent accent, double bottom)
{
    if (accent == Accent::Cedilla)
        return accentShape(accent);
    return translated(accentShape(accent), 0, bottom);
}

struct Composition {
    int code;
    char base;
    Accent accent;
};

// Every accented letter of the code page, with its base letter and accent.
constexpr std::array kCompositions{
    Composition{0x8A, 'S', Accent::Caron},      Composition{0x8E, 'Z', Accent::Caron},
    Composition{0x9A, 's', Accent::Caron},      Composition{0x9E, 'z', Accent::Caron},
    Composition{0x9F, 'Y', Accent::Diaeresis},
    Composition{0xC0, 'A', Accent::Grave},      Composition{0xC1, 'A', Accent::Acute},
    Composition{0xC2, 'A', Accent::Circumflex}, Composition{0xC3, 'A', Accent::Tilde},
    Composition{0xC4, 'A', Accent::Diaeresis},  Composition{0xC5, 'A', Accent::Ring},
    Composition{0xC7, 'C', Accent::Cedilla},
    Composition{0xC8, 'E', Accent::Grave},      Composition{0xC9, 'E', Accent::Acute},
    Composition{0xCA, 'E', Accent::Circumflex}, Composition{0xCB, 'E', Accent::Diaeresis},
    Composition{0xCC, 'I', Accent::Grave},      Composition{0xCD, 'I', Accent::Acute},
    Composition{0xCE, 'I', Accent::Circumflex}, Composition{0xCF, 'I', Accent::Diaeresis},
    Composition{0xD1, 'N', Accent::Tilde},
    Composition{0xD2, 'O', Accent::Grave},      Composition{0xD3, 'O', Accent::Acute},
    Composition{0xD4, 'O', Accent::Circumflex}, Composition{0xD5, 'O', Accent::Tilde},
    Composition{0xD6, 'O', Accent::Diaeresis},
    Composition{0xD9, 'U', Accent::Grave},      Composition{0xDA, 'U', Accent::Acute},
    Composition{0xDB, 'U', Accent::Circumflex}, Composition{0xDC, 'U', Accent::Diaeresis},
    Composition{0xDD, 'Y', Accent::Acute},
    Composition{0xE0, 'a', Accent::Grave},      Composition{0xE1, 'a', Accent::Acute},
    Composition{0xE2, 'a', Accent::Circumflex}, Composition{0xE3, 'a', Accent::Tilde},
    Composition{0xE4, 'a', Accent::Diaeresis},  Composition{0xE5, 'a', Accent::Ring},
    Composition{0xE7, 'c', Accent::Cedilla},
    Composition{0xE8, 'e', Accent::Grave},      Composition{0xE9, 'e', Accent::Acute},
    Composition{0xEA, 'e', Accent::Circumflex}, Composition{0xEB, 'e', Accent::Diaeresis},
    Composition{0xEC, 'i', Accent::Grave},      Composition{0xED, 'i', Accent::Acute},
    Composition{0xEE, 'i', Accent::Circumflex}, Composition{0xEF, 'i', Accent::Diaeresis},
    Composition{0xF1, 'n', Accent::Tilde},
    Composition{0xF2, 'o', Accent::Grave},      Composition{0xF3, 'o', Accent::Acute},
    Composition{0xF4, 'o', Accent::Circumflex}, Composition{0xF5, 'o', Accent::Tilde},
    Composition{0xF6, 'o', Accent::Diaeresis},
    Composition{0xF9, 'u', Accent::Grave},      Composition{0xFA, 'u', Accent::Acute},
    Composition{0xFB, 'u', Accent::Circumflex}, Composition{0xFC, 'u', Accent::Diaeresis},
    Composition{0xFD, 'y', Accent::Acute},      Composition{0xFF, 'y', Accent::Diaeresis},
};

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

void addAccentedLetters(GlyphTable& t)
{
    for (const Composition& c : kCompositions) {
        // The small i loses its dot under an accent.
        const Glyph base = c.base == 'i' ? dotlessI() : t.at(c.base);
        t[c.code] = base + accentAbove(c.accent, isCapital(c.base) ? kCapAccent : kSmallAccent);
    }
}

// Accents standing alone sit just under the capital height.
Glyph spacingAccent(int code)
{
    constexpr double bottom = kCapHeight - kAccentHeight;
    switch (code) {
    case '`': return accentAbove(Accent::Grave, bottom);
    case 0x88: return accentAbove(Accent::Circumflex, bottom);
    case 0x98: return accentAbove(Accent::Tilde, bottom);
    case 0xA8: return accentAbove(Accent::Diaeresis, bottom);
    case 0xAF: return accentAbove(Accent::Macron, bottom);
    case 0xB4: return accentAbove(Accent::Acute, bottom);
    case 0xB8: return accentAbove(Accent::Cedilla, bottom);
    default: return {};
    }
}

}  // namespace velmora::fontgen
