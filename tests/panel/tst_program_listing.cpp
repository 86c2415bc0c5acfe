// The listing of the program file: the bytes taken from the file, the rows the
// listing box then shows the operator, and the rows copied from it.

#include "construction/program_writer.h"
#include "panel/main_window.h"
#include "panel/program_listing_view.h"
#include "tests/support/window_controls.h"
#include "tests/support/working_folder.h"
#include "transmission/program_listing.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

using namespace velmora;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) { QVERIFY(testing::writeBytes(path, bytes)); }

// A program long enough to scroll, with one line far wider than the box.
QByteArray longProgram()
{
    QByteArray bytes = "%7\r\n";
    for (int row = 0; row < 2000; ++row)
        bytes += "G0X" + QByteArray::number(row) + "Y-24\r\n";
    bytes += "$ " + QByteArray(300, '*') + "\r\nM2\r\n";
    return bytes;
}

// Where the listing shows row `row`, for the mouse.
QPoint rowPoint(const ProgramListingView& listing, int row)
{
    return QPoint(10, listing.fontMetrics().lineSpacing() * row + 2);
}

}  // namespace

class ProgramListingTest : public QObject {
    Q_OBJECT
private slots:
    // Every test runs in a working directory of its own, as the program does.
    void init()
    {
        folder_ = std::make_unique<testing::WorkingFolder>();
        QVERIFY(folder_->isValid());
    }
    void cleanup() { folder_.reset(); }

    // What the listing takes from the file, and the rows the box then shows
    // in place of an earlier, longer listing scrolled and selected. "<missing>"
    // and "<folder>" stand for no file and a folder in its place.
    void listing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("8 bytes: the final line feed goes, the CR stays")
            << QByteArray("%1\r\nM2\r\n") << QByteArray("%1\r\nM2\r") << QStringList{"%1", "M2"};
        QTest::newRow("no line end at the end: last byte still goes")
            << QByteArray("%1\r\nM2") << QByteArray("%1\r\nM") << QStringList{"%1", "M"};
        QTest::newRow("empty line inside kept")
            << QByteArray("%1\r\n\r\nM2\r\n") << QByteArray("%1\r\n\r\nM2\r") << QStringList{"%1", "", "M2"};
        QTest::newRow("LF and lone CR line ends") << QByteArray("%1\nG0X1\rM2\n") << QByteArray("%1\nG0X1\rM2")
                                                  << QStringList{"%1", "G0X1", "M2"};
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
        window.show();
        auto* box = control<ProgramListingView>(window, "Programme");
        writeFile("velmora.rub", longProgram());
        window.reloadListing();
        QCOMPARE(box->rowCount(), std::size_t{2003});
        box->selectRows(1500, 1600);
        QVERIFY(box->verticalScrollBar()->value() > 0);
        QVERIFY(QFile::remove("velmora.rub"));
        if (file == "<folder>")
            QVERIFY(QDir().mkdir("velmora.rub"));
        else if (file != "<missing>")
            writeFile("velmora.rub", file);

        QCOMPARE(QByteArray::fromStdString(readProgramListing(folder_->path().toStdString() + "/velmora.rub")), listing);
        window.reloadListing();
        QCOMPARE(listingRows(window), shown);
        QVERIFY(!box->hasSelection());
        QCOMPARE(box->verticalScrollBar()->value(), 0);
    }

    // The rows are the lines the download cuts, whatever the line ends and
    // wherever they fall in the eight-byte words the listing scans: every text
    // of up to eight characters from "a", CR and LF, and each of them behind
    // one to nine bytes of text, cut as the one line reader cuts them.
    void rowsAreTheDownloadLines()
    {
        std::vector<std::string> texts;
        for (int length = 0; length <= 8; ++length) {
            int combinations = 1;
            for (int k = 0; k < length; ++k)
                combinations *= 3;
            for (int code = 0; code < combinations; ++code) {
                std::string text;
                for (int k = 0, rest = code; k < length; ++k, rest /= 3)
                    text += "a\r\n"[rest % 3];
                texts.push_back(text);
            }
        }
        int mismatches = 0;
        QString first;
        for (const std::string& tail : texts)
            for (std::size_t lead = 0; lead <= 9; lead += 3) {
                const std::string text = std::string(lead, 'x') + tail;
                const ProgramListing listing(text);
                const std::vector<std::string> lines = splitLines(text);
                std::vector<std::string> rows;
                std::size_t longest = 0;
                for (std::size_t row = 0; row < listing.rowCount(); ++row) {
                    rows.emplace_back(listing.row(row));
                    if (rows.back().size() > rows[longest].size())
                        longest = row;
                }
                // Rows are found as they are asked for: from the last one back.
                const ProgramListing backwards(text);
                std::vector<std::string> rowsBackwards(backwards.rowCount());
                for (std::size_t row = backwards.rowCount(); row-- > 0;)
                    rowsBackwards[row] = backwards.row(row);
                const bool longestRight = rows.empty() ? listing.longestRow().empty()
                                                       : listing.longestRow().data() == listing.row(longest).data()
                                                             && listing.longestRow() == rows[longest];
                if ((rows != lines || rowsBackwards != lines || !longestRight) && mismatches++ == 0)
                    first = QString::fromLatin1(QByteArray::fromStdString(text).toPercentEncoding());
            }
        QVERIFY2(mismatches == 0, qPrintable("first text cut otherwise: " + first));
    }

    // A construction hands the listing the program it has just written and
    // where its lines start: the same rows, and the same longest row for the
    // scroll bar, as the listing read back from the file. The longest line
    // stands in a glyph, in a rapid move or in the set-up block.
    void writtenProgramIsItsFileListing_data()
    {
        QTest::addColumn<QByteArray>("glyph");
        QTest::addColumn<double>("lastX");
        QTest::newRow("longest in a glyph") << QByteArray("G1X1Y1\r\nG1X123.456Y-98.765Z-1.5\r\nG1X2\r\n") << 1.0;
        QTest::newRow("longest a rapid move") << QByteArray("G1X1\r\n") << -123456789.125;
        QTest::newRow("one-line glyph, longest in the set-up") << QByteArray("G1\r\n") << 1.0;
        // 20 bytes against a rapid move's 19: a move's CR LF must not count.
        QTest::newRow("longest in a glyph, a move one byte shorter")
            << QByteArray("G1X1\r\nG1X12345.678Y-98.765\r\n") << 1234567.8125;
    }
    void writtenProgramIsItsFileListing()
    {
        QFETCH(QByteArray, glyph);
        QFETCH(double, lastX);
        ProgramWriter writer(folder_->path().toStdString(), {"06/12/2026", "20:00:00"});
        writer.startProgramFile();
        writer.writeHeader("%7");
        writer.writeSetup({"T1D1", "M3M40S2000", "F300"});
        const ProgramLines glyphLines = programLinesOf(glyph.toStdString());
        writer.writeLineBlock(1, 10, -20, 5);
        for (double x : {1.5, 20.25, lastX}) {
            writer.writeCharacterApproach(x, -20);
            writer.writeGlyphLines(glyphLines);
        }
        QVERIFY(writer.writeEnd() && writer.placeProgram());

        const ProgramListing fromWriter(writer.takeProgram());
        const ProgramListing fromFile(readProgramListing(folder_->path().toStdString() + "/velmora.rub"));
        QCOMPARE(fromWriter.rowCount(), fromFile.rowCount());
        for (std::size_t row = 0; row < fromFile.rowCount(); ++row)
            QCOMPARE(fromWriter.row(row), fromFile.row(row));
        QCOMPARE(fromWriter.longestRow(), fromFile.longestRow());
        QCOMPARE(fromWriter.longestRow().data() - fromWriter.row(0).data(),
                 fromFile.longestRow().data() - fromFile.row(0).data());
    }

    // The horizontal bar reaches the end of the widest row, and only the
    // rows in view are painted: the bottom row of a long program shows once
    // scrolled to.
    void longRows()
    {
        MainWindow window;
        window.show();
        auto* box = control<ProgramListingView>(window, "Programme");
        writeFile("velmora.rub", longProgram());
        window.reloadListing();
        const QString widest = QStringLiteral("$ ") + QString(300, QLatin1Char('*'));
        QCOMPARE(box->rowText(2001), widest);
        const QScrollBar* across = box->horizontalScrollBar();
        QVERIFY(across->maximum() + box->viewport()->width() >= box->fontMetrics().horizontalAdvance(widest));
        box->selectRows(2002, 2002);
        const QScrollBar* down = box->verticalScrollBar();
        QCOMPARE(down->value(), down->maximum());
        QVERIFY(down->maximum() > 1900);
    }

    // The rows selected by mouse or keyboard go to the clipboard with Ctrl+C,
    // each as a line of text; with nothing selected the clipboard is left as
    // it was.
    void copyRows_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QString>("copied");
        QTest::newRow("one row clicked") << "click 1" << "G0X1Y-24\n";
        QTest::newRow("range by click then shift-click") << "click 0, shift-click 2" << "%5\nG0X1Y-24\nG1Z-.2\n";
        QTest::newRow("range upward by shift-up") << "click 3, shift-up" << "G1Z-.2\nM2\n";
        QTest::newRow("all by Ctrl+A") << "ctrl-a" << "%5\nG0X1Y-24\nG1Z-.2\nM2\n";
        QTest::newRow("nothing selected") << "" << "avant";
    }

    void copyRows()
    {
        QFETCH(QString, gesture);
        QFETCH(QString, copied);
        MainWindow window;
        window.show();
        auto* box = control<ProgramListingView>(window, "Programme");
        writeFile("velmora.rub", "%5\r\nG0X1Y-24\r\nG1Z-.2\r\nM2\r\n");
        window.reloadListing();
        QApplication::clipboard()->setText(QStringLiteral("avant"));
        QWidget* rows = box->viewport();
        if (gesture == "click 1") {
            QTest::mouseClick(rows, Qt::LeftButton, {}, rowPoint(*box, 1));
        } else if (gesture == "click 0, shift-click 2") {
            QTest::mouseClick(rows, Qt::LeftButton, {}, rowPoint(*box, 0));
            QTest::mouseClick(rows, Qt::LeftButton, Qt::ShiftModifier, rowPoint(*box, 2));
        } else if (gesture == "click 3, shift-up") {
            QTest::mouseClick(rows, Qt::LeftButton, {}, rowPoint(*box, 3));
            QTest::keyClick(box, Qt::Key_Up, Qt::ShiftModifier);
        } else if (gesture == "ctrl-a") {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        }
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), copied);
    }

private:
    std::unique_ptr<testing::WorkingFolder> folder_;
};

QTEST_MAIN(ProgramListingTest)
#include "tst_program_listing.moc"
