#include "tests/support/pseudo_terminal.h"
#include "transmission/french.h"
#include "transmission/serial_comm.h"

#include <QTemporaryDir>
#include <QtTest>

#include <termios.h>

using namespace velmora;
using velmora::testing::PseudoTerminal;
using std::chrono::milliseconds;

Q_DECLARE_METATYPE(velmora::LineSettings)
Q_DECLARE_METATYPE(velmora::QtLineSettings)
Q_DECLARE_METATYPE(velmora::CommError)

class SerialCommTest : public QObject {
    Q_OBJECT
private slots:
    void readsSettings_data();
    void readsSettings();
    void refusesSettings_data();
    void refusesSettings();
    void mapsSettingsToQt_data();
    void mapsSettingsToQt();

    void settingsReachTheLine_data();
    void settingsReachTheLine();
    void sendsEveryByteUnchanged();

    void refusesOneAndHalfStopBits();
    void refusesPortNumbersBelowOne();
    void failsToOpen_data();
    void failsToOpen();
    void refusesOutputAndPortChangeAtTheWrongTime();
    void stalledPortFailsAndIsReleased();
};

void SerialCommTest::readsSettings_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<LineSettings>("expected");
    QTest::newRow("even 7 bits 2 stops") << QByteArray("9600,e,7,2") << LineSettings{9600, Parity::Even, 7, StopBits::Two};
    QTest::newRow("none 8 bits 1 stop") << QByteArray("4800,n,8,1") << LineSettings{4800, Parity::None, 8, StopBits::One};
    QTest::newRow("odd 6 bits") << QByteArray("2400,o,6,1") << LineSettings{2400, Parity::Odd, 6, StopBits::One};
    QTest::newRow("mark") << QByteArray("1200,m,8,2") << LineSettings{1200, Parity::Mark, 8, StopBits::Two};
    QTest::newRow("space") << QByteArray("600,s,8,1") << LineSettings{600, Parity::Space, 8, StopBits::One};
    QTest::newRow("upper case parity") << QByteArray("300,E,7,2") << LineSettings{300, Parity::Even, 7, StopBits::Two};
    QTest::newRow("one and a half stops") << QByteArray("300,n,5,1.5") << LineSettings{300, Parity::None, 5, StopBits::OneAndHalf};
    QTest::newRow("blanks around fields") << QByteArray(" 9600 , e ,7 , 2 ") << LineSettings{9600, Parity::Even, 7, StopBits::Two};
    QTest::newRow("fast adapter") << QByteArray("115200,n,8,1") << LineSettings{115200, Parity::None, 8, StopBits::One};
}

void SerialCommTest::readsSettings()
{
    QFETCH(QByteArray, text);
    QFETCH(LineSettings, expected);
    const LineSettingsReading reading = readLineSettings(text.toStdString());
    QVERIFY2(reading.ok(), reading.refusal.c_str());
    QVERIFY(reading.settings == expected);
}

void SerialCommTest::refusesSettings_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("three fields") << QByteArray("9600,e,7") << "Paramètres de transmission invalides : 9600,e,7";
    QTest::newRow("five fields") << QByteArray("9600,e,7,1,5") << "Paramètres de transmission invalides : 9600,e,7,1,5";
    QTest::newRow("empty") << QByteArray("") << "Paramètres de transmission invalides : ";
    QTest::newRow("speed never chosen") << QByteArray(" ,e,7,2") << "Vitesse de transmission invalide : ";
    QTest::newRow("letter in speed") << QByteArray("96O0,e,7,2") << "Vitesse de transmission invalide : 96O0";
    QTest::newRow("zero speed") << QByteArray("0,e,7,2") << "Vitesse de transmission invalide : 0";
    QTest::newRow("negative speed") << QByteArray("-9600,e,7,2") << "Vitesse de transmission invalide : -9600";
    QTest::newRow("fractional speed") << QByteArray("9600.5,e,7,2") << "Vitesse de transmission invalide : 9600.5";
    QTest::newRow("unknown parity") << QByteArray("9600,x,7,2") << "Parité invalide : x";
    QTest::newRow("parity word") << QByteArray("9600,even,7,2") << "Parité invalide : even";
    QTest::newRow("missing parity") << QByteArray("9600,,7,2") << "Parité invalide : ";
    QTest::newRow("4 data bits") << QByteArray("9600,e,4,2") << "Nombre de bits invalide : 4";
    QTest::newRow("9 data bits") << QByteArray("9600,e,9,2") << "Nombre de bits invalide : 9";
    QTest::newRow("3 stop bits") << QByteArray("9600,e,7,3") << "Bits stop invalides : 3";
    QTest::newRow("stop bits 1.0") << QByteArray("9600,e,7,1.0") << "Bits stop invalides : 1.0";
}

void SerialCommTest::refusesSettings()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, refusal);
    const LineSettingsReading reading = readLineSettings(text.toStdString());
    QVERIFY(!reading.ok());
    QCOMPARE(QString::fromLatin1(reading.refusal), refusal);

    SerialComm comm;
    QVERIFY(comm.setSettings("4800,e,7,2"));
    QVERIFY(!comm.setSettings(text.toStdString()));
    QCOMPARE(comm.lastError(), CommError::SettingsRefused);
    QCOMPARE(comm.settings(), std::string("4800,e,7,2"));
}

void SerialCommTest::mapsSettingsToQt_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QtLineSettings>("expected");
    QTest::newRow("4800,e,7,2") << QByteArray("4800,e,7,2")
        << QtLineSettings{4800, QSerialPort::EvenParity, QSerialPort::Data7, QSerialPort::TwoStop};
    QTest::newRow("9600,n,8,1") << QByteArray("9600,n,8,1")
        << QtLineSettings{9600, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop};
    QTest::newRow("300,o,5,1.5") << QByteArray("300,o,5,1.5")
        << QtLineSettings{300, QSerialPort::OddParity, QSerialPort::Data5, QSerialPort::OneAndHalfStop};
    QTest::newRow("1200,m,6,1") << QByteArray("1200,m,6,1")
        << QtLineSettings{1200, QSerialPort::MarkParity, QSerialPort::Data6, QSerialPort::OneStop};
    QTest::newRow("600,s,8,2") << QByteArray("600,s,8,2")
        << QtLineSettings{600, QSerialPort::SpaceParity, QSerialPort::Data8, QSerialPort::TwoStop};
}

void SerialCommTest::mapsSettingsToQt()
{
    QFETCH(QByteArray, text);
    QFETCH(QtLineSettings, expected);
    QVERIFY(toQt(readLineSettings(text.toStdString()).settings) == expected);
}

// A pseudo-terminal keeps the speed and the stop bits it is given (it forces
// 8 data bits and no parity), and its master reports the slave's settings.
void SerialCommTest::settingsReachTheLine_data()
{
    QTest::addColumn<QByteArray>("atOpen");
    QTest::addColumn<QByteArray>("whileOpen");
    QTest::addColumn<int>("speed");
    QTest::addColumn<bool>("twoStopBits");
    QTest::newRow("4800 two stops") << QByteArray("4800,e,7,2") << QByteArray() << int(B4800) << true;
    QTest::newRow("9600 one stop") << QByteArray("9600,n,8,1") << QByteArray() << int(B9600) << false;
    QTest::newRow("changed while open") << QByteArray("9600,n,8,1") << QByteArray("300,n,8,2") << int(B300) << true;
}

void SerialCommTest::settingsReachTheLine()
{
    QFETCH(QByteArray, atOpen);
    QFETCH(QByteArray, whileOpen);
    QFETCH(int, speed);
    QFETCH(bool, twoStopBits);
    PseudoTerminal terminal;
    QVERIFY(terminal.isOpen());
    SerialComm comm([&](std::int16_t) { return terminal.devicePath(); });
    QVERIFY(comm.setSettings(atOpen.toStdString()));
    QVERIFY2(comm.setPortOpen(true), comm.lastErrorCause().c_str());
    if (!whileOpen.isEmpty())
        QVERIFY(comm.setSettings(whileOpen.toStdString()));

    termios line{};
    QCOMPARE(::tcgetattr(terminal.masterHandle(), &line), 0);
    QCOMPARE(int(::cfgetospeed(&line)), speed);
    QCOMPARE((line.c_cflag & CSTOPB) != 0, twoStopBits);
    QVERIFY(comm.setPortOpen(false));
}

// No translation on the way: not of line feeds, carriage returns, flow
// control characters or bytes above 127.
void SerialCommTest::sendsEveryByteUnchanged()
{
    PseudoTerminal terminal;
    SerialComm comm([&](std::int16_t) { return terminal.devicePath(); });
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    QVERIFY2(comm.setPortOpen(true), comm.lastErrorCause().c_str());
    QVERIFY(comm.output(everyByte));
    QVERIFY(comm.output(everyByte));
    QVERIFY(comm.setPortOpen(false));
    QVERIFY(terminal.readUntilQuiet() == everyByte + everyByte);
}

void SerialCommTest::refusesOneAndHalfStopBits()
{
    if (platformHasOneAndHalfStopBits())
        QSKIP("this platform frames 1.5 stop bits");
    SerialComm comm;
    QVERIFY(!comm.setSettings("300,n,5,1.5"));
    QCOMPARE(comm.lastError(), CommError::SettingsRefused);
    QCOMPARE(comm.lastErrorCause(), french(U"Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2"));
    QCOMPARE(comm.settings(), std::string("9600,n,8,1"));
}

void SerialCommTest::refusesPortNumbersBelowOne()
{
    SerialComm comm;
    for (std::int16_t port : {std::int16_t(0), std::int16_t(-1)}) {
        QVERIFY(!comm.setCommPort(port));
        QCOMPARE(comm.lastError(), CommError::InvalidPort);
        QCOMPARE(comm.commPort(), std::int16_t(1));
    }
}

enum class OpenCase { NoDevice, MissingDevice, NotATerminal, HeldByAnother };
Q_DECLARE_METATYPE(OpenCase)

void SerialCommTest::failsToOpen_data()
{
    QTest::addColumn<OpenCase>("openCase");
    QTest::addColumn<CommError>("error");
    QTest::newRow("no device for the number") << OpenCase::NoDevice << CommError::InvalidPort;
    QTest::newRow("device missing") << OpenCase::MissingDevice << CommError::InvalidPort;
    QTest::newRow("plain file") << OpenCase::NotATerminal << CommError::OpenFailed;
    QTest::newRow("held by another program") << OpenCase::HeldByAnother << CommError::PortBusy;
}

void SerialCommTest::failsToOpen()
{
    QFETCH(OpenCase, openCase);
    QFETCH(CommError, error);
    QTemporaryDir dir;
    PseudoTerminal terminal;
    SerialComm holder([&](std::int16_t) { return terminal.devicePath(); });
    std::string device;
    switch (openCase) {
    case OpenCase::NoDevice:
        break;
    case OpenCase::MissingDevice:
        device = dir.filePath("ttyS1").toStdString();
        break;
    case OpenCase::NotATerminal: {
        device = dir.filePath("plain").toStdString();
        QFile file(QString::fromStdString(device));
        QVERIFY(file.open(QIODevice::WriteOnly));
        break;
    }
    case OpenCase::HeldByAnother:
        device = terminal.devicePath();
        QVERIFY(holder.setPortOpen(true));
        break;
    }

    SerialComm comm([&](std::int16_t) { return device; });
    QVERIFY(comm.setCommPort(2));
    QVERIFY(!comm.setPortOpen(true));
    QCOMPARE(comm.lastError(), error);
    QVERIFY(!comm.portOpen());
    QVERIFY(!comm.lastErrorCause().empty());
}

void SerialCommTest::refusesOutputAndPortChangeAtTheWrongTime()
{
    PseudoTerminal terminal;
    SerialComm comm([&](std::int16_t) { return terminal.devicePath(); });
    QVERIFY(!comm.output("G0\n"));
    QCOMPARE(comm.lastError(), CommError::PortNotOpen);

    QVERIFY(comm.setPortOpen(true));
    QVERIFY(!comm.setCommPort(2));
    QCOMPARE(comm.lastError(), CommError::PortAlreadyOpen);
    QCOMPARE(comm.commPort(), std::int16_t(1));
    QVERIFY(comm.setPortOpen(false));
    QVERIFY(terminal.readUntilQuiet().empty());
}

// Nobody reads the master: the kernel's buffer fills and the port stops
// taking bytes. The output fails instead of hanging, and the port is free.
void SerialCommTest::stalledPortFailsAndIsReleased()
{
    PseudoTerminal terminal;
    SerialComm comm([&](std::int16_t) { return terminal.devicePath(); });
    comm.setStallTimeout(milliseconds(300));
    QVERIFY(comm.setPortOpen(true));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!comm.output(std::string(512 * 1024, 'G')));
    QCOMPARE(comm.lastError(), CommError::WriteStalled);
    QVERIFY(timer.elapsed() < 5000);

    comm.release();
    QVERIFY(!comm.portOpen());
    terminal.readUntilQuiet();
    QVERIFY2(comm.setPortOpen(true), comm.lastErrorCause().c_str());
    QVERIFY(comm.output("M2\n"));
    QVERIFY(comm.setPortOpen(false));
    QCOMPARE(terminal.readUntilQuiet(), std::string("M2\n"));
}

QTEST_GUILESS_MAIN(SerialCommTest)
#include "tst_serial_comm.moc"
