#pragma once
// "Construire" without its window: the construction from the form's model to
// velmora.rub, ended by what the operator is to be told. The window's action
// and the command line both run it, so a program built from either is the
// same program and a failure reads the same.

#include "construction/program_writer.h"
#include "construction/program_construction.h"
#include "construction/resume_point.h"

#include <QString>

namespace velmora {

class FormModel;

enum class ConstructionEnd {
    Written,       // velmora.rub holds the new program
    Refused,       // the layout asks to change the settings; nothing written
    MissingGlyph,  // a character cannot be engraved (no glyph, no font); velmora.rub unchanged
    FileFailure,   // a file could not be read or written; velmora.rub unchanged
    NothingToResume,  // the resume point names no character to engrave; nothing written
};

struct ConstructionReport {
    ConstructionEnd end = ConstructionEnd::Written;
    // The message told under constructionFailureTitle(); empty when written.
    QString text;
    // Why, under the text, when there is more to say: for a refusal, the
    // numbers the layout went by.
    QString cause;
    WrittenProgram program;  // Written: the program as it stands in velmora.rub
};

// The whole construction on the model (its blank-only lines emptied as in the
// window), the progress told after every character.
ConstructionReport runConstruction(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                   const ConstructionProgress& progress = {});
// The same, with the glyph files kept in `glyphs` from one construction to
// the next.
ConstructionReport runConstruction(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                   GlyphCache& glyphs, const ConstructionProgress& progress = {});

// The resume program from the chosen character (or the next one that is not
// a blank), on the model as the whole construction works on it.
ConstructionReport runResumeConstruction(FormModel& form, TextPlace chosen, const ProgramPlaces& places,
                                         const DateTimeTexts& stamp, const ConstructionProgress& progress = {});

}  // namespace velmora
