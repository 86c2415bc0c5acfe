#include "construction_run.h"

#include "construction_messages.h"

#include "layout/refusal_cause.h"
#include "panel/form_job.h"
#include "panel/form_model.h"

#include <variant>

namespace velmora {

ConstructionReport runConstruction(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                   const ConstructionProgress& progress)
{
    // The block as the construction reads it, to name the value a refusal
    // went by.
    const BlockInput block = engravingJobOf(form).blockInput();
    const auto built = buildProgram(form, places, stamp, progress);
    if (const auto* refusal = std::get_if<LayoutRefusal>(&built)) {
        // The height as the extents read-out shows it.
        const double blockHeight = readBackExtents(form.encombrement()).height;
        return {ConstructionEnd::Refused, refusedLayoutText(),
                QString::fromStdString(refusalCause(*refusal, block, blockHeight))};
    }
    const ConstructionOutcome& outcome = std::get<ConstructionOutcome>(built);
    switch (outcome.status) {
    case ConstructionStatus::Written:
        break;
    case ConstructionStatus::MissingGlyph:
        return {ConstructionEnd::MissingGlyph, missingGlyphText(outcome.character)};
    case ConstructionStatus::FileFailure:
        return {ConstructionEnd::FileFailure, fileFailureText(*outcome.failure)};
    case ConstructionStatus::NoFont:
        return {ConstructionEnd::MissingGlyph, noFontText(places.glyphFolderSearched)};
    }
    return {};
}

}  // namespace velmora
