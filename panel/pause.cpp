#include "pause.h"

#include <thread>

namespace velmora {

void SleepingPause::pause(std::chrono::milliseconds length)
{
    if (length > std::chrono::milliseconds::zero())
        std::this_thread::sleep_for(length);
}

}  // namespace velmora
