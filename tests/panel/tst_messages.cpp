// The real message boxes: what the operator sees and what each way of
// answering, closing included, gives back to the caller.

#include "panel/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::MessageButtons)
Q_DECLARE_METATYPE(velmora::MessageAnswer)

namespace {

// How the operator answers: a click on a button, a key, or the window's close
// button.
enum class Action { ClickOk, ClickCancel, ClickYes, ClickNo, PressEscape, PressEnter, CloseWindow };

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
        case Action::ClickOk:
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
            break;
        case Action::ClickCancel:
            QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
            break;
        case Action::ClickYes:
            QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
            break;
        case Action::ClickNo:
            QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
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

}  // namespace

Q_DECLARE_METATYPE(Action)

class MessagesTest : public QObject {
    Q_OBJECT
private slots:
    void answer_data();
    void answer();
    void iconAndTexts_data();
    void iconAndTexts();
};

void MessagesTest::answer_data()
{
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<Action>("action");
    QTest::addColumn<MessageAnswer>("expected");

    QTest::newRow("ok clicked") << MessageButtons::Ok << Action::ClickOk << MessageAnswer::Ok;
    QTest::newRow("ok enter") << MessageButtons::Ok << Action::PressEnter << MessageAnswer::Ok;
    QTest::newRow("ok closed") << MessageButtons::Ok << Action::CloseWindow << MessageAnswer::Ok;
    QTest::newRow("ok/cancel ok clicked") << MessageButtons::OkCancel << Action::ClickOk << MessageAnswer::Ok;
    QTest::newRow("ok/cancel cancel clicked")
        << MessageButtons::OkCancel << Action::ClickCancel << MessageAnswer::Cancel;
    QTest::newRow("ok/cancel enter") << MessageButtons::OkCancel << Action::PressEnter << MessageAnswer::Ok;
    QTest::newRow("ok/cancel escape") << MessageButtons::OkCancel << Action::PressEscape << MessageAnswer::Cancel;
    QTest::newRow("ok/cancel closed") << MessageButtons::OkCancel << Action::CloseWindow << MessageAnswer::Cancel;
    QTest::newRow("yes/no yes clicked") << MessageButtons::YesNo << Action::ClickYes << MessageAnswer::Yes;
    QTest::newRow("yes/no no clicked") << MessageButtons::YesNo << Action::ClickNo << MessageAnswer::No;
    QTest::newRow("yes/no enter") << MessageButtons::YesNo << Action::PressEnter << MessageAnswer::Yes;
    QTest::newRow("yes/no escape") << MessageButtons::YesNo << Action::PressEscape << MessageAnswer::No;
    QTest::newRow("yes/no closed") << MessageButtons::YesNo << Action::CloseWindow << MessageAnswer::No;
}

void MessagesTest::answer()
{
    QFETCH(MessageButtons, buttons);
    QFETCH(Action, action);
    QFETCH(MessageAnswer, expected);

    QWidget window;
    ModalMessageBoxes boxes(&window);
    Seen seen;
    answerWhenShown(action, seen);

    QCOMPARE(boxes.show(MessageIcon::Question, buttons, QString(), QStringLiteral("?")), expected);
}

void MessagesTest::iconAndTexts_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("shownIcon");
    QTest::addColumn<int>("buttonCount");

    QTest::newRow("question, empty title")
        << int(MessageIcon::Question) << MessageButtons::YesNo << QString() << "Quitter VELMORA ?"
        << int(QMessageBox::Question) << 2;
    QTest::newRow("exclamation")
        << int(MessageIcon::Exclamation) << MessageButtons::OkCancel << "Liaison PC-CN"
        << "Placer la machine en mode chargement" << int(QMessageBox::Warning) << 2;
    QTest::newRow("critical, blanks kept")
        << int(MessageIcon::Critical) << MessageButtons::Ok << "Echec de la construction"
        << "La gravure du caractère  (µ)  est impossible" << int(QMessageBox::Critical) << 1;
}

void MessagesTest::iconAndTexts()
{
    QFETCH(int, icon);
    QFETCH(MessageButtons, buttons);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, shownIcon);
    QFETCH(int, buttonCount);

    QWidget window;
    ModalMessageBoxes boxes(&window);
    Seen seen;
    answerWhenShown(Action::PressEscape, seen);
    boxes.show(MessageIcon(icon), buttons, title, text);

    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, text);
    QCOMPARE(int(seen.icon), shownIcon);
    QCOMPARE(seen.buttonCount, buttonCount);
}

QTEST_MAIN(MessagesTest)
#include "tst_messages.moc"
