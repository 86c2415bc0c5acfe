#include "tests/support/pseudo_terminal.h"
#include "common/fields.h"
#include "transmission/download.h"
#include "transmission/french.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace velmora;
using velmora::testing::MasterReader;
using velmora::testing::PseudoTerminal;
using std::chrono::milliseconds;

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(std::vector<double>)

namespace {

// The meter as the window would show it, every change recorded.
class RecordingProgress : public DownloadProgress {
public:
    double fullTwips() const override { return 2295; }
    void setBarTwips(double twips) override { bars.push_back(twips); }
    void setCaption(const std::string& text) override { captions.push_back(text); }
    void pause(milliseconds length) override { pauses.push_back(length); }

    bool atRest() const
    {
        return !captions.empty() && captions.back() == kRestCaption && !bars.empty() && bars.back() == kRestBarTwips;
    }

    std::vector<double> bars;
    std::vector<std::string> captions;
    std::vector<milliseconds> pauses;
};

// A workshop's choices in the transmission frame: COM2 at 4800,e,7,2.
TransmissionTexts workshopTexts()
{
    return {"COM2", "4800", "E(ven)", "7", "2"};
}

// What the machine must receive for a program: every item and a line feed,
// then device control 3 and a line feed.
std::string wireBytes(const std::string& program)
{
    std::string wire;
    for (const std::string& item : readAllFields(program))
        wire += item + '\n';
    return wire + "\x13\n";
}

}  // namespace

enum class Failure { MissingFile, NoSuchPort, BadSettings, OneAndHalfStops, PortBusy };
Q_DECLARE_METATYPE(Failure)

class DownloadTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // The transmission frame's texts: port, speed, parity, data bits, stop bits;
    // the workshop's own choices go through every download below.
    void frameSettings_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("port");
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("port from its last character") << QStringList{"COM12", "300", "O(dd)", "5", "1.5"} << 2
                                                      << QByteArray("300,o,5,1.5");
        QTest::newRow("nothing chosen") << QStringList{" ", "9600", "", "8", "1"} << 0 << QByteArray("9600,,8,1");
    }

    void frameSettings()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, port);
        QFETCH(QByteArray, settings);
        const TransmissionTexts controls{texts[0].toStdString(), texts[1].toStdString(), texts[2].toStdString(),
                                         texts[3].toStdString(), texts[4].toStdString()};
        QCOMPARE(int(portNumber(controls.port)), port);
        QCOMPARE(lineSettingsText(controls), settings.toStdString());
    }

    void sendsEveryItem_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<std::vector<std::string>>("captions");
        QTest::addColumn<std::vector<double>>("bars");  // after the items: full for a moment, then at rest
        const std::vector<std::string> inThirds{" 33 %", " 66 %", " 100 %", "0 %"};
        QTest::newRow("three lines") << QByteArray("%12\r\nG0X1\r\nM2\r\n") << QByteArray("%12\nG0X1\nM2\n\x13\n")
            << inThirds << std::vector<double>{765, 1530, 2295, 15, 2295, 15};
        QTest::newRow("comma splits a line") << QByteArray("A,B\r\n") << QByteArray("A\nB\n\x13\n")
            << std::vector<std::string>{" 50 %", " 100 %", "0 %"} << std::vector<double>{1147.5, 2295, 15, 2295, 15};
        QTest::newRow("empty file") << QByteArray() << QByteArray("\x13\n") << std::vector<std::string>{"0 %"}
            << std::vector<double>{15, 2295, 15};
        QTest::newRow("blanks, quotes, accents") << QByteArray("  $ LIGNE 1\r\n\"X,Y\"\r\n\xe9\r\n")
            << QByteArray("$ LIGNE 1\nX,Y\n\xe9\n\x13\n") << inThirds
            << std::vector<double>{765, 1530, 2295, 15, 2295, 15};
    }

    void sendsEveryItem()
    {
        QFETCH(QByteArray, program);
        QFETCH(QByteArray, wire);
        QFETCH(std::vector<std::string>, captions);
        QFETCH(std::vector<double>, bars);
        PseudoTerminal terminal;
        QVERIFY(terminal.isOpen());
        SerialComm comm([&](std::int16_t) { return terminal.devicePath(); });
        RecordingProgress meter;

        const DownloadOutcome outcome
            = runDownload({writeProgram(program.toStdString()), workshopTexts(), milliseconds(500)}, comm, meter);

        QVERIFY2(outcome.sent, outcome.message.c_str());
        QCOMPARE(terminal.readUntilQuiet(), wire.toStdString());
        QCOMPARE(meter.captions, captions);
        QCOMPARE(meter.bars, bars);
        QCOMPARE(meter.pauses, std::vector<milliseconds>{milliseconds(500)});
        QVERIFY(!comm.portOpen());
        QCOMPARE(comm.commPort(), std::int16_t(2));
        QCOMPARE(comm.settings(), std::string("4800,e,7,2"));
    }

    // The machine reads as the line brings the bytes; a megabyte arrives whole.
    void sendsALargeProgramWhole()
    {
        std::string program;
        for (int n = 0; program.size() < 1024 * 1024; ++n)
            program += "N" + std::to_string(n) + " G1 X" + std::to_string(n % 997) + ".125 Y-" + std::to_string(n % 331)
                + (n % 50 == 0 ? "\r\n( LIGNE, \xe9t\xe9 )\r\n" : "\r\n");
        const std::string expected = wireBytes(program);
        PseudoTerminal terminal;
        SerialComm comm([&](std::int16_t) { return terminal.devicePath(); });
        RecordingProgress meter;
        MasterReader reader(terminal, expected.size(), milliseconds(60000));

        const auto outcome = runDownload({writeProgram(program), workshopTexts(), milliseconds(0)}, comm, meter);

        const std::string received = reader.take();
        QVERIFY2(outcome.sent, outcome.message.c_str());
        QCOMPARE(received.size(), expected.size());
        const auto firstDifference = std::mismatch(received.begin(), received.end(), expected.begin()).first;
        QCOMPARE(firstDifference - received.begin(), qint64(received.size()));
    }

    void failures_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing program file") << Failure::MissingFile << "Le fichier velmora.rub est introuvable";
        QTest::newRow("no such port") << Failure::NoSuchPort << "Problème de connexion";
        QTest::newRow("speed never chosen") << Failure::BadSettings << "Vitesse de transmission invalide : ";
        QTest::newRow("1.5 stop bits") << Failure::OneAndHalfStops
                                       << "Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2";
        QTest::newRow("port used elsewhere") << Failure::PortBusy << "Le port COM2 (%1) est déjà utilisé";
    }

    void failures()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, message);
        if (failure == Failure::OneAndHalfStops && platformHasOneAndHalfStopBits())
            QSKIP("this platform frames 1.5 stop bits");
        PseudoTerminal terminal;
        std::string device = terminal.devicePath();
        int portLookups = 0;
        SerialComm comm([&](std::int16_t) { ++portLookups; return device; });
        SerialComm otherProgram([&](std::int16_t) { return terminal.devicePath(); });
        DownloadRequest request{writeProgram("%12\r\nM2\r\n"), workshopTexts(), milliseconds(0)};
        if (failure == Failure::MissingFile)
            request.programFile = dir_->filePath("absent/velmora.rub").toStdString();
        if (failure == Failure::NoSuchPort)
            device = dir_->filePath("ttyS1").toStdString();
        if (failure == Failure::BadSettings)
            request.texts.speed = " ";
        if (failure == Failure::OneAndHalfStops)
            request.texts.stopBits = "1.5";
        if (failure == Failure::PortBusy)
            QVERIFY(otherProgram.setPortOpen(true));
        RecordingProgress meter;

        const DownloadOutcome outcome = runDownload(request, comm, meter);

        QVERIFY(!outcome.sent);
        if (message.contains("%1"))
            message = message.arg(QString::fromStdString(terminal.devicePath()));
        QCOMPARE(QString::fromLatin1(outcome.message), message);
        QVERIFY(meter.atRest());
        QVERIFY(!comm.portOpen());
        QVERIFY(terminal.readUntilQuiet(milliseconds(50)).empty());
        if (failure == Failure::MissingFile)
            QCOMPARE(portLookups, 0);
    }

    // The machine stops taking data: the download says so, frees the port and
    // leaves the meter at rest, and the next download goes through.
    void stalledMachineFailsAndNextDownloadWorks()
    {
        PseudoTerminal terminal;
        SerialComm comm([&](std::int16_t) { return terminal.devicePath(); });
        comm.setStallTimeout(milliseconds(300));
        RecordingProgress meter;
        std::string program;
        while (program.size() < 512 * 1024)
            program += "G1 X12.5 Y-3.25\r\n";

        const auto stalled = runDownload({writeProgram(program), workshopTexts(), milliseconds(0)}, comm, meter);

        QVERIFY(!stalled.sent);
        QCOMPARE(stalled.message, "Transmission interrompue : le port COM2 (" + terminal.devicePath()
                                      + french(U") ne prend plus les données"));
        QVERIFY(meter.atRest());
        QVERIFY(!comm.portOpen());

        terminal.readUntilQuiet();
        const auto next = runDownload({writeProgram("%1\r\nM2\r\n"), workshopTexts(), milliseconds(0)}, comm, meter);
        QVERIFY2(next.sent, next.message.c_str());
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
