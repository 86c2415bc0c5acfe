#include "resume_point.h"

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

}  // namespace velmora
