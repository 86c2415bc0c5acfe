// The main window as the view of the form's model: its controls agree with the
// model's ranges, the operator's input reaches the model and the model's
// changes show, the command buttons are told by signals, and the tool tips
// and the meter's labels stand where the operator reads them.

#include "panel/main_window.h"
#include "tests/support/window_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace velmora;

namespace {

// The scroll bars in the order of the model's ScrollBar.
constexpr const char* kBars[kScrollBarCount] = {"Echelle2", "Espace2", "Interligne2", "Outil2", "Correcteur2",
                                                "Rotation2", "Avance2", "Gamme2", "Posx2", "Posy2", "Posz2", "Nom2"};
constexpr const char* kCorners[] = {"Origine1", "Origine2", "Origine3", "Origine4"};

QString text(MainWindow& window, const char* name) { return control<QLineEdit>(window, name)->text(); }

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The model keeps values in the ranges the operator can reach.
    void scrollBarsMatchTheModel()
    {
        MainWindow window;
        for (int bar = 0; bar < kScrollBarCount; ++bar) {
            const ScrollRange range = scrollRange(ScrollBar(bar));
            const auto* shown = control<QScrollBar>(window, kBars[bar]);
            QCOMPARE(shown->minimum(), range.minimum);
            QCOMPARE(shown->maximum(), range.maximum);
            QCOMPARE(shown->value(), range.formValue);
        }
    }

    void typingUpdatesAfterEachKey()
    {
        MainWindow window;
        control<QScrollBar>(window, "Echelle2")->setValue(4);
        auto* line = control<QLineEdit>(window, "Saisie22");

        QTest::keyClicks(line, "AB");
        QCOMPARE(text(window, "Saisie23"), QStringLiteral(" 9 mm"));
        line->setCursorPosition(1);
        QTest::keyClicks(line, "C");
        QCOMPARE(line->text(), QStringLiteral("ACB"));
        QCOMPARE(line->cursorPosition(), 2);
        QCOMPARE(window.model().lineText(2), std::u32string(U"ACB"));
        QCOMPARE(text(window, "Saisie23"), QStringLiteral(" 14 mm"));
        QCOMPARE(text(window, "Encombrement"), QStringLiteral(" X :  14 mm / Y :  7 mm"));
    }

    void scrollBarsShowTheirRules()
    {
        MainWindow window;
        control<QScrollBar>(window, "Posx2")->setValue(1995);
        control<QScrollBar>(window, "Interligne2")->setValue(10);
        QCOMPARE(text(window, "Posx3"), QStringLiteral("-.5"));
        QCOMPARE(text(window, "Interligne3"), QStringLiteral("10"));
        QCOMPARE(text(window, "Interligne4"), QStringLiteral("Espace entre lignes :  10 mm "));
    }

    // What a program changes in the model shows as if typed or set.
    void modelChangesShow()
    {
        MainWindow window;
        window.model().setLineText(1, U"Été");
        window.model().setScrollValue(ScrollBar::ProgramNumber, 12);
        window.model().setSerialText(SerialSetting::Port, U"COM2");
        window.model().setSerialText(SerialSetting::Speed, U"19200");
        QCOMPARE(text(window, "Saisie12"), QStringLiteral("Été"));
        QCOMPARE(text(window, "Saisie13"), QStringLiteral(" 5 mm"));
        QCOMPARE(control<QScrollBar>(window, "Nom2")->value(), 12);
        QCOMPARE(text(window, "Nom3"), QStringLiteral("%12"));
        QCOMPARE(control<QComboBox>(window, "Port2")->currentIndex(), 1);
        QCOMPARE(control<QComboBox>(window, "Vitesse2")->currentText(), QStringLiteral("19200"));
    }

    void clearButton()
    {
        MainWindow window;
        control<QLineEdit>(window, "Saisie42")->setText(QStringLiteral("ABC"));
        control<QPushButton>(window, "Effacer")->click();
        QVERIFY(text(window, "Saisie42").isEmpty());
        QCOMPARE(text(window, "Encombrement"), QStringLiteral(" X :  0 mm / Y :  0 mm"));
    }

    // Justification aligns the lines; free placement disables the corners and
    // keeps the one chosen.
    void optionButtons()
    {
        MainWindow window;
        control<QRadioButton>(window, "Justification3")->setChecked(true);
        control<QRadioButton>(window, "Origine3")->setChecked(true);
        control<QRadioButton>(window, "Option4")->setChecked(true);
        QCOMPARE(int(control<QLineEdit>(window, "Saisie52")->alignment() & Qt::AlignHorizontal_Mask),
                 int(Qt::AlignRight));
        for (const char* name : kCorners)
            QVERIFY2(!control<QRadioButton>(window, name)->isEnabled(), name);
        QCOMPARE(window.model().layoutChoices().corner, Corner::BottomLeft);

        control<QRadioButton>(window, "Option2")->setChecked(true);
        for (const char* name : kCorners)
            QVERIFY2(control<QRadioButton>(window, name)->isEnabled(), name);
        QVERIFY(control<QRadioButton>(window, "Origine3")->isChecked());
    }

    void commandButtonsAreSignals()
    {
        MainWindow window;
        QSignalSpy build(&window, &MainWindow::buildRequested);
        QSignalSpy download(&window, &MainWindow::downloadRequested);
        QSignalSpy save(&window, &MainWindow::saveRequested);
        QSignalSpy quit(&window, &MainWindow::quitRequested);
        QSignalSpy about(&window, &MainWindow::aboutRequested);
        for (const char* name : {"Const1", "Télé1", "Sauve", "Quitter1", "Apropos1"})
            control<QPushButton>(window, name)->click();
        QCOMPARE(build.size() + download.size() + save.size() + quit.size() + about.size(), 5);
        QCOMPARE(build.size() * download.size() * save.size() * quit.size() * about.size(), 1);
    }

    // On captions and frames only, never on a control that holds a value; the
    // trailing blank of the last one is kept.
    void toolTips()
    {
        MainWindow window;
        window.setToolTips();
        int tipped = 0;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (widget->toolTip().isEmpty())
                continue;
            ++tipped;
            QVERIFY2(!qobject_cast<QLineEdit*>(widget) && !qobject_cast<QScrollBar*>(widget),
                     qPrintable(widget->objectName()));
        }
        QCOMPARE(tipped, 31);
        QCOMPARE(control<QWidget>(window, "Options")->toolTip(),
                 QStringLiteral("Options de centrage ou Point de départ de la gravure "));
    }

    void meterLabelsShareTheirPlace()
    {
        MainWindow window;
        auto* visu1 = control<QLabel>(window, "Visu1");
        auto* visu2 = control<QLabel>(window, "Visu2");
        QCOMPARE(visu1->geometry(), QRect(visu2->pos(), QSize(153, 25)));
        QCOMPARE(visu2->size(), QSize(1, 25));
        // The caption is drawn over the bar, not hidden beneath it.
        const QObjectList& stack = visu1->parentWidget()->children();
        QVERIFY(stack.indexOf(visu1) > stack.indexOf(visu2));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
