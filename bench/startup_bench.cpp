// Start-up to the main window, each in a process of its own: from the start
// of the process to the main window shown and painted once, the splash window
// answered at once, with no program in the folder and with the program of
// 10,000 characters; and the resident memory then.

#include "benches.h"

#include "bench_programs.h"

#include "app/startup.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/pause.h"
#include "silent_seams.h"
#include "preview/preview_action.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fstream>

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

constexpr double kTargetSeconds = 0.3;
constexpr double kTargetMegabytes = 60;
constexpr int kRuns = 5;

void startUpIn(const QString& folder, const char* name)
{
    double best = 1e9, megabytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        QProcess child;
        const auto start = Clock::now();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup"), folder});
        if (!child.waitForReadyRead(30000)) {
            std::printf("start-up %s: FAILED\n", name);
            return;
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        child.waitForFinished(30000);
        const double resident = child.readAllStandardOutput().trimmed().toDouble();
        if (seconds < best) {
            best = seconds;
            megabytes = resident;
        }
    }
    std::printf("start-up to the main window %s: %.3f s (best of %d, target < %.1f s), resident %.0f MB "
                "(target < %.0f MB): %s\n",
                name, best, kRuns, kTargetSeconds, megabytes, kTargetMegabytes,
                best < kTargetSeconds && megabytes < kTargetMegabytes ? "ok" : "TOO SLOW OR TOO LARGE");
}

}  // namespace

// The start-up of app/main.cpp with the splash window answered at once.
int bench::startupChild(const char* folder)
{
    QDir::setCurrent(QString::fromLocal8Bit(folder));
    QApplication::setStyle(QStringLiteral("Fusion"));
    MainWindow window;
    bench::AnswerOk messages;
    bench::NoPause pause;
    const ShellSeams seams{messages, pause, [] {}, [] {}};
    preview::attachPreview(window);
    startUp(window, seams);
    QApplication::processEvents();
    window.repaint();
    std::printf("%.1f\n", residentMegabytes());
    std::fflush(stdout);
    return 0;
}

void bench::startupBench()
{
    std::printf("== Start-up ==\n");
    QTemporaryDir empty, withProgram;
    const std::string program = builtProgram(2000);
    std::ofstream(QDir(withProgram.path()).filePath("velmora.rub").toStdString(), std::ios::binary) << program;
    startUpIn(empty.path(), "with no program");
    startUpIn(withProgram.path(), "with the 10,000-character program");
}

}  // namespace velmora
