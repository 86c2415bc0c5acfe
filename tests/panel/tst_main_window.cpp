// The main window as the view of the form's model: the operator's input
// reaches the model and what it changes shows. From the keyboard: the keys move
// each scroll bar and its value box follows by its rule, the Alt letters click
// their buttons, and the exact-value entry sets a bar or refuses with the
// range named.
// The real message boxes: what the operator sees and what each way of
// answering, closing included, gives back to the caller. The progress meter
// as the construction, the saving and the download drive it.

#include "panel/exact_value_entry.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/meter.h"
#include "tests/support/window_controls.h"
#include "tests/support/window_snapshot.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <limits>
#include <map>
#include <memory>

using namespace velmora;

namespace {

// The scroll bars in the order of the model's ScrollBar.
constexpr const char* kBars[kScrollBarCount] = {"Echelle2", "Espace2", "Interligne2", "Outil2", "Correcteur2",
                                                "Rotation2", "Avance2", "Gamme2", "Posx2", "Posy2", "Posz2", "Nom2"};
constexpr const char* kCorners[] = {"Origine1", "Origine2", "Origine3", "Origine4"};

const char* const kCommandButtons[] = {"Const1", "Télé1", "Sauve", "Quitter1", "Apropos1", "Effacer", "Aperçu1"};

QString text(MainWindow& window, const char* name) { return control<QLineEdit>(window, name)->text(); }

// A scroll bar "Posx2" shows its value in the box "Posx3".
QLineEdit* valueBoxOf(QWidget& window, const QString& bar)
{
    return control<QLineEdit>(window, qPrintable(bar.chopped(1) + '3'));
}

// A box as the program asks for it, and how it must look.
struct Box {
    MessageIcon icon;
    MessageButtons buttons;
    QString title;
    QString text;
    QString cause;  // shown under the text
    QMessageBox::Icon shownIcon;
    QString shownButtons;  // their captions, in alphabetical order
};

// Once the box is up, records what it shows, then presses `key` in it, or
// closes it with the window's close button when `key` is 0.
void answerWhenShown(int key, QStringList& seen)
{
    QTimer::singleShot(0, [key, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return answerWhenShown(key, seen);
        QStringList captions;
        for (const QAbstractButton* button : box->buttons())
            captions << button->text();
        captions.sort();
        seen = {box->windowTitle(), box->text(), box->informativeText(), QString::number(box->icon()),
                captions.join('/')};
        if (key)
            QTest::keyClick(box, Qt::Key(key));
        else
            box->close();
    });
}

const Box kQuit{MessageIcon::Question, MessageButtons::YesNo, QString(), "Quitter VELMORA ?", QString(),
                QMessageBox::Question, "Non/Oui"};
const Box kLoad{MessageIcon::Exclamation, MessageButtons::OkCancel, "Liaison PC-CN",
                "Placer la machine en mode chargement", QString(), QMessageBox::Warning, "Annuler/OK"};
const Box kFailure{MessageIcon::Critical, MessageButtons::Ok, "Echec de la construction", "Modifier les paramètres",
                   "le bloc (127 mm) est plus large que la plaque (X : 100 mm)", QMessageBox::Critical, "OK"};

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
        QTest::newRow("yes/no, enter") << kQuit << int(Qt::Key_Return) << MessageAnswer::Yes;
        QTest::newRow("yes/no, escape") << kQuit << int(Qt::Key_Escape) << MessageAnswer::No;
        QTest::newRow("ok/cancel, enter") << kLoad << int(Qt::Key_Return) << MessageAnswer::Ok;
        QTest::newRow("ok/cancel, escape") << kLoad << int(Qt::Key_Escape) << MessageAnswer::Cancel;
        QTest::newRow("ok, closed") << kFailure << 0 << MessageAnswer::Ok;
    }

    void answer()
    {
        QFETCH(Box, box);
        QFETCH(int, key);
        QFETCH(MessageAnswer, expected);

        QWidget window;
        ModalMessageBoxes boxes(&window);
        QStringList seen;
        answerWhenShown(key, seen);

        QCOMPARE(boxes.show(box.icon, box.buttons, box.title, box.text, box.cause), expected);
        QCOMPARE(seen, (QStringList{box.title, box.text, box.cause, QString::number(box.shownIcon), box.shownButtons}));
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

    void typingAndSizesShowAtOnce()
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
        // A size shows its value and its read-out.
        control<QScrollBar>(window, "Interligne2")->setValue(10);
        QCOMPARE(text(window, "Interligne3"), QStringLiteral("10"));
        QCOMPARE(text(window, "Interligne4"), QStringLiteral("Espace entre lignes :  10 mm "));
    }

    void clearButton()
    {
        MainWindow window;
        control<QLineEdit>(window, "Saisie42")->setText(QStringLiteral("ABC"));
        control<QPushButton>(window, "Effacer")->click();
        QVERIFY(text(window, "Saisie42").isEmpty());
        QCOMPARE(text(window, "Encombrement"), QStringLiteral(" X :  0 mm / Y :  0 mm"));
    }

    // The meter's caption lies on its bar and is drawn over it, not beneath.
    void meterLabelsShareTheirPlace()
    {
        MainWindow window;
        auto* visu1 = control<QLabel>(window, "Visu1");
        auto* visu2 = control<QLabel>(window, "Visu2");
        QCOMPARE(visu1->pos(), visu2->pos());
        const QObjectList& stack = visu1->parentWidget()->children();
        QVERIFY(stack.indexOf(visu1) > stack.indexOf(visu2));
    }

    // Visu1 is 153 pixels wide. The bar is cut down to the pixel; the caption
    // is the drawn bar's share, rounded down, but for a download the share of
    // the items sent: half way reads 50 % over a bar of 76 pixels.
    void share_data()
    {
        QTest::addColumn<bool>("items");
        QTest::addColumn<double>("done");
        QTest::addColumn<double>("total");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("caption");
        QTest::newRow("below one pixel") << false << 1.0 << 154.0 << 0 << " 0 %";
        QTest::newRow("one pixel") << false << 1.0 << 153.0 << 1 << " 0 %";
        QTest::newRow("half: the drawn bar's share") << false << 1.0 << 2.0 << 76 << " 49 %";
        QTest::newRow("last but one of many") << false << 9999.0 << 10000.0 << 152 << " 99 %";
        QTest::newRow("all done") << false << 10000.0 << 10000.0 << 153 << " 100 %";
        QTest::newRow("negative") << false << -1.0 << 10.0 << 0 << " 0 %";
        QTest::newRow("not a number") << false << std::numeric_limits<double>::quiet_NaN() << 10.0 << 0 << " 0 %";
        QTest::newRow("nothing to do") << false << 1.0 << 0.0 << 1 << "0 %";
        QTest::newRow("items: two of three") << true << 2.0 << 3.0 << 102 << " 66 %";
        QTest::newRow("items: half way") << true << 1.0 << 2.0 << 76 << " 50 %";
        QTest::newRow("items: all sent") << true << 3.0 << 3.0 << 153 << " 100 %";
        QTest::newRow("items: nothing to send") << true << 0.0 << 0.0 << 1 << "0 %";
    }

    void share()
    {
        QFETCH(bool, items);
        QFETCH(double, done);
        QFETCH(double, total);
        QFETCH(int, bar);
        QFETCH(QString, caption);

        MainWindow window;
        Meter& meter = window.meter();
        if (items)
            meter.showItemsSent(std::size_t(done), std::size_t(total));
        else
            meter.showShare(done, total);

        QCOMPARE(meter.barPixels(), bar);
        QCOMPARE(control<QLabel>(window, "Visu2")->size(), QSize(bar, 25));
        QCOMPARE(control<QLabel>(window, "Visu1")->text(), caption);
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

    // Justification aligns the lines. The corners are chosen under the
    // centrings and disabled under free placement, the corner chosen kept.
    void optionButtons_data()
    {
        QTest::addColumn<QString>("placement");
        QTest::addColumn<bool>("cornersEnabled");
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

    void keysMoveTheBarAndItsBox_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QStringList>("shown");  // the box after each key
        QTest::newRow("spindle: down, page up, end") << "Rotation2" << 2000
            << QList<int>{Qt::Key_Down, Qt::Key_PageUp, Qt::Key_End} << QStringList{"1999", "2049", "9950"};
        QTest::newRow("X: every key") << "Posx2" << 2000
            << QList<int>{Qt::Key_Right, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Down, Qt::Key_PageDown,
                          Qt::Key_Home, Qt::Key_End}
            << QStringList{" .1", " .2", " 1.2", " 1.1", " 1", " 0", "-200", " 200"};
    }

    void keysMoveTheBarAndItsBox()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QFETCH(QString, bar);
        QFETCH(int, start);
        QFETCH(QList<int>, keys);
        QFETCH(QStringList, shown);

        auto* scrollBar = control<QScrollBar>(window, qPrintable(bar));
        scrollBar->setValue(start);
        scrollBar->setFocus(Qt::TabFocusReason);
        QVERIFY(scrollBar->hasFocus());
        QStringList seen;
        for (int key : keys) {
            QTest::keyClick(scrollBar, Qt::Key(key));
            seen.append(valueBoxOf(window, bar)->text());
        }
        QCOMPARE(seen, shown);
    }

    void altLetterClicksItsButtonAlone_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("button");
        QTest::newRow("Alt+C Construire") << int(Qt::Key_C) << "Const1";
        QTest::newRow("Alt+A A propos de") << int(Qt::Key_A) << "Apropos1";
        QTest::newRow("Alt+F Effacer") << int(Qt::Key_F) << "Effacer";
        QTest::newRow("Alt+P Aperçu") << int(Qt::Key_P) << "Aperçu1";
    }

    void altLetterClicksItsButtonAlone()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QFETCH(int, key);
        QFETCH(QString, button);

        std::map<QString, std::unique_ptr<QSignalSpy>> clicks;
        for (const char* name : kCommandButtons)
            clicks[QString::fromUtf8(name)]
                = std::make_unique<QSignalSpy>(control<QPushButton>(window, name), &QPushButton::clicked);
        // From a text line, where the operator types most of the time.
        control<QLineEdit>(window, "Saisie12")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);

        QTRY_COMPARE(clicks.at(button)->count(), 1);
        for (const auto& [name, spy] : clicks)
            QVERIFY2(name == button || spy->isEmpty(), qPrintable(name));
    }

    void exactValue_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("byEnter");  // Enter on the bar, or a double click on the box
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");    // the box once the entry has closed
        QTest::addColumn<QString>("refusal");  // what the entry said, empty when it took the number

        QTest::newRow("size in range") << "Echelle2" << 5 << false << "12" << "12" << "";
        QTest::newRow("Y with a decimal comma, by Enter") << "Posy2" << 0 << true << "-7,5" << "-7.5" << "";
        QTest::newRow("X typed 12.25 keeps the tenth the bar holds")
            << "Posx2" << 2000 << false << "12.25" << " 12.2" << "";
        QTest::newRow("X beyond the plate's range") << "Posx2" << 2000 << false << "200.5" << " 0"
                                                    << "Hors limites : entrer un nombre de -200 à 200 mm.";
        QTest::newRow("tool in tenths") << "Outil2" << 3 << false << "2.5" << "3"
                                        << "Entrer un nombre entier de 1 à 32.";
        QTest::newRow("spindle not a number") << "Rotation2" << 2000 << true << "vite" << "2000"
                                              << "Entrer un nombre entier de 50 à 9950 tr/mn.";
    }

    void exactValue()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QFETCH(QString, bar);
        QFETCH(int, start);
        QFETCH(bool, byEnter);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, refusal);

        auto* scrollBar = control<QScrollBar>(window, qPrintable(bar));
        QLineEdit* valueBox = valueBoxOf(window, bar);
        scrollBar->setValue(start);

        bool opened = false;
        QString said;
        QTimer::singleShot(0, this, [&] {
            auto* entry = qobject_cast<ExactValueDialog*>(QApplication::activeModalWidget());
            if (!entry)
                return;
            opened = true;
            entry->entry().setText(typed);
            QTest::keyClick(&entry->entry(), Qt::Key_Return);
            said = entry->refusal();
            if (entry->isVisible())
                entry->reject();
        });
        if (byEnter) {
            scrollBar->setFocus(Qt::TabFocusReason);
            QTest::keyClick(scrollBar, Qt::Key_Return);
        } else {
            QTest::mouseDClick(valueBox, Qt::LeftButton);
        }

        QVERIFY(opened);
        QCOMPARE(said, refusal);
        QCOMPARE(valueBox->text(), shown);
        if (!refusal.isEmpty())
            QCOMPARE(scrollBar->value(), start);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
