#include "serial_line.h"

#include "french.h"

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

LineError failedToOpen(QSerialPort& line, const std::string& device, const std::string& port)
{
    const QSerialPort::SerialPortError error = line.error();
    line.clearError();
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return {LineFailure::NoSuchPort, french(U"Le port ") + port + french(U" n'existe pas")};
    case QSerialPort::PermissionError:
        if (accessDenied(device))
            return {LineFailure::AccessDenied, french(U"Accès au port ") + port + french(U" refusé")};
        return {LineFailure::PortBusy, french(U"Le port ") + port + french(U" est déjà utilisé")};
    default:
        return {LineFailure::OpenFailed, french(U"Ouverture du port ") + port + french(U" impossible")};
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

std::string portName(std::int16_t port, const std::string& device)
{
    const std::string name = "COM" + std::to_string(port);
    return device.empty() || device == name ? name : name + " (" + device + ")";
}

LineError openSerialLine(QSerialPort& line, const std::string& device, const std::string& name,
                         const LineSettings& settings)
{
    if (device.empty())
        return {LineFailure::NoSuchPort, french(U"Le port ") + name + french(U" n'existe pas")};
    line.setPortName(QString::fromLocal8Bit(device.c_str()));
    // Qt keeps the settings of a closed port and applies them as it opens it.
    const QtLineSettings qt = toQt(settings);
    line.setBaudRate(qt.baudRate);
    line.setParity(qt.parity);
    line.setDataBits(qt.dataBits);
    line.setStopBits(qt.stopBits);
    if (!line.open(QIODevice::WriteOnly))
        return failedToOpen(line, device, name);
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

LineError writeFailed(const std::string& port)
{
    return {LineFailure::WriteFailed, french(U"Transmission interrompue : erreur d'écriture sur le port ") + port};
}

LineError stalled(const std::string& port)
{
    return {LineFailure::Stalled,
            french(U"Transmission interrompue : le port ") + port + french(U" ne prend plus les données")};
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
