#include "numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace velmora {
namespace {

bool isIgnoredInNumber(char32_t c) { return c == U' ' || c == U'\t' || c == U'\n'; }
bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// Collects the number at the start of the text into plain ASCII ("-12.5e3"),
// which std::from_chars then reads without regard to the locale.
template <typename Char>
double readLeadingNumber(std::basic_string_view<Char> text)
{
    std::string number;
    bool haveSign = false, havePoint = false, haveMantissaDigit = false;
    bool inExponent = false, haveExponentSign = false, haveExponentDigit = false;
    std::size_t exponentAt = 0;

    for (Char ch : text) {
        const auto c = static_cast<char32_t>(static_cast<std::make_unsigned_t<Char>>(ch));
        if (isIgnoredInNumber(c))
            continue;
        if (!inExponent) {
            if ((c == U'+' || c == U'-') && !haveSign && number.empty()) {
                haveSign = true;
                if (c == U'-')
                    number += '-';
                continue;
            }
            if (isDigit(c)) {
                haveMantissaDigit = true;
                number += static_cast<char>(c);
                continue;
            }
            if (c == U'.' && !havePoint) {
                havePoint = true;
                number += '.';
                continue;
            }
            if ((c == U'E' || c == U'e') && haveMantissaDigit) {
                inExponent = true;
                exponentAt = number.size();
                number += 'e';
                continue;
            }
            break;
        }
        if ((c == U'+' || c == U'-') && !haveExponentSign && !haveExponentDigit) {
            haveExponentSign = true;
            if (c == U'-')
                number += '-';
            continue;
        }
        if (isDigit(c)) {
            haveExponentDigit = true;
            number += static_cast<char>(c);
            continue;
        }
        break;
    }
    if (!haveMantissaDigit)
        return 0.0;
    if (inExponent && !haveExponentDigit)
        number.resize(exponentAt);  // "2E" or "2E-" reads as 2

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

std::string formatSignificant(double value, int digits)
{
    if (value == 0.0 || std::isnan(value))
        return " 0";
    const char* sign = value < 0 ? "-" : " ";
    if (std::isinf(value))
        return std::string(sign) + "Inf";

    // Scientific form rounds to the wanted number of significant digits:
    // "d.dddddde+XX".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, digits - 1);
    const std::string scientific(buffer, result.ptr);
    const auto ePos = scientific.find('e');
    std::string mantissa;
    for (std::size_t i = 0; i < ePos; ++i)
        if (scientific[i] != '.')
            mantissa += scientific[i];
    int exponent = std::stoi(scientific.substr(ePos + 1));
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    std::string text = sign;
    if (exponent < -4 || exponent >= digits) {
        text += mantissa[0];
        if (mantissa.size() > 1)
            text += "." + mantissa.substr(1);
        text += exponent < 0 ? "E-" : "E+";
        const std::string exponentDigits = std::to_string(std::abs(exponent));
        if (exponentDigits.size() < 2)
            text += '0';
        text += exponentDigits;
        return text;
    }
    if (exponent < 0) {
        text += '.';
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += mantissa;
        return text;
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= integerDigits) {
        text += mantissa;
        text.append(integerDigits - mantissa.size(), '0');
    } else {
        text += mantissa.substr(0, integerDigits) + "." + mantissa.substr(integerDigits);
    }
    return text;
}

std::string withoutLeadingBlank(std::string text)
{
    if (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    return text;
}

}  // namespace

double leadingNumber(std::string_view text) { return readLeadingNumber(text); }
double leadingNumber(std::u32string_view text) { return readLeadingNumber(text); }

std::string numberText(float value) { return formatSignificant(static_cast<double>(value), 7); }
std::string numberText(double value) { return formatSignificant(value, 15); }
std::string numberTextTrimmed(float value) { return withoutLeadingBlank(numberText(value)); }
std::string numberTextTrimmed(double value) { return withoutLeadingBlank(numberText(value)); }

std::string percentCaption(int percent) { return numberText(static_cast<float>(percent)) + " %"; }

std::string wholeNumberText(long long value) { return std::to_string(value); }

std::optional<std::int16_t> roundToInt16(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int16_t>::min()
        || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

}  // namespace velmora
