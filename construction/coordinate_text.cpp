#include "coordinate_text.h"

#include "common/numbers.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace velmora {
namespace {

// 128 bits hold a 53-bit mantissa times 10^18 exactly.
__extension__ typedef unsigned __int128 Wide;

constexpr int kSignificantDigits = 15;
// numberText writes plain digits for decimal exponents in this range and
// switches to the exponent form outside it.
constexpr int kLowestPlainExponent = -4;
constexpr int kHighestPlainExponent = kSignificantDigits - 1;

constexpr std::uint64_t kPowersOfTen[] = {
    1ULL,
    10ULL,
    100ULL,
    1000ULL,
    10000ULL,
    100000ULL,
    1000000ULL,
    10000000ULL,
    100000000ULL,
    1000000000ULL,
    10000000000ULL,
    100000000000ULL,
    1000000000000ULL,
    10000000000000ULL,
    100000000000000ULL,
    1000000000000000ULL,
    10000000000000000ULL,
    100000000000000000ULL,
    1000000000000000000ULL,
};
constexpr int kMostScale = 18;  // 10^18 times a 53-bit mantissa stays within 113 bits
constexpr std::uint64_t kLowestDigits = kPowersOfTen[kSignificantDigits - 1];
constexpr std::uint64_t kPastDigits = kPowersOfTen[kSignificantDigits];

// A value's 15 significant digits as a whole number, and the decimal
// exponent of the first: 43.5 is 435000000000000 and 1.
struct Decimal {
    std::uint64_t digits = 0;  // from kLowestDigits to kPastDigits, the latter when rounding carried over
    int exponent = 0;
};

// `magnitude` rounded to 15 significant digits, ties to even, in whole-number
// arithmetic on its exact binary value, as numberText rounds it. False
// outside the plain range, where numberText itself does the work.
bool roundedDecimal(double magnitude, Decimal& decimal)
{
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biasedExponent = static_cast<int>(bits >> 52);
    if (biasedExponent == 0)  // subnormal: far below the plain range
        return false;
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    // magnitude == mantissa / 2^shift exactly; 2^52 and beyond are past 10^15.
    const int shift = 1075 - biasedExponent;
    if (shift <= 0 || shift >= 127)
        return false;
    // The scale that brings the whole part to 15 digits. magnitude lies in
    // [2^(e-1), 2^e) for the binaryExponent e, so its decimal exponent is
    // floor((e - 1) * log10(2)) (78913 / 2^18) or one more; the loop settles
    // which on exact values.
    const int binaryExponent = biasedExponent - 1022;
    int scale = kHighestPlainExponent - (((binaryExponent - 1) * 78913) >> 18);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (scale < 0 || scale > kMostScale)
            return false;
        const Wide scaled = static_cast<Wide>(mantissa) * kPowersOfTen[scale];
        const auto whole = static_cast<std::uint64_t>(scaled >> shift);
        if (whole < kLowestDigits) {
            ++scale;
            continue;
        }
        if (whole >= kPastDigits) {
            --scale;
            continue;
        }
        const Wide rest = scaled - (static_cast<Wide>(whole) << shift);
        const Wide half = static_cast<Wide>(1) << (shift - 1);
        decimal.digits = whole + ((rest > half || (rest == half && (whole & 1) != 0)) ? 1 : 0);
        decimal.exponent = kHighestPlainExponent - scale;
        if (decimal.digits == kPastDigits) {  // 999999999999999.5 and the like carry into a new digit
            decimal.digits = kLowestDigits;
            ++decimal.exponent;
        }
        return decimal.exponent >= kLowestPlainExponent && decimal.exponent <= kHighestPlainExponent;
    }
    return false;
}

constexpr char kDigitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                               "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                               "8081828384858687888990919293949596979899";

// The decimal digits of `number` (at least one) written to end just before
// `end`; returns where they start.
char* writeDigits(std::uint64_t number, char* end)
{
    while (number >= 100) {
        const auto pair = static_cast<std::size_t>(number % 100) * 2;
        number /= 100;
        *--end = kDigitPairs[pair + 1];
        *--end = kDigitPairs[pair];
    }
    if (number >= 10) {
        const auto pair = static_cast<std::size_t>(number) * 2;
        *--end = kDigitPairs[pair + 1];
        *--end = kDigitPairs[pair];
    } else {
        *--end = static_cast<char>('0' + number);
    }
    return end;
}

// No zero before the point, no point for a whole value, no trailing zero:
// ".05", "120", "43.5".
char* writePlain(char* out, bool negative, const Decimal& decimal)
{
    // The 15 digits without their trailing zeros: `digits` of them, the
    // first standing at 10^exponent.
    std::uint64_t significant = decimal.digits;
    int digits = kSignificantDigits;
    // At most 14 trailing zeros: 8, 4, 2 and 1 of them taken off in turn.
    // Constant divisors, so that each is a multiplication, not a division.
    if (significant % 100000000 == 0) {
        significant /= 100000000;
        digits -= 8;
    }
    if (significant % 10000 == 0) {
        significant /= 10000;
        digits -= 4;
    }
    if (significant % 100 == 0) {
        significant /= 100;
        digits -= 2;
    }
    if (significant % 10 == 0) {
        significant /= 10;
        digits -= 1;
    }
    char text[kSignificantDigits + 8];  // sign, point, four leading zeros
    char* const end = text + sizeof text;
    char* first = writeDigits(significant, end);
    const int integerDigits = decimal.exponent + 1;
    if (integerDigits <= 0) {
        for (int zero = 0; zero < -integerDigits; ++zero)
            *--first = '0';
        *--first = '.';
        if (negative)
            *--first = '-';
        return std::copy(first, end, out);
    }
    if (digits > integerDigits) {
        // Shift the whole part one place left to open the point.
        char* const point = first + integerDigits;
        std::copy(first, point, first - 1);
        --first;
        point[-1] = '.';
    }
    if (negative)
        *--first = '-';
    out = std::copy(first, end, out);
    return digits < integerDigits ? std::fill_n(out, integerDigits - digits, '0') : out;
}

// Values with at most four decimals, which character sizes and spacings
// such as 4.5 or 3.25 mm give, are written straight from their digits. When
// value × 10^k rounds to a whole N below 10^15, value lies within 2^-53 of
// N / 10^k, relatively: far inside half a unit of the fifteenth digit (at
// least 5 × 10^-16), so rounding value to 15 digits gives N / 10^k, the text
// written here, without the zeros that end its decimals (0.09999999999999999
// × 100 rounds to 10: ".1").
constexpr int kQuickDecimals = 4;

char* writeFewDecimals(char* out, double value)
{
    const double magnitude = std::fabs(value);
    double scale = 1;
    for (int decimals = 0; decimals <= kQuickDecimals; ++decimals, scale *= 10) {
        const double scaled = magnitude * scale;
        if (!(scaled < static_cast<double>(kPastDigits)))
            return nullptr;
        // Converted as a signed number, which the processor does in one step
        // (scaled is below 10^15).
        const auto integral = static_cast<std::int64_t>(scaled);
        if (static_cast<double>(integral) != scaled)
            continue;
        auto whole = static_cast<std::uint64_t>(integral);
        int shown = decimals;
        for (; shown > 0 && whole % 10 == 0; --shown)
            whole /= 10;
        char text[kSignificantDigits + 8];  // sign, point, four leading zeros
        char* const end = text + sizeof text;
        char* first = writeDigits(whole, end);
        if (shown > 0) {
            while (end - first < shown)
                *--first = '0';
            char* const point = end - shown;
            std::copy(first, point, first - 1);
            --first;
            point[-1] = '.';
        }
        if (value < 0)
            *--first = '-';
        return std::copy(first, end, out);
    }
    return nullptr;
}

}  // namespace

char* writeCoordinateText(char* out, double value)
{
    if (value == 0.0) {  // negative zero included
        *out = '0';
        return out + 1;
    }
    if (char* const end = writeFewDecimals(out, value))
        return end;
    Decimal decimal;
    if (!std::isfinite(value) || !roundedDecimal(std::fabs(value), decimal)) {
        const std::string text = numberTextTrimmed(value);
        return std::copy(text.begin(), text.end(), out);
    }
    return writePlain(out, value < 0, decimal);
}

void appendCoordinateText(std::string& out, double value)
{
    char text[kCoordinateTextRoom];
    out.append(text, static_cast<std::size_t>(writeCoordinateText(text, value) - text));
}

}  // namespace velmora
