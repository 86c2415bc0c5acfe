#include "program_listing.h"

#include <fstream>
#include <iterator>

namespace velmora {

std::string readProgramListing(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!bytes.empty())
        bytes.pop_back();
    return bytes;
}

std::string loadProgramListing(const std::filesystem::path& folder)
{
    return readProgramListing(folder / kProgramFileName);
}

}  // namespace velmora
