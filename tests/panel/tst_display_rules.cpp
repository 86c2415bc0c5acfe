// What the display boxes of the machining and position scroll bars show. The
// construction copies these texts into the program, so every byte counts.

#include "panel/main_window.h"
#include "tests/support/window_controls.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

using namespace velmora;

namespace {

// Moves a scroll bar so that its value really changes to v, as the operator
// would by dragging it away and back.
void moveTo(QScrollBar& bar, int v)
{
    bar.setValue(v == bar.minimum() ? bar.maximum() : bar.minimum());
    bar.setValue(v);
}

const QString kUntouched = QStringLiteral("untouched");

// A row named "<bar> at <value>"; the bar's display box is the same name
// ending in 3.
void add(const char* bar, int value, const char* shown)
{
    QTest::addRow("%s at %d", bar, value) << QByteArray(bar) << value << QString::fromUtf8(shown);
}

}  // namespace

class DisplayRulesTest : public QObject {
    Q_OBJECT
private slots:
    void displayBox_data()
    {
        QTest::addColumn<QByteArray>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        add("Posx2", 0, "-200");
        add("Posx2", 1995, "-.5");
        add("Posx2", 1999, "-.1");
        add("Posx2", 2000, " 0");
        add("Posx2", 2001, " .1");
        add("Posx2", 2003, " .3");
        add("Posx2", 2015, " 1.5");
        add("Posx2", 4000, " 200");
        add("Posy2", 1, "-199.9");
        add("Posz2", 1988, "-1.2");
        add("Outil2", 9, "9");
        add("Correcteur2", 1, "1");
        add("Rotation2", 9950, "9950");
        add("Avance2", 50, "50");
        add("Gamme2", 45, "45");
        add("Nom2", 9999, "%9999");
    }

    void displayBox()
    {
        QFETCH(QByteArray, bar);
        QFETCH(int, value);
        QFETCH(QString, expected);

        MainWindow window;
        auto* extents = control<QLineEdit>(window, "Encombrement");
        extents->setText(kUntouched);

        moveTo(*control<QScrollBar>(window, bar), value);

        QCOMPARE(control<QLineEdit>(window, bar.chopped(1) + "3")->text(), expected);
        // These settings play no part in the extents.
        QCOMPARE(extents->text(), kUntouched);
    }
};

QTEST_MAIN(DisplayRulesTest)
#include "tst_display_rules.moc"
