#pragma once
// A file written beside the one it replaces and put in its place only once it
// is complete and on the disk. A program cut short (missing glyph, full disk)
// must never take the place of a finished one: sent to the machine it would
// run without its end block, spindle still turning. The rename replaces the
// name itself: a symbolic link in the file's place is replaced, never written
// through, so nothing outside the folder is touched.

#include "failure.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace velmora {

class ReplacementFile {
public:
    explicit ReplacementFile(std::filesystem::path target);
    ~ReplacementFile();  // removes the temporary file unless it was committed
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary file in the target's folder, so that the final
    // rename never crosses file systems. It takes the permission bits of the
    // regular file it will replace. Temporary files of this target left by a
    // program that was killed (their process is gone) are removed first, the
    // first time this process replaces the target.
    bool open();

    // The same on a thread of its own, so that the file system's work runs
    // while the caller makes the content. What is appended meanwhile is kept
    // in memory; the first write waits for the file, and finishOpening
    // waits for it on demand and says whether it was created.
    void startOpening();
    bool finishOpening();

    // Kept whole in memory and written as it grows. Once a write has failed
    // every later append is ignored and error() keeps the first cause.
    void append(std::string_view bytes)
    {
        if (error_ || !opened_)
            return;
        content_.append(bytes);
        if (content_.size() - written_ >= kWriteThreshold)
            writePending();
    }
    std::size_t size() const { return content_.size(); }
    void reserve(std::size_t bytes) { content_.reserve(bytes); }

    // Writes what is buffered, forces it to the disk, closes the file and
    // renames it over the target. On failure the temporary file is removed and
    // the target is left as it was.
    bool commit() { return finish() && replace(); }
    // The same in two steps, for a caller with a last check to make between
    // them: the file complete on the disk, then in the target's place.
    bool finish();
    bool replace();

    // After a commit: the bytes now in the target, handed over (the caller
    // shows them without reading the file back).
    std::string takeContent() { return std::move(content_); }

    const std::optional<Failure>& error() const { return error_; }
    const std::filesystem::path& target() const { return target_; }

private:
    // Large enough that a whole program takes a few system calls, while the
    // disk gets the first of a long program before its end is made.
    static constexpr std::size_t kWriteThreshold = 1024 * 1024;

    // The temporary file as its creation left it: a descriptor and a name,
    // or the creation's error number.
    struct Creation {
        int fd = -1;
        std::filesystem::path temporary;
        int failure = 0;
    };
    static Creation createTemporary(const std::filesystem::path& target);

    bool writePending();
    bool fail(FailureKind kind, int errorNumber);
    void discard();

    std::filesystem::path target_;
    bool opened_ = false;  // open or startOpening was called
    std::thread opener_;
    Creation creation_;  // the opener's until it is joined
    std::filesystem::path temporary_;
    int fd_ = -1;
    std::string content_;
    std::size_t written_ = 0;  // the bytes of content_ already in the file
    std::optional<Failure> error_;
};

// "velmora.rub.<process>-<n>.tmp": the name of a temporary file of `target`,
// and the process that made one, if `name` is such a name.
std::string temporaryFileName(const std::filesystem::path& target, long process, int attempt);
std::optional<long> temporaryFileProcess(const std::filesystem::path& target, std::string_view name);

}  // namespace velmora
