#include "glyph_cache.h"

#include "program_writer.h"

namespace velmora {

GlyphCache::GlyphCache(std::filesystem::path glyphFolder, float charWidth)
    : glyphFolder_(std::move(glyphFolder)), words_(charWidth)
{
}

GlyphCopy GlyphCache::copyGlyph(std::uint8_t code, ProgramWriter& writer)
{
    std::optional<TransformedGlyph>& glyph = glyphs_[code];
    if (!glyph)
        glyph = loadGlyph(glyphFolder_, code, words_);
    if (glyph->status == GlyphStatus::Copied)
        writer.writeGlyphLines(glyph->programLines);
    return {glyph->status, glyph->error};
}

}  // namespace velmora
