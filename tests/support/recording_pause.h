#pragma once
// A pause that returns at once, records its length and lets a test look at
// the window while it is held.

#include "panel/pause.h"

#include <functional>
#include <vector>

namespace velmora {

struct RecordingPause final : PauseSeam {
    std::vector<std::chrono::milliseconds> pauses;
    std::function<void()> onPause;

    void pause(std::chrono::milliseconds length) override
    {
        pauses.push_back(length);
        if (onPause)
            onPause();
    }
};

}  // namespace velmora
