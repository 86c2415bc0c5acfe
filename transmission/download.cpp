#include "download.h"

#include "french.h"

#include "common/fields.h"
#include "common/numbers.h"
#include "common/whole_file.h"

#include <QString>

#include <cmath>
#include <optional>

namespace velmora {
namespace {

// Sent after the last item: device control 3, which ends the transfer at the
// machine, then a line feed like every item.
constexpr std::string_view kEndOfTransfer = "\x13\n";

struct ProgramReading {
    std::optional<std::string> bytes;
    std::string failure;
};

// The whole program file as bytes, read at once so that the file is released
// before the port is touched and both passes see the same items.
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

// Counted with the reader that sends them, so the bar is full with the last item.
double countItems(std::string_view program)
{
    double count = 0;
    FieldReader reader(program);
    while (!reader.atEnd()) {
        ++count;
        reader.next();
    }
    return count;
}

class Meter {
public:
    Meter(DownloadProgress& progress, double itemCount) : progress_(progress), itemCount_(itemCount) {}

    // The bar and the percentage after `sent` items, in single precision as
    // the meter always counted.
    void showSent(std::size_t sent)
    {
        const auto sentSingle = float(sent);
        const auto full = float(progress_.fullTwips());
        progress_.setBarTwips(float(double(full * sentSingle) / itemCount_));
        const double percent = std::floor(double(sentSingle * 100.0f) / itemCount_);
        progress_.setCaption(numberText(float(percent)) + " %");
    }

    void showFull(std::chrono::milliseconds pause)
    {
        progress_.setBarTwips(kRestBarTwips);
        progress_.setBarTwips(progress_.fullTwips());
        progress_.pause(pause);
    }

    void rest()
    {
        progress_.setCaption(kRestCaption);
        progress_.setBarTwips(kRestBarTwips);
    }

private:
    DownloadProgress& progress_;
    double itemCount_;
};

// A port that does not exist keeps the system's own message; every other
// failure says what went wrong.
std::string failureMessage(const SerialComm& comm)
{
    if (comm.lastError() == CommError::InvalidPort)
        return french(U"Problème de connexion");
    return comm.lastErrorCause();
}

DownloadOutcome failed(SerialComm& comm, Meter& meter, std::string message)
{
    comm.release();
    meter.rest();
    return {false, std::move(message)};
}

bool openPort(const TransmissionTexts& texts, SerialComm& comm)
{
    const std::string settings = lineSettingsText(texts);
    return comm.setCommPort(portNumber(texts.port)) && comm.setSettings(settings) && comm.setPortOpen(true);
}

bool sendItems(std::string_view program, SerialComm& comm, Meter& meter)
{
    FieldReader reader(program);
    std::size_t sent = 0;
    while (!reader.atEnd()) {
        ++sent;
        std::string item = reader.next();
        item += '\n';
        if (!comm.output(item))
            return false;
        meter.showSent(sent);
    }
    return true;
}

}  // namespace

std::int16_t portNumber(std::string_view portText)
{
    if (portText.empty())
        return 0;
    return roundToInt16(leadingNumber(portText.substr(portText.size() - 1))).value_or(0);
}

std::string lineSettingsText(const TransmissionTexts& texts)
{
    std::string parity = texts.parity.substr(0, 1);
    if (!parity.empty() && parity[0] >= 'A' && parity[0] <= 'Z')
        parity[0] = char(parity[0] - 'A' + 'a');
    return texts.speed + "," + parity + "," + texts.dataBits + "," + texts.stopBits;
}

DownloadOutcome runDownload(const DownloadRequest& request, SerialComm& comm, DownloadProgress& progress)
{
    const ProgramReading program = readProgram(request.programFile);
    Meter meter(progress, program.bytes ? countItems(*program.bytes) : 0);
    if (!program.bytes) {
        meter.rest();
        return {false, program.failure};
    }

    if (!openPort(request.texts, comm) || !sendItems(*program.bytes, comm, meter)
        || !comm.output(kEndOfTransfer) || !comm.setPortOpen(false))
        return failed(comm, meter, failureMessage(comm));

    meter.showFull(request.fullBarPause);
    meter.rest();
    return {true, {}};
}

}  // namespace velmora
