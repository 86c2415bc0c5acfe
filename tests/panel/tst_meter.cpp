// The progress meter as the construction, the saving and the download drive it.

#include "panel/main_window.h"
#include "panel/meter.h"
#include "tests/support/window_controls.h"
#include "tests/support/window_snapshot.h"

#include <QLabel>
#include <QtTest>

#include <limits>

using namespace velmora;

class MeterTest : public QObject {
    Q_OBJECT
private slots:
    // Visu1 is 153 pixels wide. The bar is cut down to the pixel; the caption
    // is the drawn bar's share, rounded down.
    void shareOfTheBar_data()
    {
        QTest::addColumn<double>("done");
        QTest::addColumn<double>("total");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("caption");
        QTest::newRow("nothing done") << 0.0 << 10.0 << 0 << " 0 %";
        QTest::newRow("below one pixel") << 1.0 << 154.0 << 0 << " 0 %";
        QTest::newRow("one pixel") << 1.0 << 153.0 << 1 << " 0 %";
        QTest::newRow("fraction of the full width") << 7.0 << 16.0 << 66 << " 43 %";
        QTest::newRow("half: the drawn bar's share") << 1.0 << 2.0 << 76 << " 49 %";
        QTest::newRow("last but one of many") << 9999.0 << 10000.0 << 152 << " 99 %";
        QTest::newRow("all done") << 10000.0 << 10000.0 << 153 << " 100 %";
        QTest::newRow("negative") << -1.0 << 10.0 << 0 << " 0 %";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 10.0 << 0 << " 0 %";
        QTest::newRow("nothing to do") << 1.0 << 0.0 << 1 << "0 %";
    }

    void shareOfTheBar()
    {
        QFETCH(double, done);
        QFETCH(double, total);
        QFETCH(int, bar);
        QFETCH(QString, caption);

        MainWindow window;
        Meter& meter = window.meter();
        meter.showShare(done, total);

        QCOMPARE(meter.barPixels(), bar);
        QCOMPARE(control<QLabel>(window, "Visu2")->width(), bar);
        QCOMPARE(control<QLabel>(window, "Visu2")->height(), 25);
        QCOMPARE(control<QLabel>(window, "Visu1")->text(), caption);
    }

    // The download's caption is the share of the items, whatever the bar's
    // pixels: half way reads 50 % over a bar of 76 of 153 pixels.
    void itemsSent_data()
    {
        QTest::addColumn<int>("sent");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("caption");
        QTest::newRow("one of three") << 1 << 3 << 51 << " 33 %";
        QTest::newRow("two of three") << 2 << 3 << 102 << " 66 %";
        QTest::newRow("half way") << 1 << 2 << 76 << " 50 %";
        QTest::newRow("all sent") << 3 << 3 << 153 << " 100 %";
        QTest::newRow("one of a thousand") << 1 << 1000 << 0 << " 0 %";
        QTest::newRow("nothing to send") << 0 << 0 << 1 << "0 %";
    }

    void itemsSent()
    {
        QFETCH(int, sent);
        QFETCH(int, count);
        QFETCH(int, bar);
        QFETCH(QString, caption);

        MainWindow window;
        Meter& meter = window.meter();
        meter.showItemsSent(std::size_t(sent), std::size_t(count));

        QCOMPARE(meter.barPixels(), bar);
        QCOMPARE(control<QLabel>(window, "Visu1")->text(), caption);
    }

    void fullThenRest()
    {
        MainWindow window;
        Meter& meter = window.meter();
        meter.showShare(1, 2);
        meter.showFull();
        QCOMPARE(meter.barPixels(), meter.fullPixels());
        QCOMPARE(control<QLabel>(window, "Visu1")->text(), QStringLiteral(" 49 %"));
        meter.rest();
        QCOMPARE(meter.barPixels(), 1);
        QCOMPARE(control<QLabel>(window, "Visu1")->text(), QStringLiteral("0 %"));
    }

    // A long construction moves the bar by one pixel only every few dozen
    // characters: the meter repaints only when what it shows has changed.
    void repaintsOnlyWhenItChanges()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const PaintedTexts painted(control<QLabel>(window, "Visu1"));
        Meter& meter = window.meter();

        for (int done = 1; done <= 10000; ++done) {
            meter.showShare(done, 10000);
            meter.repaintIfChanged();
        }

        // At most one repaint for each of the bar's pixels, and the first.
        QVERIFY2(!painted.seen.empty() && painted.seen.size() <= 154, qPrintable(QString::number(painted.seen.size())));
        QCOMPARE(painted.seen.last(), QStringLiteral(" 100 %"));
    }
};

QTEST_MAIN(MeterTest)
#include "tst_meter.moc"
