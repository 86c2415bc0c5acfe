#include "program_interpreter.h"

#include "common/fields.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace velmora::simulation {
namespace {

struct Word {
    char letter = 0;
    std::optional<double> value;
};

// What one line asks for, once its words are read and checked.
struct LineRequest {
    std::optional<MoveKind> motion;
    std::optional<bool> incremental;
    bool retract = false;  // G52
    std::optional<double> x, y, z, i, j;
    bool hasZWord = false;
};

struct LineError {
    StopCause cause;
    std::string reason;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string shown(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F)
        return std::string("'") + c + "'";
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

bool isKnownLetter(char c)
{
    switch (c) {
    case 'G': case 'X': case 'Y': case 'Z': case 'I': case 'J':
    case 'F': case 'S': case 'M': case 'T': case 'D': case '%':
        return true;
    default:
        return false;
    }
}

// Reads the number that starts at `pos`: an optional sign, digits with at
// most one point, at least one digit. Leaves `pos` after it. Nothing when no
// number starts there; an error when one starts but is not well formed.
std::optional<double> readNumber(std::string_view line, std::size_t& pos, std::optional<LineError>& error,
                                 char letter)
{
    const std::size_t begin = pos;
    std::size_t at = pos;
    if (at < line.size() && (line[at] == '-' || line[at] == '+'))
        ++at;
    bool digits = false, point = false;
    while (at < line.size() && (isDigit(line[at]) || (line[at] == '.' && !point))) {
        point = point || line[at] == '.';
        digits = digits || isDigit(line[at]);
        ++at;
    }
    if (at == begin)
        return std::nullopt;
    const bool runsOn = at < line.size() && (line[at] == '.' || line[at] == '+' || line[at] == '-');
    if (!digits || runsOn) {
        error = LineError{StopCause::MalformedNumber, "malformed number after " + shown(letter)};
        return std::nullopt;
    }
    std::size_t from = begin;
    if (line[from] == '+')
        ++from;
    double value = 0;
    const auto result = std::from_chars(line.data() + from, line.data() + at, value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        error = LineError{StopCause::MalformedNumber, "malformed number after " + shown(letter)};
        return std::nullopt;
    }
    pos = at;
    return value;
}

// Splits a line into letter-number words. Blanks between words are allowed;
// a "$" opens a comment and a "%" the program number only at the start of
// the line.
std::optional<LineError> readWords(std::string_view line, std::vector<Word>& words)
{
    std::size_t pos = 0;
    while (pos < line.size()) {
        const char c = line[pos];
        if (isBlank(c)) {
            ++pos;
            continue;
        }
        if (c == '$' && words.empty())
            return std::nullopt;
        if (!isKnownLetter(c) || (c == '%' && !words.empty()))
            return LineError{StopCause::UnknownWord, "unknown word " + shown(c)};
        ++pos;
        std::optional<LineError> error;
        const auto value = readNumber(line, pos, error, c);
        if (error)
            return error;
        words.push_back({c, value});
    }
    return std::nullopt;
}

bool isWhole(double v) { return v == std::floor(v); }

bool withinReach(double v) { return std::abs(v) <= kReachMillimetres; }

std::optional<LineError> applyGWord(double code, LineRequest& request)
{
    // The codes the system writes are small whole numbers; anything else is
    // refused before it is turned into one.
    if (!isWhole(code) || code < 0 || code > 999)
        return LineError{StopCause::UnsupportedCode, "G code that is not a small whole number"};
    auto setMotion = [&](MoveKind kind) -> std::optional<LineError> {
        if (request.motion)
            return LineError{StopCause::ConflictingWords, "two motion codes on one line"};
        request.motion = kind;
        return std::nullopt;
    };
    auto setDistance = [&](bool incremental) -> std::optional<LineError> {
        if (request.incremental)
            return LineError{StopCause::ConflictingWords, "G90 and G91 on one line"};
        request.incremental = incremental;
        return std::nullopt;
    };
    switch (static_cast<int>(code)) {
    case 0: return setMotion(MoveKind::Rapid);
    case 1: return setMotion(MoveKind::Line);
    case 2: return setMotion(MoveKind::ClockwiseArc);
    case 3: return setMotion(MoveKind::CounterClockwiseArc);
    case 90: return setDistance(false);
    case 91: return setDistance(true);
    case 52: request.retract = true; return std::nullopt;
    case 17: case 40: case 80: return std::nullopt;  // XY plane, no radius correction, no cycle
    default:
        return LineError{StopCause::UnsupportedCode,
                         "G" + std::to_string(static_cast<int>(code)) + " is not a code this system writes"};
    }
}

std::optional<LineError> setAxis(std::optional<double>& slot, const Word& word)
{
    if (slot)
        return LineError{StopCause::ConflictingWords, shown(word.letter) + " twice on one line"};
    slot = word.value;
    return std::nullopt;
}

std::optional<LineError> buildRequest(const std::vector<Word>& words, LineRequest& request)
{
    for (const Word& word : words)
        if (word.letter == 'G' && word.value)
            if (auto error = applyGWord(*word.value, request))
                return error;
    for (const Word& word : words) {
        const bool valueOptional = word.letter == '%' || (word.letter == 'Z' && request.retract);
        if (!word.value && !valueOptional)
            return LineError{StopCause::MissingValue, shown(word.letter) + " without a value"};
        std::optional<LineError> error;
        switch (word.letter) {
        case 'X': error = setAxis(request.x, word); break;
        case 'Y': error = setAxis(request.y, word); break;
        case 'I': error = setAxis(request.i, word); break;
        case 'J': error = setAxis(request.j, word); break;
        case 'Z':
            if (request.hasZWord)
                return LineError{StopCause::ConflictingWords, "'Z' twice on one line"};
            request.hasZWord = true;
            request.z = word.value;
            break;
        default: break;  // G handled above; %, F, S, M, T, D move nothing
        }
        if (error)
            return error;
    }
    return std::nullopt;
}

class Machine {
public:
    explicit Machine(const InterpreterOptions& options) : options_(options), position_(options.start) {}

    using Moves = MoveVisitor;

    std::optional<LineError> run(const LineRequest& request, int lineNumber, const Moves& moves)
    {
        if (request.incremental)
            incremental_ = *request.incremental;
        if (request.motion) {
            motion_ = *request.motion;
            hasMotion_ = true;
        }
        if (request.retract)
            return retract(request, lineNumber, moves);
        if (!request.x && !request.y && !request.hasZWord && !request.i && !request.j)
            return std::nullopt;
        if (!hasMotion_)
            return LineError{StopCause::MissingMotionMode, "coordinates before any motion code"};
        return move(request, lineNumber, moves);
    }

    Point position() const { return position_; }
    bool incremental() const { return incremental_; }

private:
    std::optional<LineError> retract(const LineRequest& request, int lineNumber, const Moves& moves)
    {
        if (request.x || request.y || request.i || request.j || !request.hasZWord)
            return LineError{StopCause::ConflictingWords, "G52 retract takes Z alone"};
        if (request.z)
            return LineError{StopCause::ConflictingWords, "G52 retract takes Z without a value"};
        Move m = startMove(MoveKind::Rapid, lineNumber);
        m.end.z = options_.safeZ;
        m.toSafeHeight = true;
        return commit(m, moves);
    }

    double target(double current, const std::optional<double>& word) const
    {
        if (!word)
            return current;
        return incremental_ ? current + *word : *word;
    }

    std::optional<LineError> move(const LineRequest& request, int lineNumber, const Moves& moves)
    {
        Move m = startMove(motion_, lineNumber);
        m.end = {target(position_.x, request.x), target(position_.y, request.y), target(position_.z, request.z)};
        if (!withinReach(m.end.x) || !withinReach(m.end.y) || !withinReach(m.end.z))
            return LineError{StopCause::OutOfReach, "end point out of the machine's reach"};
        if (!m.isArc()) {
            if (request.i || request.j)
                return LineError{StopCause::ConflictingWords, "I or J on a straight move"};
            return commit(m, moves);
        }
        m.centreX = position_.x + request.i.value_or(0);
        m.centreY = position_.y + request.j.value_or(0);
        if (!withinReach(m.centreX) || !withinReach(m.centreY))
            return LineError{StopCause::OutOfReach, "arc centre out of the machine's reach"};
        const double r0 = arcRadius(m);
        if (r0 < 1e-9)
            return LineError{StopCause::BadArc, "arc without a radius"};
        const double r1 = std::hypot(m.end.x - m.centreX, m.end.y - m.centreY);
        if (std::abs(r1 - r0) > options_.arcTolerance) {
            char text[96];
            std::snprintf(text, sizeof text, "arc end point %.4g mm off its circle", std::abs(r1 - r0));
            return LineError{StopCause::BadArc, text};
        }
        return commit(m, moves);
    }

    Move startMove(MoveKind kind, int lineNumber) const
    {
        Move m;
        m.kind = kind;
        m.start = position_;
        m.end = position_;
        m.sourceLine = lineNumber;
        m.incremental = incremental_;
        return m;
    }

    std::optional<LineError> commit(const Move& m, const Moves& moves)
    {
        position_ = m.end;
        stopped_ = !moves(m);
        return std::nullopt;
    }

public:
    bool stopped() const { return stopped_; }

private:

    InterpreterOptions options_;
    Point position_;
    bool incremental_ = false;
    MoveKind motion_ = MoveKind::Rapid;
    bool hasMotion_ = false;  // no motion code read yet
    bool stopped_ = false;    // the visitor wants no more moves
};

}  // namespace

Interpretation interpretProgram(std::string_view program, const InterpreterOptions& options,
                                const MoveVisitor& visit)
{
    Interpretation result;
    Machine machine(options);
    std::vector<Word> words;  // one line's words, kept to spare an allocation per line
    int lineNumber = 0;
    forEachLine(program, [&](LineSpan span) {
        ++lineNumber;
        const std::string_view line = program.substr(span.begin, span.length);
        words.clear();
        LineRequest request;
        std::optional<LineError> error = readWords(line, words);
        if (!error)
            error = buildRequest(words, request);
        if (!error)
            error = machine.run(request, lineNumber, visit);
        if (error)
            result.stop = InterpretationStop{lineNumber, error->cause, error->reason};
        return !error && !machine.stopped();
    });
    result.end = machine.position();
    result.incrementalAtEnd = machine.incremental();
    return result;
}

Interpretation interpretProgram(std::string_view program, const InterpreterOptions& options)
{
    std::vector<Move> moves;
    Interpretation result = interpretProgram(program, options, [&moves](const Move& move) {
        moves.push_back(move);
        return true;
    });
    result.moves = std::move(moves);
    return result;
}

}  // namespace velmora::simulation
