#pragma once
// The file side of the program listing: what the listing box shows of the
// program file left by the last construction.

#include "common/fields.h"
#include "common/whole_file.h"
#include "construction/program_writer.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The whole file but its last byte, which is the line feed that ends the last
// line, so the carriage return before it stays. A missing, unreadable or empty
// file gives an empty listing: before the first construction there is simply
// nothing to show, and a folder, a FIFO or a device in the file's place is
// not a program.
std::string readProgramListing(const std::filesystem::path& file);

// The listing cut into the rows the box shows, one program line per row, cut
// where the download cuts items' lines (CR LF, LF or a lone CR): the operator
// reads exactly the lines the machine will receive. The rows are counted and
// the longest found at once; where a row starts is looked for only when the
// row is asked for, so a long program costs the box only what it shows.
class ProgramListing {
public:
    ProgramListing() = default;
    explicit ProgramListing(std::string listing);
    // The rows of a program just written, counted by the writer: the same
    // rows as its file's listing.
    explicit ProgramListing(WrittenProgram program);

    std::size_t rowCount() const { return rowCount_; }
    std::string_view row(std::size_t index) const;  // Windows-1252 bytes
    // The first row with the most characters (one byte each); empty when
    // there is no row.
    std::string_view longestRow() const { return std::string_view(bytes_).substr(longestStart_, longestLength_); }

private:
    // Finds where rows start, from the last row found on, until `count` are
    // known (or all of them).
    void findRowStarts(std::size_t count) const;
    std::size_t rowEnd(std::size_t index) const;  // once the next row's start is found

    std::string bytes_;
    std::size_t rowCount_ = 0;
    std::size_t longestStart_ = 0;
    std::size_t longestLength_ = 0;
    // Where the rows found so far start; a row ends before the line end that
    // comes before the next row's start (or the end of the bytes). Four bytes
    // a row: a program file is at most kProgramFileLimit long.
    mutable std::vector<std::uint32_t> rowStarts_;
};

}  // namespace velmora
