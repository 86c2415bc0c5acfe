// The real message boxes: what the operator sees and what each way of
// answering, closing included, gives back to the caller.

#include "panel/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace velmora;

namespace {

// How the operator answers: a click on Yes, a key, or the window's close
// button.
enum class Action { ClickYes, PressEscape, PressEnter, CloseWindow };

// A box as the program asks for it, and how it must look.
struct Box {
    MessageIcon icon;
    MessageButtons buttons;
    QString title;
    QString text;
    QMessageBox::Icon shownIcon;
    int buttonCount;
};

struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
};

// Acts on the box once it is up, recording what it showed.
void answerWhenShown(Action action, Seen& seen)
{
    QTimer::singleShot(0, [action, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            answerWhenShown(action, seen);
            return;
        }
        seen = {box->windowTitle(), box->text(), box->icon(), int(box->buttons().size())};
        switch (action) {
        case Action::ClickYes:
            QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            break;
        case Action::PressEscape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case Action::PressEnter:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case Action::CloseWindow:
            box->close();
            break;
        }
    });
}

const Box kQuit{MessageIcon::Question, MessageButtons::YesNo, QString(), "Quitter VELMORA ?", QMessageBox::Question, 2};
const Box kLoad{MessageIcon::Exclamation, MessageButtons::OkCancel, "Liaison PC-CN",
                "Placer la machine en mode chargement", QMessageBox::Warning, 2};
const Box kFailure{MessageIcon::Critical, MessageButtons::Ok, "Echec de la construction",
                   "La gravure du caractère  (µ)  est impossible", QMessageBox::Critical, 1};

}  // namespace

Q_DECLARE_METATYPE(Box)
Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(velmora::MessageAnswer)

class MessagesTest : public QObject {
    Q_OBJECT
private slots:
    void answer_data()
    {
        QTest::addColumn<Box>("box");
        QTest::addColumn<Action>("action");
        QTest::addColumn<MessageAnswer>("expected");
        QTest::newRow("yes/no, yes clicked") << kQuit << Action::ClickYes << MessageAnswer::Yes;
        QTest::newRow("yes/no, enter") << kQuit << Action::PressEnter << MessageAnswer::Yes;
        QTest::newRow("yes/no, escape") << kQuit << Action::PressEscape << MessageAnswer::No;
        QTest::newRow("yes/no, closed") << kQuit << Action::CloseWindow << MessageAnswer::No;
        QTest::newRow("ok/cancel, enter") << kLoad << Action::PressEnter << MessageAnswer::Ok;
        QTest::newRow("ok/cancel, escape") << kLoad << Action::PressEscape << MessageAnswer::Cancel;
        QTest::newRow("ok/cancel, closed") << kLoad << Action::CloseWindow << MessageAnswer::Cancel;
        QTest::newRow("ok, enter") << kFailure << Action::PressEnter << MessageAnswer::Ok;
        QTest::newRow("ok, closed") << kFailure << Action::CloseWindow << MessageAnswer::Ok;
    }

    void answer()
    {
        QFETCH(Box, box);
        QFETCH(Action, action);
        QFETCH(MessageAnswer, expected);

        QWidget window;
        ModalMessageBoxes boxes(&window);
        Seen seen;
        answerWhenShown(action, seen);

        QCOMPARE(boxes.show(box.icon, box.buttons, box.title, box.text), expected);
        QCOMPARE(seen.title, box.title);
        QCOMPARE(seen.text, box.text);
        QCOMPARE(seen.icon, box.shownIcon);
        QCOMPARE(seen.buttonCount, box.buttonCount);
    }
};

QTEST_MAIN(MessagesTest)
#include "tst_messages.moc"
