#pragma once
// The window's seams as the benchmarks answer them: every question with OK,
// every pause skipped, so that what is timed is the work alone.

#include "panel/messages.h"
#include "panel/pause.h"

#include <chrono>

namespace velmora::bench {

class AnswerOk final : public MessageSeam {
public:
    MessageAnswer show(MessageIcon, MessageButtons, const QString&, const QString&, const QString& = QString()) override
    {
        return MessageAnswer::Ok;
    }
};

class NoPause final : public PauseSeam {
public:
    void pause(std::chrono::milliseconds) override {}
};

}  // namespace velmora::bench
