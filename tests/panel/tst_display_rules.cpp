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

}  // namespace

class DisplayRulesTest : public QObject {
    Q_OBJECT
private slots:
    void displayBox_data()
    {
        QTest::addColumn<QByteArray>("bar");
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("Posx2 lowest") << QByteArray("Posx2") << QByteArray("Posx3") << 0 << "-200";
        QTest::newRow("Posx2 half below zero") << QByteArray("Posx2") << QByteArray("Posx3") << 1995 << "-.5";
        QTest::newRow("Posx2 one step below zero") << QByteArray("Posx2") << QByteArray("Posx3") << 1999 << "-.1";
        QTest::newRow("Posx2 zero keeps its blank") << QByteArray("Posx2") << QByteArray("Posx3") << 2000 << " 0";
        QTest::newRow("Posx2 one step above zero") << QByteArray("Posx2") << QByteArray("Posx3") << 2001 << " .1";
        QTest::newRow("Posx2 three steps") << QByteArray("Posx2") << QByteArray("Posx3") << 2003 << " .3";
        QTest::newRow("Posx2 one and a half") << QByteArray("Posx2") << QByteArray("Posx3") << 2015 << " 1.5";
        QTest::newRow("Posx2 highest") << QByteArray("Posx2") << QByteArray("Posx3") << 4000 << " 200";
        QTest::newRow("Posy2 form value") << QByteArray("Posy2") << QByteArray("Posy3") << 1 << "-199.9";
        QTest::newRow("Posz2 below zero") << QByteArray("Posz2") << QByteArray("Posz3") << 1988 << "-1.2";
        QTest::newRow("Outil2 single digit") << QByteArray("Outil2") << QByteArray("Outil3") << 9 << "9";
        QTest::newRow("Correcteur2 lowest") << QByteArray("Correcteur2") << QByteArray("Correcteur3") << 1 << "1";
        QTest::newRow("Rotation2 highest") << QByteArray("Rotation2") << QByteArray("Rotation3") << 9950 << "9950";
        QTest::newRow("Avance2 lowest") << QByteArray("Avance2") << QByteArray("Avance3") << 50 << "50";
        QTest::newRow("Gamme2 highest") << QByteArray("Gamme2") << QByteArray("Gamme3") << 45 << "45";
        QTest::newRow("Nom2 highest") << QByteArray("Nom2") << QByteArray("Nom3") << 9999 << "%9999";
    }

    void displayBox()
    {
        QFETCH(QByteArray, bar);
        QFETCH(QByteArray, box);
        QFETCH(int, value);
        QFETCH(QString, expected);

        MainWindow window;
        auto* extents = control<QLineEdit>(window, "Encombrement");
        extents->setText(kUntouched);

        moveTo(*control<QScrollBar>(window, bar), value);

        QCOMPARE(control<QLineEdit>(window, box)->text(), expected);
        // These settings play no part in the extents.
        QCOMPARE(extents->text(), kUntouched);
    }
};

QTEST_MAIN(DisplayRulesTest)
#include "tst_display_rules.moc"
