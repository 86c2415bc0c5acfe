#include "program_listing.h"

#include "common/whole_file.h"

#include <bit>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace velmora {

std::string readProgramListing(const std::filesystem::path& file)
{
    Result<std::string> program = readWholeFile(file, kProgramFileLimit);
    if (!program.ok())
        return {};
    if (!program.value().empty())
        program.value().pop_back();
    return std::move(program.value());
}

namespace {

// Calls `visit(position)` for the last byte of every line end of `bytes`, in
// order: an LF, or a CR that no LF follows. A program line is a dozen bytes;
// looking at sixteen bytes at a time where the processor allows costs a few
// instructions a line, where a search per line end costs dozens.
template <typename Visit>
void forEachLineEnd(std::string_view bytes, Visit&& visit)
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
            visit(at + static_cast<std::size_t>(std::countr_zero(ends)));
    }
#endif
    for (; at < size; ++at)
        if (bytes[at] == '\n' || (bytes[at] == '\r' && (at + 1 == size || bytes[at + 1] != '\n')))
            visit(at);
}

}  // namespace

// Rows are cut as forEachLine cuts them: a line ends at a CR or an LF, and an
// LF right after the CR that ended a line belongs to that line end. The line
// ends are counted first, so that the row starts are written straight into
// their place.
ProgramListing::ProgramListing(std::string listing) : bytes_(std::move(listing))
{
    if (bytes_.empty())
        return;
    std::size_t lineEnds = 0;
    forEachLineEnd(bytes_, [&lineEnds](std::size_t) { ++lineEnds; });
    rowStarts_.resize(lineEnds + 1);
    std::uint32_t* next = rowStarts_.data() + 1;
    const std::uint32_t* const first = rowStarts_.data();
    const char* const data = bytes_.data();
    std::size_t longestLength = 0;
    forEachLineEnd(bytes_, [&](std::size_t at) {
        const std::size_t start = next[-1];
        // The row ends before its line end: "\n", "\r" or "\r\n".
        const bool crlf = data[at] == '\n' && at > start && data[at - 1] == '\r';
        const std::size_t length = at - start - (crlf ? 1 : 0);
        if (length > longestLength) {
            longestLength = length;
            longestRow_ = static_cast<std::size_t>(next - 1 - first);
        }
        *next++ = static_cast<std::uint32_t>(at + 1);
    });
    // A text ending with a line end has no empty row after it.
    if (rowStarts_.back() == bytes_.size())
        rowStarts_.pop_back();
    else if (bytes_.size() - rowStarts_.back() > longestLength)
        longestRow_ = rowStarts_.size() - 1;
}

// Every line of a written program ends with CR LF, which rowEnd leaves out.
ProgramListing::ProgramListing(WrittenProgram program)
    : bytes_(std::move(program.bytes)), rowStarts_(std::move(program.lineStarts)), longestRow_(program.longestLine)
{
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
