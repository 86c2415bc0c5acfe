// "Construire" driven through the window: the controls set as an operator
// would, the click, then the program file, the listing, the meter and the
// messages checked as the operator and the machine would find them.

#include "app/construction_action.h"

#include "panel/main_window.h"
#include "panel/meter.h"
#include "panel/pause.h"
#include "tests/construction/construction_fixture.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace velmora;
using velmora::testing::readBytes;
using velmora::testing::writeBytes;

namespace {

// One-line glyphs, so that the program body shows its moves plainly.
const QList<QPair<int, QByteArray>> kPlainGlyphs = {{65, "G1X1\r\n"}, {66, "G1X2\r\n"}, {32, "G0Z1\r\n"}};

const QByteArray kPreviousProgram = "%7\r\nG0G52Z\r\nM5M9\r\nM2\r\n";

// Remembers what the meter showed while the construction paused on it.
class RecordingPause final : public PauseSeam {
public:
    explicit RecordingPause(MainWindow& window) : window_(window) {}
    void pause(std::chrono::milliseconds length) override
    {
        const Meter& meter = window_.meter();
        pauses.append({length, window_.findChild<QLabel*>("Visu1")->text(), meter.barTwips() == meter.fullTwips()});
    }
    struct Seen {
        std::chrono::milliseconds length;
        QString caption;
        bool barFull;
    };
    QList<Seen> pauses;

private:
    MainWindow& window_;
};

QStringList programLines(const QByteArray& program)
{
    QStringList lines = QString::fromLatin1(program).split("\r\n");
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList lineHead(int line, const QString& move, const QString& approach = "G0Z3.5")
{
    return {"$ *************", "$ LIGNE  " + QString::number(line), "$ *************", move, approach};
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

void check(MainWindow& window, const char* name)
{
    control<QRadioButton>(window, name)->setChecked(true);
}

// Saisie12..Saisie52 for the entry boxes (column 2), Saisie13..Saisie53 for
// their width read-outs (column 3).
QLineEdit* lineBox(MainWindow& window, int line, int column = 2)
{
    return control<QLineEdit>(window, QStringLiteral("Saisie%1%2").arg(line).arg(column).toLatin1());
}

void setLines(MainWindow& window, const QStringList& texts)
{
    for (int line = 1; line <= 5; ++line)
        lineBox(window, line)->setText(texts.value(line - 1));
}

QStringList lineTexts(MainWindow& window)
{
    QStringList texts;
    for (int line = 1; line <= 5; ++line)
        texts.append(lineBox(window, line)->text());
    return texts;
}

// The worked example's settings: size 4, spacing 1, line spacing 2, centred
// both ways from the top left corner of a 100 x 50 plate, Z 2.5, program
// %12, tool 3, corrector 3, changer and coolant on, range 40, 2000 rpm,
// feed 300.
void setWorkedExample(MainWindow& window)
{
    setBar(window, "Echelle2", 4);
    setBar(window, "Espace2", 1);
    setBar(window, "Interligne2", 2);
    check(window, "Option1");
    check(window, "Justification2");
    check(window, "Origine1");
    const std::pair<const char*, int> bars[] = {{"Posx2", 3000}, {"Posy2", 2500}, {"Posz2", 2025}, {"Nom2", 12},
                                                {"Outil2", 3},    {"Correcteur2", 3}, {"Gamme2", 40},
                                                {"Rotation2", 2000}, {"Avance2", 300}};
    for (const auto& [name, value] : bars)
        setBar(window, name, value);
    check(window, "Changeur2");
    check(window, "Lubrification2");
}

// Free placement from X 10, Y 30, left-justified: every line starts at X 10,
// the bases fall by 9 mm from Y 23.
void setPlainPlacement(MainWindow& window)
{
    setWorkedExample(window);
    check(window, "Option4");
    check(window, "Justification1");
    setBar(window, "Posx2", 2100);
    setBar(window, "Posy2", 2300);
}

}  // namespace

class ConstructionActionTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void workedExample();
    void lineBlocks_data();
    void lineBlocks();

    void refused_data();
    void refused();
    void missingGlyph_data();
    void missingGlyph();
    void fileFailure_data();
    void fileFailure();
    void frenchTextWithTheFont();

private:
    QString path(const QString& name) const { return folder_->filePath(name); }
    void addGlyphs(const QList<QPair<int, QByteArray>>& glyphs);
    void build(const std::filesystem::path& workFolder);
    void build();
    QByteArray program() const { return readBytes(path("velmora.rub")); }
    QString listing() { return control<QPlainTextEdit>(*window_, "Programme")->toPlainText(); }
    void verifyMeterAtRest();
    void verifyOneFailure(const QString& text);

    std::unique_ptr<QTemporaryDir> folder_;
    QString startFolder_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<RecordingPause> pause_;
    ScriptedMessages messages_;
};

// Every test runs in a working directory of its own, as the program does.
void ConstructionActionTest::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    QVERIFY(QDir(folder_->path()).mkdir("Data"));
    startFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder_->path()));
    window_ = std::make_unique<MainWindow>();
    pause_ = std::make_unique<RecordingPause>(*window_);
    messages_ = ScriptedMessages();
}

void ConstructionActionTest::cleanup()
{
    pause_.reset();
    window_.reset();
    QDir::setCurrent(startFolder_);
    folder_.reset();
}

void ConstructionActionTest::addGlyphs(const QList<QPair<int, QByteArray>>& glyphs)
{
    for (const auto& [code, bytes] : glyphs)
        QVERIFY(writeBytes(path("Data/Ascii%1.prg").arg(code), bytes));
}

void ConstructionActionTest::build(const std::filesystem::path& workFolder)
{
    ConstructionAction action(*window_, messages_, *pause_, {workFolder, workFolder / "Data"});
    control<QPushButton>(*window_, "Const1")->click();
}

void ConstructionActionTest::build()
{
    build(QFile::encodeName(folder_->path()).toStdString());
}

void ConstructionActionTest::verifyMeterAtRest()
{
    QCOMPARE(control<QLabel>(*window_, "Visu1")->text(), QStringLiteral("0 %"));
    QCOMPARE(window_->meter().barTwips(), 15);
}

void ConstructionActionTest::verifyOneFailure(const QString& text)
{
    QCOMPARE(messages_.calls().size(), std::size_t(1));
    const ScriptedMessages::Call& call = messages_.calls().front();
    QCOMPARE(call.icon, MessageIcon::Critical);
    QCOMPARE(call.buttons, MessageButtons::Ok);
    QCOMPARE(call.title, QStringLiteral("Echec de la construction"));
    QCOMPARE(call.text, text);
    QVERIFY(pause_->pauses.isEmpty());
    verifyMeterAtRest();
}

void ConstructionActionTest::workedExample()
{
    addGlyphs({{65, "$ A majuscule\r\nG0X0Y0\r\nG1Z-.2F100\r\nG1X2Y7\r\nG1X4Y0\r\nG0Z1\r\n"},
               {66, "G0X0Y0\r\nG1Z-.2\r\nG1Y7\r\nG02X0Y3.5I0J-1.75\r\nG0Z1\r\n"},
               {67, "G0X4Y7\r\nG1Z-.2\r\nG1X0\r\nG1Y0\r\nG1X4\r\nG0Z1"}});
    setWorkedExample(*window_);
    setLines(*window_, {"ABC", "AB"});

    build();

    const QStringList glyphA = {"$ A majuscule", "G0X0Y0", "G1Z-.2", "G1X2Y7", "G1X4Y0", "G0Z1"};
    const QStringList glyphB = {"G0X0Y0", "G1Z-.2", "G1Y7", "G2X0Y3.5I0J-1.75", "G0Z1"};
    const QStringList glyphC = {"G0X4Y7", "G1Z-.2", "G1X0", "G1Y0", "G1X4", "G0Z1"};
    const QStringList expected = QStringList{"%12", "$ *************", "$ VELMORA", "$ VERSION 2.1", "$ RM.TOLK",
                                             "$ *************", "DATE", "TIME", "$ *************",
                                             "G0G17G40G80G90M5M9", "G0G52Z", "M6T3D3", "M3M8M40S2000", "F300"}
        + lineHead(1, "G0X43Y-24") + QStringList{"G0X43Y-24"} + glyphA + QStringList{"G0X48Y-24"} + glyphB
        + QStringList{"G0X53Y-24"} + glyphC + lineHead(2, "G0X45.5Y-33") + QStringList{"G0X45.5Y-33"} + glyphA
        + QStringList{"G0X50.5Y-33"} + glyphB + QStringList{"G0G52Z", "M5M9", "M2"};

    const QByteArray file = program();
    QVERIFY(file.endsWith("M2\r\n"));
    QStringList lines = programLines(file);
    QVERIFY(lines.size() > 8);
    QVERIFY2(QRegularExpression(R"(^\$ LE \d\d/\d\d/\d{4}$)").match(lines[6]).hasMatch(), qPrintable(lines[6]));
    QVERIFY2(QRegularExpression(R"(^\$ A \d\d:\d\d:\d\d$)").match(lines[7]).hasMatch(), qPrintable(lines[7]));
    lines[6] = "DATE";
    lines[7] = "TIME";
    QCOMPARE(lines, expected);
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"velmora.rub"});

    QCOMPARE(listing(), QString::fromLatin1(file.chopped(2)).replace("\r\n", "\n"));
    QVERIFY(messages_.calls().empty());
    QCOMPARE(pause_->pauses.size(), 1);
    QCOMPARE(pause_->pauses[0].length, ConstructionAction::kFullBarPause);
    QCOMPARE(pause_->pauses[0].caption, QStringLiteral(" 100 %"));
    QVERIFY(pause_->pauses[0].barFull);
    verifyMeterAtRest();
}

void ConstructionActionTest::lineBlocks_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("leftInBoxes");
    QTest::addColumn<QStringList>("body");

    const QStringList head1 = lineHead(1, "G0X10Y23");
    const QStringList threeBlocks = head1 + QStringList{"G0X10Y23", "G1X1"} + lineHead(2, "G0X10Y14")
        + lineHead(3, "G0X10Y5") + QStringList{"G0X10Y5", "G1X2"};
    QTest::newRow("blank-only line 2 emptied, still a block")
        << QStringList{"A", "   ", "B"} << QStringList{"A", "", "B", "", ""} << threeBlocks;
    QTest::newRow("lines 1 and 3, line 2 empty")
        << QStringList{"A", "", "B"} << QStringList{"A", "", "B", "", ""} << threeBlocks;
    QTest::newRow("only line 3") << QStringList{"", "", "AB"} << QStringList{"", "", "AB", "", ""}
                                 << lineHead(3, "G0X10Y23") + QStringList{"G0X10Y23", "G1X1", "G0X15Y23", "G1X2"};
    QTest::newRow("blank-only line 1 gives no block")
        << QStringList{"  ", "B"} << QStringList{"", "B", "", "", ""}
        << lineHead(2, "G0X10Y23") + QStringList{"G0X10Y23", "G1X2"};
    QTest::newRow("blanks at the ends are engraved")
        << QStringList{" AB "} << QStringList{" AB ", "", "", "", ""}
        << head1 + QStringList{"G0X10Y23", "G0Z1", "G0X15Y23", "G1X1", "G0X20Y23", "G1X2", "G0X25Y23", "G0Z1"};
}

void ConstructionActionTest::lineBlocks()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, leftInBoxes);
    QFETCH(QStringList, body);
    addGlyphs(kPlainGlyphs);
    setPlainPlacement(*window_);
    setLines(*window_, typed);

    build();

    QVERIFY(messages_.calls().empty());
    QCOMPARE(lineTexts(*window_), leftInBoxes);
    const QStringList lines = programLines(program());
    QCOMPARE(lines.mid(14, lines.size() - 17), body);
}

void ConstructionActionTest::refused_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("posx2");
    QTest::newRow("all lines empty") << QStringList{} << 3000;
    QTest::newRow("only blanks") << QStringList{"  ", "", " "} << 3000;
    QTest::newRow("wider than the plate") << QStringList{"ABABABAB"} << 2100;
    // The widths are read before blank-only lines are emptied.
    QTest::newRow("blanks wider than the plate") << QStringList{"A", "          "} << 2100;
}

void ConstructionActionTest::refused()
{
    QFETCH(QStringList, typed);
    QFETCH(int, posx2);
    addGlyphs(kPlainGlyphs);
    QVERIFY(writeBytes(path("velmora.rub"), kPreviousProgram));
    window_->Chargelisting();
    const QString listingBefore = listing();
    setWorkedExample(*window_);
    setBar(*window_, "Posx2", posx2);
    setLines(*window_, typed);

    build();

    verifyOneFailure("Modifier les paramètres");
    QCOMPARE(program(), kPreviousProgram);
    QCOMPARE(listing(), listingBefore);
    // The emptied lines' own reactions refreshed their read-outs, though the
    // layout stopped before its own refresh: each reads as line 5, never typed.
    const QString emptyReadout = lineBox(*window_, 5, 3)->text();
    for (int line = 1; line <= 4; ++line)
        if (lineBox(*window_, line)->text().isEmpty())
            QCOMPARE(lineBox(*window_, line, 3)->text(), emptyReadout);
}

void ConstructionActionTest::missingGlyph_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("named");
    QTest::newRow("second character of line 1") << QStringList{"AZB", "AB"} << "Z";
    QTest::newRow("blank") << QStringList{"A", "A B"} << " ";
    QTest::newRow("accented, its glyph missing") << QStringList{"Aé"} << "é";
    QTest::newRow("outside the code page") << QStringList{"A\u03a9"} << "\u03a9";
}

void ConstructionActionTest::missingGlyph()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, named);
    addGlyphs({{65, "G1X1\r\n"}, {66, "G1X2\r\n"}});
    QVERIFY(writeBytes(path("velmora.rub"), kPreviousProgram));
    window_->Chargelisting();
    const QString listingBefore = listing();
    setWorkedExample(*window_);
    setLines(*window_, typed);

    build();

    verifyOneFailure("La gravure du caractère  (" + named + ")  est impossible");
    QCOMPARE(program(), kPreviousProgram);
    QCOMPARE(listing(), listingBefore);
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"velmora.rub"});
}

void ConstructionActionTest::fileFailure_data()
{
    QTest::addColumn<QString>("workFolder");  // in the test's folder; empty for that folder itself
    QTest::addColumn<QString>("obstacle");    // made a folder in its way
    QTest::addColumn<QString>("message");     // what the message says, the folder's path as {}
    QTest::newRow("work folder is a file") << "plain" << QString()
                                           << "Impossible de créer le fichier {}/plain/velmora.rub : "
                                              "le chemin du dossier n'est pas un dossier";
    QTest::newRow("work folder missing") << "gone" << QString()
                                         << "Impossible de créer le fichier {}/gone/velmora.rub : "
                                            "le dossier n'existe pas";
    QTest::newRow("program file is a folder") << QString() << "velmora.rub"
                                              << "Impossible de remplacer le fichier {}/velmora.rub : "
                                                 "c'est un dossier";
    QTest::newRow("glyph file is a folder") << QString() << "Data/Ascii66.prg"
                                            << "Impossible de lire le fichier {}/Data/Ascii66.prg : "
                                               "c'est un dossier";
}

void ConstructionActionTest::fileFailure()
{
    QFETCH(QString, workFolder);
    QFETCH(QString, obstacle);
    QFETCH(QString, message);
    QVERIFY(writeBytes(path("plain"), "not a folder"));
    if (!obstacle.isEmpty())
        QVERIFY(QDir(folder_->path()).mkpath(obstacle));
    addGlyphs({{65, "G1X1\r\n"}});
    if (obstacle != "Data/Ascii66.prg")
        addGlyphs({{66, "G1X2\r\n"}});
    if (obstacle != "velmora.rub")
        QVERIFY(writeBytes(path("velmora.rub"), kPreviousProgram));
    window_->Chargelisting();
    const QString listingBefore = listing();
    const QStringList entriesBefore = QDir(folder_->path()).entryList(QDir::AllEntries | QDir::Hidden);
    setWorkedExample(*window_);
    setLines(*window_, {"AB"});

    const QString work = workFolder.isEmpty() ? folder_->path() : path(workFolder);
    build(QFile::encodeName(work).toStdString());

    verifyOneFailure(QString(message).replace("{}", folder_->path()));
    QCOMPARE(QDir(folder_->path()).entryList(QDir::AllEntries | QDir::Hidden), entriesBefore);
    QCOMPARE(readBytes(path("plain")), QByteArray("not a folder"));
    if (obstacle != "velmora.rub")
        QCOMPARE(program(), kPreviousProgram);
    QCOMPARE(listing(), listingBefore);
}

// The font shipped in Data/ has a glyph for every character of a French
// sample line, accents, ligature, euro sign and descenders included.
void ConstructionActionTest::frenchTextWithTheFont()
{
    setPlainPlacement(*window_);
    setLines(*window_, {QString::fromUtf8("Été Ç'œ € ÀÉÎÔÙ"), "0123456789 gjpqy"});
    const std::filesystem::path work = QFile::encodeName(folder_->path()).toStdString();
    ConstructionAction action(*window_, messages_, *pause_, {work, VELMORA_DATA_DIR});
    control<QPushButton>(*window_, "Const1")->click();

    QVERIFY(messages_.calls().empty());
    QVERIFY(listing().endsWith("M2"));
    QCOMPARE(listing().count("$ CAR 201"), 2);  // É, twice
    verifyMeterAtRest();
}

QTEST_MAIN(ConstructionActionTest)
#include "tst_construction_action.moc"
