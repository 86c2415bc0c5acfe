#include "common/codepage.h"

#include <QtTest>

using namespace velmora;

class CodePageTest : public QObject {
    Q_OBJECT
private slots:
    void knownCharacters_data()
    {
        QTest::addColumn<uint>("character");
        QTest::addColumn<int>("byte");
        QTest::newRow("e acute") << uint(0xE9) << 233;
        QTest::newRow("euro") << uint(0x20AC) << 0x80;
        QTest::newRow("right single quote") << uint(0x2019) << 0x92;
        QTest::newRow("undefined 0x81 keeps its control") << uint(0x81) << 0x81;
    }

    void knownCharacters()
    {
        QFETCH(uint, character);
        QFETCH(int, byte);
        QCOMPARE(cp1252::encode(char32_t(character)), std::optional<std::uint8_t>(byte));
        QCOMPARE(uint(cp1252::decode(std::uint8_t(byte))), character);
    }

    void everyByteRoundTrips()
    {
        for (int b = 0; b < 256; ++b)
            QCOMPARE(cp1252::encode(cp1252::decode(std::uint8_t(b))), std::optional<std::uint8_t>(b));
    }

    void unrepresentable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("culprit");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("greek alpha") << QString::fromUtf8("ab\u03b1c") << 0x3B1u << QByteArray("ab");
        QTest::newRow("emoji") << QString::fromUtf8("\U0001F600") << 0x1F600u << QByteArray();
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

};

QTEST_APPLESS_MAIN(CodePageTest)
#include "tst_codepage.moc"
