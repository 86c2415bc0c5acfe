// The main window as the view of the form's model: the operator's input
// reaches the model and the model's changes show.
// The real message boxes: what the operator sees and what each way of
// answering, closing included, gives back to the caller.

#include "panel/main_window.h"
#include "panel/messages.h"
#include "tests/support/window_controls.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

using namespace velmora;

namespace {

// The scroll bars in the order of the model's ScrollBar.
constexpr const char* kBars[kScrollBarCount] = {"Echelle2", "Espace2", "Interligne2", "Outil2", "Correcteur2",
                                                "Rotation2", "Avance2", "Gamme2", "Posx2", "Posy2", "Posz2", "Nom2"};
constexpr const char* kCorners[] = {"Origine1", "Origine2", "Origine3", "Origine4"};

QString text(MainWindow& window, const char* name) { return control<QLineEdit>(window, name)->text(); }


// A box as the program asks for it, and how it must look.
struct Box {
    MessageIcon icon;
    MessageButtons buttons;
    QString title;
    QString text;
    QString cause;  // shown under the text
    QMessageBox::Icon shownIcon;
    int buttonCount;
};

struct Seen {
    QString title;
    QString text;
    QString cause;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
};

// Once the box is up, records what it shows, then presses `key` in it, or
// closes it with the window's close button when `key` is 0.
void answerWhenShown(int key, Seen& seen)
{
    QTimer::singleShot(0, [key, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return answerWhenShown(key, seen);
        seen = {box->windowTitle(), box->text(), box->informativeText(), box->icon(), int(box->buttons().size())};
        if (key)
            QTest::keyClick(box, Qt::Key(key));
        else
            box->close();
    });
}

constexpr int kClose = 0;
constexpr int kEnter = Qt::Key_Return;
constexpr int kEscape = Qt::Key_Escape;

const Box kQuit{MessageIcon::Question, MessageButtons::YesNo, QString(), "Quitter VELMORA ?", QString(),
                QMessageBox::Question, 2};
const Box kLoad{MessageIcon::Exclamation, MessageButtons::OkCancel, "Liaison PC-CN",
                "Placer la machine en mode chargement", QString(), QMessageBox::Warning, 2};
const Box kFailure{MessageIcon::Critical, MessageButtons::Ok, "Echec de la construction", "Modifier les paramètres",
                   "le bloc (127 mm) est plus large que la plaque (X : 100 mm)", QMessageBox::Critical, 1};

}  // namespace

Q_DECLARE_METATYPE(Box)
Q_DECLARE_METATYPE(velmora::MessageAnswer)

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void answer_data()
    {
        QTest::addColumn<Box>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<MessageAnswer>("expected");
        QTest::newRow("yes/no, enter") << kQuit << kEnter << MessageAnswer::Yes;
        QTest::newRow("yes/no, escape") << kQuit << kEscape << MessageAnswer::No;
        QTest::newRow("ok/cancel, enter") << kLoad << kEnter << MessageAnswer::Ok;
        QTest::newRow("ok/cancel, escape") << kLoad << kEscape << MessageAnswer::Cancel;
        QTest::newRow("ok, enter") << kFailure << kEnter << MessageAnswer::Ok;
        QTest::newRow("ok, closed") << kFailure << kClose << MessageAnswer::Ok;
    }

    void answer()
    {
        QFETCH(Box, box);
        QFETCH(int, key);
        QFETCH(MessageAnswer, expected);

        QWidget window;
        ModalMessageBoxes boxes(&window);
        Seen seen;
        answerWhenShown(key, seen);

        QCOMPARE(boxes.show(box.icon, box.buttons, box.title, box.text, box.cause), expected);
        QCOMPARE(seen.title, box.title);
        QCOMPARE(seen.text, box.text);
        QCOMPARE(seen.cause, box.cause);
        QCOMPARE(seen.icon, box.shownIcon);
        QCOMPARE(seen.buttonCount, box.buttonCount);
    }

    // The form's scroll bars and the model hold each range apart: they must
    // agree, or a bar moved to its end shows a value the model refuses.
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

    // Justification aligns the lines. The corners are chosen under the three
    // centrings and disabled under free placement, the corner chosen kept.
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

    void optionButtons_data()
    {
        QTest::addColumn<QString>("placement");
        QTest::addColumn<bool>("cornersEnabled");
        QTest::newRow("Centrage X / Y") << "Option1" << true;
        QTest::newRow("Centrage X") << "Option2" << true;
        QTest::newRow("Centrage Y") << "Option3" << true;
        QTest::newRow("free placement") << "Option4" << false;
    }

    void optionButtons()
    {
        QFETCH(QString, placement);
        QFETCH(bool, cornersEnabled);
        MainWindow window;
        control<QRadioButton>(window, "Justification3")->setChecked(true);
        control<QRadioButton>(window, "Origine3")->setChecked(true);
        control<QRadioButton>(window, "Option4")->setChecked(true);
        control<QRadioButton>(window, qPrintable(placement))->setChecked(true);
        QCOMPARE(int(control<QLineEdit>(window, "Saisie52")->alignment() & Qt::AlignHorizontal_Mask),
                 int(Qt::AlignRight));
        for (const char* name : kCorners)
            QCOMPARE(control<QRadioButton>(window, name)->isEnabled(), cornersEnabled);
        QVERIFY(control<QRadioButton>(window, "Origine3")->isChecked());
        QCOMPARE(window.model().layoutChoices().corner, Corner::BottomLeft);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
