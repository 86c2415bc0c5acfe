// Constructions stopped by a missing glyph: the previous program stays in
// place byte for byte and nothing else is left in the work folder. (Files in
// the way, full disks and a missing font are told through the window, in the
// hostile folders test.)

#include "construction_fixture.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

const QByteArray kPreviousProgram = "%7\r\nG0G52Z\r\nM5M9\r\nM2\r\n";

}  // namespace

class ConstructionFailuresTest : public QObject {
    Q_OBJECT
private slots:
    void missingGlyph_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<uint>("character");
        QTest::addColumn<int>("charactersDone");
        QTest::newRow("second character") << QStringList{"AZB"} << uint('Z') << 1;
        QTest::newRow("blank") << QStringList{"A", " A B "} << uint(' ') << 1;
        QTest::newRow("outside the code page") << QStringList{"A\u03a9B"} << uint(0x03a9) << 1;
    }

    void missingGlyph()
    {
        QFETCH(QStringList, texts);
        QFETCH(uint, character);
        QFETCH(int, charactersDone);
        WorkFolder folder({{65, "G1X1\r\n"}, {66, "G1X2\r\n"}});
        QVERIFY(writeBytes(folder.path("velmora.rub"), kPreviousProgram));
        EngravingJob job = machiningJob();
        const LayoutResult layout = placeLines(job, texts, {}, {});
        int done = 0;

        const ConstructionOutcome outcome =
            buildProgramFile(job, layout, folder.places(), kStamp, [&done](int count, int) { done = count; });
        QCOMPARE(outcome.status, ConstructionStatus::MissingGlyph);
        QCOMPARE(uint(outcome.character), character);
        QVERIFY(!outcome.failure);
        QCOMPARE(done, charactersDone);
        QCOMPARE(folder.program(), kPreviousProgram);
        QCOMPARE(folder.entries(), QStringList{"velmora.rub"});
    }
};

QTEST_GUILESS_MAIN(ConstructionFailuresTest)
#include "tst_construction_failures.moc"
