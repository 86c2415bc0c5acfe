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
#include <vector>

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
    double feed = 0;       // mm/min, the value of Avance3
    double workTopZ = 0;   // the work's top, the value of Posz3
};

// The height the retract "G0G52Z" reaches is the machine's, not the
// program's. The preview takes 50 mm, or more when the work's top stands so
// high that 50 mm would not clear it by kRetractClearance.
inline constexpr double kDefaultRetractZ = 50;
inline constexpr double kRetractClearance = 10;
double assumedRetractZ(double workTopZ);

// The preview keeps the moves in the plane as they are written, lines and
// arcs, not as points: a drawing traces them at the detail its zoom needs.
// Coordinates are millimetres in single precision, a thousandth of a
// millimetre at ten metres, finer than any zoom shows.
struct PathElement {
    float x = 0, y = 0;              // where the move ends
    float centreX = 0, centreY = 0;  // arcs only
    float sweep = 0;                 // radians, positive counterclockwise; 0 for a straight move
};

// A piece of a path: a start point and the moves that follow it without a
// break, with the area they cover. A long path is cut into pieces so that a
// drawing skips those out of view; a piece that goes on where the one before
// it ended says so.
struct PathPiece {
    float startX = 0, startY = 0;
    bool continuesPrevious = false;
    simulation::Bounds area;  // X and Y only
    std::vector<PathElement> elements;
};

struct ToolPaths {
    std::vector<PathPiece> cuts;    // G1, G2, G3 in the plane
    std::vector<PathPiece> rapids;  // G0 in the plane; plunges and lifts have no trace
    std::size_t elementCount = 0;
};

// The preview keeps at most this many moves (20 bytes each): a program with
// more is drawn up to there and says so.
inline constexpr std::size_t kMostTracedMoves = 5'000'000;

struct ToolpathPreview {
    std::optional<simulation::InterpretationStop> stop;  // the line the reading stopped at
    std::string stopLineText;  // that line, as written in the program
    int lastLineRead = 0;      // when the preview stopped at kMostTracedMoves
    bool tooManyMoves = false;
    double retractZ = kDefaultRetractZ;
    simulation::Bounds cuts;  // the text block as cut
    simulation::PathLengths lengths;
    ToolPaths paths;

    bool complete() const { return !stop && !tooManyMoves; }
};

// Never fails: a program it cannot follow to its end keeps what was read.
// The lengths start and end at the assumed retract height.
ToolpathPreview previewProgram(std::string_view program, double workTopZ = 0);

// Cutting at the feed and rapid moves at `rapidRate`, with no time for
// acceleration, tool change or spindle start. Nothing when the feed is not a
// positive number.
std::optional<double> machiningSeconds(const simulation::PathLengths& lengths, double feed,
                                       double rapidRate = kRapidRate);

}  // namespace velmora::preview
