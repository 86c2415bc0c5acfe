// The tool tips: set once by the start-up, on the caption labels and three
// frames, never on the controls that hold values.

#include "panel/main_window.h"
#include "tests/support/window_controls.h"

#include <QtTest>

using namespace velmora;

namespace {

QStringList tippedControls(QWidget& window)
{
    QStringList names;
    for (QWidget* widget : window.findChildren<QWidget*>())
        if (!widget->toolTip().isEmpty())
            names.append(widget->objectName());
    names.sort();
    return names;
}

}  // namespace

class ToolTipsTest : public QObject {
    Q_OBJECT
private slots:
    // Exactly these and no others: none on a control that holds a value.
    void setOnTheirControls()
    {
        MainWindow window;
        window.setToolTips();
        QStringList expected = {
            "Echelle1", "Espace1", "Interligne1", "Justification1", "Justification2", "Justification3",
            "Saisie11", "Saisie21", "Saisie31", "Saisie41", "Saisie51", "Effacer", "Encombrement1", "Visu",
            "Outil1", "Correcteur1", "Rotation1", "Avance1", "Gamme1", "Lubrification1", "Changeur1",
            "Posx1", "Posy1", "Posz1", "Origine", "Port1", "Vitesse1", "Parité1", "Nbrebits1", "Bitsstop1",
            "Options"};
        expected.sort();
        QCOMPARE(expected.size(), 31);
        QCOMPARE(tippedControls(window), expected);
    }

    void textsThatAreEasyToGetWrong_data()
    {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<QString>("tip");
        QTest::newRow("trailing blank kept") << QByteArray("Options")
                                             << "Options de centrage ou Point de départ de la gravure ";
        QTest::newRow("line labels share one text: last") << QByteArray("Saisie51")
                                                          << "Zone de saisie du texte à graver";
        QTest::newRow("accented control name") << QByteArray("Parité1") << "Parité des données";
    }

    void textsThatAreEasyToGetWrong()
    {
        QFETCH(QByteArray, control);
        QFETCH(QString, tip);
        MainWindow window;
        window.setToolTips();
        QCOMPARE(velmora::control<QWidget>(window, control.constData())->toolTip(), tip);
    }
};

QTEST_MAIN(ToolTipsTest)
#include "tst_tool_tips.moc"
