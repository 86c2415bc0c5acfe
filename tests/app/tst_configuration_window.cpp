// The settings as velmora.txt carries them from one run to the next: what a
// save writes from the window, and what a window started from a file shows,
// for the files the program writes and for damaged ones.

#include "app/configuration_window.h"
#include "app/save_configuration.h"
#include "common/numbers.h"
#include "layout/extents.h"
#include "panel/display_rules.h"
#include "panel/main_window.h"
#include "panel/qt_text.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"
#include "tests/support/window_snapshot.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace velmora;

namespace {

// What an operator sets by hand: the serial texts as typed or chosen, scroll
// bar positions, one button of each group, the five lines.
struct OperatorSettings {
    QStringList serial;  // Port2, Vitesse2, Parité2, Nbrebits2, Bitsstop2
    QList<QPair<QString, int>> scrollBars;
    QStringList selected;
    QStringList lines;
};

// The controls the operator sees a setting on, and what they show.
using Expectations = QList<QPair<QString, QString>>;

}  // namespace

Q_DECLARE_METATYPE(OperatorSettings)

namespace {

const QStringList kSerial = {"Port2", "Vitesse2", QString::fromUtf8("Parité2"), "Nbrebits2", "Bitsstop2"};
const QStringList kLines = {"Saisie12", "Saisie22", "Saisie32", "Saisie42", "Saisie52"};

const OperatorSettings kWorkshop{
    {"COM2", "4800", "N(one)", "8", "1"},
    {{"Echelle2", 8}, {"Espace2", 2}, {"Interligne2", 5}, {"Rotation2", 1500}, {"Avance2", 250},
     {"Gamme2", 42}, {"Outil2", 7}, {"Correcteur2", 12}, {"Nom2", 12},
     {"Posx2", 2125}, {"Posy2", 1995}, {"Posz2", 2000}},
    {"Lubrification2", "Changeur3", "Justification3", "Option2", "Origine4"},
    {"PLAQUE 12, ATELIER B", QString::fromUtf8("\"Essai\" n° 2"), "   retrait", QString::fromUtf8("Épreuve à l'été"),
     "fin  "},
};

void setAsOperator(MainWindow& window, const OperatorSettings& settings)
{
    for (int i = 0; i < kSerial.size(); ++i)
        control<QComboBox>(window, kSerial[i].toUtf8().constData())->setEditText(settings.serial[i]);
    for (const auto& [name, value] : settings.scrollBars)
        control<QScrollBar>(window, name.toUtf8().constData())->setValue(value);
    for (const QString& name : settings.selected)
        control<QRadioButton>(window, name.toUtf8().constData())->setChecked(true);
    for (int i = 0; i < kLines.size(); ++i)
        control<QLineEdit>(window, kLines[i].toUtf8().constData())->setText(settings.lines.value(i));
}

QByteArray fileOf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// A file as the program writes it for the workshop's settings, line by line.
QList<QByteArray> workshopLines()
{
    return {"COM2", "4800", "N(one)", "8", "1", "8", "2", "5", "1500", "250", "42", "True", "False", "7", "12",
            "False", "True", " 12 ", "False", "False", "True", "False", "True", "False", "False", " 12.5", "-.5",
            " 0", "False", "False", "False", "True", "PLAQUE 12, ATELIER B", "\"Essai\" n\xb0 2", "   retrait",
            "\xc9preuve \xe0 l'\xe9t\xe9", "fin  "};
}

QByteArray workshopWith(const QList<QPair<int, QByteArray>>& changes)
{
    QList<QByteArray> lines = workshopLines();
    for (const auto& [line, value] : changes)
        lines[line - 1] = value;
    return fileOf(lines);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString shown(MainWindow& window, const QString& name)
{
    return shownState(*control<QWidget>(window, name.toUtf8().constData()));
}

// Each scroll bar's display box, and each size setting's read-out, shows the
// value the scroll bar holds: the construction takes these texts as they stand.
struct DisplayPair {
    const char* bar;
    const char* box;
    DisplayRule rule;
};
constexpr DisplayPair kDisplays[] = {
    {"Echelle2", "Echelle3", DisplayRule::WholeNumber},   {"Espace2", "Espace3", DisplayRule::WholeNumber},
    {"Interligne2", "Interligne3", DisplayRule::WholeNumber}, {"Rotation2", "Rotation3", DisplayRule::WholeNumber},
    {"Avance2", "Avance3", DisplayRule::WholeNumber},     {"Gamme2", "Gamme3", DisplayRule::WholeNumber},
    {"Outil2", "Outil3", DisplayRule::WholeNumber},       {"Correcteur2", "Correcteur3", DisplayRule::WholeNumber},
    {"Posx2", "Posx3", DisplayRule::Position},            {"Posy2", "Posy3", DisplayRule::Position},
    {"Posz2", "Posz3", DisplayRule::Position},            {"Nom2", "Nom3", DisplayRule::ProgramNumber},
};

void verifyDisplaysFollowScrollBars(MainWindow& window)
{
    for (const DisplayPair& pair : kDisplays) {
        const int v = control<QScrollBar>(window, pair.bar)->value();
        QCOMPARE(control<QLineEdit>(window, pair.box)->text(), fromWindows1252(displayText(pair.rule, v)));
    }
    const int echelle = control<QScrollBar>(window, "Echelle2")->value();
    QCOMPARE(control<QLineEdit>(window, "Echelle4")->text(), fromWindows1252(characterSizeReadout(echelle)));
    const int espace = control<QScrollBar>(window, "Espace2")->value();
    QCOMPARE(control<QLineEdit>(window, "Espace4")->text(), fromWindows1252(characterSpacingReadout(espace)));
    const int interligne = control<QScrollBar>(window, "Interligne2")->value();
    QCOMPARE(control<QLineEdit>(window, "Interligne4")->text(), fromWindows1252(lineSpacingReadout(interligne)));
}

void verifyOneSelectedPerGroup(MainWindow& window)
{
    const QList<QStringList> groups = {
        {"Lubrification2", "Lubrification3"},
        {"Changeur2", "Changeur3"},
        {"Justification1", "Justification2", "Justification3"},
        {"Option1", "Option2", "Option3", "Option4"},
        {"Origine1", "Origine2", "Origine3", "Origine4"},
    };
    for (const QStringList& group : groups) {
        int selected = 0;
        for (const QString& name : group)
            selected += control<QRadioButton>(window, name.toUtf8().constData())->isChecked() ? 1 : 0;
        QVERIFY2(selected == 1, qPrintable(group.join(", ")));
    }
}

}  // namespace

class ConfigurationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // Saving and starting again
    void settingsComeBack_data();
    void settingsComeBack();
    void savedFileIsExact_data();
    void savedFileIsExact();
    void storedSettingsAreShown_data();
    void storedSettingsAreShown();
    void firstStartIsAWorkingWindow();

    // Files the program did not write
    void damagedFileGivesUsableWindow_data();
    void damagedFileGivesUsableWindow();
    void serialTexts_data();
    void serialTexts();

private:
    // A window as start-up leaves it for the file now in the folder.
    std::unique_ptr<MainWindow> startedWindow();
    void save(MainWindow& window);
    std::filesystem::path folder() const { return dir_->path().toStdString(); }
    QString filePath() const { return dir_->filePath(QStringLiteral("velmora.txt")); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void ConfigurationWindowTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void ConfigurationWindowTest::cleanup() { dir_.reset(); }

std::unique_ptr<MainWindow> ConfigurationWindowTest::startedWindow()
{
    auto window = std::make_unique<MainWindow>();
    Chargeconfiguration(*window, folder());
    return window;
}

void ConfigurationWindowTest::save(MainWindow& window)
{
    ScriptedMessages messages;
    RecordingPause pause;
    Sauveconfiguration(window, messages, pause, folder());
    QCOMPARE(messages.calls().size(), std::size_t(1));
}

void ConfigurationWindowTest::settingsComeBack_data()
{
    QTest::addColumn<OperatorSettings>("settings");
    QTest::newRow("workshop: comma, double quote, blanks at both ends, accents") << kWorkshop;
    // A value equal to the scroll bar's form value runs no reaction by itself;
    // the displays must show it all the same.
    QTest::newRow("every scroll bar at its form value")
        << OperatorSettings{{"COM1", "9600", "E(ven)", "7", "2"},
                            {{"Echelle2", 1}, {"Espace2", 1}, {"Interligne2", 1}, {"Rotation2", 50}, {"Avance2", 50},
                             {"Gamme2", 40}, {"Outil2", 1}, {"Correcteur2", 1}, {"Nom2", 1},
                             {"Posx2", 0}, {"Posy2", 1}, {"Posz2", 0}},
                            {"Lubrification3", "Changeur2", "Justification1", "Option1", "Origine1"},
                            {"", "", "", "", ""}};
    QTest::newRow("largest values, typed port, free placement")
        << OperatorSettings{{"COM3", "300", "O(dd)", "5", "1.5"},
                            {{"Echelle2", 40}, {"Espace2", 20}, {"Interligne2", 100}, {"Rotation2", 9950},
                             {"Avance2", 2000}, {"Gamme2", 45}, {"Outil2", 32}, {"Correcteur2", 32}, {"Nom2", 9999},
                             {"Posx2", 4000}, {"Posy2", 0}, {"Posz2", 3999}},
                            {"Lubrification2", "Changeur2", "Justification2", "Origine2", "Option4"},
                            {"", "seule ligne", "", "", ""}};
}

void ConfigurationWindowTest::settingsComeBack()
{
    QFETCH(OperatorSettings, settings);
    const auto before = startedWindow();
    setAsOperator(*before, settings);
    save(*before);

    const auto after = startedWindow();

    QCOMPARE(windowSnapshot(*after), windowSnapshot(*before));
    verifyDisplaysFollowScrollBars(*after);
}

void ConfigurationWindowTest::savedFileIsExact_data()
{
    QTest::addColumn<QByteArray>("oldFile");
    QTest::newRow("no file before") << QByteArray();
    QTest::newRow("longer file before") << fileOf(QList<QByteArray>(50, "ancienne valeur"));
    QTest::newRow("shorter file before") << fileOf({"COM1", "9600", "E(ven)"});
}

// The whole file, byte for byte: program number " 12 ", positions -.5 and " 0",
// option words, and the four empty last lines ending in five CR LF in a row.
void ConfigurationWindowTest::savedFileIsExact()
{
    QFETCH(QByteArray, oldFile);
    if (!oldFile.isEmpty())
        writeFile(filePath(), oldFile);
    const auto window = startedWindow();
    OperatorSettings settings = kWorkshop;
    settings.lines = QStringList{QString::fromUtf8("Plaque n° 12")};
    setAsOperator(*window, settings);

    save(*window);

    const QByteArray expected = "COM2\r\n4800\r\nN(one)\r\n8\r\n1\r\n"
                                "8\r\n2\r\n5\r\n1500\r\n250\r\n42\r\n"
                                "True\r\nFalse\r\n7\r\n12\r\nFalse\r\nTrue\r\n"
                                " 12 \r\n"
                                "False\r\nFalse\r\nTrue\r\n"
                                "False\r\nTrue\r\nFalse\r\nFalse\r\n"
                                " 12.5\r\n-.5\r\n 0\r\n"
                                "False\r\nFalse\r\nFalse\r\nTrue\r\n"
                                "Plaque n\xb0 12\r\n\r\n\r\n\r\n\r\n";
    QCOMPARE(readFile(filePath()), expected);
}

void ConfigurationWindowTest::storedSettingsAreShown_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("state");
    QTest::newRow("port") << "Port2" << "[COM2]";
    QTest::newRow("parity") << QString::fromUtf8("Parité2") << "[N(one)]";
    QTest::newRow("character size value") << "Echelle3" << "[8] aligned 4";
    QTest::newRow("character size scroll bar") << "Echelle2" << "8";
    QTest::newRow("corrector scroll bar") << "Correcteur2" << "12";
    QTest::newRow("program number scroll bar") << "Nom2" << "12";
    QTest::newRow("program number display") << "Nom3" << "[%12] aligned 4";
    QTest::newRow("X 12.5 mm") << "Posx2" << "2125";
    QTest::newRow("Y -.5 mm") << "Posy2" << "1995";
    QTest::newRow("Y display keeps its sign") << "Posy3" << "[-.5] aligned 4";
    QTest::newRow("Z 0 mm") << "Posz2" << "2000";
    QTest::newRow("Z display keeps its blank") << "Posz3" << "[ 0] aligned 4";
    QTest::newRow("coolant on") << "Lubrification2" << "selected";
    QTest::newRow("coolant off cleared") << "Lubrification3" << "cleared";
    QTest::newRow("placement centred in X") << "Option2" << "selected";
    QTest::newRow("corner bottom right") << "Origine4" << "selected";
    QTest::newRow("line with a comma, right-aligned") << "Saisie12" << "[PLAQUE 12, ATELIER B] aligned 2";
    QTest::newRow("line opening with a double quote")
        << "Saisie22" << QString::fromUtf8("[\"Essai\" n° 2] aligned 2");
    QTest::newRow("line with leading blanks") << "Saisie32" << "[   retrait] aligned 2";
    QTest::newRow("line with accents") << "Saisie42" << QString::fromUtf8("[Épreuve à l'été] aligned 2");
    QTest::newRow("line with trailing blanks") << "Saisie52" << "[fin  ] aligned 2";
}

void ConfigurationWindowTest::storedSettingsAreShown()
{
    QFETCH(QString, name);
    QFETCH(QString, state);
    writeFile(filePath(), fileOf(workshopLines()));

    const auto window = startedWindow();

    QCOMPARE(shown(*window, name), state);
}

void ConfigurationWindowTest::firstStartIsAWorkingWindow()
{
    const auto window = startedWindow();

    QCOMPARE(shown(*window, "Port2"), QStringLiteral("[COM1]"));
    QCOMPARE(shown(*window, "Echelle2"), QStringLiteral("5"));
    QCOMPARE(shown(*window, "Posx3"), QStringLiteral("[ 100] aligned 4"));
    verifyOneSelectedPerGroup(*window);
    verifyDisplaysFollowScrollBars(*window);
    QVERIFY(!QFile::exists(filePath()));
}

void ConfigurationWindowTest::damagedFileGivesUsableWindow_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Expectations>("expected");

    QList<QByteArray> first20 = workshopLines().mid(0, 20);
    QTest::newRow("20 values: the rest as at a first start")
        << fileOf(first20)
        << Expectations{{"Justification2", "selected"}, {"Option1", "selected"},
                        {"Posx3", "[ 100] aligned 4"}, {"Origine1", "selected"}, {"Saisie12", "[] aligned 4"}};
    QList<QByteArray> forty = workshopLines();
    forty[36] = "DERNIERE";
    forty << "EN TROP 1" << "EN TROP 2" << "EN TROP 3";
    QTest::newRow("40 values: the last three ignored")
        << fileOf(forty) << Expectations{{"Saisie52", "[DERNIERE] aligned 2"}, {"Saisie12", "[PLAQUE 12, ATELIER B] aligned 2"}};
    QTest::newRow("empty file: as at a first start")
        << QByteArray() << Expectations{{"Port2", "[COM1]"}, {"Echelle2", "5"}, {"Lubrification3", "selected"}};
    QTest::newRow("LF line ends, last line without one")
        << workshopWith({}).replace("\r\n", "\n").chopped(1)
        << Expectations{{"Saisie12", "[PLAQUE 12, ATELIER B] aligned 2"}, {"Saisie52", "[fin  ] aligned 2"}};

    QTest::newRow("numbers out of range: the nearest value in range")
        << workshopWith({{6, "99"}, {7, "0"}, {9, "-5"}, {10, "1E9"}, {18, " 12345 "}, {26, "999"}, {27, "-999"}})
        << Expectations{{"Echelle2", "40"}, {"Espace2", "1"}, {"Rotation2", "50"}, {"Avance2", "2000"},
                        {"Nom2", "9999"}, {"Posx2", "4000"}, {"Posy2", "0"}};
    QTest::newRow("numbers rounded halves to even")
        << workshopWith({{6, "2.5"}, {14, "3.5"}, {26, " 0.05"}, {27, "-0.05"}})
        << Expectations{{"Echelle2", "2"}, {"Outil2", "4"}, {"Posx2", "2000"}, {"Posy2", "2000"}};
    QTest::newRow("words where numbers belong: the form value")
        << workshopWith({{6, "grand"}, {14, "T05"}, {18, "abc"}, {26, "abc"}, {9, ""}})
        << Expectations{{"Echelle2", "1"}, {"Outil2", "1"}, {"Nom2", "1"}, {"Nom3", "[%1] aligned 4"},
                        {"Posx2", "2000"}, {"Rotation2", "50"}, {"Rotation3", "[50] aligned 4"}};

    QTest::newRow("option words other than True and False")
        << workshopWith({{12, "maybe"}, {13, "1"}, {16, " TRUE "}, {17, "false"}})
        << Expectations{{"Lubrification3", "selected"}, {"Changeur2", "selected"}};
    QTest::newRow("False for every button of every group: the first-start choices")
        << workshopWith({{12, "False"}, {13, "False"}, {16, "False"}, {17, "False"}, {19, "False"}, {20, "False"},
                         {21, "False"}, {22, "False"}, {23, "False"}, {24, "False"}, {25, "False"}, {29, "False"},
                         {30, "False"}, {31, "False"}, {32, "False"}})
        << Expectations{{"Lubrification3", "selected"}, {"Changeur3", "selected"}, {"Justification2", "selected"},
                        {"Option1", "selected"}, {"Origine1", "selected"}};
    QTest::newRow("True for every button: the last of each group, corners disabled")
        << workshopWith({{12, "True"}, {13, "True"}, {16, "True"}, {17, "True"}, {19, "True"}, {20, "True"},
                         {21, "True"}, {22, "True"}, {23, "True"}, {24, "True"}, {25, "True"}, {29, "True"},
                         {30, "True"}, {31, "True"}, {32, "True"}})
        << Expectations{{"Lubrification3", "selected"}, {"Changeur3", "selected"}, {"Justification3", "selected"},
                        {"Option4", "selected"}, {"Origine4", "selected, disabled"}};
}

void ConfigurationWindowTest::damagedFileGivesUsableWindow()
{
    QFETCH(QByteArray, file);
    QFETCH(Expectations, expected);
    writeFile(filePath(), file);

    const auto window = startedWindow();

    for (const auto& [name, state] : expected)
        QCOMPARE(shown(*window, name), state);
    verifyOneSelectedPerGroup(*window);
    verifyDisplaysFollowScrollBars(*window);
}

void ConfigurationWindowTest::serialTexts_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("port");
    QTest::newRow("an item") << QByteArray("COM2") << "[COM2]";
    QTest::newRow("the first item") << QByteArray("COM1") << "[COM1]";
    QTest::newRow("the blank of a box never chosen") << QByteArray(" ") << "[ ]";
    QTest::newRow("a port typed by the operator") << QByteArray("COM3") << "[COM3]";
    QTest::newRow("typed in lower case") << QByteArray("com2") << "[com2]";
    QTest::newRow("emptied by the operator") << QByteArray() << "[]";
    QTest::newRow("control character: the first-start item") << QByteArray("COM\x01") << "[COM1]";
    QTest::newRow("too long to be typed: the first-start item") << QByteArray(40, 'X') << "[COM1]";
}

void ConfigurationWindowTest::serialTexts()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, port);
    writeFile(filePath(), workshopWith({{1, stored}}));

    const auto window = startedWindow();

    QCOMPARE(shown(*window, "Port2"), port);
}

QTEST_MAIN(ConfigurationWindowTest)
#include "tst_configuration_window.moc"
