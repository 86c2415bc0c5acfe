#pragma once
// A pause that returns at once and records what was asked, so the long
// reactions run at full speed in tests and their pauses can be checked.

#include "panel/pause.h"

#include <functional>
#include <vector>

namespace velmora {

class RecordingPause final : public PauseSeam {
public:
    std::vector<std::chrono::milliseconds> pauses;
    // Runs at each pause, to look at the window while it is held.
    std::function<void()> onPause;

    void pause(std::chrono::milliseconds length) override
    {
        pauses.push_back(length);
        if (onPause)
            onPause();
    }
};

}  // namespace velmora
