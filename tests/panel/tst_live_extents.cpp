// The extents the operator sees while typing and setting sizes, and the text
// line, justification and placement reactions around them.

#include "panel/main_window.h"
#include "tests/support/window_controls.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include <array>

using namespace velmora;

namespace {

constexpr std::array<const char*, 5> kLines = {"Saisie12", "Saisie22", "Saisie32", "Saisie42", "Saisie52"};
constexpr std::array<const char*, 5> kReadouts = {"Saisie13", "Saisie23", "Saisie33", "Saisie43", "Saisie53"};
constexpr std::array<const char*, 4> kCorners = {"Origine1", "Origine2", "Origine3", "Origine4"};

// Character width 4 mm, 1 mm between characters, 2 mm between lines, each set
// the way start-up sets them, so the value boxes hold their scroll bars' values.
void setSizes(MainWindow& window)
{
    for (auto [name, value] : {std::pair{"Echelle2", 4}, {"Espace2", 1}, {"Interligne2", 2}}) {
        auto* bar = control<QScrollBar>(window, name);
        bar->setValue(bar->maximum());
        bar->setValue(value);
    }
}

void setLines(MainWindow& window, const QStringList& texts)
{
    for (int i = 0; i < 5; ++i)
        control<QLineEdit>(window, kLines[i])->setText(texts.value(i));
}

QStringList readouts(MainWindow& window)
{
    QStringList texts;
    for (const char* name : kReadouts)
        texts.append(control<QLineEdit>(window, name)->text());
    return texts;
}

QString extents(MainWindow& window)
{
    return control<QLineEdit>(window, "Encombrement")->text();
}

const QStringList kAllZero = {" 0 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"};
const QString kZeroExtents = QStringLiteral(" X :  0 mm / Y :  0 mm");

}  // namespace

class LiveExtentsTest : public QObject {
    Q_OBJECT
private slots:
    // A character beyond 16 bits counts once; lines emptied go back to 0.
    void lineChange()
    {
        MainWindow window;
        setSizes(window);
        setLines(window, {"stale", "stale", "stale", "stale", "stale"});
        setLines(window, {QString::fromUcs4(U"a\U0001F600b")});
        QCOMPARE(readouts(window), (QStringList{" 14 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"}));
        QCOMPARE(extents(window), QStringLiteral(" X :  14 mm / Y :  7 mm"));
    }

    void typingUpdatesAfterEachKey()
    {
        MainWindow window;
        setSizes(window);
        auto* line = control<QLineEdit>(window, "Saisie22");

        QTest::keyClicks(line, "AB");
        QCOMPARE(readouts(window)[1], QStringLiteral(" 9 mm"));
        QTest::keyClick(line, Qt::Key_C);
        QCOMPARE(readouts(window)[1], QStringLiteral(" 14 mm"));
        QCOMPARE(extents(window), QStringLiteral(" X :  14 mm / Y :  7 mm"));
    }

    // Each size bar sets its value box (<name>3) and read-out (<name>4), then
    // the extents of "ABC" over "AB".
    void sizeSetting_data()
    {
        QTest::addColumn<QByteArray>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("readoutText");
        QTest::addColumn<QString>("firstWidth");
        QTest::addColumn<QString>("block");
        QTest::newRow("Echelle2 to 5") << QByteArray("Echelle2") << 5 << "Haut.  8.75 mm / Larg.  5 mm" << " 17 mm"
                                       << " X :  17 mm / Y :  19.5 mm";
        QTest::newRow("Espace2 to 2") << QByteArray("Espace2") << 2 << "Entre caractères :  2 mm" << " 16 mm"
                                      << " X :  16 mm / Y :  16 mm";
        QTest::newRow("Interligne2 to 10") << QByteArray("Interligne2") << 10 << "Espace entre lignes :  10 mm "
                                           << " 14 mm" << " X :  14 mm / Y :  24 mm";
    }

    void sizeSetting()
    {
        QFETCH(QByteArray, bar);
        QFETCH(int, value);
        QFETCH(QString, readoutText);
        QFETCH(QString, firstWidth);
        QFETCH(QString, block);

        MainWindow window;
        setSizes(window);
        setLines(window, {"ABC", "AB"});

        control<QScrollBar>(window, bar)->setValue(value);

        QCOMPARE(control<QLineEdit>(window, bar.chopped(1) + "3")->text(), QString::number(value));
        QCOMPARE(control<QLineEdit>(window, bar.chopped(1) + "4")->text(), readoutText);
        QCOMPARE(readouts(window)[0], firstWidth);
        QCOMPARE(extents(window), block);
    }

    // With every line already empty, clearing changes no line and must still
    // bring the read-outs up to date.
    void clear_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("lines with text") << QStringList{"ABC", "", "x", " ", "AB"};
        QTest::newRow("lines already empty") << QStringList{};
    }

    void clear()
    {
        QFETCH(QStringList, lines);
        MainWindow window;
        setSizes(window);
        setLines(window, lines);
        control<QLineEdit>(window, "Saisie33")->setText(QStringLiteral("stale"));
        control<QLineEdit>(window, "Encombrement")->setText(QStringLiteral("stale"));

        control<QPushButton>(window, "Effacer")->click();

        for (const char* name : kLines)
            QVERIFY2(control<QLineEdit>(window, name)->text().isEmpty(), name);
        QCOMPARE(readouts(window), kAllZero);
        QCOMPARE(extents(window), kZeroExtents);
        QCOMPARE(control<QScrollBar>(window, "Echelle2")->value(), 4);
    }

    void justification_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<int>("alignment");
        QTest::newRow("left") << QByteArray("Justification1") << int(Qt::AlignLeft);
        QTest::newRow("centred") << QByteArray("Justification2") << int(Qt::AlignHCenter);
        QTest::newRow("right") << QByteArray("Justification3") << int(Qt::AlignRight);
    }

    void justification()
    {
        QFETCH(QByteArray, button);
        QFETCH(int, alignment);

        MainWindow window;
        setLines(window, {"ABC", "AB", "", "A", " "});
        // Start from another justification, so the button really changes.
        control<QRadioButton>(window, button == "Justification2" ? "Justification3" : "Justification2")
            ->setChecked(true);
        control<QLineEdit>(window, "Saisie13")->setText(QStringLiteral("kept"));
        control<QLineEdit>(window, "Encombrement")->setText(QStringLiteral("kept"));

        control<QRadioButton>(window, button)->setChecked(true);

        for (const char* name : kLines)
            QCOMPARE(int(control<QLineEdit>(window, name)->alignment() & Qt::AlignHorizontal_Mask), alignment);
        QCOMPARE(readouts(window)[0], QStringLiteral("kept"));
        QCOMPARE(extents(window), QStringLiteral("kept"));
    }

    void freePlacementKeepsTheCorner_data()
    {
        QTest::addColumn<QByteArray>("centring");
        QTest::addColumn<int>("corner");
        QTest::newRow("centre X, top right") << QByteArray("Option2") << 1;
        QTest::newRow("centre Y, bottom left") << QByteArray("Option3") << 2;
    }

    void freePlacementKeepsTheCorner()
    {
        QFETCH(QByteArray, centring);
        QFETCH(int, corner);

        MainWindow window;
        control<QRadioButton>(window, kCorners[corner])->setChecked(true);

        control<QRadioButton>(window, "Option4")->setChecked(true);
        for (const char* name : kCorners)
            QVERIFY2(!control<QRadioButton>(window, name)->isEnabled(), name);
        QVERIFY(control<QRadioButton>(window, kCorners[corner])->isChecked());

        control<QRadioButton>(window, centring)->setChecked(true);
        for (const char* name : kCorners)
            QVERIFY2(control<QRadioButton>(window, name)->isEnabled(), name);
        QVERIFY(control<QRadioButton>(window, kCorners[corner])->isChecked());
    }
};

QTEST_MAIN(LiveExtentsTest)
#include "tst_live_extents.moc"
