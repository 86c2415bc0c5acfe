#pragma once
// Where a construction writes velmora.rub and finds the glyph files. The
// program works in its working directory; the glyph folder Data is taken from
// there when the working directory has one, otherwise from beside the
// program (where the build puts the font), otherwise from the installed
// share/velmora/Data next to the program's bin folder. So the program works
// when started from a menu in any folder, and a workshop can still keep a
// font of its own in its working directory.

#include "construction/program_construction.h"

#include <filesystem>
#include <vector>

namespace velmora {

inline constexpr const char* kGlyphFolderName = "Data";

// The glyph folders looked for, in order: workFolder/Data,
// programFolder/Data, programFolder/../share/velmora/Data.
std::vector<std::filesystem::path> glyphFolderPlaces(const std::filesystem::path& workFolder,
                                                     const std::filesystem::path& programFolder);

// The first of glyphFolderPlaces that is a folder, else workFolder/Data (the
// construction then says that no font was found, and where it looked).
std::filesystem::path glyphFolderFor(const std::filesystem::path& workFolder,
                                     const std::filesystem::path& programFolder);

// workFolder, its glyph folder and the folders where that was looked for,
// for the program in programFolder.
ProgramPlaces programPlaces(const std::filesystem::path& workFolder, const std::filesystem::path& programFolder);

// The same for the working directory.
ProgramPlaces workingDirectoryPlaces(const std::filesystem::path& programFolder);

}  // namespace velmora
