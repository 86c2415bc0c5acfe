#include "transmission_reading.h"

#include "common/codepage.h"

namespace velmora {
namespace {

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

}  // namespace

QString downloadTitle()
{
    return QStringLiteral("Téléchargement");
}

Result<TransmissionTexts> readTransmissionTexts(const FormModel& form)
{
    TransmissionTexts texts;
    for (const TransmissionSetting& setting : kTransmissionSettings) {
        cp1252::EncodeResult text = cp1252::encode(form.serialText(setting.setting));
        if (!text.ok()) {
            Failure unsendable(FailureKind::UnsendableCharacter);
            unsendable.detail = serialCaption(setting.setting);
            unsendable.character = *text.unrepresentable;
            return unsendable;
        }
        texts.*setting.text = std::move(text.bytes);
    }
    return texts;
}

}  // namespace velmora
