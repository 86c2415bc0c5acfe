#include "messages.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

struct Choice {
    QMessageBox::StandardButton button;
    MessageAnswer answer;
    const char* caption;  // the operator reads French, whatever the desktop's language
};

// The buttons in the order shown; the first is the default, the last is the
// one that closing the box stands for.
std::vector<Choice> choicesFor(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return {{QMessageBox::Ok, MessageAnswer::Ok, "OK"}};
    case MessageButtons::OkCancel:
        return {{QMessageBox::Ok, MessageAnswer::Ok, "OK"},
                {QMessageBox::Cancel, MessageAnswer::Cancel, "Annuler"}};
    case MessageButtons::YesNo:
        return {{QMessageBox::Yes, MessageAnswer::Yes, "Oui"}, {QMessageBox::No, MessageAnswer::No, "Non"}};
    }
    return {{QMessageBox::Ok, MessageAnswer::Ok, "OK"}};
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// Qt wraps the line under the text to the text's width; a cause is one
// sentence, kept on one line up to a reasonable width.
void showCause(QMessageBox& box, const QString& cause)
{
    constexpr int kWidestLinePixels = 520;
    box.setInformativeText(cause);
    if (auto* line = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        line->setMinimumWidth(std::min(line->fontMetrics().horizontalAdvance(cause) + 2, kWidestLinePixels));
}

}  // namespace

MessageAnswer ModalMessageBoxes::show(MessageIcon icon, MessageButtons buttons, const QString& title,
                                      const QString& text, const QString& cause)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::NoButton, parent_);
    showCause(box, cause);
    box.setWindowModality(Qt::ApplicationModal);
    const std::vector<Choice> choices = choicesFor(buttons);
    for (const Choice& choice : choices)
        box.addButton(choice.button)->setText(QString::fromUtf8(choice.caption));
    box.setDefaultButton(choices.front().button);
    box.setEscapeButton(box.button(choices.back().button));
    box.exec();

    const QAbstractButton* clicked = box.clickedButton();
    for (const Choice& choice : choices)
        if (clicked == box.button(choice.button))
            return choice.answer;
    return choices.back().answer;
}

void tellFailure(MessageSeam& messages, MessageIcon icon, Task task, const Failure& failure)
{
    const Message message = failureMessage(task, failure);
    messages.show(icon, MessageButtons::Ok, QString::fromStdString(message.title),
                  QString::fromStdString(message.text), QString::fromStdString(message.cause));
}

}  // namespace velmora
