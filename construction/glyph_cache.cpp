#include "glyph_cache.h"

#include "program_writer.h"

#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <system_error>

namespace velmora {
namespace {

// File times are taken from a coarse clock (a few milliseconds); a margin of
// seconds also covers a file system that keeps whole seconds.
constexpr long long kSettledNanoseconds = 3'000'000'000LL;

// Both sides count from the same epoch: the system clock's, as file times do.
bool changedLately(long long modifiedNanoseconds)
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() - modifiedNanoseconds
        < kSettledNanoseconds;
}

}  // namespace

bool GlyphCache::FileStamp::operator==(const FileStamp& other) const
{
    return size == other.size && modifiedNanoseconds == other.modifiedNanoseconds && device == other.device
        && inode == other.inode;
}

GlyphCache::~GlyphCache()
{
    if (checker_.joinable())
        checker_.join();
#ifndef _WIN32
    if (folderDescriptor_ >= 0)
        ::close(folderDescriptor_);
#endif
}

std::optional<GlyphCache::FileStamp> GlyphCache::stampOf(std::uint8_t code) const
{
    const std::string name = glyphFileName(code);
#ifdef _WIN32
    // Whole seconds only, and no inode: a change within the same second is
    // caught by the size, or by the "changed lately" rule.
    struct _stat64 status {};
    if (::_wstat64((glyphFolder_ / name).c_str(), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG)
        return std::nullopt;
    FileStamp stamp;
    stamp.modifiedNanoseconds = static_cast<long long>(status.st_mtime) * 1'000'000'000LL;
#else
    struct stat status {};
    const int looked = folderDescriptor_ >= 0 ? ::fstatat(folderDescriptor_, name.c_str(), &status, 0)
                                              : ::stat((glyphFolder_ / name).c_str(), &status);
    if (looked != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    FileStamp stamp;
    stamp.modifiedNanoseconds = static_cast<long long>(status.st_mtim.tv_sec) * 1'000'000'000LL
        + status.st_mtim.tv_nsec;
#endif
    stamp.size = static_cast<long long>(status.st_size);
    stamp.device = static_cast<unsigned long long>(status.st_dev);
    stamp.inode = static_cast<unsigned long long>(status.st_ino);
    return stamp;
}

void GlyphCache::startConstruction(std::filesystem::path glyphFolder, float charWidth, bool trustKept)
{
    if (checker_.joinable())  // a construction that stopped before asking
        checker_.join();
    trusted_.clear();
    trustedChecked_ = false;
    if (glyphFolder != glyphFolder_)
        glyphs_ = {};
    const bool resized = !words_ || charWidth != charWidth_;
    glyphFolder_ = std::move(glyphFolder);
    charWidth_ = charWidth;
#ifndef _WIN32
    // Opened again at each construction, so that a folder put in the place
    // of the old one is the one read. Without it, files are looked up by
    // their whole path.
    if (folderDescriptor_ >= 0)
        ::close(folderDescriptor_);
    folderDescriptor_ = ::open(glyphFolder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
    if (resized)
        words_.emplace(charWidth);
    for (std::size_t code = 0; code < glyphs_.size(); ++code) {
        std::optional<KeptGlyph>& glyph = glyphs_[code];
        if (!glyph)
            continue;
        glyph->transformed = glyph->transformed && !resized;
        glyph->lookedAt = trustKept && !glyph->recent;
        if (glyph->lookedAt)
            trusted_.push_back({static_cast<std::uint8_t>(code), glyph->stamp, false});
    }
}

// The stamps are compared apart from the kept glyphs: the construction may
// read or drop glyphs meanwhile, and neither side writes what the other reads.
void GlyphCache::checkTrusted()
{
    for (TrustedGlyph& glyph : trusted_) {
        const std::optional<FileStamp> stamp = stampOf(glyph.code);
        glyph.current = stamp && *stamp == glyph.stamp;
    }
}

void GlyphCache::startCheckingKept()
{
    if (trusted_.empty() || trustedChecked_ || checker_.joinable())
        return;
    try {
        checker_ = std::thread([this] { checkTrusted(); });
    } catch (const std::system_error&) {  // no thread to be had: looked at when asked
    }
}

bool GlyphCache::keptGlyphsCurrent()
{
    if (checker_.joinable())
        checker_.join();
    else if (!trustedChecked_)
        checkTrusted();
    trustedChecked_ = true;
    return std::all_of(trusted_.begin(), trusted_.end(), [](const TrustedGlyph& glyph) { return glyph.current; });
}

Result<void> GlyphCache::lookAndCopyGlyph(std::uint8_t code, ProgramWriter& writer)
{
    std::optional<KeptGlyph>& kept = glyphs_[code];
    if (!kept || !kept->lookedAt) {
        // Stamped before the reading: a file changed while it is read has
        // another stamp at the next look, and is read again then.
        const std::optional<FileStamp> stamp = stampOf(code);
        if (!stamp || !kept || kept->recent || !(kept->stamp == *stamp)) {
            kept.reset();
            Result<std::string> file = readGlyphFile(glyphFolder_, code);
            if (!file.ok())
                return file.failure();
            if (!stamp) {  // not a regular file: nothing to know it again by, so not kept
                writer.writeGlyphLines(programLinesOf(transformGlyph(file.value(), *words_)));
                return {};
            }
            kept = KeptGlyph{*stamp, std::move(file.value()), {}, false, false, changedLately(stamp->modifiedNanoseconds)};
        }
        kept->lookedAt = true;
    }
    if (!kept->transformed) {
        kept->programLines = programLinesOf(transformGlyph(kept->fileBytes, *words_));
        kept->transformed = true;
    }
    writer.writeGlyphLines(kept->programLines);
    return {};
}

}  // namespace velmora
