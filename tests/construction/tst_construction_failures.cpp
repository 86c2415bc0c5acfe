// A construction stopped by a missing glyph: the previous program stays in
// place byte for byte and nothing else is left in the work folder. (Missing
// glyphs of typed characters, files in the way, full disks and a missing font
// are told through the window, in the construction action and hostile folders
// tests.)

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
    // A character outside the code page has no glyph file: it is named as
    // typed, after the characters before it were counted.
    void missingGlyphOutsideTheCodePage()
    {
        WorkFolder folder({{65, "G1X1\r\n"}, {66, "G1X2\r\n"}});
        QVERIFY(writeBytes(folder.path("velmora.rub"), kPreviousProgram));
        EngravingJob job = machiningJob();
        const LayoutResult layout = placeLines(job, {"A\u03a9B"}, {}, {});
        int done = 0;

        const ConstructionOutcome outcome =
            buildProgramFile(job, layout, folder.places(), kStamp, [&done](int count, int) { done = count; });
        QCOMPARE(outcome.status, ConstructionStatus::MissingGlyph);
        QCOMPARE(uint(outcome.character), 0x03a9u);
        QVERIFY(!outcome.failure);
        QCOMPARE(done, 1);
        QCOMPARE(folder.program(), kPreviousProgram);
        QCOMPARE(folder.entries(), QStringList{"velmora.rub"});
    }
};

QTEST_GUILESS_MAIN(ConstructionFailuresTest)
#include "tst_construction_failures.moc"
