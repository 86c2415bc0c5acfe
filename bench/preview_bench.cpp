// The preview after a construction of the largest text an operator can type:
// five full lines read into moves, measured, turned into paths and painted
// once, fitted, into an image the size of the preview window. It runs after
// every construction and at every start, so it should stay well under the
// blink the construction itself takes.

#include "benches.h"

#include "largest_text.h"

#include "preview/preview_drawing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace velmora;

namespace {

constexpr int kRuns = 9;
constexpr double kTargetMilliseconds = 100.0;
const QSize kWindowSize(800, 520);

double medianMilliseconds(std::vector<double> runs)
{
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

}  // namespace

void velmora::bench::previewBench()
{
    const std::string program = bench::largestText().program;
    const preview::PlateExtent plate = preview::plateExtent(Placement::CentreXY, Corner::TopLeft, 400, 100);
    std::vector<double> readRuns, paintRuns;
    std::size_t moves = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const preview::ToolpathPreview read = preview::previewProgram(program);
        const preview::PreviewScene scene = preview::sceneOf(read, plate);
        const auto painting = std::chrono::steady_clock::now();
        const QImage image = preview::renderPreview(scene, kWindowSize);
        const auto end = std::chrono::steady_clock::now();
        readRuns.push_back(std::chrono::duration<double, std::milli>(painting - start).count());
        paintRuns.push_back(std::chrono::duration<double, std::milli>(end - painting).count());
        moves = read.interpretation.moves.size();
    }
    const double read = medianMilliseconds(readRuns);
    const double paint = medianMilliseconds(paintRuns);
    std::printf("== Preview ==\n");
    std::printf("preview: %d lines x %d characters, %zu moves: read and traced %.2f ms, painted %dx%d %.2f ms "
                "(median of %d, target < %.0f ms in all): %s\n",
                bench::kLines, bench::kCharactersPerLine, moves, read, kWindowSize.width(), kWindowSize.height(), paint, kRuns,
                kTargetMilliseconds, read + paint < kTargetMilliseconds ? "ok" : "TOO SLOW");
}
