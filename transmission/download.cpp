#include "download.h"

#include "french.h"

#include "common/fields.h"
#include "common/failure.h"
#include "common/numbers.h"
#include "common/whole_file.h"

#include <QString>

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

struct ProgramReading {
    std::optional<std::string> bytes;
    std::string failure;
};

// The whole program file as bytes, read at once so that the file is released
// before the port is touched and the count and the sending see the same items.
ProgramReading readProgram(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    WholeFile file = readWholeFile(path, kProgramFileLimit);
    if (file.missing())
        return {std::nullopt, french(U"Le fichier ") + name + french(U" est introuvable")};
    if (!file.read()) {
        const std::u32string cause = QString::fromStdString(frenchCause(file.cause)).toStdU32String();
        return {std::nullopt, french(U"Lecture du fichier ") + name + french(U" impossible : ") + french(cause)};
    }
    return {std::move(file.bytes), {}};
}

// "Problème de connexion" is what the operator has always read for a port
// that is not there; the cause under it names the port chosen, the device it
// stands for and the system's reason, in French.
std::string noConnectionCause(std::int16_t port, const std::string& device)
{
    const std::string chosen = "Port COM" + std::to_string(port);
    if (device.empty())
        return chosen + french(U" : aucun périphérique ne lui correspond");
    std::error_code reason;
    (void)std::filesystem::status(device, reason);
    if (!reason)
        reason = std::make_error_code(std::errc::no_such_device_or_address);
    return chosen + french(U", périphérique ") + device + " : "
        + french(QString::fromStdString(frenchCause(reason)).toStdU32String());
}

std::string emptyOr(std::string_view text)
{
    return text.find_first_not_of(" \t") == std::string_view::npos ? french(U"(vide)") : std::string(text);
}

DownloadOutcome failure(std::string message, std::string cause = {})
{
    return {DownloadEnd::Failed, std::move(message), 0, 0, std::move(cause)};
}

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

void Download::start(const DownloadRequest& request, DownloadProgress& progress, Finished finished)
{
    if (running())
        return;
    const ProgramReading program = readProgram(request.programFile);
    if (!program.bytes) {
        progress.rest();
        finished(failure(program.failure));
        return;
    }
    const LineSettingsReading settings = readLineSettings(lineSettingsText(request.texts));
    std::string refusal = settings.refusal;
    std::string cause;  // under the refusal, when it has one
    if (settings.ok() && settings.settings.stopBits == StopBits::OneAndHalf && !platformHasOneAndHalfStopBits())
        refusal = french(U"Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2");
    const std::int16_t port = portNumber(request.texts.port);
    if (refusal.empty() && port < 1) {
        refusal = french(U"Problème de connexion");
        cause = french(U"Port invalide : ") + emptyOr(request.texts.port);
    }
    const std::string device = refusal.empty() ? deviceName_(port) : std::string();
    port_ = portName(port, device);
    if (refusal.empty()) {
        const LineError opened = openSerialLine(line_, device, port_, settings.settings);
        if (opened.failure == LineFailure::NoSuchPort) {
            refusal = french(U"Problème de connexion");
            cause = noConnectionCause(port, device);
        } else if (opened) {
            refusal = opened.cause;
        }
    }
    if (!refusal.empty()) {
        progress.rest();
        finished(failure(refusal, cause));
        return;
    }

    FieldReader reader(*program.bytes);
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
        fail(writeFailed(port_));
        return;
    }
    lowestPending_ = pendingBytes();
    lastProgress_ = Clock::now();
    watch_.start();
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
    finish({DownloadEnd::Stopped,
            french(U"Téléchargement arrêté : ") + std::to_string(sent) + french(U" éléments sur ")
                + std::to_string(count) + french(U" envoyés.\nLa machine contient un programme incomplet."),
            sent, count, {}});
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
            fail(writeFailed(port_));
            return;
        }
        watch_.stop();
        line_.close();
        progress_->showFull();
        finish({DownloadEnd::Sent, {}, itemEnds_.size(), itemEnds_.size(), {}});
        return;
    }
    if (now - lastProgress_ >= stallTimeout_)
        fail(stalled(port_));
}

void Download::lineError(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !running())
        return;
    fail(writeFailed(port_));
}

void Download::fail(const LineError& error)
{
    releaseSerialLine(line_);
    progress_->rest();
    DownloadOutcome outcome = failure(error.cause);
    outcome.itemCount = itemEnds_.size();
    finish(std::move(outcome));
}

void Download::finish(DownloadOutcome outcome)
{
    watch_.stop();
    Finished finished = std::move(finished_);
    finished_ = nullptr;
    progress_ = nullptr;
    wire_.clear();
    itemEnds_.clear();
    finished(outcome);
}

}  // namespace velmora
