#pragma once
// "Télécharger": sends the program file to the machine over the serial line,
// item by item, each followed by a line feed, then the character 19 and a line
// feed. The machine answers nothing, so what leaves the port is what it cuts.
//
// The sending runs from the event loop: the whole wire text is handed to the
// port at once, Qt's bytesWritten tells how far the system has taken it, and a
// timer watches for a stalled port and for the last byte to leave. The window
// stays live throughout; the operator may stop the download at any moment.

#include "serial_line.h"

#include <QSerialPort>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The texts of the transmission controls, in Windows-1252.
struct TransmissionTexts {
    std::string port;      // Port2, "COM1"
    std::string speed;     // Vitesse2, "9600"
    std::string parity;    // Parité2, "E(ven)"
    std::string dataBits;  // Nbrebits2, "7"
    std::string stopBits;  // Bitsstop2, "2"
};

// The port number: the whole number that ends the port text, blanks around
// it ignored ("COM12" is 12); 0 when the text ends with no number or with one
// too large for a port.
std::int16_t portNumber(std::string_view portText);

// "speed,parity letter,data bits,stop bits", the parity letter being the
// first character of the parity text in lower case: "4800,e,7,2".
std::string lineSettingsText(const TransmissionTexts& texts);

// What the download tells of its progress, for the window's meter or a
// terminal to show.
class DownloadProgress {
public:
    virtual ~DownloadProgress() = default;
    // After each item, in order: `sent` of the `count` items have gone out.
    virtual void showSent(std::size_t sent, std::size_t count) = 0;
    // Every byte has left the port.
    virtual void showFull() = 0;
    // Back at rest: the download failed or was stopped.
    virtual void rest() = 0;
};

// The share of the items sent, in whole percent rounded down (reckoned in
// single precision, as the meter has always shown it): 50 half way.
int percentSent(std::size_t sent, std::size_t count);

struct DownloadRequest {
    std::filesystem::path programFile = "velmora.rub";
    TransmissionTexts texts;
};

class Download {
public:
    static constexpr std::chrono::milliseconds kDefaultStallTimeout{5000};
    // Done when every byte has left the port (the progress then shown full);
    // otherwise why nothing or part was sent, FailureKind::Stopped when the
    // operator stopped it.
    using Finished = std::function<void(const Result<void>&)>;

    // `deviceName` maps a port number to a device; tests give a pseudo-terminal.
    explicit Download(DeviceNameForPort deviceName = platformDeviceName);
    ~Download();
    Download(const Download&) = delete;
    Download& operator=(const Download&) = delete;

    // Reads the program file, opens the port and starts sending; returns at
    // once. `finished` is called exactly once, when the last byte has left the
    // port, on a failure, or on stop(); before start() returns when nothing
    // could be sent (program file, settings, port). Whatever the end, the file
    // and the port are released and, unless sent, the progress is at rest.
    void start(const DownloadRequest& request, DownloadProgress& progress, Finished finished);

    // Stops at once: what is still queued is dropped and the port released.
    void stop();

    bool running() const { return progress_ != nullptr; }
    bool portOpen() const { return line_.isOpen(); }

    // start(), then the event loop runs until the download has ended, so a
    // window stays painted and answers meanwhile. The end, sent or why not.
    Result<void> send(const DownloadRequest& request, DownloadProgress& progress);
    void setStallTimeout(std::chrono::milliseconds timeout) { stallTimeout_ = timeout; }
    // What the system still holds for the port. A pseudo-terminal always says
    // nothing, so a test plays a line whose last bytes never leave through it.
    using QueuedBytes = std::optional<long> (*)(PortHandle);
    void setQueuedBytes(QueuedBytes queued) { queuedBytes_ = queued; }

private:
    Result<void> openLine(const TransmissionTexts& texts);
    void bytesWritten(qint64 bytes);
    void watch();
    void lineError(QSerialPort::SerialPortError error);
    void showSent(std::size_t sent);
    std::size_t itemsWithin(std::size_t bytes) const;
    long pendingBytes() const;
    void finish(const Result<void>& end);
    void fail(FailureKind kind);

    DeviceNameForPort deviceName_;
    QSerialPort line_;
    QTimer watch_;
    std::chrono::milliseconds stallTimeout_ = kDefaultStallTimeout;
    QueuedBytes queuedBytes_ = queuedOutputBytes;

    // The download under way; none between downloads.
    DownloadProgress* progress_ = nullptr;
    Finished finished_;
    int port_ = 0;                       // as the operator chose it, and the device behind it
    std::string device_;
    std::string wire_;                   // every byte that goes on the line
    std::vector<std::size_t> itemEnds_;  // where each item's line feed ends in wire_
    std::size_t handedOver_ = 0;         // bytes the system has taken
    std::size_t shownItems_ = 0;
    bool draining_ = false;
    long lowestPending_ = 0;
    std::chrono::steady_clock::time_point lastProgress_;
};

}  // namespace velmora
