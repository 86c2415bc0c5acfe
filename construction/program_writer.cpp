#include "program_writer.h"

#include "coordinate_text.h"

#include "common/numbers.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace velmora {

DateTimeTexts dateTimeTexts(const std::tm& t)
{
    // snprintf with numbers only, so the locale cannot change the form.
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "%02d/%02d/%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return {date, time};
}

DateTimeTexts currentDateTimeTexts()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    // The thread-safe local time of each system (same meaning, arguments swapped).
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return dateTimeTexts(local);
}

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kFrameLine = "$ *************";
constexpr std::string_view kSetupLine = "G0G17G40G80G90M5M9";
constexpr std::string_view kRetractLine = "G0G52Z";
constexpr std::string_view kStopLine = "M5M9";
constexpr std::string_view kEndLine = "M2";

// Room for a program of several thousand characters from the start (a line
// is a dozen bytes): pages not written cost nothing, and a program that grows
// in place is neither copied nor paged in twice.
constexpr std::size_t kReservedBytes = 4 * 1024 * 1024;

}  // namespace

MachiningWords machiningWords(const EngravingJob& job)
{
    MachiningWords words;
    words.toolLine = (job.toolChange ? "M6T" : "T") + job.toolText + "D" + job.correctorText;
    words.spindleLine = (job.coolant ? "M3M8M" : "M3M") + job.rangeText + "S" + job.spindleText;
    words.feedLine = "F" + job.feedText;
    return words;
}

ProgramWriter::ProgramWriter(const std::filesystem::path& workFolder, DateTimeTexts stamp)
    : file_(workFolder / kProgramFileName), stamp_(std::move(stamp))
{
    file_.reserve(kReservedBytes);
}

void ProgramWriter::startProgramFile() { file_.startOpening(); }

bool ProgramWriter::programFileCreated() { return file_.finishOpening(); }

void ProgramWriter::writeHeader(std::string_view programNumber, std::string_view resumeNote)
{
    writeLine(programNumber);
    writeLine(kFrameLine);
    writeLine("$ VELMORA");
    writeLine("$ VERSION 2.1");
    writeLine("$ RM.TOLK");
    writeLine(kFrameLine);
    writeLine("$ LE " + stamp_.date);
    writeLine("$ A " + stamp_.time);
    if (!resumeNote.empty())
        writeLine(resumeNote);
    writeLine(kFrameLine);
}

void ProgramWriter::writeSetup(const MachiningWords& words)
{
    writeLine(kSetupLine);
    writeLine(kRetractLine);
    writeLine(words.toolLine);
    writeLine(words.spindleLine);
    writeLine(words.feedLine);
}

void ProgramWriter::writeLineBlock(int line, double startX, double baseY, double approachZ)
{
    writeLine(kFrameLine);
    // numberText keeps its leading blank here: "$ LIGNE  1".
    writeLine("$ LIGNE " + numberText(static_cast<double>(line)));
    writeLine(kFrameLine);
    writeMove(startX, baseY);
    char approach[3 + kCoordinateTextRoom + kLineEnd.size()];
    char* end = std::copy_n("G0Z", 3, approach);
    end = writeCoordinateText(end, approachZ);
    end = std::copy(kLineEnd.begin(), kLineEnd.end(), end);
    writeEndedLine({approach, static_cast<std::size_t>(end - approach)});
}

void ProgramWriter::writeCharacterApproach(double startX, double baseY) { writeMove(startX, baseY); }

ProgramLines programLinesOf(std::string text)
{
    ProgramLines lines{std::move(text), 0, 0, 0};
    const std::string_view bytes = lines.text;
    for (std::size_t start = 0; start < bytes.size(); ++lines.count) {
        const std::size_t lineFeed = bytes.find('\n', start);
        const std::size_t next = lineFeed == std::string_view::npos ? bytes.size() : lineFeed + 1;
        const std::size_t length = next - start - std::min(next - start, kLineEnd.size());
        if (length > lines.longestLength) {
            lines.longestLength = length;
            lines.longestStart = start;
        }
        start = next;
    }
    return lines;
}

// A line of `length` bytes before its CR LF starts at `start` in the file.
void ProgramWriter::countLine(std::size_t start, std::size_t length)
{
    ++lineCount_;
    if (length > longestLength_) {
        longestLength_ = length;
        longestStart_ = start;
    }
}

bool ProgramWriter::writeEnd()
{
    writeLine(kRetractLine);
    writeLine(kStopLine);
    writeLine(kEndLine);
    return file_.finish();
}

bool ProgramWriter::placeProgram() { return file_.replace(); }

WrittenProgram ProgramWriter::takeProgram()
{
    return {file_.takeContent(), lineCount_, longestStart_, longestLength_};
}

void ProgramWriter::writeLine(std::string_view line)
{
    countLine(file_.size(), line.size());
    file_.append(line);
    file_.append(kLineEnd);
}

void ProgramWriter::writeEndedLine(std::string_view line)
{
    countLine(file_.size(), line.size() - kLineEnd.size());
    file_.append(line);
}

// A rapid move in X and Y: "G0X43Y-24". One per character, so it is put
// together in place and handed to the file in one piece.
void ProgramWriter::writeMove(double x, double y)
{
    // Compared bit for bit: the same double always has the same text.
    if (lastYSize_ == 0 || std::bit_cast<std::uint64_t>(y) != std::bit_cast<std::uint64_t>(lastY_)) {
        lastYSize_ = static_cast<std::size_t>(writeCoordinateText(lastYText_, y) - lastYText_);
        lastY_ = y;
    }
    char line[3 + 2 * kCoordinateTextRoom + 1 + kLineEnd.size()];
    char* end = std::copy_n("G0X", 3, line);
    end = writeCoordinateText(end, x);
    *end++ = 'Y';
    // The whole room copied, a fixed size the compiler does in two moves;
    // only the text's own bytes count.
    std::memcpy(end, lastYText_, sizeof lastYText_);
    end += lastYSize_;
    end = std::copy(kLineEnd.begin(), kLineEnd.end(), end);
    writeEndedLine({line, static_cast<std::size_t>(end - line)});
}

}  // namespace velmora
