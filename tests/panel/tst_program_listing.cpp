// The listing of the program file: the bytes taken from the file, and what the
// listing box then shows the operator.

#include "panel/main_window.h"
#include "tests/support/window_controls.h"
#include "transmission/program_listing.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include <memory>

using namespace velmora;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList shownLines(const QPlainTextEdit& box)
{
    if (box.toPlainText().isEmpty())
        return {};
    QStringList lines;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        lines.append(block.text());
    return lines;
}

}  // namespace

class ProgramListingTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fileBytes_data();
    void fileBytes();
    void nothingToRead_data();
    void nothingToRead();
    void listingShowsProgramLines_data();
    void listingShowsProgramLines();
    void missingFileEmptiesTheListing();
    void listingIsFixedWidthAndReadOnly();

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString startFolder_;
};

// Every test runs in a working directory of its own, as the program does.
void ProgramListingTest::init()
{
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    startFolder_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder_->path()));
}

void ProgramListingTest::cleanup()
{
    QDir::setCurrent(startFolder_);
    folder_.reset();
}

void ProgramListingTest::fileBytes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("listing");
    QTest::newRow("two lines: the final line feed goes, the CR stays")
        << QByteArray("%1\r\nM2\r\n") << QByteArray("%1\r\nM2\r");
    QTest::newRow("one byte") << QByteArray("%") << QByteArray();
    QTest::newRow("no line end at the end: last byte still goes")
        << QByteArray("%1\r\nM2") << QByteArray("%1\r\nM");
    QTest::newRow("code page bytes untouched")
        << QByteArray("(Caract\xE8re)\r\n\x80\r\n") << QByteArray("(Caract\xE8re)\r\n\x80\r");
    QTest::newRow("zero byte inside") << QByteArray("A\0B\r\n", 5) << QByteArray("A\0B\r", 4);
}

void ProgramListingTest::fileBytes()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, listing);
    writeFile(folder_->filePath("velmora.rub"), file);

    const std::string read = loadProgramListing(folder_->path().toStdString());

    QCOMPARE(QByteArray(read.data(), qsizetype(read.size())), listing);
}

void ProgramListingTest::nothingToRead_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("folder in the file's place") << "folder";
}

void ProgramListingTest::nothingToRead()
{
    QFETCH(QString, situation);
    const QString path = folder_->filePath("velmora.rub");
    if (situation == "empty")
        writeFile(path, {});
    if (situation == "folder")
        QVERIFY(QDir(folder_->path()).mkdir("velmora.rub"));

    QVERIFY(readProgramListing(path.toStdString()).empty());

    MainWindow window;
    window.Chargelisting();
    QVERIFY(control<QPlainTextEdit>(window, "Programme")->toPlainText().isEmpty());
}

void ProgramListingTest::listingShowsProgramLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("two lines, no empty line after the last")
        << QByteArray("%1\r\nM2\r\n") << QStringList{"%1", "M2"};
    QTest::newRow("one byte") << QByteArray("%") << QStringList{};
    QTest::newRow("empty line inside kept") << QByteArray("%1\r\n\r\nM2\r\n") << QStringList{"%1", "", "M2"};
    QTest::newRow("code page decoded")
        << QByteArray("(Caract\xE8re \x80)\r\nM2\r\n") << QStringList{"(Caractère €)", "M2"};
    QTest::newRow("blanks kept") << QByteArray(" G0  X1 \r\n") << QStringList{" G0  X1 "};
}

void ProgramListingTest::listingShowsProgramLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, lines);
    writeFile(QStringLiteral("velmora.rub"), file);

    MainWindow window;
    window.Chargelisting();

    QCOMPARE(shownLines(*control<QPlainTextEdit>(window, "Programme")), lines);
}

void ProgramListingTest::missingFileEmptiesTheListing()
{
    writeFile(QStringLiteral("velmora.rub"), "%1\r\nM2\r\n");
    MainWindow window;
    window.Chargelisting();
    QVERIFY(QFile::remove(QStringLiteral("velmora.rub")));

    window.Chargelisting();

    QVERIFY(control<QPlainTextEdit>(window, "Programme")->toPlainText().isEmpty());
}

void ProgramListingTest::listingIsFixedWidthAndReadOnly()
{
    MainWindow window;
    auto* listing = control<QPlainTextEdit>(window, "Programme");
    QVERIFY(listing->isReadOnly());
    QCOMPARE(listing->lineWrapMode(), QPlainTextEdit::NoWrap);
    // Columns of a program line stand one under the other.
    const QFontMetrics metrics(listing->font());
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("iiii")), metrics.horizontalAdvance(QStringLiteral("MMMM")));
}

QTEST_MAIN(ProgramListingTest)
#include "tst_program_listing.moc"
