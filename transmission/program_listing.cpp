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

ProgramListing::ProgramListing(std::string listing) : bytes_(std::move(listing))
{
    forEachLine(bytes_, [this](LineSpan line) {
        if (!rows_.empty() && line.length > rows_[longestRow_].length)
            longestRow_ = rows_.size();
        rows_.push_back(line);
    });
}

std::string_view ProgramListing::row(std::size_t index) const
{
    const LineSpan& at = rows_.at(index);
    return std::string_view(bytes_).substr(at.begin, at.length);
}

}  // namespace velmora
