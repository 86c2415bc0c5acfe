#include "resume_point.h"

#include <charconv>

namespace velmora {

std::variant<TextPlace, ResumeRefusal> resumePointFrom(const PerLine<std::u32string>& lineText, TextPlace chosen)
{
    if (chosen.line < 1 || chosen.line > kLineCount || chosen.character < 1 ||
        static_cast<std::size_t>(chosen.character) > lineText[chosen.line].size())
        return ResumeRefusal::NoSuchCharacter;
    std::size_t index = static_cast<std::size_t>(chosen.character - 1);
    for (int line = chosen.line; line <= kLineCount; ++line, index = 0) {
        const std::u32string& text = lineText[line];
        for (; index < text.size(); ++index)
            if (text[index] != U' ')
                return TextPlace{line, static_cast<int>(index) + 1};
    }
    return ResumeRefusal::NothingLeft;
}

std::string resumeComment(TextPlace resumePoint)
{
    return "$ REPRISE LIGNE " + std::to_string(resumePoint.line) + " CARACTERE " +
           std::to_string(resumePoint.character);
}

std::optional<TextPlace> resumePointOfProgram(std::string_view program)
{
    // The comment follows the time line, ninth of the header.
    constexpr int kCommentLine = 9;
    std::size_t start = 0;
    for (int line = 1; line < kCommentLine && start < program.size(); ++line) {
        const std::size_t end = program.find('\n', start);
        start = end == std::string_view::npos ? program.size() : end + 1;
    }
    std::string_view comment = program.substr(start, program.find_first_of("\r\n", start) - start);
    constexpr std::string_view kLineWord = "$ REPRISE LIGNE ";
    constexpr std::string_view kCharacterWord = " CARACTERE ";
    if (!comment.starts_with(kLineWord))
        return std::nullopt;
    comment.remove_prefix(kLineWord.size());
    TextPlace place;
    auto [afterLine, lineError] = std::from_chars(comment.data(), comment.data() + comment.size(), place.line);
    const std::string_view rest(afterLine, static_cast<std::size_t>(comment.data() + comment.size() - afterLine));
    if (lineError != std::errc() || !rest.starts_with(kCharacterWord))
        return std::nullopt;
    const char* end = rest.data() + rest.size();
    auto [afterCharacter, characterError] = std::from_chars(rest.data() + kCharacterWord.size(), end, place.character);
    if (characterError != std::errc() || afterCharacter != end)
        return std::nullopt;
    return place;
}

}  // namespace velmora
