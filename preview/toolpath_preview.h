#pragma once
// What the preview knows of a program before it is drawn: the tool moves the
// interpreter reads from it, where the cuts lie, how long the paths are, and
// where the plate lies around the program's origin.

#include "layout/block_layout.h"
#include "simulation/program_interpreter.h"
#include "simulation/program_measures.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::preview {

// The rate the estimate gives rapid moves, mm/min. Workshop machines of this
// kind travel faster; the low figure keeps the estimate on the long side.
inline constexpr double kRapidRate = 3000;

struct Range {
    double low = 0;
    double high = 0;
};

// The plate's edges where the program knows them: on an axis the block is
// centred on, the plate runs from the origin corner over posX (or posY). On a
// free axis posX and posY place the block, not the plate, so that axis has no
// edges.
struct PlateExtent {
    std::optional<Range> x;
    std::optional<Range> y;
};

PlateExtent plateExtent(Placement placement, Corner corner, double posX, double posY);

// What the window showed when the program was loaded.
struct PreviewSettings {
    Placement placement = Placement::None;
    Corner corner = Corner::None;
    double posX = 0;
    double posY = 0;
    double feed = 0;  // mm/min, the value of Avance3
};

struct ToolpathPreview {
    simulation::Interpretation interpretation;  // the moves up to a line it could not read
    simulation::Bounds cuts;                     // the text block as cut
    simulation::PathLengths lengths;
    std::string stopLineText;  // the line the reading stopped at, as written in the program
};

// Never fails: a program it cannot follow to its end keeps what was read.
ToolpathPreview previewProgram(std::string_view program);

// Cutting at the feed and rapid moves at `rapidRate`, with no time for
// acceleration, tool change or spindle start. Nothing when the feed is not a
// positive number.
std::optional<double> machiningSeconds(const simulation::PathLengths& lengths, double feed,
                                       double rapidRate = kRapidRate);

// The whole file, its last line end included; nothing when it is missing,
// cannot be read, is no regular file or is larger than any program.
std::optional<std::string> readProgramFile(const std::filesystem::path& file);

}  // namespace velmora::preview
