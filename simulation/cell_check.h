#pragma once
// Checks a whole program against the character cells it is meant to engrave:
// each character's ink stays in its own cell, the tool never travels through
// the work, and each character leaves the tool where the next one expects it.

#include "program_interpreter.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::simulation {

// A character cell: its origin is the left end of the cell at the base of the
// line, where the program brings the tool before copying the glyph.
struct Cell {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// The cell of a character `charWidth` wide: charWidth x charWidth * 7 / 4.
Cell cellAt(double x, double y, double charWidth);

struct CellCheckOptions {
    InterpreterOptions interpreter;
    double workTopZ = 0;       // Z of the workpiece top
    double tolerance = 0.001;  // mm, for positions written with 7 digits
    // When set, every cut that moves in X or Y must run at this Z, and no cut
    // may go deeper.
    std::optional<double> engravingZ;
};

struct Violation {
    int line = 0;   // 1-based program line, 0 for the program as a whole
    int cell = -1;  // 0-based index into the cells, -1 when none applies
    std::string what;
};

// The cells are given in the order the program engraves them. A character's
// moves run from the rapid move that brings the tool, in absolute mode, to its
// cell origin, up to the next character's such move, the retract to the safe
// height, or the end of the program.
std::vector<Violation> checkProgramAgainstCells(std::string_view program, std::span<const Cell> cells,
                                                const CellCheckOptions& options = {});

// The same checks over moves already interpreted.
std::vector<Violation> checkMovesAgainstCells(const Interpretation& interpretation, std::span<const Cell> cells,
                                              const CellCheckOptions& options = {});

}  // namespace velmora::simulation
