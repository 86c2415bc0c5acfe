#include "layout/extents.h"

#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::ExtentsInput)

namespace {

struct Sizes {
    const char* echelle3 = "4";
    const char* espace3 = "1";
    int echelle2 = 4;
    int interligne2 = 2;
};

// One row: the lines as typed, the sizes, and the read-outs expected; widths
// not given are " 0 mm".
void addRow(const char* name, const QStringList& lines, QStringList widths, const char* block, Sizes sizes = {})
{
    while (widths.size() < kLineCount)
        widths << " 0 mm";
    ExtentsInput input;
    for (int line = 1; line <= kLineCount; ++line)
        input.lineText[line] = lines.value(line - 1).toStdU32String();
    input.echelle3 = sizes.echelle3;
    input.espace3 = sizes.espace3;
    input.echelle2 = sizes.echelle2;
    input.interligne2 = sizes.interligne2;
    QTest::newRow(name) << input << widths << QByteArray(block);
}

}  // namespace

class ExtentsTest : public QObject {
    Q_OBJECT
private slots:
    void extents_data()
    {
        QTest::addColumn<ExtentsInput>("input");
        QTest::addColumn<QStringList>("lineReadouts");
        QTest::addColumn<QByteArray>("encombrement");
        addRow("all lines empty", {}, {}, " X :  0 mm / Y :  0 mm");
        addRow("lines 1 and 5, empty lines between count in full", {"A", "", "", "", "B"},
               {" 4 mm", " 0 mm", " 0 mm", " 0 mm", " 4 mm"}, " X :  4 mm / Y :  43 mm");
        addRow("one character on line 3", {"", "", "W"}, {" 0 mm", " 0 mm", " 5 mm"}, " X :  5 mm / Y :  8.75 mm",
               {"5", "1", 5, 3});
        addRow("blank-only line: width counted, height not", {"A", "   "}, {" 4 mm", " 14 mm"},
               " X :  14 mm / Y :  7 mm");
        addRow("blank-only line between text lines counts in height", {"A", "  ", "B"}, {" 4 mm", " 9 mm", " 4 mm"},
               " X :  9 mm / Y :  25 mm");
        addRow("only blanks everywhere", {" ", "", "", "", "  "}, {" 4 mm", " 0 mm", " 0 mm", " 0 mm", " 9 mm"},
               " X :  9 mm / Y :  0 mm");
        addRow("characters outside the code page count once", {QString::fromUtf8("\u03a9\u20ac\U0001F600")},
               {" 14 mm"}, " X :  14 mm / Y :  7 mm");
        addRow("width from the value boxes, height from the scroll bars", {"AB", "C"}, {" 23 mm", " 10 mm"},
               " X :  23 mm / Y :  16 mm", {"10", "3", 4, 2});
        addRow("negative width shows as 0", {"ABC"}, {}, " X :  0 mm / Y :  7 mm", {"-4", "1", 4, 2});

        // Widths worked out in double precision from the value boxes and kept in
        // single precision, heights kept in single precision: a drift in either
        // rule changes a printed digit.
        addRow("precision: width rounded to single before it is printed", {QString(10000, QLatin1Char('A'))},
               {" 123500 mm"}, " X :  123500 mm / Y :  7 mm", {"12.3", "0.05", 4, 2});
        addRow("precision: value boxes read in double", {"ABCDEFG"}, {" 8.9 mm"}, " X :  8.9 mm / Y :  7 mm",
               {"1.1", "0.2", 4, 2});
        addRow("precision: character height kept in single", {"A", "B", "C", "D"}, {" 4 mm", " 4 mm", " 4 mm", " 4 mm"},
               " X :  4 mm / Y :  6.710886E+07 mm", {"4", "1", 9586981, 1});
    }

    void extents()
    {
        QFETCH(ExtentsInput, input);
        QFETCH(QStringList, lineReadouts);
        QFETCH(QByteArray, encombrement);
        const ExtentsTexts texts = computeExtents(input);
        QStringList readouts;
        for (int line = 1; line <= kLineCount; ++line)
            readouts << QString::fromStdString(texts.lineReadout[line]);
        QCOMPARE(readouts, lineReadouts);
        QCOMPARE(QByteArray::fromStdString(texts.encombrement), encombrement);
    }
};

QTEST_APPLESS_MAIN(ExtentsTest)
#include "tst_extents.moc"
