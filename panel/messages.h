#pragma once
// Everything the system asks or tells the operator goes through a modal
// message box. The logic talks to this seam, so tests can answer in its place.

#include "common/failure.h"

#include <QString>

class QWidget;

namespace velmora {

enum class MessageIcon { Question, Exclamation, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// `cause`, when there is one, stands under the text in plain words: why it
// came to this. The text itself stays the same whatever the cause.
class MessageSeam {
public:
    virtual ~MessageSeam() = default;
    virtual MessageAnswer show(MessageIcon icon, MessageButtons buttons, const QString& title, const QString& text,
                               const QString& cause = QString()) = 0;
};

// Real message boxes, modal, parented to the window. Closing a box without
// choosing counts as the cautious answer: Cancel, No, or Ok when Ok is all
// there is.
class ModalMessageBoxes final : public MessageSeam {
public:
    explicit ModalMessageBoxes(QWidget* parent) : parent_(parent) {}
    MessageAnswer show(MessageIcon icon, MessageButtons buttons, const QString& title, const QString& text,
                       const QString& cause = QString()) override;

private:
    QWidget* parent_;
};

// A failure told with an OK button, in the words failureMessage() gives it.
void tellFailure(MessageSeam& messages, MessageIcon icon, Task task, const Failure& failure);

}  // namespace velmora
