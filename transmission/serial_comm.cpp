#include "serial_comm.h"

#include "french.h"
#include "output_queue.h"

#include <QSerialPort>

#include <algorithm>
#include <thread>

#ifndef Q_OS_WIN
#include <cerrno>
#include <unistd.h>
#endif

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long one wait for the port lasts before the stall watch looks again.
constexpr milliseconds kWaitSlice{100};
// How often the system's output queue is looked at while it drains.
constexpr milliseconds kDrainPoll{10};

// Tells a port that is slow from one that has stopped: any fall in the bytes
// still to send counts as progress, so a slow line, whose system queue empties
// a byte at a time while Qt waits for room, is never taken for a stalled one.
class StallWatch {
public:
    StallWatch(milliseconds timeout, long pending)
        : timeout_(timeout), lowest_(pending), lastProgress_(Clock::now())
    {
    }

    bool stalled(long pending)
    {
        const auto now = Clock::now();
        if (pending < lowest_) {
            lowest_ = pending;
            lastProgress_ = now;
        }
        return now - lastProgress_ >= timeout_;
    }

private:
    milliseconds timeout_;
    long lowest_;
    Clock::time_point lastProgress_;
};

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

// The causes told to the operator, each naming the port as the operator
// knows it.
std::string alreadyOpen(const std::string& port)
{
    return french(U"Le port ") + port + french(U" est déjà ouvert");
}

std::string doesNotExist(const std::string& port)
{
    return french(U"Le port ") + port + french(U" n'existe pas");
}

std::string writeFailed(const std::string& port)
{
    return french(U"Transmission interrompue : erreur d'écriture sur le port ") + port;
}

std::string stalled(const std::string& port)
{
    return french(U"Transmission interrompue : le port ") + port + french(U" ne prend plus les données");
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

SerialComm::SerialComm(DeviceNameForPort deviceName)
    : deviceName_(std::move(deviceName)), port_(std::make_unique<QSerialPort>())
{
}

SerialComm::~SerialComm()
{
    release();
}

bool SerialComm::succeed()
{
    lastError_ = CommError::None;
    lastErrorCause_.clear();
    return true;
}

bool SerialComm::fail(CommError error, std::string cause)
{
    lastError_ = error;
    lastErrorCause_ = std::move(cause);
    return false;
}

// "COM2" as the operator chose it, with the device behind it when that
// differs: "COM2 (/dev/ttyS1)".
std::string SerialComm::portName() const
{
    const std::string name = "COM" + std::to_string(commPort_);
    return device_.empty() || device_ == name ? name : name + " (" + device_ + ")";
}

bool SerialComm::setCommPort(std::int16_t port)
{
    if (portOpen())
        return fail(CommError::PortAlreadyOpen, alreadyOpen(portName()));
    device_.clear();
    if (port < 1)
        return fail(CommError::InvalidPort, french(U"Numéro de port invalide : ") + std::to_string(port));
    commPort_ = port;
    return succeed();
}

bool SerialComm::setSettings(std::string_view text)
{
    const LineSettingsReading reading = readLineSettings(text);
    if (!reading.ok())
        return fail(CommError::SettingsRefused, reading.refusal);
    if (reading.settings.stopBits == StopBits::OneAndHalf && !platformHasOneAndHalfStopBits())
        return fail(CommError::SettingsRefused,
                    french(U"Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2"));
    const LineSettings previous = lineSettings_;
    lineSettings_ = reading.settings;
    if (portOpen() && !applySettings()) {
        lineSettings_ = previous;
        applySettings();
        return fail(CommError::SettingsRefused,
                    french(U"Le port ") + portName() + french(U" refuse les paramètres ") + std::string(text));
    }
    settingsText_ = std::string(text);
    return succeed();
}

bool SerialComm::applySettings()
{
    const QtLineSettings qt = toQt(lineSettings_);
    return port_->setBaudRate(qt.baudRate) && port_->setParity(qt.parity)
        && port_->setDataBits(qt.dataBits) && port_->setStopBits(qt.stopBits);
}

bool SerialComm::portOpen() const
{
    return port_->isOpen();
}

bool SerialComm::setPortOpen(bool open)
{
    if (open == portOpen())
        return open ? fail(CommError::PortAlreadyOpen, alreadyOpen(portName())) : succeed();
    return open ? openPort() : closePort();
}

bool SerialComm::openPort()
{
    device_ = deviceName_(commPort_);
    if (device_.empty())
        return fail(CommError::InvalidPort, doesNotExist(portName()));
    port_->setPortName(QString::fromLocal8Bit(device_.c_str()));
    // Qt keeps the settings of a closed port and applies them as it opens it.
    applySettings();
    if (!port_->open(QIODevice::WriteOnly))
        return failOpen();
    return succeed();
}

bool SerialComm::failOpen()
{
    const QSerialPort::SerialPortError error = port_->error();
    port_->clearError();
    const std::string port = portName();
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return fail(CommError::InvalidPort, doesNotExist(port));
    case QSerialPort::PermissionError:
        if (accessDenied(device_))
            return fail(CommError::AccessDenied, french(U"Accès au port ") + port + french(U" refusé"));
        return fail(CommError::PortBusy, french(U"Le port ") + port + french(U" est déjà utilisé"));
    default:
        return fail(CommError::OpenFailed, french(U"Ouverture du port ") + port + french(U" impossible"));
    }
}

bool SerialComm::closePort()
{
    if (!handOver() || !drainSystemQueue()) {
        release();
        return false;
    }
    port_->close();
    return succeed();
}

void SerialComm::release()
{
    if (!portOpen())
        return;
    // Dropping the system's queue first keeps the close from waiting on it.
    port_->clear(QSerialPort::Output);
    port_->close();
    port_->clearError();
}

bool SerialComm::output(std::string_view bytes)
{
    if (!portOpen())
        return fail(CommError::PortNotOpen, french(U"Le port ") + portName() + french(U" n'est pas ouvert"));
    const auto size = qint64(bytes.size());
    if (port_->write(bytes.data(), size) != size)
        return fail(CommError::WriteFailed, writeFailed(portName()));
    return handOver() && succeed();
}

long SerialComm::pendingBytes() const
{
    return long(port_->bytesToWrite()) + queuedOutputBytes(port_->handle()).value_or(0);
}

// Waits until Qt has given every byte to the system. Qt's own close would
// throw away whatever is still in its buffer.
bool SerialComm::handOver()
{
    StallWatch watch(stallTimeout_, pendingBytes());
    const int slice = int(std::min(kWaitSlice, stallTimeout_).count());
    while (port_->bytesToWrite() > 0) {
        if (!port_->waitForBytesWritten(slice)) {
            if (port_->error() != QSerialPort::TimeoutError)
                return fail(CommError::WriteFailed, writeFailed(portName()));
            port_->clearError();
        }
        if (port_->bytesToWrite() > 0 && watch.stalled(pendingBytes()))
            return fail(CommError::WriteStalled, stalled(portName()));
    }
    return true;
}

// Waits until the system has sent what it holds for the port, so that
// closing loses nothing.
bool SerialComm::drainSystemQueue()
{
    const PortHandle handle = port_->handle();
    StallWatch watch(stallTimeout_, queuedOutputBytes(handle).value_or(0));
    for (long queued = queuedOutputBytes(handle).value_or(0); queued > 0;
         queued = queuedOutputBytes(handle).value_or(0)) {
        if (watch.stalled(queued))
            return fail(CommError::WriteStalled, stalled(portName()));
        std::this_thread::sleep_for(kDrainPoll);
    }
    if (!waitUntilSent(handle))
        return fail(CommError::WriteFailed, writeFailed(portName()));
    return true;
}

}  // namespace velmora
