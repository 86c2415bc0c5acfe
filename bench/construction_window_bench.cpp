// "Construire" from the window: a construction of 10,000 characters (five
// lines of 2,000 of French text, the shipped font) started by the button,
// against the construction core writing the same program alone, in one run.
// The whole click (reading the job, laying it out, the core, the meter and
// the listing given the program written; the pause with the full bar left
// out) should cost little more than the core.

#include "benches.h"

#include "bench_programs.h"

#include "app/construction_action.h"
#include "construction/program_writer.h"
#include "panel/form_job.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/pause.h"
#include "panel/program_listing_view.h"
#include "silent_seams.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <variant>
#include <vector>

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLineLength = 2000;
constexpr int kRuns = 15;
constexpr double kTargetRatio = 1.3;

class CountedMessages final : public MessageSeam {
public:
    int shown = 0;
    MessageAnswer show(MessageIcon, MessageButtons, const QString&, const QString&, const QString& = QString()) override
    {
        ++shown;
        return MessageAnswer::Ok;
    }
};

template <typename Control>
Control* find(MainWindow& window, const char* name)
{
    return window.findChild<Control*>(QString::fromUtf8(name));
}

// Five lines of 2,000 characters, free placement, left-justified.
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
        lines[line]->setText(bench::sampleLine(kLineLength, line + 1));
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
    if (!folder.isValid()) {
        std::printf("construction from the window: FAILED, no work folder\n");
        return;
    }
    const QString startFolder = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const std::filesystem::path work = QFile::encodeName(folder.path()).toStdString();
    const ProgramPlaces places{work, bench::shippedFontFolder(), {}};

    MainWindow window;
    setUpWindow(window);
    window.show();
    QApplication::processEvents();
    CountedMessages messages;
    bench::NoPause pause;
    ConstructionAction action(window, messages, pause, places);
    QObject::connect(&window, &MainWindow::buildRequested, &window, [&action] { action.build(); });
    auto* const constructionButton = find<QPushButton>(window, "Const1");
    const auto [job, layout] = jobOf(window);

    // Taken in turn within each run, so that a busy moment weighs on all alike.
    std::vector<double> clickTimes, shownTimes, readBackTimes, coreTimes;
    GlyphCache glyphs;
    bool written = layout.totalChars == 5 * kLineLength;
    for (int run = 0; run < kRuns && written; ++run) {
        clickTimes.push_back(millisecondsOf([&] { constructionButton->click(); }));
        written = messages.shown == 0;
        std::optional<Result<WrittenProgram>> built;
        coreTimes.push_back(
            millisecondsOf([&] { built = buildProgramFile(job, layout, places, currentDateTimeTexts(), glyphs); }));
        written = written && built->ok();
        if (written)
            shownTimes.push_back(millisecondsOf([&] { window.showWrittenProgram(std::move(built->value())); }));
        readBackTimes.push_back(millisecondsOf([&] { window.reloadListing(); }));
    }
    const auto listingRows = static_cast<int>(find<ProgramListingView>(window, "Programme")->rowCount());
    QDir::setCurrent(startFolder);

    if (!written) {
        std::printf("construction from the window: FAILED, the program was not written\n");
        return;
    }
    const double coreMs = median(coreTimes);
    const double clickMs = median(clickTimes);
    const double ratio = clickMs / coreMs;
    std::printf("== \"Construire\" in the window ==\n");
    std::printf("whole click, %d characters: %.1f ms; core alone: %.1f ms; ratio %.2f (target <= %.1f): %s "
                "(medians of %d)\n",
                layout.totalChars, clickMs, coreMs, ratio, kTargetRatio, ratio <= kTargetRatio ? "ok" : "TOO SLOW",
                kRuns);
    std::printf("  of which showing the program written in the listing (%d rows): about %.2f ms\n", listingRows,
                median(shownTimes));
    std::printf("  (reading the listing from the file, as at start-up: %.2f ms)\n", median(readBackTimes));
}

}  // namespace velmora
