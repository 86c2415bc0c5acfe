// The main window's live work: the extents recomputed on every key the
// operator types, and the listing loaded after a construction.

#include "benches.h"

#include "panel/main_window.h"
#include "transmission/program_listing.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
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

// A program of `lines` moves, shaped like the construction's output.
QByteArray largeProgram(int lines)
{
    QByteArray program("%1\r\n(VELMORA)\r\nG0 G40 G80 G90\r\n");
    for (int i = 0; i < lines; ++i)
        program += "G1 X" + QByteArray::number(i % 400 - 200) + ".125 Y" + QByteArray::number(i % 97)
            + ".5 Z-.2\r\n";
    program += "M2\r\n";
    return program;
}

void typingBench(MainWindow& window)
{
    constexpr int kKeys = 2000;
    auto* line = window.findChild<QLineEdit*>(QStringLiteral("Saisie12"));
    // Sizes set as start-up sets them, so every key changes the read-outs the
    // operator sees (blank value boxes would hold every width at 0).
    window.findChild<QScrollBar*>(QStringLiteral("Echelle2"))->setValue(5);
    window.findChild<QScrollBar*>(QStringLiteral("Espace2"))->setValue(2);
    const auto start = Clock::now();
    for (int i = 0; i < kKeys; ++i)
        line->setText(QString(i % 60 + 1, QLatin1Char('A')));
    const double perKey = millisecondsSince(start) / kKeys;
    std::printf("  extents per typed key: %.3f ms (target below 5 ms, so typing stays live)\n", perKey);
}

void listingBench(MainWindow& window)
{
    constexpr int kLines = 20000;
    QTemporaryDir folder;
    const QString startFolder = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QFile file(QStringLiteral("velmora.rub"));
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QByteArray program = largeProgram(kLines);
    file.write(program);
    file.close();

    const auto start = Clock::now();
    window.reloadListing();
    const double elapsed = millisecondsSince(start);
    QDir::setCurrent(startFolder);
    std::printf("  listing of %d lines (%lld KB): %.1f ms (target below 1000 ms)\n", kLines,
                static_cast<long long>(program.size() / 1024), elapsed);
}

}  // namespace

void bench::windowBench()
{
    std::printf("Main window\n");
    MainWindow window;
    typingBench(window);
    listingBench(window);
}

}  // namespace velmora
