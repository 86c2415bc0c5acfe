// The line is the limit: a program leaves no faster than its bits at the
// baud rate, and the download must add nothing that matters to that. Here
// the far end is a pseudo-terminal, which takes bytes as fast as they come,
// so what is measured is the download's own cost.

#include "benches.h"

#include "transmission/download.h"
#include "tests/support/pseudo_terminal.h"

#include <QEventLoop>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fstream>

namespace velmora::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kItems = 20'000;
constexpr double kTargetSeconds = 1.0;

class SilentMeter : public DownloadProgress {
public:
    void showSent(std::size_t, std::size_t) override {}
    void showFull() override {}
    void rest() override {}
};

}  // namespace

std::string downloadProgramOf(int items)
{
    std::string program;
    for (int n = 0; n < items; ++n)
        program += "G1 X" + std::to_string(n % 200) + ".25 Y-" + std::to_string(n % 70) + ".5\r\n";
    return program;
}

void downloadBench()
{
    QTemporaryDir dir;
    const std::string program = downloadProgramOf(kItems);
    const std::filesystem::path file = dir.filePath("velmora.rub").toStdString();
    std::ofstream(file, std::ios::binary) << program;
    // Every item loses its CR on the way; the end adds two bytes.
    const std::size_t wireBytes = program.size() - kItems + 2;

    testing::PseudoTerminal farEnd;
    if (!farEnd.isOpen()) {
        std::printf("download: no pseudo-terminal available, skipped\n");
        return;
    }
    Download download([&](std::int16_t) { return farEnd.devicePath(); });
    SilentMeter meter;
    testing::MasterReader reader(farEnd, wireBytes, std::chrono::seconds(60));

    const auto start = Clock::now();
    Result<void> outcome = Failure(FailureKind::Stalled);
    QEventLoop loop;
    download.start({file, {"COM1", "9600", "E(ven)", "7", "2"}}, meter, [&](const Result<void>& end) {
        outcome = end;
        loop.quit();
    });
    if (download.running())
        loop.exec();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const std::size_t received = reader.take().size();

    // 9600,e,7,2 frames a character in 11 bits.
    const double lineSeconds = double(wireBytes) * 11 / 9600;
    std::printf("download: %d items, %zu bytes: %.3f s, %.1f us per item (target < %.1f s): %s\n", kItems,
                wireBytes, seconds, seconds * 1e6 / kItems, kTargetSeconds,
                outcome.ok() && received == wireBytes && seconds < kTargetSeconds ? "ok"
                                                                                                     : "MISSED");
    std::printf("download: the same program needs %.0f s on a 9600,e,7,2 line\n", lineSeconds);
}

}  // namespace velmora::bench
