#pragma once
// The one way the program reads a file: the whole of it at once, and only if
// it is a regular file of a size that fits its job. The file is opened without
// blocking, so a FIFO or a device in a file's place is refused at once rather
// than waited on or read forever; nothing throws.

#include "file_error.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>

namespace velmora {

// The program file, read by the listing, the download and the preview. The
// largest program the window can build (5 lines of 32,767 characters of the
// supplied font's largest glyph, every number at seven digits) stays under
// 120 MiB; a file beyond this limit was not written by this program, and
// holding it whole would take the machine's memory.
inline constexpr std::size_t kProgramFileLimit = 256 * 1024 * 1024;

struct WholeFile {
    std::string bytes;      // the file's bytes, when read
    std::error_code cause;  // why not: a system error, or a FileRefusal

    bool read() const { return !cause; }
    bool missing() const { return cause == std::errc::no_such_file_or_directory; }
};

// Reads `path` to its end. A file larger than `maxBytes` is refused as
// FileRefusal::TooLarge without being read beyond that size.
WholeFile readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace velmora
