#pragma once
// Where an interrupted engraving starts again. The operator names a character
// as the text lines show it: its line, 1 to 5, and its rank along the line as
// typed, counted from 1, blanks included. A blank cuts nothing, so engraving
// resumes from the next character that is not one.

#include "common/per_line.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace velmora {

struct TextPlace {
    int line = 0;       // 1 to 5
    int character = 0;  // from 1 along the line, blanks included
    bool operator==(const TextPlace&) const = default;
};

enum class ResumeRefusal {
    NoSuchCharacter,  // the line is not 1 to 5, or holds fewer characters
    NothingLeft,      // only blanks from that character to the end of the text
};

// The character a resume starts from: the chosen one, or when it is a blank
// the next character that is not, further along its line or on a later line.
// The lines are those the construction works from (blank-only lines emptied).
std::variant<TextPlace, ResumeRefusal> resumePointFrom(const PerLine<std::u32string>& lineText, TextPlace chosen);

// The comment the resume program carries after its time line, naming the
// character it starts from: "$ REPRISE LIGNE 2 CARACTERE 5".
std::string resumeComment(TextPlace resumePoint);

// The resume point a program names in its header, nothing for a whole
// program. Only the header is looked at: a glyph's comment cannot pass for it.
std::optional<TextPlace> resumePointOfProgram(std::string_view program);

}  // namespace velmora
