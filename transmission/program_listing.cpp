#include "program_listing.h"

#include "common/whole_file.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

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
// order, while it returns true: an LF, or a CR that no LF follows. A program
// line is a dozen bytes; looking at sixteen bytes at a time where the
// processor allows costs a few instructions a line, where a search per line
// end costs dozens.
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
            if (!visit(at + static_cast<std::size_t>(std::countr_zero(ends))))
                return;
    }
#endif
    for (; at < size; ++at)
        if (bytes[at] == '\n' || (bytes[at] == '\r' && (at + 1 == size || bytes[at + 1] != '\n')))
            if (!visit(at))
                return;
}

}  // namespace

// Rows are cut as forEachLine cuts them: a line ends at a CR or an LF, and an
// LF right after the CR that ended a line belongs to that line end. One pass
// counts them and finds the longest; nothing is stored per row.
ProgramListing::ProgramListing(std::string listing) : bytes_(std::move(listing))
{
    const char* const data = bytes_.data();
    std::size_t start = 0;  // of the row whose end comes next
    const auto countRow = [this](std::size_t rowStart, std::size_t length) {
        ++rowCount_;
        if (length > longestLength_) {
            longestLength_ = length;
            longestStart_ = rowStart;
        }
    };
    forEachLineEnd(bytes_, [&](std::size_t at) {
        // The row ends before its line end: "\n", "\r" or "\r\n".
        const bool crlf = data[at] == '\n' && at > start && data[at - 1] == '\r';
        countRow(start, at - start - (crlf ? 1 : 0));
        start = at + 1;
        return true;
    });
    // A text ending with a line end has no empty row after it.
    if (start < bytes_.size())
        countRow(start, bytes_.size() - start);
}

ProgramListing::ProgramListing(WrittenProgram program)
    : bytes_(std::move(program.bytes)),
      rowCount_(program.lineCount),
      longestStart_(program.longestStart),
      longestLength_(program.longestLength)
{
}

void ProgramListing::findRowStarts(std::size_t count) const
{
    count = std::min(count, rowCount_);
    if (rowStarts_.size() >= count)
        return;
    if (rowStarts_.empty())
        rowStarts_.push_back(0);
    // The last row found is where the look goes on: its end is not known.
    const std::size_t from = rowStarts_.back();
    forEachLineEnd(std::string_view(bytes_).substr(from), [&](std::size_t at) {
        if (rowStarts_.size() >= count)
            return false;
        rowStarts_.push_back(static_cast<std::uint32_t>(from + at + 1));
        return true;
    });
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
    if (index >= rowCount_)
        throw std::out_of_range("no such row in the program listing");
    findRowStarts(index + 2);  // this row's start, and the next one's that ends it
    const std::size_t start = rowStarts_[index];
    return std::string_view(bytes_).substr(start, rowEnd(index) - start);
}

}  // namespace velmora
