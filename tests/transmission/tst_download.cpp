#include "tests/support/pseudo_terminal.h"
#include "transmission/download.h"
#include "transmission/french.h"
#include "transmission/output_queue.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>
#include <sys/ioctl.h>
#include <termios.h>

using namespace velmora;
using velmora::testing::PseudoTerminal;
using std::chrono::milliseconds;

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(velmora::QtLineSettings)

namespace {

// Set, the bytes the system says it still holds for the port, for ever.
std::optional<long> heldBytes;

}  // namespace

// The system's output queue as this test plays it, in place of the program's:
// a pseudo-terminal never reports what it holds, so a line whose last bytes
// never leave can only be shown this way.
namespace velmora {

std::optional<long> queuedOutputBytes(PortHandle handle)
{
    if (heldBytes)
        return heldBytes;
    int queued = 0;
    if (::ioctl(handle, TIOCOUTQ, &queued) != 0)
        return std::nullopt;
    return long(queued);
}

bool waitUntilSent(PortHandle handle) { return ::tcdrain(handle) == 0; }

}  // namespace velmora

namespace {

// The meter as the window would show it, every change recorded.
class RecordingProgress : public DownloadProgress {
public:
    double fullTwips() const override { return 2295; }
    void setBarTwips(double twips) override { bars.push_back(twips); }
    void setCaption(const std::string& text) override
    {
        captions.push_back(text);
        if (onCaption)
            onCaption();
    }

    bool atRest() const
    {
        return !captions.empty() && captions.back() == kRestCaption && !bars.empty() && bars.back() == kRestBarTwips;
    }

    std::vector<double> bars;
    std::vector<std::string> captions;
    std::function<void()> onCaption;
};

// A workshop's choices in the transmission frame: COM2 at 4800,e,7,2.
TransmissionTexts workshopTexts()
{
    return {"COM2", "4800", "E(ven)", "7", "2"};
}

// Runs a download to its end in the event loop; one still running after
// twenty seconds is told as hung.
DownloadOutcome run(Download& download, const DownloadRequest& request, DownloadProgress& progress)
{
    DownloadOutcome outcome{DownloadEnd::Failed, "still running after twenty seconds"};
    QEventLoop loop;
    download.start(request, progress, [&](const DownloadOutcome& end) {
        outcome = end;
        loop.quit();
    });
    QTimer::singleShot(std::chrono::seconds(20), &loop, &QEventLoop::quit);
    if (download.running())
        loop.exec();
    return outcome;
}

}  // namespace

enum class Failure { DeviceGone, MissingFile, NoSuchPort, NoPortNumber, EmptySpeed, OneAndHalfStops, PortBusy };
Q_DECLARE_METATYPE(Failure)

class DownloadTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        heldBytes.reset();
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
        QTest::newRow("COM11, not COM1") << QByteArray("COM11") << 11;
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
        QTest::newRow("no speed") << QByteArray(" ,e,7,2") << "Vitesse de transmission invalide : (vide)";
        QTest::newRow("unknown parity") << QByteArray("9600,x,7,2") << "Parité invalide : x";
        QTest::newRow("4 data bits") << QByteArray("9600,e,4,2") << "Nombre de bits invalide : 4";
        QTest::newRow("stop bits 1.0") << QByteArray("9600,e,7,1.0") << "Bits stop invalides : 1.0";
    }

    void refusesSettings()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, refusal);
        const LineSettingsReading reading = readLineSettings(text.toStdString());
        QVERIFY(!reading.ok());
        QCOMPARE(QString::fromLatin1(reading.refusal), refusal);
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
        const LineSettingsReading reading = readLineSettings(QTest::currentDataTag());
        QVERIFY2(reading.ok(), reading.refusal.c_str());
        QVERIFY(toQt(reading.settings) == expected);
    }

    void sendsEveryItem_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<std::vector<std::string>>("captions");
        QTest::addColumn<std::vector<double>>("bars");  // after the items: at rest a moment, then full
        const std::vector<std::string> inThirds{" 33 %", " 66 %", " 100 %"};
        QTest::newRow("three lines") << QByteArray("%12\r\nG0X1\r\nM2\r\n") << QByteArray("%12\nG0X1\nM2\n\x13\n")
            << inThirds << std::vector<double>{765, 1530, 2295, 15, 2295};
        QTest::newRow("comma splits a line") << QByteArray("A,B\r\n") << QByteArray("A\nB\n\x13\n")
            << std::vector<std::string>{" 50 %", " 100 %"} << std::vector<double>{1147.5, 2295, 15, 2295};
        QTest::newRow("empty file") << QByteArray() << QByteArray("\x13\n") << std::vector<std::string>{}
            << std::vector<double>{15, 2295};
        QTest::newRow("blanks, quotes, accents") << QByteArray("  $ LIGNE 1\r\n\"X,Y\"\r\n\xe9\r\n")
            << QByteArray("$ LIGNE 1\nX,Y\n\xe9\n\x13\n") << inThirds
            << std::vector<double>{765, 1530, 2295, 15, 2295};
    }

    // The bytes, the meter, and the line settings in force on the line (a
    // pseudo-terminal keeps the speed and the stop bits; it forces 8N).
    void sendsEveryItem()
    {
        QFETCH(QByteArray, program);
        QFETCH(QByteArray, wire);
        QFETCH(std::vector<std::string>, captions);
        QFETCH(std::vector<double>, bars);
        PseudoTerminal terminal;
        QVERIFY(terminal.isOpen());
        int lookedUp = 0;
        Download download([&](std::int16_t port) {
            lookedUp = port;
            return terminal.devicePath();
        });
        RecordingProgress meter;
        termios line{};
        meter.onCaption = [&] { ::tcgetattr(terminal.masterHandle(), &line); };

        const DownloadOutcome outcome = run(download, {writeProgram(program.toStdString()), workshopTexts()}, meter);

        QVERIFY2(outcome.end == DownloadEnd::Sent, outcome.message.c_str());
        QCOMPARE(terminal.readUntilQuiet(), wire.toStdString());
        QCOMPARE(meter.captions, captions);
        QCOMPARE(meter.bars, bars);
        QVERIFY(!download.portOpen());
        QCOMPARE(lookedUp, 2);
        if (captions.empty())
            return;
        QCOMPARE(::cfgetospeed(&line), speed_t(B4800));
        QVERIFY(line.c_cflag & CSTOPB);
    }

    void failures_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("cause");  // under the message; %2 the missing device
        QTest::newRow("missing program file") << Failure::MissingFile << "Le fichier velmora.rub est introuvable" << "";
        QTest::newRow("no such port") << Failure::NoSuchPort
                                      << "Problème de connexion" << "Port COM2 : aucun périphérique ne lui correspond";
        QTest::newRow("device gone") << Failure::DeviceGone << "Problème de connexion"
                                     << "Port COM2, périphérique %2 : le fichier ou le dossier n'existe pas";
        QTest::newRow("port text without number") << Failure::NoPortNumber
                                                  << "Problème de connexion" << "Port invalide : (vide)";
        QTest::newRow("speed never chosen") << Failure::EmptySpeed << "Vitesse de transmission invalide : (vide)" << "";
        QTest::newRow("1.5 stop bits") << Failure::OneAndHalfStops
                                       << "Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2" << "";
        QTest::newRow("port used elsewhere") << Failure::PortBusy << "Le port COM2 (%1) est déjà utilisé" << "";
    }

    void failures()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, message);
        QFETCH(QString, cause);
        if (failure == Failure::OneAndHalfStops && platformHasOneAndHalfStopBits())
            QSKIP("this platform frames 1.5 stop bits");
        PseudoTerminal terminal;
        std::string device = terminal.devicePath();
        int portLookups = 0;
        Download download([&](std::int16_t) { ++portLookups; return device; });
        QSerialPort otherProgram(QString::fromStdString(terminal.devicePath()));
        DownloadRequest request{writeProgram("%12\r\nM2\r\n"), workshopTexts()};
        if (failure == Failure::MissingFile)
            request.programFile = dir_->filePath("absent/velmora.rub").toStdString();
        if (failure == Failure::NoSuchPort)
            device.clear();
        if (failure == Failure::DeviceGone)
            device = dir_->filePath("ttyGone").toStdString();
        if (cause.contains("%2"))
            cause = cause.arg(QString::fromStdString(device));
        if (failure == Failure::NoPortNumber)
            request.texts.port = " ";
        if (failure == Failure::EmptySpeed)
            request.texts.speed = " ";
        if (failure == Failure::OneAndHalfStops)
            request.texts.stopBits = "1.5";
        if (failure == Failure::PortBusy)
            QVERIFY(otherProgram.open(QIODevice::WriteOnly));
        RecordingProgress meter;
        bool finishedBeforeReturn = false;

        download.start(request, meter, [&](const DownloadOutcome& outcome) {
            finishedBeforeReturn = true;
            QCOMPARE(outcome.end, DownloadEnd::Failed);
            if (message.contains("%1"))
                message = message.arg(QString::fromStdString(terminal.devicePath()));
            QCOMPARE(QString::fromLatin1(outcome.message), message);
            QCOMPARE(QString::fromLatin1(outcome.cause), cause);
        });

        QVERIFY(finishedBeforeReturn);
        QVERIFY(!download.running());
        QVERIFY(meter.atRest());
        QVERIFY(!download.portOpen());
        QVERIFY(terminal.readUntilQuiet(milliseconds(50)).empty());
        if (failure == Failure::MissingFile)
            QCOMPARE(portLookups, 0);
    }

    // The machine stops taking data, or the last bytes handed to the system
    // never leave: the download says so, frees the port and leaves the meter
    // at rest, and the next download goes through.
    void stalledMachineFailsAndNextDownloadWorks_data()
    {
        QTest::addColumn<int>("programBytes");
        QTest::addColumn<int>("held");  // bytes the system keeps; -1: it tells the truth
        QTest::newRow("more than the line takes") << 512 * 1024 << -1;
        QTest::newRow("the last bytes stay in the system") << 1024 << 3;
    }

    void stalledMachineFailsAndNextDownloadWorks()
    {
        QFETCH(int, programBytes);
        QFETCH(int, held);
        PseudoTerminal terminal;
        Download download([&](std::int16_t) { return terminal.devicePath(); });
        download.setStallTimeout(milliseconds(300));
        RecordingProgress meter;
        std::string program;
        while (int(program.size()) < programBytes)
            program += "G1 X12.5 Y-3.25\r\n";
        if (held >= 0)
            heldBytes = held;

        const auto stalled = run(download, {writeProgram(program), workshopTexts()}, meter);

        QCOMPARE(stalled.end, DownloadEnd::Failed);
        QCOMPARE(stalled.message, "Transmission interrompue : le port COM2 (" + terminal.devicePath()
                                      + french(U") ne prend plus les données"));
        QVERIFY(meter.atRest());
        QVERIFY(!download.portOpen());

        heldBytes.reset();
        terminal.readUntilQuiet();
        const auto next = run(download, {writeProgram("%1\r\nM2\r\n"), workshopTexts()}, meter);
        QVERIFY2(next.end == DownloadEnd::Sent, next.message.c_str());
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
