#pragma once
// Reading text files by items. The download sends a program file item by item
// and counts the items the same way, so both passes use this one reader.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
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

// Where one line of a text lies, without its line end.
struct LineSpan {
    std::size_t begin = 0;
    std::size_t length = 0;
};

// Calls `visit(LineSpan)` for every line of a text, in order: lines end at CR
// LF, LF or a lone CR, and a text ending with a line end has no empty line
// after it. A visitor that returns bool stops the walk by returning false.
// The one place where the program cuts a text into lines.
template <typename Visit>
void forEachLine(std::string_view bytes, Visit&& visit);

// The lines of a text, each whole, without their line ends (CR LF, LF or CR).
// A text ending with a line end has no empty line after it.
std::vector<std::string> splitLines(std::string_view bytes);

template <typename Visit>
void forEachLine(std::string_view bytes, Visit&& visit)
{
    const std::size_t size = bytes.size();
    // Where the next CR and the next LF lie, each looked up again only once
    // passed, so a text is scanned at memchr's pace whatever its line ends.
    std::size_t nextCr = bytes.find('\r');
    std::size_t nextLf = bytes.find('\n');
    std::size_t start = 0;
    while (start < size) {
        if (nextCr != std::string_view::npos && nextCr < start)
            nextCr = bytes.find('\r', start);
        if (nextLf != std::string_view::npos && nextLf < start)
            nextLf = bytes.find('\n', start);
        std::size_t end = std::min(nextCr, nextLf);
        if (end == std::string_view::npos)
            end = size;
        if constexpr (std::is_same_v<decltype(visit(LineSpan{})), bool>) {
            if (!visit(LineSpan{start, end - start}))
                return;
        } else {
            visit(LineSpan{start, end - start});
        }
        if (end < size && bytes[end] == '\r')
            ++end;
        if (end < size && bytes[end] == '\n')
            ++end;
        start = end;
    }
}

}  // namespace velmora
