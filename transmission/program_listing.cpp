#include "program_listing.h"

#include "common/whole_file.h"

#include <bit>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace velmora {

std::string readProgramListing(const std::filesystem::path& file)
{
    WholeFile program = readWholeFile(file, kProgramFileLimit);
    if (!program.bytes.empty())
        program.bytes.pop_back();
    return std::move(program.bytes);
}

namespace {

// Appends to `rowStarts` the position after every line end of `bytes`, in
// order: after an LF, or after a CR that no LF follows. A program line is a
// dozen bytes; looking at sixteen bytes at a time where the processor allows
// costs a few instructions a line, where a search per line end costs dozens.
void appendRowStarts(std::string_view bytes, std::vector<std::uint32_t>& rowStarts)
{
    const std::size_t size = bytes.size();
    std::size_t at = 0;
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i carriageReturn = _mm_set1_epi8('\r');
    for (; at + 16 <= size; at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
        const auto lineFeeds = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeed)));
        auto returns = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, carriageReturn)));
        if ((lineFeeds | returns) == 0)
            continue;
        // A CR whose next byte is an LF ends nothing itself.
        returns &= ~(lineFeeds >> 1);
        if (at + 16 < size && bytes[at + 16] == '\n')
            returns &= ~(1u << 15);
        for (unsigned ends = lineFeeds | returns; ends != 0; ends &= ends - 1)
            rowStarts.push_back(static_cast<std::uint32_t>(at + static_cast<std::size_t>(std::countr_zero(ends)) + 1));
    }
#endif
    for (; at < size; ++at)
        if (bytes[at] == '\n' || (bytes[at] == '\r' && (at + 1 == size || bytes[at + 1] != '\n')))
            rowStarts.push_back(static_cast<std::uint32_t>(at + 1));
}

}  // namespace

// Rows are cut as forEachLine cuts them: a line ends at a CR or an LF, and an
// LF right after the CR that ended a line belongs to that line end.
ProgramListing::ProgramListing(std::string listing) : bytes_(std::move(listing))
{
    if (bytes_.empty())
        return;
    rowStarts_.reserve(bytes_.size() / 8);
    rowStarts_.push_back(0);
    appendRowStarts(bytes_, rowStarts_);
    // A text ending with a line end has no empty row after it.
    if (rowStarts_.back() == bytes_.size())
        rowStarts_.pop_back();
    std::size_t longestLength = 0;
    for (std::size_t index = 0; index < rowStarts_.size(); ++index) {
        const std::size_t length = rowEnd(index) - rowStarts_[index];
        if (length > longestLength) {
            longestLength = length;
            longestRow_ = index;
        }
    }
}

std::size_t ProgramListing::rowEnd(std::size_t index) const
{
    const std::size_t start = rowStarts_[index];
    std::size_t end = index + 1 < rowStarts_.size() ? rowStarts_[index + 1] : bytes_.size();
    // A row holds no CR or LF, so what ends it is "\r\n", "\n" or "\r".
    if (end > start && bytes_[end - 1] == '\n')
        --end;
    if (end > start && bytes_[end - 1] == '\r')
        --end;
    return end;
}

std::string_view ProgramListing::row(std::size_t index) const
{
    const std::size_t start = rowStarts_.at(index);
    return std::string_view(bytes_).substr(start, rowEnd(index) - start);
}

}  // namespace velmora
