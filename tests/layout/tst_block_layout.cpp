#include "common/numbers.h"
#include "layout/block_layout.h"

#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::BlockInput)
Q_DECLARE_METATYPE(velmora::LayoutChoices)
Q_DECLARE_METATYPE(velmora::LayoutRefusal)

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
    BlockInput input;
    for (int line = 1; line <= kLineCount; ++line) {
        input.lineText[line] = lines.value(line - 1).toStdU32String();
        input.lineWidth[line] = widths.value(line - 1);
    }
    input.posX = posX;
    input.posY = posY;
    input.charWidth = charWidth;
    input.lineSpacing = lineSpacing;
    return input;
}

BlockInput abcAb(double posX, double posY) { return blockOf({"ABC", "AB"}, {14, 9}, posX, posY); }

LayoutChoices choose(Justification justification, Placement placement, Corner corner)
{
    return {justification, placement, corner};
}

QStringList texts(const PerLine<double>& values)
{
    QStringList result;
    for (int line = 1; line <= kLineCount; ++line)
        result << QString::fromStdString(numberTextTrimmed(values[line]));
    return result;
}

struct Outcome {
    std::variant<LayoutResult, LayoutRefusal> layout;
    int refreshCalls = 0;
};

Outcome runLayout(const BlockInput& input, const LayoutChoices& choices, const QByteArray& encombrement)
{
    Outcome outcome;
    outcome.layout = layoutTextBlock(input, choices, [&] {
        ++outcome.refreshCalls;
        return encombrement.toStdString();
    });
    return outcome;
}

void addPlacementColumns()
{
    QTest::addColumn<BlockInput>("input");
    QTest::addColumn<QByteArray>("encombrement");
    QTest::addColumn<LayoutChoices>("choices");
    QTest::addColumn<QStringList>("startX");
    QTest::addColumn<QStringList>("baseY");
}

}  // namespace

class BlockLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void placements_data();
    void placements();
    void fitBoundaries_data();
    void fitBoundaries();
    void unselectedGroups_data();
    void unselectedGroups();
    void precision_data();
    void precision();
    void counts_data();
    void counts();
    void extentsAsDisplayed_data();
    void extentsAsDisplayed();

    void refusals_data();
    void refusals();

private:
    void checkPlacement();
};

void BlockLayoutTest::checkPlacement()
{
    QFETCH(BlockInput, input);
    QFETCH(QByteArray, encombrement);
    QFETCH(LayoutChoices, choices);
    QFETCH(QStringList, startX);
    QFETCH(QStringList, baseY);

    const Outcome outcome = runLayout(input, choices, encombrement);
    QVERIFY2(std::holds_alternative<LayoutResult>(outcome.layout), "the job was refused");
    const auto& result = std::get<LayoutResult>(outcome.layout);
    QCOMPARE(outcome.refreshCalls, 1);
    QCOMPARE(texts(result.startX), startX);
    QCOMPARE(texts(result.baseY), baseY);
}

// Every cell of both placement tables, on the "ABC" over "AB" block.
void BlockLayoutTest::placements_data()
{
    addPlacementColumns();
    const QStringList examplesY{"-24", "-33", "0", "0", "0"};
    const QStringList fromBottomY{"26", "17", "0", "0", "0"};
    QTest::newRow("centred, X/Y, top left") << abcAb(100, 50) << kAbcAbExtents << choose(J::Centred, P::CentreXY, C::TopLeft)
        << QStringList{"43", "45.5", "50", "50", "50"} << examplesY;
    QTest::newRow("centred, X/Y, top right") << abcAb(100, 50) << kAbcAbExtents << choose(J::Centred, P::CentreXY, C::TopRight)
        << QStringList{"-57", "-54.5", "-50", "-50", "-50"} << examplesY;
    QTest::newRow("centred, X/Y, bottom left") << abcAb(100, 50) << kAbcAbExtents << choose(J::Centred, P::CentreXY, C::BottomLeft)
        << QStringList{"43", "45.5", "50", "50", "50"} << fromBottomY;
    QTest::newRow("left, free") << abcAb(10, 30) << kAbcAbExtents << choose(J::Left, P::Free, C::TopLeft)
        << QStringList{"10", "10", "10", "10", "10"} << QStringList{"23", "14", "0", "0", "0"};
    QTest::newRow("right, centre Y, bottom right") << abcAb(10, 50) << kAbcAbExtents << choose(J::Right, P::CentreY, C::BottomRight)
        << QStringList{"10", "15", "24", "24", "24"} << fromBottomY;

    QTest::newRow("left, X/Y, bottom right") << abcAb(100, 50) << kAbcAbExtents << choose(J::Left, P::CentreXY, C::BottomRight)
        << QStringList{"-57", "-57", "-57", "-57", "-57"} << fromBottomY;
    QTest::newRow("centred, centre Y, top left") << abcAb(10, 50) << kAbcAbExtents << choose(J::Centred, P::CentreY, C::TopLeft)
        << QStringList{"10", "12.5", "17", "17", "17"} << examplesY;
    QTest::newRow("right, X/Y, bottom left") << abcAb(100, 50) << kAbcAbExtents << choose(J::Right, P::CentreXY, C::BottomLeft)
        << QStringList{"43", "48", "57", "57", "57"} << fromBottomY;
    QTest::newRow("right, X/Y, top right") << abcAb(100, 50) << kAbcAbExtents << choose(J::Right, P::CentreXY, C::TopRight)
        << QStringList{"-57", "-52", "-43", "-43", "-43"} << examplesY;
    QTest::newRow("left, centre X, bottom corner plays no part in Y") << abcAb(100, 30) << kAbcAbExtents
        << choose(J::Left, P::CentreX, C::BottomLeft)
        << QStringList{"43", "43", "43", "43", "43"} << QStringList{"23", "14", "0", "0", "0"};
    QTest::newRow("free, right corner plays no part in X") << abcAb(10, 30) << kAbcAbExtents << choose(J::Right, P::Free, C::BottomRight)
        << QStringList{"10", "15", "24", "24", "24"} << QStringList{"23", "14", "0", "0", "0"};

    // Line 3 keeps its place between lines 2 and 4: one line pitch (9) below
    // line 2, and line 4 two below; lines 1 and 5 get no base.
    QTest::newRow("lines 2 and 4, empty line between") << blockOf({"", "AB", "", "CD", ""}, {0, 9, 0, 9, 0}, 0, 0)
        << QByteArray(" X :  9 mm / Y :  25 mm") << choose(J::Left, P::Free, C::TopLeft)
        << QStringList{"0", "0", "0", "0", "0"} << QStringList{"0", "-7", "-16", "-25", "0"};
    QTest::newRow("lines 1 and 5, three empty lines between") << blockOf({"A", "", "", "", "B"}, {4, 0, 0, 0, 4}, 0, 0)
        << QByteArray(" X :  4 mm / Y :  43 mm") << choose(J::Left, P::Free, C::TopLeft)
        << QStringList{"0", "0", "0", "0", "0"} << QStringList{"-7", "-16", "-25", "-34", "-43"};
}

void BlockLayoutTest::placements() { checkPlacement(); }

// The limits of the fit checks, on the side that passes.
void BlockLayoutTest::fitBoundaries_data()
{
    addPlacementColumns();
    QTest::newRow("line exactly as wide as posX") << abcAb(14, 50) << kAbcAbExtents << choose(J::Left, P::CentreXY, C::TopLeft)
        << QStringList{"0", "0", "0", "0", "0"} << QStringList{"-24", "-33", "0", "0", "0"};
    QTest::newRow("height equal to posY, top corner") << abcAb(100, 16) << kAbcAbExtents << choose(J::Left, P::CentreXY, C::TopLeft)
        << QStringList{"43", "43", "43", "43", "43"} << QStringList{"-7", "-16", "0", "0", "0"};
    QTest::newRow("height equal to posY, bottom corner") << abcAb(100, 16) << kAbcAbExtents << choose(J::Left, P::CentreXY, C::BottomLeft)
        << QStringList{"43", "43", "43", "43", "43"} << QStringList{"9", "0", "0", "0", "0"};
    QTest::newRow("negative positions, free placement") << abcAb(-5, -10) << kAbcAbExtents << choose(J::Left, P::Free, C::TopLeft)
        << QStringList{"-5", "-5", "-5", "-5", "-5"} << QStringList{"-17", "-26", "0", "0", "0"};
    QTest::newRow("negative posY, X centred only") << abcAb(100, -10) << kAbcAbExtents << choose(J::Left, P::CentreX, C::TopLeft)
        << QStringList{"43", "43", "43", "43", "43"} << QStringList{"-17", "-26", "0", "0", "0"};
    QTest::newRow("negative posX, Y centred only") << abcAb(-20, 50) << kAbcAbExtents << choose(J::Left, P::CentreY, C::BottomLeft)
        << QStringList{"-20", "-20", "-20", "-20", "-20"} << QStringList{"26", "17", "0", "0", "0"};
}

void BlockLayoutTest::fitBoundaries() { checkPlacement(); }

// The window always selects one button per group; should none be selected,
// whatever no table row covers stays 0 and the rest is still worked out.
void BlockLayoutTest::unselectedGroups_data()
{
    addPlacementColumns();
    const QStringList zeros{"0", "0", "0", "0", "0"};
    QTest::newRow("no justification") << abcAb(100, 50) << kAbcAbExtents << choose(J::None, P::CentreXY, C::TopLeft)
        << zeros << QStringList{"-24", "-33", "0", "0", "0"};
    QTest::newRow("no placement, and no fit check") << abcAb(1, 1) << kAbcAbExtents << choose(J::Left, P::None, C::TopLeft)
        << zeros << zeros;
    QTest::newRow("no corner, X/Y centred") << abcAb(100, 50) << kAbcAbExtents << choose(J::Left, P::CentreXY, C::None)
        << zeros << zeros;
    QTest::newRow("no corner, X centred") << abcAb(100, 30) << kAbcAbExtents << choose(J::Left, P::CentreX, C::None)
        << zeros << QStringList{"23", "14", "0", "0", "0"};
    QTest::newRow("no corner, Y centred") << abcAb(10, 50) << kAbcAbExtents << choose(J::Left, P::CentreY, C::None)
        << QStringList{"10", "10", "10", "10", "10"} << zeros;
    QTest::newRow("no corner, free placement") << abcAb(10, 30) << kAbcAbExtents << choose(J::Left, P::Free, C::None)
        << QStringList{"10", "10", "10", "10", "10"} << QStringList{"23", "14", "0", "0", "0"};
}

void BlockLayoutTest::unselectedGroups() { checkPlacement(); }

// Halving in double precision, and bases worked out in double precision from
// the single-precision sizes: single-precision steps would change these digits.
void BlockLayoutTest::precision_data()
{
    addPlacementColumns();
    QTest::newRow("halves of a fractional plate width") << abcAb(100.1, 50) << kAbcAbExtents
        << choose(J::Left, P::CentreXY, C::TopLeft)
        << QStringList{"43.05", "43.05", "43.05", "43.05", "43.05"} << QStringList{"-24", "-33", "0", "0", "0"};
    QTest::newRow("bases from single-precision sizes") << blockOf({"A", "B"}, {1.1, 1.1}, 0, 0, 1.1f, 0.3f)
        << QByteArray(" X :  1.1 mm / Y :  4.15 mm") << choose(J::Left, P::Free, C::TopLeft)
        << QStringList{"0", "0", "0", "0", "0"} << QStringList{"-1.92500004172325", "-4.15000009536743", "0", "0", "0"};
}

void BlockLayoutTest::precision() { checkPlacement(); }

void BlockLayoutTest::counts_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QList<int>>("charCount");
    QTest::addColumn<int>("filledLines");
    QTest::addColumn<int>("firstLine");
    QTest::addColumn<int>("lastLine");
    QTest::newRow("ABC over AB") << QStringList{"ABC", "AB"} << QList<int>{3, 2, 0, 0, 0} << 2 << 1 << 2;
    QTest::newRow("lines 2 and 4") << QStringList{"", "AB", "", "CD", ""} << QList<int>{0, 2, 0, 2, 0} << 2 << 2 << 4;
    QTest::newRow("lines 1 and 5") << QStringList{"A", "", "", "", "B"} << QList<int>{1, 0, 0, 0, 1} << 2 << 1 << 5;
    QTest::newRow("blanks at the ends count") << QStringList{" AB "} << QList<int>{4, 0, 0, 0, 0} << 1 << 1 << 1;
    QTest::newRow("characters outside the code page") << QStringList{QString::fromUtf8("\u03a9\u20ac\U0001F600")}
        << QList<int>{3, 0, 0, 0, 0} << 1 << 1 << 1;
    QTest::newRow("blank-only line left as typed is empty") << QStringList{"A", "   ", "B"}
        << QList<int>{1, 3, 1, 0, 0} << 2 << 1 << 3;
}

void BlockLayoutTest::counts()
{
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, charCount);
    QFETCH(int, filledLines);
    QFETCH(int, firstLine);
    QFETCH(int, lastLine);

    const Outcome outcome = runLayout(blockOf(lines, {}, 0, 0), choose(J::Left, P::Free, C::TopLeft), kAbcAbExtents);
    QVERIFY(std::holds_alternative<LayoutResult>(outcome.layout));
    const auto& result = std::get<LayoutResult>(outcome.layout);
    int total = 0;
    for (int line = 1; line <= kLineCount; ++line) {
        QCOMPARE(result.charCount[line], charCount[line - 1]);
        total += charCount[line - 1];
    }
    QCOMPARE(result.totalChars, total);
    QCOMPARE(result.filledLines, filledLines);
    QCOMPARE(result.firstLine, firstLine);
    QCOMPARE(result.lastLine, lastLine);
}

// The block's size is what Encombrement shows, read back the way the
// construction always has: after the first five characters, and after the
// last ":" from the fifth character on.
void BlockLayoutTest::extentsAsDisplayed_data()
{
    QTest::addColumn<QByteArray>("encombrement");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("ABC over AB") << kAbcAbExtents << 14.0 << 16.0;
    QTest::newRow("nothing") << QByteArray(" X :  0 mm / Y :  0 mm") << 0.0 << 0.0;
    QTest::newRow("fractions") << QByteArray(" X :  9.5 mm / Y :  8.75 mm") << 9.5 << 8.75;
    QTest::newRow("seven digits, rounded") << QByteArray(" X :  123500 mm / Y :  1.234568 mm") << 123500.0 << 1.234568;
    QTest::newRow("exponent form") << QByteArray(" X :  1.234568E+07 mm / Y :  6.710886E+07 mm") << 12345680.0 << 67108860.0;
    QTest::newRow("empty text") << QByteArray() << 0.0 << 0.0;
    QTest::newRow("shorter than five characters") << QByteArray(" X :") << 0.0 << 0.0;
    QTest::newRow("no colon after the fifth character") << QByteArray(" X :  14 mm") << 14.0 << 0.0;
    QTest::newRow("ends with a colon") << QByteArray(" X :  14 mm / Y :") << 14.0 << 0.0;
}

void BlockLayoutTest::extentsAsDisplayed()
{
    QFETCH(QByteArray, encombrement);
    QFETCH(double, width);
    QFETCH(double, height);

    const BlockExtents extents = readBackExtents(encombrement.toStdString());
    QCOMPARE(extents.width, width);
    QCOMPARE(extents.height, height);

    // The layout takes them from the text, not from the line widths it is given.
    const Outcome outcome = runLayout(abcAb(0, 0), choose(J::Left, P::Free, C::TopLeft), encombrement);
    QVERIFY(std::holds_alternative<LayoutResult>(outcome.layout));
    QCOMPARE(std::get<LayoutResult>(outcome.layout).blockWidth, width);
    QCOMPARE(std::get<LayoutResult>(outcome.layout).blockHeight, height);
}

void BlockLayoutTest::refusals_data()
{
    QTest::addColumn<BlockInput>("input");
    QTest::addColumn<QByteArray>("encombrement");
    QTest::addColumn<LayoutChoices>("choices");
    QTest::addColumn<LayoutRefusal>("refusal");
    const auto xy = choose(J::Left, P::CentreXY, C::TopLeft);
    const auto noText = LayoutRefusal::NoText;
    const auto fitX = LayoutRefusal::DoesNotFitX;
    const auto fitY = LayoutRefusal::DoesNotFitY;

    QTest::newRow("all lines empty") << blockOf({}, {}, 100, 50) << QByteArray(" X :  0 mm / Y :  0 mm") << xy << noText;
    QTest::newRow("lines of blanks only") << blockOf({"  ", " ", "", "   "}, {9, 4, 0, 14}, 100, 50) << kAbcAbExtents << xy << noText;
    QTest::newRow("no text before a block that fits nowhere") << blockOf({}, {14}, -1, -1) << kAbcAbExtents << xy << noText;

    QTest::newRow("line 1 one millimetre wider than posX") << abcAb(13, 50) << kAbcAbExtents << xy << fitX;
    QTest::newRow("line 2 one millimetre wider than posX") << blockOf({"AB", "ABC"}, {9, 14}, 13, 50) << kAbcAbExtents << xy << fitX;
    QTest::newRow("posX 0 with text") << abcAb(0, 50) << kAbcAbExtents << xy << fitX;
    QTest::newRow("negative posX, lines narrower still") << blockOf({"A"}, {-5, -5, -5, -5, -5}, -1, 50) << kAbcAbExtents << xy << fitX;
    QTest::newRow("emptied blank-only line keeps its old width") << blockOf({"ABC", ""}, {14, 101}, 100, 50)
        << kAbcAbExtents << xy << fitX;
    QTest::newRow("X checked before Y") << abcAb(0, 0) << kAbcAbExtents << xy << fitX;
    QTest::newRow("X centred alone") << abcAb(13, -1) << kAbcAbExtents << choose(J::Left, P::CentreX, C::TopLeft) << fitX;

    QTest::newRow("block one millimetre higher than posY") << abcAb(100, 15) << kAbcAbExtents << xy << fitY;
    QTest::newRow("negative posY, block lower still") << abcAb(100, -1) << QByteArray(" X :  14 mm / Y : -5 mm") << xy << fitY;
    QTest::newRow("Y centred alone") << abcAb(-1, 15) << kAbcAbExtents << choose(J::Left, P::CentreY, C::TopLeft) << fitY;
}

void BlockLayoutTest::refusals()
{
    QFETCH(BlockInput, input);
    QFETCH(QByteArray, encombrement);
    QFETCH(LayoutChoices, choices);
    QFETCH(LayoutRefusal, refusal);

    const Outcome outcome = runLayout(input, choices, encombrement);
    QVERIFY2(std::holds_alternative<LayoutRefusal>(outcome.layout), "the job was accepted");
    QCOMPARE(std::get<LayoutRefusal>(outcome.layout), refusal);
    // A job without text is refused before the extents are refreshed; any
    // other refusal comes after they were refreshed, once.
    QCOMPARE(outcome.refreshCalls, refusal == LayoutRefusal::NoText ? 0 : 1);
}

QTEST_APPLESS_MAIN(BlockLayoutTest)
#include "tst_block_layout.moc"
