#include "app/configuration_file.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <sstream>

#ifdef __linux__
#include <csignal>
#include <sys/resource.h>
#endif

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

// What a folder holds, entry by entry, so that a failed save can be shown to
// have left everything exactly as it was (and no temporary file behind).
std::map<QString, QByteArray> snapshot(const QString& root)
{
    std::map<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        QByteArray content = "<folder>";
        if (info.isFile()) {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly))
                content = file.readAll();
        }
        entries[info.filePath()] = content;
    }
    return entries;
}

}  // namespace

class ConfigurationFileTest : public QObject {
    Q_OBJECT
public:
    enum class Setup { OldFile, FolderIsFile, FolderMissing, TargetIsFolder, FileSizeLimit };
    Q_ENUM(Setup)

private slots:
    void init();
    void cleanup();

    // Saving that succeeds
    void writesTheKnownFileWhatever_data();
    void writesTheKnownFileWhatever();
    void valuesComeBackIntact_data();
    void valuesComeBackIntact();

    // Reading
    void readsOneValuePerLine_data();
    void readsOneValuePerLine();
    void missingFileIsFirstStart();
    void folderInPlaceOfFileIsUnreadable();

    // Saving that fails
    void failedSaveChangesNothing_data();
    void failedSaveChangesNothing();

private:
    std::filesystem::path folder() const { return dir_->path().toStdString(); }
    QString filePath() const { return dir_->filePath(QStringLiteral("velmora.txt")); }
    void writeFile(const QString& path, const QByteArray& bytes);
    QByteArray readFile(const QString& path);
    std::filesystem::path prepare(Setup setup);

    std::unique_ptr<QTemporaryDir> dir_;
#ifdef __linux__
    rlimit savedLimit_{};
    void (*savedSignal_)(int) = nullptr;
    bool limitSet_ = false;
#endif
};

void ConfigurationFileTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void ConfigurationFileTest::cleanup()
{
#ifdef __linux__
    if (limitSet_) {
        setrlimit(RLIMIT_FSIZE, &savedLimit_);
        std::signal(SIGXFSZ, savedSignal_);
        limitSet_ = false;
    }
#endif
    dir_.reset();
}

void ConfigurationFileTest::writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ConfigurationFileTest::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<cannot be read>";
    return file.readAll();
}

void ConfigurationFileTest::writesTheKnownFileWhatever_data()
{
    QTest::addColumn<QByteArray>("oldFile");
    QTest::newRow("no old file") << QByteArray();
    QTest::newRow("old file of 50 lines") << linesOf(numberedValues(50));
    QTest::newRow("old file of 1200 lines") << linesOf(numberedValues(1200));
}

// 37 lines, each ended by CR LF, the four empty text lines giving five CR LF
// in a row at the end; the old file replaced whole and nothing else left.
void ConfigurationFileTest::writesTheKnownFileWhatever()
{
    QFETCH(QByteArray, oldFile);
    if (!oldFile.isEmpty())
        writeFile(filePath(), oldFile);

    QVERIFY(saveConfiguration(folder(), kKnownValues).saved());
    const QByteArray bytes = readFile(filePath());
    QCOMPARE(bytes, kKnownFile);
    QCOMPARE(bytes.count('\n'), 37);
    QVERIFY(bytes.endsWith("PLAQUE\r\n\r\n\r\n\r\n\r\n"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("velmora.txt")});
}

void ConfigurationFileTest::valuesComeBackIntact_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<std::string>("value");
    QTest::newRow("comma in a text line") << 33 << std::string("PIECE 12, SERIE B");
    QTest::newRow("double quotes") << 35 << std::string("\"MODELE\" 3");
    QTest::newRow("leading and trailing blanks") << 37 << std::string("   AXE 4   ");
    QTest::newRow("accented letters") << 33 << std::string("D\xc9""COR \xe9t\xe9 \xe0 l'\xe2tre");
    QTest::newRow("degree and euro signs") << 34 << std::string("N\xb0 5 \x80");
    QTest::newRow("blank serial setting") << 1 << std::string(" ");
    QTest::newRow("negative program number") << 18 << std::string("-3 ");
}

void ConfigurationFileTest::valuesComeBackIntact()
{
    QFETCH(int, line);
    QFETCH(std::string, value);
    ConfigurationValues values = kKnownValues;
    values[static_cast<std::size_t>(line - 1)] = value;

    QVERIFY(saveConfiguration(folder(), values).saved());
    const LoadResult loaded = loadConfiguration(folder());
    QCOMPARE(loaded.status, LoadStatus::Loaded);
    QCOMPARE(loaded.values.size(), std::size_t{37});
    QCOMPARE(firstConfigurationValues(loaded.values), values);
}

void ConfigurationFileTest::readsOneValuePerLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::vector<std::string>>("expected");
    QTest::newRow("20 values") << linesOf(numberedValues(20)) << numberedValues(20);
    QTest::newRow("40 values") << linesOf(numberedValues(40)) << numberedValues(40);
    QTest::newRow("1200 lines, 1000 read") << linesOf(numberedValues(1200)) << numberedValues(1000);
    QTest::newRow("LF only") << linesOf(numberedValues(37), "\n") << numberedValues(37);
    QTest::newRow("no line end after the last") << QByteArray("a\r\nb") << std::vector<std::string>{"a", "b"};
    QTest::newRow("empty lines are empty values")
        << QByteArray("a\r\n\r\n\r\n") << std::vector<std::string>{"a", "", ""};
    QTest::newRow("commas and quotes kept")
        << QByteArray("a,b\r\n\"c\"\r\n") << std::vector<std::string>{"a,b", "\"c\""};
    QTest::newRow("lone CR stays in the value") << QByteArray("a\rb\r\n") << std::vector<std::string>{"a\rb"};
    QTest::newRow("empty file") << QByteArray() << std::vector<std::string>{};
}

void ConfigurationFileTest::readsOneValuePerLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::vector<std::string>, expected);

    std::istringstream in(bytes.toStdString());
    QCOMPARE(readConfigurationValues(in), expected);

    writeFile(filePath(), bytes);
    const LoadResult loaded = loadConfiguration(folder());
    QCOMPARE(loaded.status, LoadStatus::Loaded);
    QCOMPARE(loaded.values, expected);

    // The places a short file does not reach are empty; lines after 37 go unused.
    const ConfigurationValues first = firstConfigurationValues(loaded.values);
    for (std::size_t i = 0; i < first.size(); ++i)
        QCOMPARE(first[i], i < expected.size() ? expected[i] : std::string());
}

void ConfigurationFileTest::missingFileIsFirstStart()
{
    const LoadResult loaded = loadConfiguration(folder());
    QCOMPARE(loaded.status, LoadStatus::Missing);
    QVERIFY(loaded.values.empty());
}

void ConfigurationFileTest::folderInPlaceOfFileIsUnreadable()
{
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("velmora.txt")));
    const LoadResult loaded = loadConfiguration(folder());
    QCOMPARE(loaded.status, LoadStatus::Unreadable);
    QVERIFY(!loaded.detail.empty());
}

std::filesystem::path ConfigurationFileTest::prepare(Setup setup)
{
    const QByteArray oldFile = linesOf(numberedValues(37));
    switch (setup) {
    case Setup::OldFile:
        writeFile(filePath(), oldFile);
        return folder();
    case Setup::FolderIsFile:
        writeFile(dir_->filePath(QStringLiteral("workshop")), "not a folder\r\n");
        return folder() / "workshop";
    case Setup::FolderMissing:
        return folder() / "absent";
    case Setup::TargetIsFolder:
        QDir(dir_->path()).mkpath(QStringLiteral("velmora.txt/inside"));
        return folder();
    case Setup::FileSizeLimit:
        writeFile(filePath(), oldFile);
#ifdef __linux__
        // Even as root, a process cannot write past its file size limit: the
        // new file is started, then a write fails half-way.
        getrlimit(RLIMIT_FSIZE, &savedLimit_);
        savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        limitSet_ = true;
        rlimit small = savedLimit_;
        small.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &small);
#endif
        return folder();
    }
    return folder();
}

void ConfigurationFileTest::failedSaveChangesNothing_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("brokenLine");  // 0: the values are fine
    QTest::addColumn<std::string>("brokenValue");
    QTest::addColumn<SaveStatus>("expected");
    QTest::newRow("folder is a plain file") << Setup::FolderIsFile << 0 << std::string() << SaveStatus::CannotCreate;
    QTest::newRow("folder missing") << Setup::FolderMissing << 0 << std::string() << SaveStatus::CannotCreate;
    QTest::newRow("a folder named velmora.txt")
        << Setup::TargetIsFolder << 0 << std::string() << SaveStatus::CannotCreate;
#ifdef __linux__
    QTest::newRow("write fails half-way") << Setup::FileSizeLimit << 0 << std::string() << SaveStatus::CannotWrite;
#endif
    QTest::newRow("LF inside a text line")
        << Setup::OldFile << 34 << std::string("A\nB") << SaveStatus::LineBreakInValue;
    QTest::newRow("CR inside a serial setting")
        << Setup::OldFile << 1 << std::string("COM1\r") << SaveStatus::LineBreakInValue;
    QTest::newRow("CR LF ending the last line")
        << Setup::OldFile << 37 << std::string("FIN\r\n") << SaveStatus::LineBreakInValue;
}

void ConfigurationFileTest::failedSaveChangesNothing()
{
    QFETCH(Setup, setup);
    QFETCH(int, brokenLine);
    QFETCH(std::string, brokenValue);
    QFETCH(SaveStatus, expected);

    ConfigurationValues values = kKnownValues;
    if (brokenLine > 0)
        values[static_cast<std::size_t>(brokenLine - 1)] = brokenValue;
    const std::filesystem::path target = prepare(setup);
    const auto before = snapshot(dir_->path());

    const SaveResult result = saveConfiguration(target, values);

    QCOMPARE(result.status, expected);
    QVERIFY(!result.saved());
    QVERIFY(!result.detail.empty());
    QCOMPARE(result.line, brokenLine);
    QVERIFY(snapshot(dir_->path()) == before);
}

QTEST_GUILESS_MAIN(ConfigurationFileTest)
#include "tst_configuration_file.moc"
