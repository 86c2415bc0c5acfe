#include "common/fields.h"

#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(std::vector<std::string>)

static std::vector<std::string> list(std::initializer_list<const char*> items)
{
    return {items.begin(), items.end()};
}

class FieldsTest : public QObject {
    Q_OBJECT
private slots:
    void fields_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<std::vector<std::string>>("expected");
        QTest::newRow("trailing blanks kept") << QByteArray(" 12 \r\n") << list({"12 "});
        QTest::newRow("empty line is one field") << QByteArray("a\r\n\r\nb\r\n") << list({"a", "", "b"});
        QTest::newRow("quote left open ends at line end") << QByteArray("\"open\r\nM2\r\n") << list({"open", "M2"});
        QTest::newRow("quote inside a field is kept") << QByteArray("$ dit \"oui\r\n") << list({"$ dit \"oui"});
        QTest::newRow("lone LF and CR, none at the end") << QByteArray("a\nb\rc") << list({"a", "b", "c"});
        QTest::newRow("comma before line end") << QByteArray("A,\r\nB\r\n") << list({"A", "", "B"});
    }

    void fields()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(std::vector<std::string>, expected);
        const std::string text = bytes.toStdString();
        FieldReader reader(text);
        std::vector<std::string> fields;
        while (!reader.atEnd())
            fields.push_back(reader.next());
        QCOMPARE(fields, expected);
        QCOMPARE(reader.next(), std::string());
    }

    void lines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<std::vector<std::string>>("expected");
        QTest::newRow("commas and quotes stay") << QByteArray("a,b\r\n\"q\r\n  lead\r\n")
                                                << list({"a,b", "\"q", "  lead"});
        QTest::newRow("empty lines at the end") << QByteArray("x\r\n\r\n\r\n") << list({"x", "", ""});
        QTest::newRow("line ends mixed, LF CR is two") << QByteArray("a\nb\rc\r\nd\n\re\r")
                                                       << list({"a", "b", "c", "d", "", "e"});
    }

    void lines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(std::vector<std::string>, expected);
        QCOMPARE(splitLines(bytes.toStdString()), expected);
    }
};

QTEST_APPLESS_MAIN(FieldsTest)
#include "tst_fields.moc"
