#pragma once
// The serial line to the machine: which device stands behind a port number,
// opening it with the line settings in force before the first byte, and the
// causes of its failures as the operator reads them. The line needs a
// QCoreApplication, as every QSerialPort does.

#include "line_settings.h"

#include <QSerialPort>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace velmora {

// The device behind port number n ("/dev/ttyS<n-1>" on Linux, "COM<n>" on
// Windows), or an empty name when there is none.
using DeviceNameForPort = std::function<std::string(std::int16_t port)>;
std::string platformDeviceName(std::int16_t port);

// A failure of the line to port number `port`, on `device`.
Failure lineFailure(FailureKind kind, int port, const std::string& device);

// Opens `device` for writing, the settings applied as it opens; `port` names
// it in the failures (NoSuchPort, PortBusy, PortAccessDenied,
// PortOpenFailed). Nothing is read back from the machine.
Result<void> openSerialLine(QSerialPort& line, const std::string& device, int port, const LineSettings& settings);

// Closes at once, dropping whatever has not left yet, so that the close
// cannot wait on it and the port is free for the next attempt.
void releaseSerialLine(QSerialPort& line);

// What the operating system still holds for a port after Qt has handed it
// the bytes. Closing a port throws that away on some drivers and makes the
// close wait on others, so the download waits for it to leave first.

// The system's handle of an open port: a file descriptor, or a Windows HANDLE.
using PortHandle = decltype(std::declval<QSerialPort>().handle());

// Bytes written to the port but not yet sent on the line; nothing when the
// platform does not tell.
std::optional<long> queuedOutputBytes(PortHandle handle);

// Blocks until the last byte, including the one in the line's shift register,
// has left. Called once the queue above is empty, so it waits very little.
bool waitUntilSent(PortHandle handle);

}  // namespace velmora
