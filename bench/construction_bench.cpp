// Construction: a program of 10 000 characters (five lines of 2 000) over a
// full set of 95 glyphs of about 20 lines each. The figure that matters is the
// ratio of the construction's time to the time the same bytes take to reach
// the disk in one buffered write, measured in the same run: the glyph reading,
// transformation and formatting should cost little beside the writing itself.

#include "construction/program_construction.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace velmora;

namespace {

constexpr int kLineLength = 2000;
constexpr int kFirstCode = 32;
constexpr int kLastCode = 126;
constexpr int kRuns = 30;

// About 20 lines in the style of the real glyph files: a comment, a plunge,
// straight and arc moves on the 4 x 7 grid, a retract.
std::string glyphText(int code)
{
    std::string text = "$ glyphe " + std::to_string(code) + "\r\n";
    text += "G0X0Y0\r\nG1Z-.2F120\r\n";
    for (int step = 0; step < 16; ++step) {
        const double x = (code * 7 + step * 3) % 41 / 10.0;
        const double y = (code * 3 + step * 5) % 71 / 10.0;
        char line[64];
        if (step % 4 == 3)
            std::snprintf(line, sizeof line, "G02X%.2fY%.2fI%.1fJ0\r\n", x, y, 0.5);
        else
            std::snprintf(line, sizeof line, "G01X%.2fY%.2f\r\n", x, y);
        text += line;
    }
    text += "G0Z1\r\n";
    return text;
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

fs::path makeWorkFolder()
{
    std::string pattern = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    const fs::path folder = pattern;
    fs::create_directory(folder / "Data");
    for (int code = kFirstCode; code <= kLastCode; ++code)
        writeFile(folder / "Data" / ("Ascii" + std::to_string(code) + ".prg"), glyphText(code));
    return folder;
}

void makeJob(EngravingJob& job, LayoutResult& layout)
{
    job.charWidth = 4;
    job.charSpacing = 1;
    job.lineSpacing = 2;
    job.approachZ = 3.5;
    job.toolChange = true;
    job.coolant = true;
    job.toolText = "3";
    job.correctorText = "3";
    job.rangeText = "40";
    job.spindleText = "2000";
    job.feedText = "300";
    job.programNumber = "%12";
    const int span = kLastCode - kFirstCode + 1;
    for (int line = 1; line <= kLineCount; ++line) {
        for (int j = 0; j < kLineLength; ++j)
            job.lineText[line] += static_cast<char32_t>(kFirstCode + (j * 7 + line) % span);
        layout.charCount[line] = kLineLength;
        layout.startX[line] = 10;
        layout.baseY[line] = -7.0 - 9.0 * (line - 1);
    }
    layout.totalChars = kLineLength * kLineCount;
    layout.filledLines = kLineCount;
    layout.firstLine = 1;
    layout.lastLine = kLineCount;
}

template <typename Action>
double bestSeconds(Action action)
{
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        action();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

// The reference: the finished bytes written with one call, synced and closed.
void writeInOneGo(const fs::path& path, const std::string& bytes, bool sync)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())
        || (sync && ::fsync(fd) != 0) || ::close(fd) != 0)
        throw std::runtime_error("reference write failed");
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

void runConstructionBench()
{
    const fs::path folder = makeWorkFolder();
    EngravingJob job;
    LayoutResult layout;
    makeJob(job, layout);
    const ProgramPlaces places{folder, folder / "Data"};
    const DateTimeTexts stamp{"06/12/2026", "14:03:27"};

    bool written = true;
    const double construction = bestSeconds([&] {
        written = written && buildProgramFile(job, layout, places, stamp).status == ConstructionStatus::Written;
    });
    const std::string bytes = readFile(folder / "velmora.rub");
    const fs::path reference = folder / "reference.rub";
    const double synced = bestSeconds([&] { writeInOneGo(reference, bytes, true); });
    const double unsynced = bestSeconds([&] { writeInOneGo(reference, bytes, false); });
    fs::remove_all(folder);

    std::printf("== Construction (%d characters, %d glyph files)\n", layout.totalChars,
                kLastCode - kFirstCode + 1);
    if (!written) {
        std::printf("   FAILED: the construction did not write the program\n");
        return;
    }
    std::printf("   characters per second      %.0f\n", layout.totalChars / construction);
    std::printf("   output bytes               %zu\n", bytes.size());
    std::printf("   construction               %.2f ms\n", construction * 1e3);
    std::printf("   one write + sync + close   %.2f ms\n", synced * 1e3);
    std::printf("   ratio (target at most 3)   %.2f\n", construction / synced);
    std::printf("   one write, not synced      %.2f ms (ratio %.2f, for information)\n",
                unsynced * 1e3, construction / unsynced);
}
