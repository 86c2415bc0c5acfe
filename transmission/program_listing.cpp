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
