// The controls other parts of the program rely on: the construction, the
// configuration file and the download find them by these names and read these
// ranges, form values, items and texts. Captions of plain labels and frames
// are left to the form; the frame of each option button groups it with its
// neighbours.

#include "panel/main_window.h"
#include "tests/support/window_controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

using namespace velmora;

namespace {

QVariantMap scrollBar(int minimum, int maximum, int pageStep, int value)
{
    return {{"minimum", minimum}, {"maximum", maximum}, {"pageStep", pageStep}, {"singleStep", 1}, {"value", value}};
}

QVariantMap textBox(const char* text, bool readOnly)
{
    return {{"text", QString::fromUtf8(text)}, {"readOnly", readOnly}};
}

QVariantMap comboBox(const QStringList& items)
{
    return {{"items", items}, {"currentText", QStringLiteral(" ")}};
}

void addControl(const char* name, const char* kind, const char* frame, const QVariantMap& properties)
{
    QTest::newRow(name) << QString::fromUtf8(name) << QByteArray(kind) << QString::fromUtf8(frame)
                        << properties;
}

QString enclosingFrame(const QWidget& widget)
{
    for (QWidget* parent = widget.parentWidget(); parent; parent = parent->parentWidget())
        if (qobject_cast<QGroupBox*>(parent))
            return parent->objectName();
    return {};
}

QStringList comboItems(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items.append(combo.itemText(i));
    return items;
}

}  // namespace

class WindowContractTest : public QObject {
    Q_OBJECT
private slots:
    void control_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QVariantMap>("properties");

        addControl("Programme", "velmora::ProgramListingView", "Frame2", {});
        addControl("Vitesse2", "QComboBox", "Transmission", comboBox({"9600", "4800", "2400", "1200", "600", "300"}));
        addControl("Port2", "QComboBox", "Transmission", comboBox({"COM1", "COM2"}));
        addControl("Parité2", "QComboBox", "Transmission", comboBox({"E(ven)", "N(one)", "O(dd)"}));
        addControl("Nbrebits2", "QComboBox", "Transmission", comboBox({"5", "6", "7", "8"}));
        addControl("Bitsstop2", "QComboBox", "Transmission", comboBox({"1", "1.5", "2"}));

        addControl("Rotation2", "QScrollBar", "Paramètres", scrollBar(50, 9950, 50, 50));
        addControl("Rotation3", "QLineEdit", "Paramètres", textBox(" ", true));
        addControl("Avance2", "QScrollBar", "Paramètres", scrollBar(50, 2000, 50, 50));
        addControl("Avance3", "QLineEdit", "Paramètres", textBox("", true));
        addControl("Gamme2", "QScrollBar", "Paramètres", scrollBar(40, 45, 1, 40));
        addControl("Gamme3", "QLineEdit", "Paramètres", textBox(" ", true));
        addControl("Outil2", "QScrollBar", "Paramètres", scrollBar(1, 32, 5, 1));
        addControl("Outil3", "QLineEdit", "Paramètres", textBox(" ", true));
        addControl("Correcteur2", "QScrollBar", "Paramètres", scrollBar(1, 32, 5, 1));
        addControl("Correcteur3", "QLineEdit", "Paramètres", textBox(" ", true));
        for (const char* name : {"Lubrification2", "Lubrification3"})
            addControl(name, "QRadioButton", "Lubrification", {});
        for (const char* name : {"Changeur2", "Changeur3"})
            addControl(name, "QRadioButton", "Changeur", {});
        for (const char* name : {"Justification1", "Justification2", "Justification3"})
            addControl(name, "QRadioButton", "Justification", {});

        addControl("Encombrement", "QLineEdit", "Saisie", textBox("", true));
        addControl("Effacer", "QPushButton", "Saisie", {});
        for (const char* name : {"Saisie12", "Saisie22", "Saisie32", "Saisie42", "Saisie52"})
            addControl(name, "QLineEdit", "Saisie", textBox("", false));
        for (const char* name : {"Saisie13", "Saisie23", "Saisie33", "Saisie43", "Saisie53"})
            addControl(name, "QLineEdit", "Saisie", textBox("", true));

        addControl("Echelle2", "QScrollBar", "Police", scrollBar(1, 40, 5, 1));
        addControl("Espace2", "QScrollBar", "Police", scrollBar(1, 20, 2, 1));
        addControl("Interligne2", "QScrollBar", "Police", scrollBar(1, 100, 10, 1));
        for (const char* name : {"Echelle3", "Echelle4", "Espace3", "Espace4", "Interligne3", "Interligne4"})
            addControl(name, "QLineEdit", "Police", textBox(" ", true));

        addControl("Nom2", "QScrollBar", "Nom", scrollBar(1, 9999, 10, 1));
        addControl("Nom3", "QLineEdit", "Nom", textBox("", true));
        for (const char* name : {"Option1", "Option2", "Option3", "Option4"})
            addControl(name, "QRadioButton", "Options", {});
        for (const char* name : {"Origine1", "Origine2", "Origine3", "Origine4"})
            addControl(name, "QRadioButton", "Origine", {});
        addControl("Posx2", "QScrollBar", "Position", scrollBar(0, 4000, 10, 0));
        addControl("Posy2", "QScrollBar", "Position", scrollBar(0, 4000, 10, 1));
        addControl("Posz2", "QScrollBar", "Position", scrollBar(0, 4000, 10, 0));
        for (const char* name : {"Posx3", "Posy3", "Posz3"})
            addControl(name, "QLineEdit", "Position", textBox("", true));

        addControl("Visu1", "QLabel", "Visu", {});
        addControl("Visu2", "QLabel", "Visu", {});
        for (const char* name : {"Télé1", "Const1", "Apropos1", "Quitter1", "Sauve"})
            addControl(name, "QPushButton", "", {});
    }

    void control()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, kind);
        QFETCH(QString, frame);
        QFETCH(QVariantMap, properties);

        MainWindow window;
        const QList<QWidget*> named = window.findChildren<QWidget*>(name);
        QCOMPARE(named.size(), 1);
        QWidget* widget = named.front();
        QCOMPARE(QByteArray(widget->metaObject()->className()), kind);
        QCOMPARE(enclosingFrame(*widget), frame);
        for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
            if (it.key() == QLatin1String("items")) {
                QCOMPARE(comboItems(*qobject_cast<QComboBox*>(widget)), it.value().toStringList());
                continue;
            }
            const QVariant actual = widget->property(it.key().toUtf8().constData());
            QVERIFY2(actual.isValid(), qPrintable(it.key()));
            QCOMPARE(actual, it.value());
        }
    }

    void meterLabelsShareTheirPlace()
    {
        MainWindow window;
        auto* visu1 = velmora::control<QLabel>(window, "Visu1");
        auto* visu2 = velmora::control<QLabel>(window, "Visu2");
        QCOMPARE(visu1->geometry(), QRect(visu2->pos(), QSize(153, 25)));
        QCOMPARE(visu2->size(), QSize(1, 25));
        // The caption is drawn over the bar, not hidden beneath it.
        const QObjectList& stack = visu1->parentWidget()->children();
        QVERIFY(stack.indexOf(visu1) > stack.indexOf(visu2));
    }
};

QTEST_MAIN(WindowContractTest)
#include "tst_window_contract.moc"
