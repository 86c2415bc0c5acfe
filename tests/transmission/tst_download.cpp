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
Q_DECLARE_METATYPE(std::vector<double>)
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
TransmissionTexts workshopTexts()
{
    return {"COM2", "4800", "E(ven)", "7", "2"};
}

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

enum class Case { DeviceGone, NoSuchPort, NoPortNumber, EmptySpeed, PortBusy };
Q_DECLARE_METATYPE(Case)

class DownloadTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // The port is the whole number that ends the port's text.
    void portNumbers_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("COM1") << QByteArray("COM1") << 1;
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

    void refusesSettings_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("three fields") << QByteArray("9600,e,7") << "Paramètres de transmission invalides : 9600,e,7";
        QTest::newRow("zero speed") << QByteArray("0,e,7,2") << "Vitesse de transmission invalide : 0";
        QTest::newRow("fractional speed") << QByteArray("9600.5,e,7,2") << "Vitesse de transmission invalide : 9600.5";
        QTest::newRow("unknown parity") << QByteArray("9600,x,7,2") << "Parité invalide : x";
        QTest::newRow("4 data bits") << QByteArray("9600,e,4,2") << "Nombre de bits invalide : 4";
        QTest::newRow("stop bits 1.0") << QByteArray("9600,e,7,1.0") << "Bits stop invalides : 1.0";
    }

    void refusesSettings()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, refusal);
        const Result<LineSettings> reading = readLineSettings(text.toStdString());
        QVERIFY(!reading.ok());
        QCOMPARE(QString::fromStdString(failureMessage(Task::Download, reading.failure()).text), refusal);
    }

    // The row's name is the settings text; parity in either case, blanks
    // around the fields.
    void mapsSettingsToQt_data()
    {
        using Port = QSerialPort;
        QTest::addColumn<QtLineSettings>("expected");
        QTest::newRow("4800,e,7,2") << QtLineSettings{4800, Port::EvenParity, Port::Data7, Port::TwoStop};
        QTest::newRow("300,o,5,1.5") << QtLineSettings{300, Port::OddParity, Port::Data5, Port::OneAndHalfStop};
        QTest::newRow("1200,m,6,1") << QtLineSettings{1200, Port::MarkParity, Port::Data6, Port::OneStop};
        QTest::newRow(" 600 , S ,8 , 1 ") << QtLineSettings{600, Port::SpaceParity, Port::Data8, Port::OneStop};
    }

    void mapsSettingsToQt()
    {
        QFETCH(QtLineSettings, expected);
        const Result<LineSettings> reading = readLineSettings(QTest::currentDataTag());
        QVERIFY(reading.ok());
        QVERIFY(toQt(reading.value()) == expected);
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

        const Result<void> outcome = run(download, {writeProgram(program.toStdString()), workshopTexts()}, meter);

        QVERIFY(outcome.ok());
        QCOMPARE(terminal.readUntilQuiet(), wire.toStdString());
        QCOMPARE(meter.steps, steps);
        QVERIFY(!download.portOpen());
    }

    void failures_data()
    {
        QTest::addColumn<Case>("failure");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("cause");  // under the message; %2 the missing device
        QTest::newRow("no such port") << Case::NoSuchPort
                                      << "Problème de connexion" << "Port COM2 : aucun périphérique ne lui correspond";
        QTest::newRow("device gone") << Case::DeviceGone << "Problème de connexion"
                                     << "Port COM2, périphérique %2 : le fichier ou le dossier n'existe pas";
        QTest::newRow("port text without number") << Case::NoPortNumber
                                                  << "Problème de connexion" << "Port invalide : (vide)";
        QTest::newRow("speed never chosen") << Case::EmptySpeed << "Vitesse de transmission invalide : (vide)" << "";
        QTest::newRow("port used elsewhere") << Case::PortBusy << "Le port COM2 (%1) est déjà utilisé" << "";
    }

    void failures()
    {
        QFETCH(Case, failure);
        QFETCH(QString, message);
        QFETCH(QString, cause);
        PseudoTerminal terminal;
        std::string device = terminal.devicePath();
        Download download([&](std::int16_t) { return device; });
        QSerialPort otherProgram(QString::fromStdString(terminal.devicePath()));
        DownloadRequest request{writeProgram("%12\r\nM2\r\n"), workshopTexts()};
        if (failure == Case::NoSuchPort)
            device.clear();
        if (failure == Case::DeviceGone)
            device = dir_->filePath("ttyGone").toStdString();
        if (cause.contains("%2"))
            cause = cause.arg(QString::fromStdString(device));
        if (failure == Case::NoPortNumber)
            request.texts.port = " ";
        if (failure == Case::EmptySpeed)
            request.texts.speed = " ";
        if (failure == Case::PortBusy)
            QVERIFY(otherProgram.open(QIODevice::WriteOnly));
        RecordingProgress meter;
        bool finishedBeforeReturn = false;

        download.start(request, meter, [&](const Result<void>& outcome) {
            finishedBeforeReturn = true;
            QVERIFY(!outcome.ok());
            if (message.contains("%1"))
                message = message.arg(QString::fromStdString(terminal.devicePath()));
            const Message told = failureMessage(Task::Download, outcome.failure());
            QCOMPARE(QString::fromStdString(told.text), message);
            QCOMPARE(QString::fromStdString(told.cause), cause);
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

        const auto stalled = run(download, {writeProgram("%1\r\nG1 X12.5 Y-3.25\r\nM2\r\n"), workshopTexts()}, meter);

        QVERIFY(!stalled.ok());
        QCOMPARE(failureMessage(Task::Download, stalled.failure()).text,
                 "Transmission interrompue : le port COM2 (" + terminal.devicePath() + ") ne prend plus les données");
        QVERIFY(meter.atRest());
        QVERIFY(!download.portOpen());

        download.setQueuedBytes(queuedOutputBytes);
        terminal.readUntilQuiet();
        const auto next = run(download, {writeProgram("%1\r\nM2\r\n"), workshopTexts()}, meter);
        QVERIFY(next.ok());
        QCOMPARE(terminal.readUntilQuiet(), std::string("%1\nM2\n\x13\n"));
    }

private:
    std::filesystem::path writeProgram(const std::string& bytes)
    {
        const std::filesystem::path path = dir_->filePath("velmora.rub").toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_GUILESS_MAIN(DownloadTest)
#include "tst_download.moc"
