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

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace velmora;
using namespace velmora::simulation;

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

QByteArray lines(const QStringList& list)
{
    return (list.join("\r\n") + "\r\n").toLatin1();
}

// A glyph as the font writes one: a stroke from (1,1) to (3,1) at 0.2 mm deep.
const QStringList kGlyph = {"G91", "G0X1Y1", "G1Z-1.2", "G1X2Y0", "G0Z1.2", "G90"};

// Two characters 4 mm wide at x 10 and 15 on a line based at y 20, with the
// program's own lines around them; `first` and `second` are their glyphs.
QByteArray twoCharacters(const QStringList& first, const QStringList& second)
{
    return lines(QStringList{"%1", "G0G17G40G80G90M5M9", "G0G52Z", "M3M40S2000", "F300", "$ LIGNE  1",
                             "G0X10Y20", "G0Z1", "G0X10Y20"} +
                 first + QStringList{"G0X15Y20"} + second + QStringList{"G0G52Z", "M5M9", "M2"});
}

QStringList replaced(QStringList glyph, int index, const QString& line)
{
    glyph[index] = line;
    return glyph;
}

const std::vector<Cell> kCells = {cellAt(10, 20, 4), cellAt(15, 20, 4)};

std::vector<Violation> check(const QByteArray& text)
{
    CellCheckOptions options;
    options.engravingZ = -0.2;
    return checkProgramAgainstCells(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), kCells,
                                    options);
}

QString describe(const std::vector<Violation>& violations)
{
    QStringList parts;
    for (const Violation& v : violations)
        parts << QString("line %1, cell %2: %3").arg(v.line).arg(v.cell).arg(QString::fromStdString(v.what));
    return parts.join("; ");
}

}  // namespace

class FontProgramTest : public QObject {
    Q_OBJECT
private slots:
    void everyGlyphStaysInItsCell_data();
    void everyGlyphStaysInItsCell();
    void checkerFindsFaults_data();
    void checkerFindsFaults();
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
    const Result<void> outcome =
        buildProgramFile(job, layout, {work.path().toStdString(), kDataFolder, {}}, {"06/12/2026", "10:00:00"});
    QVERIFY(outcome.ok());

    std::vector<Cell> cells;
    for (int line = layout.firstLine; line <= layout.lastLine; ++line) {
        double x = layout.startX[line];
        for (std::size_t j = 0; j < job.lineText[line].size(); ++j) {
            cells.push_back(cellAt(x, layout.baseY[line], size));
            x = job.charWidth + x + job.charSpacing;
        }
    }
    QCOMPARE(int(cells.size()), layout.totalChars);

    CellCheckOptions options;
    options.workTopZ = workTop;
    options.engravingZ = workTop - 0.2;
    const std::string program = readFile(std::filesystem::path(work.path().toStdString()) / "velmora.rub");
    const auto violations = checkProgramAgainstCells(program, cells, options);
    QVERIFY2(violations.empty(), qPrintable(describe(violations)));
}

// What the cell check above looks for, each found where it is.
void FontProgramTest::checkerFindsFaults_data()
{
    QTest::addColumn<QByteArray>("text");
    // The violation that says this, where it finds the fault.
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("says");

    // Glyph lines of the first character are program lines 10 to 15.
    QTest::newRow("cut past the right edge")
        << twoCharacters(replaced(kGlyph, 3, "G1X3.5Y0"), kGlyph) << 13 << 0 << "leaves the cell";
    QTest::newRow("arc bulging over the top")
        << twoCharacters({"G91", "G0X0Y6.5", "G1Z-1.2", "G2X2Y0I1J0", "G0Z1.2", "G90"}, kGlyph) << 13 << 0
        << "leaves the cell";
    QTest::newRow("rapid plunge into the work")
        << twoCharacters(replaced(kGlyph, 2, "G0Z-1.2"), kGlyph) << 12 << 0 << "rapid move into the work";
    QTest::newRow("retract short of the start height")
        << twoCharacters(replaced(kGlyph, 4, "G0Z1"), kGlyph) << 16 << 0 << "not at its starting height";
    QTest::newRow("unreadable glyph line")
        << twoCharacters(replaced(kGlyph, 3, "G1X2Y0F100Q1"), kGlyph) << 13 << -1 << "cannot be read";
}

void FontProgramTest::checkerFindsFaults()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(int, cell);
    QFETCH(QString, says);
    const std::vector<Violation> violations = check(text);
    const auto found = std::find_if(violations.begin(), violations.end(), [&](const Violation& v) {
        return QString::fromStdString(v.what).contains(says);
    });
    QVERIFY2(found != violations.end(), qPrintable("not found among: " + describe(violations)));
    QCOMPARE(found->line, line);
    QCOMPARE(found->cell, cell);
}

QTEST_APPLESS_MAIN(FontProgramTest)
#include "tst_font_program.moc"
