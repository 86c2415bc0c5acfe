#pragma once
// Reads a program of this system (the program file, or a glyph file placed at
// a character's origin) and turns it into the moves the machine would make.
// It understands what the system writes and nothing more: a word it does not
// know stops the reading at that line, so that a check built on it never
// passes over something it cannot vouch for.

#include "moves.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::simulation {

// No machine this system drives reaches further than this from the program's
// origin, mm, on any axis; a point beyond it (an end point, an arc's centre)
// is a damaged or hand-made program, and the arithmetic of the lengths and
// durations stays finite.
inline constexpr double kReachMillimetres = 10000;

struct InterpreterOptions {
    // Height the retract line "G0G52Z" brings the tool to. The machine's own
    // value is not in the program; any height well above the work will do for
    // checks and drawings.
    double safeZ = 50;
    // Where the tool stands before the first move.
    Point start{0, 0, 50};
    // Largest difference allowed between an arc's start and end radius, mm.
    double arcTolerance = 0.01;
};

enum class StopCause {
    UnknownWord,         // a character or letter the system never writes
    MalformedNumber,     // "X-", "X1.2.3", ...
    MissingValue,        // a letter that needs a number and has none
    UnsupportedCode,     // a G code outside those the system writes
    ConflictingWords,    // two words on one line that contradict each other
    MissingMotionMode,   // coordinates before any G0, G1, G2 or G3
    BadArc,              // no radius, or an end point off the arc's circle
    OutOfReach           // a point further than kReachMillimetres from the origin
};

struct InterpretationStop {
    int line = 0;  // 1-based
    StopCause cause = StopCause::UnknownWord;
    std::string reason;
};

struct Interpretation {
    std::vector<Move> moves;                 // every move read, up to a stop
    std::optional<InterpretationStop> stop;  // set when a line could not be read
    Point end;                               // where the tool stands at the end
    bool incrementalAtEnd = false;           // distance mode left in force

    bool ok() const { return !stop; }
};

// Never throws: a line it cannot read ends the interpretation, which keeps the
// moves of the lines before it.
Interpretation interpretProgram(std::string_view program, const InterpreterOptions& options = {});

// The same reading, handing every move to `visit` as it is read rather than
// keeping it, for a program whose moves are too many to hold. `visit` returns
// false to stop the reading there; the result then has no stop and `end` is
// where the last move visited left the tool. The moves of the result stay
// empty.
using MoveVisitor = std::function<bool(const Move&)>;
Interpretation interpretProgram(std::string_view program, const InterpreterOptions& options,
                                const MoveVisitor& visit);

}  // namespace velmora::simulation
