#include "program_listing.h"

#include "common/whole_file.h"

namespace velmora {

std::string readProgramListing(const std::filesystem::path& file)
{
    WholeFile program = readWholeFile(file, kProgramFileLimit);
    if (!program.bytes.empty())
        program.bytes.pop_back();
    return std::move(program.bytes);
}

std::string loadProgramListing(const std::filesystem::path& folder)
{
    return readProgramListing(folder / kProgramFileName);
}

}  // namespace velmora
