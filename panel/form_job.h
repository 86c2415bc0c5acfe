#pragma once
// "Construire" on the form's model, with no window: the engraving job read from
// the model's display texts, the blank-line rule with the emptied
// lines written back, the layout from the extents as Encombrement shows them,
// and the program written.

#include "form_model.h"

#include "construction/program_construction.h"

#include <variant>

namespace velmora {

// The five lines as typed, the width read-outs, the positions and the three
// sizes, each number the leading number of its display text (approachZ is
// Posz3 plus 1 mm); the yes/no choices and the texts the program carries as
// the value boxes show them.
EngravingJob engravingJobOf(const FormModel& form);

struct LaidOutJob {
    EngravingJob job;
    LayoutResult layout;
};

// The job as "Construire" lays it out: read, its blank-only lines emptied in
// the job and in the form (each change recomputing the extents), the block
// laid out from Encombrement fresh from updateExtents.
std::variant<LayoutRefusal, LaidOutJob> layOutJob(FormModel& form);

// The same on a copy of the form, which stays as it is: where "Construire"
// would now put every character.
std::variant<LayoutRefusal, LaidOutJob> layOutJobUnchanged(const FormModel& form);

// The whole construction: the job read, its blank-only lines emptied in the
// job and in the form (each change recomputing the extents), the block laid
// out from Encombrement fresh from updateExtents, then velmora.rub written.
// A refused layout writes nothing. The window's action and the command line
// both run it, so a program built from either is the same program and a
// failure reads the same.
Result<WrittenProgram> buildProgram(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                    const ConstructionProgress& progress = {});

// The same, with the glyph files kept in `glyphs` from one construction to
// the next.
Result<WrittenProgram> buildProgram(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                    GlyphCache& glyphs, const ConstructionProgress& progress = {});

// A resume program from the character the operator chose (or the next one
// that is not a blank), built as "Construire" builds the whole program: the
// same job, the same layout, the form changed the same way. A chosen place
// that names no character to resume from writes nothing.
Result<WrittenProgram> buildResumeProgram(FormModel& form, TextPlace chosen, const ProgramPlaces& places,
                                          const DateTimeTexts& stamp, const ConstructionProgress& progress = {});

}  // namespace velmora
