// What the preview measures of a program: the cut block, the path lengths and
// the time of the worked example by hand; where the plate lies when only one
// axis is centred, or none; and how much of a program it keeps when a line
// cannot be read.

#include "preview/preview_texts.h"
#include "preview/toolpath_preview.h"
#include "tests/preview/worked_example.h"

#include <QtTest>

#include <cmath>
#include <numbers>

using namespace velmora;
using namespace velmora::preview;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::Placement)

namespace {

// A range as "low..high", nothing as "-", so a failure shows both sides.
QString rangeText(const std::optional<Range>& range)
{
    return range ? QStringLiteral("%1..%2").arg(range->low).arg(range->high) : QStringLiteral("-");
}

}  // namespace

class ToolpathPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void workedExampleMeasuredByHand();
    void plateEdges_data();
    void plateEdges();
    void duration_data();
    void duration();
    void noFeedNoTime();
    void unreadableLineKeepsWhatCameBefore_data();
    void unreadableLineKeepsWhatCameBefore();
};

void ToolpathPreviewTest::workedExampleMeasuredByHand()
{
    const BuiltExample example = buildWorkedExample(Corner::TopLeft);
    const ToolpathPreview preview = previewProgram(example.program);
    QVERIFY(preview.interpretation.ok());

    // Line 1 from X 43 on base -24, line 2 from X 45.5 on base -33. The circle
    // of C reaches X 57; the top of B on line 1 is the block's top edge, -17.
    QCOMPARE(preview.cuts.minX, 43.0);
    QCOMPARE(preview.cuts.maxX, 57.0);
    QCOMPARE(preview.cuts.minY, -33.0);
    QCOMPARE(preview.cuts.maxY, -17.0);

    // A: plunge 1 + diagonal 5; B: plunge 1 + 7 + 4; C: plunge 1 + circle 4 pi.
    const double cutting = 2 * 6 + 2 * 12 + 1 + 4 * std::numbers::pi;
    // From the origin at the safe height (50) to line 1, down to 3.5, each
    // glyph's lift of 1, the travels between characters, C's travel of 2 to
    // its circle, line 2, and the last retract from 3.5 back to 50.
    const double rapid = std::hypot(43, 24) + 46.5 + 1 + std::hypot(2, 4) + 1 + std::hypot(1, 7) + 2 + 1 +
                         std::hypot(9.5, 9) + 1 + std::hypot(2, 4) + 1 + 46.5;
    QVERIFY(std::abs(preview.lengths.cutting - cutting) < 1e-9);
    QVERIFY(std::abs(preview.lengths.rapid - rapid) < 1e-9);

    const std::optional<double> seconds = machiningSeconds(preview.lengths, 300);
    QVERIFY(seconds);
    QVERIFY(std::abs(*seconds - 60 * (cutting / 300 + rapid / 3000)) < 1e-9);
    QCOMPARE(summaryText(preview.lengths, seconds, false),
             QStringLiteral("Coupe : 49.6 mm  Rapide : 178.3 mm  Durée estimée : 13 s"));
}

void ToolpathPreviewTest::plateEdges_data()
{
    QTest::addColumn<Placement>("placement");
    QTest::addColumn<double>("posX");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::newRow("X only: Y places the block") << Placement::CentreX << 80.0 << "-80..0" << "-";
    QTest::newRow("free placement has no plate") << Placement::Free << 80.0 << "-" << "-";
    QTest::newRow("negative width is no plate") << Placement::CentreXY << -5.0 << "-" << "0..30";
}

// From the bottom right corner of a plate 30 high.
void ToolpathPreviewTest::plateEdges()
{
    QFETCH(Placement, placement);
    QFETCH(double, posX);
    const PlateExtent plate = plateExtent(placement, Corner::BottomRight, posX, 30);
    QTEST(rangeText(plate.x), "x");
    QTEST(rangeText(plate.y), "y");
}

void ToolpathPreviewTest::duration_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("under a minute, rounded") << 13.48 << "13 s";
    QTest::newRow("rounds up to the minute") << 59.5 << "1 min 00 s";
    QTest::newRow("hours") << 3725.0 << "1 h 02 min 05 s";
}

void ToolpathPreviewTest::duration()
{
    QFETCH(double, seconds);
    QTEST(durationText(seconds), "text");
}

void ToolpathPreviewTest::noFeedNoTime()
{
    QVERIFY(!machiningSeconds({12, 34}, 0));
    QCOMPARE(summaryText({12, 34}, std::nullopt, false),
             QStringLiteral("Coupe : 12.0 mm  Rapide : 34.0 mm  Durée estimée : inconnue (avance nulle)"));
}

// An unknown word is shown with the drawing (see the preview window's tests).
void ToolpathPreviewTest::unreadableLineKeepsWhatCameBefore_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<int>("movesKept");
    QTest::addColumn<QString>("notice");
    QTest::newRow("first line, nothing drawn") << QByteArray("G41X1\r\nG1X5\r\n") << 0
        << "Ligne 1 non interprétée : code G que le système n'écrit pas (G41X1)";
    QTest::newRow("long line is cut, accents kept")
        << QByteArray("G0X0\r\nG1X2\r\nX\xe9") + QByteArray(50, '9') + "\r\n" << 2
        << QStringLiteral("Ligne 3 non interprétée : mot inconnu (Xé") + QString(38, QLatin1Char('9')) + QStringLiteral("…)");
}

void ToolpathPreviewTest::unreadableLineKeepsWhatCameBefore()
{
    QFETCH(QByteArray, program);
    QFETCH(int, movesKept);
    const ToolpathPreview preview = previewProgram(program.toStdString());
    QVERIFY(!preview.interpretation.ok());
    QCOMPARE(int(preview.interpretation.moves.size()), movesKept);
    QTEST(stopText(*preview.interpretation.stop, preview.stopLineText), "notice");
}

QTEST_MAIN(ToolpathPreviewTest)
#include "tst_toolpath_preview.moc"
