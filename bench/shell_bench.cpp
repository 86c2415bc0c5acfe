// The shell's work the operator waits for: the stored settings given to the
// window at start-up, and a click on "Enregistrer" from the question to the
// meter at rest again (its half-second pause with the full bar left out).

#include "benches.h"

#include "app/form_configuration.h"
#include "app/save_configuration.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/pause.h"
#include "silent_seams.h"

#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void loadBench(const std::filesystem::path& folder)
{
    constexpr int kRounds = 20;
    double total = 0;
    for (int i = 0; i < kRounds; ++i) {
        MainWindow window;
        const auto start = Clock::now();
        loadConfigurationInto(window.model(), folder);
        total += millisecondsSince(start);
    }
    std::printf("  settings given to the window at start-up: %.2f ms (target below 50 ms)\n", total / kRounds);
}

void saveBench(const std::filesystem::path& folder)
{
    MainWindow window;
    loadConfigurationInto(window.model(), folder);
    window.show();
    bench::AnswerOk messages;
    bench::NoPause pause;
    constexpr int kRounds = 5;
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i)
        askAndSaveConfiguration(window, messages, pause, folder);
    std::printf("  save with its meter, pause left out: %.1f ms (target below 1000 ms: a moment, not seconds)\n",
                millisecondsSince(start) / kRounds);
}

}  // namespace

void bench::shellBench()
{
    std::printf("Start-up and saving of the settings\n");
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    saveBench(folder);
    loadBench(folder);
}

}  // namespace velmora
