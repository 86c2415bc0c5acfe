// The program file a construction writes, compared whole and byte for byte,
// and how glyph files are read and scaled.

#include "construction_fixture.h"

#include "construction/coordinate_text.h"
#include "construction/glyph_file.h"
#include "construction/program_writer.h"

#include "common/numbers.h"

#include <QtTest>

#include <cmath>
#include <random>
#include <vector>

using namespace velmora;
using namespace velmora::testing;

namespace {

// The glyphs of the worked example, drawn on the 4 x 7 grid; at charWidth 4
// one unit is one millimetre.
const QByteArray kGlyphA = "$ A majuscule\r\nG0X0Y0\r\nG1Z-.2F100\r\nG1X2Y7\r\nG1X4Y0\r\nG0Z1\r\n";
const QByteArray kGlyphB = "G0X0Y0\r\nG1Z-.2\r\nG1Y7\r\nG02X0Y3.5I0J-1.75\r\nG0Z1\r\n";
const QByteArray kGlyphC = "G0X4Y7\r\nG1Z-.2\r\nG1X0\r\nG1Y0\r\nG1X4\r\nG0Z1";  // no final line end

const QStringList kProgramA = {"$ A majuscule", "G0X0Y0", "G1Z-.2", "G1X2Y7", "G1X4Y0", "G0Z1"};
const QStringList kProgramB = {"G0X0Y0", "G1Z-.2", "G1Y7", "G2X0Y3.5I0J-1.75", "G0Z1"};
const QStringList kProgramC = {"G0X4Y7", "G1Z-.2", "G1X0", "G1Y0", "G1X4", "G0Z1"};

const QStringList kHeader = {"%12", "$ *************", "$ VELMORA", "$ VERSION 2.1", "$ RM.TOLK", "$ *************",
                             "$ LE 06/12/2026", "$ A 14:03:27", "$ *************", "G0G17G40G80G90M5M9", "G0G52Z",
                             "M6T3D3", "M3M8M40S2000", "F300"};
const QStringList kEnd = {"G0G52Z", "M5M9", "M2"};

QStringList lineHead(int line, const QString& move)
{
    return {"$ *************", "$ LIGNE  " + QString::number(line), "$ *************", move, "G0Z3.5"};
}

// The lines between the set-up block and the end block.
QStringList programBody(const QByteArray& program)
{
    QStringList lines = QString::fromLatin1(program).split("\r\n");
    if (lines.size() < kHeader.size() + kEnd.size() + 1)
        return {};
    return lines.mid(kHeader.size(), lines.size() - kHeader.size() - kEnd.size() - 1);
}

}  // namespace

class ProgramFileTest : public QObject {
    Q_OBJECT
private slots:
    void workedExample()
    {
        WorkFolder folder({{65, kGlyphA}, {66, kGlyphB}, {67, kGlyphC}});
        EngravingJob job = machiningJob();
        const LayoutResult layout = placeLines(job, {"ABC", "AB"}, {43, 45.5}, {-24, -33});

        const auto outcome = buildProgramFile(job, layout, folder.places(), kStamp);
        QVERIFY(outcome.ok());

        const QStringList expected = kHeader + lineHead(1, "G0X43Y-24") + QStringList{"G0X43Y-24"} + kProgramA
            + QStringList{"G0X48Y-24"} + kProgramB + QStringList{"G0X53Y-24"} + kProgramC
            + lineHead(2, "G0X45.5Y-33") + QStringList{"G0X45.5Y-33"} + kProgramA + QStringList{"G0X50.5Y-33"}
            + kProgramB + kEnd;
        QCOMPARE(folder.program(), programBytes(expected));
        QCOMPARE(folder.entries(), QStringList{"velmora.rub"});
    }

    // The texts are tool, corrector, range, spindle and feed; the words are
    // the tool, spindle and feed lines.
    void machiningWords_data()
    {
        QTest::addColumn<bool>("toolChange");
        QTest::addColumn<bool>("coolant");
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QString>("expected");
        QTest::newRow("changer only, texts not trimmed") << true << false << " 12|07|45 |800|50"
                                                         << "M6T 12D07|M3M45 S800|F50";
        QTest::newRow("empty texts give bare words") << false << false << "||||" << "TD|M3MS|F";
    }

    void machiningWords()
    {
        QFETCH(bool, toolChange);
        QFETCH(bool, coolant);
        QFETCH(QString, texts);
        QFETCH(QString, expected);
        const QStringList text = texts.split('|');
        EngravingJob job;
        job.toolChange = toolChange;
        job.coolant = coolant;
        job.toolText = text[0].toStdString();
        job.correctorText = text[1].toStdString();
        job.rangeText = text[2].toStdString();
        job.spindleText = text[3].toStdString();
        job.feedText = text[4].toStdString();
        const MachiningWords words = velmora::machiningWords(job);
        QCOMPARE(QString::fromStdString(words.toolLine + '|' + words.spindleLine + '|' + words.feedLine), expected);
    }

    // The block writer on its own: blanks are characters, and the pitch is
    // worked out in double precision from single-precision values, so a
    // spacing of 0.1 shows the single-precision 0.1. Line heads and empty
    // lines are checked through the window (construction action test).
    void lineBlocks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("charSpacing");
        QTest::addColumn<QStringList>("moves");  // after the line head
        QTest::newRow("blanks are characters")
            << " AB " << 1.0f << QStringList{"G0Z1", "G0X5Y0", "G1X1", "G0X10Y0", "G1X2", "G0X15Y0", "G0Z1"};
        QTest::newRow("single-precision spacing")
            << "AA" << 0.1f << QStringList{"G1X1", "G0X4.10000000149012Y0", "G1X1"};
    }

    void lineBlocks()
    {
        QFETCH(QString, text);
        QFETCH(float, charSpacing);
        QFETCH(QStringList, moves);
        WorkFolder folder({{65, "G1X1\r\n"}, {66, "G1X2\r\n"}, {32, "G0Z1\r\n"}});
        EngravingJob job = machiningJob();
        job.charSpacing = charSpacing;
        const LayoutResult layout = placeLines(job, {text}, {0}, {0});

        QVERIFY(buildProgramFile(job, layout, folder.places(), kStamp).ok());
        const QByteArray program = folder.program();
        QVERIFY(program.endsWith("G0G52Z\r\nM5M9\r\nM2\r\n"));
        QCOMPARE(programBody(program), lineHead(1, "G0X0Y0") + QStringList{"G0X0Y0"} + moves);
    }

    // Glyphs repeated within and across lines come from the cache, scaled
    // once; a cache kept from an earlier construction gives the same bytes as
    // a new one.
    void cachedGlyphsGiveSameBytes()
    {
        const QStringList texts{"A A", "", "CBA", "", "AAA"};
        WorkFolder fresh({{65, kGlyphA}, {66, kGlyphB}, {67, kGlyphC}, {32, ""}});
        WorkFolder kept({{65, kGlyphA}, {66, kGlyphB}, {67, kGlyphC}, {32, ""}});
        EngravingJob job = machiningJob();
        job.charWidth = 3;  // scaled, so the cache holds transformed lines
        const LayoutResult layout = placeLines(job, texts, {1, 2, 3, 4, 5}, {-1, -2, -3, -4, -5});

        QVERIFY(buildProgramFile(job, layout, fresh.places(), kStamp).ok());
        GlyphCache glyphs;
        for (int run = 0; run < 2; ++run)
            QVERIFY(buildProgramFile(job, layout, kept.places(), kStamp, glyphs).ok());
        QVERIFY(fresh.program().contains("G1X1.5Y5.25\r\n") && fresh.program().contains("G2X0Y2.625I0J-1.3125\r\n"));
        QCOMPARE(kept.program(), fresh.program());
    }

    // A program given up before its end (an exception on the way) leaves
    // the folder as it was, whether its file was still being created or
    // already partly written.
    void droppedProgramLeavesNothing_data()
    {
        QTest::addColumn<int>("glyphCopies");
        QTest::newRow("dropped at once") << 0;
        QTest::newRow("dropped after its first write") << 20000;
    }
    void droppedProgramLeavesNothing()
    {
        QFETCH(int, glyphCopies);
        WorkFolder folder;
        QVERIFY(writeBytes(folder.path("velmora.rub"), "%1\r\nM2\r\n"));
        {
            ProgramWriter writer(toPath(folder.path()), kStamp);
            writer.startProgramFile();
            const ProgramLines glyph = programLinesOf(kGlyphA.toStdString() + kGlyphB.toStdString());
            for (int copy = 0; copy < glyphCopies; ++copy)
                writer.writeGlyphLines(glyph);
        }
        QCOMPARE(folder.entries(), QStringList{"velmora.rub"});
        QCOMPARE(folder.program(), QByteArray("%1\r\nM2\r\n"));
    }

    void coordinateText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("round up to a whole") << 0.9999999999999999 << "1";
        QTest::newRow("smallest plain") << 0.0001 << ".0001";
        QTest::newRow("exponent below") << 0.00001 << "1E-05";
        QTest::newRow("largest plain") << 999999999999999.0 << "999999999999999";
        QTest::newRow("exponent above") << 1e15 << "1E+15";
        QTest::newRow("rounds into exponent") << 999999999999999.9 << "1E+15";
        QTest::newRow("rounds into plain") << 9.999999999999999e-05 << ".0001";
        // Sixteen digits ending in 5, exactly: the fifteenth goes to even.
        QTest::newRow("tie kept even") << 12345678901234.25 << "12345678901234.2";
        QTest::newRow("tie raised to even") << 12345678901234.75 << "12345678901234.8";
        QTest::newRow("past a tie") << std::nextafter(12345678901234.25, 1e300) << "12345678901234.3";
        QTest::newRow("carries to a whole") << 99999.99999999999 << "100000";
        QTest::newRow("carries below one") << 0.09999999999999999 << ".1";
        QTest::newRow("negative below one") << -0.25 << "-.25";
        QTest::newRow("zeros after the point") << 0.05 << ".05";
        QTest::newRow("four decimals, inexact") << -1.2345 << "-1.2345";
    }

    void coordinateText()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        std::string text = "X";
        appendCoordinateText(text, value);
        QCOMPARE(QString::fromStdString(text), "X" + expected);
        QCOMPARE(QString::fromStdString(numberTextTrimmed(value)), expected);
    }

    void coordinateTextOverEveryMagnitude()
    {
        // Values of every decimal magnitude the plain form covers and beyond,
        // drawn at random bit by bit, and short decimals with their two
        // neighbours, where rounding to 15 digits is closest to a tie.
        std::mt19937_64 draw(20261206);
        std::vector<double> values;
        for (int exponent = -7; exponent <= 17; ++exponent) {
            std::uniform_real_distribution<double> within(std::pow(10.0, exponent), std::pow(10.0, exponent + 1));
            for (int k = 0; k < 4000; ++k)
                values.push_back(within(draw));
            for (int k = 0; k < 500; ++k) {
                const double decimal
                    = static_cast<double>(draw() % 100000) * std::pow(10.0, exponent - 4);
                values.insert(values.end(), {decimal, std::nextafter(decimal, 0.0), std::nextafter(decimal, 1e300)});
            }
        }
        int mismatches = 0;
        QString first;
        for (double magnitude : values)
            for (double value : {magnitude, -magnitude}) {
                std::string fast;
                appendCoordinateText(fast, value);
                if (fast != numberTextTrimmed(value) && mismatches++ == 0)
                    first = QString::number(value, 'g', 17) + ": " + QString::fromStdString(fast) + " for "
                        + QString::fromStdString(numberTextTrimmed(value));
            }
        QVERIFY2(mismatches == 0, qPrintable("first mismatch at " + first));
    }

    void transformLine_data()
    {
        QTest::addColumn<float>("charWidth");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("expected");

        // Scale 2.
        QTest::newRow("8: blanks between words") << 8.0f << QByteArray("G1 X2.5 Y-1") << QByteArray("G1X5Y-2");
        QTest::newRow("8: words put in order") << 8.0f << QByteArray("Y3X1") << QByteArray("X2Y6");
        QTest::newRow("8: arc centre scaled") << 8.0f << QByteArray("G02X4Y0I2J0") << QByteArray("G2X8Y0I4J0");
        QTest::newRow("8: Z not scaled, no trailing zero") << 8.0f << QByteArray("X1Z-0.30") << QByteArray("X2Z-.3");
        QTest::newRow("8: later G replaces earlier") << 8.0f << QByteArray("G91G1X1") << QByteArray("G1X2");
        QTest::newRow("8: six characters read") << 8.0f << QByteArray("X123.4567") << QByteArray("X246.9");
        QTest::newRow("8: dollar copies the line") << 8.0f << QByteArray("G0X1 $ fin") << QByteArray("G0X1 $ fin");
        QTest::newRow("8: lower case skipped") << 8.0f << QByteArray("x2y2") << QByteArray();

        // Scale 0.75.
        QTest::newRow("3: X and Y scaled, G not") << 3.0f << QByteArray("G90X1Y-2") << QByteArray("G90X.75Y-1.5");

        // Reading and writing of the numbers.
        QTest::newRow("4: sign counts among the six") << 4.0f << QByteArray("X-12.345") << QByteArray("X-12.34");
        QTest::newRow("4: same digits scaled and not") << 8.0f << QByteArray("X2Z2G2") << QByteArray("G2X4Z2");
        QTest::newRow("4: letters without numbers") << 4.0f << QByteArray("GXY") << QByteArray("G0X0Y0");
        QTest::newRow("4: single precision kept") << 4.0f << QByteArray("X.1") << QByteArray("X.1");
        QTest::newRow("4: beyond single precision reads 0") << 4.0f << QByteArray("X9E99Y1") << QByteArray("X0Y1");
    }

    void transformLine()
    {
        QFETCH(float, charWidth);
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, expected);
        // The word texts a construction remembers give the same line the first
        // time and when the words come back.
        const std::string input = line.toStdString();
        GlyphWordTexts words(charWidth);
        QCOMPARE(QByteArray::fromStdString(transformGlyphLine(input, words)), expected);
        QCOMPARE(QByteArray::fromStdString(transformGlyphLine(input, words)), expected);
    }

    void readFile_data()
    {
        QTest::addColumn<QByteArray>("glyph");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty file adds nothing") << QByteArray() << QByteArray();
        QTest::newRow("empty line kept") << QByteArray("G1X1\r\n\r\nG0Z1\r\n") << QByteArray("G1X2\r\n\r\nG0Z1\r\n");
        QTest::newRow("unrecognised line gives empty line") << QByteArray("M3\r\n") << QByteArray("\r\n");
    }

    void readFile()
    {
        QFETCH(QByteArray, glyph);
        QFETCH(QByteArray, expected);
        WorkFolder folder({{65, glyph}});
        GlyphWordTexts words(8.0f);
        const Result<std::string> read = readGlyphFile(folder.places().glyphFolder, 65);
        QVERIFY(read.ok());
        QCOMPARE(QByteArray::fromStdString(transformGlyph(read.value(), words)), expected);
    }
};

QTEST_GUILESS_MAIN(ProgramFileTest)
#include "tst_program_file.moc"
