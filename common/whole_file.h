#pragma once
// The one way the program reads a file: the whole of it at once, and only if
// it is a regular file of a size that fits its job. The file is opened without
// blocking, so a FIFO or a device in a file's place is refused at once rather
// than waited on or read forever; nothing throws.

#include "failure.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace velmora {

// The program file, written by the construction in the working folder.
inline constexpr std::string_view kProgramFileName = "velmora.rub";

// The program file, read by the listing, the download and the preview. The
// largest program the window can build (5 lines of 32,767 characters of the
// supplied font's largest glyph, every number at seven digits) stays under
// 120 MiB; a file beyond this limit was not written by this program, and
// holding it whole would take the machine's memory.
inline constexpr std::size_t kProgramFileLimit = 256 * 1024 * 1024;

// Reads `path` to its end, or fails as FailureKind::Read with the system's
// cause (no_such_file_or_directory: there is no such file) or a
// FileRefusal. A file larger than `maxBytes` is refused as
// FileRefusal::TooLarge without being read beyond that size.
Result<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

// Whether a failure is the file's absence.
inline bool isMissingFile(const Failure& failure)
{
    return failure.cause == std::errc::no_such_file_or_directory;
}

// The reading loop of readWholeFile, shared by the POSIX and the Windows
// side. `bytes` comes sized to the file's size as the system gave it; the
// file may grow while it is read, so reading goes on to the end, and one byte
// past `maxBytes` is enough to refuse it as FileRefusal::TooLarge.
// `readSome(into, wanted, cause)` reads at most `wanted` bytes and returns how
// many, 0 at the end of the file, or sets `cause` when the system fails.
// Returns the cause of a failure, with `bytes` emptied; `bytes` holds the file
// otherwise.
template <class ReadSome>
std::error_code readToEnd(std::string& bytes, std::size_t maxBytes, ReadSome readSome)
{
    // Room for the look past the end, so that it does not move the whole
    // file to a buffer twice as large.
    bytes.reserve((std::min)(maxBytes + 1, bytes.size() + 4096));
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size()) {
            if (done > maxBytes) {
                bytes.clear();
                return makeErrorCode(FileRefusal::TooLarge);
            }
            bytes.resize((std::min)(maxBytes + 1, done + 4096));  // (std::min): safe from windows.h's macro
        }
        std::error_code cause;
        const std::size_t got = readSome(bytes.data() + done, bytes.size() - done, cause);
        if (cause) {
            bytes.clear();
            return cause;
        }
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return {};
}

}  // namespace velmora
