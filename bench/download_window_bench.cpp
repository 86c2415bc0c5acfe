// "Télécharger" through the window: the question answered, the form locked,
// the event loop running while the program goes out, the meter following it.
// The meter is told only what the operator can see change, at most once per
// pixel of the bar and once per percent, however long the program.

#include "benches.h"

#include "app/download_action.h"
#include "panel/main_window.h"
#include "panel/pause.h"
#include "silent_seams.h"
#include "tests/support/pseudo_terminal.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <fstream>

namespace velmora::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kItems = 20'000;
constexpr double kTargetSeconds = 1.0;

class TellingMessages final : public MessageSeam {
public:
    MessageAnswer show(MessageIcon, MessageButtons, const QString&, const QString& text, const QString&) override
    {
        told = text;
        return MessageAnswer::Ok;
    }
    QString told;
};

// Counts the times the meter's caption is painted.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

}  // namespace

void downloadWindowBench()
{
    QTemporaryDir dir;
    const std::string program = downloadProgramOf(kItems);
    std::ofstream(dir.filePath("velmora.rub").toStdString(), std::ios::binary) << program;
    const std::size_t wireBytes = program.size() - kItems + 2;
    testing::PseudoTerminal farEnd;
    if (!farEnd.isOpen())
        return;
    const QString startFolder = QDir::currentPath();
    QDir::setCurrent(dir.path());

    MainWindow window;
    window.show();
    QApplication::processEvents();
    NoPause noPause;
    TellingMessages messages;
    DownloadAction action(window, messages, noPause, [&](std::int16_t) { return farEnd.devicePath(); });
    FormModel& form = window.model();
    form.setSerialText(SerialSetting::Port, U"COM1");
    form.setSerialText(SerialSetting::Speed, U"9600");
    form.setSerialText(SerialSetting::Parity, U"E(ven)");
    form.setSerialText(SerialSetting::DataBits, U"7");
    form.setSerialText(SerialSetting::StopBits, U"2");
    PaintCounter counter;
    window.findChild<QLabel*>(QStringLiteral("Visu1"))->installEventFilter(&counter);
    testing::MasterReader reader(farEnd, wireBytes, std::chrono::seconds(60));

    const auto start = Clock::now();
    action.startDownload();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const bool whole = reader.take().size() == wireBytes;
    QDir::setCurrent(startFolder);

    if (!messages.told.isEmpty() && messages.told != QStringLiteral("Placer la machine en mode chargement"))
        std::printf("download in the live window: %s\n", qPrintable(messages.told));
    std::printf("download in the live window: %d items, meter painted %d times: %.3f s (target < %.1f s): %s\n",
                kItems, counter.paints, seconds, kTargetSeconds, whole && seconds < kTargetSeconds ? "ok" : "MISSED");
}

}  // namespace velmora::bench
