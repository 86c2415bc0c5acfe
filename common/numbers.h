#pragma once
// The system's number rules: one way to read a number from a text, one way to
// write a number as text, one way to round to a whole number. Every display box,
// read-out, program line and configuration value goes through these, so they are
// deliberately independent of the locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Reads the number at the start of `text`. Blanks, tabs and line feeds are
// ignored wherever they stand ("1 2" reads 12). Then an optional sign, digits
// with at most one "." and an optional exponent ("E" or "e", optional sign,
// digits). Reading stops at the first character that cannot continue the
// number; a text that does not start with a number gives 0. A number too large
// to hold in double precision also gives 0, so the result is always finite.
double leadingNumber(std::string_view text);
double leadingNumber(std::u32string_view text);

// Writes a value the way every display of the system does: a leading blank for
// zero or positive values (negative zero included), "-" for negative ones; the
// shortest decimal form with at most 7 (single) or 15 (double) significant
// digits; "." as decimal point; no trailing zeros, no point for whole values and
// no zero before the point below 1 (" .5", "-.25", " 14", " 0").
// Magnitudes from 10^digits upward and below 10^-4 (after rounding) take the
// exponent form: mantissa by the same rules, "E", sign, at least two digits
// (" 1.234568E+07", " 1E-05", "-2.5E+20").
std::string numberText(float value);
std::string numberText(double value);

// numberText without its leading blank: "1.75", ".5", "-.25", "0".
std::string numberTextTrimmed(float value);
std::string numberTextTrimmed(double value);

// The progress meter's caption for a whole percentage: numberText of it,
// then " %" (" 42 %", " 100 %"). At rest the meter reads "0 %" instead.
std::string percentCaption(int percent);

// Decimal digits of a whole number with "-" when negative, no blank, no leading zero.
std::string wholeNumberText(long long value);

// The nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0),
// as a 16-bit signed integer; nothing when it does not fit (or the value is
// not finite). Halves go to even through std::nearbyint under the default
// rounding mode, which the program never changes.
std::optional<std::int16_t> roundToInt16(double value);

}  // namespace velmora
