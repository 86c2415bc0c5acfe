// The pieces "Construire" is made of: the meter during a construction, the
// file failure texts, where the glyph files are found, and the option groups
// as the layout reads them.

#include "app/construction_messages.h"
#include "app/construction_meter.h"
#include "app/program_places.h"
#include "app/window_job.h"

#include "panel/main_window.h"
#include "panel/meter.h"
#include "tests/construction/construction_fixture.h"
#include "tests/support/window_controls.h"

#include <QLabel>
#include <QRadioButton>
#include <QtTest>

#include <cerrno>

using namespace velmora;
using velmora::testing::toPath;

namespace {

// Counts the paint events a widget receives.
struct PaintCounter final : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

}  // namespace

class ConstructionPartsTest : public QObject {
    Q_OBJECT
private slots:
    void meterFollowsTheBar_data();
    void meterFollowsTheBar();
    void meterRepaintsOnlyWhenItChanges();
    void fileFailureKeepsOtherCauses();
    void glyphFolder_data();
    void glyphFolder();
    void layoutChoices();
};

void ConstructionPartsTest::meterFollowsTheBar_data()
{
    // The meter is 153 pixels, 2295 twips, wide.
    QTest::addColumn<int>("doneCount");
    QTest::addColumn<int>("totalChars");
    QTest::addColumn<int>("barTwips");
    QTest::addColumn<QString>("caption");
    QTest::newRow("last character") << 3 << 3 << 2295 << " 100 %";
    QTest::newRow("bar cut to the pixel, caption below the share") << 1 << 7 << 315 << " 13 %";
    QTest::newRow("less than a pixel") << 1 << 10000 << 0 << " 0 %";
    QTest::newRow("one character short of a long text") << 9999 << 10000 << 2280 << " 99 %";
}

void ConstructionPartsTest::meterFollowsTheBar()
{
    QFETCH(int, doneCount);
    QFETCH(int, totalChars);
    MainWindow window;
    ConstructionMeter(window.meter()).showProgress(doneCount, totalChars);
    QTEST(window.meter().barTwips(), "barTwips");
    QTEST(control<QLabel>(window, "Visu1")->text(), "caption");
}

void ConstructionPartsTest::meterRepaintsOnlyWhenItChanges()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PaintCounter counter;
    control<QLabel>(window, "Visu1")->installEventFilter(&counter);
    ConstructionMeter meter(window.meter());

    for (int done = 1; done <= 10000; ++done)
        meter.showProgress(done, 10000);

    // At most one repaint for each of the bar's 153 pixels, and the first.
    QVERIFY2(counter.paints > 0 && counter.paints <= 154, qPrintable(QString::number(counter.paints)));
    QCOMPARE(control<QLabel>(window, "Visu1")->text(), QStringLiteral(" 100 %"));
}

// Causes the operator can act on are told in French (see the failures of
// Construire); any other keeps the system's own words.
void ConstructionPartsTest::fileFailureKeepsOtherCauses()
{
    const FileError error = fileErrorFromErrno(FileAction::WriteProgram, "/atelier/velmora.rub", EBUSY);
    QCOMPARE(fileFailureText(error), "Impossible d'écrire le fichier /atelier/velmora.rub : "
                                         + QString::fromStdString(std::generic_category().message(EBUSY)));
}

void ConstructionPartsTest::glyphFolder_data()
{
    QTest::addColumn<QString>("made");  // besides work/ and program/: folders end with a slash
    QTest::addColumn<QString>("expected");
    QTest::newRow("both: the workshop's own") << "work/Data/ program/Data/" << "work";
    QTest::newRow("only beside the program") << "program/Data/" << "program";
    QTest::newRow("a file named Data is no folder") << "work/Data program/Data/" << "program";
    QTest::newRow("neither: the workshop's, to name the missing glyph") << "" << "work";
}

void ConstructionPartsTest::glyphFolder()
{
    QFETCH(QString, made);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkpath("work") && dir.mkpath("program"));
    for (const QString& entry : made.split(' ', Qt::SkipEmptyParts))
        QVERIFY(entry.endsWith('/') ? dir.mkpath(entry) : testing::writeBytes(dir.filePath(entry), {}));

    const std::filesystem::path found = glyphFolderFor(toPath(dir.filePath("work")), toPath(dir.filePath("program")));
    QCOMPARE(found, toPath(dir.filePath(expected)) / "Data");
}

// Each group is read from its own buttons; free placement keeps the corner
// its button disables.
void ConstructionPartsTest::layoutChoices()
{
    MainWindow window;
    for (const char* name : {"Justification3", "Origine4", "Option4"})
        control<QRadioButton>(window, name)->setChecked(true);

    const LayoutChoices choices = readLayoutChoices(window.form());

    QCOMPARE(choices.justification, Justification::Right);
    QCOMPARE(choices.placement, Placement::Free);
    QCOMPARE(choices.corner, Corner::BottomRight);
}

QTEST_MAIN(ConstructionPartsTest)
#include "tst_construction_parts.moc"
