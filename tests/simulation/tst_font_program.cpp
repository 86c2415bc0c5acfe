// The whole font in a real program: every glyph file copied by the program
// writer at two character sizes, with spacing between characters and lines,
// then followed move by move to prove that each character's cuts stay in its
// own cell, at the engraving depth, and that the tool travels above the work.

#include "common/codepage.h"
#include "common/numbers.h"
#include "construction/program_construction.h"
#include "layout/block_layout.h"
#include "layout/extents.h"
#include "simulation/cell_check.h"

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace velmora;

namespace {

const std::filesystem::path kDataFolder = VELMORA_DATA_DIR;
constexpr int kCharactersPerLine = 44;

// Every character that has a glyph file, spread over the five lines.
PerLine<std::u32string> everyGlyphInFiveLines()
{
    std::u32string all;
    for (int code = 33; code <= 255; ++code)
        if (std::filesystem::exists(kDataFolder / ("Ascii" + std::to_string(code) + ".prg")))
            all += cp1252::decode(static_cast<std::uint8_t>(code));
    all += U' ';  // the blank too, inside a line
    PerLine<std::u32string> lines;
    for (int line = 1; line <= kLineCount; ++line)
        lines[line] = all.substr(static_cast<std::size_t>((line - 1) * kCharactersPerLine), kCharactersPerLine);
    return lines;
}

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

class FontProgramTest : public QObject {
    Q_OBJECT
private slots:
    void everyGlyphStaysInItsCell_data();
    void everyGlyphStaysInItsCell();
};

void FontProgramTest::everyGlyphStaysInItsCell_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<double>("workTop");
    QTest::newRow("3 mm, spacing 2, work top at 0") << 3 << 2 << 0.0;
    QTest::newRow("11 mm, spacing 1, work top at -2.5") << 11 << 1 << -2.5;
}

void FontProgramTest::everyGlyphStaysInItsCell()
{
    QFETCH(int, size);
    QFETCH(int, spacing);
    QFETCH(double, workTop);

    EngravingJob job;
    job.lineText = everyGlyphInFiveLines();
    ExtentsInput extents{job.lineText, std::to_string(size), std::to_string(spacing), size, 1};
    const ExtentsTexts shown = computeExtents(extents);
    for (int line = 1; line <= kLineCount; ++line)
        job.lineWidth[line] = leadingNumber(shown.lineReadout[line]);
    job.posX = 12.5;
    job.posY = -4;
    job.approachZ = workTop + 1;
    job.charWidth = static_cast<float>(size);
    job.charSpacing = static_cast<float>(spacing);
    job.lineSpacing = 1;
    job.toolText = job.correctorText = "1";
    job.rangeText = "40";
    job.spindleText = "9000";
    job.feedText = "300";
    job.programNumber = "%1";

    const auto placed = layoutTextBlock(job.blockInput(),
                                        {Justification::Left, Placement::Free, Corner::None},
                                        shown.encombrement);
    QVERIFY(std::holds_alternative<LayoutResult>(placed));
    const auto& layout = std::get<LayoutResult>(placed);

    QTemporaryDir work;
    const ConstructionOutcome outcome =
        buildProgramFile(job, layout, {work.path().toStdString(), kDataFolder, {}}, {"06/12/2026", "10:00:00"});
    QCOMPARE(int(outcome.status), int(ConstructionStatus::Written));

    std::vector<simulation::Cell> cells;
    for (int line = layout.firstLine; line <= layout.lastLine; ++line) {
        double x = layout.startX[line];
        for (std::size_t j = 0; j < job.lineText[line].size(); ++j) {
            cells.push_back(simulation::cellAt(x, layout.baseY[line], size));
            x = job.charWidth + x + job.charSpacing;
        }
    }
    QCOMPARE(int(cells.size()), layout.totalChars);

    simulation::CellCheckOptions options;
    options.workTopZ = workTop;
    options.engravingZ = workTop - 0.2;
    const std::string program = readFile(std::filesystem::path(work.path().toStdString()) / "velmora.rub");
    const auto violations = simulation::checkProgramAgainstCells(program, cells, options);
    for (std::size_t i = 0; i < violations.size() && i < 10; ++i)
        qWarning("line %d, cell %d: %s", violations[i].line, violations[i].cell, violations[i].what.c_str());
    QVERIFY(violations.empty());
}

QTEST_APPLESS_MAIN(FontProgramTest)
#include "tst_font_program.moc"
