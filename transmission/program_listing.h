#pragma once
// The file side of the program listing: what the listing box shows of the
// program file left by the last construction.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

// The program file, in the working directory of the system.
inline constexpr std::string_view kProgramFileName = "velmora.rub";

// The whole file but its last byte, which is the line feed that ends the last
// line, so the carriage return before it stays. A missing, unreadable or empty
// file gives an empty listing: before the first construction there is simply
// nothing to show, and a folder, a FIFO or a device in the file's place is
// not a program.
std::string readProgramListing(const std::filesystem::path& file);

// readProgramListing of the program file in `folder`.
std::string loadProgramListing(const std::filesystem::path& folder);

}  // namespace velmora
