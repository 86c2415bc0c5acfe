#pragma once
// The glyph files kept from one construction to the next. A construction
// takes each glyph from here: the file is read again only when it has changed
// since it was kept (another size, modification time or file), so an edited
// font is seen at the next construction, and transformed again only when the
// character size has changed. Within one construction each file is looked at
// once, however often its character comes back.

#include "glyph_file.h"
#include "program_writer.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace velmora {

class GlyphCache {
public:
    GlyphCache() = default;
    ~GlyphCache();
    GlyphCache(const GlyphCache&) = delete;
    GlyphCache& operator=(const GlyphCache&) = delete;

    // Starts a construction whose glyphs come from `glyphFolder` at
    // `charWidth`. With `trustKept`, a glyph kept from before (and not changed
    // lately) is copied without a look at its file first; before the program
    // takes the place of the old one, keptGlyphsCurrent must say that every
    // such file is still the one kept. Without it, each file is looked at
    // before its glyph is first copied.
    void startConstruction(std::filesystem::path glyphFolder, float charWidth, bool trustKept = false);

    // Starts looking at the files of the glyphs copied on trust, on a thread
    // of its own: the program is meanwhile forced to the disk, which leaves
    // the processor idle.
    void startCheckingKept();
    // Whether every file of a glyph copied on trust still is the one kept
    // (waiting for the look, or looking now). If not, the program must be
    // made again without trust, which reads the changed files afresh.
    bool keptGlyphsCurrent();

    // Appends the transformed glyph of `code` to the program: the same bytes
    // as reading and transforming its file afresh. Nothing when it is missing
    // or unreadable, with the reason in the result.
    Result<void> copyGlyph(std::uint8_t code, ProgramWriter& writer)
    {
        // Already looked at and transformed in this construction: the
        // common case, once per character.
        const std::optional<KeptGlyph>& kept = glyphs_[code];
        if (kept && kept->lookedAt && kept->transformed) {
            writer.writeGlyphLines(kept->programLines);
            return {};
        }
        return lookAndCopyGlyph(code, writer);
    }

private:
    // What tells one state of a file from another.
    struct FileStamp {
        long long size = -1;
        long long modifiedNanoseconds = 0;
        unsigned long long device = 0, inode = 0;
        bool operator==(const FileStamp& other) const;
    };
    struct KeptGlyph {
        FileStamp stamp;
        std::string fileBytes;
        ProgramLines programLines;  // fileBytes transformed at charWidth_
        bool transformed = false;
        bool lookedAt = false;  // in this construction
        // Changed too shortly before it was read: the file system's clock
        // may give a change made right after the reading the same time, so
        // the file is read again at every construction until it has aged.
        bool recent = false;
    };

    std::optional<FileStamp> stampOf(std::uint8_t code) const;
    Result<void> lookAndCopyGlyph(std::uint8_t code, ProgramWriter& writer);
    void checkTrusted();

    // A glyph copied on trust, its stamp when kept, and whether its file
    // still has that stamp: the checker's alone while it runs.
    struct TrustedGlyph {
        std::uint8_t code = 0;
        FileStamp stamp;
        bool current = false;
    };
    std::vector<TrustedGlyph> trusted_;
    bool trustedChecked_ = false;
    std::thread checker_;

    std::filesystem::path glyphFolder_;
    // The glyph folder, open for this construction where the system allows
    // it: each file is then looked up in it by name alone.
    int folderDescriptor_ = -1;
    float charWidth_ = 0;
    std::optional<GlyphWordTexts> words_;
    std::array<std::optional<KeptGlyph>, 256> glyphs_;
};

}  // namespace velmora
