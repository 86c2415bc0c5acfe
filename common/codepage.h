#pragma once
// Windows-1252, the single-byte code page of every file the system reads or
// writes (program, glyphs, configuration) and of every byte sent to the
// machine. The conversion is done here, at the edge between text as the
// operator typed it and bytes, and nowhere else.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::cp1252 {

// The character a byte stands for. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) decode to the control characters of
// the same value, so decoding never fails and always round-trips.
char32_t decode(std::uint8_t byte);

// The byte that holds a character; nothing for a character the code page
// cannot hold (for instance a Greek letter, or an emoji).
std::optional<std::uint8_t> encode(char32_t character);

std::u32string decode(std::string_view bytes);

struct EncodeResult {
    std::string bytes;                       // all characters up to the first that failed
    std::optional<char32_t> unrepresentable;  // that character, if any
    bool ok() const { return !unrepresentable; }
};
EncodeResult encode(std::u32string_view text);

// UTF-8 spelling of a character, for naming it in a message.
std::string toUtf8(char32_t character);
std::string toUtf8(std::string_view bytes);

}  // namespace velmora::cp1252
