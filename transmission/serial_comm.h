#pragma once
// The serial communications component the download works through: a port
// number, a settings text, open or closed, and output. It stands over
// QSerialPort and needs a QCoreApplication, as every QSerialPort does.
//
// Unlike a component that queues the bytes and returns, output() returns only
// once Qt has handed every byte to the operating system, and closing the port
// first waits until the system has sent them all: what the download reports as
// sent has left the port. A port that stops taking bytes for the stall timeout
// fails the call instead of hanging the window.

#include "line_settings.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QSerialPort;

namespace velmora {

// Why the last operation failed. Only InvalidPort (no such port) carries a
// number other components know; the others are this component's own.
enum class CommError {
    None = 0,
    InvalidPort = 8002,
    PortAlreadyOpen = 8005,
    PortBusy = 8006,
    AccessDenied = 8007,
    OpenFailed = 8010,
    PortNotOpen = 8012,
    SettingsRefused = 8015,
    WriteFailed = 8020,
    WriteStalled = 8021,
};

// The device behind port number n ("/dev/ttyS<n-1>" on Linux, "COM<n>" on
// Windows), or an empty name when there is none.
using DeviceNameForPort = std::function<std::string(std::int16_t port)>;
std::string platformDeviceName(std::int16_t port);

class SerialComm {
public:
    static constexpr std::chrono::milliseconds kDefaultStallTimeout{5000};

    explicit SerialComm(DeviceNameForPort deviceName = platformDeviceName);
    ~SerialComm();
    SerialComm(const SerialComm&) = delete;
    SerialComm& operator=(const SerialComm&) = delete;

    // Every setter returns false on failure, with lastError() and
    // lastErrorCause() telling why; a success clears them.

    // Port numbers start at 1; anything below is InvalidPort. Refused while
    // the port is open.
    bool setCommPort(std::int16_t port);
    std::int16_t commPort() const { return commPort_; }

    // A text as readLineSettings() reads it. Refused, and the previous
    // settings kept, when it is malformed or asks for a framing the platform
    // cannot send. Applies at once to an open port.
    bool setSettings(std::string_view text);
    const std::string& settings() const { return settingsText_; }
    const LineSettings& lineSettings() const { return lineSettings_; }

    // Opening a port whose device does not exist is InvalidPort. Closing
    // waits until every byte has left the port; if that stalls, the port is
    // released anyway and the call fails.
    bool setPortOpen(bool open);
    bool portOpen() const;

    // Sends the bytes unchanged and returns once the system holds them all.
    bool output(std::string_view bytes);

    // Closes at once, dropping whatever has not left yet: the way out after
    // a failure, so that the port is free for the next attempt.
    void release();

    void setStallTimeout(std::chrono::milliseconds timeout) { stallTimeout_ = timeout; }

    CommError lastError() const { return lastError_; }
    // Windows-1252, short, ready to show to the operator.
    const std::string& lastErrorCause() const { return lastErrorCause_; }

private:
    bool succeed();
    bool fail(CommError error, std::string cause);
    bool openPort();
    bool closePort();
    bool failOpen();
    bool applySettings();
    bool handOver();
    bool drainSystemQueue();
    long pendingBytes() const;
    std::string portName() const;

    DeviceNameForPort deviceName_;
    std::unique_ptr<QSerialPort> port_;
    std::int16_t commPort_ = 1;
    std::string device_;  // the device last opened, for naming it in causes
    std::string settingsText_ = "9600,n,8,1";
    LineSettings lineSettings_;
    std::chrono::milliseconds stallTimeout_ = kDefaultStallTimeout;
    CommError lastError_ = CommError::None;
    std::string lastErrorCause_;
};

}  // namespace velmora
