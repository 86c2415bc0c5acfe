#pragma once
// A stand-in for the message boxes: records every box the code would have
// shown and answers from a script, so tests run without a modal loop.

#include "panel/messages.h"

#include <deque>
#include <vector>

namespace velmora {

class ScriptedMessages final : public MessageSeam {
public:
    struct Call {
        MessageIcon icon;
        MessageButtons buttons;
        QString title;
        QString text;
        QString cause;
    };

    // Answers given in this order; once they run out, the default answer.
    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    void setDefaultAnswer(MessageAnswer answer) { defaultAnswer_ = answer; }

    const std::vector<Call>& calls() const { return calls_; }

    MessageAnswer show(MessageIcon icon, MessageButtons buttons, const QString& title, const QString& text,
                       const QString& cause = QString()) override
    {
        calls_.push_back({icon, buttons, title, text, cause});
        if (answers_.empty())
            return defaultAnswer_;
        const MessageAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

private:
    std::vector<Call> calls_;
    std::deque<MessageAnswer> answers_;
    MessageAnswer defaultAnswer_ = MessageAnswer::Ok;
};

}  // namespace velmora
