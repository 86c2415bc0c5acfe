#include "simulation/cell_check.h"

#include <QtTest>

#include <algorithm>

using namespace velmora::simulation;

namespace {

QByteArray lines(const QStringList& list)
{
    return (list.join("\r\n") + "\r\n").toLatin1();
}

// A glyph as the font writes one: a stroke from (1,1) to (3,1) at 0.2 mm deep.
const QStringList kGlyph = {"G91", "G0X1Y1", "G1Z-1.2", "G1X2Y0", "G0Z1.2", "G90"};

// Two characters 4 mm wide at x 10 and 15 on a line based at y 20, with the
// program's own lines around them; `first` and `second` are their glyphs.
QByteArray twoCharacters(const QStringList& first, const QStringList& second)
{
    return lines(QStringList{"%1", "G0G17G40G80G90M5M9", "G0G52Z", "M3M40S2000", "F300", "$ LIGNE  1",
                             "G0X10Y20", "G0Z1", "G0X10Y20"} +
                 first + QStringList{"G0X15Y20"} + second + QStringList{"G0G52Z", "M5M9", "M2"});
}

QStringList replaced(QStringList glyph, int index, const QString& line)
{
    glyph[index] = line;
    return glyph;
}

const std::vector<Cell> kCells = {cellAt(10, 20, 4), cellAt(15, 20, 4)};

std::vector<Violation> check(const QByteArray& text)
{
    CellCheckOptions options;
    options.engravingZ = -0.2;
    return checkProgramAgainstCells(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), kCells,
                                    options);
}

QString describe(const std::vector<Violation>& violations)
{
    QStringList parts;
    for (const Violation& v : violations)
        parts << QString("line %1, cell %2: %3").arg(v.line).arg(v.cell).arg(QString::fromStdString(v.what));
    return parts.join("; ");
}

}  // namespace

class CellCheckTest : public QObject {
    Q_OBJECT
private slots:
    void soundPrograms_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("two strokes") << twoCharacters(kGlyph, kGlyph);
        QTest::newRow("a blank glyph cuts nothing") << twoCharacters(kGlyph, {"$ CAR 32"});
        QTest::newRow("ink on the cell edges") << twoCharacters(
            {"G91", "G1Z-1.2", "G1X4Y0", "G1X0Y7", "G0Z1.2", "G90"}, kGlyph);
        QTest::newRow("arc touching the cell top") << twoCharacters(
            {"G91", "G0X0Y5", "G1Z-1.2", "G2X4Y0I2J0", "G0Z1.2", "G90"}, kGlyph);
    }

    void soundPrograms()
    {
        QFETCH(QByteArray, text);
        const std::vector<Violation> violations = check(text);
        QVERIFY2(violations.empty(), qPrintable(describe(violations)));
    }

    void faults_data()
    {
        QTest::addColumn<QByteArray>("text");
        // The violation that says this, where it finds the fault.
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("says");

        // Glyph lines of the first character are program lines 10 to 15.
        QTest::newRow("cut past the right edge")
            << twoCharacters(replaced(kGlyph, 3, "G1X3.5Y0"), kGlyph) << 13 << 0 << "leaves the cell";
        QTest::newRow("arc bulging over the top")
            << twoCharacters({"G91", "G0X0Y6.5", "G1Z-1.2", "G2X2Y0I1J0", "G0Z1.2", "G90"}, kGlyph) << 13 << 0
            << "leaves the cell";
        QTest::newRow("rapid plunge into the work")
            << twoCharacters(replaced(kGlyph, 2, "G0Z-1.2"), kGlyph) << 12 << 0 << "rapid move into the work";
        QTest::newRow("retract short of the start height")
            << twoCharacters(replaced(kGlyph, 4, "G0Z1"), kGlyph) << 16 << 0 << "not at its starting height";
        QTest::newRow("unreadable glyph line")
            << twoCharacters(replaced(kGlyph, 3, "G1X2Y0F100Q1"), kGlyph) << 13 << -1 << "cannot be read";
    }

    void faults()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QFETCH(int, cell);
        QFETCH(QString, says);
        const std::vector<Violation> violations = check(text);
        const auto found = std::find_if(violations.begin(), violations.end(), [&](const Violation& v) {
            return QString::fromStdString(v.what).contains(says);
        });
        QVERIFY2(found != violations.end(), qPrintable("not found among: " + describe(violations)));
        QCOMPARE(found->line, line);
        QCOMPARE(found->cell, cell);
    }
};

QTEST_APPLESS_MAIN(CellCheckTest)
#include "tst_cell_check.moc"
