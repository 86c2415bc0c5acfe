#pragma once
// The glyphs of one construction, each file read and transformed once however
// often its character comes back. A construction has one character size, so
// the cache holds that size and is keyed by the character code.

#include "glyph_file.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace velmora {

class GlyphCache {
public:
    GlyphCache(std::filesystem::path glyphFolder, float charWidth);

    // Same result and same bytes as copyGlyph, without reading the file again.
    GlyphCopy copyGlyph(std::uint8_t code, ProgramWriter& writer);

private:
    std::filesystem::path glyphFolder_;
    GlyphWordTexts words_;
    std::array<std::optional<TransformedGlyph>, 256> glyphs_;
};

}  // namespace velmora
