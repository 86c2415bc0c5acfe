#include "messages.h"

#include <QMessageBox>

#include <vector>

namespace velmora {
namespace {

struct Choice {
    QMessageBox::StandardButton button;
    MessageAnswer answer;
};

// The buttons in the order shown; the first is the default, the last is the
// one that closing the box stands for.
std::vector<Choice> choicesFor(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return {{QMessageBox::Ok, MessageAnswer::Ok}};
    case MessageButtons::OkCancel:
        return {{QMessageBox::Ok, MessageAnswer::Ok}, {QMessageBox::Cancel, MessageAnswer::Cancel}};
    case MessageButtons::YesNo:
        return {{QMessageBox::Yes, MessageAnswer::Yes}, {QMessageBox::No, MessageAnswer::No}};
    }
    return {{QMessageBox::Ok, MessageAnswer::Ok}};
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

}  // namespace

MessageAnswer ModalMessageBoxes::show(MessageIcon icon, MessageButtons buttons, const QString& title,
                                      const QString& text)
{
    QMessageBox box(boxIcon(icon), title, text, QMessageBox::NoButton, parent_);
    box.setWindowModality(Qt::ApplicationModal);
    const std::vector<Choice> choices = choicesFor(buttons);
    for (const Choice& choice : choices)
        box.addButton(choice.button);
    box.setDefaultButton(choices.front().button);
    box.setEscapeButton(box.button(choices.back().button));
    box.exec();

    const QAbstractButton* clicked = box.clickedButton();
    for (const Choice& choice : choices)
        if (clicked == box.button(choice.button))
            return choice.answer;
    return choices.back().answer;
}

}  // namespace velmora
