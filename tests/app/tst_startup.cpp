// The program's start, from the splash window to the main window showing the
// stored settings, and the shell's buttons: Enregistrer, Quitter, A propos de.

#include "app/startup.h"
#include "panel/main_window.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"
#include "tests/support/window_snapshot.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace velmora;

namespace {

const QByteArray kStoredFile = "COM2\r\n4800\r\nN(one)\r\n8\r\n1\r\n8\r\n2\r\n5\r\n1500\r\n250\r\n42\r\nTrue\r\nFalse\r\n"
                               "7\r\n12\r\nFalse\r\nTrue\r\n 12 \r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\nTrue\r\nFalse\r\n"
                               "False\r\n 12.5\r\n-.5\r\n 0\r\nFalse\r\nFalse\r\nFalse\r\nTrue\r\nPLAQUE\r\n\r\n\r\n\r\n\r\n";
const QByteArray kProgramFile = "%12\r\nG0X1\r\nM2\r\n";

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// What the splash window saw of the main window while it was open.
struct SplashVisit {
    bool mainWindowVisible = false;
    QString firstLine;
    std::size_t messagesBefore = 0;
};

// The seams of a start-up under test: scripted answers, no pauses, and a
// splash window that only records the moment it was shown.
struct TestShell {
    ScriptedMessages messages;
    RecordingPause pause;
    std::vector<SplashVisit> splashVisits;
    int ends = 0;

    ShellSeams seams(MainWindow& window)
    {
        return {messages, pause,
                [this, &window] {
                    splashVisits.push_back({window.isVisible(), control<QLineEdit>(window, "Saisie12")->text(),
                                            messages.calls().size()});
                },
                [this] { ++ends; }};
    }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void splashFirstThenStoredSettings();
    void startsWithoutFiles();
    void unreadableConfigurationIsTold();

    void shellButtons_data();
    void shellButtons();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString startFolder_;
};

// Start-up works in the current directory, as the program does.
void StartupTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    startFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_->path()));
}

void StartupTest::cleanup()
{
    QDir::setCurrent(startFolder_);
    dir_.reset();
}

void StartupTest::splashFirstThenStoredSettings()
{
    writeFile(QStringLiteral("velmora.txt"), kStoredFile);
    writeFile(QStringLiteral("velmora.rub"), kProgramFile);
    MainWindow window;
    TestShell shell;

    startUp(window, shell.seams(window));

    QCOMPARE(shell.splashVisits.size(), std::size_t(1));
    QVERIFY(!shell.splashVisits.front().mainWindowVisible);
    QCOMPARE(shell.splashVisits.front().firstLine, QString());
    QVERIFY(window.isVisible());
    QVERIFY(shell.messages.calls().empty());

    QCOMPARE(control<QLineEdit>(window, "Saisie12")->text(), QStringLiteral("PLAQUE"));
    QCOMPARE(control<QLineEdit>(window, "Nom3")->text(), QStringLiteral("%12"));
    QCOMPARE(control<QPlainTextEdit>(window, "Programme")->toPlainText(), QStringLiteral("%12\nG0X1\nM2"));
    const QString extents = control<QLineEdit>(window, "Encombrement")->text();
    // Six characters 8 mm wide, 2 mm apart.
    QCOMPARE(control<QLineEdit>(window, "Saisie13")->text(), QStringLiteral(" 58 mm"));
    window.recalcul();
    QCOMPARE(control<QLineEdit>(window, "Encombrement")->text(), extents);
    QCOMPARE(control<QLabel>(window, "Echelle1")->toolTip(), QStringLiteral("Modifie la taille des caractères"));

    const QPoint screenCentre = window.screen()->availableGeometry().center();
    // Placed before the frame is known, so off by the frame's width at most.
    QVERIFY((window.geometry().center() - screenCentre).manhattanLength() <= 8);
}

void StartupTest::startsWithoutFiles()
{
    MainWindow window;
    TestShell shell;

    startUp(window, shell.seams(window));

    QVERIFY(window.isVisible());
    QVERIFY(shell.messages.calls().empty());
    QCOMPARE(control<QComboBox>(window, "Port2")->currentText(), QStringLiteral("COM1"));
    QCOMPARE(control<QRadioButton>(window, "Option1")->isChecked(), true);
    QCOMPARE(control<QPlainTextEdit>(window, "Programme")->toPlainText(), QString());
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// Settings that exist but cannot be read are not dropped silently: the
// operator is told, once the splash window has closed, before working on.
void StartupTest::unreadableConfigurationIsTold()
{
    QVERIFY(QDir().mkdir(QStringLiteral("velmora.txt")));
    MainWindow window;
    TestShell shell;

    startUp(window, shell.seams(window));

    QCOMPARE(shell.splashVisits.front().messagesBefore, std::size_t(0));
    QCOMPARE(shell.messages.calls().size(), std::size_t(1));
    const ScriptedMessages::Call& told = shell.messages.calls().front();
    QCOMPARE(told.icon, MessageIcon::Exclamation);
    QCOMPARE(told.title, QStringLiteral("Configuration"));
    QVERIFY2(told.text.startsWith(QStringLiteral("Impossible de lire le fichier velmora.txt : ")), qPrintable(told.text));
    QVERIFY(told.text.endsWith(QStringLiteral("Les réglages par défaut sont utilisés.")));
    QVERIFY(window.isVisible());
    QCOMPARE(control<QComboBox>(window, "Port2")->currentText(), QStringLiteral("COM1"));
    QVERIFY(QFileInfo(QStringLiteral("velmora.txt")).isDir());
}

void StartupTest::shellButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<MessageButtons>("choices");
    QTest::addColumn<int>("splashes");
    QTest::addColumn<int>("ends");
    QTest::newRow("Enregistrer, then Cancel")
        << "Sauve" << MessageAnswer::Cancel << "Enregistrer la configuration ?" << MessageButtons::OkCancel
        << 0 << 0;
    QTest::newRow("Quitter, then No")
        << "Quitter1" << MessageAnswer::No << "Quitter VELMORA ?" << MessageButtons::YesNo << 0 << 0;
    QTest::newRow("Quitter, then Yes: ends without saving")
        << "Quitter1" << MessageAnswer::Yes << "Quitter VELMORA ?" << MessageButtons::YesNo << 0 << 1;
    QTest::newRow("A propos de") << "Apropos1" << MessageAnswer::Ok << QString() << MessageButtons::Ok << 1 << 0;
}

// Each button asks what it should, and none of them saves the settings the
// operator changed since start-up or changes what the window shows.
void StartupTest::shellButtons()
{
    QFETCH(QString, button);
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, question);
    QFETCH(MessageButtons, choices);
    QFETCH(int, splashes);
    QFETCH(int, ends);
    MainWindow window;
    TestShell shell;
    const ShellSeams seams = shell.seams(window);
    connectShellButtons(window, seams);
    startUp(window, seams);
    shell.splashVisits.clear();
    control<QLineEdit>(window, "Saisie12")->setText(QStringLiteral("NON ENREGISTRE"));
    control<QScrollBar>(window, "Outil2")->setValue(9);
    const QStringList before = windowSnapshot(window);
    shell.messages.queueAnswer(answer);

    control<QPushButton>(window, qPrintable(button))->click();

    if (question.isEmpty()) {
        QVERIFY(shell.messages.calls().empty());
    } else {
        QCOMPARE(shell.messages.calls().size(), std::size_t(1));
        const ScriptedMessages::Call& asked = shell.messages.calls().front();
        QCOMPARE(asked.text, question);
        QCOMPARE(asked.icon, MessageIcon::Question);
        QCOMPARE(asked.buttons, choices);
        QCOMPARE(asked.title, QString());
    }
    QCOMPARE(int(shell.splashVisits.size()), splashes);
    QCOMPARE(shell.ends, ends);
    QCOMPARE(windowSnapshot(window), before);
    QVERIFY(!QFile::exists(QStringLiteral("velmora.txt")));
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
