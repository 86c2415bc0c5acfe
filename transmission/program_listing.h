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
// reads exactly the lines the machine will receive. Only where each row lies
// is worked out here; a row's text is taken when it is shown.
class ProgramListing {
public:
    ProgramListing() = default;
    explicit ProgramListing(std::string listing);
    // The rows of a program just written, from where the writer started
    // each line: the same rows as its file's listing, found without a look
    // at its bytes.
    explicit ProgramListing(WrittenProgram program);

    std::size_t rowCount() const { return rowStarts_.size(); }
    std::string_view row(std::size_t index) const;  // Windows-1252 bytes
    // The index of a row with the most characters (one byte each); 0 when
    // there is no row.
    std::size_t longestRow() const { return longestRow_; }

private:
    std::size_t rowEnd(std::size_t index) const;

    std::string bytes_;
    // Where each row starts; it ends before the line end that comes before
    // the next row's start (or the end of the bytes). Four bytes a row: a
    // program file is at most kProgramFileLimit long.
    std::vector<std::uint32_t> rowStarts_;
    std::size_t longestRow_ = 0;
};

}  // namespace velmora
