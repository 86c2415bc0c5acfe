// The settings velmora.txt carries from one run to the next: what
// "Enregistrer" writes and shows, what a window started from a file shows
// (written by the program or damaged), the start-up, Quitter and A propos de.

#include "app/configuration_table.h"
#include "app/form_configuration.h"
#include "common/numbers.h"
#include "app/save_configuration.h"
#include "app/startup.h"
#include "panel/main_window.h"
#include "panel/meter.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"
#include "tests/support/working_folder.h"
#include "tests/support/window_snapshot.h"

#include <QDir>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace velmora;

namespace {

// Control name, then what it shows (shownState).
using Expectations = QList<QPair<QString, QString>>;

// Settings as the program writes them: a typed port, a comma, a double quote,
// blanks at both ends and accents in the lines.
QByteArrayList workshopLines()
{
    return {"COM3", "4800", "N(one)", "8", "1", "8", "2", "5", "1500", "250", "42", "True", "False", "7", "12",
            "False", "True", " 12 ", "False", "False", "True", "False", "True", "False", "False", " 12.5", "-.5",
            " 0", "False", "False", "False", "True", "PLAQUE 12, ATELIER B", "\"Essai\" n\xb0 2", "   retrait",
            "\xc9preuve \xe0 l'\xe9t\xe9", "fin  "};
}

QByteArray fileOf(const QByteArrayList& lines)
{
    return lines.join("\r\n") + "\r\n";
}

QByteArray workshopWith(const QList<QPair<int, QByteArray>>& changes)
{
    QByteArrayList lines = workshopLines();
    for (const auto& [line, value] : changes)
        lines[line - 1] = value;
    return fileOf(lines);
}

void writeFile(const QByteArray& bytes, const QString& name = QStringLiteral("velmora.txt"))
{
    QVERIFY(testing::writeBytes(name, bytes));
}

QByteArray readFile() { return testing::readBytes(QStringLiteral("velmora.txt")); }

QStringList folderEntries()
{
    return QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// A window as start-up leaves it for what the working directory holds now.
std::unique_ptr<MainWindow> startedWindow()
{
    auto window = std::make_unique<MainWindow>();
    loadConfigurationInto(window->model(), ".");
    return window;
}

// The seams of the shell under test: scripted answers, no pauses, and a
// splash window that records what the main window was like while it was open.
struct TestShell {
    ScriptedMessages messages;
    RecordingPause pause;
    QStringList splashSaw;
    int ends = 0;

    ShellSeams seams(MainWindow& window)
    {
        return {messages, pause,
                [this, &window] {
                    splashSaw << (window.isVisible() ? "main window visible" : "main window hidden")
                              << control<QLineEdit>(window, "Saisie12")->text();
                },
                [this] { ++ends; }};
    }
};

}  // namespace

class ConfigurationWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Every test runs in a working directory of its own, as the program does.
    void init()
    {
        dir_ = std::make_unique<testing::WorkingFolder>();
        QVERIFY(dir_->isValid());
        shell_ = std::make_unique<TestShell>();
    }

    void cleanup() { dir_.reset(); }

    // Every text a position box can show (single precision, 7 digits) must bring
    // its scroll bar back to the value that showed it.
    void everyShownPositionComesBack()
    {
        for (int v = kPositionRange.minimum; v <= kPositionRange.maximum; ++v) {
            const auto shown = numberText(static_cast<float>((v - 2000) / 10.0));
            QVERIFY2(positionScrollValue(shown) == v, shown.c_str());
        }
    }

    void savedSettingsComeBack_data()
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
    void savedSettingsComeBack()
    {
        QFETCH(QByteArray, file);
        writeFile(file);
        const auto before = startedWindow();
        writeFile(fileOf(QByteArrayList(50, "ancienne valeur")));

        save(*before);

        QCOMPARE(readFile(), file);
        const auto after = startedWindow();
        QCOMPARE(windowSnapshot(*after), windowSnapshot(*before));
    }

    // Across from " 0 %" to " 100 %" once the file is in place, one repaint per
    // pixel of bar, full during the pause, then at rest.
    void meterRunsAcrossThenRests()
    {
        const auto window = startedWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QLabel* caption = control<QLabel>(*window, "Visu1");
        PaintedTexts painted(caption);
        QStringList whilePaused;
        shell_->pause.onPause = [&] {
            whilePaused << caption->text() << QString::number(window->meter().barPixels()) << readFile();
        };

        save(*window);

        QCOMPARE(shell_->pause.pauses, std::vector{kFullMeterPause});
        QCOMPARE(whilePaused, (QStringList{" 100 %", "153", readFile()}));
        QCOMPARE(caption->text(), QStringLiteral("0 %"));
        QCOMPARE(window->meter().barPixels(), 1);
        QVERIFY2(painted.seen.size() > 100 && painted.seen.size() < 200,
                 qPrintable(QString::number(painted.seen.size())));
        const qsizetype startShown = painted.seen.indexOf(" 0 %");
        QVERIFY(startShown >= 0 && startShown < painted.seen.indexOf(" 100 %"));
        QCOMPARE(painted.seen.back(), QStringLiteral("0 %"));
    }

    void saveThatChangesNothing_data()
    {
        QTest::addColumn<QString>("line3");          // typed before the save
        QTest::addColumn<MessageAnswer>("answer");   // to the question
        QTest::addColumn<QString>("told");           // the failure message's start; none for Cancel
        QTest::newRow("Cancel") << "NOUVEAU" << MessageAnswer::Cancel << QString();
        QTest::newRow("a Greek letter in line 3")
            << "Ωmega" << MessageAnswer::Ok << "Le caractère « Ω » (U+03A9) de « Ligne 3 » ne peut pas";
    }

    // Cancel, or a save that fails and says so, leaves the file and the folder
    // byte for byte as they were, and the window as the operator left it.
    void saveThatChangesNothing()
    {
        QFETCH(QString, line3);
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, told);
        writeFile(fileOf(workshopLines()));
        const auto window = startedWindow();
        control<QLineEdit>(*window, "Saisie32")->setText(line3);
        const QByteArray fileBefore = readFile();
        const QStringList folderBefore = folderEntries();
        const QStringList shownBefore = windowSnapshot(*window);
        shell_->messages.queueAnswer(answer);

        save(*window);

        const std::vector<ScriptedMessages::Call>& calls = shell_->messages.calls();
        QCOMPARE(calls.size(), std::size_t(told.isEmpty() ? 1 : 2));
        QCOMPARE(calls.front().text, QStringLiteral("Enregistrer la configuration ?"));
        if (!told.isEmpty()) {
            QCOMPARE(calls.back().icon, MessageIcon::Critical);
            QCOMPARE(calls.back().title, QStringLiteral("Enregistrement"));
            QVERIFY2(calls.back().text.startsWith(told), qPrintable(calls.back().text));
            QVERIFY(calls.back().text.endsWith(QStringLiteral("Le fichier velmora.txt n'a pas été modifié.")));
        }
        QCOMPARE(readFile(), fileBefore);
        QCOMPARE(folderEntries(), folderBefore);
        QCOMPARE(windowSnapshot(*window), shownBefore);
        QVERIFY(shell_->pause.pauses.empty());
    }

    void fileGivesUsableWindow_data()
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
        QTest::newRow("LF only, none after the last line")
            << workshopLines().join('\n') << Expectations{{"Port2", "[COM3]"}, {"Saisie52", "[fin  ] aligned 2"}};
        QTest::newRow("40 values: the last three ignored")
            << fileOf(workshopLines() << "EN TROP 1" << "EN TROP 2" << "EN TROP 3")
            << Expectations{{"Saisie52", "[fin  ] aligned 2"}};
        // A number out of range becomes the nearest in range, a word the form
        // value, a damaged serial text the first-start item, an option group with
        // no True its first-start choice.
        QTest::newRow("garbage")
            << workshopWith({{2, "9600\x01"}, {5, QByteArray(40, '2')}, {6, "99"}, {9, "grand"}, {12, "maybe"},
                             {13, "1"}, {15, " "}, {26, "999"}, {27, "abc"}})
            << Expectations{{"Vitesse2", "[9600]"}, {"Bitsstop2", "[2]"}, {"Echelle2", "40"}, {"Rotation2", "50"},
                            {"Lubrification3", "selected"}, {"Correcteur3", "[1] aligned 4"}, {"Posx2", "4000"},
                            {"Posy2", "2000"}};
        // Numbers rounded half to even and brought inside the range, an empty text
        // the form value; option states in any letter case, blanks around.
        QTest::newRow("conversions")
            << workshopWith({{6, "12.5"}, {7, "13.5"}, {8, "0"}, {9, "1E300"}, {10, ""}, {18, " 9999 "}, {19, " TRUE "},
                             {21, "false"}, {23, "Trueish"}, {26, " .05"}, {27, " .25"}, {28, "-1E9"}})
            << Expectations{{"Echelle2", "12"}, {"Espace2", "14"}, {"Interligne2", "1"}, {"Rotation2", "9950"},
                            {"Avance2", "50"}, {"Nom2", "9999"}, {"Justification1", "selected"},
                            {"Option1", "selected"}, {"Posx2", "2000"}, {"Posy2", "2002"}, {"Posz2", "0"}};
    }

    void fileGivesUsableWindow()
    {
        QFETCH(QByteArray, file);
        QFETCH(Expectations, expected);
        writeFile(file);

        const auto window = startedWindow();

        for (const auto& [name, state] : expected)
            QCOMPARE(shownState(*control<QWidget>(*window, qPrintable(name))), state);
    }

    void splashFirstThenStoredSettings()
    {
        writeFile(fileOf(workshopLines()));
        writeFile("%12\r\nG0X1\r\nM2\r\n", QStringLiteral("velmora.rub"));
        MainWindow window;

        startUp(window, shell_->seams(window));

        QCOMPARE(shell_->splashSaw, (QStringList{"main window hidden", ""}));
        QVERIFY(window.isVisible());
        QVERIFY(shell_->messages.calls().empty());
        QCOMPARE(control<QLineEdit>(window, "Saisie12")->text(), QStringLiteral("PLAQUE 12, ATELIER B"));
        QCOMPARE(listingRows(window), (QStringList{"%12", "G0X1", "M2"}));
        // Twenty characters 8 mm wide, 2 mm apart.
        QCOMPARE(control<QLineEdit>(window, "Saisie13")->text(), QStringLiteral(" 198 mm"));
        const QString extents = control<QLineEdit>(window, "Encombrement")->text();
        window.model().updateExtents();
        QCOMPARE(control<QLineEdit>(window, "Encombrement")->text(), extents);
    }

    void shellButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("splashes");
        QTest::addColumn<int>("ends");
        QTest::newRow("Quitter, then No") << "Quitter1" << MessageAnswer::No << "Quitter VELMORA ?" << 0 << 0;
        QTest::newRow("Quitter, then Yes: ends at once")
            << "Quitter1" << MessageAnswer::Yes << "Quitter VELMORA ?" << 0 << 1;
        QTest::newRow("A propos de") << "Apropos1" << MessageAnswer::Ok << QString() << 1 << 0;
    }

    // Each button asks what it should, and none of them saves the settings the
    // operator changed since start-up or changes what the window shows.
    void shellButtons()
    {
        QFETCH(QString, button);
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, question);
        MainWindow window;
        const ShellSeams seams = shell_->seams(window);
        connectShellCommands(window, seams);
        startUp(window, seams);
        shell_->splashSaw.clear();
        control<QLineEdit>(window, "Saisie12")->setText(QStringLiteral("NON ENREGISTRE"));
        control<QScrollBar>(window, "Outil2")->setValue(9);
        const QStringList before = windowSnapshot(window);
        shell_->messages.queueAnswer(answer);

        control<QPushButton>(window, qPrintable(button))->click();

        QCOMPARE(shell_->messages.calls().size(), std::size_t(question.isEmpty() ? 0 : 1));
        if (!question.isEmpty()) {
            const ScriptedMessages::Call& asked = shell_->messages.calls().front();
            QCOMPARE(asked.text, question);
            QCOMPARE(asked.icon, MessageIcon::Question);
            QCOMPARE(asked.buttons, MessageButtons::YesNo);
        }
        QTEST(int(shell_->splashSaw.size()) / 2, "splashes");
        QTEST(shell_->ends, "ends");
        QCOMPARE(windowSnapshot(window), before);
        QVERIFY(!QFile::exists(QStringLiteral("velmora.txt")));
    }

private:
    void save(MainWindow& window) { askAndSaveConfiguration(window, shell_->messages, shell_->pause, "."); }

    std::unique_ptr<testing::WorkingFolder> dir_;
    std::unique_ptr<TestShell> shell_;
};

QTEST_MAIN(ConfigurationWindowTest)
#include "tst_configuration_window.moc"
