// The meter during a download through the window. The download holds the
// window's thread, so every painting of the meter delays the next item; the
// meter paints only what the operator can see change, at most once per pixel
// of the bar and once per percent, however long the program.

#include "benches.h"

#include "app/download_meter.h"
#include "panel/main_window.h"
#include "panel/meter.h"
#include "panel/pause.h"
#include "panel/qt_text.h"
#include "tests/support/pseudo_terminal.h"
#include "transmission/download.h"

#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fstream>

namespace velmora::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kItems = 20'000;
constexpr double kTargetSeconds = 2.0;

class NoPause final : public PauseSeam {
public:
    void pause(std::chrono::milliseconds) override {}
};

// The meter painted on every call, for comparison.
class EveryChangePainted final : public DownloadProgress {
public:
    explicit EveryChangePainted(Meter& meter) : meter_(meter) {}
    double fullTwips() const override { return meter_.fullTwips(); }
    void setBarTwips(double twips) override
    {
        meter_.setBarTwips(twips);
        paint();
    }
    void setCaption(const std::string& text) override
    {
        meter_.setCaption(fromWindows1252(text));
        paint();
    }
    void pause(std::chrono::milliseconds) override {}
    int paints = 0;

private:
    void paint()
    {
        meter_.repaintNow();
        ++paints;
    }
    Meter& meter_;
};

struct Run {
    double seconds = 0;
    bool whole = false;
};

Run timedDownload(const std::filesystem::path& file, std::size_t wireBytes, DownloadProgress& progress)
{
    testing::PseudoTerminal farEnd;
    if (!farEnd.isOpen())
        return {};
    SerialComm comm([&](std::int16_t) { return farEnd.devicePath(); });
    testing::MasterReader reader(farEnd, wireBytes, std::chrono::seconds(60));
    const auto start = Clock::now();
    const DownloadOutcome outcome
        = runDownload({file, {"COM1", "9600", "E(ven)", "7", "2"}, std::chrono::milliseconds(0)}, comm, progress);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return {seconds, outcome.sent && reader.take().size() == wireBytes};
}

}  // namespace

void downloadWindowBench()
{
    QTemporaryDir dir;
    std::string program;
    for (int n = 0; n < kItems; ++n)
        program += "G1 X" + std::to_string(n % 200) + ".25 Y-" + std::to_string(n % 70) + ".5\r\n";
    const std::filesystem::path file = dir.filePath("velmora.rub").toStdString();
    std::ofstream(file, std::ios::binary) << program;
    const std::size_t wireBytes = program.size() - kItems + 2;

    MainWindow window;
    window.show();
    QApplication::processEvents();
    NoPause noPause;
    DownloadMeter meter(window.meter(), noPause);
    const Run shown = timedDownload(file, wireBytes, meter);
    EveryChangePainted everyChange(window.meter());
    const Run naive = timedDownload(file, wireBytes, everyChange);

    std::printf("download in the window: %d items, meter painted %d times: %.3f s (target < %.1f s): %s\n", kItems,
                meter.paintCount(), shown.seconds, kTargetSeconds,
                shown.whole && shown.seconds < kTargetSeconds ? "ok" : "MISSED");
    std::printf("download in the window: painting every change instead: %d times, %.3f s\n", everyChange.paints,
                naive.seconds);
}

}  // namespace velmora::bench
