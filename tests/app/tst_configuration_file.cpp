#include "app/configuration_file.h"

#include <QTemporaryDir>
#include <QtTest>


using namespace velmora;

Q_DECLARE_METATYPE(std::vector<std::string>)
Q_DECLARE_METATYPE(std::string)

namespace {

// A file as an operator would leave it: COM2 at 4800 baud, a program number
// of 12, positions 12.5 / 0.3 / -3.5 mm, one text line and four empty ones.
const ConfigurationValues kKnownValues{
    "COM2", "4800", "N(one)", "8", "1",
    "12", "2", "10", "9950", "300", "41",
    "True", "False", "7", "3", "False", "True", " 12 ",
    "False", "False", "True",
    "False", "False", "False", "True",
    " 12.5", " .3", "-3.5",
    "False", "False", "True", "False",
    "PLAQUE", "", "", "", "",
};

const QByteArray kKnownFile =
    "COM2\r\n4800\r\nN(one)\r\n8\r\n1\r\n"
    "12\r\n2\r\n10\r\n9950\r\n300\r\n41\r\n"
    "True\r\nFalse\r\n7\r\n3\r\nFalse\r\nTrue\r\n 12 \r\n"
    "False\r\nFalse\r\nTrue\r\n"
    "False\r\nFalse\r\nFalse\r\nTrue\r\n"
    " 12.5\r\n .3\r\n-3.5\r\n"
    "False\r\nFalse\r\nTrue\r\nFalse\r\n"
    "PLAQUE\r\n\r\n\r\n\r\n\r\n";

std::vector<std::string> numberedValues(int count)
{
    std::vector<std::string> values;
    for (int i = 1; i <= count; ++i)
        values.push_back("v" + std::to_string(i));
    return values;
}

QByteArray linesOf(const std::vector<std::string>& values, const char* lineEnd = "\r\n")
{
    QByteArray bytes;
    for (const std::string& value : values)
        bytes += QByteArray::fromStdString(value) + lineEnd;
    return bytes;
}

}  // namespace

class ConfigurationFileTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void cleanup() { dir_.reset(); }

    // 37 lines, each ended by CR LF, the four empty text lines giving five CR LF
    // in a row at the end; a longer old file replaced whole and nothing else left.
    void writesTheKnownFile()
    {
        writeFile(linesOf(numberedValues(1200)));
        QVERIFY(saveConfiguration(folder(), kKnownValues).saved());
        QCOMPARE(readFile(), kKnownFile);
        QCOMPARE(entries(), QStringList{QStringLiteral("velmora.txt")});
    }

    void readsOneValuePerLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<std::vector<std::string>>("expected");
        QTest::newRow("20 values") << linesOf(numberedValues(20)) << numberedValues(20);
        QTest::newRow("40 values") << linesOf(numberedValues(40)) << numberedValues(40);
        QTest::newRow("1200 lines, 1000 read") << linesOf(numberedValues(1200)) << numberedValues(1000);
        QTest::newRow("LF only") << linesOf(numberedValues(37), "\n") << numberedValues(37);
        QTest::newRow("no line end after the last") << QByteArray("a\r\nb") << std::vector<std::string>{"a", "b"};
    }

    void readsOneValuePerLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(std::vector<std::string>, expected);

        writeFile(bytes);
        const LoadResult loaded = loadConfiguration(folder());
        QCOMPARE(loaded.status, LoadStatus::Loaded);
        QCOMPARE(loaded.values, expected);

        // The places a short file does not reach are empty; lines after 37 go unused.
        const ConfigurationValues first = firstConfigurationValues(loaded.values);
        for (std::size_t i = 0; i < first.size(); ++i)
            QCOMPARE(first[i], i < expected.size() ? expected[i] : std::string());
    }

    void missingFileIsFirstStart()
    {
        const LoadResult loaded = loadConfiguration(folder());
        QCOMPARE(loaded.status, LoadStatus::Missing);
        QVERIFY(loaded.values.empty());
    }

    // A value that would split into two lines is refused before anything is
    // written.
    void lineBreakInAValueChangesNothing()
    {
        ConfigurationValues values = kKnownValues;
        values[33] = "A\nB";
        const QByteArray oldFile = linesOf(numberedValues(37));
        writeFile(oldFile);

        const SaveResult result = saveConfiguration(folder(), values);

        QCOMPARE(result.status, SaveStatus::LineBreakInValue);
        QCOMPARE(result.line, 34);
        QCOMPARE(readFile(), oldFile);
        QCOMPARE(entries(), QStringList{QStringLiteral("velmora.txt")});
    }

private:
    std::filesystem::path folder() const { return dir_->path().toStdString(); }
    QString filePath() const { return dir_->filePath(QStringLiteral("velmora.txt")); }
    QByteArray readFile() const
    {
        QFile file(filePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot be read>");
    }

    QStringList entries() const
    {
        return QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }

    void writeFile(const QByteArray& bytes)
    {
        QFile file(filePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_GUILESS_MAIN(ConfigurationFileTest)
#include "tst_configuration_file.moc"
