#include "program_listing.h"

#include "common/whole_file.h"

#include <bit>
#include <cstring>

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

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7FULL;

// The high bit of every byte of `word` that is a CR or an LF, and no other.
std::uint64_t lineEndBytes(std::uint64_t word)
{
    const auto zeroBytes = [](std::uint64_t v) { return ~(((v & kLowSevenBits) + kLowSevenBits) | v | kLowSevenBits); };
    return zeroBytes(word ^ (kEveryByte * '\r')) | zeroBytes(word ^ (kEveryByte * '\n'));
}

// Calls `visit(position)` for every CR and LF of `bytes`, in order, looking
// at eight bytes at a time: a program line is a dozen bytes, so most words
// hold one line end, and a byte-by-byte scan or one search per line costs
// several times as much.
template <typename Visit>
void forEachLineEndByte(std::string_view bytes, Visit&& visit)
{
    std::size_t at = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; at + 8 <= bytes.size(); at += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + at, sizeof word);
            for (std::uint64_t ends = lineEndBytes(word); ends != 0; ends &= ends - 1)
                visit(at + static_cast<std::size_t>(std::countr_zero(ends)) / 8);
        }
    }
    for (; at < bytes.size(); ++at)
        if (bytes[at] == '\r' || bytes[at] == '\n')
            visit(at);
}

}  // namespace

// Rows are cut as forEachLine cuts them: a line ends at a CR or an LF, and an
// LF right after the CR that ended a line belongs to that line end.
ProgramListing::ProgramListing(std::string listing) : bytes_(std::move(listing))
{
    if (bytes_.empty())
        return;
    rowStarts_.reserve(bytes_.size() / 16);
    rowStarts_.push_back(0);
    std::size_t rowStart = 0;
    std::size_t longestLength = 0;
    std::size_t crlfAt = std::string::npos;  // where an LF would complete a CR LF
    forEachLineEndByte(bytes_, [&](std::size_t at) {
        if (at == crlfAt && bytes_[at] == '\n') {
            rowStarts_.back() = static_cast<std::uint32_t>(at + 1);
            rowStart = at + 1;
            return;
        }
        const std::size_t length = at - rowStart;
        if (length > longestLength) {
            longestLength = length;
            longestRow_ = rowStarts_.size() - 1;
        }
        crlfAt = bytes_[at] == '\r' ? at + 1 : std::string::npos;
        rowStarts_.push_back(static_cast<std::uint32_t>(at + 1));
        rowStart = at + 1;
    });
    // A text ending with a line end has no empty row after it.
    if (rowStart == bytes_.size())
        rowStarts_.pop_back();
    else if (bytes_.size() - rowStart > longestLength)
        longestRow_ = rowStarts_.size() - 1;
}

std::string_view ProgramListing::row(std::size_t index) const
{
    const std::size_t start = rowStarts_.at(index);
    std::size_t end = index + 1 < rowStarts_.size() ? rowStarts_[index + 1] : bytes_.size();
    // A row holds no CR or LF, so what ends it is "\r\n", "\n" or "\r".
    if (end > start && bytes_[end - 1] == '\n')
        --end;
    if (end > start && bytes_[end - 1] == '\r')
        --end;
    return std::string_view(bytes_).substr(start, end - start);
}

}  // namespace velmora
