// The pieces "Construire" is made of: the meter during a construction, the
// file failure texts, where the glyph files are found, and the option groups
// as the layout reads them.

#include "app/construction_messages.h"
#include "app/construction_meter.h"
#include "app/program_places.h"
#include "app/window_job.h"

#include "panel/main_window.h"
#include "panel/meter.h"
#include "tests/support/window_controls.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

using namespace velmora;

namespace {

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

std::filesystem::path toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

class ConstructionPartsTest : public QObject {
    Q_OBJECT
private slots:
    void meterFollowsTheBar_data();
    void meterFollowsTheBar();
    void meterRepaintsOnlyWhenItChanges();

    void fileFailureText_data();
    void fileFailureText();

    void glyphFolder_data();
    void glyphFolder();

    void layoutChoices_data();
    void layoutChoices();
};

void ConstructionPartsTest::meterFollowsTheBar_data()
{
    // The meter is 153 pixels, 2295 twips, wide.
    QTest::addColumn<int>("doneCount");
    QTest::addColumn<int>("totalChars");
    QTest::addColumn<int>("barTwips");
    QTest::addColumn<QString>("caption");
    QTest::newRow("a third") << 1 << 3 << 765 << " 33 %";
    QTest::newRow("two thirds") << 2 << 3 << 1530 << " 66 %";
    QTest::newRow("last character") << 3 << 3 << 2295 << " 100 %";
    QTest::newRow("bar cut to the pixel, caption below the share") << 1 << 7 << 315 << " 13 %";
    QTest::newRow("less than a pixel") << 1 << 10000 << 0 << " 0 %";
    QTest::newRow("one character short of a long text") << 9999 << 10000 << 2280 << " 99 %";
}

void ConstructionPartsTest::meterFollowsTheBar()
{
    QFETCH(int, doneCount);
    QFETCH(int, totalChars);
    QFETCH(int, barTwips);
    QFETCH(QString, caption);
    MainWindow window;
    ConstructionMeter meter(window.meter());

    meter.showProgress(doneCount, totalChars);

    QCOMPARE(window.meter().barTwips(), barTwips);
    QCOMPARE(control<QLabel>(window, "Visu1")->text(), caption);
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

void ConstructionPartsTest::fileFailureText_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("errorNumber");
    QTest::addColumn<QString>("text");
    QTest::newRow("disk full") << int(FileAction::WriteProgram) << ENOSPC
                               << "Impossible d'écrire le fichier /atelier/velmora.rub : le disque est plein";
    QTest::newRow("refused") << int(FileAction::ReplaceProgram) << EACCES
                             << "Impossible de remplacer le fichier /atelier/velmora.rub : accès refusé";
    QTest::newRow("other cause keeps the system's words")
        << int(FileAction::SyncProgram) << EBUSY
        << "Impossible d'enregistrer sur le disque le fichier /atelier/velmora.rub : "
               + QString::fromStdString(std::generic_category().message(EBUSY));
}

void ConstructionPartsTest::fileFailureText()
{
    QFETCH(int, action);
    QFETCH(int, errorNumber);
    QFETCH(QString, text);
    const FileError error = fileErrorFromErrno(FileAction(action), "/atelier/velmora.rub", errorNumber);
    QCOMPARE(velmora::fileFailureText(error), text);
}

void ConstructionPartsTest::glyphFolder_data()
{
    QTest::addColumn<QString>("workData");       // "folder", "file" or "none"
    QTest::addColumn<bool>("installedData");     // a Data folder beside the program
    QTest::addColumn<QString>("expected");       // "work" or "program"
    QTest::newRow("both: the workshop's own") << "folder" << true << "work";
    QTest::newRow("only beside the program") << "none" << true << "program";
    QTest::newRow("a file named Data is no folder") << "file" << true << "program";
    QTest::newRow("neither: the workshop's, to name the missing glyph") << "none" << false << "work";
}

void ConstructionPartsTest::glyphFolder()
{
    QFETCH(QString, workData);
    QFETCH(bool, installedData);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QDir dir(root.path());
    QVERIFY(dir.mkpath("work") && dir.mkpath("program"));
    if (workData == "folder")
        QVERIFY(dir.mkpath("work/Data"));
    if (workData == "file") {
        QFile file(dir.filePath("work/Data"));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    if (installedData)
        QVERIFY(dir.mkpath("program/Data"));

    const std::filesystem::path found = glyphFolderFor(toPath(dir.filePath("work")), toPath(dir.filePath("program")));
    QCOMPARE(found, toPath(dir.filePath(expected == "work" ? "work" : "program")) / "Data");
}

void ConstructionPartsTest::layoutChoices_data()
{
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<int>("justification");
    QTest::addColumn<int>("placement");
    QTest::addColumn<int>("corner");
    QTest::newRow("nothing selected") << QStringList{} << int(Justification::None) << int(Placement::None)
                                      << int(Corner::None);
    QTest::newRow("left, X / Y, top left") << QStringList{"Justification1", "Option1", "Origine1"}
                                           << int(Justification::Left) << int(Placement::CentreXY)
                                           << int(Corner::TopLeft);
    QTest::newRow("right, Y, bottom right") << QStringList{"Justification3", "Option3", "Origine4"}
                                            << int(Justification::Right) << int(Placement::CentreY)
                                            << int(Corner::BottomRight);
    QTest::newRow("free placement keeps the disabled corner") << QStringList{"Origine2", "Option4"}
                                                              << int(Justification::None) << int(Placement::Free)
                                                              << int(Corner::TopRight);
}

void ConstructionPartsTest::layoutChoices()
{
    QFETCH(QStringList, selected);
    QFETCH(int, justification);
    QFETCH(int, placement);
    QFETCH(int, corner);
    MainWindow window;
    for (const QString& name : selected)
        control<QRadioButton>(window, name.toLatin1())->setChecked(true);

    const LayoutChoices choices = readLayoutChoices(window.form());

    QCOMPARE(int(choices.justification), justification);
    QCOMPARE(int(choices.placement), placement);
    QCOMPARE(int(choices.corner), corner);
}

QTEST_MAIN(ConstructionPartsTest)
#include "tst_construction_parts.moc"
