// The program's start, from the splash window to the main window showing the
// stored settings, and the shell's buttons Quitter and A propos de.

#include "app/startup.h"
#include "panel/main_window.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"
#include "tests/support/window_snapshot.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace velmora;

namespace {

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The seams of a start-up under test: scripted answers, no pauses, and a
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

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void splashFirstThenStoredSettings();
    void startsWithoutUsableSettings_data();
    void startsWithoutUsableSettings();
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
    QByteArray stored = QByteArray("COM2\r\n4800\r\nN(one)\r\n8\r\n1\r\n8\r\n2\r\n5\r\n1500\r\n250\r\n42\r\nTrue\r\n"
                                   "False\r\n7\r\n12\r\nFalse\r\nTrue\r\n 12 \r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n"
                                   "True\r\nFalse\r\nFalse\r\n 12.5\r\n-.5\r\n 0\r\nFalse\r\nFalse\r\nFalse\r\nTrue\r\n")
                        + "PLAQUE\r\n\r\n\r\n\r\n\r\n";
    writeFile(QStringLiteral("velmora.txt"), stored);
    writeFile(QStringLiteral("velmora.rub"), "%12\r\nG0X1\r\nM2\r\n");
    MainWindow window;
    TestShell shell;

    startUp(window, shell.seams(window));

    QCOMPARE(shell.splashSaw, (QStringList{"main window hidden", ""}));
    QVERIFY(window.isVisible());
    QVERIFY(shell.messages.calls().empty());
    QCOMPARE(control<QLineEdit>(window, "Nom3")->text(), QStringLiteral("%12"));
    QCOMPARE(control<QPlainTextEdit>(window, "Programme")->toPlainText(), QStringLiteral("%12\nG0X1\nM2"));
    // Six characters 8 mm wide, 2 mm apart.
    QCOMPARE(control<QLineEdit>(window, "Saisie13")->text(), QStringLiteral(" 58 mm"));
    const QString extents = control<QLineEdit>(window, "Encombrement")->text();
    window.recalcul();
    QCOMPARE(control<QLineEdit>(window, "Encombrement")->text(), extents);
}

void StartupTest::startsWithoutUsableSettings_data()
{
    QTest::addColumn<bool>("folderInItsPlace");
    QTest::addColumn<QString>("told");
    QTest::newRow("first start: no velmora.txt, no velmora.rub") << false << QString();
    QTest::newRow("velmora.txt cannot be read: the operator is told")
        << true << "Impossible de lire le fichier velmora.txt : ";
}

// The window comes up with the first-start settings either way, and the
// unreadable file is left for the operator to look at.
void StartupTest::startsWithoutUsableSettings()
{
    QFETCH(bool, folderInItsPlace);
    QFETCH(QString, told);
    if (folderInItsPlace)
        QVERIFY(QDir().mkdir(QStringLiteral("velmora.txt")));
    MainWindow window;
    TestShell shell;

    startUp(window, shell.seams(window));

    QVERIFY(window.isVisible());
    QCOMPARE(control<QComboBox>(window, "Port2")->currentText(), QStringLiteral("COM1"));
    QCOMPARE(control<QPlainTextEdit>(window, "Programme")->toPlainText(), QString());
    QCOMPARE(shell.messages.calls().size(), std::size_t(told.isEmpty() ? 0 : 1));
    if (!told.isEmpty()) {
        const ScriptedMessages::Call& message = shell.messages.calls().front();
        QCOMPARE(message.icon, MessageIcon::Exclamation);
        QCOMPARE(message.title, QStringLiteral("Configuration"));
        QVERIFY2(message.text.startsWith(told), qPrintable(message.text));
        QVERIFY(message.text.endsWith(QStringLiteral("Les réglages par défaut sont utilisés.")));
    }
    QCOMPARE(QFileInfo(QStringLiteral("velmora.txt")).isDir(), folderInItsPlace);
}

void StartupTest::shellButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("splashes");
    QTest::addColumn<int>("ends");
    QTest::newRow("Quitter, then No") << "Quitter1" << MessageAnswer::No << "Quitter VELMORA ?" << 0 << 0;
    QTest::newRow("Quitter, then Yes: ends at once") << "Quitter1" << MessageAnswer::Yes << "Quitter VELMORA ?" << 0 << 1;
    QTest::newRow("A propos de") << "Apropos1" << MessageAnswer::Ok << QString() << 1 << 0;
}

// Each button asks what it should, and none of them saves the settings the
// operator changed since start-up or changes what the window shows.
void StartupTest::shellButtons()
{
    QFETCH(QString, button);
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, question);
    MainWindow window;
    TestShell shell;
    const ShellSeams seams = shell.seams(window);
    connectShellButtons(window, seams);
    startUp(window, seams);
    shell.splashSaw.clear();
    control<QLineEdit>(window, "Saisie12")->setText(QStringLiteral("NON ENREGISTRE"));
    control<QScrollBar>(window, "Outil2")->setValue(9);
    const QStringList before = windowSnapshot(window);
    shell.messages.queueAnswer(answer);

    control<QPushButton>(window, qPrintable(button))->click();

    QCOMPARE(shell.messages.calls().size(), std::size_t(question.isEmpty() ? 0 : 1));
    if (!question.isEmpty()) {
        const ScriptedMessages::Call& asked = shell.messages.calls().front();
        QCOMPARE(asked.text, question);
        QCOMPARE(asked.icon, MessageIcon::Question);
        QCOMPARE(asked.buttons, MessageButtons::YesNo);
    }
    QTEST(int(shell.splashSaw.size()) / 2, "splashes");
    QTEST(shell.ends, "ends");
    QCOMPARE(windowSnapshot(window), before);
    QVERIFY(!QFile::exists(QStringLiteral("velmora.txt")));
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
