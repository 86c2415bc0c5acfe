// "Télécharger" from the window: the question, the combo texts taken at the
// click, the bytes the machine receives, the meter and the failure messages.
// A pseudo-terminal plays the machine behind COM2.

#include "app/download_action.h"
#include "panel/main_window.h"
#include "panel/meter.h"
#include "panel/pause.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/scripted_messages.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace velmora;
using std::chrono::milliseconds;

namespace {

// What the meter showed when the download paused with the bar full.
class RecordingPause final : public PauseSeam {
public:
    explicit RecordingPause(MainWindow& window) : window_(window) {}
    void pause(milliseconds length) override
    {
        lengths.push_back(length);
        barsShown.push_back(window_.meter().barTwips());
        captionsShown.push_back(window_.form().Visu1->text());
    }
    std::vector<milliseconds> lengths;
    std::vector<int> barsShown;
    std::vector<QString> captionsShown;

private:
    MainWindow& window_;
};

// The window, its seams and the machine: COM2 is the pseudo-terminal, COM3 a
// device that is not there, every other port does not exist.
struct Workshop {
    testing::PseudoTerminal machine;
    QString absentDevice = QDir::current().filePath(QStringLiteral("ttyS2"));
    int portLookups = 0;
    MainWindow window;
    ScriptedMessages messages;
    RecordingPause pause{window};
    DownloadAction download{window, messages, pause, [this](std::int16_t port) {
                                ++portLookups;
                                if (port == 2)
                                    return machine.devicePath();
                                return port == 3 ? absentDevice.toStdString() : std::string();
                            }};

    void choose(const QStringList& texts)
    {
        Ui::MainWindow& form = window.form();
        QComboBox* combos[] = {form.Port2, form.Vitesse2, form.Parité2, form.Nbrebits2, form.Bitsstop2};
        for (int n = 0; n < 5; ++n)
            combos[n]->setCurrentText(texts[n]);
    }
    bool meterAtRest() { return window.form().Visu1->text() == "0 %" && window.meter().barTwips() == 15; }
};

const QStringList kWorkshopChoice{"COM2", "4800", "E(ven)", "7", "2"};
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

    void sendsTheProgram_data();
    void sendsTheProgram();
    void readsTheTextsAtTheClick();
    void cancelDoesNothing_data();
    void cancelDoesNothing();

    void failures_data();
    void failures();

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

void DownloadActionTest::sendsTheProgram_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("three lines") << kThreeLines << QByteArray("%12\nG0X1\nM2\n\x13\n");
    QTest::newRow("accent and comma") << QByteArray("( \xc9T\xc9, 1 )\r\n") << QByteArray("( \xc9T\xc9\n1 )\n\x13\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray("\x13\n");
}

void DownloadActionTest::sendsTheProgram()
{
    QFETCH(QByteArray, program);
    QFETCH(QByteArray, wire);
    writeProgram(program);
    Workshop workshop;
    workshop.choose(kWorkshopChoice);

    workshop.window.form().Télé1->click();

    QCOMPARE(QByteArray::fromStdString(workshop.machine.readUntilQuiet()), wire);
    QCOMPARE(workshop.messages.calls().size(), std::size_t(1));
    const ScriptedMessages::Call& question = workshop.messages.calls().front();
    QCOMPARE(question.icon, MessageIcon::Exclamation);
    QCOMPARE(question.buttons, MessageButtons::OkCancel);
    QCOMPARE(question.title, "Liaison PC-CN");
    QCOMPARE(question.text, "Placer la machine en mode chargement");
    QCOMPARE(workshop.pause.barsShown, std::vector<int>{2295});
    QCOMPARE(workshop.pause.captionsShown.front(), program.isEmpty() ? "0 %" : " 100 %");
    QVERIFY(workshop.meterAtRest());
    QVERIFY(!workshop.download.comm().portOpen());
}

// The combos are editable and change between downloads: each click takes
// what they show then.
void DownloadActionTest::readsTheTextsAtTheClick()
{
    writeProgram(kThreeLines);
    Workshop workshop;
    workshop.choose({"COM1", "300", "O(dd)", "5", "1"});
    workshop.choose(kWorkshopChoice);
    workshop.window.form().Télé1->click();
    QCOMPARE(workshop.download.comm().settings(), std::string("4800,e,7,2"));

    workshop.choose({"COM2", "9600", "N(one)", "8", "1"});
    workshop.window.form().Télé1->click();
    QCOMPARE(workshop.download.comm().settings(), std::string("9600,n,8,1"));
    QCOMPARE(workshop.download.comm().commPort(), std::int16_t(2));
    QCOMPARE(workshop.machine.readUntilQuiet(), std::string("%12\nG0X1\nM2\n\x13\n%12\nG0X1\nM2\n\x13\n"));
    QCOMPARE(workshop.messages.calls().size(), std::size_t(2));
}

void DownloadActionTest::cancelDoesNothing_data()
{
    QTest::addColumn<bool>("programThere");
    QTest::addColumn<QString>("port");
    QTest::newRow("all ready") << true << "COM2";
    QTest::newRow("no program file") << false << "COM2";
    QTest::newRow("no such port") << true << "COM1";
}

void DownloadActionTest::cancelDoesNothing()
{
    QFETCH(bool, programThere);
    QFETCH(QString, port);
    if (programThere)
        writeProgram(kThreeLines);
    Workshop workshop;
    workshop.choose({port, "4800", "E(ven)", "7", "2"});
    workshop.messages.queueAnswer(MessageAnswer::Cancel);

    workshop.window.form().Télé1->click();

    QCOMPARE(workshop.messages.calls().size(), std::size_t(1));
    QCOMPARE(workshop.portLookups, 0);
    QVERIFY(workshop.machine.readUntilQuiet(milliseconds(50)).empty());
    QVERIFY(workshop.pause.lengths.empty());
    QVERIFY(workshop.meterAtRest());
}

void DownloadActionTest::failures_data()
{
    QTest::addColumn<QStringList>("choice");
    QTest::addColumn<bool>("programThere");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("portTouched");
    QTest::newRow("port with no device") << QStringList{"COM1", "4800", "E(ven)", "7", "2"} << true
                                         << "Problème de connexion" << true;
    QTest::newRow("device gone") << QStringList{"COM3", "4800", "E(ven)", "7", "2"} << true
                                 << "Problème de connexion" << true;
    QTest::newRow("port never chosen") << QStringList{" ", "4800", "E(ven)", "7", "2"} << true
                                       << "Problème de connexion" << false;
    QTest::newRow("missing program file") << kWorkshopChoice << false << "Le fichier velmora.rub est introuvable"
                                          << false;
    QTest::newRow("1.5 stop bits") << QStringList{"COM2", "4800", "E(ven)", "7", "1.5"} << true
                                   << "Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2" << false;
    QTest::newRow("typed character the line cannot carry")
        << QStringList{"COM2", "9600\u2713", "E(ven)", "7", "2"} << true
        << "Vitesse : le caractère « \u2713 » ne peut pas être transmis" << false;
}

void DownloadActionTest::failures()
{
    QFETCH(QStringList, choice);
    QFETCH(bool, programThere);
    QFETCH(QString, message);
    QFETCH(bool, portTouched);
    if (choice[4] == "1.5" && platformHasOneAndHalfStopBits())
        QSKIP("this platform frames 1.5 stop bits");
    if (programThere)
        writeProgram(kThreeLines);
    Workshop workshop;
    workshop.choose(choice);

    workshop.window.form().Télé1->click();

    QCOMPARE(workshop.messages.calls().size(), std::size_t(2));
    const ScriptedMessages::Call& told = workshop.messages.calls().back();
    QCOMPARE(told.icon, MessageIcon::Critical);
    QCOMPARE(told.buttons, MessageButtons::Ok);
    QCOMPARE(told.title, "Téléchargement");
    QCOMPARE(told.text, message);
    QCOMPARE(workshop.portLookups > 0, portTouched);
    QVERIFY(workshop.machine.readUntilQuiet(milliseconds(50)).empty());
    QVERIFY(workshop.meterAtRest());
    QVERIFY(!workshop.download.comm().portOpen());
}

QTEST_MAIN(DownloadActionTest)
#include "tst_download_action.moc"
