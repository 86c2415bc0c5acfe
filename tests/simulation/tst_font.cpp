// The font: the glyph files in Data as the construction will read them, one
// for every printable character, each the generator's drawing, holding nothing
// the copy into a program would change, all on one vertical plan; then the
// whole font in a real program at two sizes, followed move by move: each
// character's cuts stay in its own cell at the engraving depth, and the tool
// travels above the work.

#include "common/codepage.h"
#include "fontgen/font.h"
#include "simulation/glyph_proof.h"
#include "simulation/glyph_rules.h"
#include "simulation/program_measures.h"
#include "tests/construction/construction_fixture.h"

#include <QFile>
#include <QtTest>

#include <algorithm>

using namespace velmora;
using namespace velmora::simulation;
using namespace velmora::testing;

namespace {

const std::filesystem::path kDataFolder = VELMORA_DATA_DIR;
// At the drawn size one unit is one millimetre, so the glyph's own rule on
// arcs (ends on the circle within 0.001) is the interpreter's tolerance.
constexpr double kGlyphArcTolerance = 0.001;
// Glyph coordinates are written to the thousandth, and arcs are set on their
// circles by moving an end a step or two.
constexpr double kPlanTolerance = 0.002;

bool isPrintable(int code)
{
    const char32_t c = cp1252::decode(static_cast<std::uint8_t>(code));
    return code >= 32 && code != 127 && !(c >= 0x80 && c < 0xA0);
}

QString glyphPath(int code)
{
    return QStringLiteral(VELMORA_DATA_DIR "/Ascii%1.prg").arg(code);
}

std::string readGlyph(int code)
{
    QFile file(glyphPath(code));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Ink of one glyph set at the origin.
Bounds inkOf(int code)
{
    const GlyphProof proof = unitScaleProof({{readGlyph(code)}});
    return cuttingBounds(interpretProgram(proof.program, {.arcTolerance = kGlyphArcTolerance}).moves);
}

// Every character that has a glyph file but the blank, and the blank inside
// a line, 44 to a line.
PerLine<std::u32string> everyGlyphInFiveLines()
{
    std::u32string all;
    for (int code = 33; code <= 255; ++code)
        if (QFile::exists(glyphPath(code)))
            all += cp1252::decode(static_cast<std::uint8_t>(code));
    all += U' ';
    PerLine<std::u32string> lines;
    for (int line = 1; line <= kLineCount; ++line)
        lines[line] = all.substr(static_cast<std::size_t>((line - 1) * 44), 44);
    return lines;
}

// What the glyph check or the cell check found, each on its line.
template <typename Finding>
QString describe(const std::vector<Finding>& found)
{
    QStringList parts;
    for (const Finding& f : found)
        parts << QString("line %1: %2").arg(f.line).arg(QString::fromStdString(f.what));
    return parts.join("; ");
}

template <typename Finding>
const Finding* saying(const std::vector<Finding>& found, const QString& says)
{
    const auto it = std::find_if(found.begin(), found.end(),
                                 [&](const Finding& f) { return QString::fromStdString(f.what).contains(says); });
    return it == found.end() ? nullptr : &*it;
}

// A sound glyph file.
const QStringList kSound = {"$ CAR 65 A", "G91", "G0X0Y1.25", "G1Z-1.2", "G1X2Y4.5", "G3X-.5Y.5I0J.5", "G0Z1.2", "G90"};

// A glyph as the font writes one: a stroke from (1,1) to (3,1) at 0.2 mm deep.
const QStringList kGlyph = {"G91", "G0X1Y1", "G1Z-1.2", "G1X2Y0", "G0Z1.2", "G90"};

QStringList replaced(QStringList glyph, int index, const QString& line)
{
    glyph[index] = line;
    return glyph;
}

// Two characters 4 mm wide at x 10 and 15 on a line based at y 20, with the
// program's own lines around them; `first` and `second` are their glyphs.
QByteArray twoCharacters(const QStringList& first, const QStringList& second)
{
    return programBytes(QStringList{"%1", "G0G17G40G80G90M5M9", "G0G52Z", "M3M40S2000", "F300", "$ LIGNE  1",
                                    "G0X10Y20", "G0Z1", "G0X10Y20"}
                        + first + QStringList{"G0X15Y20"} + second + QStringList{"G0G52Z", "M5M9", "M2"});
}

// What a row of the vertical plan measures on each of its characters.
enum Edge { LowestInk, HighestInk, Sides, NoInk };

}  // namespace

class FontTest : public QObject {
    Q_OBJECT
private slots:
    void eachCode_data()
    {
        QTest::addColumn<int>("code");
        for (int code = 0; code < 256; ++code)
            QTest::addRow("Ascii%d", code) << code;
    }

    // A printable character has a glyph file, and no other does. The file is
    // the generator's drawing, and holds nothing the copy into a program would
    // drop or change.
    void eachCode()
    {
        QFETCH(int, code);
        QCOMPARE(QFile::exists(glyphPath(code)), isPrintable(code));
        if (!isPrintable(code))
            return;
        static const std::map<int, fontgen::GlyphProgram> generated = fontgen::engravingFontFiles();
        QVERIFY2(generated.count(code), "the generator has no drawing for it");
        QVERIFY2(generated.at(code).text == readGlyph(code), "Data differs from the generator: regenerate the font");
        const std::vector<GlyphIssue> issues = checkGlyphText(readGlyph(code));
        QVERIFY2(issues.empty(), qPrintable(describe(issues)));
    }

    // The vertical plan: inner base line 1.25, x-height 4.25, capitals and
    // ascenders 5.75, descenders down to 0, accents above; wide letters fill
    // the cell, so that the spacing the operator sets is the gap between them.
    void verticalPlan_data()
    {
        QTest::addColumn<QString>("characters");
        QTest::addColumn<int>("edge");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        const auto add = [](const char* name, const QString& characters, Edge edge, double low, double high) {
            QTest::newRow(name) << characters << int(edge) << low << high;
        };
        add("letters and figures stand on the base line",
            "ABCDEFGHIJKLMNOPQRSTUVWXYZÆŒÐØÞ0123456789abcdefhiklmnorstuvwxzæœðøß"
            "ÀÁÂÃÄÅÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÚÛÜÝŸŠŽàáâãäåèéêëìíîïñòóôõöùúûüšž",
            LowestInk, 1.25, 1.25);
        add("descenders reach the cell bottom", "gjpqyýÿþµ", LowestInk, 0, 0);
        add("cedilla and comma hang below the line", "Çç,;‚„¸", LowestInk, 0.2, 0.8);
        add("capitals, figures and ascenders reach the capital height",
            "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789bdfhklþß", HighestInk, 5.75, 5.75);
        add("x-height letters", "acemnorsuvwxzæœ", HighestInk, 4.25, 4.25);
        add("accents over small letters stay under the capital height", "àáâãäåèéêëìíîïñòóôõöùúûüýÿšž", HighestInk,
            4.75, 5.75);
        add("accents over capitals fit in the cell", "ÀÁÂÃÄÅÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÚÛÜÝŸŠŽ", HighestInk, 6.25, 7);
        add("wide letters fill the cell", "ABDGHKMNOQTUVWXYZmw", Sides, 0, 4);
        add("blanks cut nothing", QString(" ") + QChar(0xA0), NoInk, 0, 0);
    }

    void verticalPlan()
    {
        QFETCH(QString, characters);
        QFETCH(int, edge);
        QFETCH(double, low);
        QFETCH(double, high);
        const auto within = [](double v, double from, double to) {
            return v >= from - kPlanTolerance && v <= to + kPlanTolerance;
        };
        for (const char32_t c : characters.toStdU32String()) {
            const Bounds ink = inkOf(*cp1252::encode(c));
            bool ok = ink.empty == (edge == NoInk);
            if (edge == LowestInk)
                ok = ok && within(ink.minY, low, high);
            else if (edge == HighestInk)
                ok = ok && within(ink.maxY, low, high);
            else if (edge == Sides)
                ok = ok && within(ink.minX, low, low) && within(ink.maxX, high, high);
            QVERIFY2(ok, qPrintable(QString("%1: ink x %2 to %3, y %4 to %5").arg(QString::fromStdU32String({c}))
                                        .arg(ink.minX).arg(ink.maxX).arg(ink.minY).arg(ink.maxY)));
        }
    }

    // What the glyph check above looks for, each found on the line that holds it.
    void glyphCheckFindsFaults_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("says");
        // Words the copy drops or changes. (The copy reads any line end, and a
        // glyph left in G91 shows in the whole font's program.)
        QTest::newRow("feed word") << programBytes(replaced(kSound, 4, "G1X2Y4.5F100")) << 5 << "'F' is dropped";
        QTest::newRow("seven-character number") << programBytes(replaced(kSound, 4, "G1X-1.2345Y4.5")) << 5
                                                << "longer than the copy";
        QTest::newRow("two G words") << programBytes(replaced(kSound, 4, "G91G1X2Y4.5")) << 5 << "more than one G word";
        QTest::newRow("blank inside a move") << programBytes(replaced(kSound, 4, "G1 X2Y4.5")) << 5 << "blank inside";
        // Comments reach the machine as they stand.
        QTest::newRow("comma in a comment") << programBytes(replaced(kSound, 0, "$ A, B")) << 1
                                            << "splits it when sent";
        QTest::newRow("accented byte in a comment")
            << programBytes(replaced(kSound, 0, QString::fromLatin1("$ \xE9"))) << 1 << "byte 0xE9";
    }

    void glyphCheckFindsFaults()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, says);
        const std::vector<GlyphIssue> issues = checkGlyphText(bytes.toStdString());
        const GlyphIssue* found = saying(issues, says);
        QVERIFY2(found, qPrintable("not found among: " + describe(issues)));
        QCOMPARE(found->line, line);
    }

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
        QVERIFY(buildProgramFile(job, *layout, {toPath(work.path()), kDataFolder, {}}, kStamp).ok());

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

    // What the cell check above looks for, each found where it is: its line
    // and its cell.
    void cellCheckFindsFaults_data()
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

    void cellCheckFindsFaults()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(int, cell);
        QFETCH(QString, says);
        CellCheckOptions options;
        options.engravingZ = -0.2;
        const std::vector<Cell> cells = {cellAt(10, 20, 4), cellAt(15, 20, 4)};
        const auto violations = checkProgramAgainstCells(text.toStdString(), cells, options);
        const Violation* found = saying(violations, says);
        QVERIFY2(found, qPrintable("not found among: " + describe(violations)));
        QCOMPARE(found->line, line);
        QCOMPARE(found->cell, cell);
    }
};

QTEST_APPLESS_MAIN(FontTest)
#include "tst_font.moc"
