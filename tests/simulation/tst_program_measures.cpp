#include "simulation/program_interpreter.h"
#include "simulation/program_measures.h"

#include <QtTest>

#include <cmath>
#include <numbers>

using namespace velmora::simulation;

namespace {

std::vector<Move> movesOf(const char* text)
{
    const Interpretation result = interpretProgram(text);
    if (!result.ok())
        qFatal("test program unreadable: %s", result.stop->reason.c_str());
    return result.moves;
}

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

}  // namespace

class ProgramMeasuresTest : public QObject {
    Q_OBJECT
private slots:
    void cuttingBounds_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QRectF>("expected");  // x, y, width, height

        QTest::newRow("rapids are not ink") << QByteArray("G0X-50Y-50\nG0X1Y1\nG1X2Y1\nG0X90Y90\n")
                                            << QRectF(1, 1, 1, 0);
        // The arc rises 1 above its end points: the top of its circle counts.
        QTest::newRow("G2 half circle over the top") << QByteArray("G0X0Y0\nG2X2Y0I1J0\n") << QRectF(0, 0, 2, 1);
        QTest::newRow("G3 half circle under the bottom") << QByteArray("G0X0Y0\nG3X2Y0I1J0\n") << QRectF(0, -1, 2, 1);
        QTest::newRow("three quarters pass three") << QByteArray("G0X1Y0\nG2X0Y1I-1J0\n") << QRectF(-1, -1, 2, 2);
        QTest::newRow("full circle") << QByteArray("G0X3Y2\nG2X3Y2I-1J0\n") << QRectF(1, 1, 2, 2);
        QTest::newRow("small arc across the left point")
            << QByteArray("G0X-.8Y.6\nG3X-.8Y-.6I.8J-.6\n") << QRectF(-1, -0.6, 0.2, 1.2);
    }

    void cuttingBounds()
    {
        QFETCH(QByteArray, text);
        QFETCH(QRectF, expected);
        const std::vector<Move> moves = movesOf(text.constData());
        const Bounds b = velmora::simulation::cuttingBounds(moves);
        QVERIFY(!b.empty);
        QVERIFY2(near(b.minX, expected.left()) && near(b.maxX, expected.right()) && near(b.minY, expected.top()) &&
                     near(b.maxY, expected.bottom()),
                 qPrintable(QString("got %1..%2 x %3..%4").arg(b.minX).arg(b.maxX).arg(b.minY).arg(b.maxY)));
    }

    void noCutMeansEmptyBounds()
    {
        QVERIFY(velmora::simulation::cuttingBounds(movesOf("G0X1Y1\nG0G52Z\n")).empty);
    }

    void lengths_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("cutting");
        QTest::addColumn<double>("rapid");
        const double pi = std::numbers::pi;

        QTest::newRow("plunge and retract") << QByteArray("G0X0Y0Z1\nG1Z-.2\nG0Z1\n") << 1.2 << 50.0 - 1 + 1.2;
        QTest::newRow("half circle") << QByteArray("G0X0Y0Z50\nG2X2Y0I1J0\n") << pi << 0.0;
        QTest::newRow("full circle of radius 2") << QByteArray("G0X2Y0Z50\nG3I-2\n") << 4 * pi << 2.0;
        QTest::newRow("helical half turn") << QByteArray("G0X0Y0Z50\nG2X2Y0Z49I1J0\n") << std::hypot(pi, 1.0) << 0.0;
        QTest::newRow("retract counts as rapid") << QByteArray("G0X0Y0Z10\nG0G52Z\n") << 0.0 << 40.0 + 40.0;
    }

    void lengths()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, cutting);
        QFETCH(double, rapid);
        const PathLengths lengths = pathLengths(movesOf(text.constData()));
        QVERIFY2(near(lengths.cutting, cutting), qPrintable(QString::number(lengths.cutting)));
        QVERIFY2(near(lengths.rapid, rapid), qPrintable(QString::number(lengths.rapid)));
    }
};

QTEST_APPLESS_MAIN(ProgramMeasuresTest)
#include "tst_program_measures.moc"
