#pragma once
// Helpers shared by the construction tests: a work folder with its glyph
// folder, glyph files written from the test's own bytes, and jobs built from
// a few values and laid out.

#include "construction/engraving_job.h"
#include "construction/program_construction.h"
#include "common/numbers.h"
#include "layout/block_layout.h"
#include "layout/extents.h"
#include "tests/support/working_folder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <utility>

namespace velmora::testing {

inline const DateTimeTexts kStamp{"06/12/2026", "14:03:27"};

inline std::filesystem::path toPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

// Program lines joined with CR LF, the last one ended too.
inline QByteArray programBytes(const QStringList& lines)
{
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

// A temporary work folder holding Data/ with the glyph files given.
class WorkFolder {
public:
    explicit WorkFolder(std::initializer_list<std::pair<int, QByteArray>> glyphs = {})
    {
        QDir(dir_.path()).mkdir("Data");
        for (const auto& [code, bytes] : glyphs)
            addGlyph(code, bytes);
    }

    QString path(const QString& name = {}) const { return name.isEmpty() ? dir_.path() : dir_.filePath(name); }
    QString glyphPath(int code) const { return path("Data/Ascii" + QString::number(code) + ".prg"); }
    bool addGlyph(int code, const QByteArray& bytes) const { return writeBytes(glyphPath(code), bytes); }
    ProgramPlaces places() const { return {toPath(path()), toPath(path("Data")), {}}; }
    QByteArray program() const { return readBytes(path("velmora.rub")); }

    // The folder's entries other than Data, sorted: a construction must leave
    // nothing but velmora.rub behind.
    QStringList entries() const
    {
        QStringList names = QDir(path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                                   QDir::Name);
        names.removeAll("Data");
        return names;
    }

private:
    QTemporaryDir dir_;
};

// The machining values of the worked example: tool 3, corrector 3, changer
// and coolant on, range 40, 2000 rpm, feed 300, program %12.
inline EngravingJob machiningJob()
{
    return {.lineText = {}, .lineWidth = {}, .approachZ = 3.5, .charWidth = 4, .charSpacing = 1, .toolChange = true,
            .coolant = true, .toolText = "3", .correctorText = "3", .rangeText = "40", .spindleText = "2000",
            .feedText = "300", .programNumber = "%12"};
}

// Puts the texts in the job and a layout that starts every line at the
// given place, lines firstLine to lastLine being those that hold text.
inline LayoutResult placeLines(EngravingJob& job, const QStringList& texts, const QList<double>& startX,
                               const QList<double>& baseY)
{
    LayoutResult layout;
    for (int line = 1; line <= kLineCount; ++line) {
        job.lineText[line] = texts.value(line - 1).toStdU32String();
        layout.charCount[line] = static_cast<int>(job.lineText[line].size());
        layout.totalChars += layout.charCount[line];
        layout.startX[line] = startX.value(line - 1);
        layout.baseY[line] = baseY.value(line - 1);
        if (lineHoldsText(job.lineText[line])) {
            ++layout.filledLines;
            if (layout.firstLine == 0)
                layout.firstLine = line;
            layout.lastLine = line;
        }
    }
    return layout;
}

// Lays the job out as the window does: line widths and extents read out from
// its texts, blank lines handled, then the layout step with the three choices.
inline std::optional<LayoutResult> layOutJob(EngravingJob& job, const LayoutChoices& choices)
{
    const auto text = [](float value) { return QString::number(value).toStdString(); };
    const ExtentsTexts shown = computeExtents({job.lineText, text(job.charWidth), text(job.charSpacing),
                                               int(job.charWidth), int(job.lineSpacing)});
    for (int line = 1; line <= kLineCount; ++line)
        job.lineWidth[line] = leadingNumber(shown.lineReadout[line]);
    applyBlankLineRule(job);
    const auto laid = layoutTextBlock(job.blockInput(), choices, shown.encombrement);
    if (const auto* layout = std::get_if<LayoutResult>(&laid))
        return *layout;
    return std::nullopt;
}

}  // namespace velmora::testing
