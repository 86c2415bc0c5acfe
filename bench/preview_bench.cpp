// The preview: the 10,000-character program read into paths and painted,
// fitted, at the preview window's size; then, each in a process of its own so
// that its memory is its own, the hand-written program of 200,000 circles and
// the largest program the window can build (five lines of 32,767 characters),
// from the file to the first paint.

#include "benches.h"

#include "bench_programs.h"

#include "preview/preview_drawing.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace velmora;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 9;
constexpr double kTargetInterpretMs = 50;
constexpr double kTargetPaintMs = 20;
const QSize kWindowSize(800, 520);

// CPU time of this process, ms: on a machine busy with other work the wall
// time says more about the machine than about the preview.
double cpuMilliseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double medianOf(std::vector<double> runs)
{
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

const preview::PlateExtent kPlate = preview::plateExtent(Placement::CentreXY, Corner::TopLeft, 400, 100);

// Times one program from its file to its first paint in a fresh process.
// targetMegabytes 0: no target.
void previewInItsOwnProcess(const char* name, const std::string& program, double targetSeconds,
                            double targetMegabytes)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("velmora.rub"));
    std::ofstream(file.toStdString(), std::ios::binary) << program;
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--preview"), file});
    if (!child.waitForFinished(120000) || child.exitCode() != 0) {
        std::printf("%s: FAILED\n", name);
        return;
    }
    double readMs = 0, paintMs = 0, peakMb = 0;
    unsigned long long moves = 0;
    int complete = 0;
    double cpuMs = 0;
    if (std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %lf %llu %d %lf", &readMs, &paintMs, &peakMb,
                    &moves, &complete, &cpuMs)
        != 6) {
        std::printf("%s: FAILED, no figures\n", name);
        return;
    }
    const double seconds = (readMs + paintMs) / 1000;
    const bool lean = targetMegabytes <= 0 || peakMb < targetMegabytes;
    std::printf("%s (%.1f MB, %llu moves in the plane%s): read and traced %.0f ms, first paint %.0f ms, "
                "%.2f s in all (target < %.0f s), %.2f s of CPU; peak resident %.0f MB", name, program.size() / 1e6, moves,
                complete ? "" : ", NOT READ TO ITS END", readMs, paintMs, seconds, targetSeconds, cpuMs / 1000, peakMb);
    if (targetMegabytes > 0)
        std::printf(" (target < %.0f MB)", targetMegabytes);
    std::printf(": %s\n", seconds < targetSeconds && lean ? "ok" : "TOO SLOW OR TOO LARGE");
}

}  // namespace

int velmora::bench::previewChild(const char* file)
{
    const auto start = Clock::now();
    const double startCpu = cpuMilliseconds();
    std::ifstream in(file, std::ios::binary);
    const std::string program{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    preview::ToolpathPreview read = preview::previewProgram(program);
    const std::size_t moves = read.paths.elementCount;
    const bool complete = read.complete();
    const preview::PreviewScene scene = preview::sceneOf(std::move(read), kPlate);
    const double readMs = millisecondsSince(start);
    const auto painting = Clock::now();
    const QImage image = preview::renderPreview(scene, kWindowSize);
    const double paintMs = millisecondsSince(painting);
    std::printf("%f %f %f %zu %d %f\n", readMs, paintMs, peakResidentMegabytes(), moves, complete ? 1 : 0,
                cpuMilliseconds() - startCpu);
    return image.isNull() ? 1 : 0;
}

void velmora::bench::previewBench()
{
    std::printf("== Preview ==\n");
    // The preview reads no point more than 10 m from the origin: 2,000
    // characters 4 mm wide fit with 0.5 mm between them.
    const std::string program = builtProgram(2000, 4, 0.5f);
    if (program.empty()) {
        std::printf("preview: FAILED, no program\n");
        return;
    }
    std::vector<double> readRuns, paintRuns, readCpu, paintCpu;
    std::size_t moves = 0;
    bool complete = false;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        double cpu = cpuMilliseconds();
        preview::ToolpathPreview read = preview::previewProgram(program);
        readRuns.push_back(millisecondsSince(start));
        readCpu.push_back(cpuMilliseconds() - cpu);
        moves = read.paths.elementCount;
        complete = read.complete();
        const preview::PreviewScene scene = preview::sceneOf(std::move(read), kPlate);
        const auto painting = Clock::now();
        cpu = cpuMilliseconds();
        const QImage image = preview::renderPreview(scene, kWindowSize);
        paintRuns.push_back(millisecondsSince(painting));
        paintCpu.push_back(cpuMilliseconds() - cpu);
    }
    const double read = medianOf(readRuns);
    const double paint = medianOf(paintRuns);
    std::printf("10,000 characters (%.2f MB, %zu moves in the plane%s): interpretation %.1f ms, %.1f ms CPU "
                "(target < %.0f ms): %s; paint %dx%d %.1f ms, %.1f ms CPU (target < %.0f ms): %s (medians of %d)\n",
                program.size() / 1e6, moves, complete ? "" : ", NOT READ TO ITS END", read, medianOf(readCpu),
                kTargetInterpretMs,
                read < kTargetInterpretMs ? "ok" : "TOO SLOW", kWindowSize.width(), kWindowSize.height(), paint,
                medianOf(paintCpu), kTargetPaintMs, paint < kTargetPaintMs ? "ok" : "TOO SLOW", kRuns);
    previewInItsOwnProcess("200,000 circles by hand", circlesProgram(), 1, 200);
    // 32,767 characters a line reach 10 m only at a quarter millimetre each;
    // at any larger size the preview stops at the first point out of reach.
    const std::string largest = builtProgram(32767, 0.25f, 0);
    if (largest.empty())
        std::printf("largest program: FAILED, not built\n");
    else
        previewInItsOwnProcess("largest program, 5 x 32,767 characters of 0.25 mm", largest, 2, 0);
}
