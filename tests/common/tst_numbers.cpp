// The number rules and the code page.

#include "common/numbers.h"
#include "common/codepage.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace velmora;

class NumbersTest : public QObject {
    Q_OBJECT
private slots:
    // Every byte reads as a character that is written back as that byte: the
    // euro at 0x80, and 0x81, which holds no character, as its control.
    void everyByteRoundTrips()
    {
        QCOMPARE(uint(cp1252::decode(std::uint8_t(0x80))), 0x20ACu);
        QCOMPARE(uint(cp1252::decode(std::uint8_t(0x81))), 0x81u);
        for (int b = 0; b < 256; ++b)
            QCOMPARE(cp1252::encode(cp1252::decode(std::uint8_t(b))), std::optional<std::uint8_t>(b));
    }

    void unrepresentable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("culprit");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("greek alpha") << QString::fromUtf8("ab\u03b1c") << 0x3B1u << QByteArray("ab");
        QTest::newRow("C1 control that 0x80 does not hold") << QString(QChar(0x80)) << 0x80u << QByteArray();
    }

    void unrepresentable()
    {
        QFETCH(QString, text);
        QFETCH(uint, culprit);
        QFETCH(QByteArray, prefix);
        const auto result = cp1252::encode(text.toStdU32String());
        QVERIFY(!result.ok());
        QCOMPARE(uint(*result.unrepresentable), culprit);
        QCOMPARE(QByteArray::fromStdString(result.bytes), prefix);
    }

    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("blanks, tab and line feed inside") << " 1 2\t3\n4 mm" << 1234.0;
        QTest::newRow("carriage return stops") << "1\r2" << 1.0;
        QTest::newRow("sign after blanks") << "  -12.5" << -12.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("second sign stops") << "--1" << 0.0;
        QTest::newRow("exponent with blanks") << "2 e -2" << 0.02;
        QTest::newRow("exponent sign without digits") << "2E-x" << 2.0;
        QTest::newRow("no number") << "mm14" << 0.0;
        QTest::newRow("comma is not a point") << "3,5" << 3.0;
        QTest::newRow("overflow gives 0") << "1E999" << 0.0;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(velmora::leadingNumber(text.toLatin1().toStdString()), expected);
        QCOMPARE(velmora::leadingNumber(text.toStdU32String()), expected);
    }

    // Single precision keeps 7 significant digits, double precision 15.
    void numberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QString>("expected");
        QTest::newRow("single: half") << 0.5 << true << " .5";
        QTest::newRow("single: zero") << 0.0 << true << " 0";
        QTest::newRow("single: seven digits") << 1234567.0 << true << " 1234567";
        QTest::newRow("single: eight digits go exponent") << 12345678.0 << true << " 1.234568E+07";
        QTest::newRow("single: rounding carries up") << 9999999.5 << true << " 1E+07";
        QTest::newRow("single: drift hidden") << 1.1 << true << " 1.1";
        QTest::newRow("single: smallest plain") << 0.0001 << true << " .0001";
        QTest::newRow("single: small exponent") << 0.00001 << true << " 1E-05";
        QTest::newRow("double: negative whole") << -24.0 << false << "-24";
        QTest::newRow("double: fifteen digits") << 123456789012345.0 << false << " 123456789012345";
        QTest::newRow("double: sixteen digits go exponent") << 1234567890123456.0 << false << " 1.23456789012346E+15";
        QTest::newRow("double: binary drift hidden") << 0.1 + 0.2 << false << " .3";
        QTest::newRow("double: single widened") << static_cast<double>(0.1f) << false << " .100000001490116";
        QTest::newRow("double: three-digit exponent") << 1e300 << false << " 1E+300";
    }

    void numberText()
    {
        QFETCH(double, value);
        QFETCH(bool, single);
        QFETCH(QString, expected);
        const std::string text = single ? velmora::numberText(static_cast<float>(value)) : velmora::numberText(value);
        QCOMPARE(QString::fromStdString(text), expected);
    }

    // Halves to even; beyond the 16-bit range, or not a number, there is none.
    void roundToInt16_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("-0.5 to zero") << -0.5 << "0";
        QTest::newRow("-1.5 to -2") << -1.5 << "-2";
        QTest::newRow("2.5 to 2") << 2.5 << "2";
        QTest::newRow("just above half") << 2.5000001 << "3";
        QTest::newRow("largest") << 32767.4 << "32767";
        QTest::newRow("smallest") << -32768.5 << "-32768";
        QTest::newRow("too large") << 32767.5 << "none";
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "none";
        QTest::newRow("not a number") << std::nan("") << "none";
    }

    void roundToInt16()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        const std::optional<std::int16_t> rounded = velmora::roundToInt16(value);
        QCOMPARE(rounded ? QString::number(*rounded) : QStringLiteral("none"), expected);
    }
};

QTEST_APPLESS_MAIN(NumbersTest)
#include "tst_numbers.moc"
