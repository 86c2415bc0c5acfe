// The progress meter as the construction, the saving and the download drive it.

#include "panel/main_window.h"
#include "panel/meter.h"
#include "tests/support/window_controls.h"

#include <QLabel>
#include <QtTest>

#include <limits>

using namespace velmora;

class MeterTest : public QObject {
    Q_OBJECT
private slots:
    void barIsWholePixels_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("shown");
        QTest::newRow("below one pixel") << 14.0 << 0;
        QTest::newRow("one pixel") << 15.0 << 15;
        QTest::newRow("fraction of the full width") << 2295.0 * 7 / 16 << 990;
        QTest::newRow("negative") << -15.0 << 0;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
    }

    void barIsWholePixels()
    {
        QFETCH(double, twips);
        QFETCH(int, shown);

        MainWindow window;
        Meter& meter = window.meter();
        meter.setBarTwips(twips);

        QCOMPARE(meter.barTwips(), shown);
        QCOMPARE(control<QLabel>(window, "Visu2")->width() * 15, shown);
        QCOMPARE(control<QLabel>(window, "Visu2")->height(), 25);
    }

};

QTEST_MAIN(MeterTest)
#include "tst_meter.moc"
