#pragma once
// The largest text an operator can ask for in practice: five full lines of
// French, set in the engraving font at its drawn size. Shared by the sections
// that time reading and drawing programs.

#include "simulation/glyph_proof.h"

namespace velmora::bench {

constexpr int kLines = 5;
constexpr int kCharactersPerLine = 60;

simulation::GlyphProof largestText();

}  // namespace velmora::bench
