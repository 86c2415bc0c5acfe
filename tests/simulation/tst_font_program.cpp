// The whole font in a real program: every glyph file copied by the program
// writer at two character sizes, with spacing between characters and lines,
// then followed move by move to prove that each character's cuts stay in its
// own cell, at the engraving depth, and that the tool travels above the work.

#include "common/codepage.h"
#include "simulation/cell_check.h"
#include "tests/construction/construction_fixture.h"

#include <QtTest>

#include <algorithm>

using namespace velmora;
using namespace velmora::simulation;
using namespace velmora::testing;

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

// A glyph as the font writes one: a stroke from (1,1) to (3,1) at 0.2 mm deep.
const QStringList kGlyph = {"G91", "G0X1Y1", "G1Z-1.2", "G1X2Y0", "G0Z1.2", "G90"};

// Two characters 4 mm wide at x 10 and 15 on a line based at y 20, with the
// program's own lines around them; `first` and `second` are their glyphs.
QByteArray twoCharacters(const QStringList& first, const QStringList& second)
{
    return programBytes(QStringList{"%1", "G0G17G40G80G90M5M9", "G0G52Z", "M3M40S2000", "F300", "$ LIGNE  1",
                                    "G0X10Y20", "G0Z1", "G0X10Y20"}
                        + first + QStringList{"G0X15Y20"} + second + QStringList{"G0G52Z", "M5M9", "M2"});
}

QStringList replaced(QStringList glyph, int index, const QString& line)
{
    glyph[index] = line;
    return glyph;
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
    void everyGlyphStaysInItsCell_data()
    {
        QTest::addColumn<float>("size");
        QTest::addColumn<float>("spacing");
        QTest::addColumn<double>("workTop");
        QTest::newRow("3 mm, spacing 2, work top at 0") << 3.f << 2.f << 0.0;
        QTest::newRow("11 mm, spacing 1, work top at -2.5") << 11.f << 1.f << -2.5;
    }

    void everyGlyphStaysInItsCell()
    {
        QFETCH(float, size);
        QFETCH(float, spacing);
        QFETCH(double, workTop);
        EngravingJob job = machiningJob();
        job.lineText = everyGlyphInFiveLines();
        job.charWidth = size;
        job.charSpacing = spacing;
        job.lineSpacing = 1;
        job.posX = 12.5;
        job.posY = -4;
        job.approachZ = workTop + 1;
        const auto layout = layOutJob(job, {Justification::Left, Placement::Free, Corner::None});
        QVERIFY(layout);
        const WorkFolder work;
        QCOMPARE(buildProgramFile(job, *layout, {toPath(work.path()), kDataFolder, {}}, kStamp).status,
                 ConstructionStatus::Written);

        std::vector<Cell> cells;
        for (int line = layout->firstLine; line <= layout->lastLine; ++line)
            for (std::size_t j = 0; j < job.lineText[line].size(); ++j)
                cells.push_back(cellAt(layout->startX[line] + double(j) * (size + spacing), layout->baseY[line], size));
        QCOMPARE(int(cells.size()), layout->totalChars);
        CellCheckOptions options;
        options.workTopZ = workTop;
        options.engravingZ = workTop - 0.2;
        const auto violations = checkProgramAgainstCells(work.program().toStdString(), cells, options);
        QVERIFY2(violations.empty(), qPrintable(describe(violations)));
    }

    // What the cell check above looks for, each found where it is: the
    // violation that says this, its line and cell.
    void checkerFindsFaults_data()
    {
        QTest::addColumn<QByteArray>("text");
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

    void checkerFindsFaults()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(int, cell);
        QFETCH(QString, says);
        CellCheckOptions options;
        options.engravingZ = -0.2;
        const std::vector<Cell> cells = {cellAt(10, 20, 4), cellAt(15, 20, 4)};
        const auto violations = checkProgramAgainstCells(text.toStdString(), cells, options);
        const auto found = std::find_if(violations.begin(), violations.end(), [&](const Violation& v) {
            return QString::fromStdString(v.what).contains(says);
        });
        QVERIFY2(found != violations.end(), qPrintable("not found among: " + describe(violations)));
        QCOMPARE(found->line, line);
        QCOMPARE(found->cell, cell);
    }
};

QTEST_APPLESS_MAIN(FontProgramTest)
#include "tst_font_program.moc"
