#include "construction_run.h"

#include "construction_messages.h"

#include "layout/refusal_cause.h"
#include "panel/form_job.h"
#include "panel/form_model.h"

#include <variant>

namespace velmora {
namespace {

// The block as the construction reads it, kept to name the value a refusal
// went by, with the height as the extents read-out shows it then.
ConstructionReport refused(LayoutRefusal refusal, const BlockInput& block, const FormModel& form)
{
    const double blockHeight = readBackExtents(form.encombrement()).height;
    return {ConstructionEnd::Refused, refusedLayoutText(),
            QString::fromStdString(refusalCause(refusal, block, blockHeight)), {}};
}

ConstructionReport reportOf(ConstructionOutcome&& outcome, const ProgramPlaces& places)
{
    switch (outcome.status) {
    case ConstructionStatus::Written: {
        ConstructionReport written;
        written.program = std::move(outcome.program);
        return written;
    }
    case ConstructionStatus::MissingGlyph:
        return {ConstructionEnd::MissingGlyph, missingGlyphText(outcome.character), {}, {}};
    case ConstructionStatus::FileFailure:
        return {ConstructionEnd::FileFailure, fileFailureText(*outcome.failure), {}, {}};
    case ConstructionStatus::NoFont:
        return {ConstructionEnd::MissingGlyph, noFontText(places.glyphFolderSearched), {}, {}};
    }
    return {};
}

QString resumeRefusalCause(ResumeRefusal refusal, TextPlace chosen)
{
    switch (refusal) {
    case ResumeRefusal::NoSuchCharacter:
        return QStringLiteral("la ligne %1 n'a pas de caractère %2").arg(chosen.line).arg(chosen.character);
    case ResumeRefusal::NothingLeft:
        return QStringLiteral("il ne reste que des blancs à partir de la ligne %1, caractère %2")
            .arg(chosen.line)
            .arg(chosen.character);
    }
    return {};
}

}  // namespace

ConstructionReport runConstruction(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                   const ConstructionProgress& progress)
{
    GlyphCache glyphs;
    return runConstruction(form, places, stamp, glyphs, progress);
}

ConstructionReport runConstruction(FormModel& form, const ProgramPlaces& places, const DateTimeTexts& stamp,
                                   GlyphCache& glyphs, const ConstructionProgress& progress)
{
    const BlockInput block = engravingJobOf(form).blockInput();
    auto built = buildProgram(form, places, stamp, glyphs, progress);
    if (const auto* refusal = std::get_if<LayoutRefusal>(&built))
        return refused(*refusal, block, form);
    return reportOf(std::get<ConstructionOutcome>(std::move(built)), places);
}

ConstructionReport runResumeConstruction(FormModel& form, TextPlace chosen, const ProgramPlaces& places,
                                         const DateTimeTexts& stamp, const ConstructionProgress& progress)
{
    const BlockInput block = engravingJobOf(form).blockInput();
    auto built = buildResumeProgram(form, chosen, places, stamp, progress);
    if (const auto* refusal = std::get_if<LayoutRefusal>(&built))
        return refused(*refusal, block, form);
    // The text changed under the choice so that nothing is left to resume
    // from: the job as set cannot be built, as for a refused layout.
    if (const auto* refusal = std::get_if<ResumeRefusal>(&built))
        return {ConstructionEnd::NothingToResume, refusedLayoutText(), resumeRefusalCause(*refusal, chosen), {}};
    return reportOf(std::get<ConstructionOutcome>(std::move(built)), places);
}

}  // namespace velmora
