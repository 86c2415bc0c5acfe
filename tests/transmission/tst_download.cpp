#include "tests/support/pseudo_terminal.h"
#include "transmission/download.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>

using namespace velmora;
using velmora::testing::PseudoTerminal;
using std::chrono::milliseconds;

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(velmora::QtLineSettings)

namespace {

// The progress as the download tells it, every step recorded: "1/3" for one
// item of three sent, then "full" or "rest".
class RecordingProgress : public DownloadProgress {
public:
    void showSent(std::size_t sent, std::size_t count) override
    {
        steps.push_back(std::to_string(sent) + "/" + std::to_string(count));
    }
    void showFull() override { steps.push_back("full"); }
    void rest() override { steps.push_back("rest"); }

    bool atRest() const { return !steps.empty() && steps.back() == "rest"; }

    std::vector<std::string> steps;
};

// A workshop's choices in the transmission frame: COM2 at 4800,e,7,2.
const TransmissionTexts kWorkshopTexts{"COM2", "4800", "E(ven)", "7", "2"};

// Runs a download to its end in the event loop; one still running after
// twenty seconds is told as hung.
Result<void> run(Download& download, const DownloadRequest& request, DownloadProgress& progress)
{
    Result<void> outcome = Failure(FailureKind::Stalled);
    QEventLoop loop;
    download.start(request, progress, [&](const Result<void>& end) {
        outcome = end;
        loop.quit();
    });
    QTimer::singleShot(std::chrono::seconds(20), &loop, &QEventLoop::quit);
    if (download.running())
        loop.exec();
    return outcome;
}

}  // namespace

class DownloadTest : public QObject {
    Q_OBJECT
private slots:
    // The port is the whole number that ends the port's text.
    void portNumbers_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("COM12, not COM2") << QByteArray("COM12") << 12;
        QTest::newRow("blanks around") << QByteArray(" COM3 \t") << 3;
        QTest::newRow("no number") << QByteArray("COM") << 0;
        QTest::newRow("beyond any port") << QByteArray("COM99999") << 0;
    }

    void portNumbers()
    {
        QFETCH(QByteArray, text);
        QTEST(int(portNumber(text.toStdString())), "port");
    }

    // The settings text read and put in Qt's terms, or the refusal; parity in
    // either case, blanks around the fields.
    void readsSettings_data()
    {
        using S = QtLineSettings;
        using P = QSerialPort;
        QTest::addColumn<QString>("text");
        QTest::addColumn<QtLineSettings>("expected");
        QTest::addColumn<QString>("refusal");
        const S none;
        QTest::newRow("even") << "4800,e,7,2" << S{4800, P::EvenParity, P::Data7, P::TwoStop} << "";
        QTest::newRow("odd") << "300,o,5,1.5" << S{300, P::OddParity, P::Data5, P::OneAndHalfStop} << "";
        QTest::newRow("mark") << "1200,m,6,1" << S{1200, P::MarkParity, P::Data6, P::OneStop} << "";
        QTest::newRow("space, blanks") << " 600 , S ,8 , 1 " << S{600, P::SpaceParity, P::Data8, P::OneStop} << "";
        QTest::newRow("none") << "19200,N,8,1" << S{19200, P::NoParity, P::Data8, P::OneStop} << "";
        QTest::newRow("three fields") << "9600,e,7" << none << "Paramètres de transmission invalides : 9600,e,7";
        QTest::newRow("zero speed") << "0,e,7,2" << none << "Vitesse de transmission invalide : 0";
        QTest::newRow("fractional speed") << "9600.5,e,7,2" << none << "Vitesse de transmission invalide : 9600.5";
        QTest::newRow("unknown parity") << "9600,x,7,2" << none << "Parité invalide : x";
        QTest::newRow("4 data bits") << "9600,e,4,2" << none << "Nombre de bits invalide : 4";
        QTest::newRow("stop bits 1.0") << "9600,e,7,1.0" << none << "Bits stop invalides : 1.0";
    }

    void readsSettings()
    {
        QFETCH(QString, text);
        QFETCH(QtLineSettings, expected);
        QFETCH(QString, refusal);
        const Result<LineSettings> reading = readLineSettings(text.toStdString());
        QCOMPARE(reading.ok(), refusal.isEmpty());
        if (reading.ok())
            QVERIFY(toQt(reading.value()) == expected);
        else
            QCOMPARE(QString::fromStdString(failureMessage(Task::Download, reading.failure()).text), refusal);
    }

    void sendsEveryItem_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<std::vector<std::string>>("steps");
        QTest::newRow("comma splits a line") << QByteArray("A,B\r\n") << QByteArray("A\nB\n\x13\n")
            << std::vector<std::string>{"1/2", "2/2", "full"};
        QTest::newRow("empty file") << QByteArray() << QByteArray("\x13\n") << std::vector<std::string>{"full"};
        QTest::newRow("blanks, quotes, accents") << QByteArray("  $ LIGNE 1\r\n\"X,Y\"\r\n\xe9\r\n")
            << QByteArray("$ LIGNE 1\nX,Y\n\xe9\n\x13\n") << std::vector<std::string>{"1/3", "2/3", "3/3", "full"};
    }

    // The bytes and the meter.
    void sendsEveryItem()
    {
        QFETCH(QByteArray, program);
        QFETCH(QByteArray, wire);
        QFETCH(std::vector<std::string>, steps);
        PseudoTerminal terminal;
        QVERIFY(terminal.isOpen());
        Download download([&](std::int16_t) { return terminal.devicePath(); });
        RecordingProgress meter;

        const Result<void> outcome = run(download, {writeProgram(program.toStdString()), kWorkshopTexts}, meter);

        QVERIFY(outcome.ok());
        QCOMPARE(terminal.readUntilQuiet(), wire.toStdString());
        QCOMPARE(meter.steps, steps);
        QVERIFY(!download.portOpen());
    }

    // Nothing sent, the meter at rest and the port free, the failure told at
    // once.
    void failures_data()
    {
        QTest::addColumn<QByteArray>("port");   // its text; COM2 is the terminal
        QTest::addColumn<QByteArray>("speed");  // its text
        QTest::addColumn<bool>("deviceGone");   // the file behind COM2 is not there
        QTest::addColumn<bool>("portBusy");     // another program holds COM2
        QTest::addColumn<QString>("told");      // "text|cause"; %1 the device
        QTest::newRow("device gone") << QByteArray("COM2") << QByteArray("4800") << true << false
            << "Problème de connexion|Port COM2, périphérique %1 : le fichier ou le dossier n'existe pas";
        QTest::newRow("port text without number") << QByteArray(" ") << QByteArray("4800") << false << false
                                                  << "Problème de connexion|Port invalide : (vide)";
        QTest::newRow("speed never chosen") << QByteArray("COM2") << QByteArray(" ") << false << false
                                            << "Vitesse de transmission invalide : (vide)|";
        QTest::newRow("port used elsewhere") << QByteArray("COM2") << QByteArray("4800") << false << true
                                             << "Le port COM2 (%1) est déjà utilisé|";
    }

    void failures()
    {
        QFETCH(QByteArray, port);
        QFETCH(QByteArray, speed);
        QFETCH(bool, deviceGone);
        QFETCH(bool, portBusy);
        QFETCH(QString, told);
        PseudoTerminal terminal;
        const std::string device = deviceGone ? dir_.filePath("ttyGone").toStdString() : terminal.devicePath();
        Download download([&](std::int16_t) { return device; });
        QSerialPort otherProgram(QString::fromStdString(terminal.devicePath()));
        if (portBusy)
            QVERIFY(otherProgram.open(QIODevice::WriteOnly));
        TransmissionTexts texts = kWorkshopTexts;
        texts.port = port.toStdString();
        texts.speed = speed.toStdString();
        RecordingProgress meter;
        bool finishedBeforeReturn = false;

        download.start({writeProgram("%12\r\nM2\r\n"), texts}, meter, [&](const Result<void>& outcome) {
            finishedBeforeReturn = true;
            QVERIFY(!outcome.ok());
            const Message message = failureMessage(Task::Download, outcome.failure());
            QCOMPARE(QString::fromStdString(message.text + "|" + message.cause),
                     told.replace("%1", QString::fromStdString(device)));
        });

        QVERIFY(finishedBeforeReturn);
        QVERIFY(!download.running());
        QVERIFY(meter.atRest());
        QVERIFY(!download.portOpen());
        QVERIFY(terminal.readUntilQuiet(milliseconds(50)).empty());
    }

    // The last bytes handed to the system never leave: the download says so,
    // frees the port and leaves the meter at rest, and the next download goes
    // through.
    void stalledMachineFailsAndNextDownloadWorks()
    {
        PseudoTerminal terminal;
        Download download([&](std::int16_t) { return terminal.devicePath(); });
        download.setStallTimeout(milliseconds(300));
        RecordingProgress meter;
        download.setQueuedBytes([](PortHandle) -> std::optional<long> { return 3; });

        const auto stalled = run(download, {writeProgram("%1\r\nG1 X12.5 Y-3.25\r\nM2\r\n"), kWorkshopTexts}, meter);

        QVERIFY(!stalled.ok());
        QCOMPARE(stalled.failure().kind, FailureKind::Stalled);
        QVERIFY(meter.atRest());
        QVERIFY(!download.portOpen());

        download.setQueuedBytes(queuedOutputBytes);
        terminal.readUntilQuiet();
        const auto next = run(download, {writeProgram("%1\r\nM2\r\n"), kWorkshopTexts}, meter);
        QVERIFY(next.ok());
        QCOMPARE(terminal.readUntilQuiet(), std::string("%1\nM2\n\x13\n"));
    }

private:
    std::filesystem::path writeProgram(const std::string& bytes)
    {
        const std::filesystem::path path = dir_.filePath("velmora.rub").toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(DownloadTest)
#include "tst_download.moc"
