#include "benches.h"

// The interpreter over the largest program an operator can ask for: five
// full lines of French text. A preview reads it once per construction, and
// the checks read it once more; both should take a blink.

#include "largest_text.h"

#include "simulation/cell_check.h"
#include "simulation/program_measures.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace velmora;

namespace {

constexpr int kRounds = 20;


template <typename Work>
double millisecondsPerRound(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i)
        work();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / kRounds;
}

}  // namespace

void velmora::bench::simulationBench()
{
    const simulation::GlyphProof program = bench::largestText();
    simulation::Interpretation moves;
    const double readMs = millisecondsPerRound([&] { moves = simulation::interpretProgram(program.program); });
    simulation::PathLengths lengths;
    simulation::Bounds ink;
    const double measureMs = millisecondsPerRound([&] {
        lengths = simulation::pathLengths(moves.moves);
        ink = simulation::cuttingBounds(moves.moves);
    });
    std::size_t violations = 0;
    const double checkMs = millisecondsPerRound(
        [&] { violations = simulation::checkMovesAgainstCells(moves, program.cells).size(); });

    std::printf("== Program interpreter ==\n");
    std::printf("program: %d lines x %d characters, %zu bytes, %zu moves\n", bench::kLines, bench::kCharactersPerLine,
                program.program.size(), moves.moves.size());
    std::printf("read into moves:         %8.2f ms\n", readMs);
    std::printf("lengths and bounds:      %8.2f ms\n", measureMs);
    std::printf("cell checks:             %8.2f ms (%zu violations)\n", checkMs, violations);
    std::printf("memory of the moves:     %8.1f KiB\n",
                static_cast<double>(moves.moves.capacity() * sizeof(simulation::Move)) / 1024);
    std::printf("cutting %.0f mm, rapid %.0f mm, ink %.0f x %.0f mm\n", lengths.cutting, lengths.rapid,
                ink.maxX - ink.minX, ink.maxY - ink.minY);
}
