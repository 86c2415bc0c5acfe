#include "layout/extents.h"

#include <QtTest>

using namespace velmora;

namespace {

ExtentsInput extentsOf(const QStringList& lines, const QByteArray& echelle3, const QByteArray& espace3,
                       int echelle2, int interligne2)
{
    ExtentsInput input;
    for (int line = 1; line <= kLineCount; ++line)
        input.lineText[line] = lines.value(line - 1).toStdU32String();
    input.echelle3 = echelle3.toStdString();
    input.espace3 = espace3.toStdString();
    input.echelle2 = echelle2;
    input.interligne2 = interligne2;
    return input;
}

QStringList readouts(const ExtentsTexts& texts)
{
    QStringList result;
    for (int line = 1; line <= kLineCount; ++line)
        result << QString::fromStdString(texts.lineReadout[line]);
    return result;
}

void addExtentsColumns()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("echelle3");
    QTest::addColumn<QByteArray>("espace3");
    QTest::addColumn<int>("echelle2");
    QTest::addColumn<int>("interligne2");
    QTest::addColumn<QStringList>("lineReadouts");
    QTest::addColumn<QByteArray>("encombrement");
}

const QStringList kNoWidths{" 0 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"};

}  // namespace

class ExtentsTest : public QObject {
    Q_OBJECT
private slots:
    void extents_data();
    void extents();
    void precision_data();
    void precision();
    void sizeReadouts_data();
    void sizeReadouts();

private:
    void checkExtents();
};

void ExtentsTest::checkExtents()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, echelle3);
    QFETCH(QByteArray, espace3);
    QFETCH(int, echelle2);
    QFETCH(int, interligne2);
    QFETCH(QStringList, lineReadouts);
    QFETCH(QByteArray, encombrement);

    const ExtentsTexts texts = computeExtents(extentsOf(lines, echelle3, espace3, echelle2, interligne2));
    QCOMPARE(readouts(texts), lineReadouts);
    QCOMPARE(QByteArray::fromStdString(texts.encombrement), encombrement);
}

void ExtentsTest::extents_data()
{
    addExtentsColumns();
    QTest::newRow("all lines empty") << QStringList{} << QByteArray("4") << QByteArray("1") << 4 << 2
        << kNoWidths << QByteArray(" X :  0 mm / Y :  0 mm");
    QTest::newRow("ABC over AB") << QStringList{"ABC", "AB"} << QByteArray("4") << QByteArray("1") << 4 << 2
        << QStringList{" 14 mm", " 9 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  14 mm / Y :  16 mm");
    QTest::newRow("lines 1 and 5, empty lines between count in full") << QStringList{"A", "", "", "", "B"}
        << QByteArray("4") << QByteArray("1") << 4 << 2
        << QStringList{" 4 mm", " 0 mm", " 0 mm", " 0 mm", " 4 mm"} << QByteArray(" X :  4 mm / Y :  43 mm");
    QTest::newRow("one character on line 3") << QStringList{"", "", "W"} << QByteArray("5") << QByteArray("1") << 5 << 3
        << QStringList{" 0 mm", " 0 mm", " 5 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  5 mm / Y :  8.75 mm");
    QTest::newRow("blank-only line: width counted, height not") << QStringList{"A", "   "}
        << QByteArray("4") << QByteArray("1") << 4 << 2
        << QStringList{" 4 mm", " 14 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  14 mm / Y :  7 mm");
    QTest::newRow("blank-only line between text lines counts in height") << QStringList{"A", "  ", "B"}
        << QByteArray("4") << QByteArray("1") << 4 << 2
        << QStringList{" 4 mm", " 9 mm", " 4 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  9 mm / Y :  25 mm");
    QTest::newRow("only blanks everywhere") << QStringList{" ", "", "", "", "  "}
        << QByteArray("4") << QByteArray("1") << 4 << 2
        << QStringList{" 4 mm", " 0 mm", " 0 mm", " 0 mm", " 9 mm"} << QByteArray(" X :  9 mm / Y :  0 mm");
    QTest::newRow("blanks at the ends of a line count") << QStringList{" AB "} << QByteArray("4") << QByteArray("1") << 4 << 2
        << QStringList{" 19 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  19 mm / Y :  7 mm");
    QTest::newRow("widest line is not the first") << QStringList{"A", "ABCD", "AB"} << QByteArray("4") << QByteArray("1") << 4 << 2
        << QStringList{" 4 mm", " 19 mm", " 9 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  19 mm / Y :  25 mm");
    QTest::newRow("characters outside the code page count once") << QStringList{QString::fromUtf8("\u03a9\u20ac\U0001F600")}
        << QByteArray("4") << QByteArray("1") << 4 << 2
        << QStringList{" 14 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  14 mm / Y :  7 mm");
    QTest::newRow("fractional value boxes") << QStringList{"AB"} << QByteArray(" 4.5") << QByteArray(".5") << 4 << 2
        << QStringList{" 9.5 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  9.5 mm / Y :  7 mm");
    QTest::newRow("width from the value boxes, height from the scroll bars") << QStringList{"AB", "C"}
        << QByteArray("10") << QByteArray("3") << 4 << 2
        << QStringList{" 23 mm", " 10 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  23 mm / Y :  16 mm");
    QTest::newRow("value boxes without a number count as 0") << QStringList{"ABC"} << QByteArray("") << QByteArray("mm") << 4 << 2
        << kNoWidths << QByteArray(" X :  0 mm / Y :  7 mm");
    QTest::newRow("negative width shows as 0") << QStringList{"ABC"} << QByteArray("-4") << QByteArray("1") << 4 << 2
        << kNoWidths << QByteArray(" X :  0 mm / Y :  7 mm");
}

void ExtentsTest::extents() { checkExtents(); }

// Widths worked out in double precision from the value boxes and kept in
// single precision, heights kept in single precision: a drift in either rule
// changes a printed digit here.
void ExtentsTest::precision_data()
{
    addExtentsColumns();
    QTest::newRow("width rounded to single precision before it is printed")
        << QStringList{QString(10000, QLatin1Char('A'))} << QByteArray("12.3") << QByteArray("0.05") << 4 << 2
        << QStringList{" 123500 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  123500 mm / Y :  7 mm");
    QTest::newRow("value boxes read in double precision") << QStringList{"ABCDEFG"} << QByteArray("1.1") << QByteArray("0.2") << 4 << 2
        << QStringList{" 8.9 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  8.9 mm / Y :  7 mm");
    QTest::newRow("seven significant digits") << QStringList{"A"} << QByteArray("1.23456789") << QByteArray("1") << 4 << 2
        << QStringList{" 1.234568 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  1.234568 mm / Y :  7 mm");
    QTest::newRow("character height kept in single precision") << QStringList{"A", "B", "C", "D"}
        << QByteArray("4") << QByteArray("1") << 9586981 << 1
        << QStringList{" 4 mm", " 4 mm", " 4 mm", " 4 mm", " 0 mm"} << QByteArray(" X :  4 mm / Y :  6.710886E+07 mm");
    QTest::newRow("width past the single-precision range") << QStringList{"AB"} << QByteArray("3E38") << QByteArray("0") << 4 << 2
        << QStringList{" Inf mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"} << QByteArray(" X :  Inf mm / Y :  7 mm");
}

void ExtentsTest::precision() { checkExtents(); }

void ExtentsTest::sizeReadouts_data()
{
    QTest::addColumn<QString>("readout");
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("Echelle4 at 5") << "Echelle4" << 5 << QByteArray("Haut.  8.75 mm / Larg.  5 mm");
    QTest::newRow("Echelle4 at 1") << "Echelle4" << 1 << QByteArray("Haut.  1.75 mm / Larg.  1 mm");
    QTest::newRow("Echelle4 at 2") << "Echelle4" << 2 << QByteArray("Haut.  3.5 mm / Larg.  2 mm");
    QTest::newRow("Echelle4 at 10") << "Echelle4" << 10 << QByteArray("Haut.  17.5 mm / Larg.  10 mm");
    QTest::newRow("Espace4 at 2") << "Espace4" << 2 << QByteArray("Entre caract\xE8res :  2 mm");
    QTest::newRow("Interligne4 at 10") << "Interligne4" << 10 << QByteArray("Espace entre lignes :  10 mm ");
}

void ExtentsTest::sizeReadouts()
{
    QFETCH(QString, readout);
    QFETCH(int, value);
    QFETCH(QByteArray, expected);

    std::string text;
    if (readout == "Echelle4")
        text = characterSizeReadout(value);
    else if (readout == "Espace4")
        text = characterSpacingReadout(value);
    else
        text = lineSpacingReadout(value);
    QCOMPARE(QByteArray::fromStdString(text), expected);
}

QTEST_APPLESS_MAIN(ExtentsTest)
#include "tst_extents.moc"
