// "Construire" clicked in the window: the program file, the listing, the meter
// and the messages as the operator and the machine find them; where the glyphs
// are found.

#include "app/construction_action.h"
#include "app/program_places.h"

#include "panel/main_window.h"
#include "panel/meter.h"
#include "tests/construction/construction_fixture.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"
#include "tests/support/window_snapshot.h"

#include <QLabel>
#include <QLineEdit>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <memory>

using namespace velmora;
using namespace velmora::testing;

namespace {

const QList<QPair<int, QByteArray>> kWorkedGlyphs = {
    {65, "$ A majuscule\r\nG0X0Y0\r\nG1Z-.2F100\r\nG1X2Y7\r\nG1X4Y0\r\nG0Z1\r\n"},
    {66, "G0X0Y0\r\nG1Z-.2\r\nG1Y7\r\nG02X0Y3.5I0J-1.75\r\nG0Z1\r\n"},
    {67, "G0X4Y7\r\nG1Z-.2\r\nG1X0\r\nG1Y0\r\nG1X4\r\nG0Z1"}};

QString withoutStamp(const QByteArray& program)
{
    const QRegularExpression stamp(R"(\$ LE \d\d/\d\d/\d{4}\r\n\$ A \d\d:\d\d:\d\d\r\n)");
    return QString::fromLatin1(program).replace(stamp, "DATE\r\nTIME\r\n");
}

QStringList lineHead(int line, const QString& move)
{
    return {"$ *************", "$ LIGNE  " + QString::number(line), "$ *************", move, "G0Z3.5"};
}

// Moves a scroll bar so that its display box is written even when the value
// was already there.
void setBar(MainWindow& window, const char* name, int value)
{
    auto* bar = control<QScrollBar>(window, name);
    bar->setValue(bar->maximum());
    bar->setValue(bar->minimum());
    bar->setValue(value);
}

void check(MainWindow& window, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        control<QRadioButton>(window, name)->setChecked(true);
}

QLineEdit* lineBox(MainWindow& window, int line)
{
    return control<QLineEdit>(window, QStringLiteral("Saisie%1%2").arg(line).arg(2).toLatin1());
}

// The worked example's settings: size 4, spacing 1, line spacing 2, centred
// both ways from the top left corner of a 100 x 50 plate, Z 2.5, program
// %12, tool 3, corrector 3, changer and coolant on, range 40, 2000 rpm,
// feed 300.
void setWorkedExample(MainWindow& window, const QStringList& texts)
{
    const std::pair<const char*, int> bars[] = {
        {"Echelle2", 4}, {"Espace2", 1},    {"Interligne2", 2}, {"Posx2", 3000},      {"Posy2", 2500},
        {"Posz2", 2025}, {"Nom2", 12},      {"Outil2", 3},      {"Correcteur2", 3},   {"Gamme2", 40},
        {"Rotation2", 2000}, {"Avance2", 300}};
    for (const auto& [name, value] : bars)
        setBar(window, name, value);
    check(window, {"Option1", "Justification2", "Origine1", "Changeur2", "Lubrification2"});
    for (int line = 1; line <= 5; ++line)
        lineBox(window, line)->setText(texts.value(line - 1));
}

// Free placement from X 10, Y 30, right-justified: the widest line starts at
// X 10, the bases fall by 9 mm from Y 23.
void setPlainPlacement(MainWindow& window, const QStringList& texts)
{
    setWorkedExample(window, texts);
    check(window, {"Option4", "Justification3"});
    setBar(window, "Posx2", 2100);
    setBar(window, "Posy2", 2300);
}

}  // namespace

class ConstructionActionTest : public QObject {
    Q_OBJECT
private slots:
    // Every test runs in a working directory of its own, as the program does,
    // with one-line glyphs for A and B.
    void init()
    {
        folder_ = std::make_unique<WorkFolder>(std::initializer_list<std::pair<int, QByteArray>>{
            {65, "G1X1\r\n"}, {66, "G1X2\r\n"}});
        startFolder_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder_->path()));
        window_ = std::make_unique<MainWindow>();
        messages_ = ScriptedMessages();
        pause_ = RecordingPause();
        meterWhilePaused_.clear();
        pause_.onPause = [this] {
            const Meter& meter = window_->meter();
            meterWhilePaused_ << caption() << (meter.barPixels() == meter.fullPixels() ? "full" : "not full");
        };
    }

    void cleanup()
    {
        window_.reset();
        QDir::setCurrent(startFolder_);
        folder_.reset();
    }

    void workedExample()
    {
        for (const auto& [code, bytes] : kWorkedGlyphs)
            QVERIFY(folder_->addGlyph(code, bytes));
        setWorkedExample(*window_, {"ABC", "AB"});

        build();

        const QStringList glyphA = {"$ A majuscule", "G0X0Y0", "G1Z-.2", "G1X2Y7", "G1X4Y0", "G0Z1"};
        const QStringList glyphB = {"G0X0Y0", "G1Z-.2", "G1Y7", "G2X0Y3.5I0J-1.75", "G0Z1"};
        const QStringList glyphC = {"G0X4Y7", "G1Z-.2", "G1X0", "G1Y0", "G1X4", "G0Z1"};
        const QStringList expected = QStringList{"%12", "$ *************", "$ VELMORA", "$ VERSION 2.1", "$ RM.TOLK",
                                                 "$ *************", "DATE", "TIME", "$ *************",
                                                 "G0G17G40G80G90M5M9", "G0G52Z", "M6T3D3", "M3M8M40S2000", "F300"}
            + lineHead(1, "G0X43Y-24") + QStringList{"G0X43Y-24"} + glyphA + QStringList{"G0X48Y-24"} + glyphB
            + QStringList{"G0X53Y-24"} + glyphC + lineHead(2, "G0X45.5Y-33") + QStringList{"G0X45.5Y-33"} + glyphA
            + QStringList{"G0X50.5Y-33"} + glyphB + QStringList{"G0G52Z", "M5M9", "M2", ""};

        const QString file = QString::fromLatin1(folder_->program());
        QCOMPARE(withoutStamp(folder_->program()).split("\r\n"), expected);
        QCOMPARE(folder_->entries(), QStringList{"velmora.rub"});

        QCOMPARE(listing(), file.chopped(2).replace("\r\n", "\n"));
        QVERIFY(messages_.calls().empty());
        QCOMPARE(pause_.pauses, std::vector{ConstructionAction::kFullBarPause});
        QCOMPARE(meterWhilePaused_, (QStringList{" 100 %", "full"}));
        verifyMeterAtRest();
    }

    void lineBlocks_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("body");  // the program between its head and its end

        // Right-justified, each line starts at X 10 + the block's width - its own,
        // the block as Encombrement shows it once blank-only lines are emptied, a
        // line's width as read before.
        QTest::newRow("blank-only lines 2 and 5 emptied, 2 still a block")
            << QStringList{"A", "   ", "B", "", "  "}
            << lineHead(1, "G0X10Y23") + QStringList{"G0X10Y23", "G1X1"} + lineHead(2, "G0X0Y14")
                   + lineHead(3, "G0X10Y5") + QStringList{"G0X10Y5", "G1X2"};
        QTest::newRow("only line 3") << QStringList{"", "", "AB"}
                                     << lineHead(3, "G0X10Y23") + QStringList{"G0X10Y23", "G1X1", "G0X15Y23", "G1X2"};
        QTest::newRow("lines 1 and 5, the fifth the widest")
            << QStringList{"B", "", "", "", "AB"}
            << lineHead(1, "G0X15Y23") + QStringList{"G0X15Y23", "G1X2"} + lineHead(2, "G0X19Y14")
                   + lineHead(3, "G0X19Y5") + lineHead(4, "G0X19Y-4") + lineHead(5, "G0X10Y-13")
                   + QStringList{"G0X10Y-13", "G1X1", "G0X15Y-13", "G1X2"};
    }

    void lineBlocks()
    {
        QFETCH(QStringList, typed);
        setPlainPlacement(*window_, typed);

        build();

        QVERIFY(messages_.calls().empty());
        for (int line = 1; line <= 5; ++line)
            QCOMPARE(lineBox(*window_, line)->text(), typed.value(line - 1).trimmed());
        const QStringList lines = QString::fromLatin1(folder_->program()).split("\r\n");
        QTEST(lines.mid(14, lines.size() - 18), "body");
    }

    void failure_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QVariantMap>("bars");    // moved from the worked example's settings
        QTest::addColumn<QString>("workFolder");  // in the test's folder; empty for that folder itself
        QTest::addColumn<QString>("message");     // the test's folder as {}
        QTest::addColumn<QString>("cause");       // under the message; empty when there is none

        const QString refused = "Modifier les paramètres";
        const QStringList fiveLines{"AB", "AB", "AB", "AB", "AB"};  // 43 mm high
        // The widths are read before blank-only lines are emptied.
        QTest::newRow("blanks wider than the plate, last line")
            << QStringList{"A", "", "", "", QString(25, ' ')} << QVariantMap{} << "" << refused
            << "le bloc (124 mm) est plus large que la plaque (X : 100 mm)";
        QTest::newRow("plate of negative width") << QStringList{"AB"} << QVariantMap{{"Posx2", 1950}} << "" << refused
                                                 << "la largeur de la plaque (X : -5 mm) est négative";
        QTest::newRow("block higher than the plate")
            << fiveLines << QVariantMap{{"Posy2", 2300}} << "" << refused
            << "le bloc (43 mm) est plus haut que la plaque (Y : 30 mm)";
        QTest::newRow("plate of negative height") << QStringList{"AB"} << QVariantMap{{"Posy2", 1999}} << "" << refused
                                                  << "la hauteur de la plaque (Y : -.1 mm) est négative";
        QTest::newRow("glyph of the second character missing") << QStringList{"AZB", "AB"} << QVariantMap{} << ""
            << "La gravure du caractère  (Z)  est impossible" << "";
        QTest::newRow("NUL typed: named by its picture and code")
            << QStringList{"A", QString(QChar(0)) + "A"} << QVariantMap{} << ""
            << "La gravure du caractère  (\u2400)  est impossible (U+0000)" << "";
        QTest::newRow("work folder missing") << QStringList{"AB"} << QVariantMap{} << "gone"
            << "Impossible de créer le fichier {}/gone/velmora.rub : le dossier n'existe pas" << "";
        // The program's file is created while the glyphs are copied; the
        // folder's failure is still the one told.
        QTest::newRow("work folder missing and a glyph missing") << QStringList{"AZB"} << QVariantMap{} << "gone"
            << "Impossible de créer le fichier {}/gone/velmora.rub : le dossier n'existe pas" << "";
    }

    // A construction that fails says so once, with its cause when the layout
    // refused the job, and leaves the previous program, its listing and the
    // folder exactly as they were.
    void failure()
    {
        QFETCH(QStringList, typed);
        QFETCH(QVariantMap, bars);
        QFETCH(QString, workFolder);
        QFETCH(QString, message);
        QVERIFY(writeBytes("velmora.rub", kPreviousProgram));
        window_->reloadListing();
        const QString listingBefore = listing();
        setWorkedExample(*window_, typed);
        for (auto bar = bars.cbegin(); bar != bars.cend(); ++bar)
            setBar(*window_, bar.key().toLatin1().constData(), bar.value().toInt());

        build(workFolder.isEmpty() ? QString() : folder_->path(workFolder));

        QCOMPARE(messages_.calls().size(), std::size_t(1));
        const ScriptedMessages::Call& call = messages_.calls().front();
        QCOMPARE(call.icon, MessageIcon::Critical);
        QCOMPARE(call.buttons, MessageButtons::Ok);
        QCOMPARE(call.title, QStringLiteral("Echec de la construction"));
        QCOMPARE(call.text, QString(message).replace("{}", folder_->path()));
        QTEST(call.cause, "cause");
        QVERIFY(pause_.pauses.empty());
        verifyMeterAtRest();
        QCOMPARE(folder_->program(), kPreviousProgram);
        QCOMPARE(listing(), listingBefore);
        QCOMPARE(folder_->entries(), QStringList{"velmora.rub"});
    }

    void editedGlyphSeenByTheNextConstruction_data()
    {
        QTest::addColumn<QString>("change");  // all but "rewrite" act on a glyph file last changed long ago
        QTest::newRow("rewritten at once, same size") << "rewrite";
        // As a file system that keeps whole seconds shows it: same size,
        // same time, same file; only the age of the first reading tells.
        QTest::newRow("rewritten at once, same size and time") << "rewrite in the same tick";
        QTest::newRow("old file replaced by another") << "replace";
        QTest::newRow("old file removed: the construction fails") << "remove";
        QTest::newRow("glyph folder replaced by another") << "folder";
    }

    // The glyph files are kept from one construction to the next, yet an edited
    // font is what the next construction copies.
    void editedGlyphSeenByTheNextConstruction()
    {
        QFETCH(QString, change);
        QFile glyph(folder_->glyphPath(65));
        QVERIFY(change.startsWith("rewrite") || ageGlyph(65));
        setPlainPlacement(*window_, {"AA"});
        const auto action = lastingAction();
        control<QPushButton>(*window_, "Const1")->click();
        QCOMPARE(QString::fromLatin1(folder_->program()).count("G1X1\r\n"), 2);

        const QString replacement = folder_->path("Data/new.prg");
        if (change == "rewrite")
            QVERIFY(folder_->addGlyph(65, "G1X3\r\n"));
        else if (change == "rewrite in the same tick") {
            struct stat before {};
            QVERIFY(::stat(QFile::encodeName(glyph.fileName()), &before) == 0);
            QVERIFY(folder_->addGlyph(65, "G1X3\r\n"));
            const timespec times[2] = {before.st_atim, before.st_mtim};
            QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(glyph.fileName()), times, 0) == 0);
        }
        else if (change == "folder")
            QVERIFY(QDir(folder_->path()).rename("Data", "Data.old") && QDir(folder_->path()).mkdir("Data")
                    && folder_->addGlyph(65, "G1X3\r\n"));
        else if (change == "replace")
            QVERIFY(writeBytes(replacement, "G1X3\r\n")
                && std::rename(QFile::encodeName(replacement), QFile::encodeName(glyph.fileName())) == 0);
        else
            QVERIFY(glyph.remove());
        control<QPushButton>(*window_, "Const1")->click();
        const QString program = QString::fromLatin1(folder_->program());
        QCOMPARE(messages_.calls().size(), std::size_t(change == "remove" ? 1 : 0));
        QCOMPARE(program.count("G1X3\r\n"), change == "remove" ? 0 : 2);
        QCOMPARE(program.count("G1X1\r\n"), change == "remove" ? 2 : 0);
    }

    // A kept glyph whose file went is the one told missing, before a glyph
    // further on in the text that was never there.
    void keptGlyphGoneBeforeAnotherMissing()
    {
        QVERIFY(ageGlyph(65));
        setPlainPlacement(*window_, {"AZ"});
        const auto action = lastingAction();
        control<QPushButton>(*window_, "Const1")->click();  // keeps A, fails on Z
        QVERIFY(QFile::remove(folder_->glyphPath(65)));
        control<QPushButton>(*window_, "Const1")->click();

        QCOMPARE(messages_.calls().size(), std::size_t(2));
        QCOMPARE(messages_.calls().front().text, QStringLiteral("La gravure du caractère  (Z)  est impossible"));
        QCOMPARE(messages_.calls().back().text, QStringLiteral("La gravure du caractère  (A)  est impossible"));
    }

    void glyphFolder_data()
    {
        // The program stands in program/, as if it were bin/ of an installation.
        QTest::addColumn<QString>("made");  // besides work/ and program/: folders end with a slash
        QTest::addColumn<QString>("expected");
        QTest::newRow("both: the workshop's own") << "work/Data/ program/Data/" << "work";
        QTest::newRow("only beside the program") << "program/Data/" << "program";
        QTest::newRow("a file named Data is no folder") << "work/Data program/Data/" << "program";
        QTest::newRow("beside the program before the installed one")
            << "program/Data/ share/velmora/Data/" << "program";
        QTest::newRow("only installed, in share beside bin") << "share/velmora/Data/" << "share/velmora";
        QTest::newRow("neither: the workshop's, to name the missing glyph") << "" << "work";
    }

    void glyphFolder()
    {
        QFETCH(QString, made);
        QFETCH(QString, expected);
        QDir dir(folder_->path());
        QVERIFY(dir.mkpath("work") && dir.mkpath("program"));
        for (const QString& entry : made.split(' ', Qt::SkipEmptyParts))
            QVERIFY(entry.endsWith('/') ? dir.mkpath(entry) : writeBytes(dir.filePath(entry), {}));

        QCOMPARE(glyphFolderFor(toPath(dir.filePath("work")), toPath(dir.filePath("program"))),
                 toPath(dir.filePath(expected)) / "Data");
    }

private:
    // Clicks "Construire" with a new action: no glyph kept from before.
    void build(const QString& workFolder = {})
    {
        const std::filesystem::path work = toPath(workFolder.isEmpty() ? folder_->path() : workFolder);
        ConstructionAction action(*window_, messages_, pause_, {work, toPath(folder_->path("Data")), {}});
        const QMetaObject::Connection wired =
            QObject::connect(window_.get(), &MainWindow::buildRequested, [&action] { action.build(); });
        control<QPushButton>(*window_, "Const1")->click();
        QObject::disconnect(wired);
    }

    // An action that stays for the whole test, as the window's does: the
    // glyphs it reads are kept from one construction to the next.
    std::unique_ptr<ConstructionAction> lastingAction()
    {
        const std::filesystem::path work = toPath(folder_->path());
        auto action = std::make_unique<ConstructionAction>(*window_, messages_, pause_,
                                                           ProgramPlaces{work, work / "Data", {}});
        QObject::connect(window_.get(), &MainWindow::buildRequested, window_.get(),
                         [built = action.get()] { built->build(); });
        return action;
    }

    // Glyph `code` dated an hour back, as a font installed long ago.
    bool ageGlyph(int code)
    {
        QFile glyph(folder_->glyphPath(code));
        return glyph.open(QIODevice::ReadWrite)
            && glyph.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    }

    QString listing() { return listingRows(*window_).join(QLatin1Char('\n')); }
    QString caption() { return control<QLabel>(*window_, "Visu1")->text(); }

    void verifyMeterAtRest()
    {
        QCOMPARE(caption(), QStringLiteral("0 %"));
        QCOMPARE(window_->meter().barPixels(), 1);
    }

    std::unique_ptr<WorkFolder> folder_;
    QString startFolder_;
    std::unique_ptr<MainWindow> window_;
    RecordingPause pause_;
    QStringList meterWhilePaused_;
    ScriptedMessages messages_;
};

QTEST_MAIN(ConstructionActionTest)
#include "tst_construction_action.moc"
