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

    // What the listing takes from the file, and the lines the box then shows
    // in place of an earlier listing. "<missing>" and "<folder>" stand for no
    // file and a folder in its place.
    void listing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("8 bytes: the final line feed goes, the CR stays")
            << QByteArray("%1\r\nM2\r\n") << QByteArray("%1\r\nM2\r") << QStringList{"%1", "M2"};
        QTest::newRow("one byte") << QByteArray("%") << QByteArray() << QStringList{};
        QTest::newRow("no line end at the end: last byte still goes")
            << QByteArray("%1\r\nM2") << QByteArray("%1\r\nM") << QStringList{"%1", "M"};
        QTest::newRow("empty line inside kept")
            << QByteArray("%1\r\n\r\nM2\r\n") << QByteArray("%1\r\n\r\nM2\r") << QStringList{"%1", "", "M2"};
        QTest::newRow("code page decoded") << QByteArray("(Caract\xE8re \x80)\r\nM2\r\n")
                                           << QByteArray("(Caract\xE8re \x80)\r\nM2\r")
                                           << QStringList{"(Caractère €)", "M2"};
        QTest::newRow("empty file") << QByteArray() << QByteArray() << QStringList{};
        QTest::newRow("missing file") << QByteArray("<missing>") << QByteArray() << QStringList{};
        QTest::newRow("folder in the file's place") << QByteArray("<folder>") << QByteArray() << QStringList{};
    }

    void listing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, listing);
        QFETCH(QStringList, shown);
        MainWindow window;
        writeFile("velmora.rub", "%7\r\nG0X1\r\nM2\r\n");
        window.reloadListing();
        QVERIFY(QFile::remove("velmora.rub"));
        if (file == "<folder>")
            QVERIFY(QDir().mkdir("velmora.rub"));
        else if (file != "<missing>")
            writeFile("velmora.rub", file);

        QCOMPARE(QByteArray::fromStdString(loadProgramListing(folder_->path().toStdString())), listing);
        window.reloadListing();
        QCOMPARE(shownLines(*control<QPlainTextEdit>(window, "Programme")), shown);
    }

private:
    std::unique_ptr<QTemporaryDir> folder_;
    QString startFolder_;
};

QTEST_MAIN(ProgramListingTest)
#include "tst_program_listing.moc"
