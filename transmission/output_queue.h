#pragma once
// What the operating system still holds for a serial port after Qt has handed
// it the bytes. Closing a port throws that away on some drivers and makes the
// close wait on others, so the download waits for it to leave first.

#include <QSerialPort>

#include <optional>
#include <utility>

namespace velmora {

// The system's handle of an open port: a file descriptor, or a Windows HANDLE.
using PortHandle = decltype(std::declval<QSerialPort>().handle());

// Bytes written to the port but not yet sent on the line; nothing when the
// platform does not tell.
std::optional<long> queuedOutputBytes(PortHandle handle);

// Blocks until the last byte, including the one in the line's shift register,
// has left. Called once the queue above is empty, so it waits very little.
bool waitUntilSent(PortHandle handle);

}  // namespace velmora
