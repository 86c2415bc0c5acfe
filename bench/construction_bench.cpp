#include "benches.h"

// Construction: a program of 10 000 characters (five lines of 2 000) over a
// full set of 95 glyphs of about 20 lines each. The figure that matters is the
// ratio of the construction's time to the time the same bytes take to reach
// the disk in one buffered write, measured in the same run: the glyph reading,
// transformation and formatting should cost little beside the writing itself.

#include "construction/program_construction.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace velmora;

namespace {

constexpr int kLineLength = 2000;
constexpr int kFirstCode = 32;
constexpr int kLastCode = 126;
constexpr int kRuns = 31;
constexpr double kTargetRatio = 3.0;

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

double secondsOf(const std::function<void()>& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> times)
{
    std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
    return times[times.size() / 2];
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

void velmora::bench::constructionBench()
{
    const fs::path folder = makeWorkFolder();
    EngravingJob job;
    LayoutResult layout;
    makeJob(job, layout);
    const ProgramPlaces places{folder, folder / "Data", {}};
    const DateTimeTexts stamp{"06/12/2026", "14:03:27"};

    bool written = buildProgramFile(job, layout, places, stamp).status == ConstructionStatus::Written;
    const std::string bytes = readFile(folder / "velmora.rub");
    const fs::path reference = folder / "reference.rub";
    // The three are timed in turn within each run, so that a busy moment of
    // the machine weighs on all of them alike; the medians are compared.
    std::vector<double> constructionTimes, syncedTimes, unsyncedTimes;
    for (int run = 0; run < kRuns && written; ++run) {
        constructionTimes.push_back(secondsOf([&] {
            written = buildProgramFile(job, layout, places, stamp).status == ConstructionStatus::Written;
        }));
        syncedTimes.push_back(secondsOf([&] { writeInOneGo(reference, bytes, true); }));
        unsyncedTimes.push_back(secondsOf([&] { writeInOneGo(reference, bytes, false); }));
    }
    fs::remove_all(folder);

    if (!written) {
        std::printf("construction: FAILED, the program was not written\n");
        return;
    }
    const double construction = median(constructionTimes);
    const double synced = median(syncedTimes);
    const double unsynced = median(unsyncedTimes);
    const double ratio = construction / synced;
    std::printf("construction: %d characters over %d glyph files, %zu bytes: %.2f ms median of %d runs, "
                "%.0f characters/s\n",
                layout.totalChars, kLastCode - kFirstCode + 1, bytes.size(), construction * 1e3, kRuns,
                layout.totalChars / construction);
    std::printf("construction: same bytes in one write, synced and closed: %.2f ms; ratio %.2f "
                "(target <= %.0f): %s\n",
                synced * 1e3, ratio, kTargetRatio, ratio <= kTargetRatio ? "ok" : "TOO SLOW");
    std::printf("construction: same bytes in one write, not synced: %.2f ms; ratio %.2f (for information)\n",
                unsynced * 1e3, construction / unsynced);
}
