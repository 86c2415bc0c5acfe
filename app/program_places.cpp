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

std::filesystem::path glyphFolderFor(const std::filesystem::path& workFolder,
                                     const std::filesystem::path& programFolder)
{
    const std::filesystem::path own = workFolder / kGlyphFolderName;
    if (isFolder(own))
        return own;
    const std::filesystem::path installed = programFolder / kGlyphFolderName;
    if (isFolder(installed))
        return installed;
    return own;
}

ProgramPlaces workingDirectoryPlaces(const std::filesystem::path& programFolder)
{
    // Absolute, so that a failure message names the folder in full.
    std::error_code failed;
    std::filesystem::path workFolder = std::filesystem::current_path(failed);
    if (failed)
        workFolder = ".";
    std::filesystem::path glyphFolder = glyphFolderFor(workFolder, programFolder);
    return {workFolder, std::move(glyphFolder), {workFolder, programFolder}};
}

}  // namespace velmora
