#include "coordinate_text.h"

#include "common/numbers.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace velmora {
namespace {

constexpr int kSignificantDigits = 15;
// numberText writes plain digits for decimal exponents in this range and
// switches to the exponent form outside it.
constexpr int kLowestPlainExponent = -4;
constexpr int kHighestPlainExponent = kSignificantDigits - 1;

struct Decimal {
    char digits[32];          // without trailing zeros
    std::size_t length = 0;
    int exponent = 0;         // of the first digit
    std::string_view text() const { return {digits, length}; }
};

// The shortest decimal that reads back as `magnitude`. When it has at most 15
// significant digits it is also the value rounded to 15 digits, which is what
// numberText writes.
bool shortestDecimal(double magnitude, Decimal& decimal)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    if (result.ec != std::errc())
        return false;
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = text.find('e');
    if (e == std::string_view::npos || e > sizeof decimal.digits)
        return false;
    for (char c : text.substr(0, e))
        if (c != '.')
            decimal.digits[decimal.length++] = c;
    while (decimal.length > 1 && decimal.digits[decimal.length - 1] == '0')
        --decimal.length;
    const std::string_view exponent = text.substr(e + 1);
    const char* first = exponent.data() + (exponent.front() == '+' ? 1 : 0);
    if (std::from_chars(first, exponent.data() + exponent.size(), decimal.exponent).ec != std::errc())
        return false;
    return decimal.length <= static_cast<std::size_t>(kSignificantDigits);
}

// No zero before the point, no point for a whole value: ".05", "120", "43.5".
void appendPlain(std::string& out, const Decimal& decimal)
{
    const std::string_view digits = decimal.text();
    if (decimal.exponent < 0) {
        out += '.';
        out.append(static_cast<std::size_t>(-decimal.exponent - 1), '0');
        out += digits;
        return;
    }
    const auto integerDigits = static_cast<std::size_t>(decimal.exponent) + 1;
    if (digits.size() <= integerDigits) {
        out += digits;
        out.append(integerDigits - digits.size(), '0');
        return;
    }
    out += digits.substr(0, integerDigits);
    out += '.';
    out += digits.substr(integerDigits);
}

}  // namespace

void appendCoordinateText(std::string& out, double value)
{
    if (value == 0.0) {  // negative zero included
        out += '0';
        return;
    }
    Decimal decimal;
    if (!std::isfinite(value) || !shortestDecimal(std::fabs(value), decimal)
        || decimal.exponent < kLowestPlainExponent || decimal.exponent > kHighestPlainExponent) {
        out += numberTextTrimmed(value);
        return;
    }
    if (value < 0)
        out += '-';
    appendPlain(out, decimal);
}

}  // namespace velmora
