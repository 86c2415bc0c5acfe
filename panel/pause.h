#pragma once
// The pauses of the long reactions (the meter shown full, the pacing of the
// download). Tests put a pause that only records in its place.

#include <chrono>

namespace velmora {

class PauseSeam {
public:
    virtual ~PauseSeam() = default;
    virtual void pause(std::chrono::milliseconds length) = 0;
};

// Sleeps on the window's thread: the operator's input waits in the queue
// until the pause is over, as it does during the rest of a long reaction.
class SleepingPause final : public PauseSeam {
public:
    void pause(std::chrono::milliseconds length) override;
};

}  // namespace velmora
