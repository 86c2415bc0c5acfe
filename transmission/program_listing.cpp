#include "program_listing.h"

#include <array>
#include <fstream>

namespace velmora {

std::string readProgramListing(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    // istream::read turns a failing read (a folder in the file's place, a
    // device error) into a state bit rather than an exception.
    std::string bytes;
    std::array<char, 64 * 1024> chunk;
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0)
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return {};
    if (!bytes.empty())
        bytes.pop_back();
    return bytes;
}

std::string loadProgramListing(const std::filesystem::path& folder)
{
    return readProgramListing(folder / kProgramFileName);
}

}  // namespace velmora
