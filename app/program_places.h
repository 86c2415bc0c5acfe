#pragma once
// Where a construction writes velmora.rub and finds the glyph files. The
// program works in its working directory; the glyph folder Data is taken from
// there when the working directory has one, otherwise from beside the
// program, where the build and the installation put the font. So the program
// works when started from a menu in any folder, and a workshop can still keep
// a font of its own in its working directory.

#include "construction/program_construction.h"

#include <filesystem>

namespace velmora {

inline constexpr const char* kGlyphFolderName = "Data";

// workFolder/Data when it is a folder, else programFolder/Data when that is
// one, else workFolder/Data (the construction then names the first character
// it cannot engrave).
std::filesystem::path glyphFolderFor(const std::filesystem::path& workFolder,
                                     const std::filesystem::path& programFolder);

// The working directory and its glyph folder, for the program in programFolder.
ProgramPlaces workingDirectoryPlaces(const std::filesystem::path& programFolder);

}  // namespace velmora
