#include "benches.h"

// Construction: a program of 10,000 characters (five lines of 2,000 of French
// text) with the font shipped in Data/. The figure that matters is the ratio
// of the construction's time to the time the same bytes take to reach the
// disk in one write with fsync, measured in the same run: reading,
// transforming and formatting should cost little beside the writing itself.
// The glyph files are kept between constructions, as the window keeps them.

#include "bench_programs.h"

#include "construction/program_construction.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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
constexpr int kRuns = 31;
constexpr double kTargetRatio = 1.5;

fs::path makeWorkFolder()
{
    std::string pattern = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a work folder");
    return pattern;
}

double cpuSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
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
    bench::makeTextJob(kLineLength, job, layout);
    const ProgramPlaces places{folder, bench::shippedFontFolder(), {}};
    const DateTimeTexts stamp{"06/12/2026", "14:03:27"};
    GlyphCache glyphs;

    bool written = buildProgramFile(job, layout, places, stamp, glyphs).ok();
    const std::string bytes = readFile(folder / "velmora.rub");
    const fs::path reference = folder / "reference.rub";
    // The constructions and the writes are timed in turn within each run, so
    // that a busy moment of the machine weighs on both alike; the medians are
    // compared.
    std::vector<double> constructionTimes, constructionCpu, syncedTimes, syncedCpu;
    for (int run = 0; run < kRuns && written; ++run) {
        double cpu = cpuSeconds();
        constructionTimes.push_back(secondsOf([&] {
            written = buildProgramFile(job, layout, places, stamp, glyphs).ok();
        }));
        constructionCpu.push_back(cpuSeconds() - cpu);
        cpu = cpuSeconds();
        syncedTimes.push_back(secondsOf([&] { writeInOneGo(reference, bytes, true); }));
        syncedCpu.push_back(cpuSeconds() - cpu);
    }
    fs::remove_all(folder);

    if (!written) {
        std::printf("construction: FAILED, the program was not written\n");
        return;
    }
    const double construction = median(constructionTimes);
    const double synced = median(syncedTimes);
    const double ratio = construction / synced;
    std::printf("== Construction core, shipped font ==\n");
    std::printf("core: %d characters, %zu bytes: %.2f ms wall, %.2f ms CPU (medians of %d)\n", layout.totalChars,
                bytes.size(), construction * 1e3, median(constructionCpu) * 1e3, kRuns);
    std::printf("same bytes in one write + fsync: %.2f ms wall, %.2f ms CPU\n", synced * 1e3,
                median(syncedCpu) * 1e3);
    std::printf("core / write+fsync: %.2f (target <= %.1f): %s\n", ratio, kTargetRatio,
                ratio <= kTargetRatio ? "ok" : "TOO SLOW");
}
