#include "transmission_reading.h"

#include "common/codepage.h"
#include "panel/qt_text.h"

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

QString unsendableCharacter(const QString& setting, char32_t character)
{
    return QStringLiteral("%1 : le caractère « %2 » ne peut pas être transmis")
        .arg(setting, QString::fromStdString(cp1252::toUtf8(character)));
}

}  // namespace

QString downloadTitle()
{
    return fromWindows1252(kDownloadFailureTitle);
}

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

}  // namespace velmora
