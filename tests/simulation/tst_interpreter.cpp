// The interpreter on what a hand-written program may hold beyond what this
// system writes. (Where it stops, and why, is shown under the preview.)

#include "simulation/program_interpreter.h"
#include "simulation/program_measures.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace velmora::simulation;

namespace {

// Lines joined with CR LF, as the program file holds them.
QByteArray program(std::initializer_list<const char*> lines)
{
    QByteArray text;
    for (const char* line : lines)
        text += QByteArray(line) + "\r\n";
    return text;
}

Interpretation run(const QByteArray& text)
{
    return interpretProgram(text.toStdString());
}

// "G1 1,2,-0.2" per move, joined by " | ": kind (the move kinds follow the G
// numbers) and end point, and for an arc its centre and its sweep in degrees,
// counterclockwise positive.
QString trace(const std::vector<Move>& moves)
{
    QStringList parts;
    for (const Move& m : moves) {
        parts << QString("G%1 %2,%3,%4").arg(int(m.kind)).arg(m.end.x).arg(m.end.y).arg(m.end.z);
        if (m.isArc())
            parts.last() += QString(" around %1,%2 by %3").arg(m.centreX).arg(m.centreY)
                                .arg(std::round(arcSweep(m) * 180 / std::numbers::pi * 1e6) / 1e6);
    }
    return parts.join(" | ");
}

}  // namespace

class InterpreterTest : public QObject {
    Q_OBJECT
private slots:
    void moves_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("motion code carries to later lines") << program({"G1X1", "Y2", "Z-1"})
                                                            << "G1 1,0,50 | G1 1,2,50 | G1 1,2,-1";
        QTest::newRow("mode change on the same line applies to it") << program({"G0X5", "G91G0X1"})
                                                                    << "G0 5,0,50 | G0 6,0,50";
        QTest::newRow("set-up lines, comments and empty lines move nothing")
            << program({"%12", "G0G17G40G80G90M5M9", "M6T3D3", "M3M8M40S2000", "F300", "$ LIGNE  1", "",
                        "  $ indented comment", "G0X1", "M5M9", "M2"})
            << "G0 1,0,50";
        QTest::newRow("blanks between words") << program({"G1 X2  Y3"}) << "G1 2,3,50";
        QTest::newRow("LF and lone CR line ends") << QByteArray("G0X1\nG0X2\rG0X3")
                                                  << "G0 1,0,50 | G0 2,0,50 | G0 3,0,50";

        // Arcs both ways, their centres always incremental.
        QTest::newRow("G2 three quarters") << program({"G0X1Y0", "G2X0Y1I-1J0"})
                                           << "G0 1,0,50 | G2 0,1,50 around 0,0 by -270";
        QTest::newRow("G3 full circle without end words") << program({"G0X1Y0", "G3I-1"})
                                                          << "G0 1,0,50 | G3 1,0,50 around 0,0 by 360";
        QTest::newRow("arc centre stays incremental in absolute mode")
            << program({"G0X5Y5", "G3X3Y5I-1J0"}) << "G0 5,5,50 | G3 3,5,50 around 4,5 by 180";
        QTest::newRow("arc end incremental in G91") << program({"G0X5Y5", "G91", "G3X-2Y0I-1J0"})
                                                    << "G0 5,5,50 | G3 3,5,50 around 4,5 by 180";
    }

    void moves()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        const Interpretation result = run(text);
        QVERIFY2(result.ok(), result.stop ? result.stop->reason.c_str() : "");
        QCOMPARE(trace(result.moves), expected);
    }

    // The preview draws an arc through these points: from its start to its
    // end, never off its circle (blending to an end set off it within the
    // tolerance), a step at most apart, turning one way, Z along the helix.
    void tracedArcs_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("G2 three quarters") << program({"G0X1Y0", "G2X0Y1I-1J0"});
        QTest::newRow("G3 helical, end just off its circle") << program({"G0X0Y0Z0", "G3X2.005Y0Z-1I1J0"});
    }

    void tracedArcs()
    {
        QFETCH(QByteArray, text);
        const Move arc = run(text).moves.back();
        const double r0 = arcRadius(arc);
        const double r1 = std::hypot(arc.end.x - arc.centreX, arc.end.y - arc.centreY);
        const std::vector<Point> points = tracePoints(arc, 0.1);
        QCOMPARE(points.front().x, arc.start.x);
        QCOMPARE(points.back().y, arc.end.y);
        const auto angleOf = [&](const Point& p) { return std::atan2(p.y - arc.centreY, p.x - arc.centreX); };
        for (std::size_t i = 1; i < points.size(); ++i) {
            const double r = std::hypot(points[i].x - arc.centreX, points[i].y - arc.centreY);
            const double step = std::remainder(angleOf(points[i]) - angleOf(points[i - 1]), 2 * std::numbers::pi);
            QVERIFY2(r >= std::min(r0, r1) - 1e-9 && r <= std::max(r0, r1) + 1e-9, qPrintable(QString::number(r)));
            QVERIFY2(step * arcSweep(arc) > 0 && std::abs(step) <= 0.1 + 1e-9, qPrintable(QString::number(step)));
            QVERIFY(points[i].z <= points[i - 1].z);
        }
    }

    // A helix is measured along itself: half a turn of radius 1 falling 1.
    // (Lines, circles and retracts are measured in the worked example.)
    void helixLength()
    {
        const PathLengths lengths = pathLengths(run(program({"G0X0Y0Z50", "G2X2Y0Z49I1J0"})).moves);
        QVERIFY2(std::abs(lengths.cutting - std::hypot(std::numbers::pi, 1.0)) < 1e-9,
                 qPrintable(QString::number(lengths.cutting)));
        QCOMPARE(lengths.rapid, 0.0);
    }
};

QTEST_APPLESS_MAIN(InterpreterTest)
#include "tst_interpreter.moc"
