// The settings carried by velmora.txt from one run to the next: what
// "Enregistrer" writes and shows, and what a window started from a file shows,
// for the files the program writes and for damaged ones.

#include "app/configuration_window.h"
#include "app/save_configuration.h"
#include "layout/extents.h"
#include "panel/display_rules.h"
#include "panel/main_window.h"
#include "panel/meter.h"
#include "panel/qt_text.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"
#include "tests/support/window_snapshot.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace velmora;

namespace {

// Control name, then what it shows (shownState).
using Expectations = QList<QPair<QString, QString>>;

// Settings as the program writes them: a typed port, a comma, a double quote,
// blanks at both ends and accents in the lines.
QList<QByteArray> workshopLines()
{
    return {"COM3", "4800", "N(one)", "8", "1", "8", "2", "5", "1500", "250", "42", "True", "False", "7", "12",
            "False", "True", " 12 ", "False", "False", "True", "False", "True", "False", "False", " 12.5", "-.5",
            " 0", "False", "False", "False", "True", "PLAQUE 12, ATELIER B", "\"Essai\" n\xb0 2", "   retrait",
            "\xc9preuve \xe0 l'\xe9t\xe9", "fin  "};
}

QByteArray fileOf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

QByteArray workshopWith(const QList<QPair<int, QByteArray>>& changes)
{
    QList<QByteArray> lines = workshopLines();
    for (const auto& [line, value] : changes)
        lines[line - 1] = value;
    return fileOf(lines);
}

// The construction copies the display boxes as they stand, so each must show
// the value its scroll bar holds, whatever the file said.
void verifyDisplaysFollowScrollBars(MainWindow& window)
{
    const auto value = [&](const QString& name) { return control<QScrollBar>(window, qPrintable(name))->value(); };
    const auto text = [&](const QString& name) { return control<QLineEdit>(window, qPrintable(name))->text(); };
    for (const QString name : {"Echelle", "Espace", "Interligne", "Rotation", "Avance", "Gamme", "Outil", "Correcteur",
                               "Posx", "Posy", "Posz", "Nom"}) {
        const DisplayRule rule = name.startsWith("Pos") ? DisplayRule::Position
            : name == "Nom"                             ? DisplayRule::ProgramNumber
                                                        : DisplayRule::WholeNumber;
        QCOMPARE(text(name + "3"), fromWindows1252(displayText(rule, value(name + "2"))));
    }
    QCOMPARE(text("Echelle4"), fromWindows1252(characterSizeReadout(value("Echelle2"))));
    QCOMPARE(text("Espace4"), fromWindows1252(characterSpacingReadout(value("Espace2"))));
    QCOMPARE(text("Interligne4"), fromWindows1252(lineSpacingReadout(value("Interligne2"))));
}

void verifyOneSelectedPerGroup(MainWindow& window)
{
    for (const char* group : {"Lubrification", "Changeur", "Justification", "Options", "Origine"}) {
        const auto buttons = control<QWidget>(window, group)->findChildren<QRadioButton*>();
        QCOMPARE(int(std::count_if(buttons.begin(), buttons.end(), [](auto* b) { return b->isChecked(); })), 1);
    }
}

// Records the caption of Visu1 each time it is painted: what the operator saw.
struct PaintedCaptions : QObject {
    explicit PaintedCaptions(QLabel* caption) : caption(caption) { caption->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            seen.append(caption->text());
        return false;
    }
    QLabel* caption;
    QStringList seen;
};

}  // namespace

class ConfigurationWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void savedSettingsComeBack_data();
    void savedSettingsComeBack();
    void meterRunsAcrossThenRests();
    void cancelChangesNothing();
    void fileGivesUsableWindow_data();
    void fileGivesUsableWindow();
    void failedSaveIsToldAndChangesNothing_data();
    void failedSaveIsToldAndChangesNothing();

private:
    // A window as start-up leaves it for what the folder holds now.
    std::unique_ptr<MainWindow> startedWindow();
    void writeFile(const QByteArray& bytes);
    QByteArray readFile();
    std::filesystem::path folder() const { return dir_->path().toStdString(); }

    std::unique_ptr<QTemporaryDir> dir_;
    ScriptedMessages messages_;
    RecordingPause pause_;
};

void ConfigurationWindowTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    messages_ = ScriptedMessages();
    pause_ = RecordingPause();
}

std::unique_ptr<MainWindow> ConfigurationWindowTest::startedWindow()
{
    auto window = std::make_unique<MainWindow>();
    Chargeconfiguration(*window, folder());
    return window;
}

void ConfigurationWindowTest::writeFile(const QByteArray& bytes)
{
    QFile file(dir_->filePath(QStringLiteral("velmora.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ConfigurationWindowTest::readFile()
{
    QFile file(dir_->filePath(QStringLiteral("velmora.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot be read>");
}

void ConfigurationWindowTest::savedSettingsComeBack_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("workshop settings") << fileOf(workshopLines());
    // A value equal to its scroll bar's form value runs no reaction by itself;
    // the displays must show it all the same.
    QTest::newRow("form values, free placement, four empty last lines")
        << fileOf({" ", " ", " ", " ", " ", "1", "1", "1", "50", "50", "40", "False", "True", "1", "1", "True",
                   "False", " 1 ", "True", "False", "False", "False", "False", "False", "True", "-200", "-199.9",
                   "-200", "False", "True", "False", "False", "X", "", "", "", ""});
}

// Started from a file the program wrote, a save gives back the same bytes
// (" 12 ", -.5, " 0", "True"/"False", five CR LF in a row after an empty
// fourth-last line), and a window started again shows the same settings.
void ConfigurationWindowTest::savedSettingsComeBack()
{
    QFETCH(QByteArray, file);
    writeFile(file);
    const auto before = startedWindow();
    writeFile(fileOf(QList<QByteArray>(50, "ancienne valeur")));

    Sauveconfiguration(*before, messages_, pause_, folder());

    QCOMPARE(readFile(), file);
    const auto after = startedWindow();
    QCOMPARE(windowSnapshot(*after), windowSnapshot(*before));
    verifyDisplaysFollowScrollBars(*after);
}

// Across from " 0 %" to " 100 %" once the file is in place, one repaint per
// pixel of bar rather than per twip, full during the pause, then at rest.
void ConfigurationWindowTest::meterRunsAcrossThenRests()
{
    const auto window = startedWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QLabel* caption = control<QLabel>(*window, "Visu1");
    PaintedCaptions painted(caption);
    QStringList whilePaused;
    pause_.onPause = [&] {
        whilePaused << caption->text() << QString::number(window->meter().barTwips()) << readFile();
    };

    Sauveconfiguration(*window, messages_, pause_, folder());

    QCOMPARE(pause_.pauses, std::vector{kFullMeterPause});
    QCOMPARE(whilePaused, (QStringList{" 100 %", "2295", readFile()}));
    QCOMPARE(caption->text(), QStringLiteral("0 %"));
    QCOMPARE(window->meter().barTwips(), 15);
    QVERIFY2(painted.seen.size() > 100 && painted.seen.size() < 200, qPrintable(QString::number(painted.seen.size())));
    QVERIFY(painted.seen.indexOf(" 0 %") >= 0);
    QVERIFY(painted.seen.indexOf(" 0 %") < painted.seen.indexOf(" 100 %"));
    QCOMPARE(painted.seen.back(), QStringLiteral("0 %"));
}

void ConfigurationWindowTest::cancelChangesNothing()
{
    writeFile(fileOf(workshopLines()));
    const auto window = startedWindow();
    control<QLineEdit>(*window, "Saisie12")->setText(QStringLiteral("NOUVEAU"));
    const QStringList before = windowSnapshot(*window);
    messages_.queueAnswer(MessageAnswer::Cancel);

    Sauveconfiguration(*window, messages_, pause_, folder());

    QCOMPARE(messages_.calls().size(), std::size_t(1));
    QCOMPARE(messages_.calls().front().text, QStringLiteral("Enregistrer la configuration ?"));
    QCOMPARE(readFile(), fileOf(workshopLines()));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"velmora.txt"});
    QCOMPARE(windowSnapshot(*window), before);
    QVERIFY(pause_.pauses.empty());
}

void ConfigurationWindowTest::fileGivesUsableWindow_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Expectations>("expected");
    QTest::newRow("as written: -.5 and 0 back on their scroll bars")
        << fileOf(workshopLines())
        << Expectations{{"Posx2", "2125"}, {"Posy2", "1995"}, {"Posz2", "2000"}, {"Nom3", "[%12] aligned 4"},
                        {"Saisie22", "[\"Essai\" n° 2] aligned 2"}, {"Saisie32", "[   retrait] aligned 2"}};
    QTest::newRow("20 values: the rest as at a first start")
        << fileOf(workshopLines().mid(0, 20))
        << Expectations{{"Port2", "[COM3]"}, {"Option1", "selected"}, {"Posx3", "[ 100] aligned 4"}};
    QTest::newRow("40 values: the last three ignored")
        << fileOf(workshopLines() << "EN TROP 1" << "EN TROP 2" << "EN TROP 3")
        << Expectations{{"Saisie52", "[fin  ] aligned 2"}};
    // A number out of range becomes the nearest in range, a word the form
    // value, a damaged serial text the first-start item, an option group with
    // no True its first-start choice.
    QTest::newRow("garbage")
        << workshopWith({{2, "9600\x01"}, {5, QByteArray(40, '2')}, {6, "99"}, {9, "grand"}, {12, "maybe"},
                         {13, "1"}, {26, "999"}, {27, "abc"}})
        << Expectations{{"Vitesse2", "[9600]"}, {"Bitsstop2", "[2]"}, {"Echelle2", "40"}, {"Rotation2", "50"},
                        {"Lubrification3", "selected"}, {"Posx2", "4000"}, {"Posy2", "2000"}};
}

void ConfigurationWindowTest::fileGivesUsableWindow()
{
    QFETCH(QByteArray, file);
    QFETCH(Expectations, expected);
    writeFile(file);

    const auto window = startedWindow();

    for (const auto& [name, state] : expected)
        QCOMPARE(shownState(*control<QWidget>(*window, qPrintable(name))), state);
    verifyOneSelectedPerGroup(*window);
    verifyDisplaysFollowScrollBars(*window);
}

void ConfigurationWindowTest::failedSaveIsToldAndChangesNothing_data()
{
    QTest::addColumn<QString>("line3");  // typed in line 3; none: a folder stands where the file belongs
    QTest::addColumn<QString>("told");
    QTest::newRow("a folder named velmora.txt") << QString() << "Impossible de créer le fichier velmora.txt : ";
    QTest::newRow("a Greek letter in line 3") << "Ωmega" << "Le caractère « Ω » (U+03A9) de « Ligne 3 » ne peut pas";
}

void ConfigurationWindowTest::failedSaveIsToldAndChangesNothing()
{
    QFETCH(QString, line3);
    QFETCH(QString, told);
    writeFile(fileOf(workshopLines()));
    const auto window = startedWindow();
    if (line3.isEmpty()) {
        QVERIFY(QFile::remove(dir_->filePath(QStringLiteral("velmora.txt"))));
        QVERIFY(QDir(dir_->path()).mkpath(QStringLiteral("velmora.txt/notes")));
    } else {
        control<QLineEdit>(*window, "Saisie32")->setText(line3);
    }
    const QStringList folderBefore = QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden);
    const QByteArray fileBefore = readFile();

    Sauveconfiguration(*window, messages_, pause_, folder());

    QCOMPARE(messages_.calls().size(), std::size_t(2));
    const ScriptedMessages::Call& message = messages_.calls().back();
    QCOMPARE(message.icon, MessageIcon::Critical);
    QCOMPARE(message.title, QStringLiteral("Enregistrement"));
    QVERIFY2(message.text.startsWith(told), qPrintable(message.text));
    QVERIFY(message.text.endsWith(QStringLiteral("Le fichier velmora.txt n'a pas été modifié.")));
    QCOMPARE(readFile(), fileBefore);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::Hidden), folderBefore);
    QVERIFY(pause_.pauses.empty());
}

QTEST_MAIN(ConfigurationWindowTest)
#include "tst_configuration_window.moc"
