// The real message boxes: what the operator sees and what each way of
// answering, closing included, gives back to the caller.

#include "panel/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace velmora;

namespace {

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

class MessagesTest : public QObject {
    Q_OBJECT
private slots:
    void answer_data()
    {
        QTest::addColumn<Box>("box");
        QTest::addColumn<int>("key");
        QTest::addColumn<MessageAnswer>("expected");
        QTest::newRow("yes/no, enter") << kQuit << kEnter << MessageAnswer::Yes;
        QTest::newRow("yes/no, escape") << kQuit << kEscape << MessageAnswer::No;
        QTest::newRow("yes/no, closed") << kQuit << kClose << MessageAnswer::No;
        QTest::newRow("ok/cancel, enter") << kLoad << kEnter << MessageAnswer::Ok;
        QTest::newRow("ok/cancel, escape") << kLoad << kEscape << MessageAnswer::Cancel;
        QTest::newRow("ok/cancel, closed") << kLoad << kClose << MessageAnswer::Cancel;
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
};

QTEST_MAIN(MessagesTest)
#include "tst_messages.moc"
