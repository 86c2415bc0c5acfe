#pragma once
// Which character of the text a click on the preview points at, so that the
// operator can start an interrupted engraving again from there.
//
// What a click selects:
// - on a stroke, or within `reach` of one: the character whose cell holds
//   the nearest stroke point; between two characters, the nearer stroke wins;
// - inside a character's cell away from its strokes (the hole of an O, above
//   a small letter): that character;
// - in a blank's cell: the next character that is not a blank, further along
//   the line or on a later line, since a resume never starts at a blank; after
//   the last such character, nothing;
// - empty space, the plate and its outline, the program origin, a rapid move
//   away from every cell: nothing;
// - where two cells overlap: the cell whose centre is nearer the click;
// - a character whose cell holds none of the strokes drawn (the text was
//   changed since the program was built): nothing.

#include "construction/engraving_job.h"
#include "construction/resume_point.h"
#include "layout/block_layout.h"

#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

namespace velmora::preview {

struct CharacterCell {
    TextPlace place;
    char32_t character = 0;
    QRectF area;  // millimetres, Y up: charWidth wide, charWidth × 7 / 4 high
};

// Every character's cell, blanks included, line by line in the order the
// program engraves them, each where the program puts it.
std::vector<CharacterCell> characterCells(const EngravingJob& job, const LayoutResult& layout);

// `strokes` are the cuts as drawn, in millimetres; `reach` is how far from a
// stroke a click still counts as on it, in millimetres.
std::optional<TextPlace> pickCharacter(const std::vector<CharacterCell>& cells, const std::vector<QPolygonF>& strokes,
                                       QPointF at, double reach);

// The cell of the character at `place`, if there is one.
const CharacterCell* cellAt(const std::vector<CharacterCell>& cells, TextPlace place);

// The cuts of the characters before `resumePoint` as `wholeProgram` makes
// them, for the preview of a resume to draw faint: what is already engraved.
std::vector<QPolygonF> strokesBefore(std::string_view wholeProgram, const std::vector<CharacterCell>& cells,
                                     TextPlace resumePoint);

// "Ligne 2, caractère 5 « E »".
QString selectionText(const CharacterCell& cell);

}  // namespace velmora::preview
