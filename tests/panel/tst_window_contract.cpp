// The controls other parts of the program rely on: the construction, the
// configuration file and the download find them by these names and read these
// ranges, form values and texts.

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
    return {{"minimum", minimum}, {"maximum", maximum}, {"pageStep", pageStep},
            {"singleStep", 1},    {"value", value},     {"orientation", int(Qt::Horizontal)}};
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
    void control_data();
    void control();
    void windowIsFixedAndCaptioned();
    void meterLabelsShareTheirPlace();
    void iconHasItsThreeSizes();
};

void WindowContractTest::control_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QVariantMap>("properties");

    addControl("Frame2", "QGroupBox", "", {});
    addControl("Programme", "QPlainTextEdit", "Frame2", {});
    addControl("Transmission", "QGroupBox", "", {});
    addControl("Vitesse2", "QComboBox", "Transmission", comboBox({"9600", "4800", "2400", "1200", "600", "300"}));
    addControl("Port2", "QComboBox", "Transmission", comboBox({"COM1", "COM2"}));
    addControl("Parité2", "QComboBox", "Transmission", comboBox({"E(ven)", "N(one)", "O(dd)"}));
    addControl("Nbrebits2", "QComboBox", "Transmission", comboBox({"5", "6", "7", "8"}));
    addControl("Bitsstop2", "QComboBox", "Transmission", comboBox({"1", "1.5", "2"}));
    addControl("Port1", "QLabel", "Transmission", {});
    addControl("Vitesse1", "QLabel", "Transmission", {});
    addControl("Parité1", "QLabel", "Transmission", {});
    addControl("Nbrebits1", "QLabel", "Transmission", {});
    addControl("Bitsstop1", "QLabel", "Transmission", {});
    addControl("Paramètres", "QGroupBox", "", {});
    addControl("Rotation2", "QScrollBar", "Paramètres", scrollBar(50, 9950, 50, 50));
    addControl("Rotation3", "QLineEdit", "Paramètres", textBox(" ", true));
    addControl("Avance2", "QScrollBar", "Paramètres", scrollBar(50, 2000, 50, 50));
    addControl("Avance3", "QLineEdit", "Paramètres", textBox("", true));
    addControl("Gamme2", "QScrollBar", "Paramètres", scrollBar(40, 45, 1, 40));
    addControl("Gamme3", "QLineEdit", "Paramètres", textBox(" ", true));
    addControl("Outil3", "QLineEdit", "Paramètres", textBox(" ", true));
    addControl("Outil2", "QScrollBar", "Paramètres", scrollBar(1, 32, 5, 1));
    addControl("Correcteur3", "QLineEdit", "Paramètres", textBox(" ", true));
    addControl("Correcteur2", "QScrollBar", "Paramètres", scrollBar(1, 32, 5, 1));
    addControl("Lubrification", "QGroupBox", "Paramètres", {});
    addControl("Lubrification2", "QRadioButton", "Lubrification", {});
    addControl("Lubrification3", "QRadioButton", "Lubrification", {});
    addControl("Lubrification1", "QLabel", "Lubrification", {});
    addControl("Changeur", "QGroupBox", "Paramètres", {});
    addControl("Changeur2", "QRadioButton", "Changeur", {});
    addControl("Changeur3", "QRadioButton", "Changeur", {});
    addControl("Changeur1", "QLabel", "Changeur", {});
    addControl("Rotation1", "QLabel", "Paramètres", {});
    addControl("Avance1", "QLabel", "Paramètres", {});
    addControl("Gamme1", "QLabel", "Paramètres", {});
    addControl("Outil1", "QLabel", "Paramètres", {});
    addControl("Correcteur1", "QLabel", "Paramètres", {});
    addControl("Justification", "QGroupBox", "", {});
    addControl("Justification3", "QRadioButton", "Justification", {});
    addControl("Justification2", "QRadioButton", "Justification", {});
    addControl("Justification1", "QRadioButton", "Justification", {});
    addControl("Saisie", "QGroupBox", "", {});
    addControl("Encombrement", "QLineEdit", "Saisie", textBox("", true));
    addControl("Effacer", "QPushButton", "Saisie", {});
    addControl("Saisie53", "QLineEdit", "Saisie", textBox("", true));
    addControl("Saisie43", "QLineEdit", "Saisie", textBox("", true));
    addControl("Saisie33", "QLineEdit", "Saisie", textBox("", true));
    addControl("Saisie23", "QLineEdit", "Saisie", textBox("", true));
    addControl("Saisie13", "QLineEdit", "Saisie", textBox("", true));
    addControl("Saisie52", "QLineEdit", "Saisie", textBox("", false));
    addControl("Saisie42", "QLineEdit", "Saisie", textBox("", false));
    addControl("Saisie32", "QLineEdit", "Saisie", textBox("", false));
    addControl("Saisie22", "QLineEdit", "Saisie", textBox("", false));
    addControl("Saisie12", "QLineEdit", "Saisie", textBox("", false));
    addControl("Encombrement1", "QLabel", "Saisie", {});
    addControl("Saisie51", "QLabel", "Saisie", {});
    addControl("Saisie41", "QLabel", "Saisie", {});
    addControl("Saisie31", "QLabel", "Saisie", {});
    addControl("Saisie21", "QLabel", "Saisie", {});
    addControl("Saisie11", "QLabel", "Saisie", {});
    addControl("Police", "QGroupBox", "", {});
    addControl("Interligne4", "QLineEdit", "Police", textBox(" ", true));
    addControl("Interligne3", "QLineEdit", "Police", textBox(" ", true));
    addControl("Interligne2", "QScrollBar", "Police", scrollBar(1, 100, 10, 1));
    addControl("Espace4", "QLineEdit", "Police", textBox(" ", true));
    addControl("Echelle4", "QLineEdit", "Police", textBox(" ", true));
    addControl("Espace3", "QLineEdit", "Police", textBox(" ", true));
    addControl("Espace2", "QScrollBar", "Police", scrollBar(1, 20, 2, 1));
    addControl("Echelle3", "QLineEdit", "Police", textBox(" ", true));
    addControl("Echelle2", "QScrollBar", "Police", scrollBar(1, 40, 5, 1));
    addControl("Interligne1", "QLabel", "Police", {});
    addControl("Espace1", "QLabel", "Police", {});
    addControl("Echelle1", "QLabel", "Police", {});
    addControl("Télé1", "QPushButton", "", {});
    addControl("Const1", "QPushButton", "", {});
    addControl("Visu", "QGroupBox", "", {});
    addControl("Visu1", "QLabel", "Visu", {});
    addControl("Visu2", "QLabel", "Visu", {});
    addControl("Nom", "QGroupBox", "", {});
    addControl("Nom3", "QLineEdit", "Nom", textBox("", true));
    addControl("Nom2", "QScrollBar", "Nom", scrollBar(1, 9999, 10, 1));
    addControl("Nom1", "QLabel", "Nom", {});
    addControl("Apropos1", "QPushButton", "", {});
    addControl("Options", "QGroupBox", "", {});
    addControl("Option4", "QRadioButton", "Options", {});
    addControl("Option3", "QRadioButton", "Options", {});
    addControl("Option2", "QRadioButton", "Options", {});
    addControl("Option1", "QRadioButton", "Options", {});
    addControl("Position", "QGroupBox", "", {});
    addControl("Origine", "QGroupBox", "Position", {});
    addControl("Origine1", "QRadioButton", "Origine", {});
    addControl("Origine2", "QRadioButton", "Origine", {});
    addControl("Origine3", "QRadioButton", "Origine", {});
    addControl("Origine4", "QRadioButton", "Origine", {});
    addControl("Shape1", "QFrame", "Origine", {});
    addControl("Posz2", "QScrollBar", "Position", scrollBar(0, 4000, 10, 0));
    addControl("Posy2", "QScrollBar", "Position", scrollBar(0, 4000, 10, 1));
    addControl("Posx2", "QScrollBar", "Position", scrollBar(0, 4000, 10, 0));
    addControl("Posz3", "QLineEdit", "Position", textBox("", true));
    addControl("Posy3", "QLineEdit", "Position", textBox("", true));
    addControl("Posx3", "QLineEdit", "Position", textBox("", true));
    addControl("Posz1", "QLabel", "Position", {});
    addControl("Posy1", "QLabel", "Position", {});
    addControl("Posx1", "QLabel", "Position", {});
    addControl("Quitter1", "QPushButton", "", {});
    addControl("Sauve", "QPushButton", "", {});
    addControl("Image1", "QLabel", "", {});
}

void WindowContractTest::control()
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
        if (it.key() == QLatin1String("orientation"))
            QCOMPARE(actual.toInt(), it.value().toInt());
        else
            QCOMPARE(actual, it.value());
    }
}

void WindowContractTest::windowIsFixedAndCaptioned()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("VELMORA"));
    QCOMPARE(window.size(), QSize(794, 557));
    QCOMPARE(window.minimumSize(), window.maximumSize());
}

void WindowContractTest::meterLabelsShareTheirPlace()
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

void WindowContractTest::iconHasItsThreeSizes()
{
    MainWindow window;
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    for (int side : {16, 32, 48})
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
}

QTEST_MAIN(WindowContractTest)
#include "tst_window_contract.moc"
