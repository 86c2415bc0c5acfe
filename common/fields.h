#pragma once
// Reading text files by items. The download sends a program file item by item
// and counts the items the same way, so both passes use this one reader.

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Comma-separated fields over the bytes of a text file. Leading blanks and
// tabs of a field are skipped. A field that opens with a double quote runs to
// the closing quote, which is not part of it, and whatever follows up to the
// next comma or line end is dropped; a quote left open ends at the line end, so
// one stray quote in a comment cannot swallow the rest of the file. Any other
// field ends at the next comma or line end. An empty line is one empty field.
// Line ends are CR LF, LF or a lone CR; a last line without one reads like the
// others.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : text_(bytes) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    std::string next();  // "" once atEnd()

private:
    bool atLineEnd() const;
    void skipLineEnd();

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Every field of a text, in order.
std::vector<std::string> readAllFields(std::string_view bytes);

// The lines of a text, each whole, without their line ends (CR LF, LF or CR).
// A text ending with a line end has no empty line after it.
std::vector<std::string> splitLines(std::string_view bytes);

}  // namespace velmora
