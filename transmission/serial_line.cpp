#include "serial_line.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace velmora {
namespace {

// Whether this process may not open the device at all, as opposed to finding
// it held by another program: both reach us as the same error from Qt.
bool accessDenied(const std::string& device)
{
#ifdef Q_OS_WIN
    (void)device;
    return false;
#else
    return ::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
#endif
}

FailureKind failedToOpen(QSerialPort& line, const std::string& device)
{
    const QSerialPort::SerialPortError error = line.error();
    line.clearError();
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return FailureKind::NoSuchPort;
    case QSerialPort::PermissionError:
        return accessDenied(device) ? FailureKind::PortAccessDenied : FailureKind::PortBusy;
    default:
        return FailureKind::PortOpenFailed;
    }
}

}  // namespace

std::string platformDeviceName(std::int16_t port)
{
    if (port < 1)
        return {};
#ifdef Q_OS_WIN
    return "COM" + std::to_string(port);
#else
    return "/dev/ttyS" + std::to_string(port - 1);
#endif
}

Failure lineFailure(FailureKind kind, int port, const std::string& device)
{
    Failure failure(kind, device);
    failure.port = port;
    return failure;
}

Result<void> openSerialLine(QSerialPort& line, const std::string& device, int port, const LineSettings& settings)
{
    if (device.empty())
        return lineFailure(FailureKind::NoSuchPort, port, device);
    line.setPortName(QString::fromLocal8Bit(device.c_str()));
    // Qt keeps the settings of a closed port and applies them as it opens it.
    const QtLineSettings qt = toQt(settings);
    line.setBaudRate(qt.baudRate);
    line.setParity(qt.parity);
    line.setDataBits(qt.dataBits);
    line.setStopBits(qt.stopBits);
    if (!line.open(QIODevice::WriteOnly))
        return lineFailure(failedToOpen(line, device), port, device);
    return {};
}

void releaseSerialLine(QSerialPort& line)
{
    if (!line.isOpen())
        return;
    line.clear(QSerialPort::Output);
    line.close();
    line.clearError();
}

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
