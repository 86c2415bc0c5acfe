// "Construire" from the window: a construction of 10,000 characters (five
// lines of 2,000) started by the button, against the construction core
// writing the same program alone and with the window's meter attached, all in
// one run. The meter repaints while the construction holds the thread; it
// should not weigh more than the core itself. Reloading the listing is shown
// apart: filling the listing box with a program of 200,000 rows is the box's
// own cost, the same after any construction (see the window section).

#include "benches.h"

#include "app/construction_action.h"
#include "app/construction_meter.h"
#include "construction/clock.h"
#include "panel/form_job.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/pause.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <variant>
#include <vector>

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLineLength = 2000;
constexpr int kRuns = 7;
constexpr double kTargetRatio = 2.0;

class NoPause final : public PauseSeam {
public:
    void pause(std::chrono::milliseconds) override {}
};

class CountedMessages final : public MessageSeam {
public:
    int shown = 0;
    MessageAnswer show(MessageIcon, MessageButtons, const QString&, const QString&, const QString& = QString()) override
    {
        ++shown;
        return MessageAnswer::Ok;
    }
};

// About twenty lines per glyph, as a single-stroke font has: a comment, a
// plunge, straight and arc moves on the 4 x 7 grid, a retract.
QByteArray glyphText(int code)
{
    QByteArray text = "$ glyphe " + QByteArray::number(code) + "\r\nG0X0Y0\r\nG1Z-.2\r\n";
    for (int step = 0; step < 16; ++step) {
        const QByteArray x = QByteArray::number((code * 7 + step * 3) % 41 / 10.0);
        const QByteArray y = QByteArray::number((code * 3 + step * 5) % 71 / 10.0);
        text += (step % 4 == 3 ? "G02X" + x + "Y" + y + "I.5J0" : "G01X" + x + "Y" + y) + "\r\n";
    }
    return text + "G0Z1\r\n";
}

bool writeGlyphs(const QString& folder)
{
    for (int code = 32; code <= 126; ++code) {
        QFile file(folder + QStringLiteral("/Ascii%1.prg").arg(code));
        if (!file.open(QIODevice::WriteOnly) || file.write(glyphText(code)) < 0)
            return false;
    }
    return true;
}

template <typename Control>
Control* find(MainWindow& window, const char* name)
{
    return window.findChild<Control*>(QString::fromUtf8(name));
}

// Five lines of 2,000 printable characters, free placement, left-justified.
void setUpWindow(MainWindow& window)
{
    find<QScrollBar>(window, "Echelle2")->setValue(4);
    find<QScrollBar>(window, "Espace2")->setValue(2);
    find<QScrollBar>(window, "Interligne2")->setValue(2);
    find<QRadioButton>(window, "Option4")->setChecked(true);
    find<QRadioButton>(window, "Justification1")->setChecked(true);
    for (const char* name : {"Posx2", "Posy2", "Posz2", "Nom2", "Outil2", "Correcteur2", "Gamme2", "Rotation2",
                             "Avance2"}) {
        QScrollBar* bar = find<QScrollBar>(window, name);
        bar->setValue(bar->minimum() + 1);
    }
    QLineEdit* lines[] = {find<QLineEdit>(window, "Saisie12"), find<QLineEdit>(window, "Saisie22"),
                          find<QLineEdit>(window, "Saisie32"), find<QLineEdit>(window, "Saisie42"),
                          find<QLineEdit>(window, "Saisie52")};
    for (int line = 0; line < 5; ++line) {
        QString text;
        for (int j = 0; j < kLineLength; ++j)
            text += QChar(33 + (j * 7 + line) % 94);
        lines[line]->setText(text);
    }
}

double millisecondsOf(const std::function<void()>& action)
{
    const auto start = Clock::now();
    action();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> times)
{
    std::nth_element(times.begin(), times.begin() + static_cast<long>(times.size() / 2), times.end());
    return times[times.size() / 2];
}

// The job and layout the button works from, for the core to build alone.
std::pair<EngravingJob, LayoutResult> jobOf(MainWindow& window)
{
    EngravingJob job = engravingJobOf(window.model());
    applyBlankLineRule(job);
    window.model().updateExtents();
    const auto layout = layoutTextBlock(job.blockInput(), window.model().layoutChoices(), window.model().encombrement());
    return {job, std::holds_alternative<LayoutResult>(layout) ? std::get<LayoutResult>(layout) : LayoutResult{}};
}

}  // namespace

void bench::constructionWindowBench()
{
    QTemporaryDir folder;
    if (!folder.isValid() || !QDir(folder.path()).mkdir("Data") || !writeGlyphs(folder.filePath("Data"))) {
        std::printf("construction from the window: FAILED, no work folder\n");
        return;
    }
    const QString startFolder = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const std::filesystem::path work = QFile::encodeName(folder.path()).toStdString();
    const ProgramPlaces places{work, work / "Data", {}};

    MainWindow window;
    setUpWindow(window);
    window.show();
    QApplication::processEvents();
    CountedMessages messages;
    NoPause pause;
    ConstructionAction action(window, messages, pause, places);
    QObject::connect(&window, &MainWindow::buildRequested, &window, [&action] { action.build(); });
    auto* const constructionButton = find<QPushButton>(window, "Const1");
    const auto [job, layout] = jobOf(window);

    // Taken in turn within each run, so that a busy moment weighs on all alike.
    std::vector<double> clickTimes, listingTimes, meteredTimes, coreTimes;
    bool written = layout.totalChars == 5 * kLineLength;
    const auto build = [&](const ConstructionProgress& progress) {
        written = written
            && buildProgramFile(job, layout, places, currentDateTimeTexts(), progress).status
                == ConstructionStatus::Written;
    };
    for (int run = 0; run < kRuns && written; ++run) {
        clickTimes.push_back(millisecondsOf([&] { constructionButton->click(); }));
        written = messages.shown == 0;
        listingTimes.push_back(millisecondsOf([&] { window.reloadListing(); }));
        meteredTimes.push_back(millisecondsOf([&] {
            ConstructionMeter meter(window.meter());
            build([&meter](int done, int total) { meter.showProgress(done, total); });
            meter.rest();
        }));
        coreTimes.push_back(millisecondsOf([&] { build({}); }));
    }
    const auto listingRows = find<QPlainTextEdit>(window, "Programme")->blockCount();
    QDir::setCurrent(startFolder);

    if (!written) {
        std::printf("construction from the window: FAILED, the program was not written\n");
        return;
    }
    const double coreMs = median(coreTimes);
    const double meteredMs = median(meteredTimes);
    const double ratio = meteredMs / coreMs;
    std::printf("construction from the window: %d characters, \"Construire\" clicked: %.1f ms (median of %d)\n",
                layout.totalChars, median(clickTimes), kRuns);
    std::printf("  of which reloading the listing (%d rows): about %.1f ms, the listing box's own cost\n",
                listingRows, median(listingTimes));
    std::printf("  core alone: %.1f ms; core with the window's meter: %.1f ms; ratio %.2f (target <= %.0f): %s\n",
                coreMs, meteredMs, ratio, kTargetRatio, ratio <= kTargetRatio ? "ok" : "TOO SLOW");
}

}  // namespace velmora
