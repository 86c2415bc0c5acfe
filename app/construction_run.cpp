#include "construction_run.h"

#include "construction_messages.h"

#include "panel/form_job.h"

#include <variant>

namespace velmora {

ConstructionReport runConstruction(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                   const ConstructionProgress& progress)
{
    const auto built = buildProgram(form, places, stamp, progress);
    if (std::holds_alternative<LayoutRefusal>(built))
        return {ConstructionEnd::Refused, refusedLayoutText()};
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
