#include "download_action.h"

#include "download_meter.h"

#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/qt_text.h"
#include "transmission/program_listing.h"

#include <filesystem>

namespace velmora {
namespace {

const QString kQuestionTitle = QStringLiteral("Liaison PC-CN");
const QString kQuestion = QStringLiteral("Placer la machine en mode chargement");

// Where the text of each serial setting goes.
struct TransmissionSetting {
    SerialSetting setting;
    std::string TransmissionTexts::*text;
};

constexpr TransmissionSetting kTransmissionSettings[] = {
    {SerialSetting::Port, &TransmissionTexts::port},
    {SerialSetting::Speed, &TransmissionTexts::speed},
    {SerialSetting::Parity, &TransmissionTexts::parity},
    {SerialSetting::DataBits, &TransmissionTexts::dataBits},
    {SerialSetting::StopBits, &TransmissionTexts::stopBits},
};

QString unsendableCharacter(const QString& setting, char32_t character)
{
    return QStringLiteral("%1 : le caractère « %2 » ne peut pas être transmis")
        .arg(setting, QString::fromStdString(cp1252::toUtf8(character)));
}

}  // namespace

TransmissionReading readTransmissionTexts(const FormModel& form)
{
    TransmissionReading reading;
    for (const TransmissionSetting& setting : kTransmissionSettings) {
        cp1252::EncodeResult text = cp1252::encode(form.serialText(setting.setting));
        if (!text.ok()) {
            const std::string_view caption = serialCaption(setting.setting);
            reading.refusal = unsendableCharacter(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                                                  *text.unrepresentable);
            return reading;
        }
        reading.texts.*setting.text = std::move(text.bytes);
    }
    return reading;
}

DownloadAction::DownloadAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                               DeviceNameForPort deviceName)
    : window_(window), messages_(messages), pause_(pause), MSComm1(std::move(deviceName))
{
}

void DownloadAction::startDownload()
{
    if (!machineIsInLoadingMode())
        return;
    const TransmissionReading reading = readTransmissionTexts(window_.model());
    if (!reading.ok()) {
        tellFailure(reading.refusal);
        return;
    }

    DownloadRequest request;
    request.programFile = std::filesystem::path(kProgramFileName);
    request.texts = reading.texts;
    DownloadMeter meter(window_.meter(), pause_);
    const DownloadOutcome outcome = runDownload(request, MSComm1, meter);
    if (!outcome.sent)
        tellFailure(fromWindows1252(outcome.message));
}

bool DownloadAction::machineIsInLoadingMode()
{
    return messages_.show(MessageIcon::Exclamation, MessageButtons::OkCancel, kQuestionTitle, kQuestion)
        == MessageAnswer::Ok;
}

void DownloadAction::tellFailure(const QString& text)
{
    messages_.show(MessageIcon::Critical, MessageButtons::Ok, fromWindows1252(kDownloadFailureTitle), text);
}

}  // namespace velmora
