#include "tests/support/pseudo_terminal.h"
#include "transmission/french.h"
#include "transmission/serial_comm.h"

#include <QTemporaryDir>
#include <QtTest>

#include <termios.h>

using namespace velmora;
using velmora::testing::PseudoTerminal;

Q_DECLARE_METATYPE(velmora::QtLineSettings)

class SerialCommTest : public QObject {
    Q_OBJECT
private slots:
    void refusesSettings_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("three fields") << QByteArray("9600,e,7") << "Paramètres de transmission invalides : 9600,e,7";
        QTest::newRow("zero speed") << QByteArray("0,e,7,2") << "Vitesse de transmission invalide : 0";
        QTest::newRow("fractional speed") << QByteArray("9600.5,e,7,2") << "Vitesse de transmission invalide : 9600.5";
        QTest::newRow("unknown parity") << QByteArray("9600,x,7,2") << "Parité invalide : x";
        QTest::newRow("4 data bits") << QByteArray("9600,e,4,2") << "Nombre de bits invalide : 4";
        QTest::newRow("3 stop bits") << QByteArray("9600,e,7,3") << "Bits stop invalides : 3";
        QTest::newRow("stop bits 1.0") << QByteArray("9600,e,7,1.0") << "Bits stop invalides : 1.0";
    }

    void refusesSettings()
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

    // The row's name is the settings text; parity in either case, blanks
    // around the fields.
    void mapsSettingsToQt_data()
    {
        using Port = QSerialPort;
        QTest::addColumn<QtLineSettings>("expected");
        QTest::newRow("4800,e,7,2") << QtLineSettings{4800, Port::EvenParity, Port::Data7, Port::TwoStop};
        QTest::newRow("9600,n,8,1") << QtLineSettings{9600, Port::NoParity, Port::Data8, Port::OneStop};
        QTest::newRow("300,o,5,1.5") << QtLineSettings{300, Port::OddParity, Port::Data5, Port::OneAndHalfStop};
        QTest::newRow("1200,m,6,1") << QtLineSettings{1200, Port::MarkParity, Port::Data6, Port::OneStop};
        QTest::newRow("600,s,8,2") << QtLineSettings{600, Port::SpaceParity, Port::Data8, Port::TwoStop};
        QTest::newRow(" 9600 , O ,6 , 1 ") << QtLineSettings{9600, Port::OddParity, Port::Data6, Port::OneStop};
    }

    void mapsSettingsToQt()
    {
        QFETCH(QtLineSettings, expected);
        const LineSettingsReading reading = readLineSettings(QTest::currentDataTag());
        QVERIFY2(reading.ok(), reading.refusal.c_str());
        QVERIFY(toQt(reading.settings) == expected);
    }

    // A pseudo-terminal keeps the speed and the stop bits it is given (it forces
    // 8 data bits and no parity), and its master reports the slave's settings:
    // those given before opening, then those changed while open.
    void settingsReachTheLine()
    {
        PseudoTerminal terminal;
        QVERIFY(terminal.isOpen());
        SerialComm comm([&](std::int16_t) { return terminal.devicePath(); });
        termios line{};
        QVERIFY(comm.setSettings("4800,e,7,2"));
        QVERIFY2(comm.setPortOpen(true), comm.lastErrorCause().c_str());
        QCOMPARE(::tcgetattr(terminal.masterHandle(), &line), 0);
        QCOMPARE(::cfgetospeed(&line), speed_t(B4800));
        QVERIFY(line.c_cflag & CSTOPB);

        QVERIFY(comm.setSettings("300,n,8,1"));
        QCOMPARE(::tcgetattr(terminal.masterHandle(), &line), 0);
        QCOMPARE(::cfgetospeed(&line), speed_t(B300));
        QVERIFY(!(line.c_cflag & CSTOPB));
        QVERIFY(comm.setPortOpen(false));
    }

    // A device that is not there is error 8002, the number the download reports.
    void failsToOpen_data()
    {
        QTest::addColumn<bool>("deviceExists");
        QTest::addColumn<int>("error");
        QTest::newRow("device missing") << false << 8002;
        QTest::newRow("plain file, not a terminal") << true << int(CommError::OpenFailed);
    }

    void failsToOpen()
    {
        QFETCH(bool, deviceExists);
        QFETCH(int, error);
        QTemporaryDir dir;
        const std::string device = dir.filePath("ttyS1").toStdString();
        QFile file(QString::fromStdString(device));
        if (deviceExists)
            QVERIFY(file.open(QIODevice::WriteOnly));

        SerialComm comm([&](std::int16_t) { return device; });
        QVERIFY(!comm.setPortOpen(true));
        QCOMPARE(int(comm.lastError()), error);
        QVERIFY(!comm.portOpen());
        QVERIFY(!comm.lastErrorCause().empty());
    }
};

QTEST_GUILESS_MAIN(SerialCommTest)
#include "tst_serial_comm.moc"
