#include "construction_action.h"

#include "construction_messages.h"
#include "construction_meter.h"

#include "panel/form_job.h"
#include "panel/main_window.h"
#include "panel/messages.h"
#include "panel/pause.h"

#include "construction/clock.h"
#include "layout/refusal_cause.h"

#include <utility>
#include <variant>

namespace velmora {

ConstructionAction::ConstructionAction(MainWindow& window, MessageSeam& messages, PauseSeam& pause,
                                       ProgramPlaces places)
    : window_(window), messages_(messages), pause_(pause), places_(std::move(places))
{
}

void ConstructionAction::build()
{
    ConstructionMeter meter(window_.meter());
    // The block as the construction reads it, to name the value a refusal
    // went by.
    const BlockInput block = engravingJobOf(window_.model()).blockInput();
    const auto built = buildProgram(window_.model(), places_, currentDateTimeTexts(),
                                    [&meter](int doneCount, int totalChars) { meter.showProgress(doneCount, totalChars); });
    if (const auto* refusal = std::get_if<LayoutRefusal>(&built)) {
        fail(refusedLayoutText(), refusedLayoutCause(*refusal, block));
        return;
    }
    finish(std::get<ConstructionOutcome>(built));
}

void ConstructionAction::buildResume(TextPlace chosen)
{
    ConstructionMeter meter(window_.meter());
    const auto built = buildResumeProgram(window_.model(), chosen, places_, currentDateTimeTexts(),
                                          [&meter](int doneCount, int totalChars) { meter.showProgress(doneCount, totalChars); });
    // The text changed under the choice so that nothing is left to resume
    // from: the job as set cannot be built, as for a refused layout.
    if (!std::holds_alternative<ConstructionOutcome>(built)) {
        fail(refusedLayoutText());
        return;
    }
    finish(std::get<ConstructionOutcome>(built));
}

void ConstructionAction::finish(const ConstructionOutcome& outcome)
{
    switch (outcome.status) {
    case ConstructionStatus::Written:
        window_.reloadListing();
        showFinished();
        return;
    case ConstructionStatus::MissingGlyph:
        fail(missingGlyphText(outcome.character));
        return;
    case ConstructionStatus::FileFailure:
        fail(fileFailureText(*outcome.failure));
        return;
    case ConstructionStatus::NoFont:
        fail(noFontText(places_.glyphFolderSearched));
        return;
    }
}

void ConstructionAction::showFinished()
{
    ConstructionMeter meter(window_.meter());
    meter.showFull();
    pause_.pause(kFullBarPause);
    meter.rest();
}

// The previous program stays on disk and in the listing; the meter goes back
// to rest once the operator has read the message.
// Which value to change: the numbers the layout's check went by, the height
// as the extents read-out shows it.
QString ConstructionAction::refusedLayoutCause(LayoutRefusal refusal, const BlockInput& block) const
{
    const double blockHeight = readBackExtents(window_.model().encombrement()).height;
    return QString::fromStdString(refusalCause(refusal, block, blockHeight));
}

void ConstructionAction::fail(const QString& text, const QString& cause)
{
    messages_.show(MessageIcon::Critical, MessageButtons::Ok, constructionFailureTitle(), text, cause);
    ConstructionMeter(window_.meter()).rest();
}

}  // namespace velmora
