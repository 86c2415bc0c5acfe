#include "codepage.h"

#include <array>

namespace velmora::cp1252 {
namespace {

// Bytes 0x80 to 0x9F; 0 marks the five bytes with no character of their own.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

}  // namespace

char32_t decode(std::uint8_t byte)
{
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<std::uint8_t> encode(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<std::uint8_t>(character);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        const char32_t mapped = kHighControls[i];
        if (mapped == character || (mapped == 0 && character == 0x80 + i))
            return static_cast<std::uint8_t>(0x80 + i);
    }
    return std::nullopt;
}

std::u32string decode(std::string_view bytes)
{
    std::u32string text;
    text.reserve(bytes.size());
    for (char b : bytes)
        text += decode(static_cast<std::uint8_t>(b));
    return text;
}

EncodeResult encode(std::u32string_view text)
{
    EncodeResult result;
    result.bytes.reserve(text.size());
    for (char32_t c : text) {
        const auto byte = encode(c);
        if (!byte) {
            result.unrepresentable = c;
            break;
        }
        result.bytes += static_cast<char>(*byte);
    }
    return result;
}

std::string toUtf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string toUtf8(std::string_view bytes)
{
    std::string out;
    for (const char byte : bytes)
        out += toUtf8(decode(static_cast<std::uint8_t>(byte)));
    return out;
}

}  // namespace velmora::cp1252
