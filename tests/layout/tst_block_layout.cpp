// The read-outs of each line's width and of the block's extents, and the
// layout of the block from them.

#include "common/numbers.h"
#include "layout/block_layout.h"
#include "layout/extents.h"

#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::BlockInput)
Q_DECLARE_METATYPE(velmora::LayoutChoices)
Q_DECLARE_METATYPE(velmora::ExtentsInput)

namespace {

using J = Justification;
using P = Placement;
using C = Corner;

// "ABC" over "AB" with characters 4 wide, 1 apart and lines 2 apart, as the
// window shows it: widths 14 and 9, block 14 by 16.
const QByteArray kAbcAbExtents = " X :  14 mm / Y :  16 mm";

BlockInput blockOf(const QStringList& lines, const QList<double>& widths, double posX, double posY,
                   float charWidth = 4, float lineSpacing = 2)
{
    BlockInput input{{}, {}, posX, posY, charWidth, lineSpacing};
    for (int line = 1; line <= kLineCount; ++line) {
        input.lineText[line] = lines.value(line - 1).toStdU32String();
        input.lineWidth[line] = widths.value(line - 1);
    }
    return input;
}

BlockInput abcAb(double posX, double posY) { return blockOf({"ABC", "AB"}, {14, 9}, posX, posY); }

QStringList texts(const PerLine<double>& values)
{
    QStringList result;
    for (int line = 1; line <= kLineCount; ++line)
        result << QString::fromStdString(numberTextTrimmed(values[line]));
    return result;
}

// The five line starts and the five bases, "43 45.5 50 50 50 / -24 -33 0 0 0",
// or why the job was refused.
QString describe(const std::variant<LayoutResult, LayoutRefusal>& layout)
{
    const char* const refusals[] = {"no text", "does not fit X", "does not fit Y"};
    if (const auto* refusal = std::get_if<LayoutRefusal>(&layout))
        return refusals[int(*refusal)];
    const auto& result = std::get<LayoutResult>(layout);
    return texts(result.startX).join(' ') + " / " + texts(result.baseY).join(' ');
}

void add(const char* name, const BlockInput& input, LayoutChoices choices, const QString& expected,
         const QByteArray& encombrement = kAbcAbExtents)
{
    QTest::newRow(name) << input << encombrement << choices << expected;
}

const QString kTopY = "-24 -33 0 0 0";
const QString kBottomY = "26 17 0 0 0";
const QString kFreeY = "23 14 0 0 0";
const QString kZeros = "0 0 0 0 0";
const LayoutChoices kLeftXY{J::Left, P::CentreXY, C::TopLeft};

// One row: the lines as typed, the sizes (Echelle3, Espace3, Echelle2,
// Interligne2), and the read-outs expected; widths not given are " 0 mm".
void addRow(const char* name, const QStringList& lines, QStringList widths, const char* block,
            ExtentsInput sizes = {{}, "4", "1", 4, 2})
{
    while (widths.size() < kLineCount)
        widths << " 0 mm";
    for (int line = 1; line <= kLineCount; ++line)
        sizes.lineText[line] = lines.value(line - 1).toStdU32String();
    QTest::newRow(name) << sizes << widths << QByteArray(block);
}

}  // namespace

class BlockLayoutTest : public QObject {
    Q_OBJECT
private slots:
    // One row per cell of the line-start table (justification by X column) and
    // per top-edge rule, on the "ABC" over "AB" block; then the limits of the
    // fit checks on both sides, and the refusals.
    void layout_data()
    {
        QTest::addColumn<BlockInput>("input");
        QTest::addColumn<QByteArray>("encombrement");
        QTest::addColumn<LayoutChoices>("choices");
        QTest::addColumn<QString>("expected");

        add("centred, X/Y, top left", abcAb(100, 50), {J::Centred, P::CentreXY, C::TopLeft},
            "43 45.5 50 50 50 / " + kTopY);
        add("centred, X/Y, top right", abcAb(100, 50), {J::Centred, P::CentreXY, C::TopRight},
            "-57 -54.5 -50 -50 -50 / " + kTopY);
        add("left, free", abcAb(10, 30), {J::Left, P::Free, C::TopLeft}, "10 10 10 10 10 / " + kFreeY);
        add("right, centre Y, bottom right", abcAb(10, 50), {J::Right, P::CentreY, C::BottomRight},
            "10 15 24 24 24 / " + kBottomY);
        add("left, X/Y, bottom right", abcAb(100, 50), {J::Left, P::CentreXY, C::BottomRight},
            "-57 -57 -57 -57 -57 / " + kBottomY);
        add("centred, centre Y, top left", abcAb(10, 50), {J::Centred, P::CentreY, C::TopLeft},
            "10 12.5 17 17 17 / " + kTopY);
        add("right, X/Y, bottom left", abcAb(100, 50), {J::Right, P::CentreXY, C::BottomLeft},
            "43 48 57 57 57 / " + kBottomY);
        add("right, X/Y, top right", abcAb(100, 50), {J::Right, P::CentreXY, C::TopRight},
            "-57 -52 -43 -43 -43 / " + kTopY);
        add("left, centre X, bottom corner plays no part in Y", abcAb(100, 30), {J::Left, P::CentreX, C::BottomLeft},
            "43 43 43 43 43 / " + kFreeY);

        // Line 3 keeps its place between lines 2 and 4: one line pitch (9)
        // below line 2, and line 4 two below; lines 1 and 5 get no base.
        add("lines 2 and 4, empty line between", blockOf({"", "AB", "", "CD", ""}, {0, 9, 0, 9, 0}, 0, 0),
            {J::Left, P::Free, C::TopLeft}, kZeros + " / 0 -7 -16 -25 0", " X :  9 mm / Y :  25 mm");

        add("block size as Encombrement shows it, not as worked out", abcAb(100, 50), kLeftXY,
            "40 40 40 40 40 / -17 -26 0 0 0", " X :  20 mm / Y :  30 mm");

        add("fit: line exactly as wide as posX", abcAb(14, 50), kLeftXY, kZeros + " / " + kTopY);
        add("fit: height equal to posY, top corner", abcAb(100, 16), kLeftXY, "43 43 43 43 43 / -7 -16 0 0 0");
        add("fit: negative posY, X centred only", abcAb(100, -10), {J::Left, P::CentreX, C::TopLeft},
            "43 43 43 43 43 / -17 -26 0 0 0");
        add("fit: negative posX, Y centred only", abcAb(-20, 50), {J::Left, P::CentreY, C::BottomLeft},
            "-20 -20 -20 -20 -20 / " + kBottomY);
        add("fit: line 2 one millimetre wider than posX", blockOf({"AB", "ABC"}, {9, 14}, 13, 50), kLeftXY,
            "does not fit X");
        add("fit: negative posX, lines narrower still", blockOf({"A"}, {-5, -5, -5, -5, -5}, -1, 50), kLeftXY,
            "does not fit X");
        add("fit: emptied blank-only line keeps its old width", blockOf({"ABC", ""}, {14, 101}, 100, 50), kLeftXY,
            "does not fit X");
        add("fit: X checked before Y", abcAb(0, 0), kLeftXY, "does not fit X");
        add("fit: block one millimetre higher than posY", abcAb(100, 15), kLeftXY, "does not fit Y");
        add("fit: negative posY, block lower still", abcAb(100, -1), kLeftXY, "does not fit Y",
            " X :  14 mm / Y : -5 mm");

        add("lines of blanks only", blockOf({"  ", " ", "", "   "}, {9, 4, 0, 14}, 100, 50), kLeftXY, "no text");
        add("no text before a block that fits nowhere", blockOf({}, {14}, -1, -1), kLeftXY, "no text");

        // Halving in double precision, and bases worked out in double
        // precision from the single-precision sizes: single-precision steps
        // would change these digits.
        add("precision: halves of a fractional plate width", abcAb(100.1, 50), kLeftXY,
            "43.05 43.05 43.05 43.05 43.05 / " + kTopY);
        add("precision: bases from single-precision sizes", blockOf({"A", "B"}, {1.1, 1.1}, 0, 0, 1.1f, 0.3f),
            {J::Left, P::Free, C::TopLeft}, kZeros + " / -1.92500004172325 -4.15000009536743 0 0 0",
            " X :  1.1 mm / Y :  4.15 mm");
        // The block's size is read back in whatever form Encombrement shows it.
        add("extents in exponent form", abcAb(100, 1e8), kLeftXY, "-6172790 -6172790 -6172790 -6172790 -6172790"
            " / -16445577 -16445586 0 0 0", " X :  1.234568E+07 mm / Y :  6.710886E+07 mm");
    }

    void layout()
    {
        QFETCH(BlockInput, input);
        QFETCH(QByteArray, encombrement);
        QFETCH(LayoutChoices, choices);
        QFETCH(QString, expected);

        QCOMPARE(describe(layoutTextBlock(input, choices, encombrement.toStdString())), expected);
    }

    void extents_data()
    {
        QTest::addColumn<ExtentsInput>("input");
        QTest::addColumn<QStringList>("lineReadouts");
        QTest::addColumn<QByteArray>("encombrement");
        addRow("one character on line 3", {"", "", "W"}, {" 0 mm", " 0 mm", " 5 mm"}, " X :  5 mm / Y :  8.75 mm",
               {{}, "5", "1", 5, 3});
        addRow("blank-only line: width counted, height not", {"A", "   "}, {" 4 mm", " 14 mm"},
               " X :  14 mm / Y :  7 mm");
        addRow("blank-only line between text lines counts in height", {"A", "  ", "B"}, {" 4 mm", " 9 mm", " 4 mm"},
               " X :  9 mm / Y :  25 mm");
        addRow("only blanks everywhere", {" ", "", "", "", "  "}, {" 4 mm", " 0 mm", " 0 mm", " 0 mm", " 9 mm"},
               " X :  9 mm / Y :  0 mm");
        addRow("characters outside the code page count once", {QString::fromUtf8("\u03a9\u20ac\U0001F600")},
               {" 14 mm"}, " X :  14 mm / Y :  7 mm");
        addRow("width from the value boxes, height from the scroll bars", {"AB", "C"}, {" 23 mm", " 10 mm"},
               " X :  23 mm / Y :  16 mm", {{}, "10", "3", 4, 2});
        addRow("negative width shows as 0", {"ABC"}, {}, " X :  0 mm / Y :  7 mm", {{}, "-4", "1", 4, 2});

        // Widths worked out in double precision from the value boxes and kept in
        // single precision, heights kept in single precision: a drift in either
        // rule changes a printed digit.
        addRow("precision: width rounded to single before it is printed", {QString(10000, QLatin1Char('A'))},
               {" 123500 mm"}, " X :  123500 mm / Y :  7 mm", {{}, "12.3", "0.05", 4, 2});
        addRow("precision: value boxes read in double", {"ABCDEFG"}, {" 8.9 mm"}, " X :  8.9 mm / Y :  7 mm",
               {{}, "1.1", "0.2", 4, 2});
        addRow("precision: character height kept in single", {"A", "B", "C", "D"}, {" 4 mm", " 4 mm", " 4 mm", " 4 mm"},
               " X :  4 mm / Y :  6.710886E+07 mm", {{}, "4", "1", 9586981, 1});
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

QTEST_APPLESS_MAIN(BlockLayoutTest)
#include "tst_block_layout.moc"
