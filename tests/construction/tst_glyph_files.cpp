// The glyph files: how one glyph line becomes a program line at a given
// character size, and how a glyph file is read.

#include "construction_fixture.h"

#include "construction/glyph_file.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

class GlyphFilesTest : public QObject {
    Q_OBJECT
private slots:
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
        QTest::newRow("8: M word dropped") << 8.0f << QByteArray("M3") << QByteArray();
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
        const GlyphFileBytes read = readGlyphFile(folder.places().glyphFolder, 65);
        QCOMPARE(read.status, GlyphStatus::Copied);
        QCOMPARE(QByteArray::fromStdString(transformGlyph(read.bytes, words)), expected);
    }
};

QTEST_GUILESS_MAIN(GlyphFilesTest)
#include "tst_glyph_files.moc"
