#pragma once
// Writes the program file velmora.rub line by line, in the order the machine
// runs it: header, set-up block, one block per text line with the approach of
// every character, end block. Every line ends with CR LF, the last included.

#include "coordinate_text.h"
#include "engraving_job.h"
#include "common/replacement_file.h"
#include "common/whole_file.h"

#include <cstddef>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The date and time written in the program's header, day first as French
// operators read them: "06/12/2026" and "14:03:27". Nothing reads them back.
struct DateTimeTexts {
    std::string date;
    std::string time;
};

DateTimeTexts dateTimeTexts(const std::tm& localTime);
DateTimeTexts currentDateTimeTexts();

// The three machining lines of the set-up block. The display texts go in as
// the operator's boxes hold them: an empty feed box gives the bare word "F".
struct MachiningWords {
    std::string toolLine;     // "M6T3D3", or "T3D3" without the tool changer
    std::string spindleLine;  // "M3M8M40S2000", or "M3M40S2000" without coolant
    std::string feedLine;     // "F300"
};

MachiningWords machiningWords(const EngravingJob& job);

// A program as it was written to its file, with how many lines it has and
// which is the longest: what the listing shows after a construction, without
// reading the file back.
struct WrittenProgram {
    std::string bytes;  // the whole file
    std::size_t lineCount = 0;
    // The first line with the most bytes before its CR LF: where it starts
    // in `bytes`, and those bytes.
    std::size_t longestStart = 0;
    std::size_t longestLength = 0;
};

// Lines written many times (a glyph's), counted and their longest found once.
struct ProgramLines {
    std::string text;  // every line ended with CR LF
    std::size_t count = 0;
    std::size_t longestStart = 0;  // in text
    std::size_t longestLength = 0;
};
ProgramLines programLinesOf(std::string text);

class ProgramWriter {
public:
    // The program goes to velmora.rub in workFolder; the date and time are
    // given so that a whole file can be compared byte for byte.
    ProgramWriter(const std::filesystem::path& workFolder, DateTimeTexts stamp);

    // Starts creating the new program's file beside the current one, which
    // stays in place until writeEnd has finished. The file system does its
    // part while the program is being made; a failure to create the file
    // shows in error() once programFileCreated or a write has waited for it.
    void startProgramFile();
    bool programFileCreated();

    // A resume program names its starting point in a comment after the time
    // line; a whole program has no such line.
    void writeHeader(std::string_view programNumber, std::string_view resumeNote = {});
    void writeSetup(const MachiningWords& words);
    void writeLineBlock(int line, double startX, double baseY, double approachZ);
    void writeCharacterApproach(double startX, double baseY);
    // Transformed glyph lines.
    void writeGlyphLines(const ProgramLines& lines)
    {
        if (lines.count > 0 && lines.longestLength > longestLength_) {
            longestLength_ = lines.longestLength;
            longestStart_ = file_.size() + lines.longestStart;
        }
        lineCount_ += lines.count;
        file_.append(lines.text);
    }

    // Writes the end block and closes the file, complete on the disk; then
    // placeProgram puts it in place of velmora.rub. False, with error() set,
    // if any step since startProgramFile failed; the previous velmora.rub is
    // then untouched, as it is when the writer goes without placing it.
    [[nodiscard]] bool writeEnd();
    [[nodiscard]] bool placeProgram();

    // The first failure, if any. Once set, further writes are ignored.
    const std::optional<Failure>& error() const { return file_.error(); }

    // After placeProgram succeeded: the program as it now stands in velmora.rub.
    WrittenProgram takeProgram();

private:
    void writeLine(std::string_view line);
    // A line already ended with CR LF.
    void writeEndedLine(std::string_view line);
    void writeMove(double x, double y);

    void countLine(std::size_t start, std::size_t length);

    ReplacementFile file_;
    DateTimeTexts stamp_;
    std::size_t lineCount_ = 0;
    std::size_t longestStart_ = 0;
    std::size_t longestLength_ = 0;
    // The Y of the last rapid move and its text: every character of a text
    // line goes to the same Y, so its text is formatted once per line.
    double lastY_ = 0;
    char lastYText_[kCoordinateTextRoom] = {};
    std::size_t lastYSize_ = 0;  // none yet
};

}  // namespace velmora
