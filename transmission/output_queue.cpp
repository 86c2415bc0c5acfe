#include "output_queue.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace velmora {

#ifdef Q_OS_WIN

std::optional<long> queuedOutputBytes(PortHandle handle)
{
    COMSTAT status{};
    DWORD errors = 0;
    if (!ClearCommError(handle, &errors, &status))
        return std::nullopt;
    return long(status.cbOutQue);
}

bool waitUntilSent(PortHandle handle)
{
    return FlushFileBuffers(handle) != 0;
}

#else

std::optional<long> queuedOutputBytes(PortHandle handle)
{
    int queued = 0;
    if (::ioctl(handle, TIOCOUTQ, &queued) != 0)
        return std::nullopt;
    return long(queued);
}

bool waitUntilSent(PortHandle handle)
{
    return ::tcdrain(handle) == 0;
}

#endif

}  // namespace velmora
