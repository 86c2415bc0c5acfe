#include "download.h"

#include "common/codepage.h"
#include "common/fields.h"
#include "common/numbers.h"
#include "common/whole_file.h"

#include <QEventLoop>

#include <algorithm>
#include <cmath>
#include <optional>

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;

// Sent after the last item: device control 3, which ends the transfer at the
// machine, then a line feed like every item.
constexpr std::string_view kEndOfTransfer = "\x13\n";

// How often the stall watch looks at the port, and at the system's queue once
// Qt has handed it everything.
constexpr std::chrono::milliseconds kWatchInterval{10};

}  // namespace

std::int16_t portNumber(std::string_view portText)
{
    const auto last = portText.find_last_not_of(" \t");
    if (last == std::string_view::npos)
        return 0;
    portText = portText.substr(0, last + 1);
    const auto digits = portText.find_last_not_of("0123456789");
    const std::string_view number = digits == std::string_view::npos ? portText : portText.substr(digits + 1);
    if (number.empty())
        return 0;
    return roundToInt16(leadingNumber(number)).value_or(0);
}

int percentSent(std::size_t sent, std::size_t count)
{
    return static_cast<int>(std::floor(double(float(sent) * 100.0f) / double(count)));
}

std::string lineSettingsText(const TransmissionTexts& texts)
{
    std::string parity = texts.parity.substr(0, 1);
    if (!parity.empty() && parity[0] >= 'A' && parity[0] <= 'Z')
        parity[0] = char(parity[0] - 'A' + 'a');
    return texts.speed + "," + parity + "," + texts.dataBits + "," + texts.stopBits;
}

Download::Download(DeviceNameForPort deviceName) : deviceName_(std::move(deviceName))
{
    QObject::connect(&line_, &QSerialPort::bytesWritten, &line_, [this](qint64 bytes) { bytesWritten(bytes); });
    QObject::connect(&line_, &QSerialPort::errorOccurred, &line_,
                     [this](QSerialPort::SerialPortError error) { lineError(error); });
    QObject::connect(&watch_, &QTimer::timeout, &watch_, [this] { watch(); });
    watch_.setInterval(kWatchInterval);
}

Download::~Download()
{
    watch_.stop();
    releaseSerialLine(line_);
}

// The settings read, the port chosen and opened; or why not.
Result<void> Download::openLine(const TransmissionTexts& texts)
{
    const Result<LineSettings> settings = readLineSettings(lineSettingsText(texts));
    if (!settings.ok())
        return settings.failure();
    if (settings.value().stopBits == StopBits::OneAndHalf && !platformHasOneAndHalfStopBits())
        return Failure(FailureKind::NoOneAndHalfStopBits);
    port_ = portNumber(texts.port);
    if (port_ < 1) {
        Failure invalid(FailureKind::InvalidPort);
        invalid.detail = cp1252::toUtf8(texts.port);
        return invalid;
    }
    device_ = deviceName_(std::int16_t(port_));
    const Result<void> opened = openSerialLine(line_, device_, port_, settings.value());
    if (opened.ok() || opened.failure().kind != FailureKind::NoSuchPort || device_.empty())
        return opened;
    // The system's reason the device is not there.
    Failure missing = opened.failure();
    (void)std::filesystem::status(device_, missing.cause);
    if (!missing.cause)
        missing.cause = std::make_error_code(std::errc::no_such_device_or_address);
    return missing;
}

void Download::start(const DownloadRequest& request, DownloadProgress& progress, Finished finished)
{
    if (running())
        return;
    // The whole program file, read at once so that the file is released
    // before the port is touched and the count and the sending see the same
    // items.
    const Result<std::string> program = readWholeFile(request.programFile, kProgramFileLimit);
    const Result<void> opened = program.ok() ? openLine(request.texts) : program.failure();
    if (!opened.ok()) {
        progress.rest();
        finished(opened);
        return;
    }

    FieldReader reader(program.value());
    while (!reader.atEnd()) {
        wire_ += reader.next();
        wire_ += '\n';
        itemEnds_.push_back(wire_.size());
    }
    wire_ += kEndOfTransfer;
    progress_ = &progress;
    finished_ = std::move(finished);
    handedOver_ = 0;
    shownItems_ = 0;
    draining_ = false;
    if (line_.write(wire_.data(), qint64(wire_.size())) != qint64(wire_.size())) {
        fail(FailureKind::WriteFailed);
        return;
    }
    lowestPending_ = pendingBytes();
    lastProgress_ = Clock::now();
    watch_.start();
}

Result<void> Download::send(const DownloadRequest& request, DownloadProgress& progress)
{
    Result<void> outcome;
    QEventLoop loop;
    start(request, progress, [&](const Result<void>& end) {
        outcome = end;
        loop.quit();
    });
    if (running())
        loop.exec();
    // Left early only when the program is ending: nothing stays open or running.
    stop();
    return outcome;
}

void Download::stop()
{
    if (!running())
        return;
    // What the system still holds has not reached the machine, and goes.
    const auto queued = std::size_t(std::max(0L, queuedBytes_(line_.handle()).value_or(0)));
    const std::size_t left = handedOver_ > queued ? handedOver_ - queued : 0;
    const std::size_t sent = itemsWithin(left);
    const std::size_t count = itemEnds_.size();
    releaseSerialLine(line_);
    progress_->rest();
    Failure stopped(FailureKind::Stopped);
    stopped.itemsSent = sent;
    stopped.itemCount = count;
    finish(stopped);
}

void Download::bytesWritten(qint64 bytes)
{
    if (!running())
        return;
    handedOver_ += std::size_t(bytes);
    showSent(itemsWithin(handedOver_));
    if (line_.bytesToWrite() == 0)
        draining_ = true;
}

// The progress follows the items in order, one step per item, whatever the
// size of the blocks the system takes at once.
void Download::showSent(std::size_t sent)
{
    for (std::size_t n = shownItems_ + 1; n <= sent; ++n)
        progress_->showSent(n, itemEnds_.size());
    shownItems_ = std::max(shownItems_, sent);
}

std::size_t Download::itemsWithin(std::size_t bytes) const
{
    return std::size_t(std::upper_bound(itemEnds_.begin(), itemEnds_.end(), bytes) - itemEnds_.begin());
}

long Download::pendingBytes() const
{
    return long(line_.bytesToWrite()) + queuedBytes_(line_.handle()).value_or(0);
}

// Any fall in the bytes still to send counts as progress, so a slow line,
// whose system queue empties a byte at a time, is never taken for a stalled
// one. Once Qt has handed everything over, the port is closed only when the
// system has sent it all: closing earlier would lose the end of the program.
void Download::watch()
{
    const long pending = pendingBytes();
    const auto now = Clock::now();
    if (pending < lowestPending_) {
        lowestPending_ = pending;
        lastProgress_ = now;
    }
    if (draining_ && pending == 0) {
        if (!waitUntilSent(line_.handle())) {
            fail(FailureKind::WriteFailed);
            return;
        }
        watch_.stop();
        line_.close();
        progress_->showFull();
        finish({});
        return;
    }
    if (now - lastProgress_ >= stallTimeout_)
        fail(FailureKind::Stalled);
}

void Download::lineError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !running())
        return;
    fail(FailureKind::WriteFailed);
}

void Download::fail(FailureKind kind)
{
    releaseSerialLine(line_);
    progress_->rest();
    finish(lineFailure(kind, port_, device_));
}

void Download::finish(const Result<void>& end)
{
    watch_.stop();
    Finished finished = std::move(finished_);
    finished_ = nullptr;
    progress_ = nullptr;
    wire_.clear();
    itemEnds_.clear();
    finished(end);
}

}  // namespace velmora
