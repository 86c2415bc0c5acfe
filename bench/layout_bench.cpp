#include "benches.h"

// The extents are recomputed on every keystroke and a line has no length
// limit, so they are timed over five long lines.

#include "layout/extents.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCharactersPerLine = 10000;
constexpr int kRuns = 2001;
constexpr double kTargetMicroseconds = 100.0;

velmora::ExtentsInput fiveLongLines(char32_t filler)
{
    velmora::ExtentsInput input;
    input.echelle3 = "4";
    input.espace3 = "1";
    input.echelle2 = 4;
    input.interligne2 = 2;
    for (int line = 1; line <= velmora::kLineCount; ++line)
        input.lineText[line].assign(kCharactersPerLine, filler);
    return input;
}

double medianMicroseconds(const velmora::ExtentsInput& input)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> times;
    times.reserve(kRuns);
    std::size_t sink = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        const velmora::ExtentsTexts texts = velmora::computeExtents(input);
        const auto stop = Clock::now();
        sink += texts.encombrement.size();
        times.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    if (sink == 0)
        std::puts("(no extents text)");
    return times[kRuns / 2];
}

void report(const char* what, char32_t filler)
{
    const double median = medianMicroseconds(fiveLongLines(filler));
    std::printf("layout: computeExtents, 5 lines of %d %s: %.2f us median of %d runs (target < %.0f us): %s\n",
                kCharactersPerLine, what, median, kRuns, kTargetMicroseconds,
                median < kTargetMicroseconds ? "ok" : "TOO SLOW");
}

}  // namespace

void velmora::bench::layoutBench()
{
    report("letters", U'A');
    // Lines of blanks are the slowest case: each is scanned to its end, once
    // from the top and once from the bottom, to find that it holds no text.
    report("blanks", U' ');
}
