// Constructions that cannot finish: whatever stops them, the previous program
// stays in place byte for byte and nothing else is left in the work folder.

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

    void fileFailure_data()
    {
        QTest::addColumn<FileAction>("action");
        QTest::addColumn<QString>("named");  // the file the message names
        // Tests run as root, where a read-only folder does not stop a write, so
        // the failures come from paths that cannot work for anyone.
        QTest::newRow("work folder missing") << FileAction::CreateProgram << "absent/velmora.rub";
        QTest::newRow("program is a folder") << FileAction::ReplaceProgram << "velmora.rub";
        QTest::newRow("glyph is a folder") << FileAction::ReadGlyph << "Data/Ascii66.prg";
    }

    void fileFailure()
    {
        const QString breakage = QTest::currentDataTag();
        QFETCH(FileAction, action);
        QFETCH(QString, named);
        WorkFolder folder({{65, "G1X1\r\n"}});
        ProgramPlaces places = folder.places();
        QString lineText = "AA";
        if (breakage == "work folder missing") {
            places.workFolder = toPath(folder.path("absent"));
        } else if (breakage == "program is a folder") {
            QVERIFY(QDir(folder.path()).mkpath("velmora.rub/kept"));
        } else {
            QVERIFY(writeBytes(folder.path("velmora.rub"), kPreviousProgram));
            QVERIFY(QDir(folder.path("Data")).mkdir("Ascii66.prg"));
            lineText = "AB";
        }
        const QStringList before = folder.entries();
        EngravingJob job = machiningJob();
        const LayoutResult layout = placeLines(job, {lineText}, {}, {});

        const ConstructionOutcome outcome = buildProgramFile(job, layout, places, kStamp);
        QCOMPARE(outcome.status, ConstructionStatus::FileFailure);
        QVERIFY(outcome.failure);
        QCOMPARE(outcome.failure->action, action);
        QVERIFY(outcome.failure->cause);
        const QString text = QString::fromStdString(outcome.failure->describe());
        QVERIFY2(text.startsWith("Impossible de ") && text.contains(named + " : "), qPrintable(text));
        QCOMPARE(folder.entries(), before);
        if (breakage == "glyph is a folder")
            QCOMPARE(folder.program(), kPreviousProgram);
        if (breakage == "program is a folder")
            QVERIFY(QFileInfo::exists(folder.path("velmora.rub/kept")));
    }
};

QTEST_GUILESS_MAIN(ConstructionFailuresTest)
#include "tst_construction_failures.moc"
