#include "line_settings.h"

#include "common/codepage.h"

#include <array>
#include <optional>
#include <vector>

namespace velmora {
namespace {

constexpr long kSlowestBaudRate = 50;
constexpr long kFastestBaudRate = 4'000'000;

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> splitAtCommas(std::string_view text)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const auto comma = text.find(',');
        fields.push_back(trimmed(text.substr(0, comma)));
        if (comma == std::string_view::npos)
            return fields;
        text.remove_prefix(comma + 1);
    }
}

// A whole number written with digits only, within [low, high].
std::optional<long> wholeNumberIn(std::string_view text, long low, long high)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<Parity> parityFromLetter(std::string_view text)
{
    struct Row { char letter; Parity parity; };
    static constexpr std::array<Row, 5> kLetters{{
        {'n', Parity::None}, {'e', Parity::Even}, {'o', Parity::Odd},
        {'m', Parity::Mark}, {'s', Parity::Space},
    }};
    if (text.size() != 1)
        return std::nullopt;
    const char letter = (text[0] >= 'A' && text[0] <= 'Z') ? char(text[0] - 'A' + 'a') : text[0];
    for (const Row& row : kLetters)
        if (row.letter == letter)
            return row.parity;
    return std::nullopt;
}

std::optional<StopBits> stopBitsFromText(std::string_view text)
{
    if (text == "1")
        return StopBits::One;
    if (text == "1.5")
        return StopBits::OneAndHalf;
    if (text == "2")
        return StopBits::Two;
    return std::nullopt;
}

Failure refused(FailureKind kind, std::string_view text)
{
    Failure failure(kind);
    failure.detail = cp1252::toUtf8(text);
    return failure;
}

}  // namespace

Result<LineSettings> readLineSettings(std::string_view text)
{
    const auto fields = splitAtCommas(text);
    if (fields.size() != 4)
        return refused(FailureKind::BadLineSettings, text);

    const auto baudRate = wholeNumberIn(fields[0], kSlowestBaudRate, kFastestBaudRate);
    if (!baudRate)
        return refused(FailureKind::BadSpeed, fields[0]);
    const auto parity = parityFromLetter(fields[1]);
    if (!parity)
        return refused(FailureKind::BadParity, fields[1]);
    const auto dataBits = wholeNumberIn(fields[2], 5, 8);
    if (!dataBits)
        return refused(FailureKind::BadDataBits, fields[2]);
    const auto stopBits = stopBitsFromText(fields[3]);
    if (!stopBits)
        return refused(FailureKind::BadStopBits, fields[3]);

    return LineSettings{int(*baudRate), *parity, int(*dataBits), *stopBits};
}

bool platformHasOneAndHalfStopBits()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

QtLineSettings toQt(const LineSettings& settings)
{
    static constexpr std::array<QSerialPort::Parity, 5> kParities{
        QSerialPort::NoParity, QSerialPort::EvenParity, QSerialPort::OddParity,
        QSerialPort::MarkParity, QSerialPort::SpaceParity,
    };
    static constexpr std::array<QSerialPort::StopBits, 3> kStopBits{
        QSerialPort::OneStop, QSerialPort::OneAndHalfStop, QSerialPort::TwoStop,
    };
    return {
        settings.baudRate,
        kParities[std::size_t(settings.parity)],
        QSerialPort::DataBits(settings.dataBits),
        kStopBits[std::size_t(settings.stopBits)],
    };
}

}  // namespace velmora
