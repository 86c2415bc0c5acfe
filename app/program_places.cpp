#include "program_places.h"

#include <system_error>

namespace velmora {
namespace {

bool isFolder(const std::filesystem::path& path)
{
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

}  // namespace

std::vector<std::filesystem::path> glyphFolderPlaces(const std::filesystem::path& workFolder,
                                                     const std::filesystem::path& programFolder)
{
    // Normalised, so that a message names /usr/share/velmora/Data rather
    // than /usr/bin/../share/velmora/Data.
    return {
        workFolder / kGlyphFolderName,
        programFolder / kGlyphFolderName,
        (programFolder / ".." / "share" / "velmora" / kGlyphFolderName).lexically_normal(),
    };
}

std::filesystem::path glyphFolderFor(const std::filesystem::path& workFolder,
                                     const std::filesystem::path& programFolder)
{
    const std::vector<std::filesystem::path> places = glyphFolderPlaces(workFolder, programFolder);
    for (const std::filesystem::path& place : places) {
        if (isFolder(place))
            return place;
    }
    return places.front();
}

ProgramPlaces programPlaces(const std::filesystem::path& workFolder, const std::filesystem::path& programFolder)
{
    std::filesystem::path glyphFolder = glyphFolderFor(workFolder, programFolder);
    std::vector<std::filesystem::path> searched;
    for (const std::filesystem::path& place : glyphFolderPlaces(workFolder, programFolder))
        searched.push_back(place.parent_path());
    return {workFolder, std::move(glyphFolder), std::move(searched)};
}

ProgramPlaces workingDirectoryPlaces(const std::filesystem::path& programFolder)
{
    // Absolute, so that a failure message names the folder in full.
    std::error_code failed;
    std::filesystem::path workFolder = std::filesystem::current_path(failed);
    if (failed)
        workFolder = ".";
    return programPlaces(workFolder, programFolder);
}

}  // namespace velmora
