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
    // Every test runs in a working directory of its own, as the program does.
    void init()
    {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        startFolder_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder_->path()));
    }

    void cleanup()
    {
        QDir::setCurrent(startFolder_);
        folder_.reset();
    }

    void fileBytes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("listing");
        QTest::newRow("two lines: the final line feed goes, the CR stays")
            << QByteArray("%1\r\nM2\r\n") << QByteArray("%1\r\nM2\r");
        QTest::newRow("one byte") << QByteArray("%") << QByteArray();
        QTest::newRow("no line end at the end: last byte still goes")
            << QByteArray("%1\r\nM2") << QByteArray("%1\r\nM");
    }

    void fileBytes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, listing);
        writeFile(folder_->filePath("velmora.rub"), file);

        const std::string read = loadProgramListing(folder_->path().toStdString());

        QCOMPARE(QByteArray(read.data(), qsizetype(read.size())), listing);
    }

    void nothingToRead_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("missing file") << "missing";
        QTest::newRow("empty file") << "empty";
        QTest::newRow("folder in the file's place") << "folder";
    }

    void nothingToRead()
    {
        QFETCH(QString, situation);
        // A listing shown before is cleared, not left standing.
        const QString path = folder_->filePath("velmora.rub");
        writeFile(path, "%1\r\nM2\r\n");
        MainWindow window;
        window.Chargelisting();
        QVERIFY(QFile::remove(path));
        if (situation == "empty")
            writeFile(path, {});
        if (situation == "folder")
            QVERIFY(QDir(folder_->path()).mkdir("velmora.rub"));

        QVERIFY(readProgramListing(path.toStdString()).empty());
        window.Chargelisting();
        QVERIFY(control<QPlainTextEdit>(window, "Programme")->toPlainText().isEmpty());
    }

    void listingShowsProgramLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two lines, no empty line after the last")
            << QByteArray("%1\r\nM2\r\n") << QStringList{"%1", "M2"};
        QTest::newRow("empty line inside kept") << QByteArray("%1\r\n\r\nM2\r\n") << QStringList{"%1", "", "M2"};
        QTest::newRow("code page decoded")
            << QByteArray("(Caract\xE8re \x80)\r\nM2\r\n") << QStringList{"(Caractère €)", "M2"};
    }

    void listingShowsProgramLines()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        writeFile(QStringLiteral("velmora.rub"), file);

        MainWindow window;
        window.Chargelisting();

        QCOMPARE(shownLines(*control<QPlainTextEdit>(window, "Programme")), lines);
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString startFolder_;
};

QTEST_MAIN(ProgramListingTest)
#include "tst_program_listing.moc"
