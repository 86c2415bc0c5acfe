#include "glyph_cache.h"

#include "program_writer.h"

#include <sys/stat.h>
#include <time.h>

namespace velmora {
namespace {

// File times are taken from a coarse clock (a few milliseconds); a margin of
// seconds also covers a file system that keeps whole seconds.
constexpr time_t kSettledSeconds = 3;

bool changedLately(const std::timespec& modified)
{
    std::timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec - modified.tv_sec < kSettledSeconds;
}

}  // namespace

bool GlyphCache::FileStamp::operator==(const FileStamp& other) const
{
    return size == other.size && modified.tv_sec == other.modified.tv_sec
        && modified.tv_nsec == other.modified.tv_nsec && device == other.device && inode == other.inode;
}

std::optional<GlyphCache::FileStamp> GlyphCache::stampOf(const std::filesystem::path& file)
{
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    FileStamp stamp;
    stamp.size = static_cast<long long>(status.st_size);
    stamp.modified = status.st_mtim;
    stamp.device = static_cast<unsigned long long>(status.st_dev);
    stamp.inode = static_cast<unsigned long long>(status.st_ino);
    return stamp;
}

void GlyphCache::startConstruction(std::filesystem::path glyphFolder, float charWidth)
{
    if (glyphFolder != glyphFolder_)
        glyphs_ = {};
    const bool resized = !words_ || charWidth != charWidth_;
    glyphFolder_ = std::move(glyphFolder);
    charWidth_ = charWidth;
    if (resized)
        words_.emplace(charWidth);
    for (std::optional<KeptGlyph>& glyph : glyphs_)
        if (glyph) {
            glyph->lookedAt = false;
            glyph->transformed = glyph->transformed && !resized;
        }
}

GlyphCopy GlyphCache::copyGlyph(std::uint8_t code, ProgramWriter& writer)
{
    std::optional<KeptGlyph>& kept = glyphs_[code];
    if (!kept || !kept->lookedAt) {
        // Stamped before the reading: a file changed while it is read has
        // another stamp at the next look, and is read again then.
        const std::optional<FileStamp> stamp = stampOf(glyphFolder_ / glyphFileName(code));
        if (!stamp || !kept || kept->recent || !(kept->stamp == *stamp)) {
            kept.reset();
            GlyphFileBytes file = readGlyphFile(glyphFolder_, code);
            if (file.status != GlyphStatus::Copied)
                return {file.status, std::move(file.error)};
            if (!stamp) {  // not a regular file: nothing to know it again by, so not kept
                writer.writeGlyphLines(transformGlyph(file.bytes, *words_));
                return {};
            }
            kept = KeptGlyph{*stamp, std::move(file.bytes), {}, false, false, changedLately(stamp->modified)};
        }
        kept->lookedAt = true;
    }
    if (!kept->transformed) {
        kept->programLines = transformGlyph(kept->fileBytes, *words_);
        kept->transformed = true;
    }
    writer.writeGlyphLines(kept->programLines);
    return {};
}

}  // namespace velmora
