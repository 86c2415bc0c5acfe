// "Télécharger" from the window, with a pseudo-terminal as the machine behind
// COM2: what is asked, sent and told, and the window live and locked meanwhile.

#include "app/download_action.h"
#include "panel/main_window.h"
#include "panel/meter.h"
#include "panel/pause.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/window_controls.h"
#include "tests/support/working_folder.h"

#include <QComboBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <optional>
#include <termios.h>

using namespace velmora;
using std::chrono::milliseconds;

namespace {

// The window, its seams and the machine in a working folder of their own:
// COM2 is the pseudo-terminal, every other port does not exist.
struct Workshop {
    testing::WorkingFolder folder;
    testing::PseudoTerminal machine;
    int portLookups = 0;
    MainWindow window;
    ScriptedMessages messages;
    RecordingPause pause;
    QStringList meterWhilePaused;
    DownloadAction download{window, messages, pause, [this](std::int16_t port) {
                                ++portLookups;
                                return port == 2 ? machine.devicePath() : std::string();
                            }};

    Workshop()
    {
        QVERIFY(folder.isValid());
        QObject::connect(&window, &MainWindow::downloadRequested, [this] { download.startDownload(); });
        pause.onPause = [this] {
            meterWhilePaused << control<QLabel>(window, "Visu1")->text() << QString::number(window.meter().barPixels());
        };
    }
    // Port, speed, parity, data bits and stop bits, separated by commas.
    void choose(const QString& choice)
    {
        const QStringList texts = choice.split(',');
        const char* combos[] = {"Port2", "Vitesse2", "Parité2", "Nbrebits2", "Bitsstop2"};
        for (int n = 0; n < 5; ++n)
            control<QComboBox>(window, combos[n])->setCurrentText(texts[n]);
    }
    // Nothing (more) on the line, the meter at rest, the port closed.
    void verifyAtRest()
    {
        QVERIFY(machine.readUntilQuiet(milliseconds(50)).empty());
        QCOMPARE(control<QLabel>(window, "Visu1")->text(), QStringLiteral("0 %"));
        QCOMPARE(window.meter().barPixels(), 1);
        QVERIFY(!download.portOpen());
    }
};

const QString kWorkshopChoice = QStringLiteral("COM2,4800,E(ven),7,2");
const QByteArray kThreeLines("%12\r\nG0X1\r\nM2\r\n");

void writeProgram(const QByteArray& bytes) { QVERIFY(testing::writeBytes("velmora.rub", bytes)); }

// A program far larger than what the system buffers for a pseudo-terminal, so
// that it waits on the machine while the test acts; and its bytes on the line.
constexpr int kLongProgramItems = 20'000;
QByteArray longProgram()
{
    QByteArray program;
    for (int n = 0; n < kLongProgramItems; ++n)
        program += "G1 X" + QByteArray::number(n % 200) + ".25 Y-" + QByteArray::number(n % 70) + ".5\r\n";
    return program;
}

// What the operator does while the program goes out.
enum class Act { DoubleClickValueBox, ClickConstruire, Escape, ClickArreter, CloseWindow };

// Every control the operator can change something with, and whether it is
// enabled.
QMap<QString, bool> inputStates(QWidget& window)
{
    QMap<QString, bool> states;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const auto* text = qobject_cast<QLineEdit*>(widget);
        if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractSlider*>(widget)
            || qobject_cast<QComboBox*>(widget) || (text && !text->isReadOnly()))
            states[widget->objectName()] = widget->isEnabled();
    }
    return states;
}

}  // namespace

Q_DECLARE_METATYPE(Act)

class DownloadActionTest : public QObject {
    Q_OBJECT
private slots:
    // The combos are editable and change between downloads: each click takes
    // what they show then.
    void sendsWithTheTextsOfTheClick()
    {
        Workshop workshop;
        writeProgram(kThreeLines);
        workshop.choose("COM1,300,O(dd),5,1");
        workshop.choose(kWorkshopChoice);

        control<QPushButton>(workshop.window, "Télé1")->click();

        QCOMPARE(workshop.machine.readUntilQuiet(), std::string("%12\nG0X1\nM2\n\x13\n"));
        const ScriptedMessages::Call& question = workshop.messages.calls().front();
        QCOMPARE(question.icon, MessageIcon::Exclamation);
        QCOMPARE(question.buttons, MessageButtons::OkCancel);
        QCOMPARE(question.title, "Liaison PC-CN");
        QCOMPARE(question.text, "Placer la machine en mode chargement");
        QCOMPARE(workshop.meterWhilePaused, (QStringList{" 100 %", "153"}));
        QCOMPARE(workshop.pause.pauses, std::vector<milliseconds>{DownloadAction::kFullBarPause});
        QCOMPARE(workshop.messages.calls().size(), std::size_t(1));
        workshop.verifyAtRest();

        workshop.choose("COM1,9600,N(one),8,1");
        control<QPushButton>(workshop.window, "Télé1")->click();
        QCOMPARE(workshop.messages.calls().back().text, "Problème de connexion");
        QCOMPARE(workshop.messages.calls().back().cause, "Port COM1 : aucun périphérique ne lui correspond");
        workshop.verifyAtRest();
    }

    void nothingSent_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("programThere");
        QTest::addColumn<QString>("message");  // the failure told after the question; none for Cancel
        // The question comes first, even with no program file to send; the port
        // is not looked for.
        QTest::newRow("Cancel") << kWorkshopChoice << false << QString();
        QTest::newRow("missing program file") << kWorkshopChoice << false << "Le fichier velmora.rub est introuvable";
        QTest::newRow("typed character the line cannot carry")
            << "COM2,9600\u2713,E(ven),7,2" << true
            << "Vitesse : le caractère « \u2713 » ne peut pas être transmis";
    }

    void nothingSent()
    {
        QFETCH(QString, choice);
        QFETCH(bool, programThere);
        QFETCH(QString, message);
        Workshop workshop;
        if (programThere)
            writeProgram(kThreeLines);
        workshop.choose(choice);
        workshop.messages.queueAnswer(message.isEmpty() ? MessageAnswer::Cancel : MessageAnswer::Ok);
        const QMap<QString, bool> inputs = inputStates(workshop.window);

        control<QPushButton>(workshop.window, "Télé1")->click();

        QCOMPARE(workshop.messages.calls().size(), std::size_t(message.isEmpty() ? 1 : 2));
        if (!message.isEmpty()) {
            const ScriptedMessages::Call& told = workshop.messages.calls().back();
            QCOMPARE(told.icon, MessageIcon::Critical);
            QCOMPARE(told.buttons, MessageButtons::Ok);
            QCOMPARE(told.title, "Téléchargement");
            QCOMPARE(told.text, message);
        }
        QCOMPARE(workshop.portLookups, 0);
        QVERIFY(workshop.pause.pauses.empty());
        QCOMPARE(inputStates(workshop.window), inputs);
        QCOMPARE(control<QPushButton>(workshop.window, "Télé1")->text().remove('&'), "Télécharger");
        workshop.verifyAtRest();
    }

    void operatorDuringDownload_data()
    {
        QTest::addColumn<Act>("act");
        QTest::addColumn<MessageAnswer>("answer");  // to "Arrêter le téléchargement ?"
        QTest::newRow("double click on the X value box") << Act::DoubleClickValueBox << MessageAnswer::Yes;
        QTest::newRow("click on Construire") << Act::ClickConstruire << MessageAnswer::Yes;
        QTest::newRow("Escape, Oui") << Act::Escape << MessageAnswer::Yes;
        QTest::newRow("Arrêter, Oui") << Act::ClickArreter << MessageAnswer::Yes;
        QTest::newRow("closing the window, Non") << Act::CloseWindow << MessageAnswer::No;
        QTest::newRow("closing the window, Oui") << Act::CloseWindow << MessageAnswer::Yes;
    }

    // The operator acts while the machine takes nothing for a moment. A click on
    // the form changes nothing, then or later; Escape, "Arrêter" and closing
    // the window ask first, and on Oui the machine holds a prefix of the program,
    // the operator is told how much, and the port is free for the next download.
    void operatorDuringDownload()
    {
        QFETCH(Act, act);
        QFETCH(MessageAnswer, answer);
        const bool asks = act == Act::Escape || act == Act::ClickArreter || act == Act::CloseWindow;
        const bool stops = asks && answer == MessageAnswer::Yes;
        Workshop workshop;
        writeProgram(longProgram());
        const QByteArray expected = longProgram().replace("\r\n", "\n") + "\x13\n";
        auto* const buildButton = control<QPushButton>(workshop.window, "Const1");
        auto* const downloadButton = control<QPushButton>(workshop.window, "Télé1");
        workshop.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&workshop.window));
        workshop.choose(kWorkshopChoice);
        control<QRadioButton>(workshop.window, "Option1")->setEnabled(false);
        const QMap<QString, bool> inputsBefore = inputStates(workshop.window);
        QSignalSpy construire(buildButton, &QPushButton::clicked);
        workshop.messages.queueAnswer(MessageAnswer::Ok);
        workshop.messages.queueAnswer(answer);

        QMap<QString, bool> inputsDuring;
        QString buttonDuring;
        bool entryOpened = false;
        termios line{};
        std::optional<testing::MasterReader> machineReading;
        QTimer::singleShot(milliseconds(300), [&] {
            inputsDuring = inputStates(workshop.window);
            buttonDuring = downloadButton->text();
            ::tcgetattr(workshop.machine.masterHandle(), &line);
            if (act == Act::DoubleClickValueBox) {
                // Were the exact-value entry to open, it would be closed unused.
                QTimer::singleShot(milliseconds(500), [&] {
                    if (QWidget* entry = QApplication::activeModalWidget()) {
                        entryOpened = true;
                        entry->close();
                    }
                });
                QTest::mouseDClick(control<QLineEdit>(workshop.window, "Posx3"), Qt::LeftButton);
            } else if (act == Act::ClickConstruire || act == Act::ClickArreter) {
                QTest::mouseClick(act == Act::ClickConstruire ? buildButton : downloadButton, Qt::LeftButton);
            } else if (act == Act::Escape) {
                QTest::keyClick(&workshop.window, Qt::Key_Escape);
            } else {
                workshop.window.close();
            }
            if (workshop.download.running())
                machineReading.emplace(workshop.machine, std::size_t(expected.size()), milliseconds(20000));
        });

        workshop.download.startDownload();
        QCoreApplication::processEvents();

        QCOMPARE(buttonDuring.remove('&'), "Arrêter");
        for (auto input = inputsDuring.cbegin(); input != inputsDuring.cend(); ++input)
            QVERIFY2(input.value() == (input.key() == "Télé1"), qPrintable(input.key()));
        QCOMPARE(::cfgetospeed(&line), speed_t(B4800));
        QVERIFY(line.c_cflag & CSTOPB);
        QCOMPARE(construire.count(), 0);
        QVERIFY(!entryOpened);
        QCOMPARE(inputStates(workshop.window), inputsBefore);
        QCOMPARE(downloadButton->text().remove('&'), "Télécharger");
        QCOMPARE(workshop.window.isVisible(), !(stops && act == Act::CloseWindow));
        QVERIFY(!workshop.download.portOpen());
        const auto& calls = workshop.messages.calls();
        QCOMPARE(calls.size(), std::size_t(1 + (asks ? 1 : 0) + (stops ? 1 : 0)));
        if (asks) {
            QCOMPARE(calls[1].title, "Téléchargement");
            QCOMPARE(calls[1].text, "Arrêter le téléchargement ?");
            QCOMPARE(calls[1].buttons, MessageButtons::YesNo);
        }
        if (!stops) {
            QVERIFY(machineReading);
            QCOMPARE(machineReading->take(), expected.toStdString());
            QCOMPARE(workshop.pause.pauses.size(), std::size_t(1));
            return;
        }

        const QByteArray received = QByteArray::fromStdString(workshop.machine.readUntilQuiet());
        QVERIFY(received.size() < expected.size());
        QVERIFY(expected.startsWith(received));
        const QRegularExpressionMatch told
            = QRegularExpression(QStringLiteral("^Téléchargement arrêté : (\\d+) éléments sur 20000 envoyés.\n"
                                                "La machine contient un programme incomplet.$"))
                  .match(calls[2].text);
        QVERIFY2(told.hasMatch(), qPrintable(calls[2].text));
        QCOMPARE(calls[2].title, "Téléchargement");
        // The count is what had left the port by the system's account. A
        // pseudo-terminal buffers on both sides and drops only part of it on the
        // stop, so here it is no exact count of what arrived.
        QVERIFY(told.captured(1).toInt() < kLongProgramItems);
        QVERIFY(workshop.pause.pauses.empty());
        workshop.verifyAtRest();

        writeProgram(kThreeLines);
        downloadButton->click();
        QCOMPARE(workshop.machine.readUntilQuiet(), std::string("%12\nG0X1\nM2\n\x13\n"));
    }

    // The machine stops taking data: the window is painted and answers until the
    // download gives up, then says why.
    void stalledMachineWithTheWindowLive()
    {
        Workshop workshop;
        writeProgram(longProgram());
        workshop.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&workshop.window));
        workshop.choose(kWorkshopChoice);
        workshop.download.setStallTimeout(milliseconds(400));
        int ticks = 0;
        QTimer clock;
        QObject::connect(&clock, &QTimer::timeout, [&] { ticks += workshop.download.running() ? 1 : 0; });
        clock.start(milliseconds(20));

        control<QPushButton>(workshop.window, "Télé1")->click();

        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QCOMPARE(workshop.messages.calls().back().text,
                 QStringLiteral("Transmission interrompue : le port COM2 (%1) ne prend plus les données")
                     .arg(QString::fromStdString(workshop.machine.devicePath())));
        workshop.machine.readUntilQuiet();
        workshop.verifyAtRest();
    }

    // The pause with the full bar at the end of a construction, a save or a
    // download: the window runs, the operator's input is dropped, and the form
    // comes back as it was.
    void finalPauseDropsInput()
    {
        MainWindow window;
        auto* const xBar = control<QScrollBar>(window, "Posx2");
        auto* const line1 = control<QLineEdit>(window, "Saisie12");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        control<QRadioButton>(window, "Option1")->setEnabled(false);
        const QMap<QString, bool> before = inputStates(window);
        const int xBefore = xBar->value();
        QMap<QString, bool> during;
        QTimer::singleShot(milliseconds(50), [&] {
            during = inputStates(window);
            QTest::mouseClick(xBar, Qt::LeftButton, {}, QPoint(xBar->width() - 30, xBar->height() / 2));
            QTest::keyClicks(line1, QStringLiteral("X"));
        });
        QElapsedTimer clock;
        clock.start();

        EventLoopPause(window).pause(milliseconds(200));
        QCoreApplication::processEvents();

        QVERIFY(clock.elapsed() >= 200);
        QVERIFY(!during.isEmpty());
        for (auto input = during.cbegin(); input != during.cend(); ++input)
            QVERIFY2(!input.value(), qPrintable(input.key()));
        QCOMPARE(xBar->value(), xBefore);
        QVERIFY(line1->text().isEmpty());
        QCOMPARE(inputStates(window), before);
    }
};

QTEST_MAIN(DownloadActionTest)
#include "tst_download_action.moc"
