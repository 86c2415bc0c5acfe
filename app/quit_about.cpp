#include "quit_about.h"

#include "panel/messages.h"

namespace velmora {

void askToQuit(MessageSeam& messages, const std::function<void()>& endProgram)
{
    const MessageAnswer answer = messages.show(MessageIcon::Question, MessageButtons::YesNo, QString(),
                                               QStringLiteral("Quitter VELMORA ?"));
    // The box offers Yes and No only, and closing it counts as No.
    if (answer != MessageAnswer::No)
        endProgram();
}

}  // namespace velmora
