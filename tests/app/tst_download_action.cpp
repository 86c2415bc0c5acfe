// "Télécharger" from the window: the question, the combo texts taken at the
// click, the bytes the machine receives, the meter and the failure messages.
// A pseudo-terminal plays the machine behind COM2.

#include "app/download_action.h"
#include "panel/main_window.h"
#include "panel/meter.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"

#include <QDir>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace velmora;
using std::chrono::milliseconds;

namespace {

// The window, its seams and the machine: COM2 is the pseudo-terminal, every
// other port does not exist.
struct Workshop {
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
        QObject::connect(&window, &MainWindow::downloadRequested, [this] { download.startDownload(); });
        pause.onPause = [this] {
            meterWhilePaused << window.findChild<QLabel*>("Visu1")->text() << QString::number(window.meter().barTwips());
        };
    }
    // Port, speed, parity, data bits and stop bits, separated by commas.
    void choose(const QString& choice)
    {
        const QStringList texts = choice.split(',');
        const char* combos[] = {"Port2", "Vitesse2", "Parité2", "Nbrebits2", "Bitsstop2"};
        for (int n = 0; n < 5; ++n)
            window.findChild<QComboBox*>(QString::fromUtf8(combos[n]))->setCurrentText(texts[n]);
    }
    // Nothing (more) on the line, the meter at rest, the port closed.
    void verifyAtRest()
    {
        QVERIFY(machine.readUntilQuiet(milliseconds(50)).empty());
        QCOMPARE(window.findChild<QLabel*>("Visu1")->text(), QStringLiteral("0 %"));
        QCOMPARE(window.meter().barTwips(), 15);
        QVERIFY(!download.comm().portOpen());
    }
};

const QString kWorkshopChoice = QStringLiteral("COM2,4800,E(ven),7,2");
const QByteArray kThreeLines("%12\r\nG0X1\r\nM2\r\n");

void writeProgram(const QByteArray& bytes)
{
    QFile file(QStringLiteral("velmora.rub"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class DownloadActionTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void sendsWithTheTextsOfTheClick();
    void nothingSent_data();
    void nothingSent();

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString startFolder_;
};

// Every test runs in a working directory of its own, as the program does.
void DownloadActionTest::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    startFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder_->path()));
}

void DownloadActionTest::cleanup()
{
    QDir::setCurrent(startFolder_);
    folder_.reset();
}

// The combos are editable and change between downloads: each click takes
// what they show then.
void DownloadActionTest::sendsWithTheTextsOfTheClick()
{
    writeProgram(kThreeLines);
    Workshop workshop;
    workshop.choose("COM1,300,O(dd),5,1");
    workshop.choose(kWorkshopChoice);

    workshop.window.findChild<QPushButton*>(QStringLiteral("Télé1"))->click();

    QCOMPARE(workshop.download.comm().settings(), std::string("4800,e,7,2"));
    QCOMPARE(workshop.machine.readUntilQuiet(), std::string("%12\nG0X1\nM2\n\x13\n"));
    const ScriptedMessages::Call& question = workshop.messages.calls().front();
    QCOMPARE(question.icon, MessageIcon::Exclamation);
    QCOMPARE(question.buttons, MessageButtons::OkCancel);
    QCOMPARE(question.title, "Liaison PC-CN");
    QCOMPARE(question.text, "Placer la machine en mode chargement");
    QCOMPARE(workshop.meterWhilePaused, (QStringList{" 100 %", "2295"}));
    workshop.verifyAtRest();

    workshop.choose("COM2,9600,N(one),8,1");
    workshop.window.findChild<QPushButton*>(QStringLiteral("Télé1"))->click();
    QCOMPARE(workshop.download.comm().settings(), std::string("9600,n,8,1"));
    QCOMPARE(workshop.machine.readUntilQuiet(), std::string("%12\nG0X1\nM2\n\x13\n"));
    QCOMPARE(workshop.messages.calls().size(), std::size_t(2));
}

void DownloadActionTest::nothingSent_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("programThere");
    QTest::addColumn<QString>("message");  // the failure told after the question; none for Cancel
    QTest::addColumn<bool>("portTouched");
    // The question comes first, even with no program file to send.
    QTest::newRow("Cancel") << kWorkshopChoice << false << QString() << false;
    QTest::newRow("port with no device") << "COM1,4800,E(ven),7,2" << true << "Problème de connexion" << true;
    QTest::newRow("missing program file, told before the port")
        << kWorkshopChoice << false << "Le fichier velmora.rub est introuvable" << false;
    QTest::newRow("1.5 stop bits")
        << "COM2,4800,E(ven),7,1.5" << true << "Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2" << false;
    QTest::newRow("typed character the line cannot carry")
        << "COM2,9600\u2713,E(ven),7,2" << true << "Vitesse : le caractère « \u2713 » ne peut pas être transmis" << false;
}

void DownloadActionTest::nothingSent()
{
    QFETCH(QString, choice);
    QFETCH(bool, programThere);
    QFETCH(QString, message);
    if (choice.endsWith(",1.5") && platformHasOneAndHalfStopBits())
        QSKIP("this platform frames 1.5 stop bits");
    if (programThere)
        writeProgram(kThreeLines);
    Workshop workshop;
    workshop.choose(choice);
    workshop.messages.queueAnswer(message.isEmpty() ? MessageAnswer::Cancel : MessageAnswer::Ok);

    workshop.window.findChild<QPushButton*>(QStringLiteral("Télé1"))->click();

    QCOMPARE(workshop.messages.calls().size(), std::size_t(message.isEmpty() ? 1 : 2));
    if (!message.isEmpty()) {
        const ScriptedMessages::Call& told = workshop.messages.calls().back();
        QCOMPARE(told.icon, MessageIcon::Critical);
        QCOMPARE(told.buttons, MessageButtons::Ok);
        QCOMPARE(told.title, "Téléchargement");
        QCOMPARE(told.text, message);
    }
    QTEST(workshop.portLookups > 0, "portTouched");
    QVERIFY(workshop.pause.pauses.empty());
    workshop.verifyAtRest();
}

QTEST_MAIN(DownloadActionTest)
#include "tst_download_action.moc"
