// The preview: programs written by hand or damaged, their moves as the
// interpreter reads them and each read up to its first bad line; what it
// measures of the worked example, worked out by hand, and the example drawn
// for each origin corner; the window following the listing; what a click on
// the drawing selects.

#include "panel/main_window.h"
#include "preview/character_pick.h"
#include "preview/preview_action.h"
#include "preview/preview_drawing.h"
#include "preview/preview_texts.h"
#include "preview/preview_view.h"
#include "preview/preview_window.h"
#include "preview/toolpath_preview.h"
#include "simulation/program_interpreter.h"
#include "tests/preview/worked_example.h"
#include "tests/support/window_controls.h"
#include "tests/support/working_folder.h"

#include <QPainter>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace velmora;
using namespace velmora::preview;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::Corner)

namespace {

// Lines joined with CR LF, as the program file holds them.
std::string programText(const QByteArrayList& lines)
{
    return (lines.join("\r\n") + "\r\n").toStdString();
}

// "G1 1,2,-0.2" per move, joined by " | ": kind (the move kinds follow the G
// numbers) and end point, and for an arc its centre and its sweep in degrees,
// counterclockwise positive.
QString trace(const std::vector<simulation::Move>& moves)
{
    QStringList parts;
    for (const simulation::Move& m : moves) {
        parts << QString("G%1 %2,%3,%4").arg(int(m.kind)).arg(m.end.x).arg(m.end.y).arg(m.end.z);
        if (m.isArc())
            parts.last() += QString(" around %1,%2 by %3").arg(m.centreX).arg(m.centreY)
                                .arg(std::round(simulation::arcSweep(m) * 180 / std::numbers::pi * 1e6) / 1e6);
    }
    return parts.join(" | ");
}

const PreviewColours kColours;
const QSize kImageSize(400, 300);

int colourDistance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// Some pixel within two of the point passes `test`.
template <typename Test>
bool anyAround(const QImage& image, QPoint centre, Test test)
{
    for (int dx = -2; dx <= 2; ++dx)
        for (int dy = -2; dy <= 2; ++dy)
            if (test(image.pixelColor(centre + QPoint(dx, dy))))
                return true;
    return false;
}

// A stroke is two pixels wide and smoothed: some pixel right around the point
// carries the cut's colour.
bool inkAround(const QImage& image, QPoint centre)
{
    return anyAround(image, centre, [](QColor c) { return colourDistance(c, kColours.cut) < 60; });
}

// The plate's far end on an axis: away from the origin corner, 5 mm inside.
double farInside(const Range& range)
{
    return range.low == 0 ? range.high - 5 : range.low + 5;
}

// A program with detail far below a pixel at its fitted size: a zigzag of
// 0.01 mm steps, twenty circles of radius 0.4, and a half circle of radius 10.
std::string denseProgram()
{
    std::string program = "%1\r\nG0X0Y0\r\nG1Z-1\r\n";
    for (int i = 1; i <= 1000; ++i)
        program += "G1X" + std::to_string(i * 0.01) + "Y" + (i % 2 ? "0.04" : "0") + "\r\n";
    program += "G0Z1\r\n";
    for (int k = 0; k < 20; ++k)
        program += "G0X" + std::to_string(12 + k * 1.2) + "Y0\r\nG1Z-1\r\nG2X" + std::to_string(12 + k * 1.2)
            + "Y0I.4J0\r\nG0Z1\r\n";
    return program + "G0X40Y0\r\nG1Z-1\r\nG3X60Y0I10J0\r\nG0Z1\r\nM2\r\n";
}

bool inked(const QImage& image, QPoint at, int strength)
{
    if (!image.rect().contains(at))
        return false;
    return colourDistance(image.pixelColor(at), kColours.background) > strength;
}

// Every clearly inked pixel of `drawn` has some ink of `reference` within one
// pixel; the count of those that have none.
int strayPixels(const QImage& drawn, const QImage& reference)
{
    int stray = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            if (!inked(drawn, {x, y}, 150))
                continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = inked(reference, {x + dx, y + dy}, 20);
            stray += near ? 0 : 1;
        }
    return stray;
}

// Lines "A B", "O " and "D", 4 mm characters, each line 10 mm below the one
// above, every line starting at X 0.
std::vector<CharacterCell> cellsWithSpacing(float spacing)
{
    EngravingJob job;
    job.charWidth = 4;
    job.charSpacing = spacing;
    return characterCells(job, testing::placeLines(job, {"A B", "O ", "D"}, {}, {0, -10, -20}));
}

// Strokes on the 4 x 7 mm cell, from its bottom left corner.
QPolygonF glyph(char32_t character)
{
    switch (character) {
    case U'A': return QPolygonF({{0, 1.25}, {2, 5.75}, {4, 1.25}});
    case U'B': return QPolygonF({{0, 1.25}, {0, 5.75}, {3, 5.75}});
    case U'O': return QPolygonF({{0.5, 1.25}, {3.5, 1.25}, {3.5, 5.75}, {0.5, 5.75}, {0.5, 1.25}});
    case U'D': return QPolygonF({{0, 1.25}, {0, 5.75}});
    }
    return {};
}

std::vector<QPolygonF> strokesOf(const std::vector<CharacterCell>& cells, char32_t leftOut)
{
    std::vector<QPolygonF> strokes;
    for (const CharacterCell& cell : cells)
        if (cell.character != leftOut && !glyph(cell.character).isEmpty())
            strokes.push_back(glyph(cell.character).translated(cell.area.topLeft()));
    return strokes;
}

}  // namespace

class PreviewDrawingTest : public QObject {
    Q_OBJECT
private slots:
    void moves_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QByteArrayList& lines, const char* moves) {
            QTest::newRow(name) << lines << QString(moves);
        };
        row("motion code carries to later lines", {"G1X1", "Y2", "Z-1"}, "G1 1,0,50 | G1 1,2,50 | G1 1,2,-1");
        row("mode change on the same line applies to it", {"G0X5", "G91G0X1"}, "G0 5,0,50 | G0 6,0,50");
        // (The set-up lines this system writes are read in the worked example.)
        row("empty lines and indented comments move nothing", {"", "  $ indented comment", "G0X1"}, "G0 1,0,50");
        row("blanks between words", {"G1 X2  Y3"}, "G1 2,3,50");
        row("LF and lone CR line ends", {"G0X1\nG0X2\rG0X3"}, "G0 1,0,50 | G0 2,0,50 | G0 3,0,50");
        // Arcs both ways, their centres always incremental.
        row("G2 three quarters", {"G0X1Y0", "G2X0Y1I-1J0"}, "G0 1,0,50 | G2 0,1,50 around 0,0 by -270");
        row("G3 full circle without end words", {"G0X1Y0", "G3I-1"}, "G0 1,0,50 | G3 1,0,50 around 0,0 by 360");
        row("arc centre stays incremental in absolute mode", {"G0X5Y5", "G3X3Y5I-1J0"},
            "G0 5,5,50 | G3 3,5,50 around 4,5 by 180");
        row("arc end incremental in G91", {"G0X5Y5", "G91", "G3X-2Y0I-1J0"}, "G0 5,5,50 | G3 3,5,50 around 4,5 by 180");
    }

    void moves()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(QString, expected);
        const simulation::Interpretation result = simulation::interpretProgram(programText(lines));
        QVERIFY2(result.ok(), result.stop ? result.stop->reason.c_str() : "");
        QCOMPARE(trace(result.moves), expected);
    }

    // The drawing and the character pick follow an arc through these points:
    // from its start to its end, never off its circle (blending to an end set
    // off it within the tolerance), a step at most apart, turning one way, Z
    // along the helix.
    void tracedArcs_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("G2 three quarters") << QByteArrayList{"G0X1Y0", "G2X0Y1I-1J0"};
        QTest::newRow("G3 helical, end just off its circle") << QByteArrayList{"G0X0Y0Z0", "G3X2.005Y0Z-1I1J0"};
    }

    void tracedArcs()
    {
        using namespace simulation;
        QFETCH(QByteArrayList, lines);
        const Move arc = interpretProgram(programText(lines)).moves.back();
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

    void readUpToTheFirstBadLine_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<double>("feed");
        QTest::addColumn<QString>("stop");  // empty: read to the end
        QTest::addColumn<QString>("summary");

        const QByteArray nines300(300, '9');
        const QString start = QStringLiteral("Coupe : 0.0 mm  Rapide : 50.0 mm  Durée estimée : 1 s");
        const QString partial = QStringLiteral("  (programme lu en partie)");
        QTest::newRow("10 m is in reach, just beyond is not")
            << QByteArrayList{"G0X0Y0Z0", "G1X10000", "G1Y-10000.01"} << 100.0
            << "Ligne 3 non interprétée : point à plus de 10 m de l'origine (G1Y-10000.01)"
            << "Coupe : 10000.0 mm  Rapide : 50.0 mm  Durée estimée : 1 h 40 min 01 s" + partial;
        QTest::newRow("incremental steps walking out of reach")
            << QByteArrayList{"G0X0Y0Z0", "G91", "G1X6000", "G1X" + nines300, "G1X" + nines300} << 100.0
            << "Ligne 4 non interprétée : point à plus de 10 m de l'origine (G1X" + QString(37, '9') + "…)"
            << "Coupe : 6000.0 mm  Rapide : 50.0 mm  Durée estimée : 1 h 00 min 01 s" + partial;
        QTest::newRow("a number beyond double precision")
            << QByteArrayList{"G0X0Y0Z0", "G1Z" + QByteArray(400, '9')} << 100.0
            << "Ligne 2 non interprétée : nombre mal écrit (G1Z" + QString(37, '9') + "…)" << start + partial;
        QTest::newRow("an arc around a centre 20 m away")
            << QByteArrayList{"G0X0Y0Z0", "G2X0Y0I20000J0"} << 100.0
            << "Ligne 2 non interprétée : point à plus de 10 m de l'origine (G2X0Y0I20000J0)" << start + partial;
        QTest::newRow("a feed that makes the time endless")
            << QByteArrayList{"G0X0Y0Z0", "G1X10"} << 1e-300 << QString()
            << "Coupe : 10.0 mm  Rapide : 50.0 mm  Durée estimée : plus de 9999 h";
        // Every cause a line is left unread for, after a rapid move and a cut.
        const QString twoMoves = "Coupe : 1.0 mm  Rapide : 1.0 mm  Durée estimée : 1 s" + partial;
        const auto cause = [&](const char* name, const QByteArray& bad, const QString& stop) {
            QTest::newRow(name) << QByteArrayList{"G0X1", "$ ok", "G1X2", bad, "G1X3"} << 100.0 << stop << twoMoves;
        };
        cause("unknown letter", "G1Q2", "Ligne 4 non interprétée : mot inconnu (G1Q2)");
        cause("two points", "G1X1.2.3", "Ligne 4 non interprétée : nombre mal écrit (G1X1.2.3)");
        cause("letter without value", "G1X", "Ligne 4 non interprétée : mot sans valeur (G1X)");
        cause("plane never written", "G18", "Ligne 4 non interprétée : code G que le système n'écrit pas (G18)");
        cause("two motion codes", "G0G1X1", "Ligne 4 non interprétée : mots contradictoires sur la ligne (G0G1X1)");
        cause("arc end off its circle", "G2X5Y0I1J0", "Ligne 4 non interprétée : arc impossible (G2X5Y0I1J0)");
        QTest::newRow("coordinates before any motion code") << QByteArrayList{"$ start", "X1Y1"} << 100.0
            << "Ligne 2 non interprétée : coordonnées avant tout G0, G1, G2 ou G3 (X1Y1)"
            << "Coupe : 0.0 mm  Rapide : 0.0 mm  Durée estimée : 0 s" + partial;
        // A helix is measured along itself: half a turn of radius 1 falling 1.
        QTest::newRow("helix") << QByteArrayList{"G0X0Y0Z50", "G2X2Y0Z49I1J0"} << 100.0 << QString()
                               << "Coupe : 3.3 mm  Rapide : 0.0 mm  Durée estimée : 2 s";
        QTest::newRow("no feed") << QByteArrayList{"G0X0Y0Z0", "G1X10"} << 0.0 << QString()
                                 << "Coupe : 10.0 mm  Rapide : 50.0 mm  Durée estimée : inconnue (avance nulle)";
    }

    void readUpToTheFirstBadLine()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(double, feed);
        QFETCH(QString, stop);
        QFETCH(QString, summary);
        const ToolpathPreview preview = previewProgram(programText(lines));
        QCOMPARE(preview.stop ? stopText(*preview.stop, preview.stopLineText) : QString(), stop);
        QCOMPARE(summaryText(preview.lengths, machiningSeconds(preview.lengths, feed), !preview.complete()), summary);
    }

    void workedExampleMeasuredByHand()
    {
        const BuiltExample example = buildWorkedExample(Corner::TopLeft);
        const ToolpathPreview preview = previewProgram(example.program);
        QVERIFY(preview.complete());
        QCOMPARE(retractText(preview.retractZ), QStringLiteral("Hauteur de retrait (G0G52Z) supposée : Z 50.0 mm"));

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

    void textSitsOnItsPlate_data()
    {
        QTest::addColumn<Corner>("corner");
        QTest::addColumn<bool>("originLeft");
        QTest::addColumn<bool>("originTop");
        QTest::newRow("Haut/Gauche") << Corner::TopLeft << true << true;
        QTest::newRow("Haut/Droite") << Corner::TopRight << false << true;
        QTest::newRow("Bas/Gauche") << Corner::BottomLeft << true << false;
        QTest::newRow("Bas/Droite") << Corner::BottomRight << false << false;
    }

    void textSitsOnItsPlate()
    {
        QFETCH(Corner, corner);
        QFETCH(bool, originLeft);
        QFETCH(bool, originTop);
        const BuiltExample example = buildWorkedExample(corner);
        const PlateExtent plate = plateExtent(Placement::CentreXY, corner, 100, 50);
        const PreviewScene scene = sceneOf(previewProgram(example.program), plate);
        const QImage image = renderPreview(scene, kImageSize);
        const ViewPlacement view = fitView(fitArea(scene), kImageSize);
        auto px = [&](double x, double y) { return view.toPixel(QPointF(x, y)).toPoint(); };

        const double x1 = example.layout.startX[1], y1 = example.layout.baseY[1];
        const double x2 = example.layout.startX[2], y2 = example.layout.baseY[2];
        QVERIFY2(inkAround(image, px(x1 + 5, y1 + 3.5)), "left side of B, line 1");
        QVERIFY2(inkAround(image, px(x2 + 1.5, y2 + 2)), "middle of A's diagonal, line 2");
        QCOMPARE(image.pixelColor(px(x1 + 12, y1 + 2)), kColours.plate);  // inside C's circle
        QCOMPARE(image.pixelColor(px(farInside(*plate.x), farInside(*plate.y))), kColours.plate);
        QCOMPARE(image.pixelColor(px((plate.x->low + plate.x->high) / 2, plate.y->high + 8)), kColours.background);

        // The origin stands at the chosen corner of the plate, Y up on the screen.
        const QPoint origin = px(0, 0);
        const QPoint middle = px((plate.x->low + plate.x->high) / 2, (plate.y->low + plate.y->high) / 2);
        QCOMPARE(origin.x() < middle.x(), originLeft);
        QCOMPARE(origin.y() < middle.y(), originTop);
    }

    // A program drawn up to a line it cannot read, the retract taken to 10 mm
    // above a work top higher than 40 mm; the check box under the drawing takes the rapid moves out
    // of it and leaves the cuts; Escape closes the window.
    void windowDrawsWhatItRead()
    {
        PreviewWindow window;
        window.resize(500, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.showProgram(std::string("G0X0Y0Z3\r\nG0X30Y0\r\nG1X30Y20\r\nG1X0Y20Q2\r\nG1X0Y0\r\n"),
                           PreviewSettings{Placement::Free, Corner::TopLeft, 0, 0, 300, 200});
        QCOMPARE(window.notice(), QStringLiteral("Ligne 4 non interprétée : mot inconnu (G1X0Y20Q2)"));
        QCOMPARE(window.summary(),
                 QStringLiteral("Coupe : 20.0 mm  Rapide : 237.0 mm  Durée estimée : 9 s  (programme lu en partie)"));
        QCOMPARE(window.assumption(), QStringLiteral("Hauteur de retrait (G0G52Z) supposée : Z 210.0 mm"));

        const ViewPlacement& view = window.view().placement();
        const QPoint rapid = view.toPixel(QPointF(15, 0)).toPoint();
        const QPoint cut = view.toPixel(QPointF(30, 10)).toPoint();
        // Anything but the background near the point.
        const auto drawnAround = [](const QImage& image, QPoint centre) {
            return anyAround(image, centre, [](QColor c) { return c != kColours.background; });
        };
        const QImage shown = window.view().grab().toImage();
        QVERIFY2(drawnAround(shown, rapid) && inkAround(shown, cut), "rapid move and cut shown");
        QVERIFY2(!drawnAround(shown, view.toPixel(QPointF(15, 20)).toPoint()), "the line it could not read");

        control<QCheckBox>(window, "hideRapids")->click();
        const QImage hidden = window.view().grab().toImage();
        QVERIFY2(!drawnAround(hidden, rapid), "rapid move hidden");
        QVERIFY2(inkAround(hidden, cut), "cut kept");

        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    // Closed, the preview reads nothing; shown, it reads the file the listing
    // last showed, with the settings of that moment, and every later one.
    void followsTheListing()
    {
        const WorkingFolder folder;  // the window reads velmora.rub from the working directory
        QVERIFY(folder.isValid());
        MainWindow window;
        PreviewWindow& preview = attachPreview(window);
        control<QScrollBar>(window, "Avance2")->setValue(600);
        QVERIFY(writeBytes("velmora.rub", "%1\r\nG0X0Y0\r\nG1X100Y0\r\nM2\r\n"));
        window.reloadListing();
        QTest::qWait(50);
        QVERIFY(preview.summary().isEmpty());

        QSignalSpy asked(&window, &MainWindow::previewRequested);
        control<QPushButton>(window, "Aperçu1")->click();
        QCOMPARE(asked.size(), 1);
        preview.show();
        QTRY_COMPARE(preview.summary(), QStringLiteral("Coupe : 100.0 mm  Rapide : 0.0 mm  Durée estimée : 10 s"));
        QVERIFY(preview.notice().isEmpty());

        QVERIFY(writeBytes("velmora.rub", "%1\r\nG0X0Y0\r\nG1X50Y0\r\nM2\r\n"));
        window.reloadListing();
        QTRY_COMPARE(preview.summary(), QStringLiteral("Coupe : 50.0 mm  Rapide : 0.0 mm  Durée estimée : 5 s"));

        // The plate comes from the choices as the window shows them (the corner
        // first: free placement would disable it).
        control<QRadioButton>(window, "Origine4")->setChecked(true);
        control<QRadioButton>(window, "Option3")->setChecked(true);
        control<QScrollBar>(window, "Posx2")->setValue(2995);
        const PreviewSettings settings = readPreviewSettings(window.model());
        QCOMPARE(settings.placement, Placement::CentreY);
        QCOMPARE(settings.corner, Corner::BottomRight);
        QCOMPARE(settings.posX, 99.5);
    }

    // The time under the drawing: rounded to the second, carried whole into
    // minutes and hours.
    void duration_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("59.6 s is a minute") << 59.6 << "1 min 00 s";
        QTest::newRow("7199.5 s is two hours") << 7199.5 << "2 h 00 min 00 s";
    }

    void duration()
    {
        QFETCH(double, seconds);
        QFETCH(QString, shown);
        QCOMPARE(durationText(seconds), shown);
    }

    // Points closer than a pixel are left out of a drawing: seen whole, it shows
    // the same pixels as the full trace within one pixel; zoomed in, where no
    // point is that close, it is the full trace, and a circle lies on its circle.
    // The traced strokes reach the painter many at a time; they draw what each
    // drawn on its own draws, within a pixel: no stroke left out, none joined to
    // the next.
    void droppedPointsDrawTheFullTrace_data()
    {
        QTest::addColumn<bool>("zoomedIn");
        QTest::newRow("seen whole: a thousand short strokes") << false;
        QTest::newRow("zoomed in on a circle") << true;
    }

    void droppedPointsDrawTheFullTrace()
    {
        QFETCH(bool, zoomedIn);
        const PreviewScene scene = sceneOf(previewProgram(denseProgram()), PlateExtent{});
        ViewPlacement view = fitView(fitArea(scene), kImageSize);
        if (zoomedIn)
            view = ViewPlacement{200, QPointF(200 - 12.4 * 200, 150)};  // the first circle's centre in the middle
        const QImage dropped = renderPreview(scene, kImageSize, view);
        const QImage full = renderPreview(scene, kImageSize, view, kColours, kFullTrace);
        const QRectF area(QPointF(), kImageSize);
        const std::vector<QPolygonF> strokes = tracePaths(scene.paths.cuts, view, area);
        std::size_t droppedPoints = 0, fullPoints = 0;
        for (const QPolygonF& polyline : strokes)
            droppedPoints += static_cast<std::size_t>(polyline.size());
        for (const QPolygonF& polyline : tracePaths(scene.paths.cuts, view, area, kFullTrace))
            fullPoints += static_cast<std::size_t>(polyline.size());

        PreviewColours cutsOnly;
        cutsOnly.rapid.setAlpha(0);
        cutsOnly.block.setAlpha(0);
        cutsOnly.origin.setAlpha(0);
        const QImage drawn = renderPreview(scene, kImageSize, view, cutsOnly);
        QImage oneByOne(kImageSize, QImage::Format_ARGB32_Premultiplied);
        oneByOne.fill(cutsOnly.background);
        QPainter painter(&oneByOne);
        painter.setRenderHint(QPainter::Antialiasing);
        QPen pen(cutsOnly.cut, 2, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin);
        pen.setCosmetic(true);
        painter.setPen(pen);
        for (const QPolygonF& stroke : strokes)
            painter.drawPolyline(stroke);
        painter.end();
        QVERIFY(strokes.size() >= (zoomedIn ? 1u : 20u));
        QCOMPARE(strayPixels(drawn, oneByOne), 0);
        QCOMPARE(strayPixels(oneByOne, drawn), 0);

        if (!zoomedIn) {
            QVERIFY2(droppedPoints * 3 < fullPoints, "most points are closer than a pixel");
            QCOMPARE(strayPixels(dropped, full), 0);
            QCOMPARE(strayPixels(full, dropped), 0);
            return;
        }
        QCOMPARE(droppedPoints, fullPoints);
        QCOMPARE(dropped, full);
        for (int step = 0; step < 16; ++step) {
            const double angle = step * std::numbers::pi / 8;
            const QPointF onCircle(12.4 + 0.4 * std::cos(angle), 0.4 * std::sin(angle));
            QVERIFY2(inkAround(dropped, view.toPixel(onCircle).toPoint()), "the circle, 80 pixels in radius");
        }
        QVERIFY(!inked(dropped, view.toPixel(QPointF(12.4, 0.2)).toPoint(), 20));
    }

    // What a click on the drawing selects for a resume, in the places where
    // it could be taken for another character or for nothing.
    void clickSelects_data()
    {
        QTest::addColumn<float>("spacing");
        QTest::addColumn<uint>("leftOut");  // a character whose strokes are not drawn
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QString>("selected");  // as the window shows it, empty for nothing
        QTest::newRow("on a stroke") << 1.f << 0u << QPointF(1, 3.5) << "Ligne 1, caractère 1 « A »";
        QTest::newRow("beside a stroke, outside the cell") << 1.f << 0u << QPointF(4.3, 1.3) << "Ligne 1, caractère 1 « A »";
        QTest::newRow("inside the hole of an O") << 1.f << 0u << QPointF(2, -6.5) << "Ligne 2, caractère 1 « O »";
        QTest::newRow("on a blank: the next character") << 1.f << 0u << QPointF(7, 3) << "Ligne 1, caractère 3 « B »";
        QTest::newRow("on a blank ending a line: the next line") << 1.f << 0u << QPointF(7, -6) << "Ligne 3, caractère 1 « D »";
        QTest::newRow("between two characters, near neither") << 1.f << 0u << QPointF(4.5, 6.5) << "";
        QTest::newRow("empty space beside the text") << 1.f << 0u << QPointF(30, 3) << "";
        QTest::newRow("on the plate outline") << 1.f << 0u << QPointF(-10, -5) << "";
        QTest::newRow("a character not drawn") << 1.f << uint('D') << QPointF(0, -17) << "";
        QTest::newRow("overlapping cells: the nearer centre") << -2.f << 0u << QPointF(3.5, 6.8) << "Ligne 1, caractère 3 « B »";
    }

    void clickSelects()
    {
        QFETCH(float, spacing);
        QFETCH(uint, leftOut);
        QFETCH(QPointF, at);
        QFETCH(QString, selected);
        const std::vector<CharacterCell> cells = cellsWithSpacing(spacing);
        const auto place = pickCharacter(cells, strokesOf(cells, char32_t(leftOut)), at, 0.5);
        QCOMPARE(place ? selectionText(*cellAt(cells, *place)) : QString(), selected);
    }
};

QTEST_MAIN(PreviewDrawingTest)
#include "tst_preview_drawing.moc"
