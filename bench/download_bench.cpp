// The line is the limit: a program leaves no faster than its bits at the
// baud rate, and the download must add nothing that matters to that. Here
// the far end is a pseudo-terminal, which takes bytes as fast as they come,
// so what is measured is the download's own cost.

#include "benches.h"

#include "transmission/download.h"

#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace velmora::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kItems = 20'000;
constexpr double kTargetSeconds = 2.0;

class SilentMeter : public DownloadProgress {
public:
    double fullTwips() const override { return 2295; }
    void setBarTwips(double) override {}
    void setCaption(const std::string&) override {}
    void pause(std::chrono::milliseconds) override {}
};

std::string programOf(int items)
{
    std::string program;
    for (int n = 0; n < items; ++n)
        program += "G1 X" + std::to_string(n % 200) + ".25 Y-" + std::to_string(n % 70) + ".5\r\n";
    return program;
}

// The far end: a raw pseudo-terminal master read until `expected` bytes came.
struct FarEnd {
    int master = -1;
    int slave = -1;
    std::string device;

    FarEnd()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
            return;
        termios raw{};
        ::tcgetattr(master, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(master, TCSANOW, &raw);
        device = ::ptsname(master);
        slave = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    }
    ~FarEnd()
    {
        if (slave >= 0)
            ::close(slave);
        if (master >= 0)
            ::close(master);
    }

    std::size_t drain(std::size_t expected) const
    {
        std::size_t received = 0;
        char buffer[65536];
        const auto deadline = Clock::now() + std::chrono::seconds(60);
        while (received < expected && Clock::now() < deadline) {
            pollfd watch{master, POLLIN, 0};
            if (::poll(&watch, 1, 50) > 0 && (watch.revents & POLLIN)) {
                const ssize_t got = ::read(master, buffer, sizeof buffer);
                if (got > 0)
                    received += std::size_t(got);
            }
        }
        return received;
    }
};

}  // namespace

void downloadBench()
{
    QTemporaryDir dir;
    const std::string program = programOf(kItems);
    const std::filesystem::path file = dir.filePath("velmora.rub").toStdString();
    std::ofstream(file, std::ios::binary) << program;
    // Every item loses its CR on the way; the end adds two bytes.
    const std::size_t wireBytes = program.size() - kItems + 2;

    FarEnd farEnd;
    if (farEnd.slave < 0) {
        std::printf("download: no pseudo-terminal available, skipped\n");
        return;
    }
    SerialComm comm([&](std::int16_t) { return farEnd.device; });
    SilentMeter meter;
    std::size_t received = 0;
    std::thread reader([&] { received = farEnd.drain(wireBytes); });

    const auto start = Clock::now();
    const DownloadOutcome outcome
        = runDownload({file, {"COM1", "9600", "E(ven)", "7", "2"}, std::chrono::milliseconds(0)}, comm, meter);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    reader.join();

    // 9600,e,7,2 frames a character in 11 bits.
    const double lineSeconds = double(wireBytes) * 11 / 9600;
    std::printf("download: %d items, %zu bytes: %.3f s, %.1f us per item (target < %.1f s): %s\n", kItems,
                wireBytes, seconds, seconds * 1e6 / kItems, kTargetSeconds,
                outcome.sent && received == wireBytes && seconds < kTargetSeconds ? "ok" : "MISSED");
    std::printf("download: the same program needs %.0f s on a 9600,e,7,2 line\n", lineSeconds);
}

}  // namespace velmora::bench
