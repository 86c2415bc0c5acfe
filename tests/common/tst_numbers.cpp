#include "common/numbers.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace velmora;

class NumbersTest : public QObject {
    Q_OBJECT
private slots:
    void leadingNumber_data();
    void leadingNumber();
    void singleText_data();
    void singleText();
    void doubleText_data();
    void doubleText();
    void trimmedText();
    void roundHalfEven_data();
    void roundHalfEven();
    void roundToInt16Range();
    void localeDoesNotMatter();
};

void NumbersTest::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "14" << 14.0;
    QTest::newRow("leading blank and unit") << " 14 mm" << 14.0;
    QTest::newRow("blank inside digits") << " 1 2" << 12.0;
    QTest::newRow("tab and line feed inside") << "1\t2\n3" << 123.0;
    QTest::newRow("carriage return stops") << "1\r2" << 1.0;
    QTest::newRow("negative fraction") << "-.25" << -0.25;
    QTest::newRow("plus sign") << "+3.5" << 3.5;
    QTest::newRow("sign after blank") << "  -12.5" << -12.5;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("second sign stops") << "--1" << 0.0;
    QTest::newRow("exponent") << "1.5E3" << 1500.0;
    QTest::newRow("lower-case exponent") << "2e-2" << 0.02;
    QTest::newRow("exponent with blanks") << "2 E 2" << 200.0;
    QTest::newRow("exponent without digits") << "2E" << 2.0;
    QTest::newRow("exponent sign without digits") << "2E-x" << 2.0;
    QTest::newRow("letter first") << "mm14" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("only a point") << "." << 0.0;
    QTest::newRow("only a sign") << "-" << 0.0;
    QTest::newRow("percent sign") << "%12" << 0.0;
    QTest::newRow("comma is not a point") << "3,5" << 3.0;
    QTest::newRow("overflow gives 0") << "1E999" << 0.0;
    QTest::newRow("last character of COM2") << "2" << 2.0;
    QTest::newRow("accented letter stops") << "4é" << 4.0;
}

void NumbersTest::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double fromBytes = velmora::leadingNumber(text.toLatin1().toStdString());
    const double fromText = velmora::leadingNumber(text.toStdU32String());
    QCOMPARE(fromBytes, expected);
    QCOMPARE(fromText, expected);
}

void NumbersTest::singleText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 14.0f << " 14";
    QTest::newRow("half") << 0.5f << " .5";
    QTest::newRow("negative quarter") << -0.25f << "-.25";
    QTest::newRow("zero") << 0.0f << " 0";
    QTest::newRow("negative zero") << -0.0f << " 0";
    QTest::newRow("character height") << 8.75f << " 8.75";
    QTest::newRow("one tenth") << 0.1f << " .1";
    QTest::newRow("position step") << 0.3f << " .3";
    QTest::newRow("minus one tenth") << -0.1f << "-.1";
    QTest::newRow("seven digits") << 1234567.0f << " 1234567";
    QTest::newRow("eight digits go exponent") << 12345678.0f << " 1.234568E+07";
    QTest::newRow("rounded to seven digits") << 3.14159265f << " 3.141593";
    QTest::newRow("single drift hidden") << 1.1f << " 1.1";
    QTest::newRow("small plain") << 0.0001f << " .0001";
    QTest::newRow("small exponent") << 0.00001f << " 1E-05";
    QTest::newRow("negative exponent form") << -2.5e20f << "-2.5E+20";
    QTest::newRow("rounding carries up") << 9999999.5f << " 1E+07";
    QTest::newRow("trailing zeros of a whole") << 2000.0f << " 2000";
}

void NumbersTest::singleText()
{
    QFETCH(float, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(numberText(value)), expected);
}

void NumbersTest::doubleText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 43.0 << " 43";
    QTest::newRow("half") << 45.5 << " 45.5";
    QTest::newRow("negative") << -24.0 << "-24";
    QTest::newRow("below one") << 0.75 << " .75";
    QTest::newRow("fifteen digits") << 123456789012345.0 << " 123456789012345";
    QTest::newRow("sixteen digits go exponent") << 1234567890123456.0 << " 1.23456789012346E+15";
    QTest::newRow("double keeps more digits") << 1.0 / 3.0 << " .333333333333333";
    QTest::newRow("binary drift hidden") << 0.1 + 0.2 << " .3";
    QTest::newRow("single widened") << static_cast<double>(0.1f) << " .100000001490116";
    QTest::newRow("tiny") << 1.5e-7 << " 1.5E-07";
    QTest::newRow("huge exponent three digits") << 1e300 << " 1E+300";
}

void NumbersTest::doubleText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(numberText(value)), expected);
}

void NumbersTest::trimmedText()
{
    QCOMPARE(numberTextTrimmed(1.75f), std::string("1.75"));
    QCOMPARE(numberTextTrimmed(0.5), std::string(".5"));
    QCOMPARE(numberTextTrimmed(-0.25), std::string("-.25"));
    QCOMPARE(numberTextTrimmed(0.0), std::string("0"));
    QCOMPARE(wholeNumberText(-12), std::string("-12"));
    QCOMPARE(wholeNumberText(9950), std::string("9950"));
}

void NumbersTest::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.5 down") << 2.5 << 2.0;
    QTest::newRow("3.5 up") << 3.5 << 4.0;
    QTest::newRow("-0.5 to zero") << -0.5 << 0.0;
    QTest::newRow("-1.5 to -2") << -1.5 << -2.0;
    QTest::newRow("2124.5 to even") << 2124.5 << 2124.0;
    QTest::newRow("2125.5 to even") << 2125.5 << 2126.0;
    QTest::newRow("just above half") << 2.5000001 << 3.0;
    QTest::newRow("just below half") << 2.4999999 << 2.0;
    QTest::newRow("position 12.5 mm") << 12.5 * 10 + 2000 << 2125.0;
    QTest::newRow("position -3.5 mm") << -3.5 * 10 + 2000 << 1965.0;
}

void NumbersTest::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(velmora::roundHalfEven(value), expected);
}

void NumbersTest::roundToInt16Range()
{
    QCOMPARE(roundToInt16(32767.4).value(), std::int16_t(32767));
    QCOMPARE(roundToInt16(-32768.5).value(), std::int16_t(-32768));
    QVERIFY(!roundToInt16(32767.5).has_value());
    QVERIFY(!roundToInt16(std::numeric_limits<double>::infinity()).has_value());
    QVERIFY(!roundToInt16(std::nan("")).has_value());
}

void NumbersTest::localeDoesNotMatter()
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "fr_FR.UTF-8") && !std::setlocale(LC_ALL, "de_DE.UTF-8"))
        QSKIP("no locale with a decimal comma is installed");
    const std::string text = numberText(45.5);
    const double value = velmora::leadingNumber(std::string_view("12.5"));
    std::setlocale(LC_ALL, saved.c_str());
    QCOMPARE(text, std::string(" 45.5"));
    QCOMPARE(value, 12.5);
}

QTEST_APPLESS_MAIN(NumbersTest)
#include "tst_numbers.moc"
